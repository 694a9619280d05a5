// The add and edit profile dialogs, opened by the bundled printer's page-setup buttons and driven
// by the scripted user: each refused name shows its message and stores nothing, a profile is
// stored (or saved over, or deleted) only as the user answered, and the settings name it.
#include "data/resources/drvopui_ids.h"
#include "drvtest/scripted_file_dialog.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "drvtest/window_picture.h"
#include "items/pdl/item_sets.h"
#include "profiles/summary/summary_page.h"
#include "profiles/dialogs/profile_dialogs.h"
#include "profiles/dialogs/profile_page.h"
#include "profiles/profile_layout.h"
#include "profiles/profiles_registration.h"
#include "tests/items/common/sheet_sets_fixture.h"
#include "ui/dialog_framework.h"
#include "ui/main_pages.h"
#include "ui/sheet_data.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

const bool g_registered = (RegisterDialogFramework(), RegisterProfiles(), true);

class ProfileDialogs : public SheetSets<> {
protected:
    void SetUp() override {
        ASSERT_TRUE(g_registered);
        Start({CreateItemSet0, CreateItemSetPageSetup});
        store = dynamic_cast<Profile*>(user->GetProfile());
        ASSERT_NE(store, nullptr);
        ASSERT_FALSE(store->Committed().empty());
        builtIn = store->Committed().front().name;
    }
    // The page-setup page with one of its profile buttons pressed, then OK.
    void RunPage(int button) {
        drvtest::ScriptedSheet sheet;
        sheet.OnSheet([&](drvtest::SheetDriver& driver) {
            EXPECT_TRUE(drvtest::Click(driver.Page(), button));
            EXPECT_TRUE(driver.PressOk());
        });
        ShowPage(IDD_PAGE_SETUP, CmProc::DialogProcFor<PageSetupProc>);
    }
    std::vector<std::string> Messages() { return person.messageTexts(); }
    const ProfileNode* Find(const char* name) {
        for (const ProfileNode& node : store->Committed())
            if (strcasecmp(node.name, name) == 0) return &node;
        return nullptr;
    }
    size_t UserCount() {
        return static_cast<size_t>(std::count_if(store->Committed().begin(), store->Committed().end(),
                                                 [](const ProfileNode& n) { return n.type == profile::kTypeUser; }));
    }
    std::string AppliedName() {
        char name[33] = {};
        ctx->svc->GetOption(ctx, ctx->svc->GetDevmode(ctx, 3), 101, name, 32);
        return name;
    }
    bool StoreUser(const char* name) {
        ProfileRecord record = store->ReadProfile(builtIn.c_str(), profile::kTypeBuiltIn);
        std::fill(record.begin() + profile::kRecordName, record.begin() + profile::kRecordName + 32, 0);
        std::copy(name, name + std::strlen(name), record.begin() + profile::kRecordName);
        record[profile::kRecordType] = profile::kTypeUser;
        return store->SaveProfile(record);
    }

    drvtest::ScriptedUser person;
    Profile* store = nullptr;
    std::string builtIn;
};

TEST_F(ProfileDialogs, AddRefusesBadNamesWithTheirMessagesThenStoresTheProfile) {
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::PressOk(dialog));  // no name
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PROFILE_NAME, "Home\\Office"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PROFILE_NAME, builtIn.c_str()));
        EXPECT_TRUE(drvtest::PressOk(dialog));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PROFILE_NAME, "Home office"));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PROFILE_COMMENT, "Two-sided drafts"));
        EXPECT_TRUE(drvtest::ChooseEntry(dialog, IDC_PROFILE_ICONS, 3));
        drvtest::SaveWindowPng(dialog, DRVOPUI_TEST_OUTPUT_DIR "/add-profile.png");
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    RunPage(IDC_ADD_PROFILE);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Enter a name for the profile.",
                                                    "A profile name cannot hold a backslash (\\).",
                                                    "A built-in profile has this name. Choose another name."}));
    const ProfileNode* added = Find("Home office");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->type, profile::kTypeUser);
    EXPECT_EQ(added->icon, 3);
    EXPECT_STREQ(added->comment, "Two-sided drafts");
    EXPECT_EQ(AppliedName(), "Home office");
    // Stored in the registry, where a new store finds it.
    EXPECT_FALSE(store->ReadProfile("Home office", profile::kTypeUser).empty());
}

