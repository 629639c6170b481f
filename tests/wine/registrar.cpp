// Stands in for a self-registering library: DllRegisterServer appends a line to
// "<its own path>.registered", so that a test can see that regsvr32 ran it.
#include <windows.h>

namespace {
HMODULE self_module = nullptr;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) self_module = instance;
    return TRUE;
}

extern "C" __declspec(dllexport) HRESULT __stdcall DllRegisterServer()
{
    char path[MAX_PATH + 16] = {};
    DWORD length = GetModuleFileNameA(self_module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return E_FAIL;
    lstrcatA(path, ".registered");
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return E_FAIL;
    DWORD written = 0;
    WriteFile(file, "registered\r\n", 12, &written, nullptr);
    CloseHandle(file);
    return S_OK;
}

extern "C" __declspec(dllexport) HRESULT __stdcall DllUnregisterServer() { return S_OK; }
