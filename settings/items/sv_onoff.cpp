// On/off values: their texts, comparison with a source and reference.
#include "settings/items/sv_onoff.h"

#include "core/memory/pool_text.h"

namespace {

const char* OnOffText(int32_t value) { return value == 1 ? "ON" : "OFF"; }

}  // namespace

char* CmSvOnOff::GetValueText(UIDEVDATA*) { return CopyPoolText(OnOffText(current)); }

char* CmSvOnOff::GetChangeText(UIDEVDATA* ctx) {
    if (!(flags & kChangedByRules)) return GetValueText(ctx);
    SetReference(ctx, 1);
    return JoinChangeText(OnOffText(reference), OnOffText(current));
}

int CmSvOnOff::IsSameAsSource(UIDEVDATA* ctx, int sourceMode) {
    if (mode == kPushButton) return 1;
    const uint8_t* source = SourceOfMode(ctx, sourceMode);
    if (!source) return 0;
    const int32_t kept = current;
    if (Load(ctx, source) == 1 && current == kept) return 1;
    // Whatever the load left, the item keeps the value it had.
    current = kept;
    return 0;
}

int CmSvOnOff::GetTypedValue(UIDEVDATA*, PieValue* out) {
    if (!out) return 0;
    out->type = kSvTypeOnOff;
    out->value = current;
    return 1;
}

void CmSvOnOff::SetReference(UIDEVDATA* ctx, int referenceMode) { SetNumberReference(ctx, referenceMode, current, reference); }
