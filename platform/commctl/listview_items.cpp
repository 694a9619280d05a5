// List-view items: insertion, change, reading, deletion, search and sorting. A change of an item's
// own fields is framed by LVN_ITEMCHANGING (the parent may refuse it) and LVN_ITEMCHANGED; moving
// the focus or a single selection takes it from the other item inside that frame, so the parent
// hears: changing (new item), changing and changed (old item), changed (new item).
#include "platform/commctl/common_control.h"
#include "platform/commctl/listview.h"
#include "platform/user/truncated_text.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

namespace commctl {
namespace {

bool validIndex(const ListView& lv, int i) { return i >= 0 && static_cast<size_t>(i) < lv.items.size(); }

void ensureSub(ListItem& it, int sub) {
    if (static_cast<size_t>(sub) >= it.texts.size()) {
        it.texts.resize(sub + 1);
        it.callback.resize(sub + 1, false);
    }
}

void storeText(ListItem& it, int sub, LPCSTR text) {
    ensureSub(it, sub);
    it.callback[sub] = text == LPSTR_TEXTCALLBACKA;
    it.texts[sub] = (text && text != LPSTR_TEXTCALLBACKA) ? text : "";
}

void copyOut(const char* text, LPSTR buffer, int size) {
    if (size > 0) user::CopyTruncated(text, buffer, static_cast<size_t>(size));
}

LRESULT notifyItem(HWND hwnd, UINT code, NMLISTVIEW& nm) { return Notify(hwnd, code, &nm.hdr); }

// Takes bits off every other item, each change notified on its own.
void clearOthers(HWND hwnd, int keep, UINT bits) {
    for (size_t j = 0; j < ListOf(hwnd).items.size(); ++j) {
        if (static_cast<int>(j) == keep || !(ListOf(hwnd).items[j].state & bits)) continue;
        LVITEMA off{};
        off.mask = LVIF_STATE;
        off.iItem = static_cast<int>(j);
        off.stateMask = bits;
        SetItem(hwnd, off);
    }
}

}  // namespace

bool SetItem(HWND hwnd, const LVITEMA& in) {
    ListView& lv = ListOf(hwnd);
    if (!validIndex(lv, in.iItem) || in.iSubItem < 0) return false;
    ListItem& it = lv.items[in.iItem];
    if (in.iSubItem > 0) {
        // A sub-item holds only a text (and an image); changing it is not an item change.
        if (in.mask & LVIF_TEXT) storeText(it, in.iSubItem, in.pszText);
        InvalidateRect(hwnd, nullptr, FALSE);
        return true;
    }
    UINT changed = 0;
    if ((in.mask & LVIF_TEXT) && (it.texts.empty() || (in.pszText == LPSTR_TEXTCALLBACKA) != it.callback[0] ||
                                  (in.pszText != LPSTR_TEXTCALLBACKA && it.texts[0] != (in.pszText ? in.pszText : ""))))
        changed |= LVIF_TEXT;
    if ((in.mask & LVIF_IMAGE) && in.iImage != it.image) changed |= LVIF_IMAGE;
    if ((in.mask & LVIF_PARAM) && in.lParam != it.param) changed |= LVIF_PARAM;
    if ((in.mask & LVIF_INDENT) && in.iIndent != it.indent) changed |= LVIF_INDENT;
    UINT newState = (it.state & ~in.stateMask) | (in.state & in.stateMask);
    if ((in.mask & LVIF_STATE) && newState != it.state) changed |= LVIF_STATE;
    if (!changed) return true;

    NMLISTVIEW nm{};
    nm.iItem = in.iItem;
    nm.uChanged = changed;
    nm.uOldState = it.state;
    nm.uNewState = newState;
    nm.lParam = it.param;
    if (notifyItem(hwnd, LVN_ITEMCHANGING, nm)) return false;
    if (!IsWindow(hwnd) || !validIndex(ListOf(hwnd), in.iItem)) return false;

    UINT gained = newState & ~ListOf(hwnd).items[in.iItem].state;
    if (gained & LVIS_FOCUSED) clearOthers(hwnd, in.iItem, LVIS_FOCUSED);
    if ((gained & LVIS_SELECTED) && (StyleOf(hwnd) & LVS_SINGLESEL)) clearOthers(hwnd, in.iItem, LVIS_SELECTED);
    if (!IsWindow(hwnd) || !validIndex(ListOf(hwnd), in.iItem)) return false;

    ListItem& now = ListOf(hwnd).items[in.iItem];
    if (changed & LVIF_TEXT) storeText(now, 0, in.pszText);
    if (changed & LVIF_IMAGE) now.image = in.iImage;
    if (changed & LVIF_PARAM) now.param = in.lParam;
    if (changed & LVIF_INDENT) now.indent = in.iIndent;
    if (changed & LVIF_STATE) now.state = newState;
    nm.lParam = now.param;
    InvalidateRect(hwnd, nullptr, FALSE);
    notifyItem(hwnd, LVN_ITEMCHANGED, nm);
    return true;
}

int InsertItem(HWND hwnd, const LVITEMA& in) {
    ListView& lv = ListOf(hwnd);
    if (in.iSubItem != 0 || in.iItem < 0) return -1;
    ListItem it;
    storeText(it, 0, (in.mask & LVIF_TEXT) ? in.pszText : nullptr);
    if (in.mask & LVIF_IMAGE) it.image = in.iImage;
    if (in.mask & LVIF_PARAM) it.param = in.lParam;
    if (in.mask & LVIF_INDENT) it.indent = in.iIndent;
    UINT wanted = (in.mask & LVIF_STATE) ? (in.state & in.stateMask) : 0;
    it.state = wanted & ~(LVIS_FOCUSED | LVIS_SELECTED);  // taken below, so that others lose them
    if ((lv.exStyle & LVS_EX_CHECKBOXES) && !(it.state & LVIS_STATEIMAGEMASK)) it.state |= INDEXTOSTATEIMAGEMASK(1);

    size_t at = std::min(static_cast<size_t>(in.iItem), lv.items.size());
    DWORD style = StyleOf(hwnd);
    if (style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) {
        bool down = (style & LVS_SORTDESCENDING) != 0;
        at = 0;
        while (at < lv.items.size()) {
            int c = strcasecmp(lv.items[at].texts[0].c_str(), it.texts[0].c_str());
            if (down ? c < 0 : c > 0) break;
            ++at;
        }
    }
    lv.items.insert(lv.items.begin() + static_cast<long>(at), it);
    if (lv.selectionMark >= static_cast<int>(at)) ++lv.selectionMark;
    int index = static_cast<int>(at);

    NMLISTVIEW nm{};
    nm.iItem = index;
    nm.lParam = it.param;
    notifyItem(hwnd, LVN_INSERTITEM, nm);
    if (IsWindow(hwnd) && (wanted & (LVIS_FOCUSED | LVIS_SELECTED))) {
        LVITEMA st{};
        st.mask = LVIF_STATE;
        st.iItem = index;
        st.state = wanted & (LVIS_FOCUSED | LVIS_SELECTED);
        st.stateMask = st.state;
        SetItem(hwnd, st);
    }
    if (IsWindow(hwnd)) InvalidateRect(hwnd, nullptr, FALSE);
    return index;
}

bool GetItem(HWND hwnd, LVITEMA& out) {
    ListView& lv = ListOf(hwnd);
    if (!validIndex(lv, out.iItem) || out.iSubItem < 0) return false;
    const ListItem& it = lv.items[out.iItem];
    if (out.mask & LVIF_TEXT) {
        size_t sub = static_cast<size_t>(out.iSubItem);
        if (sub < it.callback.size() && it.callback[sub]) {
            // The owner keeps this text: ask it, into the caller's buffer.
            NMLVDISPINFOA di{};
            di.item = out;
            di.item.mask = LVIF_TEXT;
            di.item.lParam = it.param;
            if (out.pszText && out.cchTextMax > 0) out.pszText[0] = 0;
            Notify(hwnd, LVN_GETDISPINFOA, &di.hdr);
            if (di.item.pszText != out.pszText && di.item.pszText && di.item.pszText != LPSTR_TEXTCALLBACKA)
                copyOut(di.item.pszText, out.pszText, out.cchTextMax);
            if (!IsWindow(hwnd) || !validIndex(ListOf(hwnd), out.iItem)) return false;
        } else {
            copyOut(sub < it.texts.size() ? it.texts[sub].c_str() : "", out.pszText, out.cchTextMax);
        }
    }
    const ListItem& again = ListOf(hwnd).items[out.iItem];
    if (out.mask & LVIF_IMAGE) out.iImage = out.iSubItem == 0 ? again.image : 0;
    if (out.mask & LVIF_PARAM) out.lParam = again.param;
    if (out.mask & LVIF_INDENT) out.iIndent = again.indent;
    if (out.mask & LVIF_STATE) out.state = again.state & out.stateMask;
    return true;
}

bool DeleteItem(HWND hwnd, int index) {
    if (!validIndex(ListOf(hwnd), index)) return false;
    NMLISTVIEW nm{};
    nm.iItem = index;
    nm.lParam = ListOf(hwnd).items[index].param;
    Notify(hwnd, LVN_DELETEITEM, &nm.hdr);
    if (!IsWindow(hwnd) || !validIndex(ListOf(hwnd), index)) return false;
    ListView& lv = ListOf(hwnd);
    lv.items.erase(lv.items.begin() + index);
    if (lv.selectionMark == index) lv.selectionMark = -1;
    else if (lv.selectionMark > index) --lv.selectionMark;
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
}

bool DeleteAllItems(HWND hwnd) {
    if (ListOf(hwnd).items.empty()) return true;
    NMLISTVIEW nm{};
    nm.iItem = -1;
    // An owner that answers TRUE does not want LVN_DELETEITEM for each item.
    bool each = !Notify(hwnd, LVN_DELETEALLITEMS, &nm.hdr);
    for (size_t i = 0; each && IsWindow(hwnd) && i < ListOf(hwnd).items.size(); ++i) {
        NMLISTVIEW one{};
        one.iItem = static_cast<int>(i);
        one.lParam = ListOf(hwnd).items[i].param;
        Notify(hwnd, LVN_DELETEITEM, &one.hdr);
    }
    if (!IsWindow(hwnd)) return false;
    ListOf(hwnd).items.clear();
    ListOf(hwnd).selectionMark = -1;
    ListOf(hwnd).top = 0;
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
}

int NextItem(HWND hwnd, int start, UINT flags) {
    const ListView& lv = ListOf(hwnd);
    int count = static_cast<int>(lv.items.size());
    UINT want = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
    auto matches = [&](int i) { return (lv.items[i].state & want) == want; };
    if (flags & (LVNI_ABOVE | LVNI_TOLEFT)) {
        for (int i = std::min(start, count) - 1; i >= 0; --i)
            if (matches(i)) return i;
        return -1;
    }
    for (int i = std::max(start + 1, 0); i < count; ++i)
        if (matches(i)) return i;
    return -1;
}

int FindItem(HWND hwnd, int start, const LVFINDINFOA& find) {
    const ListView& lv = ListOf(hwnd);
    int count = static_cast<int>(lv.items.size());
    if (count == 0) return -1;
    auto matches = [&](int i) {
        const ListItem& it = lv.items[i];
        if (find.flags & LVFI_PARAM) return it.param == find.lParam;
        if (!(find.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.psz) return false;
        const std::string& t = it.texts[0];
        if (find.flags & LVFI_PARTIAL) return strncasecmp(t.c_str(), find.psz, std::strlen(find.psz)) == 0;
        return strcasecmp(t.c_str(), find.psz) == 0;
    };
    int first = start < -1 ? 0 : start + 1;
    for (int i = first; i < count; ++i)
        if (matches(i)) return i;
    if (find.flags & LVFI_WRAP)
        for (int i = 0; i < std::min(first, count); ++i)
            if (matches(i)) return i;
    return -1;
}

bool SortItems(HWND hwnd, PFNLVCOMPARE compare, LPARAM data) {
    if (!compare) return false;
    ListView& lv = ListOf(hwnd);
    std::vector<ListItem> sorted = lv.items;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](const ListItem& a, const ListItem& b) { return compare(a.param, b.param, data) < 0; });
    if (!IsWindow(hwnd)) return false;
    ListOf(hwnd).items = std::move(sorted);
    ListOf(hwnd).selectionMark = -1;
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
}

}  // namespace commctl
