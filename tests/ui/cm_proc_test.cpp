// The dialog base class through the doors its windows use: a modal dialog and the pages of a
// sheet get their handlers called in the order the messages come, keep the current control's
// context, answer the sheet, show help, open the dialogs of their buttons, and are deleted with
// their windows, leaving nothing behind.
#include "drvtest/help_requests.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "core/device/service_table.h"
#include "ui/dialog_registry.h"
#include "ui/proc.h"
#include "ui_test_support.h"

#include <algorithm>
#include <cstring>

namespace uitest {
namespace {

// The log without the drawing of the owner-drawn button, which comes whenever the window paints.
std::vector<std::string> Handlers() {
    std::vector<std::string> out;
    for (const auto& l : g_log)
        if (l.rfind("draw", 0) != 0) out.push_back(l);
    return out;
}

bool Logged(const std::string& line) { return std::find(g_log.begin(), g_log.end(), line) != g_log.end(); }

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

TEST_F(DialogTest, ModalDialogRoutesItsMessagesAndGoesWithItsWindow) {
    drvtest::ScriptedUser person;
    std::string title;
    struct Context {
        WORD id;
        HWND window;
        WORD code;
    };
    std::vector<Context> contexts;
    person.OnDialog([&](HWND dialog) {
        char text[64] = "";
        GetWindowTextA(dialog, text, sizeof text);
        title = text;
        ASSERT_NE(g_last, nullptr);
        EXPECT_EQ(reinterpret_cast<CmProc*>(GetWindowLongPtrA(dialog, GWLP_USERDATA)), g_last);
        EXPECT_EQ(g_last->Dialog(), dialog);
        EXPECT_EQ(g_last->Request(), device.Device());
        EXPECT_EQ(g_last->SheetKind(), static_cast<DWORD>(kSheetModalDialog));
        EXPECT_NE(g_last->Devmode(), nullptr);
        EXPECT_NE(g_last->Printer(), nullptr);
        EXPECT_TRUE(drvtest::Click(dialog, IDC_TEST_BUTTON));
        contexts.push_back({g_last->ControlId(), g_last->ControlWindow(), g_last->NotifyCode()});
        EXPECT_TRUE(drvtest::PressKey(dialog, IDC_TEST_TRACK, VK_RIGHT));
        contexts.push_back({g_last->ControlId(), g_last->ControlWindow(), g_last->NotifyCode()});
        EXPECT_TRUE(drvtest::Type(dialog, IDC_TEST_EDIT, "a"));
        contexts.push_back({g_last->ControlId(), g_last->ControlWindow(), g_last->NotifyCode()});
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    EXPECT_EQ(RunDialog(), IDOK);
    EXPECT_EQ(title, "Profiles");  // the page id's string

    // Messages before WM_INITDIALOG find no object; after WM_DESTROY the object is gone.
    std::vector<std::string> handlers = Handlers();
    ASSERT_GE(handlers.size(), 4u);
    EXPECT_EQ(handlers[0], "init");
    EXPECT_EQ(handlers[1], "update");
    EXPECT_EQ(std::vector<std::string>(handlers.end() - 3, handlers.end()),
              (std::vector<std::string>{"command 1 0", "destroy", "deleted"}));
    EXPECT_TRUE(Logged("command 3001 0"));
    EXPECT_TRUE(Logged("hscroll 1"));  // TB_LINEDOWN, then TB_ENDTRACK
    EXPECT_TRUE(Logged("hscroll 8"));
    EXPECT_TRUE(Logged("draw 3003"));
    EXPECT_EQ(g_last, nullptr);

    std::vector<std::pair<int, int>> controls;
    for (const Context& c : contexts) {
        controls.push_back({c.id, c.code});
        EXPECT_NE(c.window, nullptr) << c.id;
    }
    // The track bar's context keeps its last scroll message: TB_ENDTRACK (8).
    EXPECT_EQ(controls, (std::vector<std::pair<int, int>>{{IDC_TEST_BUTTON, BN_CLICKED}, {IDC_TEST_TRACK, 8}, {IDC_TEST_EDIT, EN_CHANGE}}));
    ExpectNothingLeft();
}

TEST_F(DialogTest, CancelEndsTheDialogAndAMissingRequestIsSurvived) {
    EXPECT_EQ(RunDialog(), IDCANCEL);  // nobody acts
    ASSERT_FALSE(Handlers().empty());
    EXPECT_EQ(Handlers().back(), "deleted");

    // A dialog opened without its record still routes and goes, with no request to commit to.
    drvtest::ScriptedUser person;
    person.OnDialog([&](HWND dialog) {
        ASSERT_NE(g_last, nullptr);
        EXPECT_EQ(g_last->Request(), nullptr);
        EXPECT_FALSE(g_last->OnApply());
        EXPECT_FALSE(g_last->ShowHelp());
        EXPECT_TRUE(drvtest::PressCancel(dialog));
    });
    g_log.clear();
    DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_TEST_DIALOG), owner, CmProc::DialogProcFor<RecordingProc>, 0);
    ASSERT_FALSE(Handlers().empty());
    EXPECT_EQ(Handlers().back(), "deleted");
    ExpectNothingLeft();
}

TEST_F(DialogTest, PagesAnswerTheSheetCommitOnApplyAndShowHelp) {
    constexpr std::size_t kCopiesOffset = 54;  // dmCopies of the public part
    uint8_t* current = device->svc->GetDevmode(device.Device(), 3);
    ASSERT_NE(current, nullptr);
    uint16_t before = 0;
    std::memcpy(&before, current + kCopiesOffset, 2);
    g_onInit = [](CmProc& page) {
        const uint16_t copies = 7;
        std::memcpy(page.Devmode() + kCopiesOffset, &copies, 2);
    };

    SHEETDATA pageData{sizeof(SHEETDATA), device.Device(), 0, kSheetPage};
    PROPSHEETPAGEA pages[2] = {};
    for (PROPSHEETPAGEA& p : pages) {
        p.dwSize = sizeof p;
        p.dwFlags = PSP_HASHELP;
        p.hInstance = module;
        p.pszTemplate = MAKEINTRESOURCEA(IDD_TEST_PAGE);
        p.pfnDlgProc = CmProc::DialogProcFor<RecordingProc>;
        p.lParam = reinterpret_cast<LPARAM>(&pageData);
    }
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_HASHELP;
    header.hwndParent = owner;
    header.pszCaption = "Printing Preferences";
    header.nPages = 2;
    header.ppsp = pages;

    drvtest::ForgetHelpRequests();
    drvtest::ScriptedSheet person;
    uint16_t afterInit = 0, afterApply = 0;
    bool stayedOpen = false;
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        std::memcpy(&afterInit, current + kCopiesOffset, 2);
        EXPECT_TRUE(sheet.SelectPage(1));
        SendMessageA(sheet.Sheet(), PSM_CHANGED, reinterpret_cast<WPARAM>(sheet.Page()), 0);
        EXPECT_TRUE(sheet.PressApply());
        std::memcpy(&afterApply, current + kCopiesOffset, 2);
        EXPECT_TRUE(sheet.PressHelp());
        g_applyAnswer = FALSE;  // a page that cannot commit keeps the sheet open
        EXPECT_TRUE(sheet.PressOk());
        stayedOpen = sheet.IsOpen();
        EXPECT_TRUE(sheet.PressCancel());
    });
    EXPECT_EQ(PropertySheetA(&header), 1);  // Apply had committed
    EXPECT_EQ(afterInit, before);  // the pages work on the sheet's copy
    EXPECT_EQ(afterApply, 7);
    EXPECT_TRUE(stayedOpen);

