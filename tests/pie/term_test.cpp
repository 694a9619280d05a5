// Term cells: shared constants compare by address, lists are built from comma terms in place,
// property terms carry their hidden key slot, and released cells are reused but shared ones never.
#include "engine_fixture.h"

#include <vector>

using Terms = EngineTest;

TEST_F(Terms, EqualConstantsAreTheSameCell) {
    // 10, 74 and 138 (and -1 and -65) share a slot of the cache of recent integers.
    const std::vector<int32_t> values{0, 7, 9, 10, 74, 138, 1000, -1, -65, INT32_MIN, INT32_MAX};
    std::vector<PlCell*> cells;
    for (int32_t v : values) {
        PlCell* a = pl_make_integer(e, v);
        EXPECT_EQ(a->type, PL_INT);
        EXPECT_EQ(a->value, v);
        EXPECT_EQ(pl_make_integer(e, v), a) << v;
        cells.push_back(a);
    }
    for (size_t i = 0; i < values.size(); ++i) EXPECT_EQ(pl_make_integer(e, values[i]), cells[i]) << values[i];
    PlCell* on = pl_make_atom(e, pie_intern_string(e, "ON"));
    EXPECT_EQ(on, e->cell.ON);
    EXPECT_EQ(pl_make_compound(e, e->atom.fail, 0), e->cell.fail);
    EXPECT_EQ(pl_make_variable(e, pie_intern_string(e, "_")), e->cell.anonymous);
    PlAtom* x = pie_intern_string(e, "_X");
    PlCell* v1 = pl_make_variable(e, x);
    PlCell* v2 = pl_make_variable(e, x);
    EXPECT_NE(v1, v2);  // the compiler gives both the slot of their name
    EXPECT_EQ(v1->var.name, x);
}

TEST_F(Terms, CommaTermBecomesAListInPlace) {
    PlAtom* comma = e->atom.comma;
    PlCell* a = pl_make_atom(e, pie_intern_string(e, "a"));
    PlCell* b = pl_make_atom(e, pie_intern_string(e, "b"));
    PlCell* c = pl_make_integer(e, 3);
    PlCell* inner = pl_make_compound(e, comma, 2);
    inner->fn.args->items[0] = b;
    inner->fn.args->items[1] = c;
    PlCell* outer = pl_make_compound(e, comma, 2);
    outer->fn.args->items[0] = a;
    outer->fn.args->items[1] = inner;
    PlCell* tail = pl_make_variable(e, pie_intern_string(e, "_T"));

    PlCell* list = pl_make_list_from(e, outer, tail);
    EXPECT_EQ(list, outer);
    std::vector<PlCell*> heads;
    PlCell* cell = list;
    for (; cell->type == PL_LIST; cell = cell->list.tail) heads.push_back(cell->list.head);
    EXPECT_EQ(heads, (std::vector<PlCell*>{a, b, c}));
    EXPECT_EQ(cell, tail);
    EXPECT_EQ(list->list.tail, inner);  // converted where it stood

    PlCell* single = pl_make_list_from(e, a, nullptr);
    EXPECT_EQ(single->list.head, a);
    EXPECT_EQ(single->list.tail, e->cell.nil);
}

TEST_F(Terms, LongCommaChainsConvertWithoutRecursion) {
    PlCell* last = pl_make_integer(e, 0);
    for (int i = 1; i < 200000; ++i) {
        PlCell* pair = pl_make_compound(e, e->atom.comma, 2);
        pair->fn.args->items[0] = pl_make_integer(e, i);
        pair->fn.args->items[1] = last;
        last = pair;
    }
    size_t n = 0;
    for (PlCell* cell = pl_make_list_from(e, last, nullptr); cell->type == PL_LIST; cell = cell->list.tail) ++n;
    EXPECT_EQ(n, 200000u);
}

TEST_F(Terms, TermsOfAFunctorStartAnonymousAndPropertiesCarryAKeySlot) {
    PlFunctor* item = pl_lookup_functor(e, pie_intern_string(e, "Layout$Stamp"), 1, nullptr);
    PlFunctor* property = pl_lookup_functor(e, pie_intern_string(e, "width"), 1, item);
    PlFunctor* pair = pl_lookup_functor(e, pie_intern_string(e, "pair"), 2, nullptr);
    struct Case { PlFunctor* functor; uint32_t slots; };
    for (auto c : {Case{item, 1}, Case{property, 2}, Case{pair, 2}}) {
        PlCell* term = pl_make_term(e, c.functor);
        ASSERT_EQ(term->fn.args->count, c.slots);
        for (uint32_t i = 0; i < c.slots; ++i) EXPECT_EQ(pl_arg(term, i), e->cell.anonymous);
    }
}

TEST_F(Terms, ReleasedCellsAreReusedButSharedCellsNever) {
    PlCell* compound = pl_make_compound(e, pie_intern_string(e, "f"), 1);
    pl_cell_release(e, compound);
    EXPECT_EQ(pl_make_list(e, e->cell.nil, e->cell.nil), compound);
    std::vector<PlCell*> shared = {pl_make_integer(e, 5), pl_make_integer(e, 5000), e->cell.anonymous,
                                   e->cell.nil, e->cell.unbound, e->cell.true_};
    for (PlCell* cell : shared) pl_cell_release(e, cell);
    EXPECT_EQ(e->free_cells, nullptr);
    EXPECT_EQ(pl_make_integer(e, 5000)->value, 5000);
    EXPECT_EQ(e->cell.true_->type, PL_FUNCTOR);
}
