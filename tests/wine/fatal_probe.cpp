// Records as many trace points as its argument says, then shuts down as after a fatal error,
// with the error log in its own directory. With "memory" before the count it asks instead for
// more memory than there is, through the setup program's own allocation functions.
#include "error_log.h"
#include "trace.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int)
{
    trace_init();
    constexpr char memory_mode[] = "memory ";
    bool out_of_memory = std::strncmp(command_line, memory_mode, sizeof memory_mode - 1) == 0;
    int points = std::atoi(out_of_memory ? command_line + sizeof memory_mode - 1 : command_line);
    for (int i = 0; i < points; ++i) trace_point("probe\\fatal_probe.cpp", i + 1);

    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string directory = self;
    directory.erase(directory.rfind('\\'));
    if (!out_of_memory) fatal_shutdown(directory);

    set_fatal_error_directory(directory);
    volatile std::size_t too_much = SIZE_MAX / 2;
    void* memory = ::operator new(too_much);
    ::operator delete(memory);
    return 0;  // not reached: the allocation ends the program
}
