// The line syntax of a manifest: blank lines, comments ("#" or ";" first), section headers
// ("[file]") and settings ("key = value").
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace builder {

struct ManifestLine {
    enum class Kind { section, setting };
    Kind kind = Kind::setting;
    int number = 0;     // 1-based
    std::string name;   // section name, or the setting's key
    std::string value;  // the setting's value: blanks around it dropped, then one pair of
                        // enclosing double quotes, which keep blanks at its ends
};

// The meaningful lines of `text`, in order. Lines end at LF or CR LF. Throws BuildError for a
// line that is none of the above.
std::vector<ManifestLine> split_manifest_lines(std::string_view text);

} // namespace builder
