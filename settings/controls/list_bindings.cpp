// Combo box and list box bindings. Entries carry their option record as item data, so reading
// a selection back and drawing an entry both start from the record, never from the entry's
// position. Display texts loaded from string resources belong to the binding and are freed by
// it; texts the table came with are never freed here.
#include "settings/controls/list_bindings.h"

#include "core/helpers/dialog_helpers.h"
#include "core/helpers/drawing.h"
#include "core/memory/pool_text.h"
#include "core/device/service_table.h"

#include <cstring>

namespace {

constexpr size_t kDisplayText = 64;
constexpr int kTextOffsetPlain = 2, kTextOffsetSmall = 24, kTextOffsetLarge = 41;

const ListMessages kComboMessages{CB_RESETCONTENT, CB_ADDSTRING,   CB_SETITEMDATA, CB_SETCURSEL,
                                  CB_GETCURSEL,    CB_GETITEMDATA, CB_GETCOUNT,    CB_GETLBTEXT,
                                  CB_GETLBTEXTLEN, CB_SETITEMHEIGHT, CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE,
                                  ODT_COMBOBOX,    CB_GETDROPPEDSTATE};
const ListMessages kListMessages{LB_RESETCONTENT, LB_ADDSTRING,   LB_SETITEMDATA, LB_SETCURSEL,
                                 LB_GETCURSEL,    LB_GETITEMDATA, LB_GETCOUNT,    LB_GETTEXT,
                                 LB_GETTEXTLEN,   LB_SETITEMHEIGHT, LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE,
                                 ODT_LISTBOX,     0};

bool IsRecord(LRESULT data) { return data != 0 && data != static_cast<LRESULT>(-1) && data != LB_ERR; }

}  // namespace

CmSvOwnerDrawList::CmSvOwnerDrawList(const ListMessages& messages, const char* key, uint32_t itemId, int32_t kind,
                                     int32_t display, uint32_t initial, uint32_t count, const CmSvOptionRecord* table,
                                     int32_t controlId, const int32_t* companions, int32_t shown, int32_t enabled,
                                     uint16_t itemHeight, uint16_t imageStyle, uint16_t largeImage)
    : CmSvMulti(key, itemId, kind, display, initial, count, table),
      CmSvControl(controlId, companions, shown, enabled),
      itemHeight(itemHeight),
      imageStyle(imageStyle),
      largeImage(largeImage),
      messages_(messages) {}

CmSvOwnerDrawList::~CmSvOwnerDrawList() {
    // Only the texts loaded here are freed. The rows are not touched: a run-time table belongs
    // to the concrete item and is already gone when this part of it is destroyed.
    for (char* text : ownedTexts_) FreePoolText(text);
}

const char* CmSvOwnerDrawList::DisplayText(UIDEVDATA* ctx, CmSvOptionRecord& row) {
    if (row.display_text || row.text_id == 0) return row.display_text;
    char* text = NewPoolText(kDisplayText);
    if (!text) return nullptr;
    try {
        ownedTexts_.push_back(text);
    } catch (const PoolOutOfMemory&) {
        FreePoolText(text);
        return nullptr;
    }
    if (ctx && ctx->svc) ctx->svc->LoadString(ctx, static_cast<UINT>(row.text_id), text, kDisplayText);
    row.display_text = text;
    return text;
}

bool CmSvOwnerDrawList::HoldsEntries(UIDEVDATA* ctx, HWND list) {
    if (list != filledList_) return false;
    size_t k = 0;
    const char* kept = filledTexts_.c_str();
    const char* const keptEnd = kept + filledTexts_.size();
    for (uint32_t i = 0; i < count && table; ++i) {
        CmSvOptionRecord& row = table[i];
        if (!row.shown) continue;
        const char* text = row.display_text ? row.display_text : DisplayText(ctx, row);
        if (!text) continue;
        if (k == filledRows_.size() || filledRows_[k] != &row || kept >= keptEnd || std::strcmp(kept, text) != 0)
            return false;
        kept += std::strlen(kept) + 1;
        ++k;
    }
    // The list itself is asked too: a page may have emptied or refilled it on its own.
    if (k != filledRows_.size() || SendMessageA(list, messages_.getCount, 0, 0) != static_cast<LRESULT>(k))
        return false;
    for (size_t j = 0; j < k; ++j)
        if (SendMessageA(list, messages_.getData, j, 0) != reinterpret_cast<LRESULT>(filledRows_[j])) return false;
    return true;
}

