// The user-defined paper dialog on the bundled printer (model 2059), opened by its kind over the
// printer's sheet and driven by the scripted user: the model's range and the messages in their
// order, forms registered, changed and deleted in the printer's form list, the device mode's
// sizes following a changed form, and the dialog's answer. The custom paper dialog, opened from
// the page-setup page by its button: sizes outside the printer's range are refused with their
// message and focus, OK stores the edited paper and selects it in the request, Cancel changes
// nothing.
#include "core/datafile/device_data.h"
#include "core/datafile/form_database.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_ref.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "features/custom_paper_dialog.h"
#include "features/form_size_rules.h"
#include "features/user_defined_paper_dialog.h"
#include "items/common/public_devmode.h"
#include "items/pdl/item_sets.h"
#include "tests/items/common/sheet_sets_fixture.h"
#include "ui/dialog_framework.h"
#include "ui/dialog_registry.h"
#include "ui/main_pages.h"
#include "ui/sheet_data.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

const bool g_registered = (RegisterDialogFramework(), true);

class UserDefinedPaperDialog : public SheetSets<> {
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
    INT_PTR Open() { return OpenDialogByKind(ctx, nullptr, kUserDefinedPaperDialogKind, 0); }
    std::vector<FormEntry> Forms() {
        std::vector<FormEntry> forms;
        TableCursorRef<FormDatabase> db(ctx, kTableForms);
        FormEntry e;
        for (size_t i = 0; db && db->Enumerate(i, e) == kTableDone; ++i) forms.push_back(e);
        return forms;
    }
    void AddForm(const char* name, uint32_t width, uint32_t length) {
        TableCursorRef<FormDatabase> db(ctx, kTableForms);
        ASSERT_TRUE(db);
        ASSERT_EQ(db->Add(name, 0, width, length), kTableDone) << name;
        ctx->svc->RefreshTable(ctx, 1);
    }
    static std::vector<std::array<std::string, 2>> Rows(HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_FORM_LIST);
        std::vector<std::array<std::string, 2>> rows;
        const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) rows.push_back({drvtest::ReadCell(list, i, 0), drvtest::ReadCell(list, i, 1)});
        return rows;
    }
    // A click on the row that shows the name.
    static bool ChooseRow(HWND dialog, const std::string& shown) {
        HWND list = GetDlgItem(dialog, IDC_FORM_LIST);
        const auto rows = Rows(dialog);
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i][0] != shown) continue;
            RECT r{LVIR_BOUNDS, 0, 0, 0};
            SendMessageA(list, LVM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
            return drvtest::ClickMouse(list, r.left + 4, (r.top + r.bottom) / 2);
        }
        return false;
    }
    static bool Fill(HWND dialog, const char* name, const char* width, const char* length) {
        return drvtest::Type(dialog, IDC_FORM_NAME, name) && drvtest::Type(dialog, IDC_PAPER_WIDTH, width) &&
               drvtest::Type(dialog, IDC_PAPER_LENGTH, length);
    }
    std::vector<std::string> Texts() { return person.messageTexts(); }
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

