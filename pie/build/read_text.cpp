// The process's records of rule text read once, their recording while an engine reads a text,
// and their replay into another engine. A replay repeats the reading's lookups of names and
// functors in their order before it builds each clause, so that what an engine creates, and the
// serial numbers its tables and walks are ordered by, are what reading the text would have made.
#include "pie/build/read_text.h"

#include "pie/api/engine.h"
#include "pie/build/compiler.h"
#include "pie/terms/atoms.h"
#include "pie/terms/clause_facts.h"
#include "pie/terms/functor.h"
#include "pie/terms/term.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Node words of a recorded term, in pre-order: the kind in the low bits, an index above them.
enum Node : uint32_t {
    N_VAR = 0,       // slot << kNodeShift
    N_ANONYMOUS = 1,
    N_INT = 2,       // the value follows
    N_ATOM = 3,      // functor << kNodeShift
    N_COMPOUND = 4,  // functor << kNodeShift, its line word follows, then its arguments
    N_LIST = 5,      // its shape word follows, then head and tail
    N_NIL = 6,
};
constexpr uint32_t kNodeShift = 3;
constexpr uint32_t kNodeMask = (1u << kNodeShift) - 1;

// A lookup the reading did, (index << 1) | 1 for a functor, index << 1 for a name.
constexpr uint32_t op_atom(uint32_t index) { return index << 1; }
constexpr uint32_t op_functor(uint32_t index) { return (index << 1) | 1; }

// A handful of texts is what a process loads (the rules of a data file and its sheet's extra
// texts); beyond that the oldest record goes, so a stream of different texts costs no memory.
constexpr size_t kKeptRecords = 16;

}  // namespace

struct PlReadText {
    struct FunctorRef {
        uint32_t atom;
        uint32_t arity;
    };
    struct Clause {
        uint32_t ops_end, vars_end, nodes_end;
        int32_t line, next_line;
        bool aliases;  // the term holds a "::" term, which storing it rewrites
        // The facts of the term as read: a pure function of its shape but for a key that is the
        // serial number of a functor, which is kept as the functor's index in the record.
        bool key_is_functor;
        uint16_t facts;
        uint32_t key;
    };
    std::string text;
    size_t hash = 0;
    uint32_t type = PL_CLAUSE;  // of its clause records: the same text read as system rules is another record
    int depth = 0;  // the engine's depth when reading began: its limit on nesting counts from there
    std::vector<std::string> atom_names;
    std::vector<FunctorRef> functors;
    std::vector<uint32_t> ops;
    uint32_t first_ops_end = 0;  // the lookups of the first token, before any clause
    std::vector<Clause> clauses;
    std::vector<uint32_t> vars;   // each clause's variable names, by slot
    std::vector<uint32_t> nodes;  // each clause's term
    int32_t end_line = 0;
};

struct PlTextRecorder {
    PlReadText record;
    std::vector<uint32_t> atoms;     // the record's index of each atom, by serial number
    std::vector<uint32_t> functors;  // the same for functors
    std::vector<const PlCell*> met;  // the walk of one clause's term (kept for their room)
    std::vector<PlCell*> work;
    bool failed = false;
};