TEST_F(ProfileDialogs, AddAsksBeforeSavingOverAProfileNamedAlikeAndKeepsItOnNo) {
    ASSERT_TRUE(StoreUser("Office"));
    const std::string before = Find("Office")->comment;
    for (int answer : {IDNO, IDYES}) {
        person.AnswerMessageBox(answer);
        person.OnDialog([&](HWND dialog) {
            EXPECT_TRUE(drvtest::Type(dialog, IDC_PROFILE_NAME, "OFFICE"));
            EXPECT_TRUE(drvtest::Type(dialog, IDC_PROFILE_COMMENT, "replaced"));
            EXPECT_TRUE(drvtest::PressOk(dialog));
        });
        RunPage(IDC_ADD_PROFILE);
        ASSERT_NE(Find("Office"), nullptr);
        EXPECT_EQ(Find("Office")->comment, answer == IDNO ? before : std::string("replaced")) << answer;
        EXPECT_EQ(UserCount(), 1u);
    }
    EXPECT_EQ(Messages(), (std::vector<std::string>(2, "Do you want to overwrite the profile?")));
}

TEST_F(ProfileDialogs, AddStoresTheFiftiethUserProfileAndRefusesTheNext) {
    for (int i = 0; i < 49; ++i) ASSERT_TRUE(StoreUser(("User " + std::to_string(i)).c_str()));
    for (const char* name : {"Fiftieth", "Fifty-first"}) {
        person.OnDialog([&](HWND dialog) {
            EXPECT_TRUE(drvtest::Type(dialog, IDC_PROFILE_NAME, name));
            EXPECT_TRUE(drvtest::PressOk(dialog));
        });
        RunPage(IDC_ADD_PROFILE);
    }
    EXPECT_NE(Find("Fiftieth"), nullptr);
    EXPECT_EQ(Find("Fifty-first"), nullptr);
    EXPECT_EQ(UserCount(), 50u);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"No more profiles can be added."}));
}

TEST_F(ProfileDialogs, EditRenamesDeletesAndRefusesWhatItMustOnlyCommittingAtOk) {
    ASSERT_TRUE(StoreUser("Drafts"));
    ASSERT_TRUE(StoreUser("Letters"));
    // The settings use "Letters": it cannot be deleted.
    char letters[32] = "Letters";
    ctx->svc->SetOption(ctx, user->GetSettingsSource(), 101, letters, 32);
    std::vector<std::string> shown;
    person.AnswerMessageBox(IDYES);  // delete Drafts
    person.OnDialog([&](HWND dialog) {
        shown = drvtest::ReadEntries(dialog, IDC_PROFILE_EDIT_LIST);
        EXPECT_EQ(drvtest::ReadSelectedEntry(dialog, IDC_PROFILE_EDIT_LIST), "Letters");
        EXPECT_TRUE(drvtest::Click(dialog, IDC_PROFILE_DELETE));  // in use: message 20
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PROFILE_NAME, "Drafts"));
        EXPECT_TRUE(drvtest::PressOk(dialog));  // the name is in the list: message 17
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PROFILE_NAME, "Letters 2"));
        EXPECT_TRUE(drvtest::ChooseEntryByText(dialog, IDC_PROFILE_EDIT_LIST, "Drafts"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_PROFILE_DELETE));
        drvtest::SaveWindowPng(dialog, DRVOPUI_TEST_OUTPUT_DIR "/edit-profiles.png");
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    RunPage(IDC_EDIT_PROFILE);
    EXPECT_NE(std::find(shown.begin(), shown.end(), builtIn), shown.end());
    EXPECT_EQ(Messages(), (std::vector<std::string>{"The profile the settings use cannot be deleted.",
                                                    "A profile of this name is already in the list.",
                                                    "Do you want to delete the profile?"}));
    EXPECT_EQ(Find("Drafts"), nullptr);
    EXPECT_NE(Find("Letters 2"), nullptr);
    EXPECT_EQ(AppliedName(), "Letters 2");
}

TEST_F(ProfileDialogs, EditExportsAndImportsAProfileFileRefusingANameInTheList) {
    ASSERT_TRUE(StoreUser("Drafts"));
    drvtest::ScriptedFileDialog files([](const drvtest::FileDialogSeen& seen) {
        EXPECT_EQ(seen.defaultExt, "pfl");
        if (seen.save) {
            EXPECT_EQ(seen.fileName, "Drafts");
        }
        return drvtest::FilePick::Name("drafts.pfl");
    });
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::ChooseEntryByText(dialog, IDC_PROFILE_EDIT_LIST, "Drafts"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_PROFILE_EXPORT));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_PROFILE_IMPORT));  // "Drafts" is in the list: message 17
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PROFILE_NAME, "Old drafts"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_PROFILE_IMPORT));
        EXPECT_EQ(drvtest::ReadSelectedEntry(dialog, IDC_PROFILE_EDIT_LIST), "Drafts");
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    RunPage(IDC_EDIT_PROFILE);
    EXPECT_EQ(files.Seen().size(), 3u);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"A profile of this name is already in the list."}));
    EXPECT_NE(Find("Drafts"), nullptr);
    EXPECT_NE(Find("Old drafts"), nullptr);
    EXPECT_EQ(UserCount(), 2u);
}

