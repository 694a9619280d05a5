// The feature dialogs opened from the bundled printer's device settings page by their buttons and
// driven by the scripted user through OK and Cancel; what they keep is read back from the
// request's device mode and device options after the page's OK. The font dialogs among them: the
// device fonts the printer reports, the substitutes stored in the printer's table across visits,
// and the installed font sets with their memory.
#include "core/datafile/font_subst_table.h"
#include "core/devmode/device_option_block.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/model_section.h"
#include "data/resources/drvopui_ids.h"
#include "device/config/configuration.h"
#include "drvtest/addins.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "drvtest/window_picture.h"
#include "features/feature_pages.h"
#include "features/font_pages.h"
#include "features/insertion_table.h"
#include "features/job_dialogs.h"
#include "items/pdl/item_set_registry.h"
#include "items/pdl/quality_item_sets.h"
#include "preview/page_previews.h"
#include "tests/items/common/sheet_sets_fixture.h"
#include "ui/dialog_framework.h"
#include "ui/main_pages.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>

namespace {

namespace model = devmode::model;

// As the shared library does when it loads: the device's messages, the pictures the device dialog
// shows and the dialogs.
const bool g_registered = (RegisterDialogFramework(), RegisterDeviceConfiguration(), RegisterPagePreviews(),
                            RegisterFeaturePages(), RegisterJobDialogs(), RegisterFontDialogs(), true);

void SavePicture(HWND dialog, const std::string& name) {
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(drvtest::SaveWindowPng(dialog, std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/" + name + ".png")) << name;
}

// A dialog script: the dialog's picture, then OK.
std::function<void(HWND)> SaveAndOk(const char* name) {
    return [name](HWND d) {
        SavePicture(d, name);
        EXPECT_TRUE(drvtest::PressOk(d));
    };
}

template <typename T>
T RequestOption(UIDEVDATA* ctx, DWORD option) {
    T value{};
    ctx->svc->GetOption(ctx, ctx->svc->GetDevmode(ctx, 3), option, &value, sizeof value);
    return value;
}

MutableByteView SectionOf(uint8_t* dm) {
    int16_t offset = 0;
    std::memcpy(&offset, dm + devmode::kOffModelSection, 2);
    return MutableByteView(dm + offset, devmode::kModelSectionSize);
}

class FeaturePages : public SheetSets<> {
protected:
    void SetUp() override {
        ASSERT_TRUE(g_registered);
        // Other tests of this program take the main pages' dialogs and the pictures away again.
        ASSERT_TRUE(RegisterMainPageDialogs());
        RegisterPagePreviews();
        Start({CreateItemSet0, CreateItemSet5});
    }
    // The device settings page with one feature button pressed, then OK (or Cancel).
    void RunPage(int button, bool ok = true) {
        drvtest::ScriptedSheet sheet;
        sheet.OnSheet([&](drvtest::SheetDriver& driver) {
            EXPECT_TRUE(drvtest::Click(driver.Page(), button));
            EXPECT_TRUE(ok ? driver.PressOk() : driver.PressCancel());
        });
        ShowPage(IDD_DEVICE_SETTINGS, CmProc::DialogProcFor<DeviceSettingsProc>);
        EXPECT_EQ(sheet.sheetsSeen(), 1);
    }
    MutableByteView Sheet() { return SectionOf(user->GetSettingsSource()); }
    MutableByteView Request() { return SectionOf(ctx->svc->GetDevmode(ctx, 3)); }
    InsertionTable RequestTable() { return InsertionTable(Request(), 4); }
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

    uint16_t RequestWord(size_t at) {
        uint16_t word = 0;
        Request().u16(at, word);
        return word;
    }

    drvtest::ScriptedUser person;
};

TEST_F(FeaturePages, InsertedSheetPagesAreAddedByKindAndAFullTableKeepsThem) {
    person.OnDialog([&](HWND d) {
        EXPECT_EQ(drvtest::ReadEntries(d, IDC_IS_KIND),
                  (std::vector<std::string>{"Inserted sheets", "Chapter pages", "Tab paper"}));
        EXPECT_TRUE(drvtest::Type(d, IDC_IS_TEXT, "3, 5-6"));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_IS_ADD)));
        EXPECT_TRUE(drvtest::Type(d, IDC_IS_TEXT, "1,,2"));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_IS_ADD)));
        EXPECT_TRUE(drvtest::Type(d, IDC_IS_TEXT, "6,1, 3,5"));  // page 1 is no inserted sheet
        EXPECT_TRUE(drvtest::Click(d, IDC_IS_ADD));
        EXPECT_EQ(drvtest::ReadText(d, IDC_IS_TEXT), "");
        EXPECT_EQ(drvtest::ReadEntries(d, IDC_IS_PAGES), (std::vector<std::string>{"1", "2", "3"}));  // row numbers
        EXPECT_TRUE(drvtest::ChooseEntry(d, IDC_IS_KIND, 2));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_IS_DELETE)));
        EXPECT_TRUE(drvtest::Type(d, IDC_IS_TEXT, "1-2"));
        EXPECT_TRUE(drvtest::Click(d, IDC_IS_ADD));
        EXPECT_TRUE(drvtest::ChooseEntry(d, IDC_IS_KIND, 0));
        // Two more pages do not fit the model's four words: nothing is taken, the text stays.
        EXPECT_TRUE(drvtest::Type(d, IDC_IS_TEXT, "8-9"));
        EXPECT_TRUE(drvtest::Click(d, IDC_IS_ADD));
        EXPECT_EQ(drvtest::ReadText(d, IDC_IS_TEXT), "8-9");
        SavePicture(d, "inserting_sheet");
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPage(IDC_OPEN_INSERTING_SHEET);
    EXPECT_EQ(person.dialogsSeen(), 1);
    EXPECT_EQ(RequestTable().Pages(0), (std::vector<uint16_t>{3, 5, 6, 0}));
    EXPECT_EQ(RequestTable().Count(0), 3);
    EXPECT_EQ(RequestTable().Pages(2), (std::vector<uint16_t>{1, 2, 0, 0}));
    EXPECT_EQ(RequestTable().Pages(1), (std::vector<uint16_t>{0, 0, 0, 0}));

    // Cancel keeps the table as the first visit left it.
    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::Type(d, IDC_IS_TEXT, "7"));
        EXPECT_TRUE(drvtest::Click(d, IDC_IS_ADD));
        EXPECT_TRUE(drvtest::PressCancel(d));
    });
    RunPage(IDC_OPEN_INSERTING_SHEET);
    EXPECT_EQ(RequestTable().Pages(0), (std::vector<uint16_t>{3, 5, 6, 0}));
}

