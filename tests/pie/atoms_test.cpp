// Interning, the predefined atoms, and functor records: one atom per text,
// one functor per (name, arity, owner), and the flags and tables that "$" and "@" names get.
#include "engine_fixture.h"

#include "pie/terms/list.h"
#include "pie/terms/term.h"

#include <string>
#include <vector>

using Atoms = EngineTest;

TEST_F(Atoms, EveryFormGivesTheSameAtomWhateverTheLength) {
    for (size_t n : {1u, 8u, 511u, 512u, 513u, 1022u, 1023u, 5000u}) {
        std::string text(n, 'k');
        text[0] = 'L';
        text.back() = 'z';
        PlAtom* a = pie_intern_string(e, text.c_str());
        EXPECT_EQ(pie_intern_string_len(e, text.c_str(), n), a) << n;
        EXPECT_EQ(pie_intern_copy(e, (text + "tail").c_str(), n), a) << n;
        EXPECT_EQ(a->length, n);
        EXPECT_EQ(a->name, text);
    }
    std::string kept = "Devmode$Orientation";
    PlAtom* a = pie_intern_atom(e, kept.c_str());
    EXPECT_EQ(a->name, kept.c_str());  // the caller's text itself
    EXPECT_EQ(pie_intern_string(e, "Devmode$Orientation"), a);
}

TEST_F(Atoms, SharedPrefixesAndManyNamesStayDistinct) {
    size_t before = pie_atom_count(e);
    std::vector<PlAtom*> atoms;
    for (int i = 0; i < 5000; ++i)
        atoms.push_back(pie_intern_string(e, ("Layout$PaperSize@CHOICE" + std::to_string(i)).c_str()));
    EXPECT_EQ(pie_atom_count(e), before + 5000);
    for (int i = 0; i < 5000; ++i)
        ASSERT_EQ(pie_intern_string(e, ("Layout$PaperSize@CHOICE" + std::to_string(i)).c_str()), atoms[i]);
    EXPECT_NE(pie_intern_string_len(e, "ab", 1), pie_intern_string(e, "ab"));
    EXPECT_EQ(pie_intern_string(e, "")->length, 0u);
}

TEST_F(Atoms, PredefinedNamesComeFirstInTheirOrder) {
    struct Case { PlAtom* atom; const char* name; uint32_t serial; };
    for (auto c : {Case{e->atom.dot, ".", 0}, Case{e->atom.neck, ":-", 7}, Case{e->atom.ON, "ON", 8},
                   Case{e->atom.not_, "not", 31}, Case{e->atom.true_, "true", 33},
                   Case{e->atom.var_X, "_X", 41}, Case{e->atom.bit_and, "/\\", 50},
                   Case{e->atom.dollars, "$$", 59}, Case{e->atom.not_identical, "\\==", 85},
                   Case{e->atom.unsupported_element, "unsupported_element", 103}}) {
        EXPECT_STREQ(c.atom->name, c.name);
        EXPECT_EQ(c.atom->serial, c.serial) << c.name;
        EXPECT_EQ(pie_intern_string(e, c.name), c.atom);
    }
}

// An atom's term is the one term of name/0, made once whichever way the functor was first asked.
TEST_F(Atoms, AtomTermsAreTheTermOfTheirFunctor) {
    PlFunctor* looked = pl_lookup_functor(e, pie_intern_string(e, "Looked"), 0, nullptr);
    for (const char* name : {"Looked", "Made", "Made", "Looked", "[]"}) {
        PlAtom* a = pie_intern_string(e, name);
        PlCell* term = pl_make_atom(e, a);
        EXPECT_EQ(term->fn.functor, pl_lookup_functor(e, a, 0, nullptr)) << name;
        EXPECT_EQ(term, pl_make_atom_term(e, term->fn.functor)) << name;
    }
    EXPECT_EQ(pl_make_atom(e, looked->name)->fn.functor, looked);
}

using Functors = EngineTest;

