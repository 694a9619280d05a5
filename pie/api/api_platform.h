// The platform words of an engine and the calling side's two answers (see api_platform.cpp).
#pragma once

#include "pie/api/engine.h"

// Sets the platform words from the flags (0x4000 win95 and win98, 0x8000 winNT, 0x10000 win2k),
// else from the version the operating system reports; clears the calling side's answers.
void pl_set_platform(PieEngine* engine);
// Before a load: with no platform word set, asks host slot 24 and keeps its answer (winNT when it
// answers 0); asks host slot 25 in every case.
void pl_ask_calling_side(PieEngine* engine);
// The engine's platform words and answers now.
PlPlatformWords pl_platform_words(const PieEngine* engine);
void pl_set_platform_words(PieEngine* engine, const PlPlatformWords& words);
