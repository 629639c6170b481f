// Names from the file table that become paths below the folders the user chose. A name that
// could reach outside them marks a damaged package.
#pragma once

#include <string_view>

// A file name without any folder: not empty, no "\", "/" or ":", and not made only of dots and
// blanks (Windows trims those, so "." , ".." or ". ." name a folder, not a file).
bool is_plain_file_name(std::string_view name);

// A folder path below the target folder: empty, or levels separated by "\" or "/" with no
// leading separator, no ":" (drive or stream), and no level of two or more dots and nothing but
// dots and blanks (a way up).
bool is_relative_subdirectory(std::string_view path);
