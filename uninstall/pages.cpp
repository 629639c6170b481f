#include "pages.h"

#include "header_band.h"
#include "install_log_file.h"
#include "install_log_kinds.h"
#include "path_text.h"
#include "removal.h"
#include "running_programs.h"
#include "stopwatch.h"
#include "uninstall_resource.h"

#include <commctrl.h>

#include <mutex>

namespace {

constexpr UINT_PTR removal_timer = 1;
// How long one tick removes entries before the page gets to repaint and take input.
constexpr double tick_budget_ms = 15;
constexpr char information_title[] = "Uninstall Information";

std::string window_text(HWND window)
{
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The text fields hold more than an edit control's usual 32 K characters: a long Details listing.
void lift_text_limit(HWND page) { SendDlgItemMessageA(page, IDC_TEXT, EM_LIMITTEXT, 0, 0); }

void focus_control(HWND page, int id)
{
    SendMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(page, id)), TRUE);
}

bool button_enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)); }

void show_and_enable(HWND page, int id)
{
    HWND control = GetDlgItem(page, id);
    ShowWindow(control, SW_SHOW);
    EnableWindow(control, TRUE);
}

// Disables a button; the focus, if it was there, goes on to `next`, so that keys still work.
void disable_button(HWND page, int id, int next)
{
    HWND button = GetDlgItem(page, id);
    if (GetFocus() == button) focus_control(page, next);
    EnableWindow(button, FALSE);
}

// Sets the busy flag for the length of one tick.
class BusyFlag {
public:
    explicit BusyFlag(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyFlag() { busy_ = false; }
    BusyFlag(const BusyFlag&) = delete;
    BusyFlag& operator=(const BusyFlag&) = delete;

private:
    bool& busy_;
};

} // namespace

// ---- the first page

UninstallPage::UninstallPage(UninstallRun& run) : CatchingPageDialog(IDD_UNINSTALL), run_(run) {}

bool UninstallPage::on_init_dialog()
{
    set_page_result(result_leave);
    lift_text_limit(window());
    make_header_band(window(), run_.instance, uninstall_header_rtf);
    if (!read_install_log()) {
        focus_control(window(), IDCANCEL);
        return false;
    }
    if (std::optional<std::string> name = installation_name(run_.entries))
        SetWindowTextA(window(), ("Uninstall " + *name).c_str());
    std::string text = introduction_text(run_.entries) +
                       running_programs_warning(running_program_paths(run_.nt_family, run_.system_directory),
                                                run_.entries);
    SetDlgItemTextA(window(), IDC_TEXT, text.c_str());
    focus_control(window(), IDOK);
    return false;
}

bool UninstallPage::read_install_log()
{
    if (std::optional<std::vector<UninstallEntry>> entries = read_install_log_file(run_.log_path)) {
        run_.entries = std::move(*entries);
        return true;
    }
    std::string directory;
    parent_directory(run_.started_copy, directory);
    std::string beside = directory.empty() ? install_log_file_name : directory + "\\" + install_log_file_name;
    if (std::optional<std::vector<UninstallEntry>> entries = read_install_log_file(beside)) {
        run_.entries = std::move(*entries);
        return true;
    }
    SetDlgItemTextA(window(), IDC_TEXT, missing_log_text(run_.log_path, beside).c_str());
    EnableWindow(GetDlgItem(window(), IDOK), FALSE);
    EnableWindow(GetDlgItem(window(), IDC_DETAILS), FALSE);
    return false;
}

void UninstallPage::show_details()
{
    disable_button(window(), IDC_DETAILS, IDOK);
    HWND text = GetDlgItem(window(), IDC_TEXT);
    SetWindowTextA(text, uninstall_page_details(window_text(text), run_.entries).c_str());
}

void UninstallPage::on_command(int id, int notification)
{
    if (notification != BN_CLICKED) return;
    switch (id) {
    case IDOK:
        // Enter reaches here also while Uninstall is disabled.
        if (button_enabled(window(), IDOK)) end_page(result_uninstall);
        break;
    case IDC_DETAILS:
        if (button_enabled(window(), IDC_DETAILS)) show_details();
        break;
    case IDCANCEL:
        end_page(result_leave);
        break;
    default:
        break;
    }
}

// Nothing has been removed yet: leaving is safe.
void UninstallPage::on_exception() noexcept { end_page(result_leave); }

// ---- the progress page

ProgressPage::ProgressPage(UninstallRun& run) : CatchingPageDialog(IDD_UNINSTALL_PROGRESS), run_(run) {}

bool ProgressPage::on_init_dialog()
{
    set_page_result(result_leave);
    lift_text_limit(window());
    band_ = make_header_band(window(), run_.instance, progress_header_rtf);
    plan_ = removal_plan(run_.entries, run_.protected_folders);
    SetTimer(window(), removal_timer, 1, nullptr);
    return true;
}

void ProgressPage::on_timer(UINT_PTR timer)
{
    if (timer == removal_timer) removal_tick();
}

