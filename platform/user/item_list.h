// The entries of a list box or of a combo box's list: texts or item data (owner-drawn lists
// without strings), sorting, searching, per-entry heights and selection. Both controls share it,
// so that their LB_* and CB_* messages behave alike.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace user {

class ItemList {
public:
    struct Item {
        std::string text;
        ULONG_PTR data = 0;
        UINT height = 0;
        bool selected = false;  // multiple-selection lists
    };

    // control: the window whose parent hears WM_MEASUREITEM, WM_DELETEITEM and WM_COMPAREITEM;
    // type: ODT_LISTBOX or ODT_COMBOBOX.
    void configure(HWND control, UINT type, bool ownerDraw, bool variable, bool hasStrings, bool sorted);

    int count() const { return static_cast<int>(items_.size()); }
    bool valid(INT_PTR index) const { return index >= 0 && index < count(); }
    const Item& at(int index) const { return items_[static_cast<size_t>(index)]; }
    Item& at(int index) { return items_[static_cast<size_t>(index)]; }
    bool hasStrings() const { return hasStrings_; }

    // The argument of ADDSTRING/INSERTSTRING: a text, or the item data when the list keeps none.
    int add(LPARAM value);
    int insert(INT_PTR index, LPARAM value);  // -1: at the end
    // Removes an entry (WM_DELETEITEM for owner-drawn lists); the remaining count, or -1.
    int remove(INT_PTR index);
    void clear();

    // GETTEXT: the text, or the item data when the list keeps no strings; -1 for a bad index.
    LRESULT text(INT_PTR index, LPSTR buffer) const;
    LRESULT textLength(INT_PTR index) const;
    // GETITEMDATA and SETITEMDATA: -1 and false for a bad index.
    LRESULT data(INT_PTR index) const;
    bool setData(INT_PTR index, ULONG_PTR data);
    // FINDSTRING (prefix) and FINDSTRINGEXACT, both without regard to case, searching after
    // start and wrapping; item data compared for equality in lists without strings.
    int find(INT_PTR start, LPARAM value, bool exact) const;

    UINT itemHeight(INT_PTR index) const;
    bool setItemHeight(INT_PTR index, UINT height);
    // Index of the entry at this vertical offset from the top entry shown, or -1.
    int indexAt(int top, int y) const;
    // Offset of an entry's top from the top entry shown.
    int offsetOf(int top, int index) const;

private:
    Item make(LPARAM value) const;
    int sortedPosition(const Item& item) const;

    std::vector<Item> items_;
    HWND control_ = nullptr;
    UINT type_ = ODT_LISTBOX;
    bool ownerDraw_ = false;
    bool variable_ = false;
    bool hasStrings_ = true;
    bool sorted_ = false;
    UINT fixedHeight_ = 13;
};

}  // namespace user
