// Keeping an engine as its loads left it, and bringing it back there: a host that runs the same
// program over other values of its items takes the engine back instead of loading the program
// again. What queries leave behind lives in the functors (flags, marks, recorded values, reads of
// the host, origins), in the atoms' values (reasons) and in a few counters of the engine; those
// are kept whole, and the functors and atoms queries made go again. What a query may change that
// cannot be taken back (a clause asserted or retracted, a property value recorded where one was
// kept) makes the engine refuse to go back.
#include "pie/api/api.h"

#include "pie/api/api_platform.h"
#include "pie/build/program.h"
#include "pie/terms/atoms.h"
#include "pie/terms/functor.h"
#include "pie/terms/list.h"
#include "pie/terms/term.h"
#include "pie/run/update_store.h"

#include <cstring>
#include <new>
#include <utility>
#include <vector>

struct PlKeptState {
    struct Functor {
        PlFunctor* at;
        PlFunctor was;
        size_t values;  // where its recorded values start in `values`
    };
    std::vector<Functor> functors;
    std::vector<PlCell*> values;
    struct Atom {
        PlAtom* at;
        PlCell* value;
        PlFunctor* functor0;
        PlFunctor* functor1;
    };
    std::vector<Atom> atoms;
    std::vector<PlListNode*> clauses[3];                  // the program's clause lists, node by node
    size_t atomCount = 0;
    uint32_t functorCount = 0;
    uint32_t flags = 0, readableChanges = 0, queryNumber = 0;
    PlPlatformWords platform{};     // a load asks the calling side again
    uint32_t callingSideAsks = 0;
    int constantsDefined = 0;
    int32_t warningLine = 0;
    PlErrorRecord lastError{};  // a warning a query gives is recorded here
    uint64_t recordings = 0;
    size_t answers = 0;
    size_t heapUsed = 0;
    std::vector<PlFunctor*> made;  // functors and atoms made since, to be taken out again
    std::vector<PlAtom*> madeAtoms;
    bool lost = false;             // one of them could not be noted
    bool propertyValues = false;  // a functor had property values, which queries change in place
};

namespace {

// What queries may leave in the main pool that no kept state reaches any more, before the engine
// refuses to go back and the host makes a new one, which starts with the pool empty.
constexpr size_t kMaxGrowth = size_t{1} << 20;

std::vector<PlListNode*> Nodes(const PlList* list) {
    std::vector<PlListNode*> nodes;
    if (!list) return nodes;
    for (PlListNode* node = list->next; node != list; node = node->next) nodes.push_back(node);
    return nodes;
}

bool SameNodes(const PlList* list, const std::vector<PlListNode*>& kept) {
    size_t i = 0;
    if (list)
        for (const PlListNode* node = list->next; node != list; node = node->next, ++i)
            if (i == kept.size() || kept[i] != node) return false;
    return i == kept.size();
}

size_t Length(const PlList* list) {
    size_t n = 0;
    for (const PlListNode* node = list->next; node != list; node = node->next) ++n;
    return n;
}

template <class Fn>
void EachAtom(PieEngine* engine, Fn&& fn) {
    const PlAtomTable& table = engine->atom_table;
    for (size_t i = 0; i < table.capacity; ++i)
        if (PlAtom* atom = table.slots[i]) fn(atom);
}

// Nothing runs and nothing is being loaded: only then is the engine's state its own.
bool Idle(const PieEngine* engine) {
    return engine->program && engine->state == 1 && !engine->busy && !engine->guard_depth &&
           engine->run.queries == 0 && !engine->run.terms.current;
}

}  // namespace

void pl_kept_state_free(PieEngine* engine) {
    delete engine->kept;
    engine->kept = nullptr;
}

void pl_kept_note_functor(PieEngine* engine, PlFunctor* functor) {
    try {
        engine->kept->made.push_back(functor);
    } catch (const std::bad_alloc&) {
        engine->kept->lost = true;
    }
}

void pl_kept_note_atom(PieEngine* engine, PlAtom* atom) {
    try {
        engine->kept->madeAtoms.push_back(atom);
    } catch (const std::bad_alloc&) {
        engine->kept->lost = true;
    }
}

