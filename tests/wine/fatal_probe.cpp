// Records as many trace points as its argument says, then shuts down as after a fatal error,
// with the error log in its own directory. A word before the count says how it gets there:
//   (none)      the shutdown is called directly;
//   memory      it asks for more memory than there is, through the setup program's own
//               allocation functions;
//   exhausted   it takes all the memory there is, in ever smaller blocks, and then fails an
//               allocation through those functions, so that the shutdown finds nothing left.
#include "error_log.h"
#include "trace.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace {

// The count after the word `mode` and a blank, when the command line starts so.
bool after_mode(const char* command_line, const char* mode, const char*& count)
{
    std::size_t length = std::strlen(mode);
    if (std::strncmp(command_line, mode, length) != 0 || command_line[length] != ' ') return false;
    count = command_line + length + 1;
    return true;
}

// Takes blocks of every size from 64 MB down to 1 byte until not even the smallest is left, first
// from the run-time library's heap through the setup program's own allocation functions, then
// from the process heap, which the system's functions use. The blocks are never freed.
void use_up_memory()
{
    void* volatile taken = nullptr;
    for (std::size_t size = std::size_t(64) << 20; size > 0; size /= 2) {
        do taken = ::operator new(size, std::nothrow);
        while (taken);
    }
    for (std::size_t size = std::size_t(64) << 20; size > 0; size /= 2) {
        do taken = HeapAlloc(GetProcessHeap(), 0, size);
        while (taken);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int)
{
    trace_init();
    const char* count = command_line;
    bool too_much = after_mode(command_line, "memory", count);
    bool exhausted = after_mode(command_line, "exhausted", count);
    int points = std::atoi(count);
    for (int i = 0; i < points; ++i) trace_point("probe\\fatal_probe.cpp", i + 1);

    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string directory = self;
    directory.erase(directory.rfind('\\'));
    set_fatal_error_directory(directory);
    if (!too_much && !exhausted) fatal_error();

    if (exhausted) use_up_memory();
    volatile std::size_t size = too_much ? SIZE_MAX / 2 : 64;
    void* memory = ::operator new(size);
    ::operator delete(memory);
    return 0;  // not reached: the allocation ends the program
}
