#include "header_band.h"

#include "rich_edit.h"
#include "uninstall_resource.h"

#include <richedit.h>

const char uninstall_header_rtf[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs16\\par\r\n"
    "\\b   Uninstall\\par\r\n"
    "  \\b0 By choosing the Uninstall button you will remove this application from your computer.\\par\r\n"
    "}\r\n";

const char progress_header_rtf[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs16\\par\r\n"
    "\\b   Uninstall In Progress ...\\par\r\n"
    "}\r\n";

const char complete_header_rtf[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs16\\par\r\n"
    "\\b   Uninstall Complete\\par\r\n"
    "  \\b0 You may exit the program.\\par\r\n"
    "}\r\n";

namespace {

constexpr DWORD band_style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_WANTRETURN | ES_MULTILINE;

} // namespace

HWND make_header_band(HWND page, HINSTANCE instance, const char* header_text)
{
    RECT bottom{};
    GetWindowRect(GetDlgItem(page, IDC_HEADER_BOTTOM), &bottom);
    MapWindowPoints(HWND_DESKTOP, page, reinterpret_cast<POINT*>(&bottom), 2);
    RECT client{};
    GetClientRect(page, &client);
    HWND band = CreateWindowExA(0, rich_edit_class, "", band_style, 0, 0, client.right, bottom.bottom, page, nullptr,
                                instance, nullptr);
    if (band) show_header_text(band, page, header_text);
    return band;
}

// A band already on screen is drawn afresh: the text it had may stay up otherwise.
void show_header_text(HWND band, HWND page, const char* header_text)
{
    if (!band) return;
    stream_rtf(band, page, header_text);
    InvalidateRect(band, nullptr, TRUE);
}
