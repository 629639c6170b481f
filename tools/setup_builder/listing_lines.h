// The layout of a setup file's listing: one item per line, "name: value", nested items
// indented by two blanks per level.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace builder {

class ListingLines {
public:
    void line(std::string_view text);
    void field(std::string_view name, std::string_view value);
    void field(std::string_view name, std::uint32_t number);

    // A heading line; the lines that follow, up to the matching close(), belong to it.
    void open(std::string_view heading);
    void close();

    const std::string& text() const { return text_; }

private:
    std::string text_;
    int depth_ = 0;
};

} // namespace builder
