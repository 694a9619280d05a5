// Frames: the bindings of one clause's variables while it runs. A frame lives on the engine's
// frame stack and is released in the reverse order of its making; a binding names the term a
// variable stands for and the frame in which that term's own variables are read.
#pragma once

#include "pie/api/engine.h"
#include "pie/terms/term.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

struct PieEngine;
struct PlCell;
struct PlFrame;

struct PlBinding {
    PlCell* term;
    PlFrame* frame;  // nullptr for a term that needs no frame
};

// A frame's header is its size alone: nothing walks frames by the caller they were made for.
struct alignas(PlBinding) PlFrame {
    uint32_t count;
    PlBinding* slots() { return reinterpret_cast<PlBinding*>(this + 1); }
};
static_assert(sizeof(PlFrame) == alignof(PlBinding));

// The binding of a variable in a frame (a slot number is never negative). The slot's offset is
// kept opaque to the compiler, which would otherwise count the frame's header as one more slot
// and add it before scaling: one instruction more on every step of a dereferencing.
[[gnu::always_inline]] inline PlBinding* pl_binding_of(PlFrame* frame, const PlCell* var) {
    size_t offset = size_t{static_cast<uint32_t>(var->var.slot)} * sizeof(PlBinding);
    asm("" : "+r"(offset));
    return reinterpret_cast<PlBinding*>(reinterpret_cast<char*>(frame) + sizeof(PlFrame) + offset);
}

// A term with the frame its variables are read in.
struct PlTermRef {
    PlCell* term;
    PlFrame* frame;
};

// Frame stack segments hold 4,096 words; a frame that does not fit in one raises 4102.
constexpr size_t kPlFrameSegmentWords = 4096;
// Slots filled unbound together when a frame is made. A chunk has room for that many slots past
// its end, so that the last group of a frame at the end of a chunk stays inside it.
constexpr int kPlFrameFillSlots = 4;

// Whether a frame of count slots fits in a segment.
inline bool pl_frame_fits(uint32_t count) {
    return sizeof(PlFrame) + size_t{count} * sizeof(PlBinding) <= kPlFrameSegmentWords * sizeof(void*);
}

// A segment of the frame stack; frames are made at top and released back to it. The top of the
// chunk in use is kept in the run state instead (see PlRunState::frame_top), and written back
// here when a chunk is pushed above it.
struct PlFrameChunk {
    PlFrameChunk* below;
    char* top;
    char* end;
    char* base() { return reinterpret_cast<char*>(this + 1); }
};

inline size_t pl_frame_bytes(uint32_t count) { return sizeof(PlFrame) + size_t{count} * sizeof(PlBinding); }

// Pushes a chunk on the frame stack (a spare one when there is one) and returns it.
PlFrameChunk* pl_frame_open_chunk(PieEngine* engine);
// Takes the emptied chunk in use off the frame stack.
void pl_frame_close_chunk(PieEngine* engine);
// pl_frame_release for a frame that does not end at the top of the chunk in use: one in a chunk
// below, once the emptied chunks above it are closed, or else a frame released out of order,
// which raises its error.
void pl_frame_release_below(PieEngine* engine, PlFrame* frame);

// Makes the slots of frame past its first 2 * kPlFrameFillSlots unbound (pl_frame_alloc fills those).
void pl_frame_fill_rest(PieEngine* engine, PlFrame* frame);

// A frame of count unbound slots, or a copy of source (which must have count slots), made for a
// goal read in the caller's frame (named at the call for its reader; the frame keeps no link to
// it). Inline: a frame is made for every clause tried.
inline PlFrame* pl_frame_alloc(PieEngine* engine, uint32_t count, PlFrame* /*caller*/, const PlFrame* source) {
    const size_t bytes = pl_frame_bytes(count);
    // A frame the chunk in use has room for fits in a segment: only a frame that needs a new chunk
    // is measured against one, in the order the checks had. With no chunk in use, top and end
    // are both null and there is no room.
    PlRunState& run = engine->run;
    // The new top is worked out once, for the test and the store: as addresses, which the null
    // top and end of no chunk in use leave well defined.
    uintptr_t after = reinterpret_cast<uintptr_t>(run.frame_top) + bytes;
    if (after > reinterpret_cast<uintptr_t>(run.frame_end)) {
        if (!pl_frame_fits(count)) pl_fatal_error(engine, PL_ERR_STACK, "pl_frame_alloc");
        if (source && source->count != count) pl_fatal_error(engine, PL_ERR_FRAME, "pl_frame_alloc");
        pl_frame_open_chunk(engine);
        after = reinterpret_cast<uintptr_t>(run.frame_top) + bytes;
    } else if (source && source->count != count) {
        pl_fatal_error(engine, PL_ERR_FRAME, "pl_frame_alloc");
    }
    auto* frame = reinterpret_cast<PlFrame*>(run.frame_top);
    run.frame_top = reinterpret_cast<char*>(after);
    frame->count = count;
    PlBinding* slots = frame->slots();
    if (source) {
        for (uint32_t i = 0; i < count; ++i) slots[i] = const_cast<PlFrame*>(source)->slots()[i];
    } else {
        // One value stored whole into every slot, read once (the stores below may alias the
        // engine), and held as one 16-byte word: a slot is then one store.
        using Word = uint64_t __attribute__((vector_size(16)));
        static_assert(sizeof(Word) == sizeof(PlBinding));
        const Word unbound{reinterpret_cast<uint64_t>(engine->cell.unbound), 0};
        // Four stores a turn, the last turn running past the frame into the chunk's slack: most
        // clauses have four variables or fewer, and their frame is then filled by the first turn,
        // at places known from the frame, with one test of the count after it.
        const auto fill = [&unbound](PlBinding* slot) {
            for (int i = 0; i < kPlFrameFillSlots; ++i)
                std::memcpy(static_cast<void*>(slot + i), &unbound, sizeof unbound);
        };
        fill(slots);
        // A second turn for frames of eight slots or fewer, the rest out of line: a loop kept here
        // held a copy of the value in a register of its own.
        if (count > kPlFrameFillSlots) [[unlikely]] {
            fill(slots + kPlFrameFillSlots);
            if (count > 2 * kPlFrameFillSlots) pl_frame_fill_rest(engine, frame);
        }
    }
    return frame;
}