TEST_F(ProfileDialogs, EditMovesAProfileUpAndDownAndCommitsTheOrder) {
    ASSERT_TRUE(StoreUser("Drafts"));
    ASSERT_TRUE(StoreUser("Letters"));
    std::vector<std::string> after;
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::ChooseEntryByText(dialog, IDC_PROFILE_EDIT_LIST, "Letters"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_PROFILE_UP));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_PROFILE_UP));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_PROFILE_DOWN));
        after = drvtest::ReadEntries(dialog, IDC_PROFILE_EDIT_LIST);
        EXPECT_EQ(drvtest::ReadSelectedEntry(dialog, IDC_PROFILE_EDIT_LIST), "Letters");
        drvtest::SaveWindowPng(dialog, DRVOPUI_TEST_OUTPUT_DIR "/edit-profiles-moved.png");
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    RunPage(IDC_EDIT_PROFILE);
    ASSERT_GE(after.size(), 3u);
    EXPECT_EQ(after[after.size() - 2], "Letters");
    EXPECT_EQ(after.back(), "Drafts");
    std::vector<std::string> committed;
    for (const ProfileNode& node : store->Committed()) committed.emplace_back(node.name);
    EXPECT_EQ(committed, after);
}

TEST_F(ProfileDialogs, EditCancelledKeepsEveryProfile) {
    ASSERT_TRUE(StoreUser("Drafts"));
    person.AnswerMessageBox(IDYES);
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::ChooseEntryByText(dialog, IDC_PROFILE_EDIT_LIST, "Drafts"));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_PROFILE_DELETE));
        EXPECT_TRUE(drvtest::PressCancel(dialog));
    });
    RunPage(IDC_EDIT_PROFILE);
    EXPECT_NE(Find("Drafts"), nullptr);
    EXPECT_FALSE(store->ReadProfile("Drafts", profile::kTypeUser).empty());
}

}  // namespace

namespace {

// The profile page of the printer's properties with its attributes dialog.
class ProfilePage : public ProfileDialogs {
protected:
    void RunProfilePage(std::function<void(drvtest::SheetDriver&)> script) {
        drvtest::ScriptedSheet sheet;
        sheet.OnSheet(std::move(script));
        ShowPage(IDD_PROFILE_PAGE, CmProc::DialogProcFor<PriProfileProc>, "Printer properties");
    }
    std::string PrinterString(const char* name) {
        char text[64] = {};
        ctx->svc->ReadPrinterString(ctx, name, text, sizeof text, "");
        return text;
    }
};

TEST_F(ProfilePage, ApplyNamesTheSelectedProfileAndItsKind) {
    ASSERT_TRUE(StoreUser("Drafts"));
    for (const char* pick : {"Drafts", builtIn.c_str()}) {
        RunProfilePage([&](drvtest::SheetDriver& driver) {
            EXPECT_TRUE(drvtest::ChooseEntryByText(driver.Page(), IDC_PROFILE_LIST, pick));
            drvtest::SaveWindowPng(driver.Sheet(), DRVOPUI_TEST_OUTPUT_DIR "/profile-page.png");
            EXPECT_TRUE(driver.PressOk());
        });
        EXPECT_EQ(PrinterString("PPCurPName"), pick);
        EXPECT_EQ(ctx->svc->GetPrinterDword(ctx, "PPCurPFlg", 0), pick == builtIn ? 1u : 2u) << pick;
    }
}

TEST_F(ProfilePage, AttributesRenameAUserProfileAndRefuseABuiltInName) {
    ASSERT_TRUE(StoreUser("Drafts"));
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PROFILE_NAME, builtIn.c_str()));
        EXPECT_TRUE(drvtest::PressOk(dialog));  // a built-in profile's name: message 14
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PROFILE_NAME, ""));
        EXPECT_TRUE(drvtest::PressOk(dialog));  // message 10
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PROFILE_NAME, "Final drafts"));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PROFILE_COMMENT, "For the printer room"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    person.AnswerMessageBox(IDYES);
    RunProfilePage([&](drvtest::SheetDriver& driver) {
        EXPECT_TRUE(drvtest::ChooseEntryByText(driver.Page(), IDC_PROFILE_LIST, "Drafts"));
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_PROFILE_ATTRIBUTES));
        EXPECT_EQ(drvtest::ReadSelectedEntry(driver.Page(), IDC_PROFILE_LIST), "Final drafts");
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_PROFILE_PAGE_DELETE));  // message 16, Yes
        EXPECT_TRUE(driver.PressCancel());
    });
    EXPECT_EQ(Messages(), (std::vector<std::string>{"A built-in profile has this name. Choose another name.",
                                                    "Enter a name for the profile.", "Do you want to delete the profile?"}));
    EXPECT_EQ(Find("Drafts"), nullptr);
    EXPECT_EQ(Find("Final drafts"), nullptr);  // renamed, then deleted
}

