// Up-down, track bar and progress bar: their ranges and positions, and what the parent hears when
// a person clicks, drags or presses keys.
#include "parent_window.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using cctest::g_heard;
using cctest::Heard;

HWND makeBuddy(HWND parent) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "Edit";
    RegisterClassA(&wc);  // the system's edit control when there is one
    return cctest::MakeChild(parent, "Edit", 0, 100, 10, 10, 60, 20);
}

TEST(UpDown, RangeWordsClampedPositionWrapAndTheDefaultRangeRunningDownwards) {
    HWND parent = cctest::MakeParent();
    HWND spin = cctest::MakeChild(parent, UPDOWN_CLASSA, 0, 101);
    EXPECT_EQ(SendMessageA(spin, UDM_GETRANGE, 0, 0), MAKELONG(0, 100));  // default: 100 down to 0
    SendMessageA(spin, UDM_SETRANGE, 0, MAKELONG(30, 0));
    LRESULT range = SendMessageA(spin, UDM_GETRANGE, 0, 0);
    EXPECT_EQ(LOWORD(range), 30);  // low word the maximum, high word the minimum
    EXPECT_EQ(HIWORD(range), 0);
    SendMessageA(spin, UDM_SETPOS, 0, MAKELONG(45, 0));
    EXPECT_EQ(LOWORD(SendMessageA(spin, UDM_GETPOS, 0, 0)), 30);
    SendMessageA(spin, UDM_SETRANGE32, static_cast<WPARAM>(-180), 180);
    SendMessageA(spin, UDM_SETPOS32, 0, -90);
    EXPECT_EQ(SendMessageA(spin, UDM_GETPOS32, 0, 0), -90);
    HWND wrapping = cctest::MakeChild(parent, UPDOWN_CLASSA, UDS_WRAP, 103, 0, 0, 12, 20);
    SendMessageA(wrapping, UDM_SETRANGE, 0, MAKELONG(3, 1));
    SendMessageA(wrapping, UDM_SETPOS, 0, 3);
    SendMessageA(wrapping, WM_LBUTTONDOWN, MK_LBUTTON, cctest::At(5, 2));
    EXPECT_EQ(LOWORD(SendMessageA(wrapping, UDM_GETPOS, 0, 0)), 1);

    HWND plain = cctest::MakeChild(parent, UPDOWN_CLASSA, 0, 102, 0, 0, 12, 20);
    SendMessageA(plain, UDM_SETPOS, 0, 50);
    SendMessageA(plain, WM_LBUTTONDOWN, MK_LBUTTON, cctest::At(5, 2));  // up, towards 0
    EXPECT_EQ(LOWORD(SendMessageA(plain, UDM_GETPOS, 0, 0)), 49);
    DestroyWindow(parent);
}

TEST(UpDown, ArrowClickAsksParentThenMovesAndWritesBuddy) {
    HWND parent = cctest::MakeParent();
    HWND edit = makeBuddy(parent);
    HWND spin = cctest::MakeChild(parent, UPDOWN_CLASSA, UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY, 101, 0, 0, 12, 20);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0)), edit);
    SendMessageA(spin, UDM_SETRANGE, 0, MAKELONG(15, 1));
    SendMessageA(spin, UDM_SETPOS, 0, 14);
    char text[16];
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "14");

    g_heard.clear();
    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, cctest::At(5, 2));  // upper half: up
    SendMessageA(spin, WM_LBUTTONUP, 0, cctest::At(5, 2));
    std::vector<std::pair<UINT, int>> seen;
    for (const Heard& h : g_heard) seen.push_back({h.code, h.item});
    EXPECT_EQ(seen, (std::vector<std::pair<UINT, int>>{{UDN_DELTAPOS, 14}, {4 /*SB_THUMBPOSITION*/, 15}, {8 /*SB_ENDSCROLL*/, 15}}));
    EXPECT_EQ(g_heard[0].extra, 1u);
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "15");

    // At the maximum the position stays; a refusing parent keeps it too.
    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, cctest::At(5, 2));
    EXPECT_EQ(LOWORD(SendMessageA(spin, UDM_GETPOS, 0, 0)), 15);
    cctest::g_refuse = UDN_DELTAPOS;
    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, cctest::At(5, 18));  // down
    EXPECT_EQ(LOWORD(SendMessageA(spin, UDM_GETPOS, 0, 0)), 15);

    // A number typed into the buddy is read back; a text that is no number reports an error.
    SetWindowTextA(edit, "7");
    EXPECT_EQ(SendMessageA(spin, UDM_GETPOS, 0, 0), MAKELONG(7, 0));
    SetWindowTextA(edit, "seven");
    EXPECT_NE(HIWORD(SendMessageA(spin, UDM_GETPOS, 0, 0)), 0);
    DestroyWindow(parent);
}