// Entries from the last to the first, for about tick_budget_ms per tick, so that the timer's
// pace (a tick every 10 ms or so) does not set the pace of the removal; the page repaints
// between ticks. A tick ends early after a message box, whose own message loop has run
// meanwhile. A tick that arrives while a message box of an earlier tick is open returns at once.
void ProgressPage::removal_tick()
{
    if (busy_ || completed_) return;
    BusyFlag busy(busy_);
    std::lock_guard<CriticalSection> lock(lock_);
    const std::size_t count = run_.entries.size();
    if (!started_) {
        started_ = true;
        next_ = count == 0 ? 0 : count - 1;
    }
    const Stopwatch tick_time;
    for (;;) {
        const std::size_t boxes_before = boxes_shown_;
        if (count != 0) remove_entry(next_);
        ++entries_done_;
        if (next_ == 0) {
            complete();
            return;
        }
        --next_;
        if (boxes_shown_ != boxes_before || tick_time.elapsed_ms() >= tick_budget_ms) break;
    }
    SendDlgItemMessageA(window(), IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, static_cast<LPARAM>(count + 1));
    SendDlgItemMessageA(window(), IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(entries_done_), 0);
}

void ProgressPage::remove_entry(std::size_t index)
{
    const UninstallEntry& entry = run_.entries[index];
    bool removed = true;
    switch (plan_[index]) {
    case Treatment::nothing: return;
    case Treatment::not_ours: details_.push_back(not_ours_line(entry.value)); return;
    case Treatment::remove_if_empty: removed = remove_directory(entry.value); break;
    case Treatment::remove: removed = carry_out_removal(entry); break;
    }
    if (!removed) report_failure(index);
}

// The kind's action; false when it failed in a way worth reporting.
bool ProgressPage::carry_out_removal(const UninstallEntry& entry)
{
    const std::string& path = entry.value;
    switch (entry.kind) {
    case EntryKind::description:
    case EntryKind::unknown: return true;
    case EntryKind::directory_created: return empty_and_remove_directory(path);
    case EntryKind::program_group_created: return remove_directory(path);
    case EntryKind::desktop_shortcut:
    case EntryKind::program_group_shortcut:
    case EntryKind::startup_shortcut: return delete_file(path) == RemovalResult::removed;
    case EntryKind::file_ask_to_remove:
    case EntryKind::file_ask_to_remove_and_unregister:
        if (!ask_to_delete(path)) return true;
        if (entry.kind == EntryKind::file_ask_to_remove_and_unregister) unregister_server(run_.system_directory, path);
        [[fallthrough]];
    case EntryKind::file_created: return delete_file(path) != RemovalResult::failed;
    case EntryKind::delete_list: delete_file_or_directory(path); return true;
    case EntryKind::registry_entry: return remove_registry_key(path);
    case EntryKind::registry_value: return remove_registry_value(path);
    }
    return true;
}

void ProgressPage::report_failure(std::size_t index)
{
    FailureReport report = failure_report(run_.entries[index], index == 0);
    if (report.place == ReportPlace::message_box) {
        ++boxes_shown_;
        MessageBoxA(window(), report.text.c_str(), information_title, MB_OK | MB_ICONINFORMATION);
    }
    else if (report.place == ReportPlace::details)
        details_.push_back(std::move(report.text));
}

bool ProgressPage::ask_to_delete(const std::string& path)
{
    ++boxes_shown_;
    return MessageBoxA(window(), delete_question(path).c_str(), "Delete File?", MB_YESNO | MB_ICONINFORMATION) ==
           IDYES;
}

void ProgressPage::complete()
{
    completed_ = true;
    KillTimer(window(), removal_timer);
    ShowWindow(GetDlgItem(window(), IDC_PROGRESS_BAR), SW_HIDE);
    show_and_enable(window(), IDCANCEL);
    focus_control(window(), IDCANCEL);
    if (!details_.empty()) show_and_enable(window(), IDC_PROGRESS_DETAILS);
    SetDlgItemTextA(window(), IDC_TEXT, "Uninstall Complete");
    ShowWindow(GetDlgItem(window(), IDC_TEXT), SW_SHOW);
    show_header_text(band_, window(), complete_header_rtf);
    // Last, so that whoever watches the title finds the page complete.
    SetWindowTextA(window(), "Uninstall Complete");
}

void ProgressPage::show_details()
{
    disable_button(window(), IDC_PROGRESS_DETAILS, IDCANCEL);
    HWND text = GetDlgItem(window(), IDC_TEXT);
    SetWindowTextA(text, progress_page_details(window_text(text), details_).c_str());
}

void ProgressPage::exit()
{
    run_.entries.clear();
    run_.entries.shrink_to_fit();
    end_page(result_leave);
}

void ProgressPage::on_command(int id, int notification)
{
    if (notification != BN_CLICKED) return;
    // Escape and the close box reach here as Exit too; they wait for the end of the removal.
    if (id == IDCANCEL && button_enabled(window(), IDCANCEL)) exit();
    if (id == IDC_PROGRESS_DETAILS && button_enabled(window(), IDC_PROGRESS_DETAILS)) show_details();
}

// The removal stops where it is; what was removed stays removed.
void ProgressPage::on_exception() noexcept
{
    KillTimer(window(), removal_timer);
    end_page(result_leave);
}
