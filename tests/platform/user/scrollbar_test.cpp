// The scroll bar control: its range, page and position as the program sets them, what a person's
// clicks, drags and keys report to the parent (and that they leave the position to the parent),
// and the thumb painted where the position puts it.
#include <windows.h>

#include "drvtest/test_window.h"
#include "drvtest/window_picture.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_reports;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_HSCROLL || msg == WM_VSCROLL) {
        std::string code = std::to_string(LOWORD(wParam));
        if (LOWORD(wParam) == SB_THUMBTRACK || LOWORD(wParam) == SB_THUMBPOSITION) code += "@" + std::to_string(HIWORD(wParam));
        g_reports.push_back((msg == WM_HSCROLL ? "h" : "v") + code);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class ScrollBars : public ::testing::Test {
protected:
    void SetUp() override {
        parent = drvtest::MakeWindow("ScrollBarTestParent", ParentProc, WS_POPUP | WS_VISIBLE, 300, 300);
        bar = CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 10, 10, 200, 16, parent,
                              reinterpret_cast<HMENU>(5), nullptr, nullptr);
        ASSERT_NE(bar, nullptr);
        g_reports.clear();
    }
    void TearDown() override { DestroyWindow(parent); }
    void click(int x, UINT down = WM_LBUTTONDOWN) {
        SendMessageA(bar, down, MK_LBUTTON, MAKELPARAM(x, 8));
        if (down == WM_LBUTTONDOWN) SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(x, 8));
    }
    // The first column after the left arrow button where a raised edge begins: the thumb's.
    int thumbLeft() {
        UpdateWindow(parent);
        POINT p{0, 8};
        for (int x = 16; x < 200; ++x) {
            p = {x, 8};
            MapWindowPoints(bar, parent, &p, 1);
            if (drvtest::WindowPixel(parent, p.x, p.y) == GetSysColor(COLOR_3DLIGHT)) return x;
        }
        return -1;
    }
    HWND parent = nullptr;
    HWND bar = nullptr;
};

TEST_F(ScrollBars, RangePageAndPositionStayConsistent) {
    int low = -1, high = -1;
    SendMessageA(bar, SBM_GETRANGE, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);
    EXPECT_EQ(SendMessageA(bar, SBM_SETRANGE, 10, 50), 0);   // the position moved into the range: 0 was kept
    EXPECT_EQ(SendMessageA(bar, SBM_GETPOS, 0, 0), 10);
    EXPECT_EQ(SendMessageA(bar, SBM_SETPOS, 70, TRUE), 10);   // the previous position, the new one clamped
    EXPECT_EQ(SendMessageA(bar, SBM_GETPOS, 0, 0), 50);
    SCROLLINFO si{sizeof si, SIF_PAGE, 0, 0, 11, 0, 0};
    EXPECT_EQ(SendMessageA(bar, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si)), 40);  // the last page ends at 50
    si = SCROLLINFO{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(SendMessageA(bar, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si)));
    EXPECT_EQ(si.nMin, 10);
    EXPECT_EQ(si.nMax, 50);
    EXPECT_EQ(si.nPage, 11u);
    EXPECT_EQ(si.nPos, 40);
    EXPECT_EQ(si.nTrackPos, 40);
    si.fMask = 0;
    EXPECT_FALSE(SendMessageA(bar, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si)));
    EXPECT_TRUE(g_reports.empty());  // the program's changes report nothing
}

TEST_F(ScrollBars, ClicksAndKeysAskTheParentAndLeaveThePositionToIt) {
    SendMessageA(bar, SBM_SETPOS, 50, TRUE);
    struct Case { int x; std::vector<std::string> reports; };
    for (const auto& c : {Case{4, {"h0", "h8"}},      // left arrow: a line up
                          Case{196, {"h1", "h8"}},    // right arrow: a line down
                          Case{30, {"h2", "h8"}},     // the track before the thumb: a page up
                          Case{170, {"h3", "h8"}}}) { // after it: a page down
        g_reports.clear();
        click(c.x);
        EXPECT_EQ(g_reports, c.reports) << c.x;
        EXPECT_EQ(SendMessageA(bar, SBM_GETPOS, 0, 0), 50) << c.x;
    }
    g_reports.clear();
    for (WPARAM key : {VK_LEFT, VK_RIGHT, VK_PRIOR, VK_NEXT, VK_HOME, VK_END, VK_UP}) {
        SendMessageA(bar, WM_KEYDOWN, key, 0);
        SendMessageA(bar, WM_KEYUP, key, 0);
    }
    EXPECT_EQ(g_reports, (std::vector<std::string>{"h0", "h8", "h1", "h8", "h2", "h8", "h3", "h8", "h6", "h8", "h7", "h8"}));
    EXPECT_EQ(SendMessageA(bar, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

TEST_F(ScrollBars, ThumbIsPaintedAtItsPositionAndFollowsADrag) {
    SendMessageA(bar, SBM_SETPOS, 0, TRUE);
    int atStart = thumbLeft();
    EXPECT_EQ(atStart, 16);  // right after the left arrow button, as wide as the bar is high
    SendMessageA(bar, SBM_SETPOS, 100, TRUE);
    EXPECT_EQ(thumbLeft(), 200 - 16 - 16);
    SendMessageA(bar, SBM_SETPOS, 50, TRUE);
    int middle = thumbLeft();
    EXPECT_EQ(middle, 16 + (200 - 48) / 2);
    EXPECT_TRUE(drvtest::SaveWindowPng(parent, DRVOPUI_TEST_OUTPUT_DIR "/scrollbar.png"));
    // Dragging the thumb by its middle to the far right tracks it there; the parent is told where.
    g_reports.clear();
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle + 8, 8));
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(190, 8));
    EXPECT_EQ(thumbLeft(), 200 - 16 - 16);
    SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(190, 8));
    EXPECT_EQ(g_reports, (std::vector<std::string>{"h5@100", "h4@100", "h8"}));
    EXPECT_EQ(thumbLeft(), middle);  // the parent did not take the new position
    // A range over every int keeps its thumb inside the bar at both ends.
    SendMessageA(bar, SBM_SETRANGE, static_cast<WPARAM>(INT_MIN), INT_MAX);
    SendMessageA(bar, SBM_SETPOS, static_cast<WPARAM>(INT_MAX), TRUE);
    EXPECT_EQ(thumbLeft(), 200 - 16 - 16);
    SendMessageA(bar, SBM_SETPOS, static_cast<WPARAM>(INT_MIN), TRUE);
    EXPECT_EQ(thumbLeft(), 16);
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 8));
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(199, 8));
    SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(199, 8));
    SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    EXPECT_TRUE(SendMessageA(bar, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si)));
}

}  // namespace
