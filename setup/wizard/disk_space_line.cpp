#include "disk_space_line.h"

namespace {

constexpr std::uint64_t megabyte = 1000000;
constexpr std::uint64_t shown_megabytes_limit = 2000;

// Whole megabytes plus one: 1 means less than one million bytes.
std::uint64_t rounded_up_megabytes(std::uint64_t bytes) { return bytes / megabyte + 1; }

std::string megabytes_text(std::uint64_t bytes, const char* below_one)
{
    std::uint64_t megabytes = rounded_up_megabytes(bytes);
    if (megabytes == 1) return below_one;
    if (megabytes < shown_megabytes_limit) return std::to_string(megabytes) + " Megabytes";
    return "More than 2 Gigabytes";
}

} // namespace

std::string disk_space_line(std::uint64_t free_bytes, std::uint32_t required_bytes)
{
    // A free count under one megabyte is taken for a failed query, hence "can not be determined".
    std::string free_text = megabytes_text(free_bytes, "Can not be determined");
    std::string required_text = megabytes_text(required_bytes, "Less than 1 megabyte");
    const char* status = required_bytes > free_bytes ? "WARNING" : "OK";
    return std::string("Disk space ") + status + ".   Free space: " + free_text + ".    Required: " +
           required_text + ".";
}
