// Environment variables and debug output. OutputDebugStringA has no debugger to talk to; it
// writes to the standard error stream when DRVOPUI_DEBUG_OUTPUT is set, and is silent otherwise.
#include "platform/kernel/string_out.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

extern "C" DWORD WINAPI GetEnvironmentVariableA(LPCSTR lpName, LPSTR lpBuffer, DWORD nSize) {
    const char* value = lpName ? std::getenv(lpName) : nullptr;
    if (!value) {
        SetLastError(ERROR_ENVVAR_NOT_FOUND);
        return 0;
    }
    return kernel::CopyOut(value, lpBuffer, nSize);
}

extern "C" void WINAPI OutputDebugStringA(LPCSTR lpOutputString) {
    static const bool enabled = std::getenv("DRVOPUI_DEBUG_OUTPUT") != nullptr;
    if (enabled && lpOutputString) std::fputs(lpOutputString, stderr);
}
