#include "page_dialog.h"

PageDialog::~PageDialog()
{
    if (!window_) return;
    // The handlers belong to a derived object that is gone already.
    SetWindowLongPtrA(window_, DWLP_USER, 0);
    DestroyWindow(window_);
}

std::int32_t PageDialog::run(HINSTANCE instance, HICON icon)
{
    HWND window = CreateDialogParamA(instance, MAKEINTRESOURCEA(template_id_), nullptr, dialog_procedure,
                                     reinterpret_cast<LPARAM>(this));
    if (!window) return result_leave;
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ShowWindow(window, SW_SHOWNORMAL);
    run_message_loop();
    return page_result_;
}

// IsDialogMessageA gives the page Tab, access keys, Enter and Escape, and translates the rest.
// Messages that arrive once the window is gone are dropped.
void PageDialog::run_message_loop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!window_) continue;
        if (!IsDialogMessageA(window_, &message)) DispatchMessageA(&message);
    }
}

void PageDialog::end_page(std::int32_t result)
{
    page_result_ = result;
    if (window_) DestroyWindow(window_);
    PostQuitMessage(0);
}

INT_PTR CALLBACK PageDialog::dialog_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lparam);
        reinterpret_cast<PageDialog*>(lparam)->window_ = window;
    }
    auto* page = reinterpret_cast<PageDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!page) return FALSE;
    return page->handle(message, wparam);
}

INT_PTR PageDialog::handle(UINT message, WPARAM wparam)
{
    switch (message) {
    case WM_INITDIALOG:
        return on_init_dialog() ? TRUE : FALSE;
    case WM_COMMAND:
        on_command(LOWORD(wparam), HIWORD(wparam));
        return TRUE;
    case WM_TIMER:
        on_timer(wparam);
        return FALSE;
    case WM_DESTROY:
        SetWindowLongPtrA(window_, DWLP_USER, 0);
        window_ = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}