void CmSvOwnerDrawList::Reselect(HWND list) {
    const CmSvOptionRecord* currentRow = table && current < count ? &table[current] : nullptr;
    WPARAM at = 0;
    for (size_t j = 0; j < filledRows_.size(); ++j)
        if (filledRows_[j] == currentRow) at = j;
    SendMessageA(list, messages_.setSelection, at, 0);
}

bool CmSvOwnerDrawList::ShowNewPictures(HWND dialog) {
    HWND list = GetDlgItem(dialog, controlId);
    if (!list || list != filledList_) return false;
    // A dropped-down list is left as a redisplay leaves it.
    if (!messages_.droppedState || SendMessageA(list, messages_.droppedState, 0, 0) != 1) Reselect(list);
    return true;
}

void CmSvOwnerDrawList::Fill(UIDEVDATA* ctx, HWND list) {
    if (messages_.droppedState && SendMessageA(list, messages_.droppedState, 0, 0) == 1) return;
    // A refill empties the list and adds every entry again, each a round of messages: when the
    // entries are the same (nothing of theirs changed but their pictures), only the selection is
    // put back, which repaints the list.
    if (HoldsEntries(ctx, list)) {
        Reselect(list);
        return;
    }
    SendMessageA(list, messages_.reset, 0, 0);
    filledList_ = nullptr;
    filledRows_.clear();
    filledTexts_.clear();
    bool selected = false, recorded = true;
    for (uint32_t i = 0; i < count && table; ++i) {
        CmSvOptionRecord& row = table[i];
        if (!row.shown) continue;
        const char* text = DisplayText(ctx, row);
        if (!text) continue;
        const LRESULT entry = SendMessageA(list, messages_.add, 0, reinterpret_cast<LPARAM>(text));
        if (entry < 0) {
            recorded = false;
            continue;
        }
        SendMessageA(list, messages_.setData, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&row));
        if (i == current) {
            SendMessageA(list, messages_.setSelection, static_cast<WPARAM>(entry), 0);
            selected = true;
        }
        if (recorded) {
            try {
                filledRows_.push_back(&row);
                filledTexts_.append(text).push_back('\0');
            } catch (const PoolOutOfMemory&) {
                recorded = false;
            }
        }
    }
    // The current choice is hidden: the list shows its first entry, the value stays.
    if (!selected) SendMessageA(list, messages_.setSelection, 0, 0);
    if (recorded) filledList_ = list;
}

int CmSvOwnerDrawList::ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) {
    HWND list = GetDlgItem(dialog, controlId);
    if (!list) return 0;
    if (!onlyChanged && (GetWindowLongA(list, GWL_STYLE) & static_cast<LONG>(messages_.ownerDrawStyles))) {
        const int height = ScaleBySettingPercent(ctx, itemHeight);
        if (messages_.droppedState) SendMessageA(list, messages_.setHeight, static_cast<WPARAM>(-1), height);
        SendMessageA(list, messages_.setHeight, 0, height);
    }
    UpdateShow(ctx, dialog, onlyChanged, 0);
    Fill(ctx, list);
    UpdateEnable(ctx, dialog, onlyChanged, 0);
    return 1;
}

const CmSvOptionRecord* CmSvOwnerDrawList::EntryRow(HWND list, LRESULT entry) const {
    if (entry < 0) return nullptr;
    const LRESULT data = SendMessageA(list, messages_.getData, static_cast<WPARAM>(entry), 0);
    return IsRecord(data) ? reinterpret_cast<const CmSvOptionRecord*>(data) : nullptr;
}

