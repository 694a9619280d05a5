// Where values live besides the host: the update store of the engine's own "$" facts, dropped at
// each update.
#include "engine_fixture.h"

#include "pie/run/update_store.h"

using Values = EngineTest;

TEST_F(Values, UpdateStoreKeepsOneValuePerFactUntilTheNextUpdate) {
    PlAtom* name = pie_intern_string(e, "$Staple");
    PlFunctor* unary = pl_lookup_functor(e, name, 1, nullptr);
    PlFunctor* binary = pl_lookup_functor(e, name, 2, nullptr);
    EXPECT_EQ(pl_update_value(e, unary), nullptr);  // no store yet: nothing recorded
    pl_update_set_value(e, unary, e->cell.ON);
    EXPECT_TRUE(e->flags & PLE_UPDATE_POOL);
    pl_update_set_value(e, binary, pl_make_integer(e, 12));
    pl_update_set_value(e, unary, e->cell.OFF);
    EXPECT_EQ(pl_update_value(e, unary), e->cell.OFF);
    EXPECT_EQ(pl_update_value(e, binary)->value, 12);

    PlFunctor* width = pl_lookup_functor(e, pie_intern_string(e, "width"), 1, unary);
    PlFunctor* a4 = pl_lookup_functor(e, pie_intern_string(e, "A4"), 0, nullptr);
    PlFunctor* a3 = pl_lookup_functor(e, pie_intern_string(e, "A3"), 0, nullptr);
    pl_update_set_property(e, width, a4, pl_make_integer(e, 210));
    pl_update_set_property(e, width, a3, pl_make_integer(e, 297));
    pl_update_set_property(e, width, a4, pl_make_integer(e, 211));
    EXPECT_EQ(pl_update_property(e, width, a4)->value, 211);
    EXPECT_EQ(pl_update_property(e, width, a3)->value, 297);
    EXPECT_EQ(pl_update_property(e, width, unary), nullptr);

    pl_update_store_reset(e);
    EXPECT_EQ(pl_update_value(e, unary), nullptr);
    EXPECT_EQ(pl_update_property(e, width, a4), nullptr);
    pl_update_store_free(e);
    EXPECT_FALSE(e->flags & PLE_UPDATE_POOL);
    EXPECT_EQ(pl_update_value(e, unary), nullptr);
}
