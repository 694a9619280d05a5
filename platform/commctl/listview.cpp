// The list view's window procedure: columns, the LVM_ messages over the item operations of
// listview_items.cpp, geometry of the report view, and the clicks and keys of a person (select,
// tick a check box, click a column header), each reported as the original reports it.
#include "platform/commctl/common_control.h"
#include "platform/commctl/listview.h"
#include "platform/user/truncated_text.h"

#include <algorithm>
#include <cstring>

namespace commctl {
namespace {

constexpr int kRowHeight = 16;
constexpr int kHeaderHeight = 20;
constexpr int kCheckWidth = 16;

bool validIndex(const ListView& lv, int i) { return i >= 0 && static_cast<size_t>(i) < lv.items.size(); }

void copyOut(const std::string& text, LPSTR buffer, int size) {
    if (size > 0) user::CopyTruncated(text, buffer, static_cast<size_t>(size));
}

int insertColumn(HWND hwnd, int index, const LVCOLUMNA* in) {
    ListView& lv = ListOf(hwnd);
    if (!in || index < 0) return -1;
    ListColumn c;
    size_t at = std::min(static_cast<size_t>(index), lv.columns.size());
    if (in->mask & LVCF_FMT) c.fmt = in->fmt;
    if (in->mask & LVCF_WIDTH) c.cx = in->cx;
    if ((in->mask & LVCF_TEXT) && in->pszText && in->pszText != LPSTR_TEXTCALLBACKA) c.text = in->pszText;
    c.subItem = (in->mask & LVCF_SUBITEM) ? in->iSubItem : static_cast<int>(at);
    if (in->mask & LVCF_IMAGE) c.image = in->iImage;
    c.order = (in->mask & LVCF_ORDER) ? in->iOrder : static_cast<int>(at);
    lv.columns.insert(lv.columns.begin() + static_cast<long>(at), c);
    InvalidateRect(hwnd, nullptr, FALSE);
    return static_cast<int>(at);
}

bool columnInfo(HWND hwnd, int index, LVCOLUMNA* io, bool set) {
    ListView& lv = ListOf(hwnd);
    if (!io || index < 0 || static_cast<size_t>(index) >= lv.columns.size()) return false;
    ListColumn& c = lv.columns[index];
    if (set) {
        if (io->mask & LVCF_FMT) c.fmt = io->fmt;
        if (io->mask & LVCF_WIDTH) c.cx = io->cx;
        if ((io->mask & LVCF_TEXT) && io->pszText && io->pszText != LPSTR_TEXTCALLBACKA) c.text = io->pszText;
        if (io->mask & LVCF_SUBITEM) c.subItem = io->iSubItem;
        if (io->mask & LVCF_IMAGE) c.image = io->iImage;
        if (io->mask & LVCF_ORDER) c.order = io->iOrder;
        InvalidateRect(hwnd, nullptr, FALSE);
        return true;
    }
    if (io->mask & LVCF_FMT) io->fmt = c.fmt;
    if (io->mask & LVCF_WIDTH) io->cx = c.cx;
    if (io->mask & LVCF_TEXT) copyOut(c.text, io->pszText, io->cchTextMax);
    if (io->mask & LVCF_SUBITEM) io->iSubItem = c.subItem;
    if (io->mask & LVCF_IMAGE) io->iImage = c.image;
    if (io->mask & LVCF_ORDER) io->iOrder = c.order;
    return true;
}

// An estimate of a text's width in the dialog font: there is no measuring without a device here.
int textWidth(const std::string& text) { return static_cast<int>(text.size()) * 6; }

bool setColumnWidth(HWND hwnd, int index, int cx) {
    ListView& lv = ListOf(hwnd);
    if (index < 0 || static_cast<size_t>(index) >= lv.columns.size()) return false;
    ListColumn& c = lv.columns[index];
    if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER) {
        int widest = cx == LVSCW_AUTOSIZE_USEHEADER ? textWidth(c.text) : 0;
        for (const auto& it : lv.items)
            if (static_cast<size_t>(c.subItem) < it.texts.size()) widest = std::max(widest, textWidth(it.texts[c.subItem]));
        cx = widest + 12;
    }
    c.cx = cx;
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
}

DWORD setExtendedStyle(HWND hwnd, DWORD mask, DWORD style) {
    ListView& lv = ListOf(hwnd);
    DWORD old = lv.exStyle;
    if (!mask) mask = 0xFFFFFFFF;
    lv.exStyle = (old & ~mask) | (style & mask);
    if ((lv.exStyle & LVS_EX_CHECKBOXES) && !(old & LVS_EX_CHECKBOXES)) {
        // Every item starts unchecked when check boxes appear.
        for (auto& it : lv.items)
            if (!(it.state & LVIS_STATEIMAGEMASK)) it.state |= INDEXTOSTATEIMAGEMASK(1);
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    return old;
}

int firstRowY(HWND hwnd) { return HeaderHeight(hwnd); }

RECT rowRect(HWND hwnd, int index) {
    RECT client;
    GetClientRect(hwnd, &client);
    int width = 0;
    for (const auto& c : ListOf(hwnd).columns) width += c.cx;
    int y = firstRowY(hwnd) + (index - ListOf(hwnd).top) * kRowHeight;
    return RECT{0, y, std::max<LONG>(width, client.right), y + kRowHeight};
}

RECT subItemRect(HWND hwnd, int index, int sub) {
    RECT r = rowRect(hwnd, index);
    int x = 0;
    const auto& cols = ListOf(hwnd).columns;
    for (int i = 0; i < static_cast<int>(cols.size()); ++i) {
        if (i == sub) return RECT{x, r.top, x + cols[i].cx, r.bottom};
        x += cols[i].cx;
    }
    return r;
}

bool itemRect(HWND hwnd, int index, RECT* r) {
    if (!r || !validIndex(ListOf(hwnd), index)) return false;
    int code = r->left;
    RECT row = rowRect(hwnd, index);
    bool checks = (ListOf(hwnd).exStyle & LVS_EX_CHECKBOXES) != 0;
    int labelLeft = checks ? kCheckWidth : 0;
    switch (code) {
    case LVIR_ICON: *r = RECT{labelLeft, row.top, labelLeft, row.bottom}; break;
    case LVIR_LABEL: {
        RECT first = subItemRect(hwnd, index, 0);
        *r = RECT{labelLeft, row.top, std::max(first.right, static_cast<LONG>(labelLeft)), row.bottom};
        break;
    }
    default: *r = row; break;
    }
    return true;
}

// The item (and sub-item) under a client point, with the LVHT_ flags of where it fell.
int hitTest(HWND hwnd, LVHITTESTINFO* info) {
    if (!info) return -1;
    const ListView& lv = ListOf(hwnd);
    info->iItem = -1;
    info->iSubItem = 0;
    info->flags = LVHT_NOWHERE;
    int y = info->pt.y - firstRowY(hwnd);
    if (info->pt.y < firstRowY(hwnd)) {
        info->flags = LVHT_ABOVE;
        return -1;
    }
    int row = lv.top + y / kRowHeight;
    if (row >= static_cast<int>(lv.items.size())) {
        info->flags = LVHT_BELOW;
        return -1;
    }
    int x = 0;
    for (size_t i = 0; i < lv.columns.size(); ++i) {
        if (info->pt.x >= x && info->pt.x < x + lv.columns[i].cx) info->iSubItem = static_cast<int>(i);
        x += lv.columns[i].cx;
    }
    bool fullRow = (lv.exStyle & LVS_EX_FULLROWSELECT) != 0;
    if ((lv.exStyle & LVS_EX_CHECKBOXES) && info->pt.x < kCheckWidth) info->flags = LVHT_ONITEMSTATEICON;
    else if (info->iSubItem == 0 || fullRow) info->flags = LVHT_ONITEMLABEL;
    else return -1;
    info->iItem = row;
    return row;
}

int columnAt(HWND hwnd, int px) {
    int x = 0;
    const auto& cols = ListOf(hwnd).columns;
    for (size_t i = 0; i < cols.size(); ++i) {
        if (px >= x && px < x + cols[i].cx) return static_cast<int>(i);
        x += cols[i].cx;
    }
    return -1;
}

bool setState(HWND hwnd, int index, UINT state, UINT mask) {
    LVITEMA st{};
    st.mask = LVIF_STATE;
    st.iItem = index;
    st.state = state;
    st.stateMask = mask;
    return SetItem(hwnd, st);
}

void toggleCheck(HWND hwnd, int index) {
    UINT image = (ListOf(hwnd).items[index].state & LVIS_STATEIMAGEMASK) >> 12;
    setState(hwnd, index, INDEXTOSTATEIMAGEMASK(image == 2 ? 1 : 2), LVIS_STATEIMAGEMASK);
}

// A plain click: the clicked item alone is selected and gets the focus.
void selectOnly(HWND hwnd, int index) {
    for (size_t j = 0; IsWindow(hwnd) && j < ListOf(hwnd).items.size(); ++j)
        if (static_cast<int>(j) != index && (ListOf(hwnd).items[j].state & LVIS_SELECTED)) setState(hwnd, static_cast<int>(j), 0, LVIS_SELECTED);
    if (IsWindow(hwnd) && validIndex(ListOf(hwnd), index)) {
        setState(hwnd, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        if (IsWindow(hwnd)) ListOf(hwnd).selectionMark = index;
    }
}

void clicked(HWND hwnd, UINT code, LPARAM point) {
    POINT pt{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    if ((StyleOf(hwnd) & LVS_TYPEMASK) == LVS_REPORT && !(StyleOf(hwnd) & LVS_NOCOLUMNHEADER) && pt.y < kHeaderHeight) {
        int column = columnAt(hwnd, pt.x);
        if (column >= 0 && code == NM_CLICK && !(StyleOf(hwnd) & LVS_NOSORTHEADER)) {
            NMLISTVIEW nm{};
            nm.iItem = -1;
            nm.iSubItem = column;
            Notify(hwnd, LVN_COLUMNCLICK, &nm.hdr);
        }
        return;
    }
    LVHITTESTINFO hit{};
    hit.pt = pt;
    int index = hitTest(hwnd, &hit);
    if (code == NM_CLICK) {
        if (GetFocus() != hwnd) SetFocus(hwnd);
        if (index < 0) {
            for (size_t j = 0; IsWindow(hwnd) && j < ListOf(hwnd).items.size(); ++j)
                if (ListOf(hwnd).items[j].state & LVIS_SELECTED) setState(hwnd, static_cast<int>(j), 0, LVIS_SELECTED);
        } else if (hit.flags == LVHT_ONITEMSTATEICON) {
            toggleCheck(hwnd, index);
        } else {
            selectOnly(hwnd, index);
        }
    }
    if (!IsWindow(hwnd)) return;
    NMITEMACTIVATE nm{};
    nm.iItem = index;
    nm.iSubItem = hit.iSubItem;
    nm.ptAction = pt;
    Notify(hwnd, code, &nm.hdr);
    if (code == NM_DBLCLK && index >= 0 && IsWindow(hwnd)) Notify(hwnd, LVN_ITEMACTIVATE, &nm.hdr);
}

void keyDown(HWND hwnd, WPARAM key) {
    NMLVKEYDOWN kd{};
    kd.wVKey = static_cast<WORD>(key);
    Notify(hwnd, LVN_KEYDOWN, &kd.hdr);
    if (!IsWindow(hwnd)) return;
    const ListView& lv = ListOf(hwnd);
    int count = static_cast<int>(lv.items.size());
    if (count == 0) return;
    int focus = NextItem(hwnd, -1, LVNI_FOCUSED);
    int target = focus;
    switch (key) {
    case VK_UP: target = std::max(0, focus - 1); break;
    case VK_DOWN: target = std::min(count - 1, focus + 1); break;
    case VK_HOME: target = 0; break;
    case VK_END: target = count - 1; break;
    case VK_SPACE:
        if (focus >= 0 && (lv.exStyle & LVS_EX_CHECKBOXES)) toggleCheck(hwnd, focus);
        return;
    default: return;
    }
    if (target != focus || (target >= 0 && !(lv.items[target].state & LVIS_SELECTED))) selectOnly(hwnd, target);
}

}  // namespace

ListView& ListOf(HWND hwnd) { return *StateOf<ListView>(hwnd); }
int RowHeight() { return kRowHeight; }
int HeaderHeight(HWND hwnd) {
    return (StyleOf(hwnd) & LVS_TYPEMASK) == LVS_REPORT && !(StyleOf(hwnd) & LVS_NOCOLUMNHEADER) ? kHeaderHeight : 0;
}

static LRESULT listViewBody(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (msg == WM_NCDESTROY && StateOf<ListView>(hwnd)) {
        // Image lists the control was given are its to destroy unless they are shared.
        if (!(StyleOf(hwnd) & LVS_SHAREIMAGELISTS))
            for (HIMAGELIST list : ListOf(hwnd).images)
                if (list) ImageList_Destroy(list);
    }
    if (ManageState<ListView>(hwnd, msg, answer)) return answer;
    if (!StateOf<ListView>(hwnd)) return DefWindowProcA(hwnd, msg, wParam, lParam);
    ListView& lv = ListOf(hwnd);
    if (user::ManageFont(hwnd, msg, wParam, lParam, lv.font, answer)) return answer;
    auto* item = reinterpret_cast<LVITEMA*>(lParam);
    switch (msg) {
    case LVM_GETITEMCOUNT: return static_cast<LRESULT>(lv.items.size());
    case LVM_INSERTITEMA: return item ? InsertItem(hwnd, *item) : -1;
    case LVM_SETITEMA: return item && SetItem(hwnd, *item);
    case LVM_GETITEMA: return item && GetItem(hwnd, *item);
    case LVM_DELETEITEM: return DeleteItem(hwnd, static_cast<int>(wParam));
    case LVM_DELETEALLITEMS: return DeleteAllItems(hwnd);
    case LVM_SETITEMSTATE: {
        if (!item) return FALSE;
        int index = static_cast<int>(wParam);
        if (index != -1) return setState(hwnd, index, item->state, item->stateMask);
        for (size_t i = 0; IsWindow(hwnd) && i < ListOf(hwnd).items.size(); ++i)
            setState(hwnd, static_cast<int>(i), item->state, item->stateMask);
        return TRUE;
    }
    case LVM_GETITEMSTATE: {
        int index = static_cast<int>(wParam);
        return validIndex(lv, index) ? lv.items[index].state & static_cast<UINT>(lParam) : 0;
    }
    case LVM_SETITEMTEXTA: {
        if (!item) return FALSE;
        LVITEMA set{};
        set.mask = LVIF_TEXT;
        set.iItem = static_cast<int>(wParam);
        set.iSubItem = item->iSubItem;
        set.pszText = item->pszText;
        return SetItem(hwnd, set);
    }
    case LVM_GETITEMTEXTA: {
        if (!item) return 0;
        LVITEMA get{};
        get.mask = LVIF_TEXT;
        get.iItem = static_cast<int>(wParam);
        get.iSubItem = item->iSubItem;
        get.pszText = item->pszText;
        get.cchTextMax = item->cchTextMax;
        if (!GetItem(hwnd, get) || !item->pszText || item->cchTextMax <= 0) return 0;
        return static_cast<LRESULT>(std::strlen(item->pszText));
    }
    case LVM_GETNEXTITEM: return NextItem(hwnd, static_cast<int>(wParam), LOWORD(lParam));
    case LVM_FINDITEMA: {
        auto* find = reinterpret_cast<const LVFINDINFOA*>(lParam);
        return find ? FindItem(hwnd, static_cast<int>(wParam), *find) : -1;
    }
    case LVM_SORTITEMS: return SortItems(hwnd, reinterpret_cast<PFNLVCOMPARE>(lParam), static_cast<LPARAM>(wParam));
    case LVM_GETSELECTEDCOUNT:
        return std::count_if(lv.items.begin(), lv.items.end(), [](const ListItem& it) { return it.state & LVIS_SELECTED; });
    case LVM_SETITEMCOUNT: lv.items.reserve(std::min<WPARAM>(wParam, 1u << 16)); return TRUE;
    case LVM_INSERTCOLUMNA: return insertColumn(hwnd, static_cast<int>(wParam), reinterpret_cast<const LVCOLUMNA*>(lParam));
    case LVM_SETCOLUMNA: return columnInfo(hwnd, static_cast<int>(wParam), reinterpret_cast<LVCOLUMNA*>(lParam), true);
    case LVM_GETCOLUMNA: return columnInfo(hwnd, static_cast<int>(wParam), reinterpret_cast<LVCOLUMNA*>(lParam), false);
    case LVM_DELETECOLUMN: {
        size_t index = wParam;
        if (index >= lv.columns.size()) return FALSE;
        lv.columns.erase(lv.columns.begin() + static_cast<long>(index));
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    }
    case LVM_GETCOLUMNWIDTH: return wParam < lv.columns.size() ? lv.columns[wParam].cx : 0;
    case LVM_SETCOLUMNWIDTH: return setColumnWidth(hwnd, static_cast<int>(wParam), static_cast<short>(LOWORD(lParam)));
    case LVM_SETEXTENDEDLISTVIEWSTYLE: return setExtendedStyle(hwnd, static_cast<DWORD>(wParam), static_cast<DWORD>(lParam));
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return lv.exStyle;
    case LVM_SETIMAGELIST: {
        if (wParam > LVSIL_STATE) return 0;
        HIMAGELIST old = lv.images[wParam];
        lv.images[wParam] = reinterpret_cast<HIMAGELIST>(lParam);
        return reinterpret_cast<LRESULT>(old);
    }
    case LVM_GETIMAGELIST: return wParam <= LVSIL_STATE ? reinterpret_cast<LRESULT>(lv.images[wParam]) : 0;
    case LVM_GETBKCOLOR: return lv.bk;
    case LVM_SETBKCOLOR: lv.bk = static_cast<COLORREF>(lParam); return TRUE;
    case LVM_GETTEXTCOLOR: return lv.text;
    case LVM_SETTEXTCOLOR: lv.text = static_cast<COLORREF>(lParam); return TRUE;
    case LVM_GETTEXTBKCOLOR: return lv.textBk;
    case LVM_SETTEXTBKCOLOR: lv.textBk = static_cast<COLORREF>(lParam); return TRUE;
    case LVM_GETITEMRECT: return itemRect(hwnd, static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam));
    case LVM_GETSUBITEMRECT: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (!r || !validIndex(lv, static_cast<int>(wParam)) || r->top < 0 || static_cast<size_t>(r->top) > lv.columns.size()) return FALSE;
        *r = r->top == 0 && r->left == LVIR_BOUNDS ? rowRect(hwnd, static_cast<int>(wParam))
                                                   : subItemRect(hwnd, static_cast<int>(wParam), r->top);
        return TRUE;
    }
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: return hitTest(hwnd, reinterpret_cast<LVHITTESTINFO*>(lParam));
    case LVM_GETTOPINDEX: return lv.top;
    case LVM_GETCOUNTPERPAGE: {
        RECT c;
        GetClientRect(hwnd, &c);
        return std::max<LONG>(0, (c.bottom - HeaderHeight(hwnd)) / kRowHeight);
    }
    case LVM_ENSUREVISIBLE: {
        int index = static_cast<int>(wParam);
        if (!validIndex(lv, index)) return FALSE;
        RECT c;
        GetClientRect(hwnd, &c);
        int perPage = std::max<LONG>(1, (c.bottom - HeaderHeight(hwnd)) / kRowHeight);
        if (index < lv.top) lv.top = index;
        else if (index >= lv.top + perPage) lv.top = index - perPage + 1;
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    }
    case LVM_GETSELECTIONMARK: return lv.selectionMark;
    case LVM_SETSELECTIONMARK: {
        int old = lv.selectionMark;
        lv.selectionMark = static_cast<int>(lParam);
        return old;
    }
    case LVM_REDRAWITEMS:
    case LVM_UPDATE: InvalidateRect(hwnd, nullptr, FALSE); return TRUE;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_PAINT: PaintListView(hwnd); return 0;
    case WM_ERASEBKGND: return TRUE;  // the painting covers every pixel
    case WM_LBUTTONDOWN: clicked(hwnd, NM_CLICK, lParam); return 0;
    case WM_LBUTTONDBLCLK: clicked(hwnd, NM_DBLCLK, lParam); return 0;
    case WM_RBUTTONDOWN: clicked(hwnd, NM_RCLICK, lParam); return 0;
    case WM_KEYDOWN: keyDown(hwnd, wParam); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        InvalidateRect(hwnd, nullptr, FALSE);  // the selection changes colour with the focus
        NMHDR h{};
        Notify(hwnd, msg == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS, &h);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ListViewWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Guarded([&] { return listViewBody(hwnd, msg, wParam, lParam); });
}

}  // namespace commctl
