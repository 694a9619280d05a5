// The bit-flag and 16-bit choice shapes of the device-mode items.
#include "items/common/devmode_flag.h"

#include "items/common/option_word.h"

namespace {

// Both values 0 put the binding in mask mode; a flag without a key never answers anyway.
uint32_t FlagOn(const DevmodeFlagRow& row) { return row.binding == FlagBinding::OffOn ? 1 : 0; }

}  // namespace

CmSvDevmodeFlag::CmSvDevmodeFlag(const DevmodeFlagRow& row)
    : CmSvOnOff(row.key, row.itemId, kSvKindNone, kOrdinary, 0),
      CmSvSdk_OnOff(ItemSdkKey(row.sdkKey, row.itemId), 0, FlagOn(row), 4, 0),
      row(row) {
    if (row.binding == FlagBinding::Mask) mask = 1u << row.bit;
    // No option request reaches a flag without a key.
    if (row.binding == FlagBinding::None) keys.clear();
}

bool CmSvDevmodeFlag::IsOnIn(uint32_t word) const {
    const bool set = (word >> row.bit) & 1u;
    return row.inverted ? !set : set;
}

uint32_t CmSvDevmodeFlag::StoredInto(uint32_t word) const {
    const bool on = current == 1;
    return WithBit(word, row.bit, row.inverted ? !on : on);
}

int CmSvDevmodeFlag::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    current = IsOnIn(ReadOptionWord(ctx, source, row.option)) ? 1 : 0;
    return 1;
}

int CmSvDevmodeFlag::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    WriteOptionWord(ctx, destination, row.option, StoredInto(ReadOptionWord(ctx, destination, row.option)));
    return 1;
}

CmSvDevmodeChoice::CmSvDevmodeChoice(const DevmodeChoiceRow& row)
    : CmSvMulti(row.key, row.itemId, 0u, row.count, row.rows),
      CmSvSdk_Multi(kSdkItemKeyBase + row.itemId, 2, 0),
      row(row) {}

int CmSvDevmodeChoice::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    const uint16_t read = ReadOptionShort(ctx, source, row.option);
    for (uint32_t i = 0; i < count; ++i) {
        const CmSvOptionRecord* choice = Row(i);
        const bool equal = row.match == ChoiceMatch::Low16
                               ? static_cast<uint16_t>(choice->value) == read
                               : choice->value == static_cast<int32_t>(static_cast<int16_t>(read));
        if (equal) {
            current = i;
            return 1;
        }
    }
    return row.noMatchAnswer;
}

int CmSvDevmodeChoice::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    const CmSvOptionRecord* choice = CurrentRow();
    if (!choice) return 0;
    WriteOptionShort(ctx, destination, row.option, static_cast<uint16_t>(choice->value));
    return 1;
}
