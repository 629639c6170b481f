// The band across the top of the uninstaller's pages: a rich-edit control as wide as the page,
// down to the bottom edge of control 208, with a formatted text.
#pragma once

#include <windows.h>

// The texts of the band.
extern const char uninstall_header_rtf[];
extern const char progress_header_rtf[];
extern const char complete_header_rtf[];

// Creates the band and puts the text into it; null (and no text) when the control cannot be made.
HWND make_header_band(HWND page, HINSTANCE instance, const char* header_text);

// Replaces the band's text.
void show_header_text(HWND band, HWND page, const char* header_text);