TEST_F(FeaturePages, NumbersAreRefusedWithTheirMessageAndFocus) {
    Sheet().put_u16(model::kOptionFlags, 0x10);  // the settings ask for a tab shift
    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::Type(d, IDC_FA_HORIZONTAL, "-1.5"));
        EXPECT_TRUE(drvtest::Type(d, IDC_FA_VERTICAL, "1.2.3"));
        EXPECT_TRUE(drvtest::Type(d, IDC_FA_DEPTH, "0"));
        EXPECT_TRUE(drvtest::PressOk(d));
        EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_FA_VERTICAL));
        SavePicture(d, "finishing_adjust");
        EXPECT_TRUE(drvtest::Type(d, IDC_FA_VERTICAL, "2"));
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPage(IDC_OPEN_FINISHING_ADJUST);
    EXPECT_EQ(person.messageTexts(), std::vector<std::string>{"The value is not valid."});

    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::PressOk(d));  // empty, and a value is asked for
        EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_TP_SHIFT));
        EXPECT_TRUE(drvtest::Type(d, IDC_TP_SHIFT, "255"));
        EXPECT_TRUE(drvtest::PressOk(d));
        SavePicture(d, "tab_position");
        EXPECT_TRUE(drvtest::Type(d, IDC_TP_SHIFT, "25.4"));
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPage(IDC_OPEN_TAB_POSITION);
    EXPECT_EQ(person.dialogsSeen(), 2);
    EXPECT_EQ(person.messageBoxes().size(), 3u);
}

