// Setup files with a package that the package builder would refuse to make: the package of a
// built setup file, changed and packed again.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Changes the inflated package of a setup file in place; false when it cannot.
using PackageChange = std::function<bool(std::string& package)>;

// The setup file `setup` (its bytes) with its package inflated, changed and compressed again
// behind the same program image, with a header and checksum that fit; none when the file holds
// no whole container, its package does not inflate, or the change fails.
std::optional<std::string> repacked_setup(const std::string& setup, const PackageChange& change);

// A text as the package holds it: its characters, then 1 to 4 zero bytes up to a multiple of 4.
std::string package_text(std::string_view text);
