// Bindings whose concrete items read and write the control themselves: a list view (the
// registry forwards its notifications), a track bar (the page forwards its scroll messages),
// the choice pseudo-item and link `CmSvGUI`, and `CmSvControl0`, a control without a value that
// serves as the key of a search by control id.
#pragma once

#include "settings/controls/control.h"
#include "settings/items/sv_link.h"
#include "settings/items/sv_multi.h"
#include "settings/items/sv_numeric.h"

#include <commctrl.h>

class CmSvListView : public CmSvMulti, public CmSvControl {
public:
    CmSvControl* AsControl() override { return this; }
    CmSvListView(const char* key, uint32_t itemId, uint32_t initial, uint32_t count, const CmSvOptionRecord* table,
                 int32_t controlId, const int32_t* companions, int32_t shown, int32_t enabled)
        : CmSvMulti(key, itemId, kSvKindListView, 2, initial, count, table),
          CmSvControl(controlId, companions, shown, enabled) {}

    // LVN_ITEMCHANGING, LVN_ITEMCHANGED and LVN_COLUMNCLICK of the control.
    virtual int OnItemChanging(UIDEVDATA* ctx, HWND dialog, int32_t id, NMLISTVIEW* note);
    virtual int OnItemChanged(UIDEVDATA* ctx, HWND dialog, int32_t id, NMLISTVIEW* note);
    virtual int OnColumnClick(UIDEVDATA* ctx, HWND dialog, int32_t id, NMLISTVIEW* note);
    // Two further operations for concrete list views; no caller gives them a meaning yet.
    virtual void ListViewIdle();
    virtual int ListViewState();
};

// The scroll messages of a control, forwarded by the page.
class CmSvScroll {
public:
    virtual ~CmSvScroll() = default;
    virtual int OnHScroll(UIDEVDATA* ctx, HWND dialog);
    virtual int OnVScroll(UIDEVDATA* ctx, HWND dialog);
};

class CmSvTrackBar : public CmSvNumeric, public CmSvControl, public CmSvScroll {
public:
    CmSvControl* AsControl() override { return this; }
    CmSvTrackBar(const char* key, uint32_t itemId, int32_t initial, int32_t minimum, int32_t maximum,
                 int32_t controlId, const int32_t* companions, int32_t shown, int32_t enabled)
        : CmSvNumeric(key, itemId, kSvKindTrackBar, initial, minimum, maximum),
          CmSvControl(controlId, companions, shown, enabled) {}

    int ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) override;
    int FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t id) override;
};

// A link built from one choice's option record: its control is the choice's own control (word 4)
// with the choice's shown and enabled flags.
class CmSvGUI : public CmSvLink, public CmSvControl {
public:
    CmSvControl* AsControl() override { return this; }
    CmSv* StandsFor() override { return this; }  // its target is a choice's record, not an item
    CmSvGUI(const char* key, uint32_t itemId, CmSvOptionRecord* choice)
        : CmSvLink(kSvTypeNone, key, itemId, choice),
          CmSvControl(choice ? choice->control_id : 0, nullptr, choice ? choice->shown : 0,
                      choice ? choice->enabled : 0) {}
};

class CmSvControl0 : public CmSv, public CmSvControl {
public:
    CmSvControl* AsControl() override { return this; }
    explicit CmSvControl0(int32_t controlId)
        : CmSv(kSvTypeNone, kSvKindNone, nullptr, 0), CmSvControl(controlId, nullptr, 0, 0) {}
};
