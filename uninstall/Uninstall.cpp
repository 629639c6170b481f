// uninstall.exe: undoes an installation from its install log.
//
// The copy the user starts lies in the installation directory, which the removal deletes. So that
// copy only copies itself to the temporary directory, starts that working copy and ends; the
// working copy does the work and stays behind in the temporary directory.
#include "common_controls.h"
#include "pages.h"
#include "path_text.h"
#include "process_start.h"
#include "program_file.h"
#include "rich_edit.h"
#include "scoped_com.h"
#include "scoped_handle.h"
#include "special_folders.h"
#include "system_folders.h"
#include "system_library.h"
#include "uninstall_logic.h"
#include "uninstall_resource.h"
#include "uninstall_run.h"

#include <windows.h>

namespace {

constexpr char instance_lock_name[] = "Pellwick Uninstall Lock";
constexpr char already_running_message[] = "There is already an instance of this program running.";

// Copies this program to a new temporary file and starts it as the working copy, handing on the
// log's path and this file's path. Does not wait for it. A copy that cannot start is removed.
void start_working_copy(const std::string& program, const std::string& command_line)
{
    std::string copy = copy_program_to_temporary_file();
    if (copy.empty()) return;
    std::string working_command = working_copy_command_line(copy, command_argument(1, command_line), program);
    if (!start_without_waiting(working_command, {.inherit_handles = true})) DeleteFileA(copy.c_str());
}

// Once for the whole run: the system directory for the libraries and regsvr32, and every
// folder of the system, which the removal leaves alone.
void resolve_system_folders(UninstallRun& run)
{
    SpecialFolders folders;
    resolve_special_folders(folders, all_folders());
    run.system_directory = folders.system;
    run.protected_folders = ProtectedFolders(system_folder_paths(folders));
}

// The pages, one after the other; the progress page only after Uninstall.
void show_pages(UninstallRun& run)
{
    UninstallPage first(run);
    if (first.run(run.instance, run.icon) != result_uninstall) return;
    ProgressPage progress(run);
    progress.run(run.instance, run.icon);
}

// The working copy: one at a time, out of the installation directory's way.
void run_working_copy(UninstallRun& run, const std::string& program, const std::string& command_line)
{
    HANDLE semaphore = CreateSemaphoreA(nullptr, 0, 1, instance_lock_name);
    bool already_running = GetLastError() == ERROR_ALREADY_EXISTS;
    ScopedHandle lock(semaphore);
    if (already_running) {
        MessageBoxA(nullptr, already_running_message, already_running_message, MB_OK | MB_ICONINFORMATION);
        return;
    }
    run.started_copy = command_argument(2, command_line);
    run.log_path = command_argument(1, command_line);
    std::string directory;
    if (parent_directory(program, directory)) SetCurrentDirectoryA(directory.c_str());

    // Released in the opposite order: the pages, COM, then the rich-edit library.
    resolve_system_folders(run);
    ScopedLibrary rich_edit = load_rich_edit_library(run.system_directory);
    ScopedComInitialize com;
    run.icon = LoadIconA(run.instance, MAKEINTRESOURCEA(IDI_UNINSTALL));
    show_pages(run);
}

} // namespace

int uninstall_main(HINSTANCE instance)
{
    // Before anything can load a library by name; the working copy runs from the temporary
    // directory. The common controls stay for every window of the run.
    restrict_library_search_to_system_directory();
    ScopedLibrary common_controls = load_common_controls();
    UninstallRun run;
    run.instance = instance;
    run.nt_family = (GetVersion() & 0x80000000u) == 0;
    std::string command_line = GetCommandLineA();
    std::string program = program_file_path();
    if (is_working_copy(command_line))
        run_working_copy(run, program, command_line);
    else
        start_working_copy(program, command_line);
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return uninstall_main(instance); }
