// Dialogs from a compiled resource script: the messages the dialog procedure sees and their
// order, controls holding state with the Win32 contracts, a scripted user changing them and
// pressing OK, Cancel when nobody acts, child dialogs and keyboard navigation, bad templates.
#include <windows.h>

#include "drvtest/scripted_user.h"
#include "platform/resources/res_file.h"
#include "platform/user/dialog_template.h"
#include "test_dialog_ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* kResFile = DRVOPUI_BINARY_DIR "/tests/platform/user/test_dialogs.res";

struct Profile {
    const char* name;
    UINT height;
};
Profile g_profiles[] = {{"Standard", 20}, {"Draft", 24}};

struct Result {
    std::vector<std::string> log;
    UINT portrait = 0, landscape = 0, collate = 0, duplex = 0;
    UINT copies = 0;
    BOOL copiesTranslated = FALSE;
    std::string paper;
    Profile* profile = nullptr;
    int tray = -1;
};

std::string command(WPARAM wParam) {
    return "command " + std::to_string(LOWORD(wParam)) + " " + std::to_string(HIWORD(wParam));
}

Result* g_result = nullptr;  // messages before WM_INITDIALOG cannot reach the dialog's parameter

INT_PTR CALLBACK SettingsProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    Result* r = g_result;
    if (!r) return FALSE;
    switch (msg) {
    case WM_SETFONT:
        r->log.push_back("setfont");
        return FALSE;
    case WM_MEASUREITEM: {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        r->log.push_back("measure " + std::to_string(mi->CtlID) + " " + std::to_string(static_cast<int>(mi->itemID)));
        if (mi->CtlID == IDC_PROFILE && mi->itemID != static_cast<UINT>(-1))
            mi->itemHeight = reinterpret_cast<Profile*>(mi->itemData)->height;
        else
            mi->itemHeight = 18;
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        r->log.push_back("draw " + std::to_string(di->CtlID));
        return TRUE;
    }
    case WM_INITDIALOG: {
        r->log.push_back("init");
        for (const char* paper : {"Letter", "Legal", "A4", "A5"})
            SendDlgItemMessageA(dialog, IDC_PAPER, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(paper));
        SendDlgItemMessageA(dialog, IDC_PAPER, CB_SETCURSEL, 0, 0);
        for (Profile& p : g_profiles)
            SendDlgItemMessageA(dialog, IDC_PROFILE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(&p));
        for (const char* tray : {"Auto", "Tray 1", "Tray 2"})
            SendDlgItemMessageA(dialog, IDC_TRAYS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(tray));
        CheckRadioButton(dialog, IDC_PORTRAIT, IDC_ROTATED, IDC_PORTRAIT);
        SetDlgItemInt(dialog, IDC_COPIES, 1, FALSE);
        SendDlgItemMessageA(dialog, IDC_COPIES, EM_LIMITTEXT, 2, 0);
        return TRUE;
    }
    case WM_COMMAND:
        r->log.push_back(command(wParam));
        if (LOWORD(wParam) == IDOK) {
            r->portrait = IsDlgButtonChecked(dialog, IDC_PORTRAIT);
            r->landscape = IsDlgButtonChecked(dialog, IDC_LANDSCAPE);
            r->collate = IsDlgButtonChecked(dialog, IDC_COLLATE);
            r->duplex = IsDlgButtonChecked(dialog, IDC_DUPLEX);
            r->copies = GetDlgItemInt(dialog, IDC_COPIES, &r->copiesTranslated, FALSE);
            char text[32];
            GetDlgItemTextA(dialog, IDC_PAPER, text, sizeof text);
            r->paper = text;
            auto index = SendDlgItemMessageA(dialog, IDC_PROFILE, CB_GETCURSEL, 0, 0);
            r->profile = reinterpret_cast<Profile*>(SendDlgItemMessageA(dialog, IDC_PROFILE, CB_GETITEMDATA, index, 0));
            r->tray = static_cast<int>(SendDlgItemMessageA(dialog, IDC_TRAYS, LB_GETCURSEL, 0, 0));
        }
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    case WM_DESTROY:
        r->log.push_back("destroy");
        return FALSE;
    default:
        return FALSE;
    }
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        g_result = &result;
        module = res::OpenResourceFile(kResFile);
        ASSERT_NE(module, nullptr) << kResFile;
        owner = CreateWindowExA(0, "Static", "owner", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                                nullptr, nullptr);
    }
    void TearDown() override {
        g_result = nullptr;
        DestroyWindow(owner);
        res::CloseResourceFile(module);
    }
    HMODULE module = nullptr;
    HWND owner = nullptr;
    Result result;
};

