// Standard controls on their own: the Win32 contracts of combo boxes, list boxes, edits and
// buttons (what notifies and what does not, owner-drawn lists without strings, three states),
// and message boxes answering by their default button or by the scripted user.
#include <windows.h>

#include "drvtest/scripted_user.h"
#include "drvtest/test_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_events;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        g_events.push_back(std::to_string(HIWORD(wParam)));
        return 0;
    case WM_DELETEITEM:
        g_events.push_back("delete " + std::to_string(reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->itemData));
        return TRUE;
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 20;
        return TRUE;
    case WM_COMPAREITEM: {
        auto* ci = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
        return ci->itemData1 < ci->itemData2 ? -1 : ci->itemData1 > ci->itemData2 ? 1 : 0;
    }
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        parent = drvtest::MakeWindow("ControlsTestParent", ParentProc, WS_POPUP | WS_VISIBLE, 300, 300);
        g_events.clear();
    }
    void TearDown() override { DestroyWindow(parent); }
    HWND make(const char* cls, DWORD style, int height = 100) {
        return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 100, height, parent,
                               reinterpret_cast<HMENU>(7), nullptr, nullptr);
    }
    HWND parent = nullptr;
};

LRESULT send(HWND h, UINT m, WPARAM w = 0, const char* text = nullptr) {
    return SendMessageA(h, m, w, reinterpret_cast<LPARAM>(text));
}

TEST_F(Controls, ComboBoxesAndOwnerDrawnListsKeepTheirEntries) {
    HWND combo = make("ComboBox", CBS_DROPDOWNLIST | CBS_SORT);
    for (const char* s : {"Legal", "A4", "letter", "A5"}) send(combo, CB_ADDSTRING, 0, s);
    char text[32];
    send(combo, CB_GETLBTEXT, 0, text);
    EXPECT_STREQ(text, "A4");  // sorted without regard to case
    EXPECT_EQ(send(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), "le"), 2);
    EXPECT_EQ(send(combo, CB_FINDSTRING, 2, "le"), 3);          // the search starts after the start
    EXPECT_EQ(send(combo, CB_FINDSTRING, 3, "a"), 0);           // and wraps around
    EXPECT_EQ(send(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "LETTER"), 3);
    EXPECT_EQ(send(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "Let"), CB_ERR);
    EXPECT_EQ(send(combo, CB_SETCURSEL, 2), 2);
    EXPECT_EQ(send(combo, CB_SETCURSEL, 9), CB_ERR);           // out of range clears the selection
    EXPECT_EQ(send(combo, CB_GETCURSEL), CB_ERR);
    send(combo, CB_SETCURSEL, 3);
    GetWindowTextA(combo, text, sizeof text);
    EXPECT_STREQ(text, "letter");
    send(combo, CB_DELETESTRING, 0);
    EXPECT_EQ(send(combo, CB_GETCURSEL), 2);                   // the selection follows its entry
    EXPECT_TRUE(g_events.empty());                             // the program's changes notify nothing

    send(combo, CB_SHOWDROPDOWN, TRUE);
    EXPECT_EQ(send(combo, CB_GETDROPPEDSTATE), TRUE);
    send(combo, CB_SHOWDROPDOWN, FALSE);
    EXPECT_EQ(send(combo, CB_GETDROPPEDSTATE), FALSE);
    EXPECT_EQ(g_events, (std::vector<std::string>{"7", "10", "8"}));  // drop-down, end cancelled, close-up
    RECT window, dropped;
    GetWindowRect(combo, &window);
    send(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<const char*>(&dropped));
    EXPECT_LT(window.bottom - window.top, 100);  // the window is the selection field; the list is below
    EXPECT_EQ(dropped.bottom - dropped.top, 100);

    HWND list = make("ListBox", LBS_OWNERDRAWVARIABLE | LBS_SORT | LBS_NOTIFY);
    static int objects[3];
    for (int* p : {&objects[2], &objects[0], &objects[1]}) send(list, LB_ADDSTRING, 0, reinterpret_cast<const char*>(p));
    // Sorted by the parent's WM_COMPAREITEM; each entry measured as it came.
    EXPECT_EQ(send(list, LB_GETITEMDATA, 0), reinterpret_cast<LRESULT>(&objects[0]));
    EXPECT_EQ(send(list, LB_GETITEMDATA, 2), reinterpret_cast<LRESULT>(&objects[2]));
    EXPECT_EQ(send(list, LB_GETITEMHEIGHT, 1), 20);
    EXPECT_EQ(send(list, LB_GETTEXTLEN, 0), static_cast<LRESULT>(sizeof(void*)));
    ULONG_PTR data = 0;
    send(list, LB_GETTEXT, 1, reinterpret_cast<const char*>(&data));
    EXPECT_EQ(data, reinterpret_cast<ULONG_PTR>(&objects[1]));
    EXPECT_EQ(send(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<const char*>(&objects[1])), 1);
    SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);  // a person's choice notifies
    EXPECT_EQ(send(list, LB_GETCURSEL), 0);
    g_events.erase(g_events.begin(), g_events.end() - 1);
    EXPECT_EQ(g_events, std::vector<std::string>{"1"});
    g_events.clear();
    send(list, LB_RESETCONTENT);
    EXPECT_EQ(g_events.size(), 3u);  // every owner-drawn entry reported deleted
    EXPECT_EQ(g_events[0], "delete " + std::to_string(reinterpret_cast<ULONG_PTR>(&objects[0])));
}

