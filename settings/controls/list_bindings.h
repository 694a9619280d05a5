// Bindings of a multiple-choice value to an owner-drawn combo box or list box. Both fill their
// list with the shown choices (each entry's item data is its option record), select the current
// choice, move a selection that lands on a disabled choice to the nearest enabled one, and draw
// their entries with the choice's picture and text. The two differ only in their messages.
#pragma once

#include "core/memory/pool_allocator.h"
#include "settings/controls/control.h"
#include "settings/items/sv_multi.h"

// The messages and owner-draw type of one kind of list control.
struct ListMessages {
    UINT reset, add, setData, setSelection, getSelection, getData, getCount, getText, getTextLength, setHeight;
    UINT ownerDrawStyles;
    UINT drawType;     // ODT_COMBOBOX or ODT_LISTBOX
    UINT droppedState;  // 0 when the control has no dropped-down list
};

// Whether a choice counts as enabled, for lists whose page decides that itself.
using ChoiceTest = int (*)(UIDEVDATA* ctx, void* data, const CmSvOptionRecord* row);

class CmSvOwnerDrawList : public CmSvMulti, public CmSvControl {
public:
    CmSvControl* AsControl() override { return this; }
    // Picture beside each entry.
    static constexpr uint16_t kNoImage = 0;
    static constexpr uint16_t kIconImage = 1;    // images: {normal icon, disabled icon}
    static constexpr uint16_t kBitmapImage = 2;  // images: {bitmap, mask, disabled bitmap, disabled mask}

    CmSvOwnerDrawList(const ListMessages& messages, const char* key, uint32_t itemId, int32_t kind, int32_t display,
                      uint32_t initial, uint32_t count, const CmSvOptionRecord* table, int32_t controlId,
                      const int32_t* companions, int32_t shown, int32_t enabled, uint16_t itemHeight,
                      uint16_t imageStyle, uint16_t largeImage);
    ~CmSvOwnerDrawList() override;

    int ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) override;
    int FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t id) override;
    int DrawItem(UIDEVDATA* ctx, HWND control, int32_t id, DRAWITEMSTRUCT* draw) override;
    int MeasureItem(MEASUREITEMSTRUCT* measure) override;

    // DrawItem with the page's test in place of each choice's enabled flag.
    int DrawEntryWithTest(UIDEVDATA* ctx, HWND control, DRAWITEMSTRUCT* draw, ChoiceTest test, void* data);
    // When the selected entry fails the test, selects the nearest one that passes and makes its
    // choice current; 1 when the selection moved.
    int TrackWithTest(UIDEVDATA* ctx, HWND dialog, ChoiceTest test, void* data);
    // For an item whose choices' pictures changed and nothing else of them: the list this binding
    // filled on the dialog gets its selection back, which repaints it, as a redisplay that finds
    // the entries held would do. False when the binding filled no list there.
    bool ShowNewPictures(HWND dialog);

    uint16_t itemHeight;
    uint16_t imageStyle;
    uint16_t largeImage;

private:
    void Fill(UIDEVDATA* ctx, HWND list);
    // The held list's selection put back on the current choice.
    void Reselect(HWND list);
    // Whether the list still holds the entries Fill would put in it now: the same records with
    // the same texts, in order. Only the selection and the pictures then need to catch up.
    bool HoldsEntries(UIDEVDATA* ctx, HWND list);
    // The entry's text: the record's display text, or its string resource loaded once into a
    // text this binding owns. Null when the choice has neither or memory is short.
    const char* DisplayText(UIDEVDATA* ctx, CmSvOptionRecord& row);
    const CmSvOptionRecord* EntryRow(HWND list, LRESULT entry) const;
    // Selects the entry nearest to `selection` that passes (test, or the enabled flag) and makes
    // its choice current; the search runs first the way the user moved from `previous`.
    int SelectNearest(HWND list, LRESULT selection, int32_t previousValue, ChoiceTest test, UIDEVDATA* ctx,
                      void* data);
    void MakeCurrent(const CmSvOptionRecord* row);
    int Draw(UIDEVDATA* ctx, HWND control, DRAWITEMSTRUCT* draw, ChoiceTest test, void* data);

    const ListMessages& messages_;
    PoolVector<char*> ownedTexts_;
    // What Fill last put in a list: its window, each entry's record and a copy of its text (a
    // table may rewrite a text in place), the texts one after another, each ended by a zero.
    HWND filledList_ = nullptr;
    PoolVector<const CmSvOptionRecord*> filledRows_;
    PoolString filledTexts_;
};

class CmSvComboBox : public CmSvOwnerDrawList {
public:
    CmSvComboBox(const char* key, uint32_t itemId, uint32_t initial, uint32_t count, const CmSvOptionRecord* table,
                 int32_t controlId, const int32_t* companions, int32_t shown, int32_t enabled, uint16_t itemHeight,
                 uint16_t imageStyle, uint16_t largeImage);
};

class CmSvListBox : public CmSvOwnerDrawList {
public:
    CmSvListBox(const char* key, uint32_t itemId, uint32_t initial, uint32_t count, const CmSvOptionRecord* table,
                int32_t controlId, const int32_t* companions, int32_t shown, int32_t enabled, uint16_t itemHeight,
                uint16_t imageStyle, uint16_t largeImage);
};
