// The frame stack, dereferencing and the settling of frames after a clause succeeded.
#include "pie/frame.h"

#include "pie/engine.h"

#include <cstring>
#include <new>

struct PlFrameChunk {
    PlFrameChunk* below;
    char* top;
    char* end;
    char* base() { return reinterpret_cast<char*>(this + 1); }
};

namespace {

constexpr size_t kSegmentBytes = kPlFrameSegmentWords * sizeof(void*);

size_t frame_bytes(uint32_t count) { return sizeof(PlFrame) + size_t{count} * sizeof(PlBinding); }

PlFrameChunk* open_chunk(PieEngine* engine) {
    PlRunState& run = engine->run;
    PlFrameChunk* chunk = run.spare_frames;
    if (chunk)
        run.spare_frames = chunk->below;
    else
        chunk = static_cast<PlFrameChunk*>(xmalloc(engine, sizeof(PlFrameChunk) + kSegmentBytes));
    chunk->below = run.frames;
    chunk->top = chunk->base();
    chunk->end = chunk->base() + kSegmentBytes;
    run.frames = chunk;
    return chunk;
}

void close_chunk(PieEngine* engine) {
    PlRunState& run = engine->run;
    PlFrameChunk* chunk = run.frames;
    run.frames = chunk->below;
    chunk->below = run.spare_frames;
    run.spare_frames = chunk;
}

}  // namespace

PlFrame* pl_frame_alloc(PieEngine* engine, uint32_t count, PlFrame* link, const PlFrame* source) {
    const size_t bytes = frame_bytes(count);
    if (bytes > kSegmentBytes) pl_fatal_error(engine, PL_ERR_STACK, "pl_frame_alloc");
    if (source && source->count != count) pl_fatal_error(engine, PL_ERR_FRAME, "pl_frame_alloc");
    PlFrameChunk* chunk = engine->run.frames;
    if (!chunk || static_cast<size_t>(chunk->end - chunk->top) < bytes) chunk = open_chunk(engine);
    auto* frame = reinterpret_cast<PlFrame*>(chunk->top);
    chunk->top += bytes;
    frame->link = link;
    frame->count = count;
    PlBinding* slots = frame->slots();
    if (source) {
        std::memcpy(static_cast<void*>(slots), const_cast<PlFrame*>(source)->slots(), count * sizeof(PlBinding));
    } else {
        for (uint32_t i = 0; i < count; ++i) slots[i] = {engine->cell.unbound, nullptr};
    }
    return frame;
}

void pl_frame_release(PieEngine* engine, PlFrame* frame) {
    PlFrameChunk* chunk = engine->run.frames;
    if (!chunk || reinterpret_cast<char*>(frame) + frame_bytes(frame->count) != chunk->top)
        pl_fatal_error(engine, PL_ERR_FRAME, "pl_frame_release");
    chunk->top = reinterpret_cast<char*>(frame);
    if (chunk->top == chunk->base()) close_chunk(engine);
}

void frame_copy(PieEngine* engine, PlFrame* destination, const PlFrame* source) {
    if (destination->count != source->count) pl_fatal_error(engine, PL_ERR_FRAME, "frame_copy");
    std::memcpy(static_cast<void*>(destination->slots()), const_cast<PlFrame*>(source)->slots(),
                source->count * sizeof(PlBinding));
}

PlFrameMark pl_frame_mark(PieEngine* engine) {
    PlFrameChunk* chunk = engine->run.frames;
    return {chunk, chunk ? chunk->top : nullptr};
}

void pl_frame_unwind(PieEngine* engine, PlFrameMark mark) {
    while (engine->run.frames && engine->run.frames != mark.chunk) close_chunk(engine);
    if (engine->run.frames) engine->run.frames->top = mark.top;
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
    if (run.terms.current) pl_pool_release(engine, &run.terms);
}

PlDeref pl_deref(PlCell* term, PlFrame* frame) {
    PlDeref d{term, frame, nullptr, nullptr, nullptr};
    while (d.term->type == PL_VAR && d.frame) {
        PlBinding* binding = &d.frame->slots()[d.term->var.slot];
        d.slot = binding;
        d.slot_frame = d.frame;
        d.var = d.term;
        d.term = binding->term;
        d.frame = binding->frame;
    }
    return d;
}