void CmSvOwnerDrawList::MakeCurrent(const CmSvOptionRecord* row) {
    if (table && row >= table && row < table + count)
        current = static_cast<uint32_t>(row - table);
    else if (uint32_t found = FindValue(row->value); found < count)
        current = found;
}

int CmSvOwnerDrawList::SelectNearest(HWND list, LRESULT selection, int32_t previousValue, ChoiceTest test,
                                     UIDEVDATA* ctx, void* data) {
    const LRESULT entries = SendMessageA(list, messages_.getCount, 0, 0);
    LRESULT previous = entries;
    for (LRESULT k = 0; k < entries; ++k) {
        const CmSvOptionRecord* row = EntryRow(list, k);
        if (row && row->value == previousValue) {
            previous = k;
            break;
        }
    }
    auto passes = [&](const CmSvOptionRecord* row) { return row && (test ? test(ctx, data, row) != 0 : row->enabled == 1); };
    auto tryEntry = [&](LRESULT k) {
        const CmSvOptionRecord* row = EntryRow(list, k);
        if (!passes(row)) return false;
        SendMessageA(list, messages_.setSelection, static_cast<WPARAM>(k), 0);
        MakeCurrent(row);
        return true;
    };
    auto down = [&] {
        for (LRESULT k = selection + 1; k < entries; ++k)
            if (tryEntry(k)) return true;
        return false;
    };
    auto up = [&] {
        for (LRESULT k = selection - 1; k >= 0; --k)
            if (tryEntry(k)) return true;
        return false;
    };
    const bool movedDown = previous < selection;
    return (movedDown ? (down() || up()) : (up() || down())) ? 1 : 0;
}

int CmSvOwnerDrawList::FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t) {
    HWND list = GetDlgItem(dialog, controlId);
    if (!list) return 0;
    const LRESULT selection = SendMessageA(list, messages_.getSelection, 0, 0);
    const CmSvOptionRecord* chosen = EntryRow(list, selection);
    if (!chosen) return 0;
    // Without a current row (no table, or an index past the count) any selection is a change.
    const CmSvOptionRecord* now = CurrentRow();
    if (now && chosen->value == now->value) return 0;
    const uint32_t index = FindValue(chosen->value);
    if (index >= count) return 0;
    if (table[index].enabled == 1) {
        current = index;
        return 1;
    }
    return SelectNearest(list, selection, now ? now->value : chosen->value, nullptr, ctx, nullptr);
}

