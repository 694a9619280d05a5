// What every item callback of the rules starts with: the registry of the host word's sheet and
// the item of the id, with the casts the operations need.
#pragma once

#include "settings/registry/choice_item.h"
#include "settings/registry/conflict.h"
#include "settings/controls/control.h"
#include "settings/items/sv_multi.h"
#include "settings/items/sv_numeric.h"
#include "settings/items/sv_onoff.h"
#include "settings/items/sv_string.h"

#include <cstring>

inline constexpr int kRuleDone = 0;
inline constexpr int kRuleNoItem = -1;
inline constexpr int kRuleWrongClass = -2;
inline constexpr int kRuleNoValue = -3;
inline constexpr int kRuleWrongType = -4;

struct RuleTarget {
    UIDEVDATA* ctx = nullptr;
    CmSvConflict* registry = nullptr;
    CmSv* item = nullptr;

    // The item's part of class T when its type code is `type` (any type for 0): null otherwise.
    template <class T>
    T* As() const {
        return dynamic_cast<T*>(item);
    }
    // Puts the item into the changed-item set.
    void Changed(CmSv* which) const { registry->MarkChanged(which); }
};

// The target of the host word and the item id; false when there is no such item.
inline bool FindRuleTarget(void* host, int32_t id, RuleTarget& out) {
    out.ctx = static_cast<UIDEVDATA*>(host);
    out.registry = RegistryOf(out.ctx);
    out.item = out.registry ? out.registry->FindItem(static_cast<uint32_t>(id)) : nullptr;
    return out.item != nullptr;
}

// The first choice of that name; null when none or the name is null.
inline CmSvOptionRecord* ChoiceNamed(CmSvMulti& multi, const char* name) {
    if (!name) return nullptr;
    for (uint32_t i = 0; i < multi.count; ++i)
        if (multi.table[i].name && std::strcmp(multi.table[i].name, name) == 0) return &multi.table[i];
    return nullptr;
}

// Sets the "changed by the rules" bit and collects the item.
inline void ValueChanged(const RuleTarget& t) {
    if (auto* value = dynamic_cast<CmSvItem*>(t.item)) value->flags |= CmSvItem::kChangedByRules;
    t.Changed(t.item);
}
