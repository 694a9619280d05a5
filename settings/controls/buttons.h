// Bindings of on/off values to buttons: an owner-drawn push button whose press is the change,
// and a check box (an indeterminate box reads as on).
#pragma once

#include "settings/controls/control.h"
#include "settings/items/sv_onoff.h"

class CmSvPushButton : public CmSvOnOff, public CmSvControl {
public:
    CmSvControl* AsControl() override { return this; }
    CmSvPushButton(const char* key, uint32_t itemId, int32_t controlId, const int32_t* companions, int32_t shown,
                   int32_t enabled)
        : CmSvOnOff(key, itemId, kSvKindPushButton, kPushButton, 0),
          CmSvControl(controlId, companions, shown, enabled) {}

    int ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) override;
    int FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t id) override;
    // The picture pair of the state: selected +1, else focused +2, else disabled +3.
    int DrawItem(UIDEVDATA* ctx, HWND control, int32_t id, DRAWITEMSTRUCT* draw) override;

    uint16_t bitmapId = 0;  // set by the concrete item
    uint16_t maskId = 0;
};

class CmSvCheckBox : public CmSvOnOff, public CmSvControl {
public:
    CmSvControl* AsControl() override { return this; }
    CmSvCheckBox(const char* key, uint32_t itemId, int32_t initial, int32_t controlId, const int32_t* companions,
                 int32_t shown, int32_t enabled)
        : CmSvOnOff(key, itemId, kSvKindCheckBox, kOrdinary, initial),
          CmSvControl(controlId, companions, shown, enabled) {}

    int ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) override;
    int FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t id) override;
};
