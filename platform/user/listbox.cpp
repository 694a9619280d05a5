// The "ListBox" class: entries with one selection (or several with LBS_MULTIPLESEL and
// LBS_EXTENDEDSEL), owner-drawn with fixed or variable heights, with or without strings. Choices a
// person makes notify LBN_SELCHANGE when LBS_NOTIFY is set; LB_SETCURSEL notifies nothing.
#include "platform/user/control_paint.h"
#include "platform/user/control_state.h"
#include "platform/user/controls.h"
#include "platform/user/item_list.h"
#include "platform/user/owner_draw.h"
#include "platform/user/window.h"

namespace user {
namespace {

struct ListState {
    ItemList items;
    int selected = -1;  // single selection; the caret of multiple-selection lists
    int top = 0;
    bool focused = false;
    HFONT font = nullptr;
    int tabStop = 0;  // pixels; LBS_USETABSTOPS with one stop set
};

bool multiple(HWND hwnd) { return (StyleOf(hwnd) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
bool ownerDraw(HWND hwnd) { return (StyleOf(hwnd) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }

void notify(HWND hwnd, UINT code) {
    if (StyleOf(hwnd) & LBS_NOTIFY) NotifyParent(hwnd, code);
}

void userSelect(HWND hwnd, ListState& s, int index) {
    if (!s.items.valid(index) || (StyleOf(hwnd) & LBS_NOSEL)) return;
    if (multiple(hwnd)) {
        s.items.at(index).selected = !s.items.at(index).selected || !(StyleOf(hwnd) & LBS_MULTIPLESEL);
        s.selected = index;
    } else {
        if (index == s.selected) return;
        s.selected = index;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    notify(hwnd, LBN_SELCHANGE);
}

void afterInsert(ListState& s, int at) {
    if (at >= 0 && s.selected >= at) ++s.selected;
}

int selectedCount(const ListState& s) {
    int n = 0;
    for (int i = 0; i < s.items.count(); ++i) n += s.items.at(i).selected ? 1 : 0;
    return n;
}

void paint(HWND hwnd, ListState& s) {
    PaintScope scope(hwnd);
    HDC dc = scope.dc();
    RECT client = scope.client();
    bool enabled = IsWindowEnabled(hwnd);
    if (dc) FillRect(dc, &client, ParentBrush(hwnd, dc, WM_CTLCOLORLISTBOX));
    for (int i = s.top; i < s.items.count(); ++i) {
        RECT item{0, s.items.offsetOf(s.top, i), client.right, 0};
        item.bottom = item.top + static_cast<int>(s.items.itemHeight(i));
        if (item.top >= client.bottom) break;
        bool on = multiple(hwnd) ? s.items.at(i).selected : i == s.selected;
        if (ownerDraw(hwnd)) {
            UINT state = (on ? ODS_SELECTED : 0) | (s.focused && i == s.selected ? ODS_FOCUS : 0) |
                         (enabled ? 0 : ODS_DISABLED);
            DrawItem(hwnd, dc, ODT_LISTBOX, static_cast<UINT>(i), ODA_DRAWENTIRE, state, item, s.items.at(i).data);
            if (!IsWindow(hwnd)) return;
        } else if (dc) {
            const int tab = (StyleOf(hwnd) & LBS_USETABSTOPS) ? s.tabStop : 0;
            DrawPlainEntry(dc, item, s.items.at(i).text, on, enabled, tab);
            if (s.focused && i == s.selected) DrawFocusRect(dc, &item);
        }
    }
}

}  // namespace

LRESULT CALLBACK ListBoxWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ManageState<ListState>(hwnd, msg);
    ListState* s = StateOf<ListState>(hwnd);
    if (!s) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (LRESULT answer = 0; ManageFont(hwnd, msg, wParam, lParam, s->font, answer)) return answer;
    auto index = static_cast<INT_PTR>(wParam);
    switch (msg) {
    case WM_CREATE: {
        DWORD style = StyleOf(hwnd);
        s->items.configure(hwnd, ODT_LISTBOX, ownerDraw(hwnd), (style & LBS_OWNERDRAWVARIABLE) != 0,
                           (style & LBS_HASSTRINGS) != 0, (style & LBS_SORT) != 0);
        return 0;
    }
    case WM_DESTROY:
        s->items.clear();
        return 0;
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        int at = msg == LB_ADDSTRING ? s->items.add(lParam) : s->items.insert(index, lParam);
        afterInsert(*s, at);
        InvalidateRect(hwnd, nullptr, TRUE);
        return at < 0 ? LB_ERR : at;
    }
    case LB_DELETESTRING: {
        if (!s->items.valid(index)) return LB_ERR;
        int removedAt = static_cast<int>(index);
        int left = s->items.remove(index);
        if (s->selected == removedAt) s->selected = -1;
        else if (s->selected > removedAt) --s->selected;
        InvalidateRect(hwnd, nullptr, TRUE);
        return left;
    }
    case LB_SETTABSTOPS: {
        // One stop in the owning dialog's units; none resets.
        const int* stops = reinterpret_cast<const int*>(lParam);
        RECT stop{0, 0, wParam == 1 && stops ? stops[0] : 0, 0};
        if (!MapDialogRect(GetParent(hwnd), &stop)) stop.right = stop.right * LOWORD(GetDialogBaseUnits()) / 4;
        s->tabStop = stop.right;
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    case LB_RESETCONTENT:
        s->items.clear();
        s->selected = -1;
        s->top = 0;
        InvalidateRect(hwnd, nullptr, TRUE);
        return LB_OKAY;
    case LB_GETCOUNT:
        return s->items.count();
    case LB_GETCURSEL:
        if (multiple(hwnd)) return s->selected;
        return s->selected < 0 ? LB_ERR : s->selected;
    case LB_SETCURSEL:
        if (multiple(hwnd)) return LB_ERR;
        s->selected = s->items.valid(index) ? static_cast<int>(index) : -1;
        InvalidateRect(hwnd, nullptr, FALSE);
        return s->selected < 0 && index != -1 ? LB_ERR : s->selected;
    case LB_SETSEL: {
        if (!multiple(hwnd)) return LB_ERR;
        auto which = static_cast<INT_PTR>(lParam);
        if (which == -1) {
            for (int i = 0; i < s->items.count(); ++i) s->items.at(i).selected = wParam != 0;
        } else if (s->items.valid(which)) {
            s->items.at(static_cast<int>(which)).selected = wParam != 0;
        } else {
            return LB_ERR;
        }
        InvalidateRect(hwnd, nullptr, FALSE);
        return LB_OKAY;
    }
    case LB_GETSEL:
        if (!s->items.valid(index)) return LB_ERR;
        return multiple(hwnd) ? s->items.at(static_cast<int>(index)).selected : index == s->selected;
    case LB_GETSELCOUNT:
        return multiple(hwnd) ? selectedCount(*s) : LB_ERR;
    case LB_GETSELITEMS: {
        if (!multiple(hwnd)) return LB_ERR;
        auto* out = reinterpret_cast<INT*>(lParam);
        int n = 0;
        for (int i = 0; i < s->items.count() && n < static_cast<int>(wParam) && out; ++i)
            if (s->items.at(i).selected) out[n++] = i;
        return n;
    }
    case LB_GETTEXT:
        return s->items.text(index, reinterpret_cast<LPSTR>(lParam));
    case LB_GETTEXTLEN:
        return s->items.textLength(index);
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
        return s->items.find(index, lParam, msg == LB_FINDSTRINGEXACT);
    case LB_SELECTSTRING: {
        int found = s->items.find(index, lParam, false);
        if (found >= 0 && !multiple(hwnd)) s->selected = found;
        return found;
    }
    case LB_GETITEMDATA:
        return s->items.data(index);
    case LB_SETITEMDATA:
        return s->items.setData(index, static_cast<ULONG_PTR>(lParam)) ? TRUE : LB_ERR;
    case LB_SETITEMHEIGHT:
        if (!s->items.setItemHeight(index, LOWORD(lParam))) return LB_ERR;
        InvalidateRect(hwnd, nullptr, TRUE);
        return LB_OKAY;
    case LB_GETITEMHEIGHT:
        return s->items.itemHeight(index);
    case LB_GETITEMRECT: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (!rect || !s->items.valid(index)) return LB_ERR;
        RECT client;
        GetClientRect(hwnd, &client);
        int top = s->items.offsetOf(s->top, static_cast<int>(index));
        *rect = {0, top, client.right, top + static_cast<int>(s->items.itemHeight(index))};
        return 1;
    }
    case LB_GETTOPINDEX:
        return s->top;
    case LB_SETTOPINDEX:
        if (!s->items.valid(index)) return LB_ERR;
        s->top = static_cast<int>(index);
        InvalidateRect(hwnd, nullptr, TRUE);
        return LB_OKAY;
    case LB_SETCARETINDEX:
        if (!s->items.valid(index)) return LB_ERR;
        if (multiple(hwnd)) s->selected = static_cast<int>(index);
        return LB_OKAY;
    case LB_GETCARETINDEX:
        return s->selected < 0 ? 0 : s->selected;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_UP: userSelect(hwnd, *s, s->selected <= 0 ? 0 : s->selected - 1); break;
        case VK_DOWN: userSelect(hwnd, *s, s->selected + 1); break;
        case VK_HOME: userSelect(hwnd, *s, 0); break;
        case VK_END: userSelect(hwnd, *s, s->items.count() - 1); break;
        case VK_SPACE:
            if (multiple(hwnd) && s->selected >= 0) userSelect(hwnd, *s, s->selected);
            break;
        default: break;
        }
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        if ((s = StateOf<ListState>(hwnd))) userSelect(hwnd, *s, s->items.indexAt(s->top, static_cast<SHORT>(HIWORD(lParam))));
        return 0;
    case WM_LBUTTONDBLCLK:
        notify(hwnd, LBN_DBLCLK);
        return 0;
    case WM_SETFOCUS:
        s->focused = true;
        InvalidateRect(hwnd, nullptr, FALSE);
        notify(hwnd, LBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        s->focused = false;
        InvalidateRect(hwnd, nullptr, FALSE);
        notify(hwnd, LBN_KILLFOCUS);
        return 0;
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_PAINT:
        paint(hwnd, *s);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace user
