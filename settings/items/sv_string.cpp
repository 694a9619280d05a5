// Text values: comparison with a source and reference, through temporaries of the item's size.
#include "settings/items/sv_string.h"

#include "core/helpers/bounded_text.h"
#include "core/memory/pool_text.h"

#include <cstring>
#include <memory>

namespace {

struct PoolTextFree {
    void operator()(char* text) const { FreePoolText(text); }
};
using TempText = std::unique_ptr<char, PoolTextFree>;

}  // namespace

CmSvString::CmSvString(const char* key, uint32_t itemId, uint32_t flag, char* text, uint32_t size)
    : CmSvItem(kSvTypeString, kSvKindNone, key, itemId, flag), current(text), reference(NewPoolText(size)),
      maxSize(size) {}

CmSvString::CmSvString(const char* key, uint32_t itemId, CmSvKind kind, char* text, uint32_t size)
    : CmSvString(key, itemId, 0u, text, size) {
    this->kind = kind;
}

CmSvString::~CmSvString() { FreePoolText(reference); }

bool CmSvString::SetText(const char* text) { return current && CopyBounded(current, maxSize, text); }

int CmSvString::IsSameAsSource(UIDEVDATA* ctx, int mode) {
    const uint8_t* source = SourceOfMode(ctx, mode);
    if (!source || !current) return 0;
    TempText kept(NewPoolText(maxSize));
    if (!kept || !CopyBounded(kept.get(), maxSize, current)) return 0;
    if (Load(ctx, source) == 1 && std::strcmp(kept.get(), current) == 0) return 1;
    CopyBounded(current, maxSize, kept.get());
    return 0;
}

int CmSvString::GetTypedValue(UIDEVDATA*, PieValue* out) {
    if (!out || !current) return 0;
    out->type = kSvTypeString;
    out->value = reinterpret_cast<intptr_t>(current);
    return 1;
}

void CmSvString::SetReference(UIDEVDATA* ctx, int mode) {
    if (!reference || !current) return;
    switch (static_cast<int16_t>(mode)) {
    case 0:
    case 2:
        CopyBounded(reference, maxSize, current);
        break;
    case 1: {
        const uint8_t* source = SheetSettings(ctx);
        TempText kept(NewPoolText(maxSize));
        if (!source || !kept || !CopyBounded(kept.get(), maxSize, current)) return;
        if (Load(ctx, source) == 1) CopyBounded(reference, maxSize, current);
        CopyBounded(current, maxSize, kept.get());
        break;
    }
    default:
        break;
    }
}