int CmSvOwnerDrawList::Draw(UIDEVDATA* ctx, HWND control, DRAWITEMSTRUCT* draw, ChoiceTest test, void* data) {
    if (!draw || draw->itemID == static_cast<UINT>(-1)) return 0;
    if (!IsRecord(static_cast<LRESULT>(draw->itemData))) return 0;
    const auto* row = reinterpret_cast<const CmSvOptionRecord*>(draw->itemData);
    HDC dc = draw->hDC;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = GetTextColor(dc);
    if (draw->itemAction & (ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS)) {
        const bool entryDisabled = (draw->itemState & ODS_DISABLED) != 0;
        const bool choiceEnabled = test ? test(ctx, data, row) != 0 : row->enabled == 1;
        int background = COLOR_WINDOW;
        if (draw->itemState & (ODS_SELECTED | ODS_FOCUS)) {
            background = COLOR_HIGHLIGHT;
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else if (entryDisabled) {
            background = COLOR_BTNFACE;
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        }
        FillRect(dc, &draw->rcItem, GetSysColorBrush(background));

        const int inset = largeImage ? 1 : 2;
        const int x = draw->rcItem.left + inset, y = draw->rcItem.top + inset;
        const auto* ids = static_cast<const uint16_t*>(row->images);
        // An entry without a picture (rows a printer builds at run time may have none) starts its
        // text where a plain list does, rather than after an empty space.
        int textOffset = kTextOffsetPlain;
        if (imageStyle == kIconImage && ids) {
            const UINT id = (choiceEnabled && !entryDisabled) || ids[1] == 0 ? ids[0] : ids[1];
            if (HICON icon = ctx && ctx->svc ? ctx->svc->LoadIcon(ctx, id) : nullptr) {
                SetMapMode(dc, MM_TEXT);
                DrawIcon(dc, x, y, icon);
            }
            textOffset = largeImage ? kTextOffsetLarge : kTextOffsetSmall;
        } else if (imageStyle == kBitmapImage && ids) {
            const bool useDisabled = (!choiceEnabled || entryDisabled) && ids[2] != 0;
            DrawMaskedBitmapAt(ctx, dc, x, y, useDisabled ? ids[2] : ids[0], useDisabled ? ids[3] : ids[1]);
            textOffset = largeImage ? kTextOffsetLarge : kTextOffsetSmall;
        }

        // The entry's text as the control holds it, cut to what a display text may hold.
        char text[kDisplayText] = {};
        const LRESULT length = SendMessageA(control, messages_.getTextLength, draw->itemID, 0);
        if (length >= 0) {
            PoolVector<char> whole(static_cast<size_t>(length) + 1, '\0');
            SendMessageA(control, messages_.getText, draw->itemID, reinterpret_cast<LPARAM>(whole.data()));
            std::strncpy(text, whole.data(), sizeof text - 1);
        }
        if (!choiceEnabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        RECT textRect = draw->rcItem;
        textRect.left += textOffset;
        DrawTextA(dc, text, -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (draw->itemState & ODS_FOCUS) DrawFocusRect(dc, &draw->rcItem);
    }
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    return 1;
}

int CmSvOwnerDrawList::DrawItem(UIDEVDATA* ctx, HWND control, int32_t, DRAWITEMSTRUCT* draw) {
    return Draw(ctx, control, draw, nullptr, nullptr);
}

int CmSvOwnerDrawList::DrawEntryWithTest(UIDEVDATA* ctx, HWND control, DRAWITEMSTRUCT* draw, ChoiceTest test,
                                         void* data) {
    return Draw(ctx, control, draw, test, data);
}

int CmSvOwnerDrawList::TrackWithTest(UIDEVDATA* ctx, HWND dialog, ChoiceTest test, void* data) {
    HWND list = GetDlgItem(dialog, controlId);
    if (!list || !test) return 0;
    const LRESULT selection = SendMessageA(list, messages_.getSelection, 0, 0);
    const CmSvOptionRecord* chosen = EntryRow(list, selection);
    if (!chosen || test(ctx, data, chosen)) return 0;
    const CmSvOptionRecord* now = CurrentRow();
    return SelectNearest(list, selection, now ? now->value : chosen->value, test, ctx, data);
}

int CmSvOwnerDrawList::MeasureItem(MEASUREITEMSTRUCT* measure) {
    if (!measure) return 0;
    measure->CtlType = messages_.drawType;
    measure->itemHeight = itemHeight;
    return 1;
}

CmSvComboBox::CmSvComboBox(const char* key, uint32_t itemId, uint32_t initial, uint32_t count,
                           const CmSvOptionRecord* table, int32_t controlId, const int32_t* companions, int32_t shown,
                           int32_t enabled, uint16_t itemHeight, uint16_t imageStyle, uint16_t largeImage)
    : CmSvOwnerDrawList(kComboMessages, key, itemId, kSvKindComboBox, 3, initial, count, table, controlId, companions,
                        shown, enabled, itemHeight, imageStyle, largeImage) {}

CmSvListBox::CmSvListBox(const char* key, uint32_t itemId, uint32_t initial, uint32_t count,
                         const CmSvOptionRecord* table, int32_t controlId, const int32_t* companions, int32_t shown,
                         int32_t enabled, uint16_t itemHeight, uint16_t imageStyle, uint16_t largeImage)
    : CmSvOwnerDrawList(kListMessages, key, itemId, kSvKindListBox, 2, initial, count, table, controlId, companions,
                        shown, enabled, itemHeight, imageStyle, largeImage) {}
