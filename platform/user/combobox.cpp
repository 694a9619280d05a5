// The "ComboBox" class: a selection field over a list that drops down (CBS_DROPDOWNLIST and
// CBS_DROPDOWN) or always shows (CBS_SIMPLE), owner-drawn with fixed or variable heights, with
// or without strings (then each entry is one pointer-sized item data). The window is as high as
// the selection field; the height it was made with is the dropped list's, as on the original.
// A person's choice notifies CBN_SELCHANGE, then CBN_SELENDOK and CBN_CLOSEUP as the list closes;
// the program's CB_SETCURSEL notifies nothing.
#include "platform/user/control_paint.h"
#include "platform/user/control_state.h"
#include "platform/user/controls.h"
#include "platform/user/item_list.h"
#include "platform/user/owner_draw.h"
#include "platform/user/truncated_text.h"
#include "platform/user/window.h"

#include <algorithm>
#include <string>

namespace user {
namespace {

constexpr int kFieldEdges = 6;  // the sunken frame around the selection field

struct ComboState {
    ItemList items;
    int selected = -1;
    int top = 0;
    bool dropped = false;
    bool focused = false;
    bool extendedUi = false;
    UINT fieldHeight = 15;
    int droppedHeight = 0;  // the whole control with its list shown
    int droppedWidth = 0;
    size_t limit = 0;  // 0: no limit on the edit field
    std::string edit;  // the text of the selection field of the editable kinds
    HFONT font = nullptr;
};

UINT kind(HWND hwnd) { return StyleOf(hwnd) & 3; }
bool ownerDraw(HWND hwnd) { return (StyleOf(hwnd) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }
int windowHeight(const ComboState& s) { return static_cast<int>(s.fieldHeight) + kFieldEdges; }

void notify(HWND hwnd, UINT code) { NotifyParent(hwnd, code); }

void select(HWND hwnd, ComboState& s, int index) {
    s.selected = s.items.valid(index) ? index : -1;
    if (s.selected >= 0 && s.items.hasStrings()) s.edit = s.items.at(s.selected).text;
    else if (kind(hwnd) == CBS_DROPDOWNLIST || s.selected < 0) s.edit.clear();
    InvalidateRect(hwnd, nullptr, FALSE);
}

// A person moved the selection: tells the parent only when it really changed.
void userSelect(HWND hwnd, ComboState& s, int index) {
    if (!s.items.valid(index) || index == s.selected) return;
    select(hwnd, s, index);
    notify(hwnd, CBN_SELCHANGE);
}

void dropDown(HWND hwnd, ComboState& s) {
    if (s.dropped || kind(hwnd) == CBS_SIMPLE) return;
    notify(hwnd, CBN_DROPDOWN);  // before the list shows, so the parent may fill it
    if (ComboState* now = StateOf<ComboState>(hwnd)) {
        now->dropped = true;
        InvalidateRect(hwnd, nullptr, FALSE);
    }
}

void rollUp(HWND hwnd, ComboState& s, bool ok) {
    if (!s.dropped) return;
    notify(hwnd, ok ? CBN_SELENDOK : CBN_SELENDCANCEL);
    if (ComboState* now = StateOf<ComboState>(hwnd); now && now->dropped) {
        now->dropped = false;
        InvalidateRect(hwnd, nullptr, FALSE);
        notify(hwnd, CBN_CLOSEUP);
    }
}

void resizeToField(HWND hwnd, const ComboState& s) {
    if (kind(hwnd) == CBS_SIMPLE) return;
    RECT r;
    GetWindowRect(hwnd, &r);
    SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, windowHeight(s), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void create(HWND hwnd, ComboState& s, const CREATESTRUCTA& cs) {
    DWORD style = static_cast<DWORD>(cs.style);
    s.droppedHeight = cs.cy;
    bool owner = ownerDraw(hwnd);
    // The selection field is measured first (entry -1), then the list's entries.
    if (owner) s.fieldHeight = MeasureItem(hwnd, ODT_COMBOBOX, static_cast<UINT>(-1), 0, s.fieldHeight);
    s.items.configure(hwnd, ODT_COMBOBOX, owner, (style & CBS_OWNERDRAWVARIABLE) != 0, (style & CBS_HASSTRINGS) != 0,
                      (style & CBS_SORT) != 0);
    resizeToField(hwnd, s);
}

void afterInsert(ComboState& s, int at) {
    if (at >= 0 && s.selected >= at) ++s.selected;
}

// The selection field: a sunken white field with the drop button at its right; an owner-drawn
// combo box asks its parent to draw the field's entry and, while dropped, the list's entries.
void paint(HWND hwnd, ComboState& s) {
    PaintScope scope(hwnd);
    HDC dc = scope.dc();
    RECT frame = scope.client();
    frame.bottom = windowHeight(s);
    bool enabled = IsWindowEnabled(hwnd);
    if (dc) {
        FillRect(dc, &frame, ParentBrush(hwnd, dc, WM_CTLCOLOREDIT));
        RECT edge = frame;
        DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
        int button = GetSystemMetrics(SM_CXVSCROLL);
        RECT arrow{frame.right - 2 - button, frame.top + 2, frame.right - 2, frame.bottom - 2};
        DrawEdge(dc, &arrow, s.dropped ? BDR_SUNKENOUTER : EDGE_RAISED, BF_RECT | BF_MIDDLE);
        int cx = (arrow.left + arrow.right) / 2, cy = (arrow.top + arrow.bottom) / 2;
        for (int i = 0; i < 4; ++i) {
            RECT line{cx - 3 + i, cy - 1 + i, cx + 4 - i, cy + i};
            FillRect(dc, &line, GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        }
    }
    RECT field = frame;
    InflateRect(&field, -kFieldEdges / 2, -kFieldEdges / 2);
    field.right -= GetSystemMetrics(SM_CXVSCROLL);
    bool highlight = s.focused && !s.dropped;
    if (ownerDraw(hwnd)) {
        UINT state = ODS_COMBOBOXEDIT | (highlight ? ODS_SELECTED | ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
        ULONG_PTR data = s.selected >= 0 ? s.items.at(s.selected).data : 0;
        DrawItem(hwnd, dc, ODT_COMBOBOX, static_cast<UINT>(s.selected), ODA_DRAWENTIRE, state, field, data);
        if (!IsWindow(hwnd)) return;
    } else if (dc) {
        DrawPlainEntry(dc, field, s.edit, highlight && kind(hwnd) == CBS_DROPDOWNLIST, enabled);
    }
    if (!s.dropped || !dc) return;
    // The dropped list, below the field on the screen, framed in black.
    HDC screen = GetDC(nullptr);
    RECT list;
    GetWindowRect(hwnd, &list);
    list.top = list.top + windowHeight(s);
    list.bottom = list.top + std::max(0, s.droppedHeight - windowHeight(s));
    FillRect(screen, &list, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(screen, &list, GetSysColorBrush(COLOR_WINDOWFRAME));
    HGDIOBJ oldFont = s.font ? SelectObject(screen, s.font) : nullptr;
    SetBkMode(screen, TRANSPARENT);
    for (int i = s.top; i < s.items.count(); ++i) {
        RECT item{list.left + 1, list.top + 1 + s.items.offsetOf(s.top, i), list.right - 1, 0};
        item.bottom = item.top + static_cast<int>(s.items.itemHeight(i));
        if (item.bottom > list.bottom) break;
        if (ownerDraw(hwnd)) {
            DrawItem(hwnd, screen, ODT_COMBOBOX, static_cast<UINT>(i), ODA_DRAWENTIRE,
                     i == s.selected ? ODS_SELECTED | ODS_FOCUS : 0, item, s.items.at(i).data);
            if (!IsWindow(hwnd)) break;
        } else {
            DrawPlainEntry(screen, item, s.items.at(i).text, i == s.selected, true);
        }
    }
    if (oldFont) SelectObject(screen, oldFont);
    ReleaseDC(nullptr, screen);
}

void key(HWND hwnd, ComboState& s, WPARAM vk) {
    int last = s.items.count() - 1;
    switch (vk) {
    case VK_F4:
        if (s.dropped) rollUp(hwnd, s, true);
        else dropDown(hwnd, s);
        return;
    case VK_RETURN:
        rollUp(hwnd, s, true);
        return;
    case VK_ESCAPE:
        rollUp(hwnd, s, false);
        return;
    case VK_UP:
        userSelect(hwnd, s, s.selected < 0 ? 0 : s.selected - 1);
        return;
    case VK_DOWN:
        userSelect(hwnd, s, s.selected + 1);
        return;
    case VK_HOME:
        userSelect(hwnd, s, 0);
        return;
    case VK_END:
        userSelect(hwnd, s, last);
        return;
    default:
        return;
    }
}

void typeChar(HWND hwnd, ComboState& s, char c) {
    if (kind(hwnd) == CBS_DROPDOWNLIST) {
        if (!s.items.hasStrings()) return;
        char prefix[2] = {c, 0};
        int found = s.items.find(s.selected, reinterpret_cast<LPARAM>(prefix), false);
        if (found >= 0) userSelect(hwnd, s, found);
        return;
    }
    if (c == '\b') {
        if (s.edit.empty()) return;
        s.edit.pop_back();
    } else {
        if (static_cast<unsigned char>(c) < 0x20) return;
        if (s.limit && s.edit.size() >= s.limit) {
            MessageBeep(0);
            return;
        }
        s.edit.push_back(c);
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    notify(hwnd, CBN_EDITUPDATE);
    notify(hwnd, CBN_EDITCHANGE);
}

void click(HWND hwnd, int y) {
    SetFocus(hwnd);  // the focus messages may change the state
    ComboState* now = StateOf<ComboState>(hwnd);
    if (!now) return;
    if (!now->dropped) {
        if (y < windowHeight(*now)) dropDown(hwnd, *now);
        return;
    }
    int index = now->items.indexAt(now->top, y - windowHeight(*now));
    if (y >= windowHeight(*now) && index >= 0) userSelect(hwnd, *now, index);
    if ((now = StateOf<ComboState>(hwnd))) rollUp(hwnd, *now, true);
}

}  // namespace

LRESULT CALLBACK ComboBoxWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ManageState<ComboState>(hwnd, msg);
    ComboState* s = StateOf<ComboState>(hwnd);
    if (!s) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (LRESULT answer = 0; ManageFont(hwnd, msg, wParam, lParam, s->font, answer)) return answer;
    auto index = static_cast<INT_PTR>(wParam);
    switch (msg) {
    case WM_NCCREATE:
        // Scroll bars and a border belong to the list, not to the combo box's own window.
        SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(StyleOf(hwnd) & ~(WS_BORDER | WS_HSCROLL | WS_VSCROLL)));
        return TRUE;
    case WM_CREATE:
        create(hwnd, *s, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
        return 0;
    case WM_DESTROY:
        s->items.clear();  // owner-drawn entries are reported deleted while the parent still exists
        return 0;
    case WM_WINDOWPOSCHANGING: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (kind(hwnd) != CBS_SIMPLE && !(pos->flags & SWP_NOSIZE)) {
            if (pos->cy != windowHeight(*s)) s->droppedHeight = pos->cy;
            pos->cy = windowHeight(*s);
        }
        return 0;
    }
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
        int at = msg == CB_ADDSTRING ? s->items.add(lParam) : s->items.insert(index, lParam);
        if ((s = StateOf<ComboState>(hwnd))) afterInsert(*s, at);
        return at < 0 ? CB_ERR : at;
    }
    case CB_DELETESTRING: {
        if (!s->items.valid(index)) return CB_ERR;
        int removedAt = static_cast<int>(index);
        int left = s->items.remove(index);
        if (!(s = StateOf<ComboState>(hwnd))) return left;
        if (s->selected == removedAt) select(hwnd, *s, -1);
        else if (s->selected > removedAt) --s->selected;
        return left;
    }
    case CB_RESETCONTENT:
        s->items.clear();
        if ((s = StateOf<ComboState>(hwnd))) {
            s->top = 0;
            select(hwnd, *s, -1);
        }
        return CB_OKAY;
    case CB_GETCOUNT:
        return s->items.count();
    case CB_GETCURSEL:
        return s->selected;
    case CB_SETCURSEL:
        select(hwnd, *s, s->items.valid(index) ? static_cast<int>(index) : -1);
        return s->selected < 0 ? CB_ERR : s->selected;
    case CB_GETLBTEXT:
        return s->items.text(index, reinterpret_cast<LPSTR>(lParam));
    case CB_GETLBTEXTLEN:
        return s->items.textLength(index);
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
        return s->items.find(index, lParam, msg == CB_FINDSTRINGEXACT);
    case CB_SELECTSTRING: {
        int found = s->items.find(index, lParam, false);
        if (found >= 0) select(hwnd, *s, found);
        return found;
    }
    case CB_GETITEMDATA:
        return s->items.data(index);
    case CB_SETITEMDATA:
        return s->items.setData(index, static_cast<ULONG_PTR>(lParam)) ? TRUE : CB_ERR;
    case CB_SETITEMHEIGHT:
        if (index == -1) {
            if (lParam <= 0 || lParam > 255) return CB_ERR;
            s->fieldHeight = static_cast<UINT>(lParam);
            resizeToField(hwnd, *s);
            return 0;
        }
        return s->items.setItemHeight(index, static_cast<UINT>(lParam)) ? 0 : CB_ERR;
    case CB_GETITEMHEIGHT:
        if (index == -1) return s->fieldHeight;
        if (!s->items.valid(index) && index != 0) return CB_ERR;
        return s->items.itemHeight(index);
    case CB_SHOWDROPDOWN:
        if (wParam) dropDown(hwnd, *s);
        else rollUp(hwnd, *s, false);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return s->dropped;
    case CB_GETDROPPEDCONTROLRECT: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (!rect) return CB_ERR;
        GetWindowRect(hwnd, rect);
        rect->bottom = rect->top + s->droppedHeight;
        if (s->droppedWidth > rect->right - rect->left) rect->right = rect->left + s->droppedWidth;
        return TRUE;
    }
    case CB_SETDROPPEDWIDTH:
        s->droppedWidth = static_cast<int>(index);
        return s->droppedWidth;
    case CB_GETDROPPEDWIDTH: {
        RECT r;
        GetWindowRect(hwnd, &r);
        return std::max<LRESULT>(s->droppedWidth, r.right - r.left);
    }
    case CB_GETTOPINDEX:
        return s->top;
    case CB_SETTOPINDEX:
        if (!s->items.valid(index)) return CB_ERR;
        s->top = static_cast<int>(index);
        return 0;
    case CB_SETEXTENDEDUI:
        s->extendedUi = wParam != 0;
        return CB_OKAY;
    case CB_GETEXTENDEDUI:
        return s->extendedUi;
    case CB_LIMITTEXT:
        s->limit = static_cast<size_t>(wParam);
        return TRUE;
    case CB_GETEDITSEL:
        return MAKELRESULT(0, std::min<size_t>(s->edit.size(), 0xFFFF));
    case CB_SETEDITSEL:
        return kind(hwnd) == CBS_DROPDOWNLIST ? CB_ERR : TRUE;
    case WM_SETTEXT: {
        if (kind(hwnd) == CBS_DROPDOWNLIST) {
            // The field of a drop-down list shows an entry; a text selects the entry it names.
            int found = s->items.find(-1, lParam, true);
            if (found < 0) return CB_ERR;
            select(hwnd, *s, found);
            return TRUE;
        }
        auto* text = reinterpret_cast<LPCSTR>(lParam);
        s->edit = text ? text : "";
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    }
    case WM_GETTEXT:
        return static_cast<LRESULT>(CopyTruncated(s->edit, reinterpret_cast<LPSTR>(lParam), wParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(s->edit.size());
    case WM_GETDLGCODE: {
        auto* m = reinterpret_cast<const MSG*>(lParam);
        bool closing = m && m->message == WM_KEYDOWN && (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE);
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (s->dropped && closing ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
        key(hwnd, *s, wParam);
        return 0;
    case WM_CHAR:
        typeChar(hwnd, *s, static_cast<char>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        click(hwnd, static_cast<SHORT>(HIWORD(lParam)));
        return 0;
    case WM_SETFOCUS:
        s->focused = true;
        InvalidateRect(hwnd, nullptr, FALSE);
        notify(hwnd, CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        s->focused = false;
        rollUp(hwnd, *s, false);
        if ((s = StateOf<ComboState>(hwnd))) InvalidateRect(hwnd, nullptr, FALSE);
        notify(hwnd, CBN_KILLFOCUS);
        return 0;
    case WM_ENABLE:
        if (!wParam) rollUp(hwnd, *s, false);
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