TEST_F(Dialogs, ScriptedUserChangesControlsAndPressesOk) {
    drvtest::ScriptedUser person;
    person.OnDialog([&](HWND dialog) {
        // What a person sees when the dialog comes up.
        EXPECT_FALSE(IsWindowEnabled(owner));
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ(GetActiveWindow(), dialog);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_PAPER));
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_PAPER), "Letter");
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_COPIES), "1");
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PORTRAIT), BST_CHECKED);
        result.log.push_back("script");

        EXPECT_TRUE(drvtest::ChooseEntryByText(dialog, IDC_PAPER, "A4"));
        EXPECT_TRUE(drvtest::ChooseEntry(dialog, IDC_PROFILE, 1));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_LANDSCAPE));
        EXPECT_TRUE(drvtest::SetCheck(dialog, IDC_COLLATE, BST_INDETERMINATE));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_DUPLEX));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_COPIES, "3x45"));  // letters refused, then the limit of 2
        EXPECT_TRUE(drvtest::ChooseEntry(dialog, IDC_TRAYS, 2));
        EXPECT_FALSE(drvtest::ChooseEntry(dialog, IDC_TRAYS, 3));
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    INT_PTR answer = DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_SETTINGS), owner, SettingsProc,
                                     reinterpret_cast<LPARAM>(&result));
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(person.dialogsSeen(), 1);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(result.portrait, static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(result.landscape, static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(result.collate, static_cast<UINT>(BST_INDETERMINATE));
    EXPECT_EQ(result.duplex, static_cast<UINT>(BST_CHECKED));
    EXPECT_TRUE(result.copiesTranslated);
    EXPECT_EQ(result.copies, 34u);
    EXPECT_EQ(result.paper, "A4");
    EXPECT_EQ(result.profile, &g_profiles[1]);  // the whole pointer came back
    EXPECT_EQ(result.tray, 2);

    // The owner-drawn controls are measured while they are made, before WM_INITDIALOG; a
    // variable-height entry is measured as it is added.
    std::vector<std::string> expected = {
        "setfont", "measure 1001 -1", "measure 1001 0", "measure 1002 -1", "measure 1010 0", "init",
        "measure 1002 0", "measure 1002 1"};
    ASSERT_GE(result.log.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(result.log.begin(), result.log.begin() + expected.size()), expected);
    auto script = std::find(result.log.begin(), result.log.end(), "script");
    ASSERT_NE(script, result.log.end());
    EXPECT_NE(std::find(result.log.begin(), script, "draw 1001"), script);  // painted once shown
    std::vector<std::string> commands;
    for (auto it = script; it != result.log.end(); ++it)
        if (it->rfind("command", 0) == 0) commands.push_back(*it);
    // Drop-down, selection change, selection ended, close-up; focus moves between the controls
    // (CBN_KILLFOCUS 4, CBN_SETFOCUS 3, EN_SETFOCUS 256, EN_KILLFOCUS 512, LBN_SETFOCUS 4...).
    EXPECT_EQ(commands, (std::vector<std::string>{
                            "command 1001 7", "command 1001 1", "command 1001 9", "command 1001 8", "command 1001 4",
                            "command 1002 3", "command 1002 7", "command 1002 1", "command 1002 9", "command 1002 8",
                            "command 1002 4", "command 1005 0", "command 1007 0", "command 1007 0", "command 1008 0",
                            "command 1009 256", "command 1009 1024", "command 1009 768",  // "3" over the selected "1"
                            "command 1009 1024", "command 1009 768",                      // "34"; the x was refused
                            "command 1009 1281",                                          // "5" is over the limit
                            "command 1009 512", "command 1010 4", "command 1010 1", "command 1010 5", "command 1 0"}));
    EXPECT_EQ(result.log.back(), "destroy");
}

TEST_F(Dialogs, NobodyActingEndsWithCancel) {
    EXPECT_EQ(DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_SETTINGS), owner, SettingsProc,
                              reinterpret_cast<LPARAM>(&result)),
              IDCANCEL);
    EXPECT_NE(std::find(result.log.begin(), result.log.end(), "command 2 0"), result.log.end());
    EXPECT_TRUE(IsWindowEnabled(owner));

    // A script that leaves the dialog open gets Cancel too; a missing template fails with -1.
    drvtest::ScriptedUser person;
    person.OnDialog([](HWND dialog) { drvtest::Click(dialog, IDC_DUPLEX); });
    EXPECT_EQ(DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_SETTINGS), owner, SettingsProc,
                              reinterpret_cast<LPARAM>(&result)),
              IDCANCEL);
    EXPECT_EQ(DialogBoxParamA(module, MAKEINTRESOURCEA(999), owner, SettingsProc, 0), -1);
    EXPECT_EQ(person.dialogsSeen(), 1);
}

