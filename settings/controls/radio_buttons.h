// Binding of a multiple-choice value to a group of radio buttons, one button per choice
// (option record word 4). Choices the rules hide or disable hide or disable their own button.
#pragma once

#include "settings/controls/control.h"
#include "settings/items/sv_multi.h"

class CmSvRadioButton : public CmSvMulti, public CmSvControl {
public:
    CmSvControl* AsControl() override { return this; }
    CmSvRadioButton(const char* key, uint32_t itemId, uint32_t initial, uint32_t count, const CmSvOptionRecord* table,
                    int32_t controlId, const int32_t* companions, int32_t shown, int32_t enabled)
        : CmSvMulti(key, itemId, kSvKindRadio, 1, initial, count, table),
          CmSvControl(controlId, companions, shown, enabled) {}

    int ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) override;
    int FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t id) override;
};
