#include "uninstall_driver.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr int details_button = 3;
constexpr int progress_bar = 204;

// A visible dialog of the process that holds the control: a page, never a message box.
struct PageSearch {
    DWORD process_id;
    int control_id;
    HWND found = nullptr;
};

BOOL CALLBACK match_page(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<PageSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process_id || !IsWindowVisible(window) || ui::class_name(window) != "#32770") return TRUE;
    if (!GetDlgItem(window, search->control_id) || !GetDlgItem(window, 202)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND wait_for_page_with(DWORD process_id, int control_id)
{
    PageSearch search{process_id, control_id};
    ui::wait_until([&] {
        EnumWindows(match_page, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

bool is_working_copy_name(const std::string& name)
{
    std::string lower = name;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.starts_with("del") && lower.ends_with(".tmp");
}

// The working copy that the started copy left: the one new process (or child of the started copy)
// that runs from a "Del....tmp" file. Wine may give the started copy another child, its desktop
// process.
std::optional<DWORD> working_copy(const std::vector<ui::ProcessEntry>& before, DWORD started_id)
{
    std::vector<DWORD> found;
    for (const ui::ProcessEntry& process : ui::running_processes()) {
        bool is_new = std::none_of(before.begin(), before.end(),
                                   [&](const ui::ProcessEntry& old) { return old.id == process.id; });
        if ((process.parent_id == started_id || is_new) && is_working_copy_name(process.file_name))
            found.push_back(process.id);
    }
    if (found.size() != 1) return std::nullopt;
    return found.front();
}

} // namespace

std::string install_log(const std::vector<std::pair<std::string, std::string>>& entries)
{
    std::string text;
    for (const auto& [kind, value] : entries) text += kind + "\r\n" + value + "\r\n";
    return text;
}

std::string quoted_path(const std::string& path) { return "\"" + path + "\""; }

UninstallerRun::UninstallerRun(const std::string& command_line, const std::string& temporary_directory)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string line = command_line;
    std::vector<ui::ProcessEntry> before = ui::running_processes();
    {
        TemporaryDirectoryVariables temporary(temporary_directory);
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            return;
    }
    CloseHandle(info.hThread);
    DWORD exit_code = 1;
    if (WaitForSingleObject(info.hProcess, ui::default_timeout_ms) == WAIT_OBJECT_0)
        GetExitCodeProcess(info.hProcess, &exit_code);
    CloseHandle(info.hProcess);
    if (exit_code != 0) return;
    std::optional<DWORD> working;
    ui::wait_until([&] { return (working = working_copy(before, info.dwProcessId)).has_value(); }, 5000);
    if (working) working_.emplace(ui::Program::attach(*working));
}

HWND UninstallerRun::wait_for_first_page() { return wait_for_page_with(id(), details_button); }

HWND UninstallerRun::wait_for_progress_page() { return wait_for_page_with(id(), progress_bar); }

bool UninstallerRun::wait_for_completion(HWND progress_page)
{
    return ui::wait_until([&] { return ui::text(progress_page) == "Uninstall Complete"; }, 30000);
}
