// Time stamps of the file table as a person reads them.
#pragma once

#include <cstdint>
#include <string>

namespace builder {

// "YYYY-MM-DD hh:mm:ss UTC" for seconds since 1970-01-01 00:00 UTC. Every 64-bit value has
// a date: years past 9999 simply get more digits.
std::string utc_time_text(std::uint64_t seconds);

} // namespace builder