TEST_F(Controls, EditLimitsReadOnlyAndNumbers) {
    HWND edit = make("Edit", ES_NUMBER);
    SetWindowTextA(edit, "12");
    EXPECT_EQ(g_events, (std::vector<std::string>{"1024", "768"}));  // a single-line field reports set text
    send(edit, EM_LIMITTEXT, 3);
    SendMessageA(edit, EM_SETSEL, 2, 2);
    for (char c : std::string("a345")) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
    char text[16];
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "123");
    EXPECT_EQ(g_events.back(), "1281");  // EN_MAXTEXT for the 5
    EXPECT_TRUE(send(edit, EM_GETMODIFY));
    send(edit, EM_SETREADONLY, TRUE);
    EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
    SendMessageA(edit, WM_CHAR, '\b', 0);
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "123");
    send(edit, EM_SETSEL, 0, reinterpret_cast<const char*>(-1));
    DWORD start = 9, end = 9;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
}

TEST_F(Controls, ButtonsChangeStateBeforeTellingTheParent) {
    struct Case {
        DWORD style;
        std::vector<UINT> afterClicks;
    };
    for (const auto& c : {Case{BS_AUTOCHECKBOX, {1, 0, 1}}, Case{BS_AUTO3STATE, {1, 2, 0}}, Case{BS_CHECKBOX, {0, 0, 0}},
                          Case{BS_PUSHBUTTON, {0, 0, 0}}}) {
        HWND button = make("Button", c.style);
        for (UINT expected : c.afterClicks) {
            g_events.clear();
            send(button, BM_CLICK);
            EXPECT_EQ(send(button, BM_GETCHECK), static_cast<LRESULT>(expected)) << c.style;
            EXPECT_EQ(g_events, std::vector<std::string>{"0"});
        }
        DestroyWindow(button);
    }
    HWND two = make("Button", BS_AUTOCHECKBOX);
    send(two, BM_SETCHECK, BST_INDETERMINATE);  // a two-state box has no third state
    EXPECT_EQ(send(two, BM_GETCHECK), BST_CHECKED);
    send(two, BM_SETSTATE, TRUE);
    EXPECT_EQ(send(two, BM_GETSTATE), BST_CHECKED | BST_PUSHED);
}

TEST_F(Controls, MessageBoxesAnswerWithoutWaiting) {
    EXPECT_EQ(MessageBoxA(parent, "Delete?", "Profiles", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(MessageBoxA(parent, "Saved.", nullptr, MB_OK | MB_ICONASTERISK), IDOK);
    EXPECT_EQ(MessageBoxA(parent, "bad", "x", 0xF), 0);
    drvtest::ScriptedUser person;
    person.AnswerMessageBox(IDYES);
    person.AnswerMessageBox(IDRETRY);  // not a button of that box: the default answers
    EXPECT_EQ(MessageBoxA(parent, "Delete?", "Profiles", MB_YESNO | MB_DEFBUTTON2), IDYES);
    EXPECT_EQ(MessageBoxA(parent, "Overwrite?", "Profiles", MB_OKCANCEL), IDOK);
    ASSERT_EQ(person.messageBoxes().size(), 2u);
    EXPECT_EQ(person.messageBoxes()[0].text, "Delete?");
    EXPECT_EQ(person.messageBoxes()[1].type, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_TRUE(IsWindowEnabled(parent));
}

}  // namespace
