// The finishing items on their own against the fixture printer: the bits and numbers each keeps
// in the sheet's device mode, byte for byte, the rows the orientation gives, and the option
// interface's answers that need no other item.
#include "settings_fixture.h"

#include "core/device/service_table.h"
#include "drvtest/fixture_device.h"
#include "items/common/booklet_items.h"
#include "items/common/finishing_items.h"
#include "items/common/option_word.h"
#include "items/common/page_layout_items.h"
#include "items/common/public_devmode.h"
#include "items/common/staple_position.h"
#include "items/pdl/finishing_item_sets.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr size_t kDuplex = 62;

class FinishingItems : public ItemSettings<> {};

TEST_F(FinishingItems, EachSwitchKeepsOnlyItsOwnBitOfTheSharedWords) {
    struct Case { std::unique_ptr<CmSvCheckBox> item; uint32_t option; uint32_t bit; };
    Case cases[] = {{std::make_unique<CmSvCK_Staple>(), kOptFinishing, 0x10},
                    {std::make_unique<CmSvCK_Punch>(), kOptFinishing, 0x20},
                    {std::make_unique<CmSvCK_Zfold>(), kOptFinishing, 0x40},
                    {std::make_unique<CmSvCK_JobSpooling>(), kOptFinishing, 0x01},
                    {std::make_unique<PDLSvCK_Rotate>(), kOptFinishing, 0x80},
                    {std::make_unique<CmSvCK_CenterFoldStaple>(), kOptBooklet, 0x01},
                    {std::make_unique<CmSvCK_UseMargin>(), kOptBooklet, 0x04}};
    for (Case& c : cases) {
        for (uint32_t others : {0u, 0xA5A5A5A5u}) {
            SetWord(c.option, (others & ~c.bit) | c.bit);
            ASSERT_EQ(c.item->Load(Ctx(), dm), 1);
            EXPECT_EQ(c.item->current, 1) << c.item->key;
            c.item->current = 0;
            EXPECT_EQ(c.item->Store(Ctx(), dm), 1);
            EXPECT_EQ(Word(c.option), others & ~c.bit) << c.item->key;
            c.item->current = 1;
            c.item->Store(Ctx(), dm);
            EXPECT_EQ(Word(c.option), (others & ~c.bit) | c.bit) << c.item->key;
        }
    }
}

TEST_F(FinishingItems, BindingEdgeTurnsTwoSidedPrintingToItsEdge) {
    struct Case { const char* edge; uint16_t duplexBefore, duplexAfter, stored; };
    for (const Case& c : {Case{"SHORTTR", DMDUP_VERTICAL, DMDUP_HORIZONTAL, 2}, Case{"SHORTTR", DMDUP_SIMPLEX, DMDUP_SIMPLEX, 2},
                          Case{"LONGLT", DMDUP_HORIZONTAL, DMDUP_VERTICAL, 0}, Case{"SHORTBL", DMDUP_VERTICAL, DMDUP_HORIZONTAL, 3},
                          Case{"LONGRB", DMDUP_SIMPLEX, DMDUP_SIMPLEX, 1}}) {
        publicdm::PutU16(dm, publicdm::kOrientation, DMORIENT_PORTRAIT);
        CmSvCB_BindDirect binding;
        ASSERT_EQ(binding.Init(Ctx(), dm), 1);
        Choose(binding, c.edge);
        publicdm::PutU16(dm, kDuplex, c.duplexBefore);
        EXPECT_EQ(binding.Store(Ctx(), dm), 1);
        EXPECT_EQ(Short(kOptBindingLocation), c.stored) << c.edge;
        EXPECT_EQ(publicdm::U16(dm, kDuplex), c.duplexAfter) << c.edge << " from " << c.duplexBefore;
    }
    SetShort(kOptBindingLocation, 7);
    CmSvCB_BindDirect binding;
    binding.Init(Ctx(), dm);
    binding.current = 2;
    EXPECT_EQ(binding.Load(Ctx(), dm), 0) << "no row for edge 7";
    EXPECT_EQ(binding.current, 2u);
}

// The staple points as well: they also turn for a page put on its side (mode 2).
TEST_F(FinishingItems, BindingRowsFollowTheOrientationThePageReallyPrintsIn) {
    struct Case { uint16_t orientation, mode, pages; int32_t firstText; bool stapleLandscape; };
    for (const Case& c : {Case{DMORIENT_PORTRAIT, 0, 0, 4112, false}, Case{DMORIENT_LANDSCAPE, 0, 0, 4116, true},
                          Case{DMORIENT_PORTRAIT, 3, 2, 4116, true}, Case{DMORIENT_LANDSCAPE, 3, 0, 4112, false},
                          Case{DMORIENT_PORTRAIT, 3, 1, 4112, false}, Case{DMORIENT_PORTRAIT, 2, 0, 4112, true},
                          Case{DMORIENT_PORTRAIT, 0, 2, 4112, false}, Case{DMORIENT_LANDSCAPE, 3, 3, 4112, false}}) {
        publicdm::PutU16(dm, publicdm::kOrientation, c.orientation);
        SetShort(kOptLayoutMode, c.mode);
        SetShort(kOptPagesPerSheet, c.pages);
        CmSvCB_BindDirect binding;
        binding.Init(Ctx(), dm);
        ASSERT_EQ(binding.count, 4u);
        EXPECT_EQ(binding.Row(0)->text_id, c.firstText) << c.orientation << " " << c.mode << " " << c.pages;
        CmSvRB_Position position;
        position.Init(Ctx(), dm);
        EXPECT_EQ(position.landscape, c.stapleLandscape) << c.orientation << " " << c.mode << " " << c.pages;
    }
}