// Releases the frame made last, which must be frame. A chunk its last frame leaves stays in use,
// empty, until a frame of a chunk below is released: the next frame is most often made at once,
// in the same place. With no chunk in use the top is null, and no frame ends there.
inline void pl_frame_release(PieEngine* engine, PlFrame* frame) {
    PlRunState& run = engine->run;
    if (reinterpret_cast<char*>(frame) + pl_frame_bytes(frame->count) != run.frame_top) [[unlikely]] {
        pl_frame_release_below(engine, frame);
        return;
    }
    run.frame_top = reinterpret_cast<char*>(frame);
}
// Copies the bindings of source into destination; sizes that differ raise 4110.
void frame_copy(PieEngine* engine, PlFrame* destination, const PlFrame* source);

// A place on the frame stack to come back to: everything made after it is released at once.
struct PlFrameMark {
    void* chunk;
    char* top;
};
PlFrameMark pl_frame_mark(PieEngine* engine);
void pl_frame_unwind(PieEngine* engine, PlFrameMark mark);

// Follows variables through their bindings; the result is never a variable. The slot of the last
// variable passed (the one a binding goes to) and its frame are returned in place.
struct PlDeref {
    PlCell* term;
    PlFrame* frame;
    PlBinding* slot;       // nullptr when term was no variable
    PlFrame* slot_frame;
    PlCell* var;           // the variable whose slot that is
};
inline PlDeref pl_deref(PlCell* term, PlFrame* frame) {
    PlDeref d{term, frame, nullptr, nullptr, nullptr};
    while (d.term->type == PL_VAR && d.frame) {
        PlBinding* binding = pl_binding_of(d.frame, d.term);
        d.slot = binding;
        d.slot_frame = d.frame;
        d.var = d.term;
        d.term = binding->term;
        d.frame = binding->frame;
    }
    return d;
}

// pl_deref for a caller that keeps its answer whole (a built-in's arguments): the slot, its frame
// and its variable are those of the last step, and made once, at the end, rather than at each.
inline PlDeref pl_deref_whole(PlCell* term, PlFrame* frame) {
    if (term->type != PL_VAR || !frame) return {term, frame, nullptr, nullptr, nullptr};
    for (;;) {
        PlBinding* binding = &frame->slots()[term->var.slot];
        PlCell* next = binding->term;
        PlFrame* next_frame = binding->frame;
        if (next->type != PL_VAR || !next_frame) return {next, next_frame, binding, frame, term};
        term = next;
        frame = next_frame;
    }
}

// Binds a slot, trailed so that a failed clause undoes it: all but the slots of the frame whose
// head is being matched (see PlUntrailedFrame).
inline void pl_bind(PieEngine* engine, PlBinding* slot, PlFrame* slot_frame, PlCell* term, PlFrame* frame) {
    if (slot_frame != engine->run.untrailed)
        engine->run.trail.push_back({slot, slot_frame});
    slot->term = term;
    slot->frame = frame;
}

