// The lock of data that two threads share, or that a message box's nested message loop may
// reach again on the same thread: recursive, as a critical section is. Hold it with
// std::lock_guard or std::unique_lock.
//
// On Windows it is a critical section, so that no program of ours needs the C++ library's
// mutexes, which lock through the POSIX threads library and bring all of it into the image
// (the setup program has a size budget). The plain code that uses it is also tested on the
// build host, where the standard recursive mutex stands in.
#pragma once

#ifdef _WIN32

#include <windows.h>

class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&section_); }
    ~CriticalSection() { DeleteCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void lock() { EnterCriticalSection(&section_); }
    bool try_lock() { return TryEnterCriticalSection(&section_) != FALSE; }
    void unlock() { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};

#else

#include <mutex>

using CriticalSection = std::recursive_mutex;

#endif
