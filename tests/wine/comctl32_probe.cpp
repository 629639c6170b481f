// Imports comctl32.dll at load time, as the programs did before they loaded it by its full path:
// the planting test shows with it that a copy planted beside a program is loaded then. Ends with
// 0 when, after InitCommonControls, the progress bar's class is there.
#include <windows.h>

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    WNDCLASSA progress_bar{};
    return GetClassInfoA(nullptr, PROGRESS_CLASSA, &progress_bar) ? 0 : 1;
}
