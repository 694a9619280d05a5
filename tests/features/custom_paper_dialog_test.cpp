// The custom paper dialog opened from the bundled printer's page-setup page by its button and
// driven by the scripted user: sizes outside the printer's range are refused with their message
// and focus, OK stores the edited paper and selects it in the request, Cancel changes nothing.
#include "core/datafile/device_data.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "features/custom_paper_dialog.h"
#include "items/common/public_devmode.h"
#include "items/pdl/item_sets.h"
#include "tests/items/common/sheet_sets_fixture.h"
#include "ui/dialog_framework.h"
#include "ui/main_pages.h"
#include "ui/sheet_data.h"

#include <array>

namespace {

// As the shared library does when it loads: before the fixture's request makes its user data.
const bool g_registered = (RegisterDialogFramework(), true);

class CustomPaperDialog : public SheetSets<> {
protected:
    void SetUp() override {
        ASSERT_TRUE(g_registered);
        ASSERT_TRUE(RegisterCustomPaperDialog());
        Start({CreateItemSet0, CreateItemSetPageSetup});
    }
    void TearDown() override {
        UnregisterCustomPaperDialog();
        SheetSets<>::TearDown();
    }
    // The page-setup page with its Custom paper... button pressed once, then OK; with a paper
    // named, that paper is chosen first.
    void RunPage(const char* paper = nullptr) {
        drvtest::ScriptedSheet sheet;
        sheet.OnSheet([&](drvtest::SheetDriver& driver) {
            if (paper) {
                EXPECT_TRUE(drvtest::ChooseEntryByText(driver.Page(), IDC_PAGE_SIZE, paper));
            }
            EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_CUSTOM_PAPER));
            EXPECT_TRUE(driver.PressOk());
        });
        ShowPage(IDD_PAGE_SETUP, CmProc::DialogProcFor<PageSetupProc>);
    }
    std::vector<userpaper::Entry> Stored() {
        CmCustomPaper paper(ctx, 0);
        return paper.Load().value_or(std::vector<userpaper::Entry>{});
    }
    int16_t RequestKind() {
        int16_t kind = -1;
        ctx->svc->GetOption(ctx, ctx->svc->GetDevmode(ctx, 3), 129, &kind, sizeof kind);
        return kind;
    }
    template <size_t N>
    std::array<uint16_t, N> RequestWords(unsigned option) {
        std::array<uint16_t, N> words{};
        ctx->svc->GetOption(ctx, ctx->svc->GetDevmode(ctx, 3), option, words.data(), sizeof words);
        return words;
    }

    drvtest::ScriptedUser person;
};

TEST_F(CustomPaperDialog, SizesOutsideTheRangeAreRefusedAndOkStoresThePaper) {
    std::vector<std::string> rows;
    std::string lengthRange, widthRange, focusText;
    HWND focusAfterRefusal = nullptr, widthEdit = nullptr, lengthEdit = nullptr;
    person.OnDialog([&](HWND dialog) {
        rows = drvtest::ReadEntries(dialog, IDC_USER_PAPER_LIST);
        EXPECT_TRUE(drvtest::ChooseEntry(dialog, IDC_USER_PAPER_LIST, 1));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_UNIT_MM));
        lengthRange = drvtest::ReadText(dialog, IDC_PAPER_LENGTH_RANGE);
        widthRange = drvtest::ReadText(dialog, IDC_PAPER_WIDTH_RANGE);
        widthEdit = GetDlgItem(dialog, IDC_PAPER_WIDTH);
        lengthEdit = GetDlgItem(dialog, IDC_PAPER_LENGTH);
        EXPECT_TRUE(drvtest::Type(dialog, IDC_USER_PAPER_NAME, "Postcard"));
        // Too wide, then too short: each refused in turn, the width first.
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_WIDTH, "312.1"));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_LENGTH, "147.9"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
        focusAfterRefusal = GetFocus();
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_WIDTH, "1x0"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_WIDTH, "150"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
        EXPECT_EQ(GetFocus(), lengthEdit);
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_LENGTH, "200.5"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    RunPage();
    EXPECT_EQ(person.dialogsSeen(), 1);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1], "User paper 2");
    EXPECT_EQ(lengthRange, "(148.0 - 457.2 mm)");
    EXPECT_EQ(widthRange, "(98.0 - 312.0 mm)");
    EXPECT_EQ(focusAfterRefusal, widthEdit);
    ASSERT_EQ(person.messageBoxes().size(), 3u);
    for (const drvtest::MessageBoxSeen& box : person.messageBoxes())
        EXPECT_EQ(box.text, "The size is outside the range the printer can take.");

    const std::vector<userpaper::Entry> stored = Stored();
    ASSERT_EQ(stored.size(), 5u);
    EXPECT_EQ(stored[1].name, "Postcard");
    EXPECT_EQ(stored[1].widthMm, 15000u);
    EXPECT_EQ(stored[1].lengthMm, 20050u);
    EXPECT_EQ(stored[1].widthInch, 591u);
    EXPECT_EQ(RequestKind(), 1);
    // The request's own table, which the dialog edited, holds what was stored.
    auto* table = dynamic_cast<CmCustomPaper*>(user->GetCustomPaper());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->Entries()[1].name, "Postcard");
}

