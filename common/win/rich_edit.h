// The rich-edit control that shows the pages' formatted texts.
#pragma once

#include "scoped_library.h"

#include <windows.h>

#include <string>
#include <string_view>

// The window class of the rich-edit controls, from RICHED20.DLL.
inline constexpr char rich_edit_class[] = "RichEdit20A";

// Loads RICHED20.DLL, else Riched32.dll, by their full paths in the system directory, so that a
// library of the same name beside the program is never taken. Nothing when RICHED20.DLL is
// loaded already. The result owns only a library this call loaded; it is empty when both fail.
ScopedLibrary load_rich_edit_library(const std::string& system_directory);

// Puts RTF text into a rich-edit control: lines wrap at the control's width (the page's device
// as target, line width 0); the control is read-only afterwards.
void stream_rtf(HWND rich_edit, HWND page, std::string_view text);

// Replaces the text of a control that stream_rtf filled, with the page's device context held
// meanwhile; the target device and the read-only state stay as they are.
void restream_rtf(HWND rich_edit, HWND page, std::string_view text);

// The stream reader behind stream_rtf, over the cookie's bytes.
struct RtfStreamCookie {
    const char* position = nullptr;
    LONG left = 0;
};

// Copies the smaller of `wanted` and the bytes left, advances the cookie and returns 0;
// without a cookie it copies nothing and returns ERROR_INVALID_PARAMETER.
DWORD CALLBACK read_rtf_stream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* copied);
