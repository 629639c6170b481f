// Imports what every windowed program imports (kernel32.dll and user32.dll) and does nothing:
// the planting test takes the planted libraries it loads all the same for those that the system's
// own libraries import before any code of a program runs (under Wine, user32.dll imports
// version.dll; Windows' user32.dll imports none of the planted names).
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return IsWindow(nullptr) ? 1 : 0; }
