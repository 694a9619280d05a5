// The frame stack and the trail: frames made and released in order, bindings undone after a
// failed try.
#include "pie/run/frame.h"

#include "pie/api/engine.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr size_t kSegmentBytes = kPlFrameSegmentWords * sizeof(void*);
// Written by the stores that fill a frame's slots, never given to a frame.
constexpr size_t kSlackBytes = kPlFrameFillSlots * sizeof(PlBinding);

// Takes the top, end and base of the chunk now in use into the run state.
void use_chunk(PlRunState& run) {
    PlFrameChunk* chunk = run.frames;
    run.frame_top = chunk ? chunk->top : nullptr;
    run.frame_end = chunk ? chunk->end : nullptr;
    run.frame_base = chunk ? chunk->base() : nullptr;
}

}  // namespace

PlFrameChunk* pl_frame_open_chunk(PieEngine* engine) {
    PlRunState& run = engine->run;
    PlFrameChunk* chunk = run.spare_frames;
    if (chunk)
        run.spare_frames = chunk->below;
    else
        chunk = static_cast<PlFrameChunk*>(xmalloc(engine, sizeof(PlFrameChunk) + kSegmentBytes + kSlackBytes));
    if (run.frames) run.frames->top = run.frame_top;
    chunk->below = run.frames;
    chunk->top = chunk->base();
    chunk->end = chunk->base() + kSegmentBytes;
    run.frames = chunk;
    use_chunk(run);
    return chunk;
}

void pl_frame_close_chunk(PieEngine* engine) {
    PlRunState& run = engine->run;
    PlFrameChunk* chunk = run.frames;
    run.frames = chunk->below;
    chunk->below = run.spare_frames;
    run.spare_frames = chunk;
    use_chunk(run);
}

void pl_frame_release_below(PieEngine* engine, PlFrame* frame) {
    PlRunState& run = engine->run;
    char* const end = reinterpret_cast<char*>(frame) + pl_frame_bytes(frame->count);
    // The chunk whose top the frame ends at, past the emptied chunks above it, is found before any
    // is closed: a frame released out of order leaves the stack as it was.
    if (run.frames && run.frame_top == run.frame_base) {
        for (PlFrameChunk* chunk = run.frames->below; chunk; chunk = chunk->below) {
            if (chunk->top == end) {
                while (run.frames != chunk) pl_frame_close_chunk(engine);
                run.frame_top = reinterpret_cast<char*>(frame);
                return;
            }
            if (chunk->top != chunk->base()) break;
        }
    }
    pl_fatal_error(engine, PL_ERR_FRAME, "pl_frame_release");
}

void frame_copy(PieEngine* engine, PlFrame* destination, const PlFrame* source) {
    if (destination->count != source->count) pl_fatal_error(engine, PL_ERR_FRAME, "frame_copy");
    std::memcpy(static_cast<void*>(destination->slots()), const_cast<PlFrame*>(source)->slots(),
                source->count * sizeof(PlBinding));
}

PlFrameMark pl_frame_mark(PieEngine* engine) { return {engine->run.frames, engine->run.frame_top}; }

void pl_frame_unwind(PieEngine* engine, PlFrameMark mark) {
    while (engine->run.frames && engine->run.frames != mark.chunk) pl_frame_close_chunk(engine);
    if (engine->run.frames) engine->run.frame_top = mark.top;
}

void pl_run_state_free(PieEngine* engine) {
    PlRunState& run = engine->run;
    for (PlFrameChunk* list : {run.frames, run.spare_frames}) {
        while (list) {
            PlFrameChunk* below = list->below;
            xfree(list);
            list = below;
        }
    }
    run.frames = run.spare_frames = nullptr;
    use_chunk(run);
    if (run.terms.current) pl_pool_release(engine, &run.terms);
}

void PlTrail::grow(size_t size) {
    const size_t capacity = static_cast<size_t>(end_ - begin_);
    size_t wanted = capacity ? capacity * 2 : 64;
    if (wanted < size) wanted = size;
    if (wanted > SIZE_MAX / sizeof(PlTrailEntry)) throw std::bad_alloc();
    const size_t used = this->size();
    void* grown = std::realloc(static_cast<void*>(begin_), wanted * sizeof(PlTrailEntry));
    if (!grown) throw std::bad_alloc();
    begin_ = static_cast<PlTrailEntry*>(grown);
    top_ = begin_ + used;
    end_ = begin_ + wanted;
}

void pl_trail_undo(PieEngine* engine, size_t mark) {
    // Putting a slot back changes no entry: the trail's ends are read once.
    PlTrail& trail = engine->run.trail;
    if (trail.size() <= mark) return;
    PlTrailEntry* const base = trail.data() + mark;
    const PlBinding unbound{engine->cell.unbound, nullptr};
    for (PlTrailEntry* entry = trail.data() + trail.size(); entry != base;) {
        --entry;
        *entry->slot = unbound;
    }
    trail.resize(mark);
}

void pl_frame_fill_rest(PieEngine* engine, PlFrame* frame) {
    // As pl_frame_alloc fills the first: four slots a turn, the last turn running into the chunk's
    // slack, each slot one store of a 16-byte word.
    using Word = uint64_t __attribute__((vector_size(16)));
    static_assert(sizeof(Word) == sizeof(PlBinding));
    const Word unbound{reinterpret_cast<uint64_t>(engine->cell.unbound), 0};
    PlBinding* const end = frame->slots() + frame->count;
    for (PlBinding* slot = frame->slots() + 2 * kPlFrameFillSlots; slot < end; slot += kPlFrameFillSlots)
        for (int i = 0; i < kPlFrameFillSlots; ++i) std::memcpy(static_cast<void*>(slot + i), &unbound, sizeof unbound);
}
