// What a binding step left, as addresses, for tests that hold two ways of taking the step to
// each other: the slots of the frames given, and the trail's entries from a mark on; and the
// depths at which such tests take the step.
#pragma once

#include "pie/api/engine.h"
#include "pie/run/frame.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <vector>

inline void append_slots(std::vector<const void*>& out, std::initializer_list<PlFrame*> frames) {
    for (PlFrame* frame : frames)
        for (uint32_t i = 0; i < frame->count; ++i) {
            out.push_back(frame->slots()[i].term);
            out.push_back(frame->slots()[i].frame);
        }
}

inline void append_trail(std::vector<const void*>& out, PieEngine* e, size_t mark) {
    for (size_t i = mark; i < pl_trail_mark(e); ++i) {
        out.push_back(e->run.trail.data()[i].slot);
        out.push_back(e->run.trail.data()[i].slot_frame);
    }
}

// What a step between two frames (lf, then rf made after it) left, from the trail's mark on; the
// trail is then undone to base and both frames are released, the last made first.
inline void take_bindings_left(std::vector<const void*>& out, PieEngine* e, PlFrame* lf, PlFrame* rf, size_t mark,
                               size_t base) {
    append_slots(out, {lf, rf});
    append_trail(out, e, mark);
    pl_trail_undo(e, base);
    pl_frame_release(e, rf);
    pl_frame_release(e, lf);
}

// Depths far from the limit, where a level looks at the native stack (every 64), and at the limit.
inline std::array<int, 8> depths_to_step_at(int limit) {
    return {100, 61, 62, 63, limit - 3, limit - 2, limit - 1, limit};
}