TEST_F(FeaturePages, TheJobOwnerNameIsKeptInItsFieldAndCancelKeepsTheOldOne) {
    const std::string typed(40, 'n');
    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::Click(d, IDC_JO_OWN));
        EXPECT_TRUE(drvtest::Type(d, IDC_JO_NAME, typed.c_str()));
        SavePicture(d, "job_owner");
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPage(IDC_OPEN_JOB_OWNER);
    auto owner = [&](uint16_t& source, std::string& name) {
        const uint8_t* block = ctx->svc->GetDeviceOption(ctx);
        int16_t offset = 0;
        std::memcpy(&offset, block + devopt::kOffDataOffset, 2);
        std::memcpy(&source, block + offset + devopt::kOwnerNameSource, 2);
        char field[34] = {};
        std::memcpy(field, block + offset + devopt::kOwnerName, 33);
        name = field;
    };
    uint16_t source = 0;
    std::string name;
    owner(source, name);
    EXPECT_EQ(source, 2);
    EXPECT_EQ(name, std::string(32, 'n'));

    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::Click(d, IDC_JO_LOGON));
        EXPECT_TRUE(drvtest::Type(d, IDC_JO_NAME, "other"));
        EXPECT_TRUE(drvtest::PressCancel(d));
    });
    RunPage(IDC_OPEN_JOB_OWNER);
    owner(source, name);
    EXPECT_EQ(source, 2);
    EXPECT_EQ(name, std::string(32, 'n'));
}

TEST_F(FeaturePages, AMediaTheSettingsCannotTakeIsRefusedAndAnotherIsStored) {
    const uint16_t punch = 0x20;
    ctx->svc->SetOption(ctx, user->GetSettingsSource(), 190, &punch, sizeof punch);
    person.OnDialog([&](HWND d) {
        EXPECT_EQ(drvtest::ReadEntries(d, IDC_ML_MEDIA),
                  (std::vector<std::string>{"Plain", "Thick", "Recycled", "Letterhead", "Labels"}));
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_ML_MEDIA, "Labels"));
        EXPECT_TRUE(drvtest::PressOk(d));
        SavePicture(d, "media_library");
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_ML_MEDIA, "Recycled"));
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPage(IDC_OPEN_MEDIA);
    EXPECT_EQ(person.dialogsSeen(), 1);
    EXPECT_EQ(person.messageTexts(), std::vector<std::string>{"This media cannot be used with the current settings."});
    EXPECT_EQ(RequestWord(model::kMediaPairs), 9);      // the media id
    EXPECT_EQ(RequestWord(model::kMediaPairs + 2), 9);  // its type
}

TEST_F(FeaturePages, ACoverTakesItsMediaFromTheMediaDialog) {
    Sheet().put_u16(model::kCoverFlags, 0x1 | 0x10);  // a front cover whose media is unknown
    person.OnDialog([&](HWND d) {
        EXPECT_EQ(drvtest::ReadText(d, IDC_CV_FRONT_MEDIA_TEXT), "Media: Unknown media");
        EXPECT_EQ(drvtest::ReadText(d, IDC_CV_FRONT_SOURCE), "Front cover:");
        EXPECT_EQ(drvtest::ReadText(d, IDC_CV_BACK_SOURCE), "Back cover: as the front cover");
        EXPECT_TRUE(drvtest::Click(d, IDC_CV_FRONT_MEDIA));
        EXPECT_EQ(drvtest::ReadText(d, IDC_CV_FRONT_MEDIA_TEXT), "Media: Thick");
        SavePicture(d, "covers");
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_ML_MEDIA, "Thick"));
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPage(IDC_OPEN_COVERS);
    EXPECT_EQ(person.dialogsSeen(), 2);
    EXPECT_EQ(RequestWord(model::kMediaPairs + 4 * kMediaTargetFrontCover), 3);
    EXPECT_EQ(RequestWord(model::kCoverFlags), 0x1);  // the cover's media is known now
}

