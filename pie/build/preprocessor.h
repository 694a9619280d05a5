// The loader's per-clause analysis and rewriting: the rewrite flags of a clause, the checks of
// goals that act on the head's own item, the rewriting of those goals into built-ins, and the
// folding of constant arithmetic.
#pragma once

#include <cstdint>

struct PieEngine;
struct PlCell;
struct PlFunctor;

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

// The flags of the goals found anywhere in body; an image-loaded body (from_image) skips the
// rows that only rule text can need.
uint32_t preprocessor_check(PieEngine* engine, PlCell* body, bool from_image);
// Raises 277 for a rule of a constant head and 278 for a goal on another item than the head's.
void gui_header_check_sub(PieEngine* engine, PlCell* head, PlCell* body);
// Checks and rewrites the clause record's term and sets its rewrite flags.
void preprocessor(PieEngine* engine, PlCell* clause);

// The body rewritten for the head's own item (see the table of the loader); H and n name it.
void replace_enable(PieEngine* engine, PlCell* head, PlCell*& body);
void replace_reason(PieEngine* engine, PlCell* head, PlCell*& body);
// Folds integer arithmetic and comparisons of body bottom-up (281 on division by zero).
void pl_fold_constants(PieEngine* engine, PlCell*& body);
