// Holds a critical section for the life of a scope, so that a return or an exception in the
// middle never leaves it entered. A null section (a store that tests run without the core lock)
// holds nothing.
#pragma once

#include <windows.h>

class ScopedLock {
public:
    explicit ScopedLock(CRITICAL_SECTION& section) : section_(&section) { EnterCriticalSection(section_); }
    explicit ScopedLock(CRITICAL_SECTION* section) : section_(section) {
        if (section_) EnterCriticalSection(section_);
    }
    ~ScopedLock() {
        if (section_) LeaveCriticalSection(section_);
    }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    CRITICAL_SECTION* section_;
};