INT_PTR CALLBACK PlainProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// A modeless dialog's default button follows DM_SETDEFID; a child dialog joins the tab order
// and dies with its parent.
TEST_F(Dialogs, ModelessDialogsKeepTheirDefaultButtonAndChildDialogsTheTabOrder) {
    HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_SETTINGS), owner, PlainProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    SendMessageA(dialog, DM_SETDEFID, IDCANCEL, 0);
    EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDCANCEL, DC_HASDEFID));
    EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, IDCANCEL), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    DestroyWindow(dialog);

    HWND page = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_PAGE), owner, PlainProc, 0);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(GetParent(page), owner);
    EXPECT_TRUE(GetWindowLongA(page, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_FALSE(GetWindowLongA(page, GWL_STYLE) & WS_CAPTION);
    HWND name = GetDlgItem(page, IDC_NAME), apply = GetDlgItem(page, IDC_APPLY);
    // Hidden and disabled controls are skipped; the order wraps around.
    EXPECT_EQ(GetNextDlgTabItem(page, name, FALSE), apply);
    EXPECT_EQ(GetNextDlgTabItem(page, apply, FALSE), name);
    EXPECT_EQ(GetNextDlgTabItem(page, name, TRUE), apply);
    EXPECT_FALSE(drvtest::Click(page, IDC_HIDDEN));
    EXPECT_FALSE(drvtest::Click(page, IDC_DISABLED));
    EXPECT_EQ(GetDlgCtrlID(apply), IDC_APPLY);
    EXPECT_EQ(GetDlgItem(page, 4242), nullptr);

    struct Case {
        const char* text;
        BOOL isSigned;
        UINT value;
        BOOL translated;
    };
    for (auto c : {Case{"  42", FALSE, 42, TRUE}, Case{"-7", TRUE, static_cast<UINT>(-7), TRUE},
                   Case{"-7", FALSE, 0, FALSE}, Case{"12ab", FALSE, 12, TRUE}, Case{"x1", FALSE, 0, FALSE},
                   Case{"4294967295", FALSE, 4294967295u, TRUE}, Case{"4294967296", FALSE, 0, FALSE},
                   Case{"2147483648", TRUE, 0, FALSE}, Case{"", TRUE, 0, FALSE}}) {
        SetDlgItemTextA(page, IDC_NAME, c.text);
        BOOL translated = -1;
        EXPECT_EQ(GetDlgItemInt(page, IDC_NAME, &translated, c.isSigned), c.value) << c.text;
        EXPECT_EQ(translated, c.translated) << c.text;
    }
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(page));
    owner = nullptr;
}

TEST(DialogTemplate, RefusesEveryTruncation) {
    HMODULE module = res::OpenResourceFile(kResFile);
    ASSERT_NE(module, nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDD_SETTINGS), RT_DIALOG);
    auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    DWORD size = SizeofResource(module, found);
    user::DialogTemplate parsed;
    ASSERT_TRUE(user::ParseDialogTemplate(bytes, size, parsed));
    EXPECT_EQ(parsed.items.size(), 14u);
    EXPECT_EQ(parsed.typeface, "MS Sans Serif");
    // The last item's title is the last field, so every shorter copy lacks something.
    for (DWORD n = 0; n + 1 < size; ++n) EXPECT_FALSE(user::ParseDialogTemplate(bytes, n, parsed)) << n;
    res::CloseResourceFile(module);
}

}  // namespace