TEST(TrackBar, RangePositionTicksAndTheScrollCodesOfKeysAndDrags) {
    HWND parent = cctest::MakeParent();
    HWND bar = cctest::MakeChild(parent, TRACKBAR_CLASSA, TBS_AUTOTICKS, 10196, 10, 10, 216, 30);
    EXPECT_EQ(SendMessageA(bar, TBM_GETRANGEMAX, 0, 0), 100);
    EXPECT_EQ(SendMessageA(bar, TBM_GETPAGESIZE, 0, 0), 20);
    SendMessageA(bar, TBM_SETPOS, TRUE, 80);
    SendMessageA(bar, TBM_SETRANGE, TRUE, MAKELONG(-50, 50));
    EXPECT_EQ(SendMessageA(bar, TBM_GETRANGEMIN, 0, 0), -50);
    EXPECT_EQ(SendMessageA(bar, TBM_GETPOS, 0, 0), 50);  // clamped into the new range
    SendMessageA(bar, TBM_SETTICFREQ, 10, 0);
    EXPECT_EQ(SendMessageA(bar, TBM_GETNUMTICS, 0, 0), 11);  // -40..40 and both ends
    EXPECT_EQ(SendMessageA(bar, TBM_GETTIC, 0, 0), -40);
    EXPECT_FALSE(SendMessageA(bar, TBM_SETTIC, 0, 50));  // an end is no tick of its own
    EXPECT_TRUE(g_heard.empty());  // set by messages: nobody is told
    DestroyWindow(parent);

    HWND keyParent = cctest::MakeParent();
    HWND keyed = cctest::MakeChild(keyParent, TRACKBAR_CLASSA, 0, 10423, 10, 10, 216, 30);
    SendMessageA(keyed, TBM_SETRANGE, TRUE, MAKELONG(-5, 5));
    SendMessageA(keyed, TBM_SETPAGESIZE, 0, 2);
    struct Step { WPARAM key; UINT code; int pos; };
    for (auto s : {Step{VK_RIGHT, TB_LINEDOWN, 1}, Step{VK_NEXT, TB_PAGEDOWN, 3}, Step{VK_END, TB_BOTTOM, 5},
                   Step{VK_LEFT, TB_LINEUP, 4}, Step{VK_HOME, TB_TOP, -5}}) {
        g_heard.clear();
        SendMessageA(keyed, WM_KEYDOWN, s.key, 0);
        SendMessageA(keyed, WM_KEYUP, s.key, 0);
        ASSERT_EQ(g_heard.size(), 2u) << s.key;
        EXPECT_EQ(g_heard[0].msg, static_cast<UINT>(WM_HSCROLL));
        EXPECT_EQ(g_heard[0].code, s.code);
        EXPECT_EQ(g_heard[1].code, static_cast<UINT>(TB_ENDTRACK));
        EXPECT_EQ(SendMessageA(keyed, TBM_GETPOS, 0, 0), s.pos);
    }

    // Drag the thumb from -5 (its left end) to the middle of the channel.
    RECT thumb;
    SendMessageA(keyed, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    g_heard.clear();
    SendMessageA(keyed, WM_LBUTTONDOWN, MK_LBUTTON, cctest::At((thumb.left + thumb.right) / 2, 10));
    SendMessageA(keyed, WM_MOUSEMOVE, MK_LBUTTON, cctest::At(108, 10));
    SendMessageA(keyed, WM_LBUTTONUP, 0, cctest::At(108, 10));
    std::vector<std::pair<UINT, int>> seen;
    for (const Heard& h : g_heard) seen.push_back({h.code, h.item});
    EXPECT_EQ(seen, (std::vector<std::pair<UINT, int>>{{TB_THUMBTRACK, 0}, {TB_THUMBPOSITION, 0}, {TB_ENDTRACK, 0}}));

    HWND vertical = cctest::MakeChild(keyParent, TRACKBAR_CLASSA, TBS_VERT, 10424, 10, 50, 30, 100);
    g_heard.clear();
    SendMessageA(vertical, WM_KEYDOWN, VK_DOWN, 0);
    ASSERT_FALSE(g_heard.empty());
    EXPECT_EQ(g_heard[0].msg, static_cast<UINT>(WM_VSCROLL));
    DestroyWindow(keyParent);
}

// The progress bar is moved by the program alone: positions stay in the range, a step past the
// end starts over, and the answers are the previous values.
TEST(ProgressBar, RangePositionAndSteps) {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_PROGRESS_CLASS};
    ASSERT_TRUE(InitCommonControlsEx(&init));
    HWND parent = cctest::MakeParent();
    HWND bar = cctest::MakeChild(parent, PROGRESS_CLASSA, PBS_SMOOTH, 102);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(10, 50)), MAKELONG(0, 100));
    PBRANGE range{};
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 10);
    EXPECT_EQ(range.iHigh, 50);
    struct Case { UINT msg; WPARAM arg; LRESULT answer; int pos; };
    for (auto c : {Case{PBM_GETPOS, 0, 10, 10},        // the position moved into the new range
                   Case{PBM_SETPOS, 80, 10, 50},       // clamped to the end
                   Case{PBM_DELTAPOS, WPARAM(-15), 50, 35},
                   Case{PBM_SETSTEP, 10, 10, 35},      // the previous step
                   Case{PBM_STEPIT, 0, 35, 45},
                   Case{PBM_STEPIT, 0, 45, 15}}) {     // 55 is past the end: it starts over
        EXPECT_EQ(SendMessageA(bar, c.msg, c.arg, 0), c.answer) << c.msg;
        EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), c.pos) << c.msg;
    }
    EXPECT_EQ(SendMessageA(bar, PBM_SETBARCOLOR, 0, RGB(0, 128, 0)), static_cast<LRESULT>(CLR_DEFAULT));
    // A range over every int fills and steps without overflowing.
    SendMessageA(bar, PBM_SETRANGE32, static_cast<WPARAM>(INT_MIN), INT_MAX);
    SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(INT_MAX), 0);
    SendMessageA(bar, PBM_SETSTEP, 10, 0);
    SendMessageA(bar, PBM_STEPIT, 0, 0);
    EXPECT_EQ(SendMessageA(bar, PBM_DELTAPOS, 10, 0), INT_MIN + 10);  // the step past the end started over
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), INT_MIN + 20);
    UpdateWindow(parent);
    DestroyWindow(parent);
}

