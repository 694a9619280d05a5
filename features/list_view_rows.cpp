// The list-view messages behind the row helpers.
#include "features/list_view_rows.h"

#include <commctrl.h>

void AddListColumn(HWND list, int index, const std::string& title, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(title.c_str());
    column.cx = width;
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, WPARAM(index), reinterpret_cast<LPARAM>(&column));
}

int AddListRow(HWND list, const std::vector<std::string>& texts, LPARAM data) {
    if (texts.empty()) return -1;
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = int(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<char*>(texts[0].c_str());
    item.lParam = data;
    const int row = int(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return -1;
    for (size_t i = 1; i < texts.size(); ++i) {
        LVITEMA sub{};
        sub.iSubItem = int(i);
        sub.pszText = const_cast<char*>(texts[i].c_str());
        SendMessageA(list, LVM_SETITEMTEXTA, WPARAM(row), reinterpret_cast<LPARAM>(&sub));
    }
    return row;
}

std::vector<int> SelectedListRows(HWND list) {
    std::vector<int> rows;
    for (int row = -1; (row = int(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(row), MAKELPARAM(LVNI_SELECTED, 0)))) >= 0;)
        rows.push_back(row);
    return rows;
}

LPARAM ListRowData(HWND list, int row) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
}

void SelectListRow(HWND list, int row) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(&state));
}
