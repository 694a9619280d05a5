// The boundary between the C-style API and the engine: an engine error raised anywhere below an
// API function ends that call with its error result and leaves the engine usable. No exception
// crosses this boundary.
#pragma once

#include "pie/api/engine.h"

#include <new>

// What an API entry saves to put the engine back in order after an error.
struct PlGuardState {
    uint32_t flags;
    int depth;
};

PlGuardState pl_guard_enter(PieEngine* engine);
void pl_guard_leave(PieEngine* engine, const PlGuardState& saved);
// Undoes what an interrupted call left behind: the engine bits a query sets and restores (status
// evaluation, propagation mode, suspended trace), the busy marker and the per-query flags of every
// functor (at once, or when the outermost call ends if this one was entered from a host callback).
void pl_guard_recover(PieEngine* engine, const PlGuardState& saved);

// Runs body (returning int) as one API call: its result, or on_error after an engine error.
template <class Body>
int pl_guarded(PieEngine* engine, int on_error, Body&& body) noexcept {
    const PlGuardState saved = pl_guard_enter(engine);
    try {
        int result = body();
        pl_guard_leave(engine, saved);
        return result;
    } catch (const PlError&) {
        // The error routine has filled the last-error record.
    } catch (const std::bad_alloc&) {
        PlErrorRecord& record = engine->last_error;
        record = PlErrorRecord{};
        record.line = engine->line;
        record.code = PL_ERR_NO_MEMORY;
        std::snprintf(record.text, sizeof record.text, "[operator new] %s", pl_error_format(PL_ERR_NO_MEMORY));
    } catch (...) {
        // A host callback threw: the call fails like an engine error.
    }
    pl_guard_recover(engine, saved);
    return on_error;
}
