// The bits the driver derives after every page-composition set request, and the values of the
// layout codes the tool reads back, as the caller's device mode receives them.
#include "tests/settings/folx/folx_fixture.h"

namespace {

// A set request with no effect of its own (the copies) brings the derived bits in step.
void Settle(Folx& t) { ASSERT_EQ(t.Set(0x801, 1), 0); }

TEST_F(Folx, DerivedBitsFollowTheLayoutAndTheWatermark) {
    struct Case {
        const char* what;
        uint16_t layout;
        uint32_t watermark;
        uint16_t selection;
        uint32_t set, clear;
    } const cases[] = {
        {"poster", 5, 0, 0, 0x10000, 0x20000 | 0x8000},
        {"booklet pages", 4, 1, 0, 0x20000 | 0x8000, 0x10000},
        {"pages a sheet", 3, 0, 0, 0x10, 0x10000 | 0x20000},
        {"mixed sources", 0, 0, 3, 0, 0x2000},
        {"sources per page", 0, 0, 1, 0x2000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetOption16(124, c.layout);
        SetOption32(150, c.watermark);
        SetOption16(201, c.selection);
        SetOption32(110, 0);
        Settle(*this);
        const uint32_t bits = Option32(110);
        EXPECT_EQ(bits & c.set, c.set);
        EXPECT_EQ(bits & c.clear, 0u);
        EXPECT_NE(Option32(220) & 0x2000, 0u);
    }
}

TEST_F(Folx, JobDivideCountFollowsTheFinisher) {
    const struct {
        uint8_t finisher;
        uint32_t count;
    } cases[] = {{2, 10}, {4, 20}, {6, 5}, {0x30, 1}};
    for (const auto& c : cases) {
        Dop().put_u8(0, c.finisher);
        SetOption32(190, 0);
        Settle(*this);
        EXPECT_EQ(Option32(144) & 0xFFFF, c.count) << int(c.finisher);
    }
}

TEST_F(Folx, LayoutCodesReadThePagesPerSheet) {
    SetOption16(124, 3);
    const uint32_t pagesCode[] = {1, 2, 3, 4, 5, 6};
    const uint32_t hostCode[] = {1, 2, 10, 3, 4, 5};
    for (uint16_t pages = 0; pages < 6; ++pages) {
        SetOption16(126, pages);
        SetOption32(110, 0x10);
        EXPECT_EQ(Get(0x806), pagesCode[pages]) << pages;
        EXPECT_EQ(Get(0x17), hostCode[pages]) << pages;
    }
    // A set of the pages a sheet is read back the same.
    for (uint32_t v = 1; v <= 6; ++v) {
        ASSERT_EQ(Set(0x806, v), 0);
        EXPECT_EQ(Get(0x806), v);
        EXPECT_EQ(Option32(124) & 0xFFFF, 3u);
    }
    ASSERT_EQ(Set(0x806, 0), 0);
    EXPECT_EQ(Get(0x806), 0u);
}

TEST_F(Folx, StampsAreClearedByTheirCount) {
    SetOption32(150, 1);
    SetOption16(141, 0x1004);
    SetOption16(124, 0);
    EXPECT_EQ(Get(0x420), 2u);
    ASSERT_EQ(Set(0x420, 0), 0);
    EXPECT_EQ(Get(0x420), 0u);
    DWORD size = 1;
    EXPECT_EQ(Ask(0, 1071, &size), 0);
    EXPECT_EQ(size, 0u);
}

}  // namespace
