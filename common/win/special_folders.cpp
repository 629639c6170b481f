#include "special_folders.h"

#include "directories.h"
#include "scoped_item_list.h"

#include <windows.h>

#include <shlobj.h>

namespace {

enum class Fallback {
    none,           // the folder keeps what it held
    fixed,          // a path of its own, one for each family of systems
    same_as,        // a folder of all users falls back to the same folder of this user
    program_files,  // a writable c:\program files, else the documents
};

struct FolderRule {
    SpecialFolder folder;
    int csidl;
    Fallback fallback;
    const char* on_9x;
    const char* on_nt;
    SpecialFolder earlier;  // with Fallback::same_as, resolved before this one
};

constexpr SpecialFolder unused = SpecialFolder::count;

constexpr FolderRule folder_rules[] = {
    {SpecialFolder::startup, CSIDL_STARTUP, Fallback::none, nullptr, nullptr, unused},
    {SpecialFolder::desktop, CSIDL_DESKTOP, Fallback::none, nullptr, nullptr, unused},
    {SpecialFolder::program_files, CSIDL_PROGRAM_FILES, Fallback::program_files, nullptr, nullptr, unused},
    {SpecialFolder::programs, CSIDL_PROGRAMS, Fallback::none, nullptr, nullptr, unused},
    {SpecialFolder::recent, CSIDL_RECENT, Fallback::none, nullptr, nullptr, unused},
    {SpecialFolder::system, CSIDL_SYSTEM, Fallback::fixed, "c:\\windows\\system32", "c:\\winnt\\system32", unused},
    {SpecialFolder::common_files, CSIDL_PROGRAM_FILES_COMMON, Fallback::fixed, "c:\\program files\\common files",
     "c:\\program files\\common files", unused},
    {SpecialFolder::windows, CSIDL_WINDOWS, Fallback::fixed, "c:\\windows", "c:\\winnt", unused},
    {SpecialFolder::common_desktop, CSIDL_COMMON_DESKTOPDIRECTORY, Fallback::same_as, nullptr, nullptr,
     SpecialFolder::desktop},
    {SpecialFolder::desktop_directory, CSIDL_DESKTOPDIRECTORY, Fallback::same_as, nullptr, nullptr,
     SpecialFolder::desktop},
    {SpecialFolder::common_programs, CSIDL_COMMON_PROGRAMS, Fallback::same_as, nullptr, nullptr,
     SpecialFolder::programs},
    {SpecialFolder::common_startup, CSIDL_COMMON_STARTUP, Fallback::same_as, nullptr, nullptr, SpecialFolder::startup},
    {SpecialFolder::documents, CSIDL_PERSONAL, Fallback::fixed, "c:\\", "c:\\", unused},
    {SpecialFolder::common_appdata, CSIDL_COMMON_APPDATA, Fallback::fixed, "", "", unused},
    {SpecialFolder::common_documents, CSIDL_COMMON_DOCUMENTS, Fallback::same_as, nullptr, nullptr,
     SpecialFolder::documents},
    {SpecialFolder::profile, CSIDL_PROFILE, Fallback::none, nullptr, nullptr, unused},
    {SpecialFolder::start_menu, CSIDL_STARTMENU, Fallback::none, nullptr, nullptr, unused},
    {SpecialFolder::common_start_menu, CSIDL_COMMON_STARTMENU, Fallback::none, nullptr, nullptr, unused},
    {SpecialFolder::appdata, CSIDL_APPDATA, Fallback::none, nullptr, nullptr, unused},
    {SpecialFolder::local_appdata, CSIDL_LOCAL_APPDATA, Fallback::none, nullptr, nullptr, unused},
    {SpecialFolder::program_files_x86, CSIDL_PROGRAM_FILESX86, Fallback::none, nullptr, nullptr, unused},
    {SpecialFolder::common_files_x86, CSIDL_PROGRAM_FILES_COMMONX86, Fallback::none, nullptr, nullptr, unused},
    {SpecialFolder::system_x86, CSIDL_SYSTEMX86, Fallback::none, nullptr, nullptr, unused},
};

// Without a program files folder the program goes where this user can surely write.
std::optional<std::string> program_files_fallback(const FolderSystem& system)
{
    const std::string usual = "c:\\program files";
    if (system.can_write(usual)) return usual;
    return system.shell_folder(CSIDL_PERSONAL);
}

std::optional<std::string> fallback_path(const FolderRule& rule, SpecialFolders& folders, const FolderSystem& system)
{
    switch (rule.fallback) {
    case Fallback::none: return std::nullopt;
    case Fallback::fixed: return std::string(system.windows_9x() ? rule.on_9x : rule.on_nt);
    case Fallback::same_as: return folders[rule.earlier];
    case Fallback::program_files: return program_files_fallback(system);
    }
    return std::nullopt;
}

class ThisSystem : public FolderSystem {
public:
    std::optional<std::string> shell_folder(int csidl) const override
    {
        ScopedItemList location;
        if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, location.receive())) || !location.valid())
            return std::nullopt;
        // SHGetPathFromIDListA writes at most MAX_PATH characters.
        std::string path(MAX_PATH + 1, '\0');
        if (!SHGetPathFromIDListA(location.get(), path.data())) return std::nullopt;
        path.resize(path.find('\0'));
        return path;
    }
    bool windows_9x() const override { return (GetVersion() & 0x80000000u) != 0; }
    bool can_write(const std::string& directory) const override { return can_write_directory(directory); }
};

