// `CmSvControl`: the dialog side of an item. It names the control and the companion controls
// (labels, group boxes, spin controls) that appear and disappear with it, and keeps the shown,
// enabled and third state words that the rules set and the page applies. The bindings of each
// control kind derive from a value class and from this one.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

class CmSvControl {
public:
    CmSvControl(int32_t controlId, const int32_t* companions, int32_t shown, int32_t enabled, int32_t third = 0)
        : controlId(controlId), companions(companions), shown(shown), enabled(enabled), third(third) {}
    virtual ~CmSvControl() = default;

    // Shows or hides the control, the extra control (when non-zero) and every companion; with
    // onlyChanged, a window whose visibility already matches is left alone.
    virtual void UpdateShow(UIDEVDATA* ctx, HWND dialog, int onlyChanged, int32_t extraId);
    // Enables or disables the same controls, always.
    virtual void UpdateEnable(UIDEVDATA* ctx, HWND dialog, int onlyChanged, int32_t extraId);
    // CmSvControl's UpdateShow and then its UpdateEnable, without an extra control; `own` is the
    // control's window when the caller has just found it, else null.
    void ShowThenEnable(HWND dialog, int onlyChanged, HWND own);
    // Writes the value into the control; 1 when the control exists.
    virtual int ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged);
    // Reads the control (the low 16 bits of `id` name it) into the value; 1 when it changed.
    virtual int FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t id);
    // Draws one entry of an owner-drawn control; `control` is the control's own window.
    virtual int DrawItem(UIDEVDATA* ctx, HWND control, int32_t id, DRAWITEMSTRUCT* draw);
    virtual int MeasureItem(MEASUREITEMSTRUCT* measure);
    // UDN_DELTAPOS of a number field's spin control; 1 when the value changed.
    virtual int OnDeltaPos(UIDEVDATA* ctx, HWND dialog, NMUPDOWN* updown);
    // A new pool copy of the setting key of the item this control belongs to; null when the
    // control belongs to no item or memory is short.
    virtual char* GetKeyText();

    int32_t controlId;
    const int32_t* companions;  // zero-terminated, constant; may be null
    int32_t shown;
    int32_t enabled;
    int32_t third;  // a text field is read-only while it is 1
    int32_t shownChanged = 0;
    int32_t enabledChanged = 0;
    int32_t thirdChanged = 0;
    int32_t needsRedisplay = 0;
};
