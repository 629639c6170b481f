// A make-style dependency file, so that a build system re-runs the builder when any file the
// manifest names changes, without listing them a second time.
#pragma once

#include <string>
#include <vector>

namespace builder {

// "target: dep dep ...\n" with blanks, "#" and "$" escaped as make and Ninja read them.
std::string compose_depfile(const std::string& target, const std::vector<std::string>& dependencies);

} // namespace builder