TEST_F(Functors, OneRecordPerNameArityAndOwner) {
    PlAtom* name = pie_intern_string(e, "Layout$PageSize");
    PlFunctor* f1 = pl_lookup_functor(e, name, 1, nullptr);
    EXPECT_EQ(pl_lookup_functor(e, pie_intern_string(e, "Layout$PageSize"), 1, nullptr), f1);
    PlFunctor* f2 = pl_lookup_functor(e, name, 2, nullptr);
    PlFunctor* property = pl_lookup_functor(e, pie_intern_string(e, "width"), 1, f1);
    PlFunctor* plain = pl_lookup_functor(e, pie_intern_string(e, "width"), 1, nullptr);
    EXPECT_NE(f1, f2);
    EXPECT_NE(property, plain);
    EXPECT_EQ(pl_lookup_functor(e, pie_intern_string(e, "width"), 1, f1), property);
    EXPECT_EQ(property->owner, f1);
    EXPECT_EQ(f2->serial, f1->serial + 1);
    EXPECT_EQ(pl_unary_functor(e, f2), f1);
    EXPECT_EQ(f1->values->count, 1u);
    for (PlList* list : f1->clauses) EXPECT_TRUE(pl_list_empty(list));
    EXPECT_EQ(errorOf([&] { pl_lookup_functor(e, name, 32, nullptr); }), PL_ERR_TOO_MANY_FUNCTORS);
    EXPECT_STREQ(pl_last_error(e).text, "Too much functor.\n");
    EXPECT_NE(pl_lookup_functor(e, name, 31, nullptr), nullptr);
}

TEST_F(Functors, DollarAndAtSignNamesGetTheirFlagsAndTables) {
    struct Case { const char* name; uint32_t arity; const char* owner; bool host_fact; bool dependents; };
    const Case cases[] = {
        {"$Duplex", 1, nullptr, true, true},
        {"Layout$Duplex", 1, nullptr, false, true},
        {"Devmode$Orientation@PORTRAIT", 1, nullptr, false, false},
        {"$Tray@UPPER", 1, nullptr, true, false},
        {"Layout$Duplex", 0, nullptr, false, false},
        {"$Flag", 0, nullptr, true, false},
        {"value", 1, "$Stamp", true, true},
        {"$value", 1, "Layout$Stamp", false, true},
        {"pair", 2, nullptr, false, true},
    };
    for (const Case& c : cases) {
        PlFunctor* owner = c.owner ? pl_lookup_functor(e, pie_intern_string(e, c.owner), 1, nullptr) : nullptr;
        PlFunctor* f = pl_lookup_functor(e, pie_intern_string(e, c.name), c.arity, owner);
        EXPECT_EQ((f->flags & PLF_HOST_FACT) != 0, c.host_fact) << c.name;
        EXPECT_EQ(f->dependents != nullptr, c.dependents) << c.name;
    }
}

TEST_F(Functors, ValueTypeConversion) {
    struct Case { uint32_t flags; int type; };
    for (auto c : {Case{0x200, 1}, Case{0x400, 2}, Case{0x600, 3}, Case{0x800, 4}, Case{0, 6},
                   Case{0xA00, 6}, Case{0xE00, 6}, Case{0x10600, 3}})
        EXPECT_EQ(pie_value_type_from_flags(c.flags), c.type) << std::hex << c.flags;
    for (int type : {1, 2, 3, 4}) EXPECT_EQ(pie_value_type_from_flags(pie_flags_from_value_type(type)), type);
    for (int type : {0, 5, 6, -1}) EXPECT_EQ(pie_flags_from_value_type(type), 0u);
}

TEST_F(Functors, WalkVisitsEachFunctorOnceInCreationOrderPerName) {
    PlFunctor* a = pl_lookup_functor(e, pie_intern_string(e, "Walk$A"), 3, nullptr);
    PlFunctor* b = pl_lookup_functor(e, pie_intern_string(e, "Walk$B"), 3, nullptr);
    std::vector<PlFunctor*> seen;
    pl_functor_walk(e, 3, 3, [&](PlFunctor* f) { seen.push_back(f); });
    EXPECT_EQ(seen, (std::vector<PlFunctor*>{a, b}));
}
