// The engine record PieEngine: everything one rule engine owns, taken as the first argument by
// every engine function. The host holds it as an opaque handle from PIE_init to PIE_term.
#pragma once

#include "pie/terms/atoms.h"
#include "pie/api/errors.h"
#include "pie/terms/functor.h"
#include "pie/terms/pool.h"
#include "pie/terms/predefined_functors.h"
#include "pie/run/run_state.h"
#include "pie/terms/term.h"

#include <cstdint>
#include <cstdio>
#include <vector>

struct BTree;
struct PlHash;
struct PlKeptState;
struct PlListNode;
struct PlOperator;
struct PlProgram;
struct PlTextRecorder;
struct PlWatchTable;
using PlList = PlListNode;

// Engine flag bits (the options word feeds some of them, see options.h).
enum PlEngineFlag : uint32_t {
    PLE_DUMP_ADDRESSES = 0x1,
    PLE_DUMP_TAGGED = 0x2,
    PLE_OPTION_4 = 0x4,
    PLE_PROPAGATION = 0x8,
    PLE_TRACE = 0x10,
    PLE_STATUS_EVALUATION = 0x40,
    PLE_UPDATE_MODE = 0x80,
    PLE_FUNCTOR_DUMP = 0x100,
    PLE_REFERENCE_DUMP = 0x200,
    PLE_SKIP_POST_LOAD = 0x400,
    PLE_OPTION_100 = 0x800,
    PLE_OPTION_80 = 0x1000,
    PLE_UPDATE_POOL = 0x2000,
    PLE_WIN9X = 0x4000,
    PLE_WINNT4 = 0x8000,
    PLE_WIN2000 = 0x10000,
    PLE_OPTION_4000 = 0x20000,
    PLE_IMAGE_POST_STEP = 0x40000,
    // Disjunctions are solved by their rules' route alone (run/direct_branch.h), as a traced
    // query solves them: tests hold the direct path against that route.
    PLE_DISJUNCTION_RULES = 0x80000,
    // The opening tests of rule bodies are run by the bodies' chains alone (run/opening_test.h),
    // as a traced query runs them: tests hold the direct path against the chains.
    PLE_OPENING_CHAINS = 0x100000,
    // The levels of a walk over lists are run by the general steps of the loop of one-goal bodies
    // alone (run/walk_levels.h): tests hold the walk's own steps against them.
    PLE_WALK_GENERAL = 0x200000,
    // A propagation's evaluation records its goal again after its call did, even where the second
    // recording would find nothing to do (run/interpreter_main.cpp): tests hold the two alike.
    PLE_RECORD_EVALUATIONS = 0x400000,
};

// The engine's version and build date as the banner shows them (two blanks before the day).
constexpr const char* kPieVersion = "1.75";
constexpr const char* kPieBuildDate = "Jun  2 2005";

constexpr int kPlHostSlots = 120;
constexpr int kPlDirectIsOperators = 12;
constexpr int kPlFunctorTables = kPlMaxArity + 1;

// One limit on the depth of every recursive walk (parser, conversion, copy, release,
// unification, calls, printing): deeper terms raise error 4102 instead of exhausting the stack.
// It holds on a stack of unknown size, and always for the nesting of rule text and images; a
// query on the engine's own stack (run/engine_stack.h) may go to kPlStackDepth levels, as far as
// that stack allows.
constexpr int kPlMaxDepth = 4000;
constexpr int kPlStackDepth = 1 << 22;

using PlHostSlot = void (*)();

// The platform words and the calling side's two answers, as one value.
struct PlPlatformWords {
    int win95, win98, winNT, win2k, win_spare, folionix_answer, sdk_answer;
    bool operator==(const PlPlatformWords&) const = default;
};
// The loads whose questions to the calling side an engine remembers; a host loads three texts.
constexpr uint32_t kPlCallingSideLoads = 8;

struct PieEngine {
    void* host;  // the host's word, first argument of every host callback
    PlPool scratch_pool;
    PlList* scratch_list;
    uint32_t flags;
    PlProgram* program;  // the loaded program; non-null once PIE_init ran
    PlPool main_pool;
    PlPool load_pool;
    PlPool update_pool;
    PlHash* update_table;
    BTree* update_tree;
    PlHash* operators;
    PlOperator* op_neck;  // ":-", ";", "|", ","
    PlOperator* op_semicolon;
    PlOperator* op_bar;
    PlOperator* op_comma;
    PlAtomTable atom_table;
    PlWatchTable* watch;  // the registered items by host id (watch.cpp)
    PlList* answers;
    FILE* log;
    const char* log_name;
    int state;  // 0 created, 1 loaded, 2 terminating
    int32_t line;
    BTree* constants;
    int log_switch;
    int win95, win98, winNT, win2k, win_spare;
    int folionix_answer;  // host slot 24
    int sdk_answer;       // host slot 25
    int constants_defined;
    // Every predefined functor knows its goal kind (pl_compiler_create): any other is an ordinary goal.
    int goal_kinds_known;
    int image_loaded;
    int image_word;
    int busy;
    int32_t warning_line;
    PlPredefinedAtoms atom;
    PlSharedCells cell;
    PlHostSlot host_slots[kPlHostSlots];
    PlRunState run;  // the interpreter's frames and per-query tables
    PlErrorRecord last_error;
    PlPool output_pool;

