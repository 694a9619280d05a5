// The tab control: a row of tabs, one of them current. TCM_SETCURSEL changes the current tab
// silently; a person's click or arrow key asks the parent first (TCN_SELCHANGING, which may
// refuse) and then reports TCN_SELCHANGE, which is how a property sheet switches its pages.
#include "platform/commctl/common_control.h"
#include "platform/user/control_paint.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace commctl {
namespace {

constexpr int kTabHeight = 20;
constexpr int kBorder = 4;

struct Tab {
    std::string text;
    int image = -1;
    LPARAM param = 0;
    DWORD state = 0;
};

struct TabControl {
    std::vector<Tab> tabs;
    int current = -1;
    int focus = -1;
    HIMAGELIST images = nullptr;
    HFONT font = nullptr;
};

TabControl& state(HWND hwnd) { return *StateOf<TabControl>(hwnd); }
bool validIndex(const TabControl& t, int i) { return i >= 0 && static_cast<size_t>(i) < t.tabs.size(); }

// Tabs lie side by side from the left, each as wide as its text needs (an estimate of the
// dialog font's width: nothing is measured without a device).
RECT tabRect(HWND hwnd, int index) {
    const TabControl& t = state(hwnd);
    int x = 2;
    for (int i = 0; i < index; ++i) x += static_cast<int>(t.tabs[i].text.size()) * 6 + 12;
    int width = static_cast<int>(t.tabs[index].text.size()) * 6 + 12;
    return RECT{x, 0, x + width, kTabHeight};
}

int tabAt(HWND hwnd, POINT pt) {
    for (int i = 0; i < static_cast<int>(state(hwnd).tabs.size()); ++i) {
        RECT r = tabRect(hwnd, i);
        if (PtInRect(&r, pt)) return i;
    }
    return -1;
}

void fill(Tab& tab, const TCITEMA& in) {
    if ((in.mask & TCIF_TEXT) && in.pszText) tab.text = in.pszText;
    if (in.mask & TCIF_IMAGE) tab.image = in.iImage;
    if (in.mask & TCIF_PARAM) tab.param = in.lParam;
    if (in.mask & TCIF_STATE) tab.state = (tab.state & ~in.dwStateMask) | (in.dwState & in.dwStateMask);
}

// The display area in a raised frame under the row of tabs; each tab raised on three sides, the
// current one standing two pixels taller and wider and open into the display area below it.
void paint(HWND hwnd) {
    user::PaintScope scope(hwnd);
    HDC dc = scope.dc();
    if (!dc) return;
    const TabControl& t = state(hwnd);
    RECT c = scope.client();
    FillRect(dc, &c, GetSysColorBrush(COLOR_BTNFACE));
    RECT body{0, kTabHeight, c.right, c.bottom};
    DrawEdge(dc, &body, EDGE_RAISED, BF_RECT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    for (int i = 0; i < static_cast<int>(t.tabs.size()); ++i) {
        RECT tab = tabRect(hwnd, i);
        bool current = i == t.current;
        if (current) {
            InflateRect(&tab, 2, 0);
            tab.bottom += 1;
        } else {
            tab.top += 2;
        }
        RECT face = tab;
        FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &face, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT | BF_ADJUST);
        if (current) {
            RECT gap{face.left, kTabHeight - 1, face.right, kTabHeight + 1};
            FillRect(dc, &gap, GetSysColorBrush(COLOR_BTNFACE));
        }
        const std::string& text = t.tabs[i].text;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (current && GetFocus() == hwnd) {
            RECT focus = face;
            InflateRect(&focus, -2, -2);
            DrawFocusRect(dc, &focus);
        }
    }
}

// A person's choice of a tab: asked, then told.
void choose(HWND hwnd, int index) {
    if (!validIndex(state(hwnd), index) || index == state(hwnd).current) return;
    NMHDR h{};
    if (Notify(hwnd, TCN_SELCHANGING, &h) || !IsWindow(hwnd)) return;
    state(hwnd).current = index;
    state(hwnd).focus = index;
    InvalidateRect(hwnd, nullptr, FALSE);
    Notify(hwnd, TCN_SELCHANGE, &h);
}

}  // namespace

