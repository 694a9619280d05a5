// Row choice by value, with the option interface's answers.
#include "items/common/choice_select.h"

#include "items/common/option_word.h"
#include "settings/sdk/sdk_binding.h"

int SelectRowByValue(CmSvMulti& item, int32_t value) {
    const uint32_t index = item.FindValue(value);
    if (index >= item.count) return kSdkNotSupported;
    if (item.table[index].enabled != 1) return kSdkRefused;
    item.current = index;
    return kSdkDone;
}

namespace {

// The first row (among the offered ones, when asked) with that option value.
int SelectByOptionValue(CmSvMulti& item, int32_t optionValue, bool offeredOnly) {
    for (uint32_t i = 0; i < item.count; ++i) {
        const CmSvOptionRecord& row = item.table[i];
        if ((offeredOnly && row.offered != 1) || row.option_value != optionValue) continue;
        if (row.enabled != 1) return kSdkRefused;
        item.current = i;
        return kSdkDone;
    }
    return kSdkNotSupported;
}

}  // namespace

int SelectRowByOptionValue(CmSvMulti& item, int32_t optionValue) {
    return SelectByOptionValue(item, optionValue, false);
}

int SelectOfferedRowByOptionValue(CmSvMulti& item, int32_t optionValue) {
    return SelectByOptionValue(item, optionValue, true);
}

int LoadRowByValue(CmSvMulti& item, int32_t value) {
    const uint32_t index = item.FindValue(value);
    if (index >= item.count) return 0;
    item.current = index;
    return 1;
}

int LoadRowFromShort(UIDEVDATA* ctx, CmSvMulti& item, const uint8_t* source, uint32_t option) {
    return LoadRowByValue(item, static_cast<int16_t>(ReadOptionShort(ctx, source, option)));
}

int StoreRowAsShort(UIDEVDATA* ctx, const CmSvMulti& item, uint8_t* destination, uint32_t option) {
    const CmSvOptionRecord* row = item.CurrentRow();
    if (!row) return 0;
    WriteOptionShort(ctx, destination, option, static_cast<uint16_t>(row->value));
    return 1;
}

int32_t CurrentValueOr(const CmSvMulti& item, int32_t fallback) {
    const CmSvOptionRecord* row = item.CurrentRow();
    return row ? row->value : fallback;
}
