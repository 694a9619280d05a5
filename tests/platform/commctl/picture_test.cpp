// Pictures of the common controls: a dialog with each of them, filled as a page fills them, saved
// as PNG; each control's items and state show at the pixels where they belong (texts in the list
// view's cells, the selected row, the slider's thumb at its position, the tooltip's text on its
// colour).
#include <windows.h>

#include <commctrl.h>

#include "common_controls_ids.h"
#include "drvtest/window_picture.h"
#include "platform/resources/res_file.h"

#include <gtest/gtest.h>

namespace {

INT_PTR CALLBACK FillingProc(HWND dialog, UINT msg, WPARAM, LPARAM) {
    if (msg != WM_INITDIALOG) return FALSE;
    HWND list = GetDlgItem(dialog, IDC_LIST);
    const char* headers[] = {"Paper", "Size"};
    for (int c = 0; c < 2; ++c) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 100 - 30 * c;
        column.pszText = const_cast<char*>(headers[c]);
        SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
    const char* rows[][2] = {{"Letter", "8.5x11"}, {"Legal", "8.5x14"}, {"A4", "210x297"}};
    for (int r = 0; r < 3; ++r) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<char*>(rows[r][0]);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<char*>(rows[r][1]);
        SendMessageA(list, LVM_SETITEMTEXTA, r, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    LVITEMA checked{};
    checked.state = INDEXTOSTATEIMAGEMASK(2);
    checked.stateMask = LVIS_STATEIMAGEMASK;
    SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&checked));
    LVITEMA selected{};
    selected.state = selected.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&selected));
    HWND tabs = GetDlgItem(dialog, IDC_TABS);
    const char* names[] = {"Layout", "Paper", "Quality"};
    for (int t = 0; t < 3; ++t) {
        TCITEMA tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<char*>(names[t]);
        SendMessageA(tabs, TCM_INSERTITEMA, t, reinterpret_cast<LPARAM>(&tab));
    }
    SendMessageA(tabs, TCM_SETCURSEL, 1, 0);
    HWND slider = GetDlgItem(dialog, IDC_SLIDER);
    SendMessageA(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    SendMessageA(slider, TBM_SETPOS, TRUE, 7);
    SendDlgItemMessageA(dialog, IDC_SPIN, UDM_SETRANGE32, 1, 999);
    SendDlgItemMessageA(dialog, IDC_SPIN, UDM_SETPOS32, 0, 25);
    SendDlgItemMessageA(dialog, IDC_PROGRESS, PBM_SETPOS, 40, 0);
    SetFocus(list);
    return FALSE;
}

class CommonControlPictures : public ::testing::Test {
protected:
    void SetUp() override {
        InitCommonControls();
        module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/tests/platform/commctl/common_controls.res");
        ASSERT_NE(module, nullptr);
        dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_COMMON_CONTROLS), nullptr, FillingProc, 0);
        ASSERT_NE(dialog, nullptr) << GetLastError();
        ShowWindow(dialog, SW_SHOW);
        ASSERT_TRUE(drvtest::SaveWindowPng(dialog, DRVOPUI_TEST_OUTPUT_DIR "/common_controls.png"));
    }
    void TearDown() override {
        DestroyWindow(dialog);
        res::CloseResourceFile(module);
    }
    HWND item(int id) { return GetDlgItem(dialog, id); }
    // The colour at a point of a control's client area, read from the dialog's picture.
    COLORREF at(int id, int x, int y) {
        POINT p{x, y};
        MapWindowPoints(item(id), dialog, &p, 1);
        return drvtest::WindowPixel(dialog, p.x, p.y);
    }
    int count(int id, const RECT& r, COLORREF color) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += at(id, x, y) == color;
        return n;
    }
    HMODULE module = nullptr;
    HWND dialog = nullptr;
};

