// Base operations of a setting with a value, and where comparisons find their source.
#include "settings/items/sv_item.h"

#include "core/memory/pool_text.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"

#include <cstring>

int CmSvItem::LoadValue(UIDEVDATA*, const uint8_t*) { return 0; }
int CmSvItem::StoreValue(UIDEVDATA*, uint8_t*) { return 0; }
int CmSvItem::IsSameAsSource(UIDEVDATA*, int) { return 1; }
int CmSvItem::GetTypedValue(UIDEVDATA*, PieValue*) { return 0; }
void CmSvItem::SetReference(UIDEVDATA*, int) {}

const uint8_t* SourceOfMode(UIDEVDATA* ctx, int mode) {
    if (!ctx || !ctx->svc) return nullptr;
    switch (static_cast<int16_t>(mode)) {
    case 0:
        return ctx->svc->GetDevmode(ctx, 1);
    case 1:
    case 2: {
        CmUserData* user = ctx->svc->GetUserData(ctx);
        return user ? user->GetSettingsSource() : nullptr;
    }
    default:
        return nullptr;
    }
}

char* JoinChangeText(const char* reference, const char* current) {
    if (!reference || !current) return nullptr;
    size_t a = std::strlen(reference), b = std::strlen(current);
    char* text = NewPoolText(a + 2 + b + 1);
    if (!text) return nullptr;
    std::memcpy(text, reference, a);
    std::memcpy(text + a, "->", 2);
    std::memcpy(text + a + 2, current, b);
    return text;
}

void CmSvItem::SetNumberReference(UIDEVDATA* ctx, int mode, int32_t& current, int32_t& reference) {
    switch (static_cast<int16_t>(mode)) {
    case 0:
    case 2:
        reference = current;
        break;
    case 1: {
        const int32_t kept = current;
        const uint8_t* source = SheetSettings(ctx);
        reference = source && Load(ctx, source) == 1 ? current : kept;
        current = kept;
        break;
    }
    default:
        break;
    }
}
