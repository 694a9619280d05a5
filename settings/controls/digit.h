// `CmSvDigit`: a number in an edit field with its spin control. The field shows and reads the
// whole 32-bit value; the spin control's range is the item's limits, and its arrows step the
// value by one.
#pragma once

#include "settings/controls/control.h"
#include "settings/items/sv_numeric.h"

class CmSvDigit : public CmSvNumeric, public CmSvControl {
public:
    CmSvControl* AsControl() override { return this; }
    CmSvDigit(const char* key, uint32_t itemId, int32_t initial, int32_t minimum, int32_t maximum, int32_t editId,
              const int32_t* companions, int32_t shown, int32_t enabled, int32_t third, int32_t textLimit,
              int32_t spinId, int32_t signedFlag)
        : CmSvNumeric(key, itemId, kSvKindDigit, initial, minimum, maximum),
          CmSvControl(editId, companions, shown, enabled, third),
          textLimit(textLimit),
          spinId(spinId),
          signedFlag(signedFlag) {}

    int ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) override;
    int FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t id) override;
    // One step of the spin control's arrows within the limits, shown in the field at once.
    int OnDeltaPos(UIDEVDATA* ctx, HWND dialog, NMUPDOWN* updown) override;

    int32_t textLimit;
    int32_t spinId;
    int32_t signedFlag;  // bit 0: the field takes a sign
};
