// The summary page's line about free and required disk space.
#pragma once

#include <cstdint>
#include <string>

// free_bytes is 0 when the volume could not be queried. Megabytes are millions of bytes, and
// each number shown is the whole quotient plus one, so it never understates.
std::string disk_space_line(std::uint64_t free_bytes, std::uint32_t required_bytes);
