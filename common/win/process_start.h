// Starting another program without waiting for it.
#pragma once

#include <windows.h>

#include <string>

// What the callers of start_without_waiting choose; the defaults are CreateProcessA's plainest.
struct ProcessStart {
    // The program file; null takes it from the command line's first word.
    const char* program = nullptr;
    bool inherit_handles = false;
    DWORD creation_flags = 0;  // e.g. a priority class
};

// Starts the command line as a new process with the default start-up information and lets it
// run: its process and thread handles are closed at once. False when it could not be started.
bool start_without_waiting(std::string command_line, const ProcessStart& start = {});