TEST(TrackBar, RangeOverEveryIntKeepsTheThumbInside) {
    HWND parent = cctest::MakeParent();
    HWND slider = cctest::MakeChild(parent, TRACKBAR_CLASSA, TBS_AUTOTICKS, 103, 10, 10, 200, 30);
    SendMessageA(slider, TBM_SETRANGEMIN, FALSE, INT_MIN);
    SendMessageA(slider, TBM_SETRANGEMAX, FALSE, INT_MAX);
    SendMessageA(slider, TBM_SETTICFREQ, 0x40000000, 0);
    for (int pos : {INT_MIN, 0, INT_MAX}) {
        SendMessageA(slider, TBM_SETPOS, TRUE, pos);
        RECT thumb;
        SendMessageA(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        EXPECT_GE(thumb.left, 0) << pos;
        EXPECT_LE(thumb.right, 200) << pos;
        UpdateWindow(parent);
    }
    for (WPARAM key : {VK_NEXT, VK_RIGHT, VK_END}) SendMessageA(slider, WM_KEYDOWN, key, 0);
    SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, cctest::At(30, 15));  // beside the thumb: a page
    EXPECT_EQ(SendMessageA(slider, TBM_GETPOS, 0, 0), INT_MAX - SendMessageA(slider, TBM_GETPAGESIZE, 0, 0));
    RECT thumb;
    SendMessageA(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, cctest::At((thumb.left + thumb.right) / 2, 15));
    SendMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, cctest::At(5, 15));
    SendMessageA(slider, WM_LBUTTONUP, 0, cctest::At(5, 15));
    EXPECT_EQ(SendMessageA(slider, TBM_GETPOS, 0, 0), INT_MIN);
    DestroyWindow(parent);
}

}  // namespace