    EXPECT_EQ(Handlers(), (std::vector<std::string>{
                              "init", "update", "setactive",                   // the first page
                              "killactive", "init", "update", "setactive",     // the tab click
                              "killactive", "apply", "apply", "setactive",     // Apply
                              "killactive", "apply",                           // OK, refused by the first page asked
                              "reset", "reset",                                // Cancel
                              "destroy", "deleted", "destroy", "deleted"}));

    // Help by the page title, then closed when the page that showed it goes.
    std::vector<drvtest::HelpRequest> help = drvtest::HelpRequests();
    ASSERT_EQ(help.size(), 2u);
    EXPECT_EQ(help[0].command, static_cast<UINT>(HELP_KEY));
    EXPECT_EQ(help[0].key, "Profiles");
    EXPECT_NE(Lower(help[0].file).find("kelvar.hlp"), std::string::npos) << help[0].file;
    EXPECT_EQ(help[1].command, static_cast<UINT>(HELP_QUIT));
    EXPECT_EQ(help[1].window, help[0].window);
    ExpectNothingLeft();
}

TEST_F(DialogTest, ContextHelpAndPageMessagesReachTheirHandlers) {
    static const DWORD kHelpIds[] = {IDC_TEST_BUTTON, 5001, IDC_TEST_EDIT, 5002, 0, 0};
    g_helpIds = kHelpIds;
    drvtest::ForgetHelpRequests();
    struct Case {
        DWORD code;
        DWORD subCode;
        LRESULT answer;
        const char* logged;  // null: no handler
    };
    std::vector<std::string> wrong;
    drvtest::ScriptedUser person;
    person.OnDialog([&](HWND dialog) {
        HWND button = GetDlgItem(dialog, IDC_TEST_BUTTON);
        HELPINFO info{sizeof info, HELPINFO_WINDOW, IDC_TEST_BUTTON, button, 0, {0, 0}};
        SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        SendMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(button), MAKELPARAM(5, 5));
        SendMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dialog), MAKELPARAM(5, 5));  // no control

        for (const Case& c : {Case{0, 4, TRUE, "page 0 4"}, Case{100, 0, TRUE, "page 100"},
                              Case{200, 0, TRUE, "page 200 17"}, Case{201, 39, FALSE, nullptr}}) {
            g_log.clear();
            PageMessageRecord record{};
            record.code = c.code;
            record.subCode = c.subCode;
            record.first = 17;
            EXPECT_EQ(SendPageMessage(dialog, nullptr, record), c.answer) << c.code;
            if (c.logged ? g_log != std::vector<std::string>{c.logged} : !g_log.empty())
                wrong.push_back(std::to_string(c.code));
        }
        EXPECT_TRUE(drvtest::PressCancel(dialog));
    });
    EXPECT_EQ(RunDialog(), IDCANCEL);
    EXPECT_TRUE(wrong.empty()) << wrong.front();

    std::vector<drvtest::HelpRequest> help = drvtest::HelpRequests();
    ASSERT_EQ(help.size(), 3u);
    EXPECT_EQ(help[0].command, static_cast<UINT>(HELP_WM_HELP));
    EXPECT_EQ(help[1].command, static_cast<UINT>(HELP_CONTEXTMENU));
    for (int i : {0, 1}) EXPECT_EQ(help[i].ids, (std::vector<DWORD>{IDC_TEST_BUTTON, 5001, IDC_TEST_EDIT, 5002}));
    EXPECT_EQ(help[2].command, static_cast<UINT>(HELP_QUIT));
    ExpectNothingLeft();
}

