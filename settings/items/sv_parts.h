// The value class of an item, read from its type word: every on/off item is a `CmSvOnOff`, every
// multiple choice a `CmSvMulti`, every number a `CmSvNumeric`, every text a `CmSvString`, and only
// they are `CmSvItem`s (links and choice pseudo-items have no type). Each answers null for an
// item of another type, as a cast would, at the price of one compare.
#pragma once

#include "settings/items/sv_multi.h"
#include "settings/items/sv_numeric.h"
#include "settings/items/sv_onoff.h"
#include "settings/items/sv_string.h"

inline CmSvItem* ValueOf(CmSv* item) {
    return item && item->type >= kSvTypeOnOff && item->type <= kSvTypeString ? static_cast<CmSvItem*>(item) : nullptr;
}
inline const CmSvItem* ValueOf(const CmSv* item) { return ValueOf(const_cast<CmSv*>(item)); }

template <class T, int32_t Type>
T* ValueOfType(CmSv* item) {
    return item && item->type == Type ? static_cast<T*>(item) : nullptr;
}

inline CmSvOnOff* OnOffOf(CmSv* item) { return ValueOfType<CmSvOnOff, kSvTypeOnOff>(item); }
inline CmSvMulti* MultiOf(CmSv* item) { return ValueOfType<CmSvMulti, kSvTypeMulti>(item); }
inline CmSvNumeric* NumericOf(CmSv* item) { return ValueOfType<CmSvNumeric, kSvTypeNumeric>(item); }
inline CmSvString* StringOf(CmSv* item) { return ValueOfType<CmSvString, kSvTypeString>(item); }
inline const CmSvOnOff* OnOffOf(const CmSv* item) { return OnOffOf(const_cast<CmSv*>(item)); }
inline const CmSvMulti* MultiOf(const CmSv* item) { return MultiOf(const_cast<CmSv*>(item)); }
inline const CmSvNumeric* NumericOf(const CmSv* item) { return NumericOf(const_cast<CmSv*>(item)); }
inline const CmSvString* StringOf(const CmSv* item) { return StringOf(const_cast<CmSv*>(item)); }
