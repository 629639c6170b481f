#include "RProgressDialog.h"

#include "setup_resource.h"
#include "trace.h"

#include <commctrl.h>

bool RProgressDialog::create(HINSTANCE instance)
{
    TRACE_POINT();
    window_ = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_PROGRESS), nullptr, dialog_procedure,
                                 reinterpret_cast<LPARAM>(this));
    return window_ != nullptr;
}

INT_PTR CALLBACK RProgressDialog::dialog_procedure(HWND window, UINT message, WPARAM, LPARAM lparam)
{
    if (message != WM_INITDIALOG) return FALSE;
    reinterpret_cast<RProgressDialog*>(lparam)->initialise(window);
    return TRUE;
}

void RProgressDialog::initialise(HWND window)
{
    window_ = window;
    bar_ = GetDlgItem(window, IDC_PROGRESS_BAR);
    SendMessageA(bar_, PBM_SETRANGE, 0, MAKELPARAM(0, 1000));
    SendMessageA(bar_, PBM_SETPOS, 0, 0);
    SetWindowTextA(window, title_.c_str());
    closed_ = false;
}

void RProgressDialog::show()
{
    if (window_) ShowWindow(window_, SW_SHOWNORMAL);
}

void RProgressDialog::set_range(int upper) { SendMessageA(bar_, PBM_SETRANGE, 0, MAKELPARAM(0, upper)); }

void RProgressDialog::set_pos(int position) { SendMessageA(bar_, PBM_SETPOS, position, 0); }

void RProgressDialog::close()
{
    if (closed_ || !window_) return;
    DestroyWindow(window_);
    closed_ = true;
    window_ = nullptr;
}

void RProgressDialog::pump_messages()
{
    if (!window_) return;
    MSG message;
    while (PeekMessageA(&message, window_, 0, 0, PM_REMOVE)) {
        if (IsDialogMessageA(window_, &message)) continue;
        DispatchMessageA(&message);
        InvalidateRect(window_, nullptr, TRUE);
        UpdateWindow(window_);
    }
}
