// The list view's record and the item operations that several of its messages share. Items keep
// their texts per sub-item; a whole pointer fits in an item's parameter.
#pragma once

#include <commctrl.h>

#include <string>
#include <vector>

namespace commctl {

struct ListItem {
    std::vector<std::string> texts;  // by sub-item
    std::vector<bool> callback;      // by sub-item: the text comes from LVN_GETDISPINFO
    int image = 0;
    LPARAM param = 0;
    UINT state = 0;
    int indent = 0;
};

struct ListColumn {
    int fmt = LVCFMT_LEFT;
    int cx = 0;
    std::string text;
    int subItem = 0;
    int image = 0;
    int order = 0;
};

struct ListView {
    std::vector<ListItem> items;
    std::vector<ListColumn> columns;
    DWORD exStyle = 0;
    HIMAGELIST images[3] = {};
    COLORREF bk = 0xFFFFFF, text = 0, textBk = 0xFFFFFF;
    int selectionMark = -1;
    int top = 0;
    HFONT font = nullptr;
};

ListView& ListOf(HWND hwnd);

// LVM_INSERTITEMA: the new index, or -1.
int InsertItem(HWND hwnd, const LVITEMA& item);
// LVM_SETITEMA and the state and text setters: notifies LVN_ITEMCHANGING (which may refuse) and
// LVN_ITEMCHANGED around a change of the main item; false when refused or invalid.
bool SetItem(HWND hwnd, const LVITEMA& item);
// LVM_GETITEMA: fills what the mask asks for.
bool GetItem(HWND hwnd, LVITEMA& item);
bool DeleteItem(HWND hwnd, int index);
bool DeleteAllItems(HWND hwnd);
int NextItem(HWND hwnd, int start, UINT flags);
int FindItem(HWND hwnd, int start, const LVFINDINFOA& find);
bool SortItems(HWND hwnd, PFNLVCOMPARE compare, LPARAM data);

// Height of one report row, and the rectangle of an item (its row) in client coordinates.
int RowHeight();
int HeaderHeight(HWND hwnd);

// WM_PAINT: the header, the items and their states (listview_paint.cpp).
void PaintListView(HWND hwnd);

}  // namespace commctl
