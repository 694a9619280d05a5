// Chosen failures of spooler calls, for tests: the next N calls of a function (or of every
// spooler function) fail with a chosen error, as the spooler does with error 87 while a printer
// is being set up. Product code never arms it; each spooler function asks it first.
#pragma once

#include <windows.h>

namespace spooler {

// Arms a failure: the next `count` calls of `function` ("OpenPrinterA", ...; null for any
// spooler function) fail with `error`. Failures armed earlier stay armed.
void FailCalls(const char* function, DWORD error, unsigned count);
void ClearFailures();
// How many calls of the function were made since the last ClearFailures (failed ones included).
unsigned CallCount(const char* function);

// Called on entry of each spooler function: true, with the error, when this call is to fail.
bool InjectedFault(const char* function, DWORD& error);

// The same for functions that report through the last error: sets it and answers true.
inline bool FailsNow(const char* function) {
    DWORD error = 0;
    if (!InjectedFault(function, error)) return false;
    SetLastError(error);
    return true;
}

}  // namespace spooler
