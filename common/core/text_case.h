// Letter case as Windows ignores it in file names, registry keys and value names: the letters
// A to Z only, whatever the locale; every other byte stands for itself.
#pragma once

#include <string>
#include <string_view>

bool equal_ignoring_case(std::string_view a, std::string_view b);

// Whether `part` occurs anywhere in `text`; an empty part occurs in every text.
bool contains_ignoring_case(std::string_view text, std::string_view part);

std::string lower_case(std::string_view text);
