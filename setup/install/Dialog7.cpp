#include "Dialog7.h"

#include "directories.h"
#include "install_log.h"
#include "install_messages.h"
#include "install_steps.h"
#include "install_texts.h"
#include "installed_files.h"
#include "page_frame.h"
#include "registry_writer.h"
#include "rich_edit.h"
#include "scoped_handle.h"
#include "setup_resource.h"
#include "shortcuts.h"
#include "trace.h"

#include <commctrl.h>

#include <mutex>

namespace {

// The engine's counters belong to the process: a page shown again after Back goes on counting
// files from where it was (only 0 files can have been done then).
std::uint32_t step_counter = 0;
std::uint32_t files_done = 0;
std::uint8_t tick_busy = 0;

constexpr UINT_PTR tick_timer = 0;
constexpr UINT tick_period_ms = 1;
// While the files are written the bar moves at most this often: drawing it for every file
// took more time than writing the files.
constexpr double progress_interval_ms = 1000.0 / 30;

constexpr char error_title[] = "Installation Error";

constexpr char cannot_list_message[] =
    "Change the installation directory.  The install directory must be new or empty: ";
constexpr char not_empty_message[] =
    "Change the installation directory.  The install directory must be new, empty, or a previous installation "
    "directory of the software you are installing.";
constexpr char update_question[] =
    "You have chosen to install this software to directory which contains a previously installed version.  Do "
    "you want to continue with this update installation?\n\nChoose No to change the destination directory.";
constexpr char cannot_create_message[] = "Change the installation directory.  Unable to create directory: ";

constexpr char installing_banner[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs16\\par\r\n"
    "\\b   Installation in progress ...\\par\r\n"
    "  \\b0 Files are being copied to your system.\\par\r\n"
    "\\b\\par\r\n"
    "}\r\n";
constexpr char complete_banner[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs16\\par\r\n"
    "\\b   Complete\\par\r\n"
    "  \\b0 You may exit the install program.\\par\r\n"
    "\\b\\par\r\n"
    "}\r\n";

bool is_file(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The last-write time of a file (not a directory) at the path, in seconds since 1970; false when
// there is none.
bool file_write_time(const std::string& path, std::uint64_t& seconds)
{
    WIN32_FILE_ATTRIBUTE_DATA found;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &found) ||
        (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    std::uint64_t ticks = (static_cast<std::uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                          found.ftLastWriteTime.dwLowDateTime;
    std::uint64_t epoch = unix_time_to_file_time(0);
    seconds = ticks < epoch ? 0 : (ticks - epoch) / 10000000ULL;
    return true;
}

// Only the last-write time; creation and last access stay as they are. Set after the last
// write through the handle, so that closing it leaves the time alone.
void set_write_time(HANDLE file, std::uint32_t seconds)
{
    std::uint64_t ticks = unix_time_to_file_time(seconds);
    FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SetFileTime(file, nullptr, nullptr, &time);
}

// For a file the installation did not write: the one at the path, if any.
void set_write_time(const std::string& path, std::uint32_t seconds)
{
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.valid()) set_write_time(file.get(), seconds);
}

// Showing and hiding only change the styles; the repaint at the end of the installation makes
// the changes appear.
void set_shown(HWND page, int control_id, bool shown, bool enabled)
{
    HWND control = GetDlgItem(page, control_id);
    LONG style = GetWindowLongA(control, GWL_STYLE) & ~(WS_VISIBLE | WS_DISABLED);
    if (shown) style |= WS_VISIBLE;
    if (!enabled) style |= WS_DISABLED;
    SetWindowLongA(control, GWL_STYLE, style);
    SetWindowPos(control, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

} // namespace

InstallPage::InstallPage(const WizardContext& context) : PageDialog(IDD_INSTALL), context_(context) {}

void InstallPage::prepare(const InstallContext& install)
{
    install_ = install;
    install_.log = &log_;
}

int InstallPage::ask(const char* text, const char* title, UINT type)
{
    return MessageBoxA(window(), text, title, type);
}

bool InstallPage::on_init_dialog()
{
    TRACE_POINT();
    set_page_result(result_ended);
    install_.window = window();
    install_.update_mode = update_mode_ != 0;
    show_page_picture(window(), context_);
    header_control_ = make_header_band(window(), context_.instance, installing_banner);
    SetTimer(window(), tick_timer, tick_period_ms, nullptr);
    return true;
}

void InstallPage::on_timer(UINT_PTR) { tick(); }

// One step per tick. A message box of a step runs a nested message loop that delivers further
// ticks; tick_busy drops them (the lock would not: it lets its own thread in again).
void InstallPage::tick()
{
    if (tick_busy) return;
    tick_busy = 1;
    std::unique_lock<CriticalSection> lock(tick_lock_);
    std::uint32_t file_count = static_cast<std::uint32_t>(install_.description->files.size());
    SendDlgItemMessageA(window(), IDC_INSTALL_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, progress_range(file_count)));
    ++step_counter;
    show_progress();
    std::uint32_t step_number = step_counter;
    if (run_step(step_number)) {
        lock.unlock();
        tick_busy = 0;
        set_page_result(result_completed);
        return;
    }
    step_counter = 0;
    KillTimer(window(), tick_timer);
    log_.close();
    lock.unlock();
    tick_busy = 0;
    end_page(failure_result(install_step(step_number)));
}

void InstallPage::show_progress()
{
    SendDlgItemMessageA(window(), IDC_INSTALL_PROGRESS, PBM_SETPOS, step_counter + files_done, 0);
    since_progress_shown_.restart();
}

void InstallPage::show_progress_now_and_then()
{
    if (since_progress_shown_.elapsed_ms() >= progress_interval_ms) show_progress();
}

bool InstallPage::run_step(std::uint32_t step_number)
{
    TRACE_POINT();
    const SetupDescription& description = *install_.description;
    switch (install_step(step_number)) {
    case InstallStep::destination: return check_destination();
    case InstallStep::log_itself: return append_log_entry(install_, log_file_created);
    case InstallStep::description:
        return append_log_entry(install_, log_description, description_value(description, install_.state->directory));
    case InstallStep::extract_files: return extract_files();
    case InstallStep::desktop_shortcuts: create_desktop_shortcuts(install_); break;
    case InstallStep::program_group: return create_program_group(install_);
    case InstallStep::startup_shortcuts: create_startup_shortcuts(install_); break;
    case InstallStep::uninstall_registration: register_uninstall(install_); break;
    case InstallStep::old_uninstall_shortcuts: remove_old_uninstall_shortcuts(install_); break;
    case InstallStep::nothing: break;
    case InstallStep::associations: associate_extensions(install_); break;
    case InstallStep::run_during_install:
        start_files(&FileEntry::run_during_install, &FileEntry::run_arguments);
        break;
    case InstallStep::registry_entries: write_registry_entries(install_); break;
    case InstallStep::closing: close_installation(); break;
    }
    return true;
}

// Step 1. A destination that holds anything must hold the log of an earlier installation, and
// the user must agree to install over it. Without an uninstaller the content is not looked at.
bool InstallPage::check_destination()
{
    TRACE_POINT();
    const std::string& destination = install_.state->directory;
    if (install_.description->make_uninstall == 1) {
        switch (directory_state(destination)) {
        case DirectoryState::cannot_list:
            ask(join({cannot_list_message, destination}).c_str(), fatal_installation_error_title,
                MB_OK | MB_ICONWARNING);
            return false;
        case DirectoryState::not_empty:
            if (!is_file(install_log_path(destination))) {
                ask(not_empty_message, installation_information_title, MB_OK | MB_ICONINFORMATION);
                return false;
            }
            if (ask(update_question, installation_information_title, MB_YESNO | MB_ICONQUESTION) != IDYES)
                return false;
            update_mode_ = 1;
            install_.update_mode = true;
            break;
        default: break;
        }
    }
    int created = 0;
    if (!create_directory_path(destination, &created)) {
        ask(join({cannot_create_message, destination}).c_str(), error_title, MB_OK | MB_ICONWARNING);
        return false;
    }
    return log_created_directories(install_, log_directory_created, destination, created);
}

// Step 4: every file of the table, straight from the package, in one tick; only the progress
// bar moves meanwhile, now and then, and to its exact place at the end.
bool InstallPage::extract_files()
{
    TRACE_POINT();
    for (std::size_t entry = 0; entry < install_.description->files.size(); ++entry) {
        if (!extract_file(entry)) return false;
        ++files_done;
        show_progress_now_and_then();
    }
    show_progress();
    return true;
}

bool InstallPage::extract_file(std::size_t entry)
{
    const FileEntry& file = install_.description->files[entry];
    std::string path = installed_path(install_, entry, false);
    if (file.use_subdirectory) {
        // The installed path is the subdirectory's path, "\" and the name.
        std::string directory = path.substr(0, path.size() - file.name.size() - 1);
        int created = 0;
        if (!create_directory_path(directory, &created)) {
            ask(join({"Unable to create the directory: ", directory, ".  This is a fatal error."}).c_str(),
                installation_information_title, MB_OK | MB_ICONINFORMATION);
            return false;
        }
        log_created_directories(install_, log_directory_created, directory, created);
    }

    std::uint64_t existing = 0;
    if (update_mode_ && file_write_time(path, existing) && keep_existing_file(existing, file.time_high, file.time_low))
        return true;

    ScopedHandle written;
    while (!(written = write_file(path, file)).valid()) {
        std::string prompt = join({"Unable to extract: ", path,
                                     ".  The file may locked by Windows.  You may attempt to fix the problem OR "
                                     "continue the installation without copying the file.\r\n\r\nWould you like "
                                     "to retry?"});
        if (ask(prompt.c_str(), installation_information_title, MB_YESNO | MB_ICONINFORMATION) != IDYES) break;
    }
    if (written.valid())
        set_write_time(written.get(), file.time_low);
    else
        set_write_time(path, file.time_low);
    written.reset();

    if (file.self_register == 1) {
        if (!append_log_entry(install_, log_file_ask_to_remove_and_unregister, path)) return false;
        std::string regsvr32 = join({install_.folders->system, "\\regsvr32.exe"});
        start_program(install_, 0, &regsvr32, join({"/s ", installed_path(install_, entry, true)}));
        return true;
    }
    bool shared_folder = file.target_folder <= target_common_files_directory;
    return append_log_entry(install_, shared_folder ? log_file_ask_to_remove : log_file_created, path);
}

// The whole content in one write, from the package held in memory; the file stays open for its
// time stamp. An invalid handle when the file cannot be created or the write fails or is short.
ScopedHandle InstallPage::write_file(const std::string& path, const FileEntry& file)
{
    ScopedHandle target(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target.valid()) return target;
    DWORD written = 0;
    const std::uint8_t* content = install_.package.data() + file.content_offset;
    if (!WriteFile(target.get(), content, file.content_size, &written, nullptr) || written != file.content_size)
        target.reset();
    return target;
}

// Starts every file whose flag is 1, in table order, with its arguments; never waits for them.
// Step 12 runs the programs of the installation, Exit the ones to start after it.
void InstallPage::start_files(std::uint32_t FileEntry::*flag, std::string FileEntry::*arguments)
{
    TRACE_POINT();
    const auto& files = install_.description->files;
    for (std::size_t entry = 0; entry < files.size(); ++entry)
        if (files[entry].*flag == 1) start_program(install_, entry, nullptr, files[entry].*arguments);
}

// The completion page: the bar gives way to "Install complete.", Exit and, when offered, the
// start box; the banner says so.
void InstallPage::close_installation()
{
    TRACE_POINT();
    HWND page = window();
    KillTimer(page, tick_timer);
    log_.close();
    set_shown(page, IDC_INSTALL_PROGRESS, false, true);
    set_shown(page, IDCANCEL, true, true);
    SetDlgItemTextA(page, IDC_INSTALL_COMPLETE, "Install complete.");
    set_shown(page, IDC_INSTALL_COMPLETE, true, true);
    if (install_.description->offer_start_application) set_shown(page, IDC_START_APPLICATION, true, true);

    if (header_control_) restream_rtf(header_control_, page, complete_banner);
    InvalidateRect(page, nullptr, TRUE);
}

// Exit, and Esc through the dialog manager: nothing while the button is disabled, that is while
// the installation runs.
void InstallPage::on_command(int id, int)
{
    if (id != IDCANCEL || !IsWindowEnabled(GetDlgItem(window(), IDCANCEL))) return;
    TRACE_POINT();
    if (page_result() == result_completed && IsDlgButtonChecked(window(), IDC_START_APPLICATION) == BST_CHECKED)
        start_files(&FileEntry::start_after_install, &FileEntry::start_arguments);
    end_page(page_result());
}