TEST_F(FeaturePages, AGraphicsChangeIsMarkedAndTheSmallDialogsOpenAndClose) {
    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::Click(d, IDC_GO_SMOOTHING));
        SavePicture(d, "graphics_options");
        EXPECT_TRUE(drvtest::Click(d, IDC_GO_MORE));
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    person.OnDialog(SaveAndOk("graphics_misc"));
    RunPage(IDC_OPEN_GRAPHICS);
    EXPECT_EQ(RequestOption<uint16_t>(ctx, 221) & 0x80, 0x80);

    for (auto [button, picture] : {std::pair{IDC_OPEN_PAPER_TYPE, "paper_type"},
                                   std::pair{IDC_OPEN_DEVICE_PREVIEW, "device_preview"}}) {
        person.OnDialog(SaveAndOk(picture));
        RunPage(button);
    }
    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::Click(d, IDC_TP_DETAILS));
        EXPECT_TRUE(drvtest::PressCancel(d));
    });
    person.OnDialog(SaveAndOk("tab_paper_details"));
    RunPage(IDC_OPEN_TAB_POSITION);
    EXPECT_EQ(person.dialogsSeen(), 6);
}

TEST_F(FeaturePages, TheCoverWarningIsSilencedForTheJobByItsCheckBox) {
    person.OnDialog([&](HWND d) {
        // Cover kind 1, not spooled on the host.
        EXPECT_EQ(drvtest::ReadText(d, IDC_BCW_TEXT), "The covers are printed from the cover tray.");
        EXPECT_TRUE(drvtest::SetCheck(d, IDC_BCW_CHECK, BST_CHECKED));
        SavePicture(d, "book_cover_warning");
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPage(IDC_OPEN_BOOK_COVER_WARNING);
    EXPECT_EQ(RequestWord(model::kOptionFlags) & 0x8, 0x8);

    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::SetCheck(d, IDC_BCW_CHECK, BST_UNCHECKED));
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPage(IDC_OPEN_BOOK_COVER_WARNING);
    EXPECT_EQ(RequestWord(model::kOptionFlags) & 0x8, 0);
    EXPECT_EQ(person.dialogsSeen(), 2);
}

TEST_F(FeaturePages, WithoutTheRequestLibraryTheDocumentListIsEmptyAndOkCloses) {
    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::ReadEntries(d, IDC_BROWSE_LIST).empty());
        SavePicture(d, "browse_file");
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPage(IDC_OPEN_BROWSE_FILE);
    EXPECT_EQ(person.dialogsSeen(), 1);
    EXPECT_EQ(person.messageTexts(), std::vector<std::string>{"The file could not be imported."});  // the request's one message
}

TEST(StoredDocuments, NamedEntriesAreReadInsideTheirFields) {
    std::vector<uint8_t> entries(132 * 100, 0);
    auto put = [&](size_t i, uint32_t number, const std::string& name) {
        std::memcpy(&entries[i * 132], &number, 4);
        std::memcpy(&entries[i * 132 + 4], name.data(), std::min<size_t>(name.size(), 64));
    };
    put(0, 7, "Report");
    put(1, 8, "");                    // an unused entry
    put(2, 9, std::string(80, 'x'));  // a name that fills its field with no end
    put(99, 12, "Last");
    const std::vector<StoredDocument> docs = ReadStoredDocuments(entries.data(), entries.size());
    ASSERT_EQ(docs.size(), 3u);
    EXPECT_EQ(docs[0].number, 7u);
    EXPECT_EQ(docs[0].name, "Report");
    EXPECT_EQ(docs[1].name, std::string(64, 'x'));
    EXPECT_EQ(docs[2].name, "Last");
    EXPECT_EQ(ReadStoredDocuments(entries.data(), 132 * 2 + 100).size(), 1u);  // a short reply
}

