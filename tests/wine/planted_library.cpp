// Stands in for a system library that someone left beside a program or in the temporary
// directory. A process that loads a copy of it gets the empty file planted_library_marker(its
// program, the copy's name) in the directory that the markers variable names. The functions
// below go on to the system's own library of the copy's name, so that a program that uses them
// still works: those of comctl32.dll that programs import, and those of version.dll that Wine's
// own user32.dll imports.
#include "planted_library.h"
#include "program_file.h"
#include "scoped_handle.h"
#include "system_library.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

HMODULE self_module = nullptr;

std::string file_name(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

void leave_marker()
{
    const char* directory = std::getenv(planted_library_markers_variable);
    if (!directory) return;
    std::string library = file_name(module_file_path(self_module));
    std::string marker = planted_library_marker(file_name(program_file_path()), library);
    ScopedHandle file(CreateFileA((std::string(directory) + "\\" + marker).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The system's library of this copy's name, loaded at the first call (never while this one is
// being loaded) and kept until the process ends.
const ScopedLibrary& system_library()
{
    static ScopedLibrary library = load_system_library(file_name(module_file_path(self_module)).c_str());
    return library;
}

template <typename Function>
Function system_function(const char* name)
{
    const ScopedLibrary& library = system_library();
    return library.valid() ? library_function<Function>(library.get(), name) : nullptr;
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        self_module = instance;
        leave_marker();
    }
    return TRUE;
}

// An exported function that calls the system library's function of its name with its arguments,
// or gives the result type's zero when the system library has none.
#define FORWARD(result, name, parameters, arguments)                                                \
    extern "C" __declspec(dllexport) result WINAPI name parameters                                \
    {                                                                                               \
        auto forward = system_function<result(WINAPI*) parameters>(#name);                          \
        return forward ? forward arguments : result();                                              \
    }

FORWARD(void, InitCommonControls, (), ())
FORWARD(BOOL, InitCommonControlsEx, (const void* classes), (classes))
FORWARD(DWORD, GetFileVersionInfoSizeA, (LPCSTR file, LPDWORD handle), (file, handle))
FORWARD(DWORD, GetFileVersionInfoSizeW, (LPCWSTR file, LPDWORD handle), (file, handle))
FORWARD(BOOL, GetFileVersionInfoA, (LPCSTR file, DWORD handle, DWORD size, LPVOID data), (file, handle, size, data))
FORWARD(BOOL, GetFileVersionInfoW, (LPCWSTR file, DWORD handle, DWORD size, LPVOID data), (file, handle, size, data))
FORWARD(BOOL, VerQueryValueA, (LPCVOID block, LPCSTR item, LPVOID* value, PUINT length), (block, item, value, length))
FORWARD(BOOL, VerQueryValueW, (LPCVOID block, LPCWSTR item, LPVOID* value, PUINT length), (block, item, value, length))