namespace {

std::atomic<uint64_t> g_made{0};

class Records {
public:
    std::shared_ptr<const PlReadText> find(std::string_view text, size_t hash, uint32_t type) {
        std::lock_guard<std::mutex> lock(mutex_);
        for (auto it = kept_.begin(); it != kept_.end(); ++it) {
            if ((*it)->hash != hash || (*it)->type != type || (*it)->text != text) continue;
            kept_.splice(kept_.begin(), kept_, it);  // the latest used first, the one to go last
            return kept_.front();
        }
        return nullptr;
    }
    void add(std::shared_ptr<const PlReadText> record) {
        std::lock_guard<std::mutex> lock(mutex_);
        // Two engines may have read the same text at once: the first record stays.
        for (const auto& kept : kept_)
            if (kept->hash == record->hash && kept->type == record->type && kept->text == record->text) return;
        kept_.push_front(std::move(record));
        if (kept_.size() > kKeptRecords) kept_.pop_back();
        ++g_made;
    }

private:
    std::mutex mutex_;
    std::list<std::shared_ptr<const PlReadText>> kept_;
};

Records& records() {
    static Records* kept = new Records;  // never destroyed: an engine may load during exit
    return *kept;
}

// Texts are told apart by their length and ends; the whole text is compared only with a record
// whose hash matches, so a load of a rule text costs no hash over all of it.
size_t text_hash(std::string_view text) {
    constexpr size_t kEnd = 512;
    const std::hash<std::string_view> hash;
    if (text.size() <= 2 * kEnd) return hash(text);
    return hash(text.substr(0, kEnd)) ^ (hash(text.substr(text.size() - kEnd)) * 31) ^ (text.size() * 0x9E3779B97F4A7C15ull);
}

// The index of a name or functor in the record, found by its serial number (serial numbers
// count up from 0 in each engine), or kNone.
constexpr uint32_t kNone = UINT32_MAX;
uint32_t& index_of(std::vector<uint32_t>& by_serial, uint32_t serial) {
    if (serial >= by_serial.size()) by_serial.resize(std::max<size_t>(serial + 1, by_serial.size() * 2), kNone);
    return by_serial[serial];
}

uint32_t atom_index(PlTextRecorder& r, PlAtom* atom) {
    uint32_t& known = index_of(r.atoms, atom->serial);
    if (known != kNone) return known;
    const auto index = static_cast<uint32_t>(r.record.atom_names.size());
    known = index;
    r.record.atom_names.emplace_back(atom->name, atom->length);
    r.record.ops.push_back(op_atom(index));
    return index;
}

uint32_t functor_index(PlTextRecorder& r, PlFunctor* functor) {
    if (functor->owner) r.failed = true;  // a property's functor is made by the alias rewrite, not read
    if (const uint32_t known = index_of(r.functors, functor->serial); known != kNone) return known;
    const uint32_t name = atom_index(r, functor->name);
    const auto index = static_cast<uint32_t>(r.record.functors.size());
    index_of(r.functors, functor->serial) = index;
    r.record.functors.push_back({name, functor->arity});
    r.record.ops.push_back(op_functor(index));
    return index;
}

// Writes term in pre-order; false for a term a replay would not make the same (a cell met twice,
// a cell of a kind reading does not leave).
bool write_term(PieEngine* engine, PlTextRecorder& r, PlCell* clause, PlCell* term, bool& aliases) {
    std::vector<uint32_t>& nodes = r.record.nodes;
    std::vector<uint32_t>& vars = r.record.vars;
    const size_t vars_begin = vars.size();
    vars.resize(vars_begin + clause->clause.var_count, UINT32_MAX);
    // The compound cells met, to tell a cell met twice: the replay would make two of it.
    std::vector<const PlCell*>& met = r.met;
    met.clear();
    std::vector<PlCell*>& work = r.work;
    work.assign(1, term);
    while (!work.empty()) {
        PlCell* cell = work.back();
        work.pop_back();
        switch (cell->type) {
        case PL_VAR: {
            const auto slot = static_cast<uint32_t>(cell->var.slot);
            if (cell->var.slot < 0 || slot >= clause->clause.var_count) return false;
            const uint32_t name = atom_index(r, cell->var.name);
            if (vars[vars_begin + slot] != UINT32_MAX && vars[vars_begin + slot] != name) return false;
            vars[vars_begin + slot] = name;
            nodes.push_back(N_VAR | slot << kNodeShift);
            break;
        }
        case PL_ANONYMOUS:
            if (cell != engine->cell.anonymous) return false;
            nodes.push_back(N_ANONYMOUS);
            break;
        case PL_INT:
            nodes.push_back(N_INT);
            nodes.push_back(static_cast<uint32_t>(cell->value));
            break;
        case PL_NIL:
            if (cell != engine->cell.nil) return false;
            nodes.push_back(N_NIL);
            break;
        case PL_FUNCTOR: {
            PlFunctor* functor = cell->fn.functor;
            const uint32_t index = functor_index(r, functor);
            if (functor->arity == 0) {
                if (cell != functor->atom_term) return false;
                nodes.push_back(N_ATOM | index << kNodeShift);
                break;
            }
            met.push_back(cell);
            aliases |= functor == pl_predefined(engine, PLP_colons_2);
            nodes.push_back(N_COMPOUND | index << kNodeShift);
            nodes.push_back(cell->line);
            for (uint32_t i = functor->arity; i-- > 0;) work.push_back(pl_arg(cell, i));
            break;
        }
        case PL_LIST:
            met.push_back(cell);
            nodes.push_back(N_LIST);
            nodes.push_back(cell->shape);
            work.push_back(cell->list.tail);
            work.push_back(cell->list.head);
            break;
        default:
            return false;
        }
    }
    for (size_t i = vars_begin; i < vars.size(); ++i)
        if (vars[i] == UINT32_MAX) return false;
    std::sort(met.begin(), met.end());
    return std::adjacent_find(met.begin(), met.end()) == met.end();
}

// The places still to fill, kept from clause to clause of a replay.
using Places = std::vector<PlCell**>;

PlCell* build_term(PieEngine* engine, const PlReadText& record, uint32_t& at, const std::vector<PlFunctor*>& functors,
                   const std::vector<PlCell*>& vars, Places& todo) {
    PlCell* root = nullptr;
    todo.assign(1, &root);
    const std::vector<uint32_t>& nodes = record.nodes;
    while (!todo.empty()) {
        PlCell** place = todo.back();
        todo.pop_back();
        const uint32_t word = nodes[at++];
        const uint32_t index = word >> kNodeShift;
        switch (static_cast<Node>(word & kNodeMask)) {
        case N_VAR: *place = vars[index]; break;
        case N_ANONYMOUS: *place = engine->cell.anonymous; break;
        case N_INT: *place = pl_make_integer(engine, static_cast<int32_t>(nodes[at++])); break;
        case N_ATOM: *place = pl_make_atom_term(engine, functors[index]); break;
        case N_NIL: *place = engine->cell.nil; break;
        case N_COMPOUND: {
            // Every argument is filled below, so they are not first set to "_" as pl_make_term does.
            PlFunctor* functor = functors[index];
            PlCell* cell = pl_cell_new(engine, PL_FUNCTOR);
            cell->fn.args = pl_vector_alloc(engine, &engine->main_pool, functor->arity);
            cell->fn.functor = functor;
            ++functor->uses;
            cell->line = nodes[at++];
            *place = cell;
            for (uint32_t i = functor->arity; i-- > 0;) todo.push_back(&cell->fn.args->items[i]);
            break;
        }
        case N_LIST: {
            PlCell* cell = pl_make_list(engine, nullptr, nullptr);
            cell->shape = nodes[at++];
            *place = cell;
            todo.push_back(&cell->list.tail);
            todo.push_back(&cell->list.head);
            break;
        }
        }
    }
    return root;
}

}  // namespace