TEST_F(UserDefinedPaperDialog, SizesAndNamesAreCheckedInOrderAndFormsAreRegisteredAndChanged) {
    std::vector<std::array<std::string, 2>> before, after;
    for (int answer : {IDOK, IDOK, IDOK, IDOK, IDOK, IDOK, IDNO, IDYES, IDOK, IDOK}) person.AnswerMessageBox(answer);
    person.OnDialog([&](HWND dialog) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_FORM_REGISTER))) << "the default name is no form's";
        EXPECT_TRUE(drvtest::Click(dialog, IDC_UNIT_MM));
        before = Rows(dialog);
        // What the model takes is what the labels show. 148 mm is 5.83 in and 98 mm 3.86 in: the
        // least tenth the dialog takes is 5.9 and 3.9.
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_PAPER_WIDTH_RANGE), "(98.0 - 297.0 mm)");
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_PAPER_LENGTH_RANGE), "(148.0 - 457.2 mm)");
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_PAPER_LENGTH_RANGE_INCH), "(5.9 - 18.0 in)");
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_PAPER_WIDTH_RANGE_INCH), "(3.9 - 11.6 in)");
        EXPECT_TRUE(Fill(dialog, "Postcard", "297.1", "148"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_FORM_REGISTER));  // 108: too wide
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_PAPER_WIDTH));
        EXPECT_TRUE(Fill(dialog, "Postcard", "150", "148"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_FORM_REGISTER));  // 1152, 1151 (within range), then 109
        EXPECT_TRUE(Fill(dialog, "Postcard", "1x0", "148"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_FORM_REGISTER));  // 1149: no size
        EXPECT_TRUE(Fill(dialog, "A4", "210", "297"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_FORM_REGISTER));  // 106: a standard paper's name
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_FORM_NAME));
        EXPECT_TRUE(Fill(dialog, "Postcard", "150", "220"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_FORM_REGISTER));  // registered
        EXPECT_TRUE(Fill(dialog, "POSTCARD", "160", "230"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_FORM_REGISTER));  // 107, No: kept
        EXPECT_TRUE(drvtest::Click(dialog, IDC_FORM_REGISTER));  // 107, Yes: changed
        EXPECT_TRUE(Fill(dialog, "Card", "100", "148"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_FORM_REGISTER));  // 1152 and 1151, registered
        after = Rows(dialog);
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    EXPECT_EQ(Open(), IDOK);
    EXPECT_EQ(person.dialogsSeen(), 1);
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(before[0][1], "215.9 x 279.4 mm");
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           "The size is outside the range the printer can take.",
                           "Paper of this size can be fed only from the bypass tray.",
                           "Paper of this size cannot be fed from every paper source.",
                           "The length must not be smaller than the width.",
                           "Type the size in millimetres with at most one decimal.",
                           "This is the name of a standard paper. Choose another name.",
                           "A form of this name exists. Replace its size?",
                           "A form of this name exists. Replace its size?",
                           "Paper of this size can be fed only from the bypass tray.",
                           "Paper of this size cannot be fed from every paper source.",
                       }));
    const std::vector<FormEntry> forms = Forms();
    ASSERT_EQ(forms.size(), 2u);
    EXPECT_EQ(forms[0].name, "Postcard") << "a change keeps the stored spelling";
    EXPECT_EQ(forms[0].width, 1600u);
    EXPECT_EQ(forms[0].length, 2300u);
    EXPECT_EQ(forms[1].name, "Card");
    EXPECT_EQ(forms[1].width, 1000u);
    ASSERT_EQ(after.size(), before.size() + 2);
    EXPECT_NE(std::find(after.begin(), after.end(), std::array<std::string, 2>{"Postcard (user)", "160.0 x 230.0 mm"}),
              after.end());
}

TEST_F(UserDefinedPaperDialog, AFullFormListRefusesAFormUntilOneIsDeletedAndUnregisteredEditsAreAskedAbout) {
    for (int i = 0; i < 50; ++i) AddForm(("F" + std::to_string(100 + i)).c_str(), 1000, 1500);
    for (int answer : {IDOK, IDNO, IDYES, IDNO}) person.AnswerMessageBox(answer);
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::Click(dialog, IDC_UNIT_MM));
        EXPECT_TRUE(ChooseRow(dialog, "A4"));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_FORM_DELETE))) << "a standard form stays";
        EXPECT_TRUE(Fill(dialog, "Another", "150", "220"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_FORM_REGISTER));  // 105
        EXPECT_TRUE(ChooseRow(dialog, "F107 (user)"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_FORM_DELETE));  // 104, No
        EXPECT_TRUE(drvtest::Click(dialog, IDC_FORM_DELETE));  // 104, Yes
        EXPECT_TRUE(Fill(dialog, "Another", "150", "220"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_FORM_REGISTER));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_WIDTH, "170"));
        EXPECT_TRUE(drvtest::PressOk(dialog));  // 110, No: stays open
        EXPECT_TRUE(IsWindow(dialog));
        EXPECT_TRUE(drvtest::PressCancel(dialog));
    });
    EXPECT_EQ(Open(), IDOK) << "forms changed, so the caller takes the settings even on Cancel";
    EXPECT_EQ(person.dialogsSeen(), 1);
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           "No more forms can be registered. The printer keeps at most 50 forms.",
                           "Delete the selected form?",
                           "Delete the selected form?",
                           "The name or size was changed but not registered. Close anyway?",
                       }));
    const std::vector<FormEntry> forms = Forms();
    ASSERT_EQ(forms.size(), 50u);
    EXPECT_TRUE(std::none_of(forms.begin(), forms.end(), [](const FormEntry& f) { return f.name == "F107"; }));
    EXPECT_TRUE(std::any_of(forms.begin(), forms.end(), [](const FormEntry& f) { return f.name == "Another"; }));

    // Nothing changed: both buttons answer 2.
    person.OnDialog([](HWND dialog) { EXPECT_TRUE(drvtest::PressOk(dialog)); });
    EXPECT_EQ(Open(), IDCANCEL);
}