    // Memory and tables of this implementation.
    PlPoolBlock* free_blocks;
    PlListNode* free_nodes;
    PlCell* free_cells;
    PlVector* empty_vector;
    PlHash* integers;
    PlHash* functors[kPlFunctorTables];
    uint32_t functor_count;
    // Every functor in the order it was made (by serial): the walks that touch each functor alike
    // go down this list rather than through the tables' buckets.
    std::vector<PlFunctor*> functor_list;
    int depth;        // current recursion depth, see PlDepthGuard
    int guard_depth;  // nested guarded API calls (a host callback may re-enter)
    int stale_query_flags;  // an inner call failed: clear per-query flags when the outer ends
    // The engine's own stack: its mapping, and while a query runs on it the lowest address a
    // recursion may reach and the address below which the query counts as deep (0 otherwise).
    void* stack_base;
    uintptr_t stack_floor;
    uintptr_t stack_deep_mark;
    int stack_went_deep;

    // Reading rule text.
    const char* text_position;  // the lexer's place in the text being read
    // The last clause of the program before the running load: the pass after loading starts
    // behind it. A directive that takes this clause out moves it to the one before.
    PlListNode* load_anchor;
    PlHash* abbreviations;      // name atom to expansion atom
    int32_t replacement_count;  // numbers the functors of no-propagate heads ("$$@0", ...)
    // Operators and abbreviations defined since the reader's tables were made: a text is read the
    // same in every engine only while this is 0 (build/read_text.h).
    uint32_t syntax_changes;
    PlTextRecorder* recorder;  // notes the lookups of a text being read for the first time
    PlFunctor* predefined[kPlPredefinedFunctorCount];
    int (*run_directive)(PieEngine* engine, PlCell* query);  // set by the interpreter

    // "is" and the operators it evaluates directly (run/direct_is.h); null until PIE_init.
    PlFunctor* direct_is_functor;
    PlFunctor* direct_is[kPlDirectIsOperators];

    // Conflict propagation: the prepared queries Item(_X), their item set for each call.
    PlCell* conflict_query;
    PlCell* propagation_query;
    // The host's count of the changes the rules made to its items (null: the host keeps none),
    // and the engine's own count of changes rules can read (reasons, the update store, the
    // program, forced propagation): an item whose evaluation moved neither and left its value as
    // it was wakes no reader.
    const uint32_t* host_changes;
    uint32_t readable_changes;
    // Numbers the outermost queries, from 1: a value read from the host holds for the rest of
    // its query while the host's change count stays.
    uint32_t query_number;
    // The changed table of the running query and its last node whose reason the query has
    // cleared; a table other than the query's, or none, clears the whole table next time.
    const PlList* reasons_table;
    PlListNode* reasons_cleared;
    // What PIE_keep kept, for PIE_back_to_kept (api_keep.cpp); null when nothing is kept.
    PlKeptState* kept;

    // The disjunctions "|" and ";" and their branch rules, first argument's then second's, as the
    // system rules load them (run/direct_branch.h); null until PIE_init.
    PlFunctor* disjunctions[2];
    PlCell* branch_rules[2][2];

    // The platform words as PIE_init set them and as each load's question to the calling side
    // left them, so that PIE_move_host can tell whether another host would have the program
    // loaded the same (api_platform.cpp).
    PlPlatformWords platform_at_init;
    PlPlatformWords calling_side_seen[kPlCallingSideLoads];
    uint32_t calling_side_asks;
};

// Makes the data every engine has: pools, atoms, shared cells, the functor, integer and atom
// value tables, the answer list. Returns nullptr when memory runs out. PIE_init adds the rest
// (operators, system rules, platform words, update store, constant table, prepared queries).
PieEngine* pl_engine_create(void* host, uint32_t options);
// Returns every block to the heap and frees the record.
void pl_engine_destroy(PieEngine* engine);
// Drops what PIE_keep kept.
void pl_kept_state_free(PieEngine* engine);
// Note a functor or an atom made while a state is kept: going back to the state takes it out again.
void pl_kept_note_functor(PieEngine* engine, PlFunctor* functor);
void pl_kept_note_atom(PieEngine* engine, PlAtom* atom);

// Bytes in use in the main pool (the value of heapused).
size_t pl_heap_used(const PieEngine* engine);

// The depth a recursion may reach: kPlStackDepth on the engine's own stack, else kPlMaxDepth.
inline int pl_depth_limit(const PieEngine* engine) { return engine->stack_floor ? kPlStackDepth : kPlMaxDepth; }

