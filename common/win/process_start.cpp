#include "process_start.h"

#include "scoped_handle.h"

bool start_without_waiting(std::string command_line, const ProcessStart& start)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // CreateProcessA may write into the command line, hence the copy.
    if (!CreateProcessA(start.program, command_line.data(), nullptr, nullptr, start.inherit_handles ? TRUE : FALSE,
                        start.creation_flags, nullptr, nullptr, &startup, &started))
        return false;
    ScopedHandle process(started.hProcess);
    ScopedHandle thread(started.hThread);
    return true;
}
