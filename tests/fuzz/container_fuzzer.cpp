// Fuzz entry of the setup program's unpacking steps over a whole setup file: the container
// search, the checksum and the inflation into a buffer of the size the header claims. The
// search must find the first full marker and only what lies inside the file; the checksum must
// keep the residue property of its CRC; the inflation must stay inside its buffer and say
// truthfully whether it gave exactly the package. Unlike the setup program, the target inflates
// also when the checksum differs: a forger can always make it match.
#include "crc.h"
#include "fuzz_checks.h"
#include "package_container.h"
#include "package_format.h"
#include "package_inflater.h"
#include "try_resize.h"

#include <algorithm>
#include <atomic>
#include <vector>

#include <zlib.h>

namespace {

using package_format::container_marker;

// Header claims above this are refused here, so that a claim of 4 GB costs nothing; the setup
// program asks the system for the memory and tells the user when there is not enough.
constexpr std::uint32_t largest_inflated_length = 4u << 20;

// A CRC-32/BZIP2 over the bytes followed by their own CRC (most significant byte first) always
// gives this value, whatever the bytes.
constexpr std::uint32_t crc_residue = 0x38FB2284u;

void check_search(std::span<const std::uint8_t> file, const ContainerLocation& location)
{
    auto first = std::search(file.begin(), file.end(), container_marker.begin(), container_marker.end());
    if (first == file.end()) {
        require(location.result == ContainerSearch::not_found);
        return;
    }
    require(location.result != ContainerSearch::not_found);
    require(location.header.offset == static_cast<std::size_t>(first - file.begin()));
    std::size_t stream_start = location.header.offset + package_format::container_header_size;
    bool fits = stream_start <= file.size() && location.header.compressed_length <= file.size() - stream_start;
    require((location.result == ContainerSearch::found) == fits);
    if (!fits) return;
    require(location.compressed.data() == file.data() + stream_start);
    require(location.compressed.size() == location.header.compressed_length);
}

void check_checksum(std::span<const std::uint8_t> compressed)
{
    std::uint32_t crc = compute_crc(compressed);
    std::vector<std::uint8_t> followed(compressed.begin(), compressed.end());
    for (int shift = 24; shift >= 0; shift -= 8) followed.push_back(static_cast<std::uint8_t>(crc >> shift));
    require(compute_crc(followed) == crc_residue);
}

// Whether zlib, in one call over the same stream, gives exactly these bytes: the sliced
// inflation must agree with it, both when it accepts and when it refuses.
bool inflates_in_one_call(std::span<const std::uint8_t> compressed, std::span<const std::uint8_t> package)
{
    std::vector<std::uint8_t> expected(package.size() + 1);
    uLongf produced = static_cast<uLongf>(expected.size());
    uLong consumed = static_cast<uLong>(compressed.size());
    int status = uncompress2(expected.data(), &produced, compressed.data(), &consumed);
    return status == Z_OK && produced == package.size() && std::equal(package.begin(), package.end(), expected.begin());
}

void check_inflation(const ContainerLocation& location)
{
    if (location.header.inflated_length > largest_inflated_length) return;
    std::vector<std::uint8_t> package;
    require(try_resize(package, location.header.inflated_length));
    std::atomic<std::uint32_t> remaining{0};
    InflateOutcome outcome = inflate_package(location.compressed, package, remaining);
    require(outcome.produced <= package.size());
    require(remaining.load() <= location.compressed.size());
    require(inflated_completely(outcome, package.size()) == inflates_in_one_call(location.compressed, package));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::span<const std::uint8_t> file(data, size);
    ContainerLocation location = find_container(file);
    check_search(file, location);
    if (location.result != ContainerSearch::found) return 0;
    check_checksum(location.compressed);
    check_inflation(location);
    return 0;
}
