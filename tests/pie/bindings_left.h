// What a binding step left, as addresses, for tests that hold two ways of taking the step to
// each other: the slots of the frames given, and the trail's entries from a mark on.
#pragma once

#include "pie/api/engine.h"
#include "pie/run/frame.h"

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
