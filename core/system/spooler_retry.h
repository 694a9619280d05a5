// Spooler calls retried while a printer is being set up: the spooler then answers error 87
// (ERROR_INVALID_PARAMETER) for a while, so a call that gets it is tried again, 10 ms apart,
// up to 1000 times in all.
#pragma once

#include <windows.h>

inline constexpr unsigned kSpoolerTries = 1000;
inline constexpr DWORD kSpoolerRetryPause = 10;  // milliseconds

// Waits between two tries (Sleep, unless a test replaced it).
void PauseBeforeSpoolerRetry();

// The answer of a spooler call that reports through the last error: 0 when it succeeded, else
// its error (ERROR_GEN_FAILURE when it failed without saying why, so that failure never reads
// as success).
inline DWORD SpoolerResult(BOOL ok) {
    if (ok) return ERROR_SUCCESS;
    DWORD error = GetLastError();
    return error ? error : ERROR_GEN_FAILURE;
}

// Runs `call` (answering 0 or a Win32 error) until it answers anything but error 87 or has been
// tried kSpoolerTries times; its last answer.
template <class Call>
DWORD RetrySpoolerCall(Call&& call) {
    DWORD rc = call();
    for (unsigned tries = 1; rc == ERROR_INVALID_PARAMETER && tries < kSpoolerTries; ++tries) {
        PauseBeforeSpoolerRetry();
        rc = call();
    }
    return rc;
}