constexpr std::size_t index(SpecialFolder folder) { return static_cast<std::size_t>(folder); }

} // namespace

namespace {

constexpr std::string SpecialFolders::*folder_fields[] = {
    &SpecialFolders::startup,          &SpecialFolders::desktop,           &SpecialFolders::program_files,
    &SpecialFolders::programs,         &SpecialFolders::recent,            &SpecialFolders::system,
    &SpecialFolders::common_files,     &SpecialFolders::windows,           &SpecialFolders::common_desktop,
    &SpecialFolders::desktop_directory, &SpecialFolders::common_programs,  &SpecialFolders::common_startup,
    &SpecialFolders::documents,        &SpecialFolders::common_appdata,    &SpecialFolders::common_documents,
    &SpecialFolders::profile,          &SpecialFolders::start_menu,        &SpecialFolders::common_start_menu,
    &SpecialFolders::appdata,          &SpecialFolders::local_appdata,     &SpecialFolders::program_files_x86,
    &SpecialFolders::common_files_x86, &SpecialFolders::system_x86};
static_assert(std::size(folder_fields) == index(SpecialFolder::count));
static_assert(std::size(folder_rules) == index(SpecialFolder::count));

} // namespace

std::string& SpecialFolders::operator[](SpecialFolder folder) { return this->*folder_fields[index(folder)]; }

const std::string& SpecialFolders::operator[](SpecialFolder folder) const
{
    return this->*folder_fields[index(folder)];
}

FolderSet folder_set(std::initializer_list<SpecialFolder> folders)
{
    FolderSet set;
    for (SpecialFolder folder : folders) set[index(folder)] = true;
    return set;
}

FolderSet setup_folders()
{
    return folder_set({SpecialFolder::startup, SpecialFolder::desktop, SpecialFolder::program_files,
                       SpecialFolder::programs, SpecialFolder::system, SpecialFolder::common_files,
                       SpecialFolder::windows, SpecialFolder::common_desktop, SpecialFolder::desktop_directory,
                       SpecialFolder::common_programs, SpecialFolder::common_startup, SpecialFolder::documents,
                       SpecialFolder::common_documents});
}

FolderSet all_folders() { return FolderSet().set(); }

const FolderSystem& this_system()
{
    static const ThisSystem system;
    return system;
}

bool resolve_special_folders(SpecialFolders& folders, const FolderSet& wanted, const FolderSystem& system)
{
    for (const FolderRule& rule : folder_rules) {
        if (!wanted[index(rule.folder)]) continue;
        std::optional<std::string> path = system.shell_folder(rule.csidl);
        if (!path) path = fallback_path(rule, folders, system);
        if (path) folders[rule.folder] = *path;
    }
    return true;
}

bool resolve_special_folders(SpecialFolders& folders, const FolderSet& wanted)
{
    return resolve_special_folders(folders, wanted, this_system());
}
