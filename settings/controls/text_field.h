// `CmSvText`: a text setting in an edit field; the third state word makes the field read-only.
#pragma once

#include "settings/controls/control.h"
#include "settings/items/sv_string.h"

class CmSvText : public CmSvString, public CmSvControl {
public:
    CmSvControl* AsControl() override { return this; }
    CmSvText(const char* key, uint32_t itemId, char* text, uint32_t size, int32_t controlId,
             const int32_t* companions, int32_t shown, int32_t enabled, int32_t third)
        : CmSvString(key, itemId, kSvKindText, text, size), CmSvControl(controlId, companions, shown, enabled, third) {}

    int ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) override;
    int FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t id) override;
};
