#include "time_stamp.h"

#include "build_error.h"

#include <charconv>
#include <string>

namespace builder {

TimeStamp split_time_stamp(std::uint64_t seconds)
{
    return {static_cast<std::uint32_t>(seconds >> 32), static_cast<std::uint32_t>(seconds)};
}

std::uint64_t parse_source_date_epoch(std::string_view text)
{
    std::uint64_t seconds = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        throw BuildError("SOURCE_DATE_EPOCH must be a number of seconds since 1970, not \"" + std::string(text) +
                         "\"");
    return seconds;
}

} // namespace builder
