// The fatal shutdown: a report with the trace ring appended to the error log, a message, exit 1.
// It ends the setup program when it runs out of memory, the run-time library reports an error
// (it has no C++ exceptions) or a hardware fault reaches the top, so it must work when nothing
// else does: the report is made in place, never on the heap, and start-up sets memory aside that
// the shutdown gives back to the system for opening the log and showing the message.
#pragma once

#include <string>

// Starts the trace ring for the run and sets the shutdown's memory aside; the teardown ends the
// ring and gives the memory back.
void trace_init();
void trace_teardown();

// The report goes to "<directory>\PellwickErrorLog.txt"; until this is called, to the root of
// the current drive. Called at start-up, while memory is still there.
void set_fatal_error_directory(const std::string& directory);

// Writes the report, tells the user, and ends the process with exit status 1. A failure while
// the report is written ends the process at once.
[[noreturn]] void fatal_error();