TEST_F(UserDefinedPaperDialog, TheDeviceModeFollowsAChangedFormAndTheCustomSizeIsSetInInches) {
    AddForm("Label", 1000, 1500);
    const uint16_t labelId = Forms().at(0).paperId;
    // The sheet's settings name the form as their paper.
    ASSERT_TRUE(ctx->svc->SetOption(ctx, user->GetSettingsSource(), 112, &labelId, sizeof labelId));
    person.AnswerMessageBox(IDYES);
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::Click(dialog, IDC_UNIT_MM));
        EXPECT_TRUE(ChooseRow(dialog, "Label (user)"));
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_FORM_NAME), "Label");
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_PAPER_WIDTH), "100.0");
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_WIDTH, "150"));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_LENGTH, "220.5"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_FORM_REGISTER));  // 107, Yes
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    // Opened over the page-setup page, whose OK then commits the sheet's settings to the request.
    INT_PTR answer = 0;
    drvtest::ScriptedSheet sheet;
    sheet.OnSheet([&](drvtest::SheetDriver& driver) {
        answer = OpenDialogByKind(ctx, driver.Page(), kUserDefinedPaperDialogKind, 0);
        EXPECT_TRUE(driver.PressOk());
    });
    ShowPage(IDD_PAGE_SETUP, CmProc::DialogProcFor<PageSetupProc>);
    EXPECT_EQ(answer, IDOK);
    const uint8_t* dm = ctx->svc->GetDevmode(ctx, 3);
    std::array<uint16_t, 2> size{}, output{};
    ctx->svc->GetOption(ctx, dm, 114, size.data(), sizeof size);
    ctx->svc->GetOption(ctx, dm, 119, output.data(), sizeof output);
    EXPECT_EQ(size, (std::array<uint16_t, 2>{1500, 2205}));
    EXPECT_EQ(output, size) << "no separate output size: it follows the paper";
    EXPECT_EQ(publicdm::U16(dm, publicdm::kPaperWidth), 1500);
    EXPECT_EQ(publicdm::U16(dm, publicdm::kPaperLength), 2205);

    std::vector<std::array<std::string, 2>> rows;
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::Click(dialog, IDC_UNIT_INCH));
        EXPECT_TRUE(ChooseRow(dialog, "Custom"));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_WIDTH, "8.5"));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_LENGTH, "11.00"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_FORM_REGISTER));
        rows = Rows(dialog);
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    EXPECT_EQ(Open(), IDOK);
    EXPECT_EQ(Texts(), std::vector<std::string>{"A form of this name exists. Replace its size?"})
        << "the custom size is no form: no name checks";
    EXPECT_NE(std::find(rows.begin(), rows.end(), std::array<std::string, 2>{"Custom", "8.50 x 11.00 in"}), rows.end());
    EXPECT_EQ(Forms().size(), 1u);
}

TEST_F(UserDefinedPaperDialog, SizesOutsideTheRangeAreRefusedAndOkStoresThePaper) {
    person.OnDialog([&](HWND dialog) {
        const std::vector<std::string> rows = drvtest::ReadEntries(dialog, IDC_USER_PAPER_LIST);
        ASSERT_EQ(rows.size(), 5u);
        EXPECT_EQ(rows[1], "User paper 2");
        EXPECT_TRUE(drvtest::ChooseEntry(dialog, IDC_USER_PAPER_LIST, 1));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_UNIT_MM));
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_PAPER_LENGTH_RANGE), "(148.0 - 457.2 mm)");
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_PAPER_WIDTH_RANGE), "(98.0 - 312.0 mm)");
        EXPECT_TRUE(drvtest::Type(dialog, IDC_USER_PAPER_NAME, "Postcard"));
        // Too wide, then too short: each refused in turn, the width first.
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_WIDTH, "312.1"));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_LENGTH, "147.9"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_PAPER_WIDTH));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_WIDTH, "1x0"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_WIDTH, "150"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_PAPER_LENGTH));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_LENGTH, "200.5"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    RunPage();
    EXPECT_EQ(person.dialogsSeen(), 1);
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

TEST_F(UserDefinedPaperDialog, InchesAreShownAndTakenInHundredthsAndCancelKeepsEverything) {
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::Type(dialog, IDC_USER_PAPER_NAME, "Never"));
        EXPECT_TRUE(drvtest::PressCancel(dialog));
    });
    RunPage();
    EXPECT_TRUE(Stored().empty());

    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::ChooseEntry(dialog, IDC_USER_PAPER_LIST, 2));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_UNIT_MM));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_WIDTH, "210"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_UNIT_INCH));
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_PAPER_WIDTH_RANGE), "(3.8 - 12.2 in)");
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_PAPER_WIDTH), "8.27");
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_WIDTH, "4.5"));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_LENGTH, "11"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    RunPage();
    EXPECT_EQ(person.dialogsSeen(), 2);
    const std::vector<userpaper::Entry> stored = Stored();
    ASSERT_EQ(stored.size(), 5u);
    EXPECT_EQ(stored[2].unit, userpaper::kUnitInch);
    EXPECT_EQ(stored[2].widthInch, 450u);
    EXPECT_EQ(stored[2].lengthInch, 1100u);
    EXPECT_EQ(stored[2].widthMm, 11430u);
    EXPECT_EQ(RequestKind(), 2);
}

