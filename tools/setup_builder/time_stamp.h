// File time stamps as the package stores them: seconds since 1970-01-01 00:00 UTC in two
// u32 halves.
#pragma once

#include <cstdint>
#include <string_view>

namespace builder {

struct TimeStamp {
    std::uint32_t time_high = 0;
    std::uint32_t time_low = 0;
};

TimeStamp split_time_stamp(std::uint64_t seconds);

// The value of SOURCE_DATE_EPOCH, which replaces every file's modification time so that two
// builds of the same sources give the same bytes. Throws BuildError unless it is a plain
// decimal number of seconds.
std::uint64_t parse_source_date_epoch(std::string_view text);

} // namespace builder
