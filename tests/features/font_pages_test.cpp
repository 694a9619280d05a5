// The font dialogs opened from the bundled printer's device settings page by its Fonts... button
// and driven by the scripted user: the device fonts the printer reports, the substitutes stored
// in the printer's table across visits, and the installed font sets with their memory.
#include "core/datafile/font_subst_table.h"
#include "core/devmode/device_option_block.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "drvtest/window_picture.h"
#include "features/font_pages.h"
#include "items/pdl/quality_item_sets.h"
#include "tests/items/common/sheet_sets_fixture.h"
#include "ui/dialog_framework.h"
#include "ui/main_pages.h"

namespace {

// As the shared library does when it loads: before the fixture's request makes its user data.
const bool g_registered = (RegisterDialogFramework(), RegisterFontDialogs(), true);

void SavePicture(HWND dialog, const std::string& name) {
    // A dialog centred over a narrower sheet starts left of the screen: the picture needs all of it.
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(drvtest::SaveWindowPng(dialog, std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/" + name + ".png")) << name;
}

class FontPages : public SheetSets<> {
protected:
    void SetUp() override {
        ASSERT_TRUE(g_registered);
        Start({CreateItemSet0, CreateItemSet5});
    }
    // The device settings page with its Fonts... button pressed once, then OK.
    void RunPage() {
        drvtest::ScriptedSheet sheet;
        sheet.OnSheet([&](drvtest::SheetDriver& driver) {
            EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_FONT_SETTINGS));
            EXPECT_TRUE(driver.PressOk());
        });
        ShowPage(IDD_DEVICE_SETTINGS, CmProc::DialogProcFor<DeviceSettingsProc>);
    }
    std::vector<FontSubstEntry> StoredTable() {
        std::vector<FontSubstEntry> table;
        ReadFontSubstTable(fixture.Printer().Name(), table);
        return table;
    }
    // The face list's row, or nothing when it has no such row.
    static std::string Face(HWND dialog, size_t row) {
        const std::vector<std::string> faces = drvtest::ReadEntries(dialog, IDC_FS_FACES);
        return row < faces.size() ? faces[row] : "";
    }
    uint16_t DeviceValue(DWORD id) {
        uint16_t value = 0xEEEE;
        ctx->svc->GetDeviceOptionValue(ctx, nullptr, id, &value, sizeof value);
        return value;
    }

    drvtest::ScriptedUser person;
};

TEST_F(FontPages, SubstitutesOfEveryVisitAreStoredAndTheDefaultIsNot) {
    person.OnDialog([&](HWND d) {
        EXPECT_EQ(drvtest::ReadEntries(d, IDC_FS_DEVICE_FONTS),
                  (std::vector<std::string>{"Keep TrueType", "Courier", "CG Times", "Univers", "Letter Gothic",
                                            "Line Printer"}));
        const std::vector<std::string> faces = drvtest::ReadEntries(d, IDC_FS_FACES);
        ASSERT_EQ(faces.size(), 6u);
        EXPECT_EQ(faces[0], "Sans Serif\tKeep TrueType");
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_FS_FACES, "Serif\tKeep TrueType"));
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_FS_DEVICE_FONTS, "CG Times"));
        EXPECT_TRUE(drvtest::ChooseEntry(d, IDC_FS_FACES, 0));
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_FS_DEVICE_FONTS, "Univers"));
        // Back to the default: a face printed as TrueType is not a substitution.
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_FS_DEVICE_FONTS, "Keep TrueType"));
        EXPECT_TRUE(drvtest::ChooseEntry(d, IDC_FS_FACES, 1));
        EXPECT_EQ(drvtest::ReadSelectedEntry(d, IDC_FS_DEVICE_FONTS), "CG Times");
        EXPECT_EQ(Face(d, 1), "Serif\tCG Times");
        SavePicture(d, "font_substitution");
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPage();
    std::vector<FontSubstEntry> table = StoredTable();
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].face, "Serif");
    EXPECT_EQ(table[0].substitute, "CG Times");

    // A second visit shows what the first stored and keeps it when it stores its own change.
    person.OnDialog([&](HWND d) {
        EXPECT_EQ(Face(d, 1), "Serif\tCG Times");
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_FS_FACES, "Typewriter\tKeep TrueType"));
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_FS_DEVICE_FONTS, "Courier"));
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPage();
    table = StoredTable();
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].face, "Serif");
    EXPECT_EQ(table[1].face, "Typewriter");
    EXPECT_EQ(table[1].substitute, "Courier");

    // Restore brings the stored table back over this visit's choices; Cancel stores nothing.
    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_FS_FACES, "Serif\tCG Times"));
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_FS_DEVICE_FONTS, "Line Printer"));
        EXPECT_TRUE(drvtest::Click(d, IDC_FS_RESTORE));
        EXPECT_EQ(Face(d, 1), "Serif\tCG Times");
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_FS_FACES, "Book Serif\tKeep TrueType"));
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_FS_DEVICE_FONTS, "Line Printer"));
        EXPECT_TRUE(drvtest::PressCancel(d));
    });
    RunPage();
    EXPECT_EQ(StoredTable().size(), 2u);
    EXPECT_EQ(person.dialogsSeen(), 3);
}

