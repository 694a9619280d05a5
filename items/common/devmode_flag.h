// The two shapes of the settings that mirror part of a device-mode option and have no control:
// a flag that is one bit of a 32-bit option word, and a choice kept as a 16-bit option. Each
// concrete item is a row of a descriptor table and a thin named class over one of these; an
// item writes only its own bit, so the other settings of a shared word survive its store.
#pragma once

#include "settings/sdk/sdk_binding.h"
#include "settings/items/sv_multi.h"
#include "settings/items/sv_onoff.h"

#include <cstdint>

// How a flag meets the option interface: in mask mode at its own bit position, as 0 and 1, or
// not at all (no option key).
enum class FlagBinding : uint8_t { Mask, OffOn, None };

struct DevmodeFlagRow {
    const char* key;
    uint32_t itemId;
    uint16_t option;  // older option number of a 32-bit word
    uint8_t bit;
    bool inverted;  // on while the bit is clear
    FlagBinding binding;
    uint32_t sdkKey;  // 0: 0x100000 plus the item id
};

class CmSvDevmodeFlag : public CmSvOnOff, public CmSvSdk_OnOff {
public:
    CmSvSdk* AsSdk() override { return this; }
    explicit CmSvDevmodeFlag(const DevmodeFlagRow& row);

    // The bit of the source's word; answers 1.
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    // The destination's word with only this item's bit changed; answers 1.
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;

    bool IsOnIn(uint32_t word) const;
    uint32_t StoredInto(uint32_t word) const;

    const DevmodeFlagRow& row;
};

// How a 16-bit option value meets the rows: the row's value against the number widened with its
// sign, or the row's low 16 bits against the number.
enum class ChoiceMatch : uint8_t { Signed, Low16 };

struct DevmodeChoiceRow {
    const char* key;
    uint32_t itemId;
    uint16_t option;  // older option number of a 16-bit value
    const CmSvOptionRecord* rows;
    uint32_t count;
    ChoiceMatch match;
    int noMatchAnswer;  // what Load answers when no row has the value (the index stays)
};

class CmSvDevmodeChoice : public CmSvMulti, public CmSvSdk_Multi {
public:
    CmSvSdk* AsSdk() override { return this; }
    explicit CmSvDevmodeChoice(const DevmodeChoiceRow& row);

    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    // The current row's value as 2 bytes; the option is not read first.
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;

    const DevmodeChoiceRow& row;
};

// A choice row as the tables without controls give them: offered to the option interface under
// its own value, available.
constexpr CmSvOptionRecord ValueChoice(const char* name, int32_t value, int32_t optionValue) {
    return CmSvOptionRecord{name, nullptr, value, 0, 0, 0, 0, 0, 0, nullptr, 1, optionValue, 1};
}
constexpr CmSvOptionRecord ValueChoice(const char* name, int32_t value) { return ValueChoice(name, value, value); }

// The option key of an item: the given one, else 0x100000 plus the item id.
constexpr uint32_t ItemSdkKey(uint32_t given, uint32_t itemId) { return given ? given : kSdkItemKeyBase + itemId; }
