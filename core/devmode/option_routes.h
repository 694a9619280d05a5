// Where the core hands option requests: `SDK::Run` (application codes from 0x10000) and
// `FOLX::Run` (page-composition codes below). The option interfaces register themselves; until
// one has, its requests answer 2 ("not supported").
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

// Request kinds after which the caller's device mode takes the request's current one.
inline constexpr DWORD kRequestSet = 3;
inline constexpr DWORD kResultDone = 0;
inline constexpr DWORD kResultNoItem = 1;
inline constexpr DWORD kResultNotSupported = 2;
inline constexpr DWORD kResultRefused = 3;

using OptionRunner = LONG (*)(UIDEVDATA* ctx, DWORD kind, DWORD code, void* data);

// Registers (null removes) a runner; answers the previous one.
OptionRunner RegisterSdkRunner(OptionRunner runner);
OptionRunner RegisterFolxRunner(OptionRunner runner);

LONG RunSdk(UIDEVDATA* ctx, DWORD kind, DWORD code, void* data);
// What the application interface keeps for a device object (a registry it started) goes when
// the object's user data goes; the module's destroy callback calls EndSdkSession first.
using SdkSessionEnd = void (*)(UIDEVDATA* ctx);
SdkSessionEnd RegisterSdkSessionEnd(SdkSessionEnd end);
void EndSdkSession(UIDEVDATA* ctx);
LONG RunFolx(UIDEVDATA* ctx, DWORD kind, DWORD code, void* data);