TEST_F(FeaturePages, TheMailBoxChoicesAreTheJobsAfterOkOnly) {
    person.OnDialog([&](HWND d) {
        // Boxes 1 to 4 of the data file.
        EXPECT_EQ(drvtest::ReadEntries(d, IDC_MB_BOXES), (std::vector<std::string>{"0", "1", "2", "3"}));
        EXPECT_TRUE(drvtest::Click(d, IDC_MB_TO_DEVICE));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_MB_NAME)));
        EXPECT_TRUE(drvtest::Click(d, IDC_MB_TO_BOXES));
        EXPECT_TRUE(drvtest::Type(d, IDC_MB_NAME, "Quarterly report of the year"));  // 24 characters taken
        EXPECT_TRUE(drvtest::Click(d, IDC_MB_LIST_CHOSEN));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_MB_BOXES)));
        EXPECT_TRUE(drvtest::ChooseEntry(d, IDC_MB_BOXES, 2));
        SavePicture(d, "mail_box");
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPage(IDC_OPEN_MAIL_BOX);
    EXPECT_EQ(person.dialogsSeen(), 1);
    const uint8_t* job = user->GetMailBoxJob();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(job)), "Quarterly report of the ");
    EXPECT_EQ(job[34], 0);   // destination
    EXPECT_EQ(job[35], 2);   // the chosen box
    EXPECT_EQ(job[135], 1);  // one box
    EXPECT_EQ(job[137], 0);  // the chosen boxes, not every box

    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::Click(d, IDC_MB_LIST_ALL));
        EXPECT_TRUE(drvtest::Type(d, IDC_MB_NAME, "Never"));
        EXPECT_TRUE(drvtest::PressCancel(d));
    });
    RunPage(IDC_OPEN_MAIL_BOX);
    EXPECT_EQ(job[137], 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(job)), "Quarterly report of the ");
}

TEST_F(FeaturePages, WithoutAddInsTheInformationIsEmpty) {
    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::ReadEntries(d, IDC_AI_LIST).empty());
        EXPECT_EQ(drvtest::ReadText(d, IDC_AI_NAME), "");  // no record, no texts
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPage(IDC_OPEN_ADDIN_INFO);
    EXPECT_EQ(person.dialogsSeen(), 1);
}