void pl_bind(PieEngine* engine, PlBinding* slot, PlFrame* slot_frame, PlCell* term, PlFrame* frame) {
    engine->run.trail.push_back({&slot->term, slot_frame, slot->term, slot->frame});
    slot->term = term;
    slot->frame = frame;
}

size_t pl_trail_mark(const PieEngine* engine) { return engine->run.trail.size(); }

void pl_trail_undo(PieEngine* engine, size_t mark) {
    auto& trail = engine->run.trail;
    while (trail.size() > mark) {
        const PlTrailEntry& entry = trail.back();
        auto* slot = reinterpret_cast<PlBinding*>(entry.slot_term);
        slot->term = entry.old_term;
        slot->frame = entry.old_frame;
        trail.pop_back();
    }
}

PlCell* pl_term_cell(PieEngine* engine, uint32_t type) {
    PlRunState& run = engine->run;
    if (!run.terms.current) pl_pool_create(engine, &run.terms);
    PlCell* cell = pl_pool_new<PlCell>(engine, &run.terms);
    cell->type = static_cast<PlCellType>(type);
    return cell;
}

namespace {

// Resolves into a term readable in at most one frame; keep is that frame once a part needs it.
// A variable unbound in a frame other than keep (the dying one, or a second surviving one) has
// nothing left to alias and becomes the unbound cell.
PlCell* resolve(PieEngine* engine, PlCell* term, PlFrame* frame, PlFrame* dying, PlFrame*& keep) {
    PlDepthGuard depth(engine, "pl_resolve_term", 2);
    switch (term->type) {
    case PL_VAR: {
        if (!frame) return term;
        PlCell* var = term;
        PlFrame* in = frame;
        for (PlBinding* b = &in->slots()[var->var.slot]; b->term->type == PL_VAR && b->frame;
             b = &in->slots()[var->var.slot]) {
            var = b->term;
            in = b->frame;
        }
        const PlBinding& last = in->slots()[var->var.slot];
        if (last.term->type == PL_UNBOUND) {
            if (in == dying || (keep && keep != in)) return engine->cell.unbound;
            keep = in;
            return var;
        }
        if (!last.frame) return last.term;
        return resolve(engine, last.term, last.frame, dying, keep);
    }
    case PL_FUNCTOR: {
        const uint32_t n = term->fn.args ? term->fn.args->count : 0;
        if (n == 0) return term;
        PlCell* args[kPlMaxArity + 1];
        bool changed = false;
        for (uint32_t i = 0; i < n; ++i) {
            args[i] = resolve(engine, pl_arg(term, i), frame, dying, keep);
            changed |= args[i] != pl_arg(term, i);
        }
        if (!changed) return term;
        PlCell* copy = pl_term_cell(engine, PL_FUNCTOR);
        copy->line = term->line;
        copy->fn.functor = term->fn.functor;
        copy->fn.args = pl_vector_alloc(engine, &engine->run.terms, n);
        for (uint32_t i = 0; i < n; ++i) copy->fn.args->items[i] = args[i];
        return copy;
    }
    case PL_LIST: {
        PlCell* head = resolve(engine, term->list.head, frame, dying, keep);
        PlCell* tail = resolve(engine, term->list.tail, frame, dying, keep);
        if (head == term->list.head && tail == term->list.tail) return term;
        PlCell* copy = pl_term_cell(engine, PL_LIST);
        copy->list.head = head;
        copy->list.tail = tail;
        return copy;
    }
    default:
        return term;
    }
}

}  // namespace

PlTermRef pl_resolve_term(PieEngine* engine, PlCell* term, PlFrame* frame, PlFrame* dying) {
    if (!frame) return {term, nullptr};
    PlFrame* keep = nullptr;
    PlCell* resolved = resolve(engine, term, frame, dying, keep);
    return {resolved, keep};
}

void pl_settle_frames(PieEngine* engine, PlFrame* callee, size_t mark) {
    auto& trail = engine->run.trail;
    size_t kept = mark;
    for (size_t i = mark; i < trail.size(); ++i) {
        PlTrailEntry entry = trail[i];
        if (entry.slot_frame == callee) continue;
        auto* slot = reinterpret_cast<PlBinding*>(entry.slot_term);
        if (slot->frame == callee) {
            const PlTermRef settled = pl_resolve_term(engine, slot->term, slot->frame, callee);
            slot->term = settled.term;
            slot->frame = settled.frame;
        }
        trail[kept++] = entry;
    }
    trail.resize(kept);
}
