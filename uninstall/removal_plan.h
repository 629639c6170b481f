// What the removal may touch. The log is input from outside and the uninstaller may run with an
// administrator's rights, so no entry is trusted to name an item of this installation: values
// that name a drive or share root, something relative, or one of the system's own folders are left
// alone, and a created folder above another created folder is never emptied, since the person
// may keep files there.
#pragma once

#include "uninstall_logic.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The path as the removal compares paths, read the way Windows reads it: lower case (A to Z),
// "/" taken as "\", runs of separators as one, "." and ".." resolved, trailing dots and blanks of
// each name dropped, no trailing separator: "C:\Apps\.\Tool\" gives "c:\apps\tool",
// "\\Server\Share\Dir" gives "\\server\share\dir". None for a path that names nothing below a
// drive root ("C:\") or a share root ("\\server\share"): an empty or relative one (also "C:x" and
// "\x"), a root itself, a device path ("\\?\", "\\.\"), or one holding a character that no file
// name holds (a ":" past the drive among them, which would name a stream).
std::optional<std::string> comparable_path(std::string_view path);

// Comparable paths, sorted once, so that each question costs a binary search.
class PathSet {
public:
    PathSet() = default;
    explicit PathSet(std::vector<std::string> comparable_paths);

    bool contains(std::string_view comparable) const;
    // Whether a path of the set lies inside the folder: begins with it and a "\".
    bool has_path_inside(std::string_view comparable_folder) const;

private:
    std::vector<std::string> paths_;
};

// The system's own folders (Windows, System, Program Files, the profiles, desktops, menus, the
// temporary directory...), as the Win32 layer resolves them once. No entry removes or empties one
// of them, nor a folder that holds one.
class ProtectedFolders {
public:
    ProtectedFolders() = default;
    // Paths in any form; those that name no folder below a root are dropped, roots being refused
    // in any case.
    explicit ProtectedFolders(const std::vector<std::string>& paths);

    bool covers(std::string_view comparable_folder) const;

private:
    PathSet folders_;
};

// Whether the entry's value can name an item of this installation: for the kinds that delete a
// file or remove a folder, a full path below a root that is no protected folder and holds none
// (a file may lie inside one: a shared library in the System folder). Entries without a path
// (description, registry, unknown) always can.
bool may_belong_to_installation(const UninstallEntry& entry, const ProtectedFolders& protected_folders);

// How the removal treats an entry.
enum class Treatment {
    nothing,          // a description, an unknown line, or a repeat of an earlier entry
    not_ours,         // a value that cannot be an item of this installation: a details line only
    remove,           // what the kind's removal does
    remove_if_empty,  // a created folder above another: removed when empty, never emptied
};

// The destination folder as the log tells it: the folder of its first "File Created" entry for
// "Install_Log.txt", in comparable form; none when the log names no such file.
std::optional<std::string> logged_destination(const std::vector<UninstallEntry>& entries);

// The treatment of every entry, in log order. A "Directory Created" folder that holds another
// "Directory Created" folder or the destination is only removed when empty, unless it is the
// destination or lies inside it: the destination and the files' subdirectories are emptied of
// their plain files. The folder paths are sorted once, so a log of thousands of entries costs
// no more than a sort.
std::vector<Treatment> removal_plan(const std::vector<UninstallEntry>& entries,
                                    const ProtectedFolders& protected_folders);

// The details line of an entry that the removal leaves alone.
std::string not_ours_line(std::string_view value);
