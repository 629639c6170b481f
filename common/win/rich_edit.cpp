#include "rich_edit.h"

#include "system_library.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

namespace {

// The page's device context for the length of one call.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc()
    {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

} // namespace

ScopedLibrary load_rich_edit_library(const std::string& system_directory)
{
    if (GetModuleHandleA("RICHED20.DLL")) return ScopedLibrary();
    ScopedLibrary library = load_system_library(system_directory, "RICHED20.DLL");
    if (!library.valid()) library = load_system_library(system_directory, "Riched32.dll");
    return library;
}

DWORD CALLBACK read_rtf_stream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* copied)
{
    auto* stream = reinterpret_cast<RtfStreamCookie*>(cookie);
    if (!stream) return ERROR_INVALID_PARAMETER;
    LONG count = std::max<LONG>(0, std::min(wanted, stream->left));
    std::memcpy(buffer, stream->position, static_cast<std::size_t>(count));
    stream->position += count;
    stream->left -= count;
    if (copied) *copied = count;
    return 0;
}

namespace {

// EM_STREAMIN of the text up to its first NUL, as the text is measured.
void stream_in(HWND rich_edit, std::string_view text)
{
    std::string_view measured = text.substr(0, text.find('\0'));
    RtfStreamCookie cookie{measured.data(), static_cast<LONG>(measured.size())};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&cookie);
    stream.pfnCallback = read_rtf_stream;
    SendMessageA(rich_edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

} // namespace

void stream_rtf(HWND rich_edit, HWND page, std::string_view text)
{
    {
        WindowDc device(page);
        SendMessageA(rich_edit, EM_SETTARGETDEVICE, reinterpret_cast<WPARAM>(device.get()), 0);
    }
    stream_in(rich_edit, text);
    SendMessageA(rich_edit, EM_SETREADONLY, TRUE, 0);
}

void restream_rtf(HWND rich_edit, HWND page, std::string_view text)
{
    WindowDc device(page);
    stream_in(rich_edit, text);
}
