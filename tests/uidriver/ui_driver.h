// A small driver for the user interface of another process, for tests that run under Wine.
//
// Messages whose handling may open a modal box are posted, never sent: a sent message would
// wait for the box to close, and the test would wait for itself.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui {

inline constexpr DWORD default_timeout_ms = 15000;

// A started program; ended (if still running) and released when the object goes.
class Program {
public:
    // Starts `path` with the arguments in `directory` (empty: the test's own).
    static Program start(const std::string& path, const std::string& arguments = "", const std::string& directory = "");
    // A running process that another one started; not started() when it cannot be opened.
    static Program attach(DWORD process_id);

    Program(Program&& other) noexcept;
    Program& operator=(Program&&) = delete;
    Program(const Program&) = delete;
    ~Program();

    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    bool running() const;
    // The exit code once the program has ended within the time, else nothing.
    std::optional<DWORD> wait_exit(DWORD timeout_ms = default_timeout_ms) const;
    void terminate();

private:
    Program() = default;
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The processes running now, as a snapshot of the system lists them.
struct ProcessEntry {
    DWORD id = 0;
    DWORD parent_id = 0;
    std::string file_name;  // without directory
};
std::vector<ProcessEntry> running_processes();

// Polls until the condition holds or the time is up; returns whether it held.
bool wait_until(const std::function<bool()>& condition, DWORD timeout_ms = default_timeout_ms);

// A visible top-level window of the process with that window class (and title, when given).
HWND find_window(DWORD process_id, const std::string& window_class, const std::string& title = "");
HWND wait_for_window(DWORD process_id, const std::string& window_class, const std::string& title = "",
                     DWORD timeout_ms = default_timeout_ms);

// Controls of a window.
HWND control(HWND parent, int id);
HWND control_by_class(HWND parent, const std::string& window_class, int index = 0);
HWND control_at(HWND parent, POINT client_point);
// The control's rectangle in its parent's client area.
RECT placement(HWND control);
std::string class_name(HWND window);

std::string text(HWND window);
void set_text(HWND window, const std::string& text);
bool is_checked(HWND button);
bool is_enabled(HWND window);
bool is_visible(HWND window);
bool has_style(HWND window, DWORD style);

// Input, all posted.
void click(HWND button);
void press_key(HWND target, UINT virtual_key);
void press_alt_key(HWND target, char letter);
void close(HWND window);

// The system icons a message box can show, told apart by their pixels on the screen.
enum class BoxIcon { none, information, warning, error, question, unknown };

struct MessageBoxInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    BoxIcon icon = BoxIcon::none;
    std::vector<std::string> buttons;  // captions, in the order of the box
};

std::optional<MessageBoxInfo> find_message_box(DWORD process_id);
std::optional<MessageBoxInfo> wait_for_message_box(DWORD process_id, DWORD timeout_ms = default_timeout_ms);
// Presses the button with that caption (access-key "&" ignored); false when there is none.
bool answer(const MessageBoxInfo& box, const std::string& button);

// Path helpers for tests started by ctest with Unix paths.
std::string windows_path_from_unix(const std::string& unix_path);

} // namespace ui
