// `CmSvOnOff`: a setting that is on (1) or off (anything else). A push button is an on/off value
// too (mode 2): pressing it is a change, and it never differs from a source.
#pragma once

#include "settings/items/sv_item.h"

class CmSvOnOff : public CmSvItem {
public:
    static constexpr int32_t kOrdinary = 1;
    static constexpr int32_t kPushButton = 2;

    CmSvOnOff(const char* key, uint32_t itemId, int32_t kind, int32_t mode, int32_t initial)
        : CmSvItem(kSvTypeOnOff, kind, key, itemId, 0), mode(mode), current(initial), reference(initial) {}

    char* GetValueText(UIDEVDATA* ctx) override;
    char* GetChangeText(UIDEVDATA* ctx) override;
    int IsSameAsSource(UIDEVDATA* ctx, int mode) override;
    int GetTypedValue(UIDEVDATA* ctx, PieValue* out) override;
    void SetReference(UIDEVDATA* ctx, int mode) override;

    int32_t mode;
    int32_t current;
    int32_t reference;
};
