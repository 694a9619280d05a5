// Choosing a row of a multiple-choice item by the value it stores or by the value the option
// interface speaks of, with the answers of the option interface: a row that is not there is
// "not supported", a disabled row is refused, and a refused choice changes nothing. Most lists keep
// their choice as a 16-bit device-mode option; the load and store of that live here too.
#pragma once

#include "core/device/uidevdata.h"
#include "settings/items/sv_multi.h"

#include <cstdint>

// kSdkDone, kSdkNotSupported or kSdkRefused.
int SelectRowByValue(CmSvMulti& item, int32_t value);
int SelectRowByOptionValue(CmSvMulti& item, int32_t optionValue);
// The same among the rows the item offers.
int SelectOfferedRowByOptionValue(CmSvMulti& item, int32_t optionValue);
// A load: the first row that stores `value` becomes current; 1 when found, else 0 and the choice
// stays as it was.
int LoadRowByValue(CmSvMulti& item, int32_t value);
// The same for a 16-bit device-mode option: its number, widened with its sign, picks the row.
int LoadRowFromShort(UIDEVDATA* ctx, CmSvMulti& item, const uint8_t* source, uint32_t option);
// The current row's value written as that 16-bit option; 1, or 0 without a current row.
int StoreRowAsShort(UIDEVDATA* ctx, const CmSvMulti& item, uint8_t* destination, uint32_t option);
// The current row's stored value, or `fallback` without one.
int32_t CurrentValueOr(const CmSvMulti& item, int32_t fallback);
