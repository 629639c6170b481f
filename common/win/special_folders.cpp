#include "special_folders.h"

#include "directories.h"
#include "scoped_item_list.h"

#include <windows.h>

#include <shlobj.h>

#include <vector>

namespace {

using Fallback = std::function<std::optional<std::string>(SpecialFolders&, const FolderSystem&)>;

struct FolderRule {
    SpecialFolder folder;
    int csidl;
    Fallback fallback;  // none: the folder keeps what it held
};

Fallback fixed(const char* path) { return [path](SpecialFolders&, const FolderSystem&) { return std::string(path); }; }

Fallback by_family(const char* on_9x, const char* on_nt)
{
    return [=](SpecialFolders&, const FolderSystem& system) { return std::string(system.windows_9x ? on_9x : on_nt); };
}

// A folder of all users falls back to the same folder of this user, resolved earlier.
Fallback same_as(SpecialFolder earlier)
{
    return [earlier](SpecialFolders& folders, const FolderSystem&) { return folders[earlier]; };
}

// Without a program files folder the program goes where this user can surely write.
std::optional<std::string> program_files_fallback(SpecialFolders&, const FolderSystem& system)
{
    const std::string usual = "c:\\program files";
    if (system.can_write(usual)) return usual;
    return system.shell_folder(CSIDL_PERSONAL);
}

const std::vector<FolderRule>& folder_rules()
{
    static const std::vector<FolderRule> rules = {
        {SpecialFolder::startup, CSIDL_STARTUP, nullptr},
        {SpecialFolder::desktop, CSIDL_DESKTOP, nullptr},
        {SpecialFolder::program_files, CSIDL_PROGRAM_FILES, program_files_fallback},
        {SpecialFolder::programs, CSIDL_PROGRAMS, nullptr},
        {SpecialFolder::recent, CSIDL_RECENT, nullptr},
        {SpecialFolder::system, CSIDL_SYSTEM, by_family("c:\\windows\\system32", "c:\\winnt\\system32")},
        {SpecialFolder::common_files, CSIDL_PROGRAM_FILES_COMMON, fixed("c:\\program files\\common files")},
        {SpecialFolder::windows, CSIDL_WINDOWS, by_family("c:\\windows", "c:\\winnt")},
        {SpecialFolder::common_desktop, CSIDL_COMMON_DESKTOPDIRECTORY, same_as(SpecialFolder::desktop)},
        {SpecialFolder::desktop_directory, CSIDL_DESKTOPDIRECTORY, same_as(SpecialFolder::desktop)},
        {SpecialFolder::common_programs, CSIDL_COMMON_PROGRAMS, same_as(SpecialFolder::programs)},
        {SpecialFolder::common_startup, CSIDL_COMMON_STARTUP, same_as(SpecialFolder::startup)},
        {SpecialFolder::documents, CSIDL_PERSONAL, fixed("c:\\")},
        {SpecialFolder::common_appdata, CSIDL_COMMON_APPDATA, fixed("")},
        {SpecialFolder::common_documents, CSIDL_COMMON_DOCUMENTS, same_as(SpecialFolder::documents)},
    };
    return rules;
}

std::optional<std::string> shell_folder_path(int csidl)
{
    ScopedItemList location;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, location.receive())) || !location.valid()) return std::nullopt;
    // SHGetPathFromIDListA writes at most MAX_PATH characters.
    std::string path(MAX_PATH + 1, '\0');
    if (!SHGetPathFromIDListA(location.get(), path.data())) return std::nullopt;
    path.resize(path.find('\0'));
    return path;
}

} // namespace

std::string& SpecialFolders::operator[](SpecialFolder folder)
{
    std::string* fields[] = {&startup,       &desktop,           &program_files,   &programs,       &recent,
                             &system,        &common_files,      &windows,         &common_desktop, &desktop_directory,
                             &common_programs, &common_startup,  &documents,       &common_appdata, &common_documents};
    static_assert(std::size(fields) == static_cast<std::size_t>(SpecialFolder::count));
    return *fields[static_cast<std::size_t>(folder)];
}

FolderSet folder_set(std::initializer_list<SpecialFolder> folders)
{
    FolderSet set;
    for (SpecialFolder folder : folders) set.set(static_cast<std::size_t>(folder));
    return set;
}

FolderSet setup_folders()
{
    FolderSet set;
    set.set();
    set.reset(static_cast<std::size_t>(SpecialFolder::recent));
    set.reset(static_cast<std::size_t>(SpecialFolder::common_appdata));
    return set;
}

FolderSystem this_system()
{
    FolderSystem system;
    system.shell_folder = shell_folder_path;
    system.windows_9x = (GetVersion() & 0x80000000u) != 0;
    system.can_write = can_write_directory;
    return system;
}

bool resolve_special_folders(SpecialFolders& folders, const FolderSet& wanted, const FolderSystem& system)
{
    for (const FolderRule& rule : folder_rules()) {
        if (!wanted.test(static_cast<std::size_t>(rule.folder))) continue;
        std::optional<std::string> path = system.shell_folder(rule.csidl);
        if (!path && rule.fallback) path = rule.fallback(folders, system);
        if (path) folders[rule.folder] = *path;
    }
    return true;
}

bool resolve_special_folders(SpecialFolders& folders, const FolderSet& wanted)
{
    return resolve_special_folders(folders, wanted, this_system());
}
