// The page-setup items, the common buttons and the spooling choice against the fixture printer:
// what each stores, byte for byte, in the sheet's device mode and device-option block, what it
// reads back, and how it answers the option interface.
#include "settings_fixture.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/fixture_device.h"
#include "items/common/job_items.h"
#include "items/common/number_format.h"
#include "items/common/option_word.h"
#include "items/common/page_layout_items.h"
#include "items/common/public_devmode.h"
#include "items/common/stamp_items.h"
#include "items/pdl/page_setup_items.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <string>
#include <tuple>

namespace {

class PageSetupItems : public ItemSettings<> {
protected:
    template <typename T>
    T DeviceValue(uint32_t id) {
        T v = 0;
        Ctx()->svc->GetDeviceOptionValue(Ctx(), Ctx()->svc->GetUserData(Ctx())->GetDeviceOptionSource(), id, &v,
                                         sizeof v);
        return v;
    }
    template <typename T>
    void SetDeviceValue(uint32_t id, T v) {
        Ctx()->svc->SetDeviceOptionValue(Ctx(), Ctx()->svc->GetUserData(Ctx())->GetDeviceOptionSource(), id, &v,
                                         sizeof v);
    }
};

TEST_F(PageSetupItems, LayoutKindsStoreTheirModeAndCodeAndLeaveOtherModesAlone) {
    // mode, pages, poster: after the store (pages and poster start at 5 and 2).
    struct Case { const char* choice; uint16_t modeBefore; uint16_t mode, pages, poster; };
    for (const Case& c : {Case{"NUP_2PAGES", 0, 3, 0, 2}, Case{"NUP_4PAGES", 1, 3, 1, 2}, Case{"NUP_6PAGES", 0, 3, 2, 2},
                          Case{"NUP_16PAGES", 0, 3, 5, 2}, Case{"POSTER_2X2", 3, 5, 5, 0},
                          Case{"POSTER_4X4", 0, 5, 5, 2}, Case{"NUP_1PAGES", 3, 0, 5, 2},
                          Case{"NUP_1PAGES", 5, 0, 5, 2}, Case{"NUP_1PAGES", 1, 1, 5, 2},
                          Case{"NUP_1PAGES", 4, 4, 5, 2}}) {
        SetShort(kOptLayoutMode, c.modeBefore);
        SetShort(kOptPagesPerSheet, 5);
        SetShort(kOptPoster, 2);
        CmSvCB_Layout layout;
        Choose(layout, c.choice);
        EXPECT_EQ(layout.Store(Ctx(), dm), 1);
        EXPECT_EQ(Short(kOptLayoutMode), c.mode) << c.choice << " from mode " << c.modeBefore;
        EXPECT_EQ(Short(kOptPagesPerSheet), c.pages) << c.choice;
        EXPECT_EQ(Short(kOptPoster), c.poster) << c.choice;
        CmSvCB_Layout reread;
        reread.current = 9;
        reread.Load(Ctx(), dm);
        if (c.mode == 3 || c.mode == 5) {
            EXPECT_STREQ(reread.CurrentRow()->name, c.choice);
        }
    }
}

TEST_F(PageSetupItems, LayoutPicturesFollowColourAndOrientationAndThePreviewPicksPagesPerSheet) {
    CmSvCB_Layout layout;
    auto pictures = [&](uint32_t row) {
        auto* ids = static_cast<const uint16_t*>(layout.Row(row)->images);
        return std::make_pair(ids[0], ids[1]);
    };
    const char* colourPortrait[] = {"RESET_ICN", "COLOR", "PORTRAIT"};
    EXPECT_EQ(layout.Action(Ctx(), 3, colourPortrait, nullptr), 1);
    EXPECT_EQ(pictures(0), std::make_pair(uint16_t{4799}, uint16_t{4812}));
    EXPECT_EQ(pictures(1), std::make_pair(uint16_t{4800}, uint16_t{4813}));
    EXPECT_EQ(pictures(7), std::make_pair(uint16_t{4809}, uint16_t{4822}));
    const char* monoLandscape[] = {"RESET_ICN", "MONO", "LANDSCAPE"};
    layout.Action(Ctx(), 3, monoLandscape, nullptr);
    EXPECT_EQ(pictures(1), std::make_pair(uint16_t{4780}, uint16_t{4793}));
    EXPECT_EQ(pictures(3), std::make_pair(uint16_t{4781}, uint16_t{4794}));
    EXPECT_EQ(pictures(4), std::make_pair(uint16_t{4782}, uint16_t{4795}));
    EXPECT_EQ(pictures(9), std::make_pair(uint16_t{4785}, uint16_t{4798}));

    EXPECT_EQ(layout.Preview(Ctx(), 2, 0, 0, 0), 1);
    EXPECT_STREQ(layout.CurrentRow()->name, "NUP_4PAGES");
    EXPECT_EQ(layout.Preview(Ctx(), 2, 0, 0, 0), 0) << "already current";
    layout.Row(1)->enabled = 0;
    EXPECT_EQ(layout.Preview(Ctx(), 1, 0, 0, 0), 0) << "a disabled choice is not taken";
    layout.enabled = 0;
    EXPECT_EQ(layout.Preview(Ctx(), 0, 0, 0, 0), 0);
}

TEST_F(PageSetupItems, ScalingTurnsOnlyItsOwnModeAndTheRatioIsStoredSigned) {
    struct Case { uint16_t before; int32_t on; uint16_t after; };
    for (const Case& c : {Case{0, 1, 1}, Case{1, 0, 0}, Case{3, 0, 3}, Case{3, 1, 3}, Case{5, 1, 5}}) {
        SetShort(kOptLayoutMode, c.before);
        CmSvCK_Scaling scaling;
        scaling.current = c.on;
        scaling.Store(Ctx(), dm);
        EXPECT_EQ(Short(kOptLayoutMode), c.after) << c.before << " " << c.on;
    }
    CmSvDGT_ScalingRatio ratio;
    ratio.current = 75;
    ratio.Store(Ctx(), dm);
    EXPECT_EQ(Short(kOptScalingRatio), 75);
    int32_t value = 0;
    EXPECT_EQ(ratio.Apply(Ctx(), 0x10003, nullptr), kSdkDone);
    EXPECT_EQ(ratio.GetCurrent(Ctx(), 0x10003, &value), kSdkDone);
    EXPECT_EQ(value, 100);
    ratio.enabled = 0;
    EXPECT_EQ(ratio.Apply(Ctx(), 0x10003, nullptr), kSdkRefused);
}

TEST_F(PageSetupItems, PageOrderRowsFollowTheLayoutAndTheOptionInterfaceUsesItsOwnNumbers) {
    struct Case { uint16_t mode, pages, orientation; std::string names; };
    for (const Case& c :
         {Case{3, 0, 1, "DIRECTION_LR DIRECTION_RL "}, Case{3, 0, 2, "DIRECTION_UD DIRECTION_DU "},
          Case{3, 1, 2, "DIRECTION_LUR DIRECTION_LUD DIRECTION_RUL DIRECTION_RUD "},
          Case{0, 0, 1, "DIRECTION_LR DIRECTION_RL DIRECTION_UD DIRECTION_DU DIRECTION_LUR DIRECTION_LUD "
                        "DIRECTION_RUL DIRECTION_RUD "}}) {
        SetShort(kOptLayoutMode, c.mode);
        SetShort(kOptPagesPerSheet, c.pages);
        publicdm::PutU16(dm, publicdm::kOrientation, c.orientation);
        CmSvCB_PageOrder order;
        order.Init(Ctx(), dm);
        std::string names;
        for (uint32_t i = 0; i < order.count; ++i) names += std::string(order.Row(i)->name) + " ";
        EXPECT_EQ(names, c.names) << c.mode << "/" << c.pages;
    }
    CmSvCB_PageOrder order;  // the eight rows
    int32_t v = 5;
    EXPECT_EQ(order.SetCurrent(Ctx(), 0x10065, &v), kSdkDone);
    EXPECT_STREQ(order.CurrentRow()->name, "DIRECTION_LUD") << "in the set of eight, 5 is the fifth row";
    v = 8;
    EXPECT_EQ(order.SetCurrent(Ctx(), 0x10065, &v), kSdkNotSupported);
    order.Store(Ctx(), dm);
    EXPECT_EQ(Short(kOptPageOrder), 6);

    const char* nup[] = {"NUP4"};
    PieValue out{};
    EXPECT_EQ(order.Action(Ctx(), 1, nup, &out), 1);
    EXPECT_EQ(order.count, 4u);
    EXPECT_STREQ(order.CurrentRow()->name, "DIRECTION_LUD") << "the previous value stays";
    EXPECT_STREQ(reinterpret_cast<const char*>(out.value), "DIRECTION_LUD");
    EXPECT_TRUE(order.flags & CmSvItem::kChangedByRules);
    const char* other[] = {"SIDEWAYS"};
    EXPECT_EQ(order.Action(Ctx(), 1, other, nullptr), 0);

    SetShort(kOptPagesPerSheet, 1);
    EXPECT_EQ(order.Apply(Ctx(), 0x10065, nullptr), kSdkDone);
    EXPECT_EQ(order.CurrentRow()->value, 4);
}

TEST_F(PageSetupItems, OrientationAndCopiesLiveInThePublicFields) {
    CmSvRB_Orientation orientation;
    orientation.current = 1;
    EXPECT_EQ(orientation.Store(Ctx(), dm), 1);
    EXPECT_EQ(dm[44] | dm[45] << 8, DMORIENT_LANDSCAPE);
    dm[44] = 7;
    EXPECT_EQ(orientation.Load(Ctx(), dm), 0) << "no orientation 7";

    CmSvDGT_Copy copies;
    copies.current = 250;
    copies.Store(Ctx(), dm);
    EXPECT_EQ(dm[54] | dm[55] << 8, 250);
    copies.Init(Ctx(), dm);
    EXPECT_EQ(copies.maximum, 999);
    EXPECT_EQ(copies.textLimit, 3);
    struct Case { uint32_t device; int32_t maximum, digits; };
    for (const Case& c : {Case{999, 999, 3}, Case{1000, 1000, 4}, Case{40000, 32767, 5}, Case{0x80000001u, 32767, 5},
                          Case{0, 50, 3}})
        EXPECT_EQ(std::make_pair(CopiesMaximum(c.device, 50), CopiesTextLimit(CopiesMaximum(c.device, 50))),
                  std::make_pair(c.maximum, c.maximum >= 1000 ? 4 : 3))
            << c.device;
    int32_t v = 32767;
    copies.maximum = CopiesMaximum(40000, 0);
    EXPECT_EQ(copies.SetCurrent(Ctx(), 0x100414, &v), kSdkDone) << "a large device maximum still takes values";
}

TEST_F(PageSetupItems, PageSizeWritesThePaperEverywhereAndTheOutputSizeFollowsUnlessSeparate) {
    PDLSvCB_PageSize page;
    page.Init(Ctx(), dm);
    ASSERT_GT(page.count, 3u);
    WriteOptionWord(Ctx(), dm, kOptLayoutFlags, 0);
    Choose(page, "A4");
    ASSERT_EQ(page.Store(Ctx(), dm), 1);
    EXPECT_EQ(Short(kOptPaperCode), 9);
    uint16_t size[2] = {}, area[4] = {};
    Ctx()->svc->GetOption(Ctx(), dm, kOptPaperSize, size, sizeof size);
    EXPECT_EQ(size[0], 2100);
    EXPECT_EQ(size[1], 2970);
    Ctx()->svc->GetOption(Ctx(), dm, kOptPaperArea, area, sizeof area);
    EXPECT_NE(area[2], 0);
    EXPECT_EQ(Short(kOptOutputCode), 9) << "no separate output size: it follows";
    EXPECT_EQ(publicdm::U16(dm, publicdm::kPaperSize), 9);
    EXPECT_EQ(publicdm::U16(dm, publicdm::kPaperWidth), 2100);
    EXPECT_EQ(publicdm::U16(dm, publicdm::kPaperLength), 2970);
    EXPECT_EQ(publicdm::U32(dm, publicdm::kFields) & (DM_PAPERLENGTH | DM_PAPERWIDTH), 0u);
    EXPECT_STREQ(reinterpret_cast<const char*>(dm + publicdm::kFormName), page.CurrentRow()->display_text);

    Choose(page, "USER");
    ASSERT_EQ(page.Store(Ctx(), dm), 1);
    EXPECT_EQ(publicdm::U32(dm, publicdm::kFields) & (DM_PAPERLENGTH | DM_PAPERWIDTH),
              static_cast<uint32_t>(DM_PAPERLENGTH | DM_PAPERWIDTH));

    PDLSvCB_OutPutSize output;
    output.Init(Ctx(), dm);
    EXPECT_STREQ(output.Row(0)->name, "DRAFT");
    Choose(output, "A5");
    ASSERT_EQ(output.Store(Ctx(), dm), 1);
    EXPECT_EQ(Word(kOptLayoutFlags) & 2u, 2u);
    EXPECT_EQ(Short(kOptOutputCode), 11);
    Choose(page, "A4");
    page.Store(Ctx(), dm);
    EXPECT_EQ(Short(kOptOutputCode), 11) << "a separate output size stays";
    int32_t v = -1;
    EXPECT_EQ(output.GetCurrent(Ctx(), 0x1007e, &v), kSdkDone);
    EXPECT_EQ(v, 11);
    v = 0;
    EXPECT_EQ(output.SetCurrent(Ctx(), 0x1007e, &v), kSdkDone);
    EXPECT_EQ(output.current, 0u);
    EXPECT_EQ(output.GetCurrent(Ctx(), 0x1007e, &v), kSdkDone);
    EXPECT_EQ(v, 0);
    output.Store(Ctx(), dm);
    EXPECT_EQ(Word(kOptLayoutFlags) & 2u, 0u);
    EXPECT_EQ(Short(kOptOutputCode), 9);
    output.Load(Ctx(), dm);
    EXPECT_EQ(output.current, 0u);

    // A paper the table lacks is not stored and does not set the separate-size flag.
    output.Row(1)->value = 31000;
    output.current = 1;
    EXPECT_EQ(output.Store(Ctx(), dm), 0);
    EXPECT_EQ(Word(kOptLayoutFlags) & 2u, 0u);
}

TEST_F(PageSetupItems, StampSwitchKeepsTheOtherFlagsAndAnEmptyWatermarkOffersNoStamp) {
    WriteOptionWord(Ctx(), dm, kOptStampFlags, 0xF0);
    CmSvCK_Stamp stamp;
    stamp.current = 1;
    stamp.Store(Ctx(), dm);
    EXPECT_EQ(Word(kOptStampFlags), 0xF1u);
    stamp.Load(Ctx(), dm);
    EXPECT_EQ(stamp.current, 1);

    CmSvCB_StampSelect select;
    select.Init(Ctx(), dm);
    EXPECT_EQ(select.count, 0u);
    EXPECT_EQ(select.Load(Ctx(), dm), 0);
    EXPECT_EQ(select.Store(Ctx(), dm), 0);
    int32_t rows = -1;
    EXPECT_EQ(select.GetCount(Ctx(), 0x10067, &rows), kSdkDone);
    EXPECT_EQ(rows, 0);
    char record[kStampRecordSize];
    EXPECT_EQ(select.SetCurrent(Ctx(), 0x10067, record), kSdkNotSupported);
    EXPECT_EQ(select.GetList(Ctx(), 0x10067, nullptr), kSdkNoItem);
    select.available = 0;
    EXPECT_EQ(select.GetCount(Ctx(), 0x10067, nullptr), kSdkNotSupported);

    char name[kStampFieldSize];
    for (auto [id, want] : {std::pair{1, "SECRET"}, {6, "NOTCOPY"}, {7, "USERDEF7"}, {65535, "USERDEF65535"}}) {
        StampOptionName(static_cast<uint16_t>(id), name);
        EXPECT_STREQ(name, want);
    }
}

TEST_F(PageSetupItems, JobOperationAnswersItsTwoKeysWithTheirOwnNumbers) {
    PDLSvCB_JobOperation job;
    job.Init(Ctx(), dm);
    struct Case { int32_t value; int proofAnswer, jobAnswer; int32_t proof, code; };
    for (const Case& c : {Case{1, 0, 0, 0, 0}, Case{2, 0, 2, 1, -1}, Case{4, 0, 0, 0, 3}, Case{8, 0, 0, 0, 2},
                          Case{16, 0, 0, 0, 5}, Case{32, 0, 0, 0, 1}}) {
        job.current = job.FindValue(c.value);
        int32_t proof = -1, code = -1;
        EXPECT_EQ(job.GetCurrent(Ctx(), 0x1007b, &proof), c.proofAnswer) << c.value;
        EXPECT_EQ(job.GetCurrent(Ctx(), 0x10002, &code), c.jobAnswer) << c.value;
        EXPECT_EQ(proof, c.proof) << c.value;
        EXPECT_EQ(code, c.code) << c.value;
        job.Store(Ctx(), dm);
        EXPECT_EQ(Short(kOptJobOperation), c.value);
    }
    for (auto [given, answer, value] : {std::tuple{0, 0, 1}, {1, 0, 32}, {2, 0, 8}, {3, 2, 8}, {5, 2, 8}}) {
        int32_t v = given;
        EXPECT_EQ(job.SetCurrent(Ctx(), 0x10002, &v), answer) << given;
        EXPECT_EQ(job.CurrentRow()->value, value) << given;
    }
    int32_t v = 0;
    EXPECT_EQ(job.SetCurrent(Ctx(), 0x1007b, &v), kSdkNotSupported);
    job.Row(0)->shown = 0;
    EXPECT_EQ(job.Apply(Ctx(), 0x10002, &v), kSdkRefused);
    job.Row(0)->shown = 1;
    EXPECT_EQ(job.Apply(Ctx(), 0x10002, &v), kSdkDone);
    EXPECT_EQ(job.CurrentRow()->value, 1);
    SetShort(kOptJobOperation, 64);
    EXPECT_EQ(job.Load(Ctx(), dm), 0);
    EXPECT_EQ(job.CurrentRow()->value, 1) << "an unknown value keeps the row";
}

TEST_F(PageSetupItems, SpoolingIsWrittenToThePrinterAtOnceAndAFailedWriteChangesNothing) {
    CmSvCB_SpoolSetting spool;
    SetDeviceValue<uint16_t>(kDevOptSpooling, 0);
    spool.Load(Ctx(), dm);
    int32_t v = 2;
    EXPECT_EQ(spool.SetCurrent(Ctx(), 0x100dc, &v), kSdkDone);
    EXPECT_EQ(DeviceValue<uint16_t>(kDevOptSpooling), 2);

    // A hive no one may write: the printer keeps the old value, and so does the sheet.
    const std::string& hive = fixture.Printer().Hive().Path();
    ASSERT_EQ(chmod(hive.c_str(), 0444), 0);
    v = 1;
    EXPECT_EQ(spool.SetCurrent(Ctx(), 0x100dc, &v), kSdkRefused);
    EXPECT_EQ(DeviceValue<uint16_t>(kDevOptSpooling), 2);
    EXPECT_STREQ(spool.CurrentRow()->name, "DISABLE");
    EXPECT_EQ(spool.Apply(Ctx(), 0x100dc, nullptr), kSdkRefused);
    EXPECT_EQ(DeviceValue<uint16_t>(kDevOptSpooling), 2);
    chmod(hive.c_str(), 0644);
    EXPECT_EQ(spool.Apply(Ctx(), 0x100dc, nullptr), kSdkDone);
    EXPECT_EQ(DeviceValue<uint16_t>(kDevOptSpooling), 0);
}

TEST(NumberFormat, TwoNumbersFitOrNothingIsWritten) {
    char text[16];
    struct Case { const char* format; int32_t a, b; bool ok; const char* want; };
    for (const Case& c : {Case{"%d.%02d in", 8, 27, true, "8.27 in"}, Case{"(%d-%d)", 1, 999, true, "(1-999)"},
                          Case{"%d%%", 5, 0, true, "5%"}, Case{"%s", 1, 2, false, ""}, Case{"%d %d %d", 1, 2, false, ""},
                          Case{"%d", 1, 0, true, "1"}, Case{"0123456789abcdef", 0, 0, false, ""},
                          Case{"%d", -2147483647 - 1, 0, true, "-2147483648"}, Case{"%", 0, 0, false, ""},
                          Case{"%0999999d", 1, 0, false, ""}}) {
        const bool ok = FormatTwoNumbers(text, sizeof text, c.format, c.a, c.b);
        EXPECT_EQ(std::make_pair(ok, std::string(text)), std::make_pair(c.ok, std::string(c.want))) << c.format;
    }
    char small[8] = "abc";
    EXPECT_TRUE(AppendBounded(small, sizeof small, "defg"));
    EXPECT_FALSE(AppendBounded(small, sizeof small, "h"));
    EXPECT_STREQ(small, "abcdefg");
}

}  // namespace
