// The pause between tries of a spooler call. Tests replace it (drvtest/spooler_retry.h) so
// that a thousand tries take no time and the pauses can be counted.
#include "core/system/spooler_retry.h"

namespace {
void (*g_pause)(DWORD milliseconds) = nullptr;
}  // namespace

void PauseBeforeSpoolerRetry() {
    if (g_pause) g_pause(kSpoolerRetryPause);
    else Sleep(kSpoolerRetryPause);
}

// Declared in the test-only header drvtest/spooler_retry.h.
void ReplaceSpoolerRetryPause(void (*pause)(DWORD milliseconds)) noexcept { g_pause = pause; }