int PIE_keep(PieEngine* engine) {
    // What a query leaves may depend on what the host answered: only the loads are kept.
    if (!engine || !Idle(engine) || engine->query_number != 0) return -1;
    auto* kept = new (std::nothrow) PlKeptState;
    if (!kept) return -1;
    try {
        kept->functorCount = engine->functor_count;
        kept->atomCount = engine->atom_table.count;
        kept->functors.reserve(engine->functor_list.size());
        for (PlFunctor* f : engine->functor_list) {
            kept->functors.push_back({f, *f, kept->values.size()});
            kept->propertyValues = kept->propertyValues || f->property_values;
            if (f->values)
                kept->values.insert(kept->values.end(), f->values->items, f->values->items + f->values->count);
        }
        EachAtom(engine, [&](PlAtom* atom) { kept->atoms.push_back({atom, atom->value, atom->functor0, atom->functor1}); });
        for (int i = 0; i < 3; ++i) kept->clauses[i] = Nodes(engine->program->clauses[i]);
    } catch (const std::bad_alloc&) {
        delete kept;
        return -1;
    }
    kept->flags = engine->flags;
    kept->platform = pl_platform_words(engine);
    kept->callingSideAsks = engine->calling_side_asks;
    kept->constantsDefined = engine->constants_defined;
    kept->warningLine = engine->warning_line;
    kept->lastError = engine->last_error;
    kept->readableChanges = engine->readable_changes;
    kept->queryNumber = engine->query_number;
    kept->recordings = engine->run.recordings;
    kept->answers = Length(engine->answers);
    kept->heapUsed = pl_heap_used(engine);
    pl_kept_state_free(engine);
    engine->kept = kept;
    return 0;
}

int PIE_back_to_kept(PieEngine* engine) {
    if (!engine || !engine->kept || !Idle(engine)) return 1;
    const PlKeptState& kept = *engine->kept;
    if (kept.lost || engine->functor_count != kept.functorCount + kept.made.size() ||
        engine->atom_table.count != kept.atomCount + kept.madeAtoms.size() || Length(engine->answers) != kept.answers)
        return 1;
    for (int i = 0; i < 3; ++i)
        if (!SameNodes(engine->program->clauses[i], kept.clauses[i])) return 1;
    // A functor's vector of values (and its property values) made by a query are dropped with the
    // rest of what the query left: the functor goes back to the vector it had, with its values.
    if (kept.propertyValues) return 1;
    if (pl_heap_used(engine) > kept.heapUsed + kMaxGrowth) return 1;
    // Functors and atoms made since go, so that the queries to come make them again in their order.
    pl_functors_forget(engine, kept.made.data(), kept.made.size(), kept.functorCount);
    engine->kept->made.clear();
    pie_atoms_forget(engine, kept.madeAtoms.data(), kept.madeAtoms.size());
    engine->kept->madeAtoms.clear();
    for (const PlKeptState::Atom& atom : kept.atoms) {
        atom.at->value = atom.value;
        atom.at->functor0 = atom.functor0;
        atom.at->functor1 = atom.functor1;
    }
    for (const PlKeptState::Functor& f : kept.functors) {
        *f.at = f.was;
        if (f.was.values)
            for (uint32_t i = 0; i < f.was.values->count; ++i) f.at->values->items[i] = kept.values[f.values + i];
    }
    // The update store a query filled goes; an update begins with an empty one.
    if ((engine->flags & PLE_UPDATE_POOL) && !(kept.flags & PLE_UPDATE_POOL)) pl_update_store_free(engine);
    else if (kept.flags & PLE_UPDATE_POOL) pl_update_store_reset(engine);
    engine->flags = kept.flags;
    pl_set_platform_words(engine, kept.platform);
    engine->calling_side_asks = kept.callingSideAsks;
    engine->constants_defined = kept.constantsDefined;
    engine->warning_line = kept.warningLine;
    engine->last_error = kept.lastError;
    engine->readable_changes = kept.readableChanges;
    engine->query_number = kept.queryNumber;
    engine->run.recordings = kept.recordings;
    engine->reasons_table = nullptr;
    engine->reasons_cleared = nullptr;
    return 0;
}
