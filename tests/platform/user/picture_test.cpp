// Pictures of dialogs: the controls paint themselves in the classic look, so a saved picture shows
// them and their states (the PNG lands in the test output folder for a person to look at).
#include <windows.h>

#include "drvtest/window_picture.h"
#include "platform/resources/res_file.h"
#include "test_dialog_ids.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

INT_PTR CALLBACK FillingProc(HWND dialog, UINT msg, WPARAM, LPARAM) {
    if (msg != WM_INITDIALOG) return FALSE;
    for (const char* tray : {"Auto", "Tray 1"})
        SendDlgItemMessageA(dialog, IDC_TRAYS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(tray));
    CheckDlgButton(dialog, IDC_DUPLEX, BST_CHECKED);
    CheckRadioButton(dialog, IDC_PORTRAIT, IDC_ROTATED, IDC_LANDSCAPE);
    SetDlgItemTextA(dialog, IDC_COPIES, "12");
    return TRUE;
}

// The colour at a control's point, in the dialog's client coordinates.
COLORREF at(HWND dialog, int id, int x, int y) {
    POINT p{x, y};
    MapWindowPoints(GetDlgItem(dialog, id), dialog, &p, 1);
    return drvtest::WindowPixel(dialog, p.x, p.y);
}

// Every pixel of the window's rectangle, read from the screen after it was painted.
std::vector<COLORREF> screenPixels(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    HDC screen = GetDC(nullptr);
    std::vector<COLORREF> pixels;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) pixels.push_back(GetPixel(screen, x, y));
    ReleaseDC(nullptr, screen);
    return pixels;
}

TEST(Pictures, DialogShowsItsControlsAndTheirStatesAndCoversEveryPixelOfItsRectangle) {
    HMODULE module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/tests/platform/user/test_dialogs.res");
    ASSERT_NE(module, nullptr);
    HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_SETTINGS), nullptr, FillingProc, 0);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOW);
    EXPECT_TRUE(drvtest::SaveWindowPng(dialog, DRVOPUI_TEST_OUTPUT_DIR "/settings_dialog.png"));
    RECT box;
    GetClientRect(GetDlgItem(dialog, IDC_DUPLEX), &box);
    int middle = box.bottom / 2;
    EXPECT_EQ(at(dialog, IDC_COPIES, 1, 1), GetSysColor(COLOR_WINDOW));   // an edit field is white
    EXPECT_EQ(at(dialog, IDC_GROUP, 150, 40), GetSysColor(COLOR_BTNFACE));  // the dialog's face
    EXPECT_EQ(at(dialog, IDC_TRAYS, 30, 2), GetSysColor(COLOR_WINDOW));
    // The checked box has its mark; the unchecked one is white inside.
    bool marked = false;
    for (int x = 2; x < 12; ++x)
        for (int y = middle - 5; y < middle + 5; ++y)
            marked = marked || at(dialog, IDC_DUPLEX, x, y) == GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_TRUE(marked);
    EXPECT_EQ(at(dialog, IDC_COLLATE, 6, middle), GetSysColor(COLOR_WINDOW));
    // The chosen radio button has its dot; the others none.
    EXPECT_EQ(at(dialog, IDC_LANDSCAPE, 6, middle), RGB(0, 0, 0));
    EXPECT_NE(at(dialog, IDC_PORTRAIT, 6, middle), RGB(0, 0, 0));
    // The list's own scroll bar has its two arrow buttons, each with its black triangle.
    RECT list;
    GetWindowRect(GetDlgItem(dialog, IDC_TRAYS), &list);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&list), 2);
    int arrowSide = GetSystemMetrics(SM_CXVSCROLL);
    for (int top : {list.top + 2, list.bottom - 2 - arrowSide}) {
        int dark = 0;
        for (int y = top; y < top + arrowSide; ++y)
            for (int x = list.right - 2 - arrowSide; x < list.right - 2; ++x) dark += drvtest::WindowPixel(dialog, x, y) == RGB(0, 0, 0);
        EXPECT_GT(dark, 2) << top;
    }
    DestroyWindow(dialog);

    // Painted over a screen holding one colour, then over one holding another: every pixel of its
    // rectangle is its own, so both pictures are the same whatever was drawn before.
    std::vector<COLORREF> pictures[2];
    COLORREF leftovers[2] = {RGB(255, 0, 255), RGB(0, 128, 0)};
    for (int i = 0; i < 2; ++i) {
        HDC screen = GetDC(nullptr);
        RECT all{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        HBRUSH brush = CreateSolidBrush(leftovers[i]);
        FillRect(screen, &all, brush);
        DeleteObject(brush);
        ReleaseDC(nullptr, screen);
        dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_SETTINGS), nullptr, FillingProc, 0);
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
        EXPECT_TRUE(drvtest::SaveWindowPng(dialog, DRVOPUI_TEST_OUTPUT_DIR "/settings_dialog_over_leftovers.png"));
        pictures[i] = screenPixels(dialog);
        DestroyWindow(dialog);
    }
    ASSERT_EQ(pictures[0].size(), pictures[1].size());
    size_t differing = 0;
    for (size_t p = 0; p < pictures[0].size(); ++p) differing += pictures[0][p] != pictures[1][p];
    EXPECT_EQ(differing, 0u);
    res::CloseResourceFile(module);
}

}  // namespace
