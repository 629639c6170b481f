#include "error_log.h"

#include "error_report.h"
#include "trace_ring.h"

#include <cstdlib>
#include <ctime>

namespace {

// Empty, the root of the current drive, until start-up knows the setup directory.
std::string fatal_error_directory;

void write_text(HANDLE file, const std::string& text)
{
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

} // namespace

void trace_init() { process_trace_ring().init(); }

void trace_teardown() { process_trace_ring().teardown(); }

HANDLE open_error_log(const std::string& directory)
{
    std::string path = directory + "\\" + error_log_name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return file;
    SetFilePointer(file, 0, nullptr, FILE_END);
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::tm* converted = std::localtime(&now)) local = *converted;
    write_text(file, error_report_header(local, GetCurrentThreadId()));
    return file;
}

void fatal_shutdown(const std::string& directory)
{
    HANDLE log = open_error_log(directory);
    std::vector<std::string> lines = process_trace_ring().close_and_report();
    if (log != INVALID_HANDLE_VALUE) {
        for (const std::string& line : lines) {
            write_text(log, line);
            write_text(log, "\r\n");
        }
        CloseHandle(log);
    }
    MessageBoxA(nullptr, fatal_message_text().c_str(), fatal_message_title, MB_OK | MB_ICONWARNING);
    std::exit(1);
}

void set_fatal_error_directory(const std::string& directory) { fatal_error_directory = directory; }

void fatal_error()
{
    // Writing the report needs memory too: a failure while writing it must not start another.
    static volatile LONG entered = 0;
    if (InterlockedExchange(&entered, 1) != 0) ExitProcess(1);
    fatal_shutdown(fatal_error_directory);
}