TEST_F(FinishingItems, BindingAnswersPreviewPointsAndTheOptionInterface) {
    CmSvCB_BindDirect binding;
    publicdm::PutU16(dm, publicdm::kOrientation, DMORIENT_PORTRAIT);
    binding.Init(Ctx(), dm);
    EXPECT_EQ(binding.Preview(Ctx(), 3, 0, 0, 0), 1);
    EXPECT_STREQ(binding.CurrentRow()->name, "SHORTBL");
    EXPECT_EQ(binding.Preview(Ctx(), 3, 0, 0, 0), 0) << "no change";
    EXPECT_EQ(binding.Preview(Ctx(), 4, 0, 0, 0), 0);
    binding.Row(1)->enabled = 0;
    int32_t list[4] = {-1, -1, -1, -1};
    uint32_t rows = 0;
    EXPECT_EQ(binding.GetCount(Ctx(), 0x10072, &rows), 0);
    EXPECT_EQ(rows, 4u);
    EXPECT_EQ(binding.GetList(Ctx(), 0x10072, list), 0);
    EXPECT_EQ(std::vector<int32_t>(list, list + 4), (std::vector<int32_t>{0, 2, 3, -1}));
    EXPECT_EQ(binding.Apply(Ctx(), 0x10072, nullptr), 0);
    EXPECT_EQ(binding.current, 0u);
    binding.enabled = 0;
    EXPECT_EQ(binding.Apply(Ctx(), 0x10072, nullptr), 3);
    EXPECT_EQ(binding.Preview(Ctx(), 2, 0, 0, 0), 0) << "a disabled control ignores the picture";
}

TEST_F(FinishingItems, SwitchDefaultsOfTheOptionInterface) {
    CmSvCK_Punch punch;
    CmSvCK_Staple staple;
    CmSvCK_JobSpooling spooling;
    for (CmSvCK_FinishingSwitch* item : {static_cast<CmSvCK_FinishingSwitch*>(&punch),
                                         static_cast<CmSvCK_FinishingSwitch*>(&staple)}) {
        item->current = 1;
        item->enabled = 0;
    }
    // The finishing method's request turns punching off even while its box is disabled.
    EXPECT_EQ(punch.Apply(Ctx(), 0x10038, nullptr), 0);
    EXPECT_EQ(punch.current, 0);
    EXPECT_EQ(staple.Apply(Ctx(), 0x1003a, nullptr), 3);
    EXPECT_EQ(staple.current, 1);
    EXPECT_EQ(spooling.Apply(Ctx(), 0x10041e, nullptr), 2);
    punch.available = 0;
    EXPECT_EQ(punch.Apply(Ctx(), 0x10038, nullptr), 2);
    // Job spooling meets the option interface at its own bit.
    uint32_t word = 0xF0;
    spooling.current = 1;
    EXPECT_EQ(spooling.GetCurrent(Ctx(), 0x10041e, &word), 0);
    EXPECT_EQ(word, 0xF1u);
}

TEST_F(FinishingItems, StaplePointsTurnWithThePageAndKeepTheirButtons) {
    CmSvRB_Position position;
    publicdm::PutU16(dm, publicdm::kOrientation, DMORIENT_LANDSCAPE);
    SetShort(kOptLayoutMode, 0);
    ASSERT_EQ(position.Init(Ctx(), dm), 1);
    EXPECT_TRUE(position.landscape);
    EXPECT_STREQ(position.Row(0)->name, "UPPER_LEFT_S");
    EXPECT_EQ(position.Row(0)->value, 15);
    EXPECT_EQ(position.Row(0)->control_id, 10267);
    EXPECT_STREQ(position.Row(1)->name, "TOP_W");
    EXPECT_EQ(position.Row(1)->value, 12);
    SetShort(kOptStaplePoint, 9);
    EXPECT_EQ(position.Load(Ctx(), dm), 1);
    EXPECT_STREQ(position.CurrentRow()->name, "UPPER_RIGHT_S");
    position.Store(Ctx(), dm);
    EXPECT_EQ(Short(kOptStaplePoint), 9);

    // The rules' table in portrait order: the current point stays, its row moves.
    const char* args[] = {"SET_TABLE", "PORTRAIT"};
    PieValue out{};
    EXPECT_EQ(position.Action(Ctx(), 2, args, &out), 1);
    EXPECT_STREQ(position.CurrentRow()->name, "UPPER_LEFT_S");
    EXPECT_EQ(position.CurrentRow()->value, 9);
    EXPECT_STREQ(reinterpret_cast<const char*>(out.value), "UPPER_LEFT_S");
    EXPECT_EQ(position.Action(Ctx(), 2, args, &out), 0) << "already portrait";

    EXPECT_EQ(position.Preview(Ctx(), 7, 0, 0, 0), 1);
    EXPECT_EQ(position.CurrentRow()->value, 17);
    position.third = 1;
    EXPECT_EQ(position.Preview(Ctx(), 0, 0, 0, 0), 0);
}

}  // namespace