// A secondary dialog of the registry, with its help ids from its entry.
// It changes the number of copies as soon as it opens.
class SubDialog : public Proc {
public:
    SubDialog() : Proc(77, 10833) {}
    BOOL OnInitDialog() override {
        Log(GetHelpIdTable() == FindDialogEntry(77)->helpIds ? "sub init" : "sub init without its table");
        ++Devmode()[kCopiesOffset];
        return Proc::OnInitDialog();
    }
    static constexpr std::size_t kCopiesOffset = 54;  // dmCopies of the public part
};

TEST_F(DialogTest, ButtonsOpenTheDialogsOfTheirKinds) {
    static const DWORD kSubHelp[] = {IDOK, 6001, 0, 0};
    static const DialogEntry kEntries[] = {{77, CmProc::DialogProcFor<SubDialog>, 10833, 103, kSubHelp}};
    ASSERT_TRUE(RegisterDialogEntries(kEntries, 1));
    static const DialogButton kButtons[] = {{IDC_TEST_OPEN, 77}, {0, 0}};
    g_buttons = kButtons;

    std::string subTitle;
    std::vector<int> copies;
    drvtest::ScriptedUser person;
    person.OnDialog([&](HWND dialog) {
        const uint8_t* settings = g_last->Devmode();
        copies.push_back(settings[SubDialog::kCopiesOffset]);
        EXPECT_TRUE(drvtest::Click(dialog, IDC_TEST_OPEN));  // OK there: the page updates
        copies.push_back(settings[SubDialog::kCopiesOffset]);
        EXPECT_TRUE(drvtest::Click(dialog, IDC_TEST_OPEN));  // Cancel there: it does not
        copies.push_back(settings[SubDialog::kCopiesOffset]);
        EXPECT_TRUE(drvtest::PressCancel(dialog));
    });
    person.OnDialog([&](HWND sub) {
        char text[64] = "";
        GetWindowTextA(sub, text, sizeof text);
        subTitle = text;
        EXPECT_TRUE(drvtest::PressOk(sub));
    });
    person.OnDialog([&](HWND sub) { EXPECT_TRUE(drvtest::PressCancel(sub)); });
    EXPECT_EQ(RunDialog(), IDCANCEL);
    EXPECT_EQ(subTitle, "Profile");
    ASSERT_EQ(copies.size(), 3u);
    EXPECT_EQ(copies[1], copies[0] + 1);  // kept after OK
    EXPECT_EQ(copies[2], copies[1]);      // put back after Cancel
    EXPECT_EQ(Handlers(), (std::vector<std::string>{"init", "update", "command 3002 0", "sub init", "update",
                                                    "command 3002 0", "sub init", "command 2 0", "destroy",
                                                    "deleted"}));
    EXPECT_EQ(OpenDialogByKind(device.Device(), owner, 78, 0), 0);  // no such kind
    EXPECT_EQ(OpenDialogByKind(nullptr, owner, 77, 0), 0);
    UnregisterDialogEntries(kEntries);
    EXPECT_EQ(FindDialogEntry(77), nullptr);
    ExpectNothingLeft();
}

}  // namespace
}  // namespace uitest
