// Splitting narrow paths: "\" is the separator; the functions that say so also take "/".
#pragma once

#include <string>
#include <string_view>

// Removes trailing "\" and "/" one at a time, never the first character: C:\ becomes C:, a
// single "\" stays as it is.
void strip_trailing_separators(std::string& text);

// The part of the path before its last "\", looking no further down than the second character
// (a "\" in the first position does not count): C:\Apps\setup.exe gives C:\Apps, C:\x gives C:.
// False, with empty output, when there is no such "\" or the path is empty.
bool parent_directory(std::string_view path, std::string& output);

// The root of a path. One that begins with "\" or "/": the leading run of separators, the next
// name, one separator, the following name and the character after it, so \\server\share\dir
// gives \\server\share\. Any other path: its first three characters, so C:\Program Files gives
// C:\ (a shorter path is returned whole).
std::string path_root(std::string_view path);

// Whether the path names its volume, so that it means the same whatever the current directory:
// a drive letter, ":" and a separator (C:\Apps), or two separators, a server name, a separator,
// a share name and a separator (\\server\share\Apps). "C:Apps", "\Apps" and "Apps" depend on
// the current drive or directory; "C:" and "\\server\share" lack the separator of their root.
// "/" counts as a separator, as it does for the system's file functions.
bool is_full_path(std::string_view path);
