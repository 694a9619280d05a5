// The quality and layout-option items against the bundled printers: what each stores, byte for
// byte, in the sheet's device mode, what it reads back, and how it answers the option interface.
#include "settings_fixture.h"

#include "items/common/layout_option_items.h"
#include "items/common/page_layout_items.h"
#include "items/common/public_devmode.h"
#include "items/common/quality_items.h"
#include "items/pdl/pdl_quality_items.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

class QualityItems : public ItemSettings<::testing::TestWithParam<const char*>> {
protected:
    std::array<uint8_t, kColourBlockSize> Block() {
        std::array<uint8_t, kColourBlockSize> block{};
        Ctx()->svc->GetOption(Ctx(), dm, kOptColourBlock, block.data(), block.size());
        return block;
    }
    void SetBlock(uint8_t fill) {
        std::array<uint8_t, kColourBlockSize> block{};
        block.fill(fill);
        Ctx()->svc->SetOption(Ctx(), dm, kOptColourBlock, block.data(), block.size());
    }
};

TEST_P(QualityItems, PrintPositionsKeepThePrintBitAndTheOtherBits) {
    struct Case { uint16_t before; const char* choice; uint16_t after; };
    for (const Case& c : {Case{0x0000, "LOWERRIGHT", 0x1020}, Case{0x1004, "UPPERLEFT", 0x1001},
                          Case{0x1020, "NONE", 0x0020}, Case{0x4024, "NONE", 0x4024}, Case{0x4024, "UPPERCENTER", 0x1002}}) {
        for (uint32_t option : {kOptDatePosition, kOptUserPosition, kOptPageNumberPosition}) {
            CmSvCB_PrintDatePosition date;
            CmSvCB_PrintUserPosition user;
            CmSvCB_PrintPagePosition page;
            CmSvCB_PrintPosition& item = option == kOptDatePosition ? static_cast<CmSvCB_PrintPosition&>(date)
                                         : option == kOptUserPosition ? static_cast<CmSvCB_PrintPosition&>(user)
                                                                      : page;
            EXPECT_EQ(item.Init(Ctx(), dm), 0);  // the rows are made; the answer means nothing
            ASSERT_EQ(item.count, 7u);
            SetShort(option, c.before);
            Choose(item, c.choice);
            EXPECT_EQ(item.Store(Ctx(), dm), 1);
            EXPECT_EQ(Short(option), c.after) << option << " " << c.choice;
        }
    }
    CmSvCB_PrintDatePosition date;
    date.Init(Ctx(), dm);
    for (auto [word, name] : {std::pair<uint16_t, const char*>{0x0020, "NONE"}, {0x1020, "LOWERRIGHT"},
                              {0x1008, "LOWERLEFT"}, {0x1000, "NONE"}}) {
        SetShort(kOptDatePosition, word);
        date.current = 3;
        EXPECT_EQ(date.Load(Ctx(), dm), 1);
        EXPECT_EQ(Current(date), name) << word;
    }
    SetShort(kOptDatePosition, 0x1003);  // no row has the place 3
    date.current = 2;
    EXPECT_EQ(date.Load(Ctx(), dm), 0);
    EXPECT_EQ(date.current, 2u);

    // The option interface speaks of the row numbers 0-6.
    int32_t value = -1;
    Choose(date, "LOWERCENTER");
    EXPECT_EQ(date.GetCurrent(Ctx(), 0x10022, &value), kSdkDone);
    EXPECT_EQ(value, 5);
    value = 3;
    EXPECT_EQ(date.SetCurrent(Ctx(), 0x10022, &value), kSdkDone);
    EXPECT_EQ(Current(date), "UPPERRIGHT");
    value = 7;
    EXPECT_EQ(date.SetCurrent(Ctx(), 0x10022, &value), kSdkNotSupported);
    date.Row(0)->enabled = 0;
    EXPECT_EQ(date.Apply(Ctx(), 0x10022, nullptr), kSdkRefused);
    date.Row(0)->enabled = 1;
    EXPECT_EQ(date.Apply(Ctx(), 0x10022, nullptr), kSdkDone);
    EXPECT_EQ(Current(date), "NONE");
}

TEST_P(QualityItems, CatalogueWritesOnlyItsOwnModeAndMarksMonochromeBooklets) {
    // monoByte: byte 101 of the colour block, which starts filled with 7.
    struct Case { uint16_t modeBefore, colour; int32_t on; uint16_t modeAfter; uint8_t monoByte; };
    for (const Case& c : {Case{0, 0, 1, 4, 1}, Case{3, 1, 1, 4, 0}, Case{1, 2, 1, 4, 0}, Case{0, 9, 1, 4, 7},
                          Case{4, 0, 0, 0, 7}, Case{3, 0, 0, 3, 7}, Case{1, 0, 0, 1, 7}}) {
        SetShort(kOptLayoutMode, c.modeBefore);
        SetShort(kOptColour, c.colour);
        SetBlock(7);
        CmSvCK_Catalog catalog;
        catalog.current = c.on;
        EXPECT_EQ(catalog.Store(Ctx(), dm), 1);
        EXPECT_EQ(Short(kOptLayoutMode), c.modeAfter) << c.modeBefore << " on " << c.on;
        const auto block = Block();
        EXPECT_EQ(block[kColourBlockMonoByte], c.monoByte) << c.modeBefore << " colour " << c.colour;
        EXPECT_EQ(catalog.Load(Ctx(), dm), 1);
        EXPECT_EQ(catalog.current, c.modeAfter == 4 ? 1 : 0);
    }
}

