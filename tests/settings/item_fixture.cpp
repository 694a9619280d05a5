// The dialog procedure of the item tests: it does for its items what the settings page does.
#include "item_fixture.h"

#include "platform/resources/res_file.h"

namespace itemtest {

ItemPage* g_page = nullptr;

namespace {

void ReadBack(HWND dialog, int id) {
    CmSvControl* control = g_page->ControlFor(id);
    if (!control || !control->FromDialog(g_page->ctx, dialog, id)) return;
    g_page->changed.push_back(dynamic_cast<CmSv*>(control)->key);
    control->ToDialog(g_page->ctx, dialog, 1);
}

}  // namespace

INT_PTR CALLBACK ItemPageProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!g_page) return FALSE;
    switch (msg) {
    case WM_INITDIALOG:
        for (CmSv* item : g_page->items)
            if (auto* control = dynamic_cast<CmSvControl*>(item)) control->ToDialog(g_page->ctx, dialog, 0);
        return TRUE;
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        CmSvControl* control = g_page->ControlFor(static_cast<int>(measure->CtlID));
        return control && control->MeasureItem(measure);
    }
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        CmSvControl* control = g_page->ControlFor(static_cast<int>(draw->CtlID));
        if (control && control->DrawItem(g_page->ctx, draw->hwndItem, static_cast<int32_t>(draw->CtlID), draw))
            ++g_page->drawn;
        return TRUE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (id == IDOK) {
            for (int field : {ITC_SCALE, ITC_SHADE, ITC_NAME}) ReadBack(dialog, field);
            EndDialog(dialog, IDOK);
        } else if (id == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        } else if (code == BN_CLICKED || code == CBN_SELCHANGE) {  // LBN_SELCHANGE is CBN_SELCHANGE
            ReadBack(dialog, id);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

HMODULE OpenItemDialogs() { return res::OpenResourceFile(DRVOPUI_BINARY_DIR "/tests/settings/item_dialogs.res"); }

}  // namespace itemtest
