#include "error_log.h"

#include "error_report.h"
#include "scoped_handle.h"
#include "trace_ring.h"

#include <windows.h>

#include <cstdlib>
#include <ctime>

namespace {

constexpr auto drive_root_error_log = joined_text("\\", error_log_name);

// Made at start-up; empty until then, and the log is the one at the root of the current drive.
std::string error_log_path;

// Set aside by trace_init() and given back by the fatal shutdown. A program that has used up its
// memory leaves none to the system either, and opening the log takes heap memory for the path,
// the message box for its window and texts. Given back, the block is free address space where
// the process heap can grow again: under Wine a process heap that has run out grows by at least
// 4 MB at a time, and a smaller block does not help it; this is twice that.
constexpr SIZE_T shutdown_memory_size = 8 * 1024 * 1024;
void* shutdown_memory = nullptr;

void set_shutdown_memory_aside()
{
    if (!shutdown_memory)
        shutdown_memory = VirtualAlloc(nullptr, shutdown_memory_size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void give_shutdown_memory_back()
{
    if (shutdown_memory) VirtualFree(shutdown_memory, 0, MEM_RELEASE);
    shutdown_memory = nullptr;
}

// The first window of a process loads the display driver, and under Wine that fails in a process
// that has used up its memory, whatever is given back. A hidden window made and destroyed at
// start-up loads it while there is memory, so that the shutdown's message box is never the first
// window.
void load_window_system()
{
    if (HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr))
        DestroyWindow(window);
}

void write_text(HANDLE file, std::string_view text)
{
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// The local time, as the run-time library's localtime() would give it; that one allocates its
// buffer at its first use.
std::tm local_time_now()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    std::tm local{};
    local.tm_year = now.wYear - 1900;
    local.tm_mon = now.wMonth - 1;
    local.tm_mday = now.wDay;
    local.tm_wday = now.wDayOfWeek;
    local.tm_hour = now.wHour;
    local.tm_min = now.wMinute;
    local.tm_sec = now.wSecond;
    return local;
}

// The log opened for appending, with the report's first two lines written; none when it cannot
// be opened.
ScopedHandle open_error_log()
{
    const char* path = error_log_path.empty() ? drive_root_error_log.data() : error_log_path.c_str();
    ScopedHandle log(CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log.valid()) return log;
    SetFilePointer(log.get(), 0, nullptr, FILE_END);
    write_text(log.get(), error_report_header(local_time_now(), GetCurrentThreadId()).view());
    return log;
}

// The header and the whole ring; the ring stops recording even when the log cannot be opened.
void write_report()
{
    ScopedHandle log = open_error_log();
    process_trace_ring().close_and_report([&log](std::string_view line) {
        if (!log.valid()) return;
        write_text(log.get(), line);
        write_text(log.get(), "\r\n");
    });
}

} // namespace

void trace_init()
{
    process_trace_ring().init();
    set_shutdown_memory_aside();
    load_window_system();
}

void trace_teardown()
{
    process_trace_ring().teardown();
    give_shutdown_memory_back();
}

void set_fatal_error_directory(const std::string& directory)
{
    error_log_path = directory;
    error_log_path += drive_root_error_log.data();
}

void fatal_error()
{
    // A failure while the report is written must not start another.
    static volatile LONG entered = 0;
    if (InterlockedExchange(&entered, 1) != 0) ExitProcess(1);
    give_shutdown_memory_back();
    write_report();
    MessageBoxA(nullptr, fatal_message_text.data(), fatal_message_title, MB_OK | MB_ICONWARNING);
    std::exit(1);
}
