// zeltax.exe: the Zelmor Federal Income Tax Quick Estimator.
#include "form.h"
#include "scoped_handles.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace {

template <typename Function>
Function library_function(HMODULE library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// Libraries loaded by name from now on come from the system directory only, never from the
// program's folder or the current directory; older systems lack the call and keep their search.
void restrict_library_search()
{
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    auto set_default_directories = library_function<SetDefaultDllDirectoriesFunction>(
        GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (set_default_directories) set_default_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// comctl32.dll (the tooltips) by its full path in the system directory, with its classes
// registered: imported, it would be taken from beside the program. The libraries it needs are
// looked for in the system directory first.
ScopedLibrary load_common_controls()
{
    UINT wanted = GetSystemDirectoryA(nullptr, 0);
    std::string path(wanted, '\0');
    UINT length = GetSystemDirectoryA(path.data(), wanted);
    if (length == 0 || length >= wanted) return ScopedLibrary();
    path.resize(length);
    path += "\\comctl32.dll";
    ScopedLibrary library(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!library.get()) return library;
    using InitializeFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    if (auto initialize = library_function<InitializeFunction>(library.get(), "InitCommonControlsEx")) {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
        initialize(&classes);
    }
    return library;
}

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
    restrict_library_search();
    ScopedLibrary common_controls = load_common_controls();

    TForm1 form(instance);
    if (!form.create()) return 1;
    ShowWindow(form.handle(), show);
    UpdateWindow(form.handle());
    return run_message_loop(form.handle());
}