std::shared_ptr<const PlReadText> pl_read_text_find(const PieEngine* engine, const char* text, size_t length,
                                                    uint32_t type) {
    if (engine->syntax_changes) return nullptr;
    const std::string_view key(text, length);
    std::shared_ptr<const PlReadText> record = records().find(key, text_hash(key), type);
    return record && record->depth == engine->depth ? record : nullptr;
}

void pl_text_recorder_note_atom(PieEngine* engine, PlAtom* atom) { atom_index(*engine->recorder, atom); }

void pl_text_recorder_note_functor(PieEngine* engine, PlFunctor* functor) {
    functor_index(*engine->recorder, functor);
}

PlTextRecording::PlTextRecording(PieEngine* engine, const char* text, size_t length, uint32_t type)
    : engine_(engine) {
    // An engine whose operators or abbreviations changed reads differently from a fresh one.
    if (engine->syntax_changes || engine->recorder) return;
    recorder_ = std::make_unique<PlTextRecorder>();
    recorder_->record.text.assign(text, length);
    recorder_->record.hash = text_hash(recorder_->record.text);
    recorder_->record.depth = engine->depth;
    recorder_->record.type = type;
    engine->recorder = recorder_.get();
}

PlTextRecording::~PlTextRecording() {
    if (recorder_ && engine_->recorder == recorder_.get()) engine_->recorder = nullptr;
}

