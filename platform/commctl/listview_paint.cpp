// Painting of the list view in the classic look: the column header as a row of raised buttons,
// then one row per item from the top index down, each with its check box, small image, label and
// sub-item texts in their columns; selected items highlighted (grey when the control has no focus
// and keeps showing its selection). Views other than the report view paint as a single column.
#include "platform/commctl/common_control.h"
#include "platform/commctl/listview.h"
#include "platform/user/control_paint.h"

#include <algorithm>
#include <string>

namespace commctl {
namespace {

constexpr int kCheckBox = 13;    // the side of an item's check box
constexpr int kCheckWidth = 16;  // the room the check box takes before the label
constexpr int kTextInset = 4;

bool reportView(HWND hwnd) { return (StyleOf(hwnd) & LVS_TYPEMASK) == LVS_REPORT; }

// An item's text as a caller would read it, asking the parent for callback texts.
std::string textOf(HWND hwnd, int index, int sub) {
    char buffer[260] = "";
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.iSubItem = sub;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    return GetItem(hwnd, item) && item.pszText ? std::string(item.pszText) : std::string();
}

UINT formatOf(int fmt) {
    UINT align = (fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT ? DT_RIGHT : (fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
    return align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
}

void paintHeader(HWND hwnd, HDC dc, const RECT& client) {
    const ListView& lv = ListOf(hwnd);
    RECT bar{0, 0, client.right, HeaderHeight(hwnd)};
    FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    int x = 0;
    for (const auto& c : lv.columns) {
        RECT button{x, 0, x + c.cx, bar.bottom};
        x += c.cx;
        if (c.cx <= 0) continue;
        DrawEdge(dc, &button, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
        InflateRect(&button, -kTextInset, 0);
        DrawTextA(dc, c.text.c_str(), static_cast<int>(c.text.size()), &button, formatOf(c.fmt));
    }
    if (x < bar.right) {
        RECT rest{x, 0, bar.right, bar.bottom};
        DrawEdge(dc, &rest, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
}

void paintCheckBox(HDC dc, int x, const RECT& row, bool checked) {
    int top = row.top + (row.bottom - row.top - kCheckBox) / 2;
    RECT box{x, top, x + kCheckBox, top + kCheckBox};
    DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
    if (!checked) return;
    // The tick: three short diagonal strokes down and then up, as the check box of a button.
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ old = SelectObject(dc, pen);
    for (int i = 0; i < 3; ++i) {
        MoveToEx(dc, box.left + 1, box.top + 3 + i, nullptr);
        LineTo(dc, box.left + 3, box.top + 5 + i);
        LineTo(dc, box.left + 8, box.top + i);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void paintItem(HWND hwnd, HDC dc, int index, const RECT& row, bool focused) {
    const ListView& lv = ListOf(hwnd);
    const ListItem& item = lv.items[index];
    bool selected = (item.state & LVIS_SELECTED) != 0;
    bool shown = selected && (focused || (StyleOf(hwnd) & LVS_SHOWSELALWAYS));
    COLORREF selectionColor = GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    COLORREF selectionText = GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    bool fullRow = (lv.exStyle & LVS_EX_FULLROWSELECT) != 0 || !reportView(hwnd);

    int x = 0;
    if (lv.exStyle & LVS_EX_CHECKBOXES) {
        paintCheckBox(dc, 2, row, ((item.state & LVIS_STATEIMAGEMASK) >> 12) == 2);
        x = kCheckWidth;
    }
    if (HIMAGELIST small = lv.images[LVSIL_SMALL]) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(small, &cx, &cy);
        ImageList_Draw(small, item.image, dc, x + 1, row.top + (row.bottom - row.top - cy) / 2, ILD_NORMAL);
        x += cx + 2;
    }
    size_t columns = reportView(hwnd) ? std::max<size_t>(lv.columns.size(), 1) : 1;
    int columnLeft = 0;
    for (size_t sub = 0; sub < columns; ++sub) {
        int width = reportView(hwnd) && sub < lv.columns.size() ? lv.columns[sub].cx : row.right;
        RECT cell{sub == 0 ? x : columnLeft, row.top, columnLeft + width, row.bottom};
        columnLeft += width;
        if (cell.right <= cell.left) continue;
        bool lit = shown && (sub == 0 || fullRow);
        if (lit) {
            HBRUSH brush = CreateSolidBrush(selectionColor);
            FillRect(dc, &cell, brush);
            DeleteObject(brush);
        }
        SetTextColor(dc, lit ? selectionText : lv.text);
        std::string text = textOf(hwnd, index, static_cast<int>(sub));
        RECT inset = cell;
        InflateRect(&inset, -kTextInset / 2, 0);
        int fmt = reportView(hwnd) && sub < lv.columns.size() ? lv.columns[sub].fmt : LVCFMT_LEFT;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &inset, formatOf(fmt));
        if ((item.state & LVIS_FOCUSED) && focused && sub == 0) DrawFocusRect(dc, &cell);
    }
    if (lv.exStyle & LVS_EX_GRIDLINES) {
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, row.left, row.bottom - 1, nullptr);
        LineTo(dc, row.right, row.bottom - 1);
        SelectObject(dc, old);
        DeleteObject(pen);
    }
}

}  // namespace

void PaintListView(HWND hwnd) {
    user::PaintScope scope(hwnd);
    HDC dc = scope.dc();
    if (!dc) return;
    const ListView& lv = ListOf(hwnd);
    const RECT& client = scope.client();
    HBRUSH background = lv.bk == CLR_NONE ? nullptr : CreateSolidBrush(lv.bk);
    FillRect(dc, &client, background ? background : GetSysColorBrush(COLOR_WINDOW));
    if (background) DeleteObject(background);
    int top = HeaderHeight(hwnd);
    if (top) paintHeader(hwnd, dc, client);
    bool focused = GetFocus() == hwnd;
    int rowWidth = 0;
    for (const auto& c : lv.columns) rowWidth += c.cx;
    if (!reportView(hwnd) || rowWidth == 0) rowWidth = client.right;
    for (int i = std::max(lv.top, 0); i < static_cast<int>(lv.items.size()); ++i) {
        int y = top + (i - lv.top) * RowHeight();
        if (y >= client.bottom) break;
        RECT row{0, y, std::max<LONG>(rowWidth, client.right), y + RowHeight()};
        paintItem(hwnd, dc, i, row, focused);
        if (!IsWindow(hwnd)) return;  // a callback text's owner may have destroyed the control
    }
    if ((lv.exStyle & LVS_EX_GRIDLINES) && reportView(hwnd)) {
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
        HGDIOBJ old = SelectObject(dc, pen);
        int x = 0;
        for (const auto& c : lv.columns) {
            x += c.cx;
            MoveToEx(dc, x - 1, top, nullptr);
            LineTo(dc, x - 1, client.bottom);
        }
        SelectObject(dc, old);
        DeleteObject(pen);
    }
}

}  // namespace commctl
