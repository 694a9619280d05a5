// The small links the items of one page keep with their sheet and with each other while the rules
// or the option interface act on them: an action's argument by name, the sheet's settings, a
// partner item by id, a partner switch turned and noted, and the answer of a changed choice.
#pragma once

#include "core/device/uidevdata.h"
#include "settings/items/sv_multi.h"
#include "settings/items/sv_onoff.h"
#include "settings/registry/conflict.h"

#include <cstdint>

// True when the action's argument is there and is `name`.
bool Named(const char* argument, const char* name);

// The settings the sheet started from, or null without them.
const uint8_t* SheetSettingsOf(UIDEVDATA* ctx);

// The registry's item of that id when it is of type T.
template <class T>
T* PartnerItem(UIDEVDATA* ctx, uint32_t itemId) {
    CmSvConflict* registry = RegistryOf(ctx);
    return registry ? dynamic_cast<T*>(registry->FindItem(itemId)) : nullptr;
}

// Turns an on/off item to the value; a change is noted with the registry as a partner's change.
void SetPartnerSwitch(UIDEVDATA* ctx, CmSvOnOff& partner, int32_t value);

// A choice the rules changed: the item is marked and the current row's name handed back; answers 1.
int AnswerChangedChoice(CmSvMulti& item, PieValue* out);
