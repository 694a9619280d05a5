// `CmSvNumeric`: a signed 32-bit number with its limits. Limits are compared in 32 bits; a field
// that the device mode keeps in 16 bits is cut to them only where it is stored.
#pragma once

#include "settings/items/sv_item.h"

class CmSvNumeric : public CmSvItem {
public:
    CmSvNumeric(const char* key, uint32_t itemId, int32_t initial, int32_t minimum, int32_t maximum)
        : CmSvNumeric(key, itemId, kSvKindNone, initial, minimum, maximum) {}
    CmSvNumeric(const char* key, uint32_t itemId, int32_t kind, int32_t initial, int32_t minimum, int32_t maximum)
        : CmSvItem(kSvTypeNumeric, kind, key, itemId, 0),
          current(initial),
          reference(initial),
          minimum(minimum),
          maximum(maximum) {}

    char* GetValueText(UIDEVDATA* ctx) override;
    char* GetChangeText(UIDEVDATA* ctx) override;
    int IsSameAsSource(UIDEVDATA* ctx, int mode) override;
    int GetTypedValue(UIDEVDATA* ctx, PieValue* out) override;
    void SetReference(UIDEVDATA* ctx, int mode) override;

    bool InRange(int32_t value) const { return value >= minimum && value <= maximum; }
    // Whether the rules may give the item this value. A number kept in another unit than its
    // limits (a margin shown in inches) answers in the unit it keeps.
    virtual bool AcceptsRuleValue(int32_t value) const { return InRange(value); }

    int32_t current;
    int32_t reference;
    int32_t minimum;
    int32_t maximum;
};