TEST_F(CommonControlPictures, EachControlShowsItsItemsAndStateWhereTheyBelong) {
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    RECT header{2, 2, 98, 18};
    EXPECT_GT(count(IDC_LIST, header, GetSysColor(COLOR_BTNTEXT)), 5) << "header text";
    for (int sub = 0; sub < 2; ++sub) {
        RECT cell{LVIR_BOUNDS, sub, 0, 0};
        ASSERT_TRUE(SendMessageA(item(IDC_LIST), LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell)));
        if (sub == 0) cell.right = 100;
        EXPECT_GT(count(IDC_LIST, cell, text), 5) << "item 0, column " << sub;
    }
    // The selected row is highlighted across both columns (full-row selection), with its texts.
    RECT label{LVIR_LABEL, 0, 0, 0};
    ASSERT_TRUE(SendMessageA(item(IDC_LIST), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&label)));
    EXPECT_GT(count(IDC_LIST, label, GetSysColor(COLOR_HIGHLIGHT)), (label.right - label.left) * 4) << "selected row";
    EXPECT_GT(count(IDC_LIST, label, GetSysColor(COLOR_HIGHLIGHTTEXT)), 5) << "selected text";
    RECT size{LVIR_BOUNDS, 1, 0, 0};
    ASSERT_TRUE(SendMessageA(item(IDC_LIST), LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&size)));
    EXPECT_GT(count(IDC_LIST, size, GetSysColor(COLOR_HIGHLIGHTTEXT)), 5) << "selected size";
    // The checked item's box has its tick; the others' boxes are empty.
    for (int row = 0; row < 3; ++row) {
        RECT bounds{LVIR_BOUNDS, 0, 0, 0};
        SendMessageA(item(IDC_LIST), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
        RECT box{5, bounds.top + 4, 12, bounds.bottom - 4};  // inside the box's sunken edge
        int ticks = count(IDC_LIST, box, text);
        if (row == 0) EXPECT_GT(ticks, 6) << row;
        else EXPECT_EQ(ticks, 0) << row;
    }
    // Below the last row the list is empty.
    RECT below{2, label.bottom + 16 + 2, 98, label.bottom + 16 + 14};
    EXPECT_EQ(count(IDC_LIST, below, text), 0);

    RECT thumb;
    SendMessageA(item(IDC_SLIDER), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    RECT client;
    GetClientRect(item(IDC_SLIDER), &client);
    // Along a row above the channel only the thumb breaks the face colour, at its left edge.
    int first = -1;
    for (int x = 0; x < client.right && first < 0; ++x)
        if (at(IDC_SLIDER, x, 3) != GetSysColor(COLOR_BTNFACE)) first = x;
    EXPECT_EQ(first, thumb.left);
    int expectedCentre = 8 + 7 * (client.right - 16) / 10;
    EXPECT_EQ((thumb.left + thumb.right) / 2, expectedCentre);
    // A tick under every step, from the first position to the last.
    for (int v : {0, 5, 10})
        EXPECT_EQ(at(IDC_SLIDER, 8 + v * (client.right - 16) / 10, client.bottom - 1), GetSysColor(COLOR_BTNTEXT)) << v;

    HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, dialog,
                               nullptr, nullptr, nullptr);
    ASSERT_NE(tip, nullptr);
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = dialog;
    tool.uId = 1;
    tool.lpszText = const_cast<char*>("Prints both sides");
    ASSERT_TRUE(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)));
    SendMessageA(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(40, 40));
    SendMessageA(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    ASSERT_TRUE(IsWindowVisible(tip));
    EXPECT_TRUE(drvtest::SaveWindowPng(tip, DRVOPUI_TEST_OUTPUT_DIR "/tooltip.png"));
    RECT r;
    GetClientRect(tip, &r);
    EXPECT_GT(r.right, 60);  // as wide as its text
    int background = 0, tipText = 0;
    for (int y = 1; y < r.bottom - 1; ++y)
        for (int x = 1; x < r.right - 1; ++x) {
            COLORREF c = drvtest::WindowPixel(tip, x, y);
            background += c == RGB(255, 255, 225);
            tipText += c == RGB(0, 0, 0);
        }
    EXPECT_GT(background, r.right * r.bottom / 2);
    EXPECT_GT(tipText, 20);
    DestroyWindow(tip);
}

}  // namespace
