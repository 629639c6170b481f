#include "setup_file_listing.h"

#include "Configure.h"
#include "container_listing.h"
#include "crc.h"
#include "description_listing.h"
#include "package_container.h"
#include "package_format.h"
#include "package_inflater.h"

#include <zlib.h>

#include <atomic>
#include <vector>

namespace builder {

using namespace package_format;

namespace {

// Deflate cannot do better than about 1032 to 1, so a header that claims more is damaged;
// checking first spares allocating up to 4 GB for it.
constexpr std::uint64_t deflate_ratio_limit = 1032;

SetupFileListing stopped(std::string text, std::string error)
{
    return SetupFileListing{std::move(text), std::move(error)};
}

std::string damage_text(const ContainerLocation& container, std::size_t file_size)
{
    std::size_t after_marker = file_size - container.header.offset;
    if (after_marker < container_header_size)
        return "the container header at offset " + std::to_string(container.header.offset) + " is cut short: " +
               std::to_string(after_marker) + " of its " + std::to_string(container_header_size) +
               " bytes are in the file";
    return "the container is cut short: its header gives " + std::to_string(container.header.compressed_length) +
           " compressed bytes, the file holds " + std::to_string(after_marker - container_header_size);
}

std::string inflation_failure(const InflateOutcome& outcome, std::uint32_t expected)
{
    std::string header_length = "the header's inflated_length " + std::to_string(expected);
    if (outcome.zlib_status == Z_STREAM_END)
        return "the package inflates to " + std::to_string(outcome.produced) + " bytes, not " + header_length;
    if (outcome.produced == expected)
        return "the package inflates to more bytes than " + header_length;
    return "the package does not inflate: zlib stops with \"" + std::string(zError(outcome.zlib_status)) +
           "\" after " + std::to_string(outcome.produced) + " bytes";
}

// The package, or the reason it cannot be had.
std::optional<std::string> inflate(const ContainerLocation& container, std::vector<std::uint8_t>& package)
{
    std::uint32_t expected = container.header.inflated_length;
    if (expected > deflate_ratio_limit * container.compressed.size())
        return "the container is damaged: " + std::to_string(container.compressed.size()) +
               " compressed bytes cannot inflate to the header's inflated_length " + std::to_string(expected);
    package.resize(expected);
    std::atomic<std::uint32_t> remaining{0};
    InflateOutcome outcome = inflate_package(container.compressed, package, remaining);
    if (!inflated_completely(outcome, expected)) return inflation_failure(outcome, expected);
    return std::nullopt;
}

} // namespace

SetupFileListing list_setup_file(std::span<const std::uint8_t> file_image)
{
    ContainerLocation container = find_container(file_image);
    if (container.result == ContainerSearch::not_found)
        return stopped("", "no setup package: the file holds no container marker");
    if (container.result == ContainerSearch::damaged) return stopped("", damage_text(container, file_image.size()));

    std::uint32_t computed = compute_crc(container.compressed);
    std::string text = compose_container_listing(container.header, computed);
    if (computed != container.header.checksum)
        return stopped(text, "the container is damaged: its checksum does not match the compressed bytes");

    std::vector<std::uint8_t> package;
    if (std::optional<std::string> problem = inflate(container, package)) return stopped(text, *problem);
    ::SetupDescription description;
    if (!read_setup_description(package, description))
        return stopped(text, "the setup description is damaged: the setup program refuses the package");
    return SetupFileListing{text + compose_description_listing(description, package), std::nullopt};
}

std::optional<std::string> setup_file_problem(std::span<const std::uint8_t> file_image)
{
    return list_setup_file(file_image).error;
}

} // namespace builder