void PlTextRecording::clause_read(PlCell* clause, int32_t line, int32_t next_line) {
    if (!recorder_) return;
    engine_->recorder = nullptr;
    PlReadText& record = recorder_->record;
    bool aliases = false;
    if (recorder_->failed || clause->type != record.type ||
        !write_term(engine_, *recorder_, clause, clause->clause.term, aliases)) {
        abandon();
        return;
    }
    const PlClauseFacts facts = pl_clause_facts_of(engine_, clause->clause.term);
    const bool key_is_functor = (facts.bits & PLC_FIRST_TYPE) == PL_FUNCTOR;
    uint32_t key = facts.key;
    if (key_is_functor) {
        // The term's first functor of its head's first argument: indexed by the term's walk.
        PlCell* term = clause->clause.term;
        const PlCell* head = pl_is_neck(engine_, term->fn.functor) ? pl_arg(term, 0) : term;
        key = index_of(recorder_->functors, pl_arg(head, 0)->fn.functor->serial);
        if (key == kNone) return abandon();
    }
    record.clauses.push_back({static_cast<uint32_t>(record.ops.size()), static_cast<uint32_t>(record.vars.size()),
                              static_cast<uint32_t>(record.nodes.size()), line, next_line, aliases, key_is_functor,
                              static_cast<uint16_t>(facts.bits), key});
}

void PlTextRecording::first_token_read() {
    if (recorder_) recorder_->record.first_ops_end = static_cast<uint32_t>(recorder_->record.ops.size());
}

void PlTextRecording::abandon() {
    if (recorder_ && engine_->recorder == recorder_.get()) engine_->recorder = nullptr;
    recorder_.reset();
}

void PlTextRecording::resume() {
    if (recorder_) engine_->recorder = recorder_.get();
}

void PlTextRecording::finish(int32_t line) {
    if (!recorder_) return;
    engine_->recorder = nullptr;
    if (recorder_->failed || engine_->syntax_changes) return abandon();
    recorder_->record.end_line = line;
    records().add(std::make_shared<const PlReadText>(std::move(recorder_->record)));
    recorder_.reset();
}

void pl_read_text_replay(PieEngine* engine, const PlReadText& record, void (*store)(PieEngine*, PlCell*, int32_t, int32_t, bool)) {
    std::vector<PlAtom*> atoms(record.atom_names.size());
    std::vector<PlFunctor*> functors(record.functors.size());
    uint32_t op_at = 0, var_at = 0, node_at = 0;
    auto lookups = [&](uint32_t end) {
        for (; op_at < end; ++op_at) {
            const uint32_t op = record.ops[op_at];
            const uint32_t index = op >> 1;
            if (!(op & 1)) {
                const std::string& name = record.atom_names[index];
                atoms[index] = pie_intern_string_len(engine, name.data(), name.size());
                continue;
            }
            const PlReadText::FunctorRef ref = record.functors[index];
            functors[index] = pl_lookup_functor(engine, atoms[ref.atom], ref.arity, nullptr);
        }
    };
    engine->line = 1;
    lookups(record.first_ops_end);
    std::vector<PlCell*> vars;
    Places todo;
    for (const PlReadText::Clause& c : record.clauses) {
        lookups(c.ops_end);
        PlCell* clause = pl_make_clause(engine, static_cast<PlCellType>(record.type), nullptr);
        vars.clear();
        for (; var_at < c.vars_end; ++var_at)
            vars.push_back(pl_clause_variable(engine, clause, atoms[record.vars[var_at]]));
        clause->clause.term = build_term(engine, record, node_at, functors, vars, todo);
        clause->clause.facts = c.facts;
        clause->first_key = c.key_is_functor ? functors[c.key]->serial : c.key;
        // The facts kept are those the term's own would be.
        assert(clause->clause.facts == static_cast<uint16_t>(pl_clause_facts_of(engine, clause->clause.term).bits) &&
               clause->first_key == pl_clause_facts_of(engine, clause->clause.term).key);
        store(engine, clause, c.line, c.next_line, c.aliases);
    }
    lookups(static_cast<uint32_t>(record.ops.size()));
    engine->line = record.end_line;
}

uint64_t pl_read_texts_made() { return g_made.load(); }
