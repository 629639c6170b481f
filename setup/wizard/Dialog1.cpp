#include "Dialog1.h"

#include "setup_resource.h"
#include "trace.h"

WelcomePage::WelcomePage(const WizardContext& context) : SetupPage(context, IDD_WELCOME) {}

void WelcomePage::initialise()
{
    TRACE_POINT();
    set_page_result(result_leave);
    place_side_picture();
    show_welcome_text();
    show_small_picture();
}

// The picture takes its bitmap's width and reaches down to just above the separator line.
void WelcomePage::place_side_picture()
{
    HWND picture = GetDlgItem(window(), IDC_WELCOME_PICTURE);
    if (description().welcome_bitmap_size != 0 && context().welcome_bitmap) {
        SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(context().welcome_bitmap));
    } else {
        hide_control(window(), IDC_WELCOME_PICTURE);
    }
    RECT place = control_rect(window(), IDC_WELCOME_PICTURE);
    RECT line = control_rect(window(), IDC_SEPARATOR);
    MoveWindow(picture, place.left, place.top, place.right - place.left, line.top - 2, TRUE);
    BringWindowToTop(picture);
}

// Without a picture the text starts where the picture's template ends.
void WelcomePage::show_welcome_text()
{
    RECT picture = control_rect(window(), IDC_WELCOME_PICTURE);
    RECT line = control_rect(window(), IDC_SEPARATOR);
    RECT client{};
    GetClientRect(window(), &client);
    show_rich_text(window(), context().instance, RECT{picture.right, 0, client.right, line.top},
                   description().welcome_text);
}

void WelcomePage::show_small_picture()
{
    show_page_picture(window(), context());
    if (description().page_bitmap_size == 0 || !context().page_bitmap)
        EnableWindow(GetDlgItem(window(), IDC_PAGE_PICTURE), FALSE);
}