TEST_F(UserDefinedPaperDialog, ALengthBelowTheWidthIsRefusedAndOkMakesThePaperTheCustomSizeWithItsArea) {
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::ChooseEntry(dialog, IDC_USER_PAPER_LIST, 3));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_UNIT_MM));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_WIDTH, "200"));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_LENGTH, "150"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_PAPER_WIDTH));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PAPER_LENGTH, "250"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    RunPage("Custom");
    EXPECT_EQ(person.dialogsSeen(), 1);
    EXPECT_EQ(person.messageTexts(), std::vector<std::string>{"The length must not be smaller than the width."});
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

// The size rules alone: the ranges by model, typed sizes, the inch bound and the advice.
TEST(FormSizeRules, RangesTypedSizesAndAdvice) {
    using namespace formsize;
    const Limits record{500, 600, 700, 800};
    struct LimitCase { uint16_t model; uint32_t language; Limits expected; };
    for (auto c : {LimitCase{2059, 0x409, {980, 2970, 1480, 4572}}, LimitCase{2059, 0x411, {980, 3120, 1480, 4572}},
                   LimitCase{2073, 0x409, {990, 3200, 1400, 4572}}, LimitCase{2069, 0x409, {1000, 3300, 1480, 4830}},
                   LimitCase{2071, 0x409, record}}) {
        const Limits l = LimitsFor(c.model, c.language, record);
        EXPECT_EQ(l.maxWidth, c.expected.maxWidth) << c.model;
        EXPECT_EQ(l.minLength, c.expected.minLength) << c.model;
    }

    struct ParseCase { const char* text; int unit; bool ok; uint32_t typed, tenthMm; };
    for (auto c : {ParseCase{"210", kUnitMm, true, 2100, 2100}, ParseCase{"210.5", kUnitMm, true, 2105, 2105},
                   ParseCase{"210.55", kUnitMm, false, 0, 0}, ParseCase{"8.5", kUnitInch, true, 850, 2159},
                   ParseCase{"8.27", kUnitInch, true, 827, 2101}, ParseCase{"8.275", kUnitInch, false, 0, 0},
                   ParseCase{".5", kUnitMm, false, 0, 0}, ParseCase{"", kUnitMm, false, 0, 0},
                   ParseCase{"1.2.3", kUnitMm, false, 0, 0}, ParseCase{"-5", kUnitMm, false, 0, 0},
                   ParseCase{"99999999999", kUnitMm, false, 0, 0}, ParseCase{"1x0", kUnitInch, false, 0, 0}}) {
        uint32_t typed = 0, tenthMm = 0;
        EXPECT_EQ(ParseSize(c.text, c.unit, '.', typed, tenthMm), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(typed, c.typed) << c.text;
            EXPECT_EQ(tenthMm, c.tenthMm) << c.text;
        }
    }

    // 4830 is 19.02 in, which reads back as 4831: typed in inches it is the bound itself.
    const Limits wide = LimitsFor(2069, 0x409, record);
    uint32_t width = 2000, length = HundredthInchToTenthMm(1902);
    EXPECT_EQ(CheckSize(wide, kUnitInch, 787, 1902, width, length), 0u);
    EXPECT_EQ(length, 4830u);
    length = HundredthInchToTenthMm(1902);
    EXPECT_EQ(CheckSize(wide, kUnitMm, 2000, length, width, length), kLengthOutOfRange);
    width = 3000, length = 2000;
    EXPECT_EQ(CheckSize(wide, kUnitMm, width, length, width, length), kLengthBelowWidth);

    EXPECT_EQ(AdviceFor(2059, 2100, 2970), std::vector<unsigned>{});
    EXPECT_EQ(AdviceFor(2059, 1000, 1480), (std::vector<unsigned>{1152, 1151}));
    EXPECT_EQ(AdviceFor(2059, 3000, 3000), std::vector<unsigned>{1152});
    EXPECT_EQ(AdviceFor(2059, 3000, 4500), (std::vector<unsigned>{1152, 1151}));
    EXPECT_EQ(AdviceFor(2015, 1000, 1800), std::vector<unsigned>{1151});
    EXPECT_EQ(AdviceFor(2073, 1000, 1480), std::vector<unsigned>{});
}

}  // namespace
