// Entries of list boxes and combo boxes (see item_list.h).
#include "platform/user/item_list.h"

#include "platform/user/owner_draw.h"

#include <strings.h>

#include <cstring>

namespace user {

void ItemList::configure(HWND control, UINT type, bool ownerDraw, bool variable, bool hasStrings, bool sorted) {
    control_ = control;
    type_ = type;
    ownerDraw_ = ownerDraw;
    variable_ = ownerDraw && variable;
    hasStrings_ = !ownerDraw || hasStrings;
    sorted_ = sorted;
    // A fixed-height owner-drawn list asks its parent once, when it is made.
    if (ownerDraw && !variable) fixedHeight_ = MeasureItem(control, type, 0, 0, fixedHeight_);
}

ItemList::Item ItemList::make(LPARAM value) const {
    Item item;
    if (hasStrings_) {
        auto* text = reinterpret_cast<LPCSTR>(value);
        item.text = text ? text : "";
    } else {
        item.data = static_cast<ULONG_PTR>(value);
    }
    return item;
}

int ItemList::sortedPosition(const Item& item) const {
    int lo = 0, hi = count();
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        int order = hasStrings_ ? strcasecmp(items_[mid].text.c_str(), item.text.c_str())
                                : CompareItems(control_, type_, static_cast<UINT>(mid), items_[mid].data,
                                               static_cast<UINT>(-1), item.data);
        if (order <= 0) lo = mid + 1;
        else hi = mid;
    }
    return lo;
}

int ItemList::add(LPARAM value) { return insert(-1, value); }

int ItemList::insert(INT_PTR index, LPARAM value) {
    Item item = make(value);
    int at;
    if (index == -1 && sorted_) at = sortedPosition(item);
    else if (index == -1) at = count();
    else if (index >= 0 && index <= count()) at = static_cast<int>(index);
    else return -1;
    items_.insert(items_.begin() + at, item);
    if (variable_) {
        // Each entry of a variable-height list is measured as it arrives, with its own data.
        ULONG_PTR data = hasStrings_ ? reinterpret_cast<ULONG_PTR>(items_[at].text.c_str()) : items_[at].data;
        UINT height = MeasureItem(control_, type_, static_cast<UINT>(at), data, fixedHeight_);
        if (at < count()) items_[at].height = height;
    }
    return at;
}

int ItemList::remove(INT_PTR index) {
    if (!valid(index)) return -1;
    Item gone = items_[index];
    items_.erase(items_.begin() + index);
    if (ownerDraw_) DeleteItem(control_, type_, static_cast<UINT>(index), gone.data);
    return count();
}

void ItemList::clear() {
    std::vector<Item> gone;
    gone.swap(items_);
    if (ownerDraw_)
        for (size_t i = 0; i < gone.size(); ++i) DeleteItem(control_, type_, static_cast<UINT>(i), gone[i].data);
}

LRESULT ItemList::text(INT_PTR index, LPSTR buffer) const {
    if (!valid(index) || !buffer) return -1;
    const Item& item = items_[index];
    if (!hasStrings_) {
        std::memcpy(buffer, &item.data, sizeof item.data);
        return sizeof item.data;
    }
    std::memcpy(buffer, item.text.c_str(), item.text.size() + 1);
    return static_cast<LRESULT>(item.text.size());
}

LRESULT ItemList::textLength(INT_PTR index) const {
    if (!valid(index)) return -1;
    return hasStrings_ ? static_cast<LRESULT>(items_[index].text.size()) : static_cast<LRESULT>(sizeof(ULONG_PTR));
}

LRESULT ItemList::data(INT_PTR index) const {
    return valid(index) ? static_cast<LRESULT>(items_[index].data) : -1;
}

bool ItemList::setData(INT_PTR index, ULONG_PTR data) {
    if (!valid(index)) return false;
    items_[index].data = data;
    return true;
}

int ItemList::find(INT_PTR start, LPARAM value, bool exact) const {
    int n = count();
    if (n == 0) return -1;
    int first = valid(start) ? static_cast<int>(start) + 1 : 0;
    auto* text = reinterpret_cast<LPCSTR>(value);
    if (hasStrings_ && !text) return -1;
    size_t length = hasStrings_ ? std::strlen(text) : 0;
    for (int step = 0; step < n; ++step) {
        const Item& item = items_[(first + step) % n];
        bool match = !hasStrings_ ? item.data == static_cast<ULONG_PTR>(value)
                     : exact      ? strcasecmp(item.text.c_str(), text) == 0
                                  : strncasecmp(item.text.c_str(), text, length) == 0;
        if (match) return (first + step) % n;
    }
    return -1;
}

UINT ItemList::itemHeight(INT_PTR index) const {
    if (variable_ && valid(index)) return items_[index].height;
    return fixedHeight_;
}

bool ItemList::setItemHeight(INT_PTR index, UINT height) {
    if (height == 0 || height > 255) return false;
    if (variable_) {
        if (!valid(index)) return false;
        items_[index].height = height;
    } else {
        fixedHeight_ = height;
    }
    return true;
}

int ItemList::indexAt(int top, int y) const {
    if (y < 0) return -1;
    for (int i = top < 0 ? 0 : top, offset = 0; i < count(); ++i) {
        int h = static_cast<int>(itemHeight(i));
        if (y < offset + h) return i;
        offset += h;
    }
    return -1;
}

int ItemList::offsetOf(int top, int index) const {
    int offset = 0;
    for (int i = top; i < index && i < count(); ++i) offset += static_cast<int>(itemHeight(i));
    return offset;
}

}  // namespace user
