// Property sheets of three pages made from in-memory templates, driven by the scripted person:
// the pages hear the notifications in the original's order, and the sheet answers OK, Cancel and
// Apply with the original's results.
#include <commctrl.h>
#include <drvtest/scripted_sheet.h>
#include <drvtest/scripted_user.h>
#include <drvtest/window_picture.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kCheck = 100;

// A plain dialog template with one auto check box, as a resource compiler lays it out.
class Template {
public:
    explicit Template(const char* title) {
        dword(DS_SETFONT | DS_CONTROL | WS_CHILD);
        dword(0);
        word(1);  // one item
        word(0), word(0), word(200), word(100);
        word(0), word(0);  // no menu, the dialog class
        text(title);
        word(8);
        text("MS Sans Serif");
        align();
        dword(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
        dword(0);
        word(10), word(10), word(100), word(12);
        word(kCheck);
        word(0xFFFF), word(0x0080);  // Button
        text("Tick");
        word(0);
    }
    LPCDLGTEMPLATEA get() const { return reinterpret_cast<LPCDLGTEMPLATEA>(bytes_.data()); }

private:
    void word(uint16_t w) { bytes_.insert(bytes_.end(), {static_cast<uint8_t>(w), static_cast<uint8_t>(w >> 8)}); }
    void dword(uint32_t d) { word(static_cast<uint16_t>(d)), word(static_cast<uint16_t>(d >> 16)); }
    void text(const char* s) {
        for (; *s; ++s) word(static_cast<uint8_t>(*s));
        word(0);
    }
    void align() {
        while (bytes_.size() % 4) bytes_.push_back(0);
    }
    std::vector<uint8_t> bytes_;
};

std::vector<std::string> g_log;
std::vector<LRESULT> g_answer;  // per page: what it answers to PSN_KILLACTIVE / PSN_APPLY

std::string pageName(LPARAM number) { return "p" + std::to_string(number); }

INT_PTR CALLBACK PageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: {
        auto* psp = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
        SetWindowLongPtrA(page, DWLP_USER, psp->lParam);
        g_log.push_back(pageName(psp->lParam) + " init");
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kCheck && HIWORD(wParam) == BN_CLICKED) PropSheet_Changed(GetParent(page), page);
        return TRUE;
    case WM_NOTIFY: {
        auto* n = reinterpret_cast<PSHNOTIFY*>(lParam);
        LPARAM me = GetWindowLongPtrA(page, DWLP_USER);
        const char* what = nullptr;
        LRESULT answer = 0;
        switch (n->hdr.code) {
        case PSN_SETACTIVE: what = "setactive"; break;
        case PSN_KILLACTIVE: what = "killactive"; answer = g_answer[me]; break;
        case PSN_APPLY: what = n->lParam ? "apply ok" : "apply"; answer = g_answer[me]; break;
        case PSN_RESET: what = "reset"; break;
        case PSN_HELP: what = "help"; break;
        case PSN_QUERYCANCEL: what = "querycancel"; break;
        default: return FALSE;
        }
        g_log.push_back(pageName(me) + " " + what);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, answer);
        return TRUE;
    }
    case WM_DESTROY:
        g_log.push_back(pageName(GetWindowLongPtrA(page, DWLP_USER)) + " destroy");
        return FALSE;
    default:
        return FALSE;
    }
}

UINT CALLBACK PageCallback(HWND, UINT msg, PROPSHEETPAGEA* psp) {
    const char* names[] = {"addref", "release", "create"};
    g_log.push_back(pageName(psp->lParam) + " " + names[msg]);
    return 1;
}

class Sheet : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.clear();
        g_answer.assign(3, 0);
        for (int i = 0; i < 3; ++i) {
            PROPSHEETPAGEA p{};
            p.dwSize = sizeof p;
            p.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE | PSP_USECALLBACK;
            p.pResource = templates[i].get();
            p.pszTitle = titles[i];
            p.pfnDlgProc = PageProc;
            p.lParam = i;
            p.pfnCallback = PageCallback;
            pages[i] = p;
        }
        header = PROPSHEETHEADERA{};
        header.dwSize = sizeof header;
        header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP;
        header.pszCaption = "Printing Preferences";
        header.nPages = 3;
        header.ppsp = pages;
    }
    // The log without the page callbacks and the pages' destruction (whose order among the pages
    // is the windows' order), which tests of the notifications do not care about.
    std::vector<std::string> notifications() const {
        std::vector<std::string> out;
        for (const auto& l : g_log)
            if (l.find("addref") == std::string::npos && l.find("create") == std::string::npos &&
                l.find("release") == std::string::npos && l.find("destroy") == std::string::npos)
                out.push_back(l);
        return out;
    }
    size_t destroyed() const { return std::count_if(g_log.begin(), g_log.end(), [](const std::string& l) { return l.find("destroy") != std::string::npos; }); }
    Template templates[3] = {Template("Setup"), Template("Finishing"), Template("Quality")};
    const char* titles[3] = {"Setup", "Finishing", "Quality"};
    PROPSHEETPAGEA pages[3];
    PROPSHEETHEADERA header;
};

