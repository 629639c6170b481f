// Letter case as Windows ignores it in file names, registry keys and value names.
#pragma once

#include <string>
#include <string_view>

namespace builder {

bool equal_ignoring_case(std::string_view a, std::string_view b);
std::string lower_case(std::string_view text);

} // namespace builder
