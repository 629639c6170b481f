#include "shortcuts.h"

#include "directories.h"
#include "install_log.h"
#include "install_messages.h"
#include "install_texts.h"
#include "installed_files.h"
#include "path_text.h"
#include "registry_writer.h"
#include "scoped_com.h"
#include "scoped_handle.h"
#include "text_lines.h"
#include "trace.h"

#include <shlobj.h>

using namespace std::string_view_literals;

namespace {

// The folder of the install-for choice: this user's, or all users'.
const std::string& chosen_folder(const InstallContext& install, const std::string& this_user,
                                 const std::string& all_users)
{
    return install.install_for == 1 ? this_user : all_users;
}

// One shortcut for every file entry that asks for this kind; a failure is reported and the
// next entry follows.
void create_shortcuts(const InstallContext& install, std::uint32_t FileEntry::*wanted, const std::string& folder,
                      std::string_view log_kind, const char* failure_message)
{
    const std::vector<FileEntry>& files = install.description->files;
    for (std::size_t entry = 0; entry < files.size(); ++entry)
        if (files[entry].*wanted == 1 && !create_entry_shortcut(install, entry, folder, log_kind))
            MessageBoxA(install.window, failure_message, installation_information_title, MB_OK | MB_ICONINFORMATION);
}

// A REG_SZ value that the uninstaller need not know about: it goes with its key.
void set_text_value(const InstallContext& install, HKEY key, const std::string& name, const std::string& text)
{
    set_registry_value(install, key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size()), std::nullopt);
}

} // namespace

bool create_shortcut(const std::string& target, const std::string& link_path, const std::string& description)
{
    TRACE_POINT();
    ScopedComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.receive_void())))
        return false;
    std::string directory;
    parent_directory(target, directory);
    if (FAILED(link->SetPath(target.c_str())) || FAILED(link->SetWorkingDirectory(directory.c_str())) ||
        FAILED(link->SetDescription(description.c_str())))
        return false;
    ScopedComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.receive_void()))) return false;
    // IPersistFile takes the path in wide characters, at most MAX_PATH of them.
    wchar_t wide_path[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, link_path.c_str(), -1, wide_path, MAX_PATH) == 0) return false;
    return SUCCEEDED(file->Save(wide_path, TRUE));
}

bool create_entry_shortcut(const InstallContext& install, std::size_t entry, const std::string& folder,
                           std::string_view log_kind)
{
    TRACE_POINT();
    const std::string& name = install.description->files[entry].shortcut_name;
    std::string link_path = join({folder, "\\"sv, shortcut_file_name(name)});
    return create_shortcut(installed_path(install, entry, false), link_path, shortcut_description(name)) &&
           append_log_entry(install, log_kind, link_path);
}

void create_desktop_shortcuts(const InstallContext& install)
{
    TRACE_POINT();
    if (install.state->desktop_icon != 1) return;
    create_shortcuts(install, &FileEntry::desktop_shortcut,
                     chosen_folder(install, install.folders->desktop, install.folders->common_desktop),
                     log_desktop_shortcut, desktop_shortcut_failure_message);
}

bool create_program_group(const InstallContext& install)
{
    TRACE_POINT();
    const SetupDescription& description = *install.description;
    if (install.state->program_group != 1 || description.create_program_group != 1) return true;
    std::string group = join({chosen_folder(install, install.folders->programs, install.folders->common_programs), "\\"sv,
                              description.program_group_name});
    int created = 0;
    // Without its folder there is no group: no shortcuts and no message.
    if (!create_directory_path(group, &created)) return true;
    if (!log_created_directories(install, log_program_group, group, created)) return false;
    create_shortcuts(install, &FileEntry::group_shortcut, group, log_program_group_shortcut,
                     group_shortcut_failure_message);
    return true;
}

void create_startup_shortcuts(const InstallContext& install)
{
    TRACE_POINT();
    if (install.state->start_at_login != 1) return;
    create_shortcuts(install, &FileEntry::startup_shortcut,
                     chosen_folder(install, install.folders->startup, install.folders->common_startup),
                     log_startup_shortcut, startup_shortcut_failure_message);
}

void register_uninstall(const InstallContext& install)
{
    TRACE_POINT();
    if (install.description->make_uninstall != 1) return;
    UninstallRegistration registration = uninstall_registration(*install.description, install.state->directory);
    ScopedRegistryKey key;
    if (create_key_path(install, RegistryRoot::local_machine, registration.key, key) != ERROR_SUCCESS) return;
    set_text_value(install, key.get(), "DisplayName", registration.display_name);
    set_text_value(install, key.get(), "UninstallString", registration.command);
}

void remove_old_uninstall_shortcuts(const InstallContext& install)
{
    TRACE_POINT();
    if (!install.update_mode || install.description->make_uninstall != 1) return;
    UninstallShortcutScan scan;
    {
        // Both openings are exclusive: the installation's own is closed, the next entry opens
        // the log again.
        if (install.log) install.log->close();
        ScopedHandle log(CreateFileA(install_log_path(install.state->directory).c_str(), GENERIC_READ, 0, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!log.valid()) return;
        // A bare LF line ends the scan as the end of the file does.
        std::string line;
        while (read_line(log.get(), line) && scan.take(line)) {
        }
    }
    std::size_t position = 0;
    while (const char* path = scan.next_stale(position)) DeleteFileA(path);
}

void associate_extensions(const InstallContext& install)
{
    TRACE_POINT();
    if (install.state->associate != 1) return;
    bool current_user = associate_for_current_user(install.install_for, install.nt_family);
    RegistryRoot root = current_user ? RegistryRoot::current_user : RegistryRoot::classes_root;
    for (const ExtensionEntry& extension : install.description->extensions) {
        std::string program = installed_path(install, extension.file_index, false);
        for (int step = 0; step < association_steps; ++step) {
            RegistryText text = association_text(extension.extension, program, current_user, step);
            ScopedRegistryKey key;
            bool made = create_key_path(install, root, text.key, key) == ERROR_SUCCESS;
            // Without the extension's own key the extension is left out; later keys may fail.
            if (step == 0 && !made) break;
            if (made) set_text_value(install, key.get(), text.value_name, text.data);
        }
    }
}
