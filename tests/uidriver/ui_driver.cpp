#include "ui_driver.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cctype>

namespace ui {

namespace {

constexpr DWORD poll_interval_ms = 20;
constexpr UINT send_timeout_ms = 5000;
constexpr int message_box_text_id = 0xFFFF;
// Wine gives the icon of a message box the id 1088; Windows uses 0x14.
constexpr int message_box_icon_ids[] = {1088, 0x14};

LRESULT send_with_timeout(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wparam, lparam, SMTO_ABORTIFHUNG, send_timeout_ms, &result)) return 0;
    return static_cast<LRESULT>(result);
}

struct WindowSearch {
    DWORD process_id;
    std::string window_class;
    std::string title;
    HWND found = nullptr;
};

BOOL CALLBACK match_top_level(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process_id || !IsWindowVisible(window)) return TRUE;
    if (class_name(window) != search->window_class) return TRUE;
    if (!search->title.empty() && text(window) != search->title) return TRUE;
    search->found = window;
    return FALSE;
}

std::string without_access_keys(const std::string& caption)
{
    std::string plain;
    for (char c : caption)
        if (c != '&') plain += c;
    return plain;
}

// ---- telling message box icons apart by their pixels

using Pixels = std::vector<std::uint32_t>;

struct MemoryCanvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    int width, height;

    MemoryCanvas(int w, int h) : width(w), height(h)
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, w, h);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
    }
    ~MemoryCanvas()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    Pixels pixels() const
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        Pixels result(static_cast<std::size_t>(width) * height);
        GetDIBits(dc, bitmap, 0, height, result.data(), &info, DIB_RGB_COLORS);
        for (std::uint32_t& p : result) p &= 0xFFFFFF;
        return result;
    }
};

Pixels screen_pixels(const RECT& area)
{
    MemoryCanvas canvas(area.right - area.left, area.bottom - area.top);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.dc, 0, 0, canvas.width, canvas.height, screen, area.left, area.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return canvas.pixels();
}

Pixels drawn_icon(const char* icon_name, int width, int height, COLORREF background)
{
    MemoryCanvas canvas(width, height);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all{0, 0, width, height};
    FillRect(canvas.dc, &all, brush);
    DeleteObject(brush);
    DrawIconEx(canvas.dc, 0, 0, LoadIconA(nullptr, icon_name), width, height, 0, nullptr, DI_NORMAL);
    return canvas.pixels();
}

std::size_t differences(const Pixels& a, const Pixels& b)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) count += a[i] != b[i];
    return count;
}

BoxIcon identify_icon(HWND icon_control)
{
    RECT area{};
    GetWindowRect(icon_control, &area);
    if (area.right <= area.left || area.bottom <= area.top) return BoxIcon::unknown;
    Pixels shown = screen_pixels(area);
    std::uint32_t corner = shown.front();
    COLORREF background = RGB((corner >> 16) & 0xFF, (corner >> 8) & 0xFF, corner & 0xFF);

    struct Candidate {
        BoxIcon icon;
        const char* name;
    } candidates[] = {{BoxIcon::information, IDI_INFORMATION},
                      {BoxIcon::warning, IDI_WARNING},
                      {BoxIcon::error, IDI_ERROR},
                      {BoxIcon::question, IDI_QUESTION}};
    int width = area.right - area.left, height = area.bottom - area.top;
    for (const Candidate& c : candidates)
        if (differences(shown, drawn_icon(c.name, width, height, background)) == 0) return c.icon;
    return BoxIcon::unknown;
}

BoxIcon message_box_icon(HWND box)
{
    for (int id : message_box_icon_ids) {
        HWND icon_control = GetDlgItem(box, id);
        if (!icon_control) continue;
        if (!send_with_timeout(icon_control, STM_GETICON, 0, 0)) return BoxIcon::none;
        BoxIcon icon = BoxIcon::unknown;
        // The box may not have painted yet: look again for a while.
        wait_until([&] { return (icon = identify_icon(icon_control)) != BoxIcon::unknown; }, 2000);
        return icon;
    }
    return BoxIcon::none;
}

std::vector<std::string> message_box_buttons(HWND box)
{
    std::vector<std::pair<LONG, std::string>> buttons;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (class_name(child) != "Button" || !IsWindowVisible(child)) continue;
        buttons.emplace_back(placement(child).left, text(child));
    }
    std::sort(buttons.begin(), buttons.end());
    std::vector<std::string> captions;
    for (auto& [left, caption] : buttons) captions.push_back(caption);
    return captions;
}

// A message box is a dialog with the text control and the icon control; other dialogs of the
// program (a wizard page with a label of id -1, say) may have the first but not the second.
bool is_message_box(HWND window)
{
    if (!GetDlgItem(window, message_box_text_id)) return false;
    for (int id : message_box_icon_ids)
        if (GetDlgItem(window, id)) return true;
    return false;
}

struct MessageBoxSearch {
    DWORD process_id;
    HWND found = nullptr;
};

