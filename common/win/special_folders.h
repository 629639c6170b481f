// The system's folders, found once at start-up and kept for the whole run: where the program,
// its shortcuts and its shared files go.
#pragma once

#include <bitset>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>

// In the order they are resolved: the fallbacks of the later ones use the earlier ones.
enum class SpecialFolder : std::size_t {
    startup,            // this user's Startup menu folder
    desktop,            // this user's desktop
    program_files,
    programs,           // this user's Programs menu folder
    recent,             // recent documents
    system,
    common_files,
    windows,
    common_desktop,
    desktop_directory,
    common_programs,
    common_startup,
    documents,          // this user's documents
    common_appdata,
    common_documents,   // all users' documents, for an all-users "<Documents and Settings>"
    // The system's own folders that setup.exe does not use; the uninstaller leaves them alone.
    profile,            // this user's profile
    start_menu,
    common_start_menu,
    appdata,
    local_appdata,
    program_files_x86,  // the 32-bit folders beside the 64-bit ones on a 64-bit system
    common_files_x86,
    system_x86,
    count
};

struct SpecialFolders {
    std::string startup;
    std::string desktop;
    std::string program_files;
    std::string programs;
    std::string recent;
    std::string system;
    std::string common_files;
    std::string windows;
    std::string common_desktop;
    std::string desktop_directory;
    std::string common_programs;
    std::string common_startup;
    std::string documents;
    std::string common_appdata;
    std::string common_documents;
    std::string profile;
    std::string start_menu;
    std::string common_start_menu;
    std::string appdata;
    std::string local_appdata;
    std::string program_files_x86;
    std::string common_files_x86;
    std::string system_x86;

    std::string& operator[](SpecialFolder folder);
    const std::string& operator[](SpecialFolder folder) const;
};

using FolderSet = std::bitset<static_cast<std::size_t>(SpecialFolder::count)>;

FolderSet folder_set(std::initializer_list<SpecialFolder> folders);

// What setup.exe asks for: the folders up to the common documents but the recent documents and
// the common application data.
FolderSet setup_folders();

FolderSet all_folders();

// What the resolution asks of the system; this_system() is the real one.
class FolderSystem {
public:
    virtual ~FolderSystem() = default;
    // The shell's path of a CSIDL folder, or none when the system has no such folder.
    virtual std::optional<std::string> shell_folder(int csidl) const = 0;
    // GetVersion's high bit: the Windows 95 family.
    virtual bool windows_9x() const = 0;
    virtual bool can_write(const std::string& directory) const = 0;
};

const FolderSystem& this_system();

// Fills each wanted folder, in the order of SpecialFolder, from the shell, or where the shell
// gives nothing from its fallback. A folder without a fallback (startup, desktop, programs,
// recent and the folders after the common documents) keeps what it held. Folders not wanted are left alone. Always true.
bool resolve_special_folders(SpecialFolders& folders, const FolderSet& wanted, const FolderSystem& system);
bool resolve_special_folders(SpecialFolders& folders, const FolderSet& wanted = setup_folders());