TEST_P(QualityItems, ColourKeepsOptionFlagsPublicFieldAndBlockInStep) {
    const bool choosesColour = std::string(GetParam()) == drvtest::kBundledPcl5cPrinter;
    struct Case {
        const char* choice;
        uint32_t flagsBefore;
        uint16_t colour;
        uint32_t flagsAfter;
        uint16_t dmColor;
        uint8_t monoByte;
    };
    const uint32_t autoBit = 1u << kAutoColourBit;
    for (const Case& c : {Case{"MONO", autoBit | 2, 0, 2, DMCOLOR_MONOCHROME, 1}, Case{"COLOR", autoBit, 1, 0, DMCOLOR_COLOR, 0},
                          Case{"AUTO", 0, 2, choosesColour ? autoBit : 0, DMCOLOR_COLOR, 0},
                          Case{"AUTO", autoBit, 2, autoBit, DMCOLOR_COLOR, 0}}) {
        SetWord(kOptQualityFlags, c.flagsBefore);
        SetBlock(7);
        CmSvCB_Color colour;
        Choose(colour, c.choice);
        EXPECT_EQ(colour.Store(Ctx(), dm), 1);
        EXPECT_EQ(Short(kOptColour), c.colour) << c.choice;
        EXPECT_EQ(Word(kOptQualityFlags), c.flagsAfter) << c.choice << " from " << c.flagsBefore;
        EXPECT_EQ(publicdm::U16(dm, kPublicColour), c.dmColor) << c.choice;
        EXPECT_EQ(Block()[kColourBlockMonoByte], c.monoByte) << c.choice;
        colour.current = 1;
        EXPECT_EQ(colour.Load(Ctx(), dm), 1);
        EXPECT_EQ(Current(colour), c.choice);
    }

    CmSvCB_Color colour;
    uint32_t rows = 0;
    EXPECT_EQ(colour.GetCount(Ctx(), 0x10074, &rows), kSdkDone);
    EXPECT_EQ(rows, 3u);
    int32_t values[3] = {};
    EXPECT_EQ(colour.GetList(Ctx(), 0x10074, values), kSdkDone);
    EXPECT_EQ(std::vector<int32_t>(values, values + 3), (std::vector<int32_t>{1, 2, 0}));
    EXPECT_EQ(colour.Apply(Ctx(), 0x10074, nullptr), kSdkDone);
    EXPECT_EQ(Current(colour), "COLOR");
    // The page picture: point 2 chooses AUTO once; a disabled row or a third state of 1 ignores it.
    EXPECT_EQ(colour.Preview(Ctx(), 2, 0, 0, 0), 1);
    EXPECT_EQ(Current(colour), "AUTO");
    EXPECT_EQ(colour.Preview(Ctx(), 2, 0, 0, 0), 0);
    colour.Row(0)->enabled = 0;
    EXPECT_EQ(colour.Preview(Ctx(), 0, 0, 0, 0), 0);
    colour.third = 1;
    EXPECT_EQ(colour.Preview(Ctx(), 1, 0, 0, 0), 0);
    EXPECT_EQ(Current(colour), "AUTO");
}

TEST_P(QualityItems, ColourModeAndPrintImageWriteOnlyTheirOwnValue) {
    SetWord(kOptQualityFlags, 0xFFFF0000u);
    CmSvCK_ColorMode mode;
    mode.current = 1;
    EXPECT_EQ(mode.Store(Ctx(), dm), 1);
    EXPECT_EQ(Word(kOptQualityFlags), 0xFFFF0002u);
    mode.current = 0;
    EXPECT_EQ(mode.Load(Ctx(), dm), 1);
    EXPECT_EQ(mode.current, 1);

    PDLSvLB_PrintImage image;
    EXPECT_EQ(image.Init(Ctx(), dm), 1);
    ASSERT_EQ(image.count, PDLSvLB_PrintImage::kRowCount);
    SetShort(kOptPrintImage, 2);
    EXPECT_EQ(image.Load(Ctx(), dm), 1);
    int32_t value = -1;
    EXPECT_EQ(image.GetCurrent(Ctx(), 0x100402, &value), kSdkDone);
    EXPECT_EQ(value, 2);
    value = 3;
    EXPECT_EQ(image.SetCurrent(Ctx(), 0x100402, &value), kSdkDone);
    EXPECT_EQ(image.Store(Ctx(), dm), 1);
    EXPECT_EQ(Short(kOptPrintImage), 3);
    value = 9;
    EXPECT_EQ(image.SetCurrent(Ctx(), 0x100402, &value), kSdkNotSupported);
    image.Row(1)->enabled = 0;
    value = 1;
    EXPECT_EQ(image.SetCurrent(Ctx(), 0x100402, &value), kSdkRefused);
    EXPECT_EQ(Current(image), "TEXT");
}

INSTANTIATE_TEST_SUITE_P(BundledPrinters, QualityItems,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
