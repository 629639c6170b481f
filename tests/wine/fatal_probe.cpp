// Records as many trace points as its argument says, then shuts down as after a fatal error,
// with the error log in its own directory.
#include "error_log.h"
#include "trace.h"

#include <windows.h>

#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int)
{
    trace_init();
    int points = std::atoi(command_line);
    for (int i = 0; i < points; ++i) trace_point("probe\\fatal_probe.cpp", i + 1);

    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string directory = self;
    directory.erase(directory.rfind('\\'));
    fatal_shutdown(directory);
}
