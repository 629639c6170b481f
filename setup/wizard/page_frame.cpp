#include "page_frame.h"

#include "rich_edit.h"
#include "setup_resource.h"

#include <richedit.h>

namespace {

constexpr DWORD header_band_style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_WANTRETURN | ES_MULTILINE;
constexpr DWORD rich_text_style = header_band_style | WS_BORDER;

HWND create_rich_edit(HWND page, HINSTANCE instance, DWORD style, const RECT& area)
{
    return CreateWindowExA(0, rich_edit_class, "", style, area.left, area.top, area.right - area.left,
                           area.bottom - area.top, page, nullptr, instance, nullptr);
}

void move_control(HWND page, int control_id, const RECT& area)
{
    MoveWindow(GetDlgItem(page, control_id), area.left, area.top, area.right - area.left, area.bottom - area.top,
               TRUE);
}

} // namespace

RECT control_rect(HWND page, int control_id)
{
    RECT rect{};
    HWND control = GetDlgItem(page, control_id);
    if (!control) return rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, page, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void hide_control(HWND page, int control_id)
{
    HWND control = GetDlgItem(page, control_id);
    if (!control) return;
    EnableWindow(control, FALSE);
    SetWindowLongA(control, GWL_STYLE, GetWindowLongA(control, GWL_STYLE) & ~WS_VISIBLE);
    if (IsWindowVisible(page)) {
        SetWindowPos(control, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }
}

void show_page_picture(HWND page, const WizardContext& context)
{
    if (context.description->page_bitmap_size != 0 && context.page_bitmap) {
        SendDlgItemMessageA(page, IDC_PAGE_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                            reinterpret_cast<LPARAM>(context.page_bitmap));
    } else {
        HWND picture = GetDlgItem(page, IDC_PAGE_PICTURE);
        SetWindowLongA(picture, GWL_STYLE, GetWindowLongA(picture, GWL_STYLE) & ~WS_VISIBLE);
    }
}

HWND make_header_band(HWND page, HINSTANCE instance, const char* header_text)
{
    RECT picture = control_rect(page, IDC_PAGE_PICTURE);
    RECT white = control_rect(page, IDC_HEADER_WHITE);
    RECT client{};
    GetClientRect(page, &client);

    HWND band = create_rich_edit(page, instance, header_band_style, RECT{0, 0, picture.left, white.bottom});
    move_control(page, IDC_HEADER_WHITE, RECT{picture.left, 0, client.right, white.bottom});
    if (band) stream_rtf(band, page, header_text);
    return band;
}

void show_rich_text(HWND page, HINSTANCE instance, const RECT& area, const std::string& text)
{
    if (HWND control = create_rich_edit(page, instance, rich_text_style, area)) stream_rtf(control, page, text);
}

void SetupPage::begin_page(const char* header_text)
{
    set_page_result(result_leave);
    show_page_picture(window(), context_);
    if (header_text) make_header_band(window(), context_.instance, header_text);
}

// The pages start with the focus on Next, so that Enter goes on; where Next is still disabled,
// the dialog manager picks the first control.
bool SetupPage::on_init_dialog()
{
    initialise();
    HWND next_button = GetDlgItem(window(), IDOK);
    if (!next_button || !IsWindowEnabled(next_button)) return true;
    SendMessageA(window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next_button), TRUE);
    return false;
}

void SetupPage::on_command(int id, int notification)
{
    if (notification != BN_CLICKED) {
        own_command(id, notification);
        return;
    }
    switch (id) {
    case IDOK:
        // Enter reaches here even while Next is disabled on some systems.
        if (IsWindowEnabled(GetDlgItem(window(), IDOK))) next();
        break;
    case IDC_BACK:
        if (IsWindowEnabled(GetDlgItem(window(), IDC_BACK))) back();
        break;
    case IDCANCEL:
        end_page(page_result());
        break;
    default:
        own_command(id, notification);
    }
}

