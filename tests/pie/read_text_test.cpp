// Rule text read once per process: engines that load the same text after the first build their
// clauses from the shared record, end up with the same atoms and functors in the same order, and
// keep their asserts and retracts to themselves; an engine that reads differently reads itself.
#include "pie/api/api.h"
#include "pie/build/program.h"
#include "pie/build/read_text.h"
#include "pie/terms/clause_facts.h"
#include "pie/terms/functor.h"
#include "pie/terms/list.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

// A text no other test loads, so that its record is made here.
std::string unique_text(const char* rules) {
    static std::atomic<int> made{0};
    return std::string(rules) + "unique_" + std::to_string(++made) + "_" + std::to_string(reinterpret_cast<uintptr_t>(&made)) +
           "(x).\n";
}

struct Engine {
    PieEngine* e = nullptr;
    Engine() { EXPECT_EQ(PIE_init(&e, nullptr, 0x2), 0); }
    ~Engine() { PIE_term(e); }
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    PlFunctor* functor(const char* name, uint32_t arity) const {
        return pl_lookup_functor(e, pie_intern_string(e, name), arity, nullptr);
    }
    // The item that owns the functor of the body of name/1's first clause ("::" made it a property).
    const PlFunctor* body_owner(const char* name) const {
        const auto* clause = static_cast<const PlCell*>(functor(name, 1)->clauses[PL_WRITTEN]->next->item);
        return pl_arg(clause->clause.term, 1)->fn.functor->owner;
    }
    size_t clauses(const char* name, uint32_t arity) const {
        return pl_list_count(functor(name, arity)->clauses[PL_WRITTEN]);
    }
};

constexpr const char* kRules =
    "seen(1).\nseen(2).\n"
    "pair(_X, [_X | _T]) :- seen(_X), member(_X, [1, 2 | _T]).\n"
    "item(_X) :- _X is - 3 + 4 * 2, seen(_X) ; fail.\n"
    "colour(a) :- Item$A(k) :: Color(red).\n";

TEST(ReadText, LaterEnginesShareTheRecordAndKeepTheirChangesApart) {
    const std::string text = unique_text(kRules);
    // Made before the count is read: the process's first engine records the system rules too.
    Engine a;
    const uint64_t before = pl_read_texts_made();
    ASSERT_EQ(PIE_main(a.e, text.c_str()), 0);
    EXPECT_EQ(pl_read_texts_made(), before + 1);

    Engine b;
    ASSERT_EQ(PIE_main(b.e, text.c_str()), 0);
    EXPECT_EQ(pl_read_texts_made(), before + 1) << "the second engine made a record of its own";
    // The same lookups in the same order: the same atoms and functors, numbered alike.
    EXPECT_EQ(pie_atom_count(b.e), pie_atom_count(a.e));
    EXPECT_EQ(b.e->functor_count, a.e->functor_count);
    EXPECT_EQ(b.functor("pair", 2)->serial, a.functor("pair", 2)->serial);
    EXPECT_EQ(pl_list_count(b.e->program->clauses[PL_WRITTEN]), pl_list_count(a.e->program->clauses[PL_WRITTEN]));
    EXPECT_EQ(a.body_owner("colour"), a.functor("Item$A", 1));
    EXPECT_EQ(b.body_owner("colour"), b.functor("Item$A", 1));

    ASSERT_EQ(PIE_main(a.e, "?- retract(seen(1)), assert(seen(3)), assert(seen(4))."), 0);
    ASSERT_EQ(PIE_main(b.e, "?- retract(seen(2))."), 0);
    EXPECT_EQ(a.clauses("seen", 1), 3u);
    EXPECT_EQ(b.clauses("seen", 1), 1u);

    // A third engine starts from the record as it was made, not from what the others did.
    Engine c;
    ASSERT_EQ(PIE_main(c.e, text.c_str()), 0);
    EXPECT_EQ(c.clauses("seen", 1), 2u);
    EXPECT_EQ(pl_read_texts_made(), before + 1);

    // One that made a functor of its own first numbers the text's otherwise: the facts the record
    // keeps are still those its own terms have.
    Engine d;
    d.functor("made_first", 0);
    ASSERT_EQ(PIE_main(d.e, text.c_str()), 0);
    EXPECT_NE(d.functor("a", 0)->serial, a.functor("a", 0)->serial);
    for (const std::pair<const char*, uint32_t>& read : {std::pair{"colour", 1u}, {"seen", 1u}, {"pair", 2u}})
        pl_list_each(d.functor(read.first, read.second)->clauses[PL_WRITTEN], [&](void* item) {
            const auto* clause = static_cast<const PlCell*>(item);
            const PlClauseFacts facts = pl_clause_facts_of(d.e, clause->clause.term);
            EXPECT_EQ(clause->clause.facts, facts.bits) << read.first;
            EXPECT_EQ(clause->first_key, facts.key) << read.first;
        });
    EXPECT_EQ(pl_read_texts_made(), before + 1);
}

TEST(ReadText, AnEngineWhoseOperatorsChangedReadsTheTextItself) {
    const std::string text = unique_text("t(x likes y).\n");
    Engine changed;
    ASSERT_EQ(PIE_main(changed.e, "?- op(700, xfx, likes)."), 0);
    const uint64_t before = pl_read_texts_made();
    ASSERT_EQ(PIE_main(changed.e, text.c_str()), 0);
    EXPECT_EQ(pl_read_texts_made(), before);
    EXPECT_EQ(changed.clauses("t", 1), 1u);

    // In a fresh engine "likes" is no operator: the text does not read, whatever the other read.
    Engine fresh;
    EXPECT_EQ(PIE_main(fresh.e, text.c_str()), 1);
    EXPECT_EQ(fresh.clauses("t", 1), 0u);
}

TEST(ReadText, ATextWithADirectiveOrAnErrorIsReadEachTime) {
    const struct {
        const char* rules;
        int result;
        size_t kept;  // clauses of k/1 afterwards
    } cases[] = {
        {"k(1).\n?- assert(k(2)).\nk(3).\n", 0, 3},
        {"k(1).\nk(2) :- .\nk(3).\n", 1, 1},
    };
    for (const auto& c : cases) {
        const std::string text = unique_text(c.rules);
        const uint64_t before = pl_read_texts_made();
        for (int round = 0; round < 2; ++round) {
            Engine engine;
            EXPECT_EQ(PIE_main(engine.e, text.c_str()), c.result) << c.rules;
            EXPECT_EQ(engine.clauses("k", 1), c.kept) << c.rules;
        }
        EXPECT_EQ(pl_read_texts_made(), before) << c.rules;
    }
}

TEST(ReadText, EnginesOnThreadsLoadOneTextAtOnce) {
    const std::string text = unique_text(kRules);
    const uint64_t before = pl_read_texts_made();
    std::vector<std::thread> threads;
    std::atomic<int> loaded{0};
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([&] {
            for (int round = 0; round < 3; ++round) {
                Engine engine;
                if (PIE_main(engine.e, text.c_str()) == 0 && engine.clauses("seen", 1) == 2) ++loaded;
            }
        });
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(loaded, 12);
    EXPECT_EQ(pl_read_texts_made(), before + 1);
}

}  // namespace
