// A critical section that lives as long as its owner, and a guard that holds it for a scope.
#pragma once

#include <windows.h>

class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&section_); }
    ~CriticalSection() { DeleteCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void enter() { EnterCriticalSection(&section_); }
    void leave() { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};

// Enters on construction; leaves at the end of the scope unless left earlier.
class CriticalSectionLock {
public:
    explicit CriticalSectionLock(CriticalSection& section) : section_(&section) { section.enter(); }
    ~CriticalSectionLock() { leave(); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

    void leave()
    {
        if (section_) section_->leave();
        section_ = nullptr;
    }

private:
    CriticalSection* section_;
};