TEST_F(Sheet, ScriptedPersonSwitchesChangesAppliesAndPressesOk) {
    drvtest::ScriptedSheet person;
    bool applyBefore = true, applyAfterChange = false, applyAfterApply = true;
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        EXPECT_EQ(sheet.PageCount(), 3);
        EXPECT_EQ(sheet.PageTitle(2), "Quality");
        EXPECT_TRUE(sheet.SelectPage(2));
        applyBefore = sheet.IsApplyEnabled();
        EXPECT_TRUE(drvtest::SetCheck(sheet.Page(), kCheck, BST_CHECKED));
        applyAfterChange = sheet.IsApplyEnabled();
        EXPECT_TRUE(sheet.PressApply());
        applyAfterApply = sheet.IsApplyEnabled();
        EXPECT_TRUE(sheet.PressOk());
    });
    EXPECT_EQ(PropertySheetA(&header), 1);
    EXPECT_EQ(person.sheetsSeen(), 1);
    EXPECT_FALSE(applyBefore);
    EXPECT_TRUE(applyAfterChange);
    EXPECT_FALSE(applyAfterApply);
    EXPECT_EQ(notifications(), (std::vector<std::string>{
                                   "p0 init", "p0 setactive",                                  // the first page
                                   "p0 killactive", "p2 init", "p2 setactive",                 // the tab click
                                   "p2 killactive", "p0 apply", "p2 apply", "p2 setactive",    // Apply
                                   "p2 killactive", "p0 apply ok", "p2 apply ok"}));           // OK
    EXPECT_EQ(destroyed(), 2u);
}

TEST_F(Sheet, PagesMayKeepTheFocusOrRefuseToApply) {
    drvtest::ScriptedSheet person;
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        g_answer[0] = TRUE;  // the first page's fields are not valid: it stays
        EXPECT_FALSE(sheet.SelectPage(1));
        EXPECT_EQ(sheet.CurrentIndex(), 0);
        g_answer[0] = FALSE;
        EXPECT_TRUE(sheet.SelectPage(1));
        g_answer[0] = PSNRET_INVALID;  // OK: the first page refuses and is shown again
        EXPECT_TRUE(sheet.PressOk());
        EXPECT_TRUE(sheet.IsOpen());
        EXPECT_EQ(sheet.CurrentIndex(), 0);
        EXPECT_TRUE(sheet.PressCancel());
        EXPECT_FALSE(sheet.IsOpen());
    });
    EXPECT_EQ(PropertySheetA(&header), 0);
    EXPECT_EQ(notifications(), (std::vector<std::string>{
                                   "p0 init", "p0 setactive", "p0 killactive",                    // refused switch
                                   "p0 killactive", "p1 init", "p1 setactive",                    // allowed switch
                                   "p1 killactive", "p0 apply ok", "p0 setactive",                // OK refused by p0
                                   "p0 querycancel", "p0 reset", "p1 reset"}));
    EXPECT_EQ(destroyed(), 2u);
}

TEST_F(Sheet, SheetMessagesSwitchPressAndReport) {
    header.dwFlags |= PSH_HASHELP;
    header.nStartPage = 1;
    drvtest::ScriptedSheet person;
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        HWND s = sheet.Sheet();
        EXPECT_EQ(sheet.CurrentIndex(), 1);
        EXPECT_TRUE(SendMessageA(s, PSM_SETCURSEL, 2, 0));
        EXPECT_EQ(sheet.CurrentIndex(), 2);
        EXPECT_TRUE(sheet.PressHelp());
        SendMessageA(s, PSM_CHANGED, reinterpret_cast<WPARAM>(sheet.Page()), 0);
        EXPECT_TRUE(sheet.IsApplyEnabled());
        SendMessageA(s, PSM_UNCHANGED, reinterpret_cast<WPARAM>(sheet.Page()), 0);
        EXPECT_FALSE(sheet.IsApplyEnabled());
        SendMessageA(s, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
        SendMessageA(s, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        EXPECT_EQ(SendMessageA(s, PSM_GETCURRENTPAGEHWND, 0, 0), 0);
    });
    EXPECT_EQ(PropertySheetA(&header), 1);  // an Apply went through before the Cancel
    auto log = notifications();
    EXPECT_NE(std::find(log.begin(), log.end(), "p2 help"), log.end());
    EXPECT_EQ(std::find(log.begin(), log.end(), "p0 init"), log.end());  // the first page was never shown
}

