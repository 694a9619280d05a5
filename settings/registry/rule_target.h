// What every item callback of the rules starts with: the registry of the host word's sheet and
// the item of the id, with the casts the operations need.
#pragma once

#include "settings/registry/choice_item.h"
#include "settings/registry/conflict.h"
#include "settings/controls/control.h"
#include "settings/items/second_key.h"
#include "settings/items/sv_interfaces.h"
#include "settings/items/sv_parts.h"

#include <cstring>
#include <type_traits>

inline constexpr int kRuleDone = 0;
inline constexpr int kRuleNoItem = -1;
inline constexpr int kRuleWrongClass = -2;
inline constexpr int kRuleNoValue = -3;
inline constexpr int kRuleWrongType = -4;

struct RuleTarget {
    UIDEVDATA* ctx = nullptr;
    CmSvConflict* registry = nullptr;
    CmSv* item = nullptr;

    // The item's part of class T, found by its type word or asked of the item: null when it has
    // none.
    template <class T>
    T* As() const {
        if constexpr (std::is_same_v<T, CmSvItem>)
            return ValueOf(item);
        else if constexpr (std::is_same_v<T, CmSvOnOff>)
            return OnOffOf(item);
        else if constexpr (std::is_same_v<T, CmSvMulti>)
            return MultiOf(item);
        else if constexpr (std::is_same_v<T, CmSvNumeric>)
            return NumericOf(item);
        else if constexpr (std::is_same_v<T, CmSvString>)
            return StringOf(item);
        else if constexpr (std::is_same_v<T, CmSvControl>)
            return item->AsControl();
        else if constexpr (std::is_same_v<T, CmSvChoiceItem>)
            return item->AsChoice();
        else if constexpr (std::is_same_v<T, CmSvAction>)
            return item->AsAction();
        else if constexpr (std::is_same_v<T, CmSvProperty>)
            return item->AsProperty();
        else
            static_assert(sizeof(T) == 0, "no part of that class");
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
    if (CmSvItem* value = ValueOf(t.item)) value->flags |= CmSvItem::kChangedByRules;
    t.Changed(t.item);
}