TEST_F(FeaturePages, TheAddInInformationShowsTheInstalledSample) {
    // Before the request first asks for its add-ins, which it loads once.
    ASSERT_TRUE(drvtest::InstallSampleAddIn(drvtest::kBundledPcl5ePrinter));
    person.OnDialog([&](HWND d) {
        EXPECT_EQ(drvtest::ReadEntries(d, IDC_AI_LIST).size(), 1u);
        EXPECT_EQ(drvtest::ReadText(d, IDC_AI_STATE), "Loaded");
        EXPECT_EQ(drvtest::ReadText(d, IDC_AI_FILE), "SAMPLEUI.DLL");
        EXPECT_EQ(drvtest::ReadText(d, IDC_AI_CLASS), drvtest::kSampleAddInClass);
        SavePicture(d, "addin_info");
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPage(IDC_OPEN_ADDIN_INFO);
    EXPECT_EQ(person.dialogsSeen(), 1);
}

TEST_F(FeaturePages, ThePaperSourcesAreListedAndOkChangesNothingUnchanged) {
    const DWORD size = ctx->svc->GetDeviceOptionSize(ctx);
    const std::vector<uint8_t> before(ctx->svc->GetDeviceOption(ctx), ctx->svc->GetDeviceOption(ctx) + size);
    std::vector<std::string> rows;
    person.OnDialog([&](HWND d) {
        rows = drvtest::ReadEntries(d, IDC_PS_LIST);
        SavePicture(d, "paper_sources");
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPage(IDC_PAPER_SOURCE_SETTINGS);
    EXPECT_EQ(rows.size(), PaperSourceSetProc::ReadSources(ctx).size());
    EXPECT_FALSE(rows.empty());
    const uint8_t* after = ctx->svc->GetDeviceOption(ctx);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), after));
}

TEST_F(FeaturePages, SubstitutesOfEveryVisitAreStoredAndTheDefaultIsNot) {
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
    RunPage(IDC_FONT_SETTINGS);
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
    RunPage(IDC_FONT_SETTINGS);
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
    RunPage(IDC_FONT_SETTINGS);
    EXPECT_EQ(StoredTable().size(), 2u);
    EXPECT_EQ(person.dialogsSeen(), 3);
}

TEST_F(FeaturePages, FontSetsFillTheSlotsAndTheirMemoryIsStored) {
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
    RunPage(IDC_FONT_SETTINGS);
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
    RunPage(IDC_FONT_SETTINGS);
    EXPECT_TRUE(cancelled.installed.empty());
    EXPECT_FALSE(cancelled.removeEnabled);
    EXPECT_EQ(DeviceValue(devopt::kValueFontSet1), 2);
    EXPECT_EQ(DeviceValue(devopt::kValueFontMemory), 768);
}

// The format dialog opens from the layout options, which open from the page-setup page.
class FormatDialog : public SheetSets<> {
protected:
    void SetUp() override {
        ASSERT_TRUE(g_registered);
        ASSERT_TRUE(RegisterMainPageDialogs());
        Start({CreateItemSet0, CreateItemSetPageSetup, CreateItemSet21});
    }
    drvtest::ScriptedUser person;
};

TEST_F(FormatDialog, TheFormatOfThePrintedTextsGoesToItsFontBlockAndColour) {
    uint8_t block[48] = {};
    block[13] = 'x';  // a face this screen does not have
    ctx->svc->SetOption(ctx, user->GetSettingsSource(), 0x30025, block, sizeof block);
    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::Click(d, IDC_FORMAT_SETTINGS));
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    person.OnDialog([&](HWND d) {
        EXPECT_EQ(drvtest::ReadEntries(d, IDC_FMT_FACE).size(), 6u);  // the screen's outline families
        EXPECT_EQ(drvtest::ReadSelectedEntry(d, IDC_FMT_FACE), "Sans Serif");
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_FMT_FACE, "Book Serif"));
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_FMT_STYLE, "Bold italic"));
        EXPECT_TRUE(drvtest::Type(d, IDC_FMT_SIZE, "144"));  // two digits taken
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_FMT_COLOUR, "Red"));
        int low = 0, high = 0;
        SendDlgItemMessageA(d, IDC_FMT_SIZE_SPIN, UDM_GETRANGE32, WPARAM(&low), LPARAM(&high));
        EXPECT_EQ(std::make_pair(low, high), std::make_pair(1, 72));
        SavePicture(d, "format_settings");
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    drvtest::ScriptedSheet sheet;
    sheet.OnSheet([&](drvtest::SheetDriver& driver) {
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_PAGE_OPTIONS));
        EXPECT_TRUE(driver.PressOk());
    });
    ShowPage(IDD_PAGE_SETUP, CmProc::DialogProcFor<PageSetupProc>);
    EXPECT_EQ(person.dialogsSeen(), 2);
    const auto stored = RequestOption<std::array<uint8_t, 48>>(ctx, 0x30025);
    const ByteView font(stored.data(), stored.size());
    int32_t size = 0;
    uint32_t weight = 0;
    EXPECT_TRUE(font.s32(0, size) && font.u32(8, weight));
    EXPECT_EQ(size, 14);
    EXPECT_EQ(weight, 700u);
    EXPECT_EQ(stored[12], 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stored.data() + 13)), "Book Serif");
    EXPECT_EQ(RequestOption<uint32_t>(ctx, 0x30024), RGB(255, 0, 0));
}

}  // namespace
