// Checks of the contents of files that a manifest names. Each returns what is wrong, or
// nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace builder {

// The setup program hands a picture to the display as a BMP file image; the builder takes one
// only when the setup program's own check (setup/description/bitmap_image.h) does.
std::optional<std::string> bitmap_problem(std::span<const std::uint8_t> image);

// A package text ends at its first NUL, so a text file must not hold one.
std::optional<std::string> text_problem(std::span<const std::uint8_t> text);

} // namespace builder
