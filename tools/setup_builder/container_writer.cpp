#include "container_writer.h"

#include "build_error.h"
#include "package_format.h"
#include "crc.h"
#include "package_encoding.h"

#include <libdeflate.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

namespace builder {

using namespace package_format;

namespace {

void check_stub(std::span<const std::uint8_t> stub)
{
    if (stub.size() < 2 || stub[0] != 'M' || stub[1] != 'Z')
        throw BuildError("the stub does not start with \"MZ\": it is not a Windows program image");
    if (std::optional<std::size_t> at = find_container_marker(stub))
        throw BuildError("the stub already holds the container marker at offset " + std::to_string(*at) +
                         "; the setup program would take it for its package");
}

} // namespace

namespace {

// libdeflate's strongest level: its search finds shorter streams than zlib's level 9, and the
// stream stays one ordinary zlib stream.
constexpr int compression_level = 12;

struct CompressorDeleter {
    void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
};

} // namespace

Bytes compress_package(std::span<const std::uint8_t> package)
{
    std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
        libdeflate_alloc_compressor(compression_level));
    if (!compressor) throw std::runtime_error("libdeflate could not make a compressor");
    Bytes compressed(libdeflate_zlib_compress_bound(compressor.get(), package.size()));
    std::size_t size = libdeflate_zlib_compress(compressor.get(), package.data(), package.size(), compressed.data(),
                                                compressed.size());
    if (size == 0) throw std::runtime_error("libdeflate could not compress the package");
    compressed.resize(size);
    return compressed;
}

std::optional<std::size_t> find_container_marker(std::span<const std::uint8_t> bytes)
{
    // std::search rather than its ranges form, which clang 14 (the fuzzing tree's compiler)
    // cannot instantiate over a span with this standard library.
    auto found = std::search(bytes.begin(), bytes.end(), container_marker.begin(), container_marker.end());
    if (found == bytes.end()) return std::nullopt;
    return static_cast<std::size_t>(found - bytes.begin());
}

Bytes write_container(std::span<const std::uint8_t> stub, std::span<const std::uint8_t> package)
{
    check_stub(stub);
    std::uint32_t package_length = to_u32(package.size(), "the package");
    Bytes compressed = compress_package(package);

    Bytes out(stub.begin(), stub.end());
    out.insert(out.end(), container_marker.begin(), container_marker.end());
    append_u32(out, 0);
    append_u32(out, to_u32(compressed.size(), "the compressed package"));
    append_u32(out, package_length);
    append_u32(out, compute_crc(compressed));
    out.insert(out.end(), compressed.begin(), compressed.end());
    // The stub's last bytes could only complete a marker if the marker overlapped itself.
    if (find_container_marker(out) != stub.size()) throw std::logic_error("the container marker is not found first");
    return out;
}

} // namespace builder