TEST_F(ProfilePage, ViewSettingsSummarisesTheSelectedProfileNotTheCurrentSettings) {
    std::string orientation;
    drvtest::ScriptedSheet sheet;
    sheet.OnSheet([&](drvtest::SheetDriver& driver) {
        EXPECT_TRUE(drvtest::ChooseEntryByText(driver.Page(), IDC_PROFILE_LIST, "Landscape"));
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_PROFILE_SUMMARY));
        EXPECT_TRUE(driver.PressCancel());
    });
    sheet.OnSheet([&](drvtest::SheetDriver& driver) {
        HWND list = GetDlgItem(driver.Page(), IDC_SUMMARY_LIST);
        const std::vector<std::string> labels = drvtest::ReadEntries(driver.Page(), IDC_SUMMARY_LIST);
        for (size_t i = 0; i < labels.size(); ++i)
            if (labels[i] == "Orientation") orientation = drvtest::ReadCell(list, int(i), 1);
        EXPECT_TRUE(driver.PressOk());
    });
    ShowPage(IDD_PROFILE_PAGE, CmProc::DialogProcFor<PriProfileProc>, "Printer properties");
    EXPECT_EQ(sheet.sheetsSeen(), 2);
    EXPECT_EQ(orientation, "Landscape");
    // The sheet's own settings are as they were.
    char name[33] = {};
    ctx->svc->GetOption(ctx, user->GetSettingsSource(), 101, name, 32);
    EXPECT_STRNE(name, "Landscape");
    EXPECT_EQ(user->GetDialogBlocks().settings, nullptr);
}

TEST_F(ProfilePage, ImportSavesOverAUserProfileOnlyWhenToldAndRefusesABuiltInName) {
    ASSERT_TRUE(StoreUser("Drafts"));
    std::vector<std::string> picks = {"drafts.pfl", "drafts.pfl", "drafts.pfl", "builtin.pfl", "builtin.pfl"};
    drvtest::ScriptedFileDialog files([&](const drvtest::FileDialogSeen&) {
        const std::string pick = picks.front();
        picks.erase(picks.begin());
        return drvtest::FilePick::Name(pick);
    });
    person.AnswerMessageBox(IDNO);
    person.AnswerMessageBox(IDYES);
    RunProfilePage([&](drvtest::SheetDriver& driver) {
        EXPECT_TRUE(drvtest::ChooseEntryByText(driver.Page(), IDC_PROFILE_LIST, "Drafts"));
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_PROFILE_PAGE_EXPORT));
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_PROFILE_PAGE_IMPORT));  // 13, No
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_PROFILE_PAGE_IMPORT));  // 13, Yes
        EXPECT_TRUE(drvtest::ChooseEntryByText(driver.Page(), IDC_PROFILE_LIST, builtIn.c_str()));
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_PROFILE_PAGE_EXPORT));
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_PROFILE_PAGE_IMPORT));  // 14
        drvtest::SaveWindowPng(driver.Sheet(), DRVOPUI_TEST_OUTPUT_DIR "/profile-page-import.png");
        EXPECT_TRUE(driver.PressCancel());
    });
    EXPECT_TRUE(picks.empty());
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Do you want to overwrite the profile?", "Do you want to overwrite the profile?",
                                                    "A built-in profile has this name. Choose another name."}));
    EXPECT_NE(Find("Drafts"), nullptr);
    EXPECT_EQ(UserCount(), 1u);
}

TEST_F(ProfilePage, ARenamedProfileIsStoredUnderItsNewNameBeforeTheOldGoes) {
    ASSERT_TRUE(StoreUser("Drafts"));
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::Type(dialog, IDC_PROFILE_NAME, "Final drafts"));
        EXPECT_TRUE(drvtest::ChooseEntry(dialog, IDC_PROFILE_ICONS, 7));
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    RunProfilePage([&](drvtest::SheetDriver& driver) {
        EXPECT_TRUE(drvtest::ChooseEntryByText(driver.Page(), IDC_PROFILE_LIST, "Drafts"));
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_PROFILE_ATTRIBUTES));
        EXPECT_TRUE(driver.PressCancel());
    });
    ASSERT_NE(Find("Final drafts"), nullptr);
    EXPECT_EQ(Find("Final drafts")->icon, 7);
    EXPECT_EQ(Find("Drafts"), nullptr);
    EXPECT_FALSE(store->ReadProfile("Final drafts", profile::kTypeUser).empty());
    EXPECT_TRUE(store->ReadProfile("Drafts", profile::kTypeUser).empty());
}

}  // namespace
