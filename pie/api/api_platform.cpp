// The platform facts of an engine: the Windows family the rules may test (win95, win98, winNT,
// win2k), fixed by the options or asked from the operating system once, and the two answers of
// the calling side (host slots 24 and 25) behind the goals Folionix and SDK.
#include "pie/api/api_platform.h"

#include "pie/api/engine.h"

#include <windows.h>

namespace {

constexpr int kFolionixSlot = 24;
constexpr int kSdkSlot = 25;

int ask(PieEngine* engine, int slot) {
    auto fn = reinterpret_cast<int (*)(void*)>(engine->host_slots[slot]);
    return fn ? fn(engine->host) : 0;
}

bool platform_set(const PieEngine* engine) {
    return engine->win95 || engine->win98 || engine->winNT || engine->win2k;
}

}  // namespace

void pl_set_platform(PieEngine* engine) {
    engine->win95 = engine->win98 = engine->winNT = engine->win2k = engine->win_spare = 0;
    engine->folionix_answer = engine->sdk_answer = 0;
    if (engine->flags & PLE_WIN9X) {
        engine->win95 = engine->win98 = 1;
        return;
    }
    if (engine->flags & PLE_WINNT4) {
        engine->winNT = 1;
        return;
    }
    if (engine->flags & PLE_WIN2000) {
        engine->win2k = 1;
        return;
    }
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && version.dwMajorVersion == 4) {
        if (version.dwMinorVersion == 0) engine->win95 = 1;
        if (version.dwMinorVersion == 10 || version.dwMinorVersion == 90) engine->win98 = 1;
    } else if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        if (version.dwMajorVersion == 4) engine->winNT = 1;
        if (version.dwMajorVersion == 5) engine->win2k = 1;
    }
}

void pl_ask_calling_side(PieEngine* engine) {
    // With a platform fixed, the page-composition answer stays 0, so Folionix folds to fail.
    if (!platform_set(engine)) {
        engine->folionix_answer = ask(engine, kFolionixSlot);
        if (engine->folionix_answer == 0) {
            engine->win95 = engine->win98 = engine->win2k = 0;
            engine->winNT = 1;
        }
    } else {
        engine->folionix_answer = 0;
    }
    engine->sdk_answer = ask(engine, kSdkSlot);
}
