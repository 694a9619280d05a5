// A plain parent window for control tests: it logs what its controls tell it and can refuse one
// notification code, as a dialog procedure would.
#pragma once

#include <commctrl.h>

#include "drvtest/test_window.h"

#include <string>
#include <vector>

namespace cctest {

struct Heard {
    UINT msg;
    UINT code;   // notification code, or the scroll code of WM_HSCROLL / WM_VSCROLL
    int item;    // list-view item, up-down position, or scroll position
    UINT extra;  // list-view new state, up-down delta
};

inline std::vector<Heard> g_heard;
inline UINT g_refuse = 0;  // notification code answered with TRUE

inline LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        auto* h = reinterpret_cast<NMHDR*>(lParam);
        Heard e{msg, h->code, 0, 0};
        if (h->code == LVN_ITEMCHANGING || h->code == LVN_ITEMCHANGED || h->code == LVN_COLUMNCLICK) {
            auto* nm = reinterpret_cast<NMLISTVIEW*>(lParam);
            e.item = h->code == LVN_COLUMNCLICK ? nm->iSubItem : nm->iItem;
            e.extra = nm->uNewState;
        } else if (h->code == UDN_DELTAPOS) {
            auto* ud = reinterpret_cast<NMUPDOWN*>(lParam);
            e.item = ud->iPos;
            e.extra = static_cast<UINT>(ud->iDelta);
        }
        g_heard.push_back(e);
        return h->code == g_refuse ? TRUE : FALSE;
    }
    if (msg == WM_HSCROLL || msg == WM_VSCROLL) {
        g_heard.push_back({msg, LOWORD(wParam), static_cast<short>(HIWORD(wParam)), 0});
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

inline HWND MakeParent() {
    InitCommonControls();
    g_heard.clear();
    g_refuse = 0;
    return drvtest::MakeWindow("ControlTestParent", ParentProc, WS_OVERLAPPED | WS_VISIBLE, 400, 300);
}

inline HWND MakeChild(HWND parent, const char* cls, DWORD style, int id, int x = 10, int y = 10, int w = 200, int h = 100) {
    return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

inline LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace cctest
