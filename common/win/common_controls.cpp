#include "common_controls.h"

#include "system_library.h"

#include <windows.h>

#include <commctrl.h>

ScopedLibrary load_common_controls()
{
    ScopedLibrary library = load_system_library("comctl32.dll");
    if (!library.valid()) return library;
    using InitializeWithClassesFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    using InitializeFunction = void(WINAPI*)();
    if (auto initialize = library_function<InitializeWithClassesFunction>(library.get(), "InitCommonControlsEx")) {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
        initialize(&classes);
    } else if (auto initialize_all = library_function<InitializeFunction>(library.get(), "InitCommonControls")) {
        initialize_all();
    }
    return library;
}
