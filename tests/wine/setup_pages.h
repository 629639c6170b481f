// Finding and telling apart the pages of a running setup.exe, for its tests and screenshots.
#pragma once

#include <windows.h>

#include <string>

enum class SetupPage { none, welcome, license, users, destination, preferences, summary };

std::string page_name(SetupPage page);

// Which page the window is, by the controls only that page has.
SetupPage page_kind(HWND page);

// The page window the process shows now, or null.
HWND current_page(DWORD process_id);

// Waits until the process shows a page of that kind in a window other than `previous` (a page
// shown again is a new window); null when it does not come.
HWND wait_for_page(DWORD process_id, SetupPage page, HWND previous = nullptr);
