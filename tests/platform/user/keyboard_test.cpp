// The keyboard in dialogs and the modal loop: Tab walks the tab order, arrows move within a radio
// group and choose, Enter presses the default button and Escape Cancel; the modal loop passes its
// messages through WH_MSGFILTER first; a control subclassed as the previews do keeps working.
#include <windows.h>

#include "drvtest/scripted_user.h"
#include "platform/resources/res_file.h"
#include "test_dialog_ids.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

std::vector<int> g_commands;

INT_PTR CALLBACK RecordingProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg != WM_COMMAND) return FALSE;
    if (HIWORD(wParam) == BN_CLICKED) g_commands.push_back(LOWORD(wParam));
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
    return TRUE;
}

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override {
        module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/tests/platform/user/test_dialogs.res");
        ASSERT_NE(module, nullptr);
        g_commands.clear();
    }
    void TearDown() override { res::CloseResourceFile(module); }
    HMODULE module = nullptr;
};

TEST_F(Keyboard, TabArrowsEnterAndEscapeActAsOnTheOriginal) {
    drvtest::ScriptedUser person;
    person.OnDialog([](HWND dialog) {
        HWND paper = GetDlgItem(dialog, IDC_PAPER);
        EXPECT_EQ(GetFocus(), paper);
        EXPECT_TRUE(drvtest::PressKey(dialog, IDC_PAPER, VK_TAB));
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_PROFILE));
        // Shift+Tab goes back.
        MSG shift{GetFocus(), WM_KEYDOWN, VK_SHIFT, 0, 0, {0, 0}};
        IsDialogMessageA(dialog, &shift);
        drvtest::PressKey(dialog, IDC_PROFILE, VK_TAB);
        shift.message = WM_KEYUP;
        IsDialogMessageA(dialog, &shift);
        EXPECT_EQ(GetFocus(), paper);
        // An arrow on an automatic radio button moves to the next of its group and chooses it.
        CheckRadioButton(dialog, IDC_PORTRAIT, IDC_ROTATED, IDC_PORTRAIT);
        drvtest::PressKey(dialog, IDC_PORTRAIT, VK_DOWN);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_LANDSCAPE));
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_LANDSCAPE), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PORTRAIT), BST_UNCHECKED);
        drvtest::PressKey(dialog, IDC_DUPLEX, VK_SPACE);  // the space bar clicks a check box
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_DUPLEX), BST_CHECKED);
        drvtest::PressKey(dialog, IDC_COPIES, VK_RETURN);  // Enter presses the default button
    });
    EXPECT_EQ(DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_SETTINGS), nullptr, RecordingProc, 0), IDOK);
    EXPECT_EQ(g_commands, (std::vector<int>{IDC_LANDSCAPE, IDC_DUPLEX, IDOK}));

    person.OnDialog([](HWND dialog) { drvtest::PressKey(dialog, IDC_DUPLEX, VK_ESCAPE); });
    EXPECT_EQ(DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_SETTINGS), nullptr, RecordingProc, 0), IDCANCEL);
}

HHOOK g_filter = nullptr;
int g_filtered = 0;
LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && msg->message == WM_USER + 7) {
        ++g_filtered;
        return 1;  // handled: the dialog never sees it
    }
    return CallNextHookEx(g_filter, code, wParam, lParam);
}

INT_PTR CALLBACK UserMessageProc(HWND dialog, UINT msg, WPARAM, LPARAM) {
    if (msg == WM_USER + 7 || msg == WM_USER + 8) g_commands.push_back(static_cast<int>(msg));
    if (msg == WM_USER + 8) EndDialog(dialog, 42);
    return msg == WM_INITDIALOG;
}

TEST_F(Keyboard, ModalLoopPassesMessagesThroughTheFilterHook) {
    g_filter = SetWindowsHookExA(WH_MSGFILTER, MessageFilter, nullptr, 0);
    drvtest::ScriptedUser person;
    person.OnDialog([](HWND dialog) {
        PostMessageA(dialog, WM_USER + 7, 0, 0);
        // Posted from another thread, as the device-information library's callbacks do.
        std::thread([dialog] { PostMessageA(dialog, WM_USER + 8, 0, 0); }).join();
    });
    EXPECT_EQ(DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_SETTINGS), nullptr, UserMessageProc, 0), 42);
    EXPECT_EQ(g_filtered, 1);
    EXPECT_EQ(g_commands, std::vector<int>{WM_USER + 8});
    UnhookWindowsHookEx(g_filter);
}

// A picture control subclassed the way the previews do it: the object in the user data, the old
// procedure kept and called for everything the subclass leaves alone.
struct Picture {
    WNDPROC old = nullptr;
    int clicks = 0;
};

LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* picture = reinterpret_cast<Picture*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_LBUTTONDOWN) {
        ++picture->clicks;
        return 1;
    }
    return CallWindowProcA(picture->old, hwnd, msg, wParam, lParam);
}

TEST_F(Keyboard, SubclassedStaticKeepsItsTextAndSeesClicks) {
    HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_SETTINGS), nullptr, RecordingProc, 0);
    HWND label = GetDlgItem(dialog, IDC_LABEL);
    Picture picture;
    SetWindowLongPtrA(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&picture));
    picture.old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PictureProc)));
    SendMessageA(label, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(picture.clicks, 1);
    char text[32];
    GetWindowTextA(label, text, sizeof text);
    EXPECT_STREQ(text, "Paper size:");
    EXPECT_EQ(SendMessageA(label, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(picture.old));  // restored before it dies
    DestroyWindow(dialog);
}

// A window asking GetKeyState while it handles a message learns what that message says of the
// keys: a key message of the key, a mouse message of Shift, Ctrl and the buttons it carries.
TEST(KeyState, FollowsTheKeyAndMouseMessagesGiven) {
    HWND window = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
    SendMessageA(window, WM_KEYDOWN, VK_SHIFT, 0);
    EXPECT_TRUE(down(VK_SHIFT));
    SendMessageA(window, WM_KEYUP, VK_SHIFT, 0);
    EXPECT_FALSE(down(VK_SHIFT));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, 0);
    EXPECT_TRUE(down(VK_SHIFT));
    EXPECT_TRUE(down(VK_LBUTTON));
    EXPECT_FALSE(down(VK_CONTROL));
    SendMessageA(window, WM_LBUTTONUP, MK_CONTROL, 0);
    EXPECT_FALSE(down(VK_SHIFT));
    EXPECT_FALSE(down(VK_LBUTTON));
    EXPECT_TRUE(down(VK_CONTROL));
    SendMessageA(window, WM_MOUSEMOVE, 0, 0);
    for (int key : {-1, 256, 0x10000}) EXPECT_EQ(GetKeyState(key), 0) << key;
    DestroyWindow(window);
}

}  // namespace
