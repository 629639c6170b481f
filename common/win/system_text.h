// Texts that a system call writes into the caller's buffer, however long they are.
#pragma once

#include <windows.h>

#include <string>

// `call(buffer, size)` writes the text and returns its length, or returns the size it needs (the
// NUL included) when the buffer is too small, or 0 when it fails: the way of GetTempPathA,
// GetWindowsDirectoryA, GetShortPathNameA and their kind. Empty when the call fails, and when it
// asks for no more room than it had, which would never end.
template <typename Call>
std::string system_text(Call call)
{
    std::string text(MAX_PATH, '\0');
    for (;;) {
        DWORD length = call(text.data(), static_cast<DWORD>(text.size()));
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        if (length == text.size()) return {};
        text.resize(length);
    }
}
