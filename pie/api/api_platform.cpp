// The platform facts of an engine: the Windows family the rules may test (win95, win98, winNT,
// win2k), fixed by the options or asked from the operating system once, and the two answers of
// the calling side (host slots 24 and 25) behind the goals Folionix and SDK, asked at every load
// and asked again when the engine passes to another host.
#include "pie/api/api_platform.h"

#include "pie/api/api.h"
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

namespace {

void ask_calling_side(PieEngine* engine) {
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

}  // namespace

PlPlatformWords pl_platform_words(const PieEngine* engine) {
    return {engine->win95, engine->win98,           engine->winNT,     engine->win2k,
            engine->win_spare, engine->folionix_answer, engine->sdk_answer};
}

void pl_set_platform_words(PieEngine* engine, const PlPlatformWords& words) {
    engine->win95 = words.win95;
    engine->win98 = words.win98;
    engine->winNT = words.winNT;
    engine->win2k = words.win2k;
    engine->win_spare = words.win_spare;
    engine->folionix_answer = words.folionix_answer;
    engine->sdk_answer = words.sdk_answer;
}

void pl_ask_calling_side(PieEngine* engine) {
    ask_calling_side(engine);
    if (engine->calling_side_asks < kPlCallingSideLoads)
        engine->calling_side_seen[engine->calling_side_asks] = pl_platform_words(engine);
    ++engine->calling_side_asks;
}

int PIE_move_host(PieEngine* engine, void* host) {
    if (!engine || engine->busy || engine->guard_depth) return 1;
    engine->host = host;
    if (!host) return 0;
    if (engine->calling_side_asks > kPlCallingSideLoads) return 1;
    // The words are asked again as PIE_init and each load asked them: the same answers under the
    // new host are what its loads would have turned into facts.
    const PlPlatformWords now = pl_platform_words(engine);
    pl_set_platform(engine);
    bool same = pl_platform_words(engine) == engine->platform_at_init;
    for (uint32_t i = 0; same && i < engine->calling_side_asks; ++i) {
        ask_calling_side(engine);
        same = pl_platform_words(engine) == engine->calling_side_seen[i];
    }
    same = same && pl_platform_words(engine) == now;
    if (!same) pl_set_platform_words(engine, now);
    return same ? 0 : 1;
}
