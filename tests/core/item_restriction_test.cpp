// The request's item-restriction list: allow lists, deny lists and the open range of an allow
// list whose leading words are both 0.
#include "core/device/item_restriction.h"

#include <gtest/gtest.h>

namespace {

TEST(ItemRestriction, AllowAndDenyLists) {
    UIDEVDATA ctx = {};
    EXPECT_TRUE(IsItemAllowed(nullptr, 5));
    EXPECT_TRUE(IsItemAllowed(&ctx, 5));  // no list
    WORD allow[] = {0, 0, 10, 0x500, 0};
    WORD allowClosed[] = {0, 1, 10, 0x500, 0};
    WORD deny[] = {1, 0, 10, 0x500, 0};
    struct Case {
        WORD* list;
        UINT id;
        BOOL allowed;
    };
    for (const Case& c : {Case{allow, 10, TRUE}, Case{allow, 11, FALSE}, Case{allow, 0x400, TRUE}, Case{allow, 0x501, TRUE},
                          Case{allowClosed, 0x500, TRUE}, Case{allowClosed, 0x501, FALSE}, Case{allowClosed, 11, FALSE},
                          Case{deny, 10, FALSE}, Case{deny, 0x500, FALSE}, Case{deny, 11, TRUE}, Case{deny, 0x501, TRUE}}) {
        ctx.itemBuffers[kItemRestrictionBuffer] = c.list;
        EXPECT_EQ(IsItemAllowed(&ctx, c.id), c.allowed) << c.list[0] << "/" << c.list[1] << " id " << c.id;
    }
}

}  // namespace
