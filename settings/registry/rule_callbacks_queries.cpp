// Rule callbacks that ask about choices, controls, actions and properties (entries 66-80):
// counting and testing choices, the first usable choice, an item's action, the secondary keys of
// a property item, and whether the rules changed an item. List operations have no item class in
// this framework and answer "wrong class".
#include "settings/registry/rule_callbacks.h"

#include "settings/registry/rule_target.h"
#include "settings/items/second_key.h"
#include "settings/items/sv_interfaces.h"

namespace {

// A filter text: null passes all, "ON" passes 1, "OFF" passes anything else; -1 for any other.
int FilterOf(const char* filter) {
    if (!filter) return 2;
    if (std::strcmp(filter, "ON") == 0) return 1;
    if (std::strcmp(filter, "OFF") == 0) return 0;
    return -1;
}

bool Passes(int filter, int32_t flag) { return filter == 2 || (filter == 1) == (flag == 1); }

int ChoiceFlag(void* host, int32_t id, const char* name, int32_t* out, bool shown) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    auto* multi = t.As<CmSvMulti>();
    if (!multi) return kRuleWrongClass;
    const CmSvOptionRecord* row = ChoiceNamed(*multi, name);
    if (!row) return kRuleNoValue;
    *out = (shown ? row->shown : row->enabled) == 1 ? 1 : 0;
    return kRuleDone;
}

int RunAction(void* host, int32_t id, int32_t count, const char* const* names, PieValue* out) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    auto* action = t.As<CmSvAction>();
    if (!action) return kRuleWrongClass;
    PieValue scratch{6, 0};
    // What an action changes is its own affair: it counts as a change either way, before and after
    // (the action may ask the rules themselves).
    ++t.registry->ruleChanges;
    const int done = action->Action(t.ctx, count, names, out ? out : &scratch);
    ++t.registry->ruleChanges;
    if (done == 0) return kRuleNoValue;
    auto* value = t.As<CmSvItem>();
    auto* control = t.As<CmSvControl>();
    if ((value && (value->flags & CmSvItem::kChangedByRules)) ||
        (control && (control->shownChanged || control->enabledChanged)))
        t.Changed(t.item);
    return kRuleDone;
}

struct PropertyPair {
    CmSvKeyEntry* entry;
    CmSvSecondKey* key;
};

// The entry and key of a property item; the answer when either is missing.
int FindPropertyPair(const RuleTarget& t, const char* entryName, const char* keyName, PropertyPair& out) {
    auto* property = t.As<CmSvProperty>();
    if (!property) return kRuleWrongClass;
    out = {property->FindProperty(entryName), property->FindKey(keyName)};
    return out.entry && out.key ? kRuleDone : kRuleNoItem;
}

}  // namespace

int CmSvRuleCb_CountOptions(void* host, int32_t id, const char* shownFilter, const char* enabledFilter,
                            int32_t* count) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    auto* multi = t.As<CmSvMulti>();
    if (!multi) return kRuleWrongClass;
    const int shown = FilterOf(shownFilter), enabled = FilterOf(enabledFilter);
    if (shown < 0 || enabled < 0 || !multi->table || multi->count == 0) return kRuleNoValue;
    int32_t n = 0;
    for (uint32_t i = 0; i < multi->count; ++i)
        if (Passes(shown, multi->table[i].shown) && Passes(enabled, multi->table[i].enabled)) ++n;
    *count = n;
    return kRuleDone;
}

int CmSvRuleCb_IsOptionShown(void* host, int32_t id, const char* name, int32_t* out) {
    return ChoiceFlag(host, id, name, out, true);
}

int CmSvRuleCb_IsOptionEnabled(void* host, int32_t id, const char* name, int32_t* out) {
    return ChoiceFlag(host, id, name, out, false);
}

int CmSvRuleCb_FirstUsableOption(void* host, int32_t id, const char** out) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    auto* multi = t.As<CmSvMulti>();
    if (!multi) return kRuleWrongClass;
    for (uint32_t i = 0; i < multi->count; ++i)
        if (multi->table[i].enabled == 1 && multi->table[i].shown == 1 && multi->table[i].name) {
            *out = multi->table[i].name;
            return kRuleDone;
        }
    return kRuleNoValue;
}

int CmSvRuleCb_HasControl(void* host, int32_t id, int32_t* out) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    *out = t.As<CmSvControl>() ? 1 : 0;
    return kRuleDone;
}

int CmSvRuleCb_DoAction(void* host, int32_t id, int32_t count, const char* const* names) {
    return RunAction(host, id, count, names, nullptr);
}

int CmSvRuleCb_DoActionEx(void* host, int32_t id, int32_t count, const char* const* names, PieValue* out) {
    return RunAction(host, id, count, names, out);
}

int CmSvRuleCb_GetProperty(void* host, int32_t id, const char*, const char* keyName, int32_t* type) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    auto* property = t.As<CmSvProperty>();
    if (!property) return kRuleWrongClass;
    CmSvSecondKey* key = property->FindKey(keyName);
    if (!key) return kRuleNoItem;
    *type = key->valueType;
    return kRuleDone;
}

int CmSvRuleCb_PropertyCall0(void* host, int32_t id, const char* entryName, const char* keyName, PieValue* out) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    PropertyPair pair{};
    if (int found = FindPropertyPair(t, entryName, keyName, pair); found != kRuleDone) return found;
    return pair.key->GetValue(t.ctx, pair.entry->entry, out) == 1 ? kRuleDone : kRuleNoValue;
}

int CmSvRuleCb_PropertyCall1(void* host, int32_t id, const char* entryName, const char* keyName,
                             const PieValueLen* in) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    PropertyPair pair{};
    if (int found = FindPropertyPair(t, entryName, keyName, pair); found != kRuleDone) return found;
    PieValue value{in ? in->type : int16_t{6}, in ? in->value : 0};
    const int written = pair.key->GetSecondValue(t.ctx, pair.entry->entry, &value);
    ++t.registry->ruleChanges;
    return written == 1 ? kRuleDone : kRuleNoValue;
}

int CmSvRuleCb_VListCall2(void* host, int32_t id, int32_t*) {
    RuleTarget t;
    return FindRuleTarget(host, id, t) ? kRuleWrongClass : kRuleNoItem;
}
int CmSvRuleCb_VListSet(void* host, int32_t id, const char*, int32_t*) {
    RuleTarget t;
    return FindRuleTarget(host, id, t) ? kRuleWrongClass : kRuleNoItem;
}
int CmSvRuleCb_VListMatch(void* host, int32_t id, int32_t, const char*, const char**) {
    RuleTarget t;
    return FindRuleTarget(host, id, t) ? kRuleWrongClass : kRuleNoItem;
}
int CmSvRuleCb_VListMatch1(void* host, int32_t id, const char*, const char**) {
    RuleTarget t;
    return FindRuleTarget(host, id, t) ? kRuleWrongClass : kRuleNoItem;
}

int CmSvRuleCb_IsChanged(void* host, int32_t id) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    auto* value = t.As<CmSvItem>();
    if (!value) return kRuleWrongClass;
    return (value->flags & CmSvItem::kChangedByRules) ? 1 : 0;
}
