// What the interpreter keeps in the engine between and during queries: the frame stack, the pool
// of terms built while a query runs, and the per-query tables.
#pragma once

#include "pie/terms/pool.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

struct PieEngine;
struct PlCell;
struct PlFrameChunk;
struct PlFunctor;
struct PlListNode;
struct PlFrame;
struct PlBinding;

// A binding made while a clause is tried: failures undo them, success settles those that point
// into the frame being released. Only a slot that stands unbound (the unbound cell, no frame) is
// ever bound, so an entry keeps no old value: undoing it writes the unbound pair back.
struct PlTrailEntry {
    PlBinding* slot;
    PlFrame* slot_frame;
};

// The trail: a stack of entries that grows and never shrinks its storage while the engine lives.
// Its own, not a std::vector: settling drops entries from the middle on every successful call,
// and cutting the stack back is then one store.
class PlTrail {
public:
    PlTrail() = default;
    ~PlTrail() { std::free(begin_); }
    PlTrail(const PlTrail&) = delete;
    PlTrail& operator=(const PlTrail&) = delete;

    size_t size() const { return static_cast<size_t>(top_ - begin_); }
    size_t bytes() const { return static_cast<size_t>(reinterpret_cast<char*>(top_) - reinterpret_cast<char*>(begin_)); }
    bool empty() const { return top_ == begin_; }
    PlTrailEntry* data() { return begin_; }
    PlTrailEntry* top() { return top_; }
    PlTrailEntry& back() { return top_[-1]; }
    void pop_back() { --top_; }
    // Always inline: every trailed binding comes here, from head matching's largest functions too.
    [[gnu::always_inline]] void push_back(const PlTrailEntry& entry) {
        if (top_ == end_) grow(size() + 1);
        *top_++ = entry;
    }
    // Whether the next push_back grows the storage.
    bool full() const { return top_ == end_; }
    // Cuts the stack back to end at top, a place in it: one store.
    void cut(PlTrailEntry* top) { top_ = top; }
    // Cuts the stack back to size entries, or adds cleared ones up to it.
    void resize(size_t size) {
        if (size > this->size()) {
            const size_t old = this->size();
            if (size > static_cast<size_t>(end_ - begin_)) grow(size);
            for (size_t i = old; i < size; ++i) begin_[i] = PlTrailEntry{};
        }
        top_ = begin_ + size;
    }

private:
    // Room for at least size entries; std::bad_alloc when there is none, as a vector would.
    void grow(size_t size);

    PlTrailEntry* begin_ = nullptr;
    PlTrailEntry* top_ = nullptr;
    PlTrailEntry* end_ = nullptr;
};

struct PlRunState {
    PlFrameChunk* frames = nullptr;       // the chunk in use, linked to the ones below
    PlFrameChunk* spare_frames = nullptr;  // emptied chunks kept for the next query
    // The top, end and base of the chunk in use (all null with none): making and releasing a
    // frame, once per clause tried, then reads no chunk.
    char* frame_top = nullptr;
    char* frame_end = nullptr;
    char* frame_base = nullptr;
    PlTrail trail;
    PlFrame* untrailed = nullptr;         // the frame whose clause head is being matched
    std::vector<PlCell*> list_cells;      // cells of the lists being walked, a stack nested walks share
    PlPool terms;                         // terms built while the outermost query runs
    int queries = 0;                      // queries running (a propagation run nests them)
    PlListNode* answers = nullptr;        // answer table of the running query
    PlListNode* changed = nullptr;        // changed table of the running query
    bool program_changed = false;         // an assert, retract or abolish ran
    PlFunctor* reflected = nullptr;       // the item the current propagation step started from
    // List nodes of clauses taken out while the program may be walked: they keep their links, so
    // that a walk standing on one goes on, and are recycled when the outermost API call ends.
    std::vector<PlListNode*> retired_nodes;
    // Functors whose value vectors took terms built while the outermost query runs: those values
    // are cleared with the query's terms, whatever table (or none) the recording went to.
    std::vector<PlFunctor*> query_valued;
    // Recordings of what a call bound so far: each one's number tells the functors it already
    // entered in its answer table, which only grows while it runs.
    uint64_t recordings = 0;
    // Propagation over a query's answers, and the rebuild of derived rule data after the program
    // changed; either may be unset.
    void (*propagate)(PieEngine* engine, PlListNode* answers, PlFunctor* goal) = nullptr;
    void (*rebuild)(PieEngine* engine) = nullptr;
};

// The part of the list-cell stack one walk uses, above what outer walks hold; given back when
// the walk ends, however it ends.
class PlWalkCells {
public:
    explicit PlWalkCells(std::vector<PlCell*>& cells) : cells_(cells), base_(cells.size()) {}
    ~PlWalkCells() { clear(); }
    PlWalkCells(const PlWalkCells&) = delete;
    PlWalkCells& operator=(const PlWalkCells&) = delete;

    void push(PlCell* cell) { cells_.push_back(cell); }
    void clear() {
        if (cells_.size() != base_) cells_.resize(base_);
    }
    size_t size() const { return cells_.size() - base_; }
    PlCell* operator[](size_t i) const { return cells_[base_ + i]; }

private:
    std::vector<PlCell*>& cells_;
    size_t base_;
};

// Returns the frame chunks and the term pool to the heap.
void pl_run_state_free(PieEngine* engine);
