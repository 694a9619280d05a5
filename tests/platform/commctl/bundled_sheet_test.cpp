// The bundled printer's pages in a property sheet: templates from the compiled resource module,
// tab texts from their captions, each page made when first shown, and the summary dialog's list
// view filled as the summary page fills it.
#include <commctrl.h>
#include <drvtest/scripted_sheet.h>
#include <drvtest/scripted_user.h>

#include "data/resources/drvopui_ids.h"
#include "platform/resources/res_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<int> g_initialised;

INT_PTR CALLBACK PageProc(HWND, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INITDIALOG) g_initialised.push_back(static_cast<int>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam));
    return msg == WM_INITDIALOG;
}

TEST(BundledSheet, PagesFromTheResourceModule) {
    HMODULE module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/data/resources/drvopui.res");
    ASSERT_NE(module, nullptr);
    PROPSHEETPAGEA pages[3]{};
    int ids[3] = {IDD_PAGE_SETUP, IDD_DEVICE_SETTINGS, IDD_PROFILE_PAGE};
    for (int i = 0; i < 3; ++i) {
        pages[i].dwSize = sizeof pages[i];
        pages[i].hInstance = module;
        pages[i].pszTemplate = MAKEINTRESOURCEA(ids[i]);
        pages[i].pfnDlgProc = PageProc;
        pages[i].lParam = ids[i];
    }
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hInstance = module;
    header.pszCaption = "Kelvar PCL5e";
    header.nPages = 3;
    header.ppsp = pages;

    g_initialised.clear();
    drvtest::ScriptedSheet person;
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        EXPECT_EQ(sheet.PageTitle(0), "Page Setup");
        EXPECT_EQ(sheet.PageTitle(2), "Profiles");
        char caption[64] = "";
        GetWindowTextA(sheet.Sheet(), caption, sizeof caption);
        EXPECT_STREQ(caption, "Kelvar PCL5e");
        EXPECT_NE(GetDlgItem(sheet.Page(), IDC_PAGE_SIZE), nullptr);
        EXPECT_TRUE(IsWindowVisible(sheet.Page()));
        EXPECT_TRUE(IsWindowEnabled(sheet.Page()));  // the template's WS_DISABLED does not reach a page
        EXPECT_TRUE(sheet.SelectPage(2));
        EXPECT_NE(GetDlgItem(sheet.Page(), IDC_PROFILE_LIST), nullptr);
        EXPECT_TRUE(sheet.PressOk());
    });
    EXPECT_EQ(PropertySheetA(&header), 1);
    EXPECT_EQ(g_initialised, (std::vector<int>{IDD_PAGE_SETUP, IDD_PROFILE_PAGE}));
}

INT_PTR CALLBACK SummaryProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) {
        HWND list = GetDlgItem(dialog, IDC_SUMMARY_LIST);
        char label[] = "Item", value[] = "Value";
        LVCOLUMNA col{LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM, LVCFMT_LEFT, 210, label, 0, 0, 0, 0};
        SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
        col.pszText = value;
        col.iSubItem = 1;
        SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&col));
        char row[] = "Page size", size[] = "A4";
        LVITEMA item{LVIF_TEXT | LVIF_PARAM, 0, 0, 0, 0, row, 0, 0, 0, 0};
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        LVITEMA sub{LVIF_TEXT, 0, 1, 0, 0, size, 0, 0, 0, 0};
        SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&sub));
        SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
        LVITEMA state{};
        state.state = state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
        SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
        return TRUE;
    }
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

TEST(BundledSheet, SummaryDialogHoldsItsListView) {
    InitCommonControls();
    HMODULE module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/data/resources/drvopui.res");
    ASSERT_NE(module, nullptr);
    drvtest::ScriptedUser person;
    std::string value;
    int selected = -1;
    person.OnDialog([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_SUMMARY_LIST);
        value = drvtest::ReadCell(list, 0, 1);
        selected = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED | LVNI_FOCUSED));
        drvtest::PressOk(dialog);
    });
    EXPECT_EQ(DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_SETTINGS_SUMMARY), nullptr, SummaryProc, 0), IDOK);
    EXPECT_EQ(value, "A4");
    EXPECT_EQ(selected, 0);
}

}  // namespace
