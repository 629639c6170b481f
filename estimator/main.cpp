// zeltax.exe: the Zelmor Federal Income Tax Quick Estimator.
#include "form.h"

#include <commctrl.h>
#include <windows.h>

namespace {

int run_message_loop(HWND window)
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // The dialog keyboard handling gives the window Tab, arrow and access keys.
        if (IsDialogMessageA(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    TForm1 form(instance);
    if (!form.create()) return 1;
    ShowWindow(form.handle(), show);
    UpdateWindow(form.handle());
    return run_message_loop(form.handle());
}
