// Holds a critical section for the life of a scope, so that a return or an exception in the
// middle never leaves it entered.
#pragma once

#include <windows.h>

class ScopedLock {
public:
    explicit ScopedLock(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
    ~ScopedLock() { LeaveCriticalSection(&section_); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    CRITICAL_SECTION& section_;
};
