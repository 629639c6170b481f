// The fatal shutdown: a report with the trace ring appended to the error log, a message, exit 1.
#pragma once

#include <windows.h>

#include <string>

// Opens "<directory>\PellwickErrorLog.txt" for appending and writes the report's first two
// lines; INVALID_HANDLE_VALUE when it cannot be opened.
HANDLE open_error_log(const std::string& directory);

// Writes the report, tells the user, and ends the process with exit status 1.
[[noreturn]] void fatal_shutdown(const std::string& directory);

// The fatal shutdown where the setup program ends when it runs out of memory, the run-time
// library reports an error (it has no C++ exceptions) or a hardware fault reaches the top. The
// report goes to the directory given last to set_fatal_error_directory; until then to the root
// of the current drive. A failure while the report is written ends the process at once.
[[noreturn]] void fatal_error();
void set_fatal_error_directory(const std::string& directory);

// Starts and ends the trace ring for the run.
void trace_init();
void trace_teardown();