static LRESULT tabControlBody(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (ManageState<TabControl>(hwnd, msg, answer)) return answer;
    if (!StateOf<TabControl>(hwnd)) return DefWindowProcA(hwnd, msg, wParam, lParam);
    TabControl& t = state(hwnd);
    if (user::ManageFont(hwnd, msg, wParam, lParam, t.font, answer)) return answer;
    auto* item = reinterpret_cast<TCITEMA*>(lParam);
    int index = static_cast<int>(wParam);
    switch (msg) {
    case TCM_GETITEMCOUNT: return static_cast<LRESULT>(t.tabs.size());
    case TCM_INSERTITEMA: {
        if (!item || index < 0) return -1;
        Tab tab;
        fill(tab, *item);
        size_t at = std::min(static_cast<size_t>(index), t.tabs.size());
        t.tabs.insert(t.tabs.begin() + static_cast<long>(at), tab);
        if (t.tabs.size() == 1) t.current = t.focus = 0;  // the first tab becomes current
        else if (t.current >= static_cast<int>(at)) ++t.current, ++t.focus;
        InvalidateRect(hwnd, nullptr, FALSE);
        return static_cast<LRESULT>(at);
    }
    case TCM_SETITEMA:
        if (!item || !validIndex(t, index)) return FALSE;
        fill(t.tabs[index], *item);
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    case TCM_GETITEMA: {
        if (!item || !validIndex(t, index)) return FALSE;
        const Tab& tab = t.tabs[index];
        if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
            size_t n = std::min(tab.text.size(), static_cast<size_t>(item->cchTextMax - 1));
            std::memcpy(item->pszText, tab.text.data(), n);
            item->pszText[n] = 0;
        }
        if (item->mask & TCIF_IMAGE) item->iImage = tab.image;
        if (item->mask & TCIF_PARAM) item->lParam = tab.param;
        if (item->mask & TCIF_STATE) item->dwState = tab.state & item->dwStateMask;
        return TRUE;
    }
    case TCM_DELETEITEM:
        if (!validIndex(t, index)) return FALSE;
        t.tabs.erase(t.tabs.begin() + index);
        if (t.current == index) t.current = -1;
        else if (t.current > index) --t.current;
        t.focus = t.current;
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    case TCM_DELETEALLITEMS:
        t.tabs.clear();
        t.current = t.focus = -1;
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    case TCM_GETCURSEL: return t.current;
    case TCM_SETCURSEL: {
        if (!validIndex(t, index)) return -1;
        int old = t.current;
        t.current = t.focus = index;
        InvalidateRect(hwnd, nullptr, FALSE);
        return old;
    }
    case TCM_GETCURFOCUS: return t.focus;
    case TCM_SETCURFOCUS: choose(hwnd, index); return 0;
    case TCM_GETROWCOUNT: return 1;
    case TCM_GETITEMRECT: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (!r || !validIndex(t, index)) return FALSE;
        *r = tabRect(hwnd, index);
        return TRUE;
    }
    case TCM_HITTEST: {
        auto* hit = reinterpret_cast<TCHITTESTINFO*>(lParam);
        if (!hit) return -1;
        int at = tabAt(hwnd, hit->pt);
        hit->flags = at < 0 ? TCHT_NOWHERE : TCHT_ONITEMLABEL;
        return at;
    }
    case TCM_ADJUSTRECT: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (!r) return 0;
        // The display area lies inside the border, below the row of tabs.
        int sign = wParam ? -1 : 1;
        r->left += sign * kBorder;
        r->right -= sign * kBorder;
        r->top += sign * (kTabHeight + kBorder);
        r->bottom -= sign * kBorder;
        return 0;
    }
    case TCM_SETIMAGELIST: {
        HIMAGELIST old = t.images;
        t.images = reinterpret_cast<HIMAGELIST>(lParam);
        return reinterpret_cast<LRESULT>(old);
    }
    case TCM_GETIMAGELIST: return reinterpret_cast<LRESULT>(t.images);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return TRUE;  // the painting covers every pixel
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN: {
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        int at = tabAt(hwnd, pt);
        if (at < 0) return 0;
        if (!(StyleOf(hwnd) & TCS_FOCUSNEVER)) SetFocus(hwnd);
        choose(hwnd, at);
        if (IsWindow(hwnd)) {
            NMHDR h{};
            Notify(hwnd, NM_CLICK, &h);
        }
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_LEFT && t.current > 0) choose(hwnd, t.current - 1);
        else if (wParam == VK_RIGHT && t.current + 1 < static_cast<int>(t.tabs.size())) choose(hwnd, t.current + 1);
        else break;
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK TabControlWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Guarded([&] { return tabControlBody(hwnd, msg, wParam, lParam); });
}

}  // namespace commctl