BOOL CALLBACK match_message_box(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<MessageBoxSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process_id || !IsWindowVisible(window) || class_name(window) != "#32770") return TRUE;
    if (!is_message_box(window)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND find_message_box_window(DWORD process_id)
{
    MessageBoxSearch search{process_id};
    EnumWindows(match_message_box, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

// ---- Program

Program Program::start(const std::string& path, const std::string& arguments, const std::string& directory)
{
    std::string command_line = "\"" + path + "\"";
    if (!arguments.empty()) command_line += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    Program program;
    if (CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       directory.empty() ? nullptr : directory.c_str(), &startup, &info)) {
        CloseHandle(info.hThread);
        program.process_ = info.hProcess;
        program.id_ = info.dwProcessId;
    }
    return program;
}

Program Program::attach(DWORD process_id)
{
    Program program;
    program.process_ = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, process_id);
    if (program.process_) program.id_ = process_id;
    return program;
}

std::vector<ProcessEntry> running_processes()
{
    std::vector<ProcessEntry> processes;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return processes;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        processes.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile});
    CloseHandle(snapshot);
    return processes;
}

Program::Program(Program&& other) noexcept : process_(other.process_), id_(other.id_)
{
    other.process_ = nullptr;
    other.id_ = 0;
}

Program::~Program()
{
    if (!process_) return;
    if (running()) terminate();
    CloseHandle(process_);
}

bool Program::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Program::wait_exit(DWORD timeout_ms) const
{
    if (!process_ || WaitForSingleObject(process_, timeout_ms) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void Program::terminate()
{
    if (!process_) return;
    TerminateProcess(process_, 255);
    WaitForSingleObject(process_, default_timeout_ms);
}

// ---- windows and controls

bool wait_until(const std::function<bool()>& condition, DWORD timeout_ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeout_ms) return false;
        Sleep(poll_interval_ms);
    }
}

HWND find_window(DWORD process_id, const std::string& window_class, const std::string& title)
{
    WindowSearch search{process_id, window_class, title};
    EnumWindows(match_top_level, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND wait_for_window(DWORD process_id, const std::string& window_class, const std::string& title, DWORD timeout_ms)
{
    HWND found = nullptr;
    wait_until([&] { return (found = find_window(process_id, window_class, title)) != nullptr; }, timeout_ms);
    return found;
}

HWND control(HWND parent, int id) { return GetDlgItem(parent, id); }

HWND control_by_class(HWND parent, const std::string& window_class, int index)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (class_name(child) == window_class && index-- == 0) return child;
    return nullptr;
}

HWND control_at(HWND parent, POINT client_point)
{
    return ChildWindowFromPointEx(parent, client_point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
}

RECT placement(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string class_name(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string text(HWND window)
{
    auto length = static_cast<std::size_t>(send_with_timeout(window, WM_GETTEXTLENGTH, 0, 0));
    std::string result(length + 1, '\0');
    auto copied = static_cast<std::size_t>(
        send_with_timeout(window, WM_GETTEXT, result.size(), reinterpret_cast<LPARAM>(result.data())));
    result.resize(std::min(copied, length));
    return result;
}

void set_text(HWND window, const std::string& text)
{
    send_with_timeout(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool is_checked(HWND button) { return send_with_timeout(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool is_enabled(HWND window) { return IsWindowEnabled(window); }

bool is_visible(HWND window) { return IsWindowVisible(window); }

bool has_style(HWND window, DWORD style) { return (GetWindowLongA(window, GWL_STYLE) & style) == style; }

// ---- input

void click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void press_key(HWND target, UINT virtual_key)
{
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(target, WM_KEYDOWN, virtual_key, scan | 1);
    PostMessageA(target, WM_KEYUP, virtual_key, scan | 1 | (1u << 30) | (1u << 31));
}

void press_alt_key(HWND target, char letter)
{
    auto key = static_cast<UINT>(std::toupper(static_cast<unsigned char>(letter)));
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    constexpr LPARAM alt_down = 1 << 29;
    PostMessageA(target, WM_SYSKEYDOWN, key, scan | alt_down | 1);
    PostMessageA(target, WM_SYSKEYUP, key, scan | alt_down | 1 | (1u << 30) | (1u << 31));
}

void close(HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }

// ---- message boxes

std::optional<MessageBoxInfo> find_message_box(DWORD process_id)
{
    HWND box = find_message_box_window(process_id);
    if (!box) return std::nullopt;
    MessageBoxInfo info;
    info.window = box;
    info.caption = text(box);
    info.text = text(GetDlgItem(box, message_box_text_id));
    info.icon = message_box_icon(box);
    info.buttons = message_box_buttons(box);
    return info;
}

std::optional<MessageBoxInfo> wait_for_message_box(DWORD process_id, DWORD timeout_ms)
{
    std::optional<MessageBoxInfo> box;
    wait_until([&] { return (box = find_message_box(process_id)).has_value(); }, timeout_ms);
    return box;
}

bool answer(const MessageBoxInfo& box, const std::string& button)
{
    for (HWND child = GetWindow(box.window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (class_name(child) == "Button" && without_access_keys(text(child)) == without_access_keys(button)) {
            click(child);
            return true;
        }
    }
    return false;
}

std::string windows_path_from_unix(const std::string& unix_path)
{
    if (unix_path.empty() || unix_path[0] != '/') return unix_path;
    std::string path = "Z:" + unix_path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

} // namespace ui