TEST_F(Sheet, WithoutAScriptItEndsWithCancelAndEnterPressesOkAndEscapeCancels) {
    EXPECT_EQ(PropertySheetA(&header), 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"p0 addref", "p1 addref", "p2 addref", "p0 create", "p0 init",
                                               "p0 setactive", "p0 querycancel", "p0 reset", "p0 destroy",
                                               "p0 release", "p1 release", "p2 release"}));
    g_log.clear();
    drvtest::ScriptedSheet person;
    person.OnSheet([](drvtest::SheetDriver& sheet) { EXPECT_TRUE(sheet.PressKey(kCheck, VK_RETURN)); });
    person.OnSheet([](drvtest::SheetDriver& sheet) { EXPECT_TRUE(sheet.PressKey(kCheck, VK_ESCAPE)); });
    EXPECT_EQ(PropertySheetA(&header), 1);
    EXPECT_EQ(notifications(), (std::vector<std::string>{"p0 init", "p0 setactive", "p0 killactive", "p0 apply ok"}));
    g_log.clear();
    EXPECT_EQ(PropertySheetA(&header), 0);
    EXPECT_EQ(notifications(), (std::vector<std::string>{"p0 init", "p0 setactive", "p0 querycancel", "p0 reset"}));
}

TEST_F(Sheet, ModelessSheetAddsAndRemovesPagesAndTellsItsEnd) {
    header.dwFlags |= PSH_MODELESS;
    header.nPages = 2;
    auto sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
    ASSERT_TRUE(IsWindow(sheet));
    EXPECT_NE(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0), 0);
    EXPECT_TRUE(SendMessageA(sheet, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(CreatePropertySheetPageA(&pages[2]))));
    EXPECT_TRUE(SendMessageA(sheet, PSM_SETCURSEL, 2, 0));
    EXPECT_TRUE(SendMessageA(sheet, PSM_REMOVEPAGE, 2, 0));  // the shown page: its neighbour takes its place
    ShowWindow(sheet, SW_SHOW);
    EXPECT_TRUE(drvtest::SaveWindowPng(sheet, DRVOPUI_TEST_OUTPUT_DIR "/modeless_sheet.png"));
    HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
    // The sheet's picture shows the names on the tabs, above the page.
    for (int t = 0; t < 2; ++t) {
        RECT r;
        ASSERT_TRUE(SendMessageA(tab, TCM_GETITEMRECT, t, reinterpret_cast<LPARAM>(&r)));
        int text = 0;
        for (int y = r.top + 3; y < r.bottom - 2; ++y)
            for (int x = r.left + 2; x < r.right - 2; ++x) text += drvtest::WindowPixel(tab, x, y) == GetSysColor(COLOR_BTNTEXT);
        EXPECT_GT(text, 5) << t;
    }
    SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    EXPECT_EQ(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0), 0);  // ended: the owner destroys it
    DestroyWindow(sheet);
    EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "p2 release"), 1);
    EXPECT_EQ(g_log.back(), "p1 release");
}

TEST_F(Sheet, BadRequestsFailCleanly) {
    EXPECT_EQ(PropertySheetA(nullptr), -1);
    header.nPages = 0;
    EXPECT_EQ(PropertySheetA(&header), -1);
    header.nPages = 3;
    header.dwSize = 8;
    EXPECT_EQ(PropertySheetA(&header), -1);
    PROPSHEETPAGEA bad = pages[0];
    bad.dwSize = 4;
    EXPECT_EQ(CreatePropertySheetPageA(&bad), nullptr);
    EXPECT_FALSE(DestroyPropertySheetPage(reinterpret_cast<HPROPSHEETPAGE>(&bad)));

    // Handles made by the caller belong to the sheet once it has them.
    HPROPSHEETPAGE made[2] = {CreatePropertySheetPageA(&pages[0]), CreatePropertySheetPageA(&pages[1])};
    header.dwSize = sizeof header;
    header.dwFlags = 0;
    header.nPages = 2;
    header.phpage = made;
    g_log.clear();
    EXPECT_EQ(PropertySheetA(&header), 0);
    EXPECT_EQ(g_log.back(), "p1 release");
    EXPECT_FALSE(DestroyPropertySheetPage(made[0]));
}

}  // namespace