TEST_F(CustomPaperDialog, InchesAreShownAndTakenInHundredthsAndCancelKeepsEverything) {
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::Type(dialog, IDC_USER_PAPER_NAME, "Never"));
        EXPECT_TRUE(drvtest::PressCancel(dialog));
    });
    RunPage();
    EXPECT_TRUE(Stored().empty());

    std::string widthRange, widthShown;
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::ChooseEntry(dialog, IDC_USER_PAPER_LIST, 2));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_UNIT_MM));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_WIDTH, "210"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_UNIT_INCH));
        widthRange = drvtest::ReadText(dialog, IDC_PAPER_WIDTH_RANGE);
        widthShown = drvtest::ReadText(dialog, IDC_PAPER_WIDTH);
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_WIDTH, "4.5"));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_LENGTH, "11"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    RunPage();
    EXPECT_EQ(widthRange, "(3.8 - 12.2 in)");
    EXPECT_EQ(widthShown, "8.27");
    const std::vector<userpaper::Entry> stored = Stored();
    ASSERT_EQ(stored.size(), 5u);
    EXPECT_EQ(stored[2].unit, userpaper::kUnitInch);
    EXPECT_EQ(stored[2].widthInch, 450u);
    EXPECT_EQ(stored[2].lengthInch, 1100u);
    EXPECT_EQ(stored[2].widthMm, 11430u);
    EXPECT_EQ(RequestKind(), 2);
}

TEST_F(CustomPaperDialog, ALengthBelowTheWidthIsRefusedAndOkMakesThePaperTheCustomSizeWithItsArea) {
    std::vector<std::string> shown;
    HWND focusAfterRefusal = nullptr, widthEdit = nullptr;
    person.OnDialog([&](HWND dialog) {
        widthEdit = GetDlgItem(dialog, IDC_PAPER_WIDTH);
        EXPECT_TRUE(drvtest::ChooseEntry(dialog, IDC_USER_PAPER_LIST, 3));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_UNIT_MM));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_WIDTH, "200"));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_LENGTH, "150"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
        focusAfterRefusal = GetFocus();
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_LENGTH, "250"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    RunPage("Custom");
    EXPECT_EQ(person.dialogsSeen(), 1);
    EXPECT_EQ(person.messageTexts(), std::vector<std::string>{"The length must not be smaller than the width."});
    EXPECT_EQ(focusAfterRefusal, widthEdit);
    EXPECT_EQ(RequestKind(), 3);
    EXPECT_EQ((RequestWords<2>(114)), (std::array<uint16_t, 2>{2000, 2500}));
    // The area is the new size less the printer's margins for user papers.
    const DeviceData* data = ctx->svc->LoadDeviceData(ctx);
    ASSERT_NE(data, nullptr);
    const auto margin = [&](size_t i) { return static_cast<uint16_t>(data->U32(devicedata::kUserPaper + 8 + 4 * i)); };
    EXPECT_EQ((RequestWords<4>(115)), (std::array<uint16_t, 4>{margin(0), margin(1), static_cast<uint16_t>(2000 - margin(2)),
                                                              static_cast<uint16_t>(2500 - margin(3))}));
    const uint8_t* dm = ctx->svc->GetDevmode(ctx, 3);
    EXPECT_EQ(publicdm::U16(dm, publicdm::kPaperWidth), 2000);
    EXPECT_EQ(publicdm::U16(dm, publicdm::kPaperLength), 2500);
}

}  // namespace
