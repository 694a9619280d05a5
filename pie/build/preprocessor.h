// The loader's per-clause analysis and rewriting: the rewrite flags of a clause, the checks of
// goals that act on the head's own item, the rewriting of those goals into built-ins, and the
// folding of constant arithmetic.
#pragma once

#include "pie/terms/functor.h"

#include <cstdint>

struct PieEngine;
struct PlCell;

// Rewrite flags of a clause record.
enum PlRewriteFlag : uint32_t {
    PLR_FACT = 0x1,
    PLR_ENABLE = 0x4,
    PLR_REASON = 0x8,
    PLR_ARITHMETIC = 0x10,
    PLR_SELECT = 0x20,
    PLR_ELEMENT = 0x40,
    PLR_PLATFORM = 0x80,
    PLR_WAIT = 0x100,
    PLR_OPTIMISED = 0x200,  // the optimiser has rewritten the body
};

// What loading does with a goal, by its functor.
enum PlGoalKind : uint8_t {
    PLG_OTHER,
    PLG_ENABLE,      // disable, enable, show, hide, readonly, writable, unsupported, rreason/1, sreason/1
    PLG_REASON,      // reason/1
    PLG_CONSTANT,    // constant
    PLG_SHOW3,       // show/3, enable/3, readonly/3
    PLG_ARITHMETIC,  // arithmetic and comparisons
    PLG_SELECT,      // select_enable, select_show
    PLG_WAIT,        // wait/1
    PLG_ELEMENT,     // the element goals: *_element/2 and *reason_element/3
    PLG_PLATFORM,    // winNT, win2k, win9X, win95, win98, Folionix, SDK
    PLG_TARGETED,    // sreason/3, rreason/2: no rewrite, but the header check looks at them
};
// The kind of f: found once among the predefined functors, then kept on the functor, since
// every goal of every loaded clause is asked.
PlGoalKind pl_find_goal_kind(PieEngine* engine, PlFunctor* f);
// Gives every predefined functor its kind at once, so that any functor not yet asked is known
// to be an ordinary goal. Once the predefined functors stand (pl_compiler_create).
void pl_prepare_goal_kinds(PieEngine* engine);
inline PlGoalKind pl_goal_kind(PieEngine* engine, PlFunctor* f) {
    return f->goal_kind ? static_cast<PlGoalKind>(f->goal_kind - 1) : pl_find_goal_kind(engine, f);
}

// The flags of the goals found anywhere in body; an image-loaded body (from_image) skips the
// rows that only rule text can need.
uint32_t preprocessor_check(PieEngine* engine, PlCell* body, bool from_image);
// Checks and rewrites the clause record's term and sets its rewrite flags. A rule is checked
// first: 277 for a rule of a constant head, 278 for a goal on another item than the head's.
void preprocessor(PieEngine* engine, PlCell* clause);

// The body rewritten for the head's own item (see the table of the loader); H and n name it.
void replace_enable(PieEngine* engine, PlCell* head, PlCell*& body);
void replace_reason(PieEngine* engine, PlCell* head, PlCell*& body);
// Folds integer arithmetic and comparisons of body bottom-up (281 on division by zero).
void pl_fold_constants(PieEngine* engine, PlCell*& body);