TEST_F(FontPages, FontSetsFillTheSlotsAndTheirMemoryIsStored) {
    struct Seen {
        std::string slots;
        std::vector<std::string> installed, available;
        bool addEnabled = false, removeEnabled = false;
    } opened, full, cancelled;
    auto read = [](HWND d, Seen& s) {
        s.slots = drvtest::ReadText(d, IDC_OF_SLOTS);
        s.installed = drvtest::ReadEntries(d, IDC_OF_INSTALLED);
        s.available = drvtest::ReadEntries(d, IDC_OF_AVAILABLE);
        s.addEnabled = IsWindowEnabled(GetDlgItem(d, IDC_OF_ADD)) != FALSE;
        s.removeEnabled = IsWindowEnabled(GetDlgItem(d, IDC_OF_REMOVE)) != FALSE;
    };
    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::Click(d, IDC_FS_FONT_SETS));
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    person.OnDialog([&](HWND d) {
        read(d, opened);
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_OF_AVAILABLE, "OCR fonts"));
        EXPECT_TRUE(drvtest::Click(d, IDC_OF_ADD));
        EXPECT_TRUE(drvtest::Click(d, IDC_OF_ADD));
        read(d, full);
        SavePicture(d, "font_sets");
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPage();
    EXPECT_EQ(opened.slots, "The printer has room for 2 font sets.");
    EXPECT_TRUE(opened.installed.empty());
    EXPECT_EQ(opened.available, (std::vector<std::string>{"Bar code fonts", "OCR fonts"}));
    EXPECT_FALSE(opened.removeEnabled);
    EXPECT_TRUE(opened.addEnabled);
    EXPECT_EQ(full.installed, (std::vector<std::string>{"OCR fonts", "Bar code fonts"}));
    EXPECT_FALSE(full.addEnabled);  // as many sets as slots
    EXPECT_TRUE(full.removeEnabled);
    EXPECT_EQ(DeviceValue(devopt::kValueFontSet1), 2);
    EXPECT_EQ(DeviceValue(devopt::kValueFontSet2), 1);
    EXPECT_EQ(DeviceValue(devopt::kValueFontSet3), 0);
    EXPECT_EQ(DeviceValue(devopt::kValueFontMemory), 768);

    // Remove all, then Cancel in the set dialog: the stored sets stay.
    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::Click(d, IDC_FS_FONT_SETS));
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::Click(d, IDC_OF_REMOVE_ALL));
        read(d, cancelled);
        EXPECT_TRUE(drvtest::PressCancel(d));
    });
    RunPage();
    EXPECT_TRUE(cancelled.installed.empty());
    EXPECT_FALSE(cancelled.removeEnabled);
    EXPECT_EQ(DeviceValue(devopt::kValueFontSet1), 2);
    EXPECT_EQ(DeviceValue(devopt::kValueFontMemory), 768);
}

}  // namespace