// True when a recursion on the engine's stack has come within its reserve; notes a deep query.
// Asked only when the depth crosses a multiple of 64 levels: no 64 levels come near the reserve.
inline bool pl_stack_exhausted(PieEngine* engine, int before) {
    if (((before ^ engine->depth) & ~63) == 0) return false;
    volatile char probe = 0;
    const auto here = reinterpret_cast<uintptr_t>(&probe);
    if (here >= engine->stack_deep_mark) return false;
    engine->stack_went_deep = 1;
    return here < engine->stack_floor;
}

// Takes weight levels of recursion for function, as every guard takes them: error 4102, with
// nothing taken, past limit or where the native stack has come within its reserve.
[[gnu::always_inline]] inline void pl_depth_take(PieEngine* engine, int weight, int limit, const char* function) {
    if ((engine->depth += weight) > limit || pl_stack_exhausted(engine, engine->depth - weight)) {
        engine->depth -= weight;
        pl_fatal_error(engine, PL_ERR_STACK, function);
    }
}

// How a recursion is bounded: by the limit of the stack it runs on, or (rule text and images)
// by kPlMaxDepth wherever it runs.
enum class PlDepthKind { Run, Text };

// Counts weight levels of recursion for the life of the object (a level whose native frames are
// large counts more than one); too deep raises error 4102.
class PlDepthGuard {
public:
    PlDepthGuard(PieEngine* engine, const char* function, int weight = 1, PlDepthKind kind = PlDepthKind::Run)
        : engine_(engine), weight_(weight) {
        pl_depth_take(engine_, weight_, kind == PlDepthKind::Text ? kPlMaxDepth : pl_depth_limit(engine_), function);
    }
    // One level, for a walk that already knows the levels free above it (the limit less the
    // depth): the limit is not looked up again for every term inside an argument.
    struct RoomAbove {
        int64_t levels;
    };
    PlDepthGuard(PieEngine* engine, const char* function, RoomAbove room) : engine_(engine), weight_(1) {
        ++engine_->depth;
        if (room.levels < 1 || pl_stack_exhausted(engine_, engine_->depth - 1)) {
            --engine_->depth;
            pl_fatal_error(engine_, PL_ERR_STACK, function);
        }
    }
    ~PlDepthGuard() { engine_->depth -= weight_; }
    PlDepthGuard(const PlDepthGuard&) = delete;
    PlDepthGuard& operator=(const PlDepthGuard&) = delete;

private:
    PieEngine* engine_;
    int weight_;
};

// Sets the engine's depth count for the life of the object: a walk that keeps its depth in a
// variable brings the engine's count up to a level's only around a step that may read it.
class PlDepthAt {
public:
    PlDepthAt(PieEngine* engine, int64_t depth) : engine_(engine), saved_(engine->depth) {
        engine->depth = static_cast<int>(depth);
    }
    ~PlDepthAt() { engine_->depth = saved_; }
    PlDepthAt(const PlDepthAt&) = delete;
    PlDepthAt& operator=(const PlDepthAt&) = delete;

private:
    PieEngine* engine_;
    int saved_;
};

// Raises error 4102 when a walk from the current level that would take levels more goes past the
// limit: for a walk cut short because what is left is known (see list_shape.h).
inline void pl_depth_reach(PieEngine* engine, int64_t levels, const char* function) {
    if (engine->depth + levels > pl_depth_limit(engine)) pl_fatal_error(engine, PL_ERR_STACK, function);
}

// The levels a loop over list tails takes one at a time, as a recursion on the tail would, and
// gives back together when it ends: a long list costs the same depth as before and a cyclic one
// still ends in error 4102, without a native frame per cell.
class PlDepthRun {
public:
    // The limit is read once: it changes only when a query enters or leaves the engine's stack,
    // never between the steps of one run.
    PlDepthRun(PieEngine* engine, const char* function, int weight = 1)
        : engine_(engine), function_(function), weight_(weight), limit_(pl_depth_limit(engine)) {}
    // A run may also recurse (into list heads, arguments): the stack is measured as a guard does.
    void step() { take(weight_, function_); }
    // Steps of other weights, for a run that stands for the levels of several kinds of call; an
    // error names the function whose level it was.
    void take(int weight, const char* function) {
        pl_depth_take(engine_, weight, limit_, function);
        taken_ += weight;
    }
    // Takes weight levels at once when they can neither meet the limit nor cross a multiple of 64
    // (where the stack is looked at); false, with nothing taken, when they must be taken by steps.
    bool take_quietly(int weight) {
        const int before = engine_->depth;
        if (before + weight > limit_ || ((before ^ (before + weight)) & ~63) != 0) return false;
        engine_->depth = before + weight;
        taken_ += weight;
        return true;
    }
    void give(int weight) {
        engine_->depth -= weight;
        taken_ -= weight;
    }
    // The walk stops here though levels more of it were left.
    void reach(int64_t levels) const { pl_depth_reach(engine_, levels * weight_, function_); }
    int limit() const { return limit_; }
    ~PlDepthRun() { engine_->depth -= taken_; }
    PlDepthRun(const PlDepthRun&) = delete;
    PlDepthRun& operator=(const PlDepthRun&) = delete;

private:
    PieEngine* engine_;
    const char* function_;
    int weight_;
    int limit_;
    int taken_ = 0;
};
