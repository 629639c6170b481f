#include "listing_lines.h"

namespace builder {

void ListingLines::line(std::string_view text)
{
    text_.append(2 * static_cast<std::size_t>(depth_), ' ');
    text_ += text;
    text_ += '\n';
}

void ListingLines::field(std::string_view name, std::string_view value)
{
    line(std::string(name) + ": " + std::string(value));
}

void ListingLines::field(std::string_view name, std::uint32_t number)
{
    field(name, std::to_string(number));
}

void ListingLines::open(std::string_view heading)
{
    line(heading);
    ++depth_;
}

void ListingLines::close()
{
    if (depth_ > 0) --depth_;
}

} // namespace builder
