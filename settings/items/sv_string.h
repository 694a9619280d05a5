// `CmSvString`: a text setting held in a buffer its owner supplies, of a maximum size that
// includes the terminator. The item's own buffer of that size keeps the reference text.
#pragma once

#include "settings/items/sv_item.h"

#include <cstddef>

class CmSvString : public CmSvItem {
public:
    CmSvString(const char* key, uint32_t itemId, uint32_t flag, char* text, uint32_t size);
    CmSvString(const char* key, uint32_t itemId, CmSvKind kind, char* text, uint32_t size);
    ~CmSvString() override;

    int IsSameAsSource(UIDEVDATA* ctx, int mode) override;
    int GetTypedValue(UIDEVDATA* ctx, PieValue* out) override;
    void SetReference(UIDEVDATA* ctx, int mode) override;

    // Copies text into the current buffer when it fits; false, nothing written, otherwise.
    bool SetText(const char* text);

    char* current;    // the owner's buffer of maxSize bytes, or null
    char* reference;  // the item's own buffer; null when memory was short
    uint32_t maxSize;
};