// While it lives, bindings of the slots of frame are not trailed. Only for the frame of a clause
// try, made after the try's trail mark: a failed try releases the frame instead of undoing its
// slots, and a successful one drops their entries when it settles.
class PlUntrailedFrame {
public:
    PlUntrailedFrame(PieEngine* engine, PlFrame* frame) : engine_(engine), saved_(engine->run.untrailed) {
        engine->run.untrailed = frame;
    }
    ~PlUntrailedFrame() { engine_->run.untrailed = saved_; }
    PlUntrailedFrame(const PlUntrailedFrame&) = delete;
    PlUntrailedFrame& operator=(const PlUntrailedFrame&) = delete;

private:
    PieEngine* engine_;
    PlFrame* saved_;
};
inline size_t pl_trail_mark(const PieEngine* engine) { return engine->run.trail.size(); }
// The same place as the bytes of the entries below it, for a caller that settles from it: its
// entry is then found without a shift. pl_trail_mark is mark_bytes / sizeof(PlTrailEntry).
inline size_t pl_trail_mark_bytes(const PieEngine* engine) { return engine->run.trail.bytes(); }
// Puts back every slot bound since mark.
void pl_trail_undo(PieEngine* engine, size_t mark);

// A term that no longer needs frame dying: bound variables are replaced by their values and
// compound terms and lists rebuilt when a part changed; a variable left unbound in dying becomes
// the unbound cell.
PlTermRef pl_resolve_term(PieEngine* engine, PlCell* term, PlFrame* frame, PlFrame* dying);

// A cell for a term built while a query runs (released with the outermost query). Inline: settling
// makes one for most successful calls.
inline PlCell* pl_term_cell(PieEngine* engine, uint32_t type) {
    PlRunState& run = engine->run;
    if (!run.terms.current) pl_pool_create(engine, &run.terms);
    PlCell* cell = pl_pool_new<PlCell>(engine, &run.terms);
    cell->type = static_cast<PlCellType>(type);
    return cell;
}
// pl_term_cell where it is a pointer bump (the query's pool has a block with room); nullptr, with
// nothing taken, where it is not. Under AddressSanitizer it is pl_term_cell.
inline PlCell* pl_term_cell_bump(PieEngine* engine, uint32_t type) {
#ifdef PL_POOL_SANITIZED
    return pl_term_cell(engine, type);
#else
    void* room = pl_pool_bump(&engine->run.terms, sizeof(PlCell));
    if (!room) return nullptr;
    auto* cell = new (room) PlCell{};
    cell->type = static_cast<PlCellType>(type);
    return cell;
#endif
}

// Settles one binding into the dying frame callee.
void pl_settle_binding(PieEngine* engine, PlBinding* slot, PlFrame* callee);

// Run when a clause has succeeded, before its frame callee is released: no binding made since
// the mark at mark_bytes (pl_trail_mark_bytes) refers to callee afterwards, and the bindings of
// callee's own slots leave the trail. Inline: it runs after every successful clause, and its
// commonest entries take a few loads. settle is the step that settles one binding:
// pl_settle_binding, or a caller's inline copy of it.
// kOneCall: the caller is a rule whose body was one call, which most often leaves the entries
// taken first.
template <void (*settle)(PieEngine*, PlBinding*, PlFrame*) = pl_settle_binding, bool kOneCall = false>
[[gnu::always_inline]] inline void pl_settle_frames_from(PieEngine* engine, PlFrame* callee, size_t mark_bytes) {
    // Resolving makes no binding: the trail keeps its place while it is walked, and its top is
    // read where it is kept rather than kept aside across the settling calls. Entries stay where
    // they are until the first that leaves: only those after it move down.
    PlTrail& trail = engine->run.trail;
    auto* entry = reinterpret_cast<PlTrailEntry*>(reinterpret_cast<char*>(trail.data()) + mark_bytes);
    // The commonest entries of all, those of a rule whose body was one call: the binding its head
    // made in its caller's frame, then that of its own last variable, which its body's call made.
    // Compared as addresses: an engine that never trailed a binding has no trail, and its entry is
    // null.
    if (kOneCall &&
        reinterpret_cast<uintptr_t>(trail.top()) == reinterpret_cast<uintptr_t>(entry) + 2 * sizeof(PlTrailEntry) &&
        entry[1].slot_frame == callee && entry[0].slot_frame != callee) {
        if (entry[0].slot->frame == callee) settle(engine, entry[0].slot, callee);
        trail.cut(entry + 1);
        return;
    }
    for (;; ++entry) {
        if (entry == trail.top()) return;
        if (entry->slot_frame == callee) break;
        if (entry->slot->frame == callee) settle(engine, entry->slot, callee);
    }
    PlTrailEntry* kept = entry;
    while (++entry != trail.top()) {
        if (entry->slot_frame == callee) continue;
        PlBinding* slot = entry->slot;
        if (slot->frame == callee) settle(engine, slot, callee);
        *kept++ = *entry;
    }
    trail.cut(kept);
}
// The same from a mark of pl_trail_mark.
inline void pl_settle_frames(PieEngine* engine, PlFrame* callee, size_t mark) {
    pl_settle_frames_from(engine, callee, mark * sizeof(PlTrailEntry));
}
