// Rule callbacks that read and write values (entries 44-55): type, value name, number, option
// table, range and text length, each for the current, the default (source) or the reference
// value of an item.
#include "settings/registry/rule_callbacks.h"

#include "core/device/service_table.h"
#include "settings/registry/rule_target.h"

#include <cstdio>

PoolString& HandedText(CmSvConflict& registry) { return registry.handedText_; }

namespace {

enum class Which { Current, Reference };

int ValueName(const RuleTarget& t, Which which, const char** out) {
    if (auto* onoff = t.As<CmSvOnOff>(); onoff && t.item->type == kSvTypeOnOff) {
        *out = (which == Which::Current ? onoff->current : onoff->reference) == 1 ? "ON" : "OFF";
        return kRuleDone;
    }
    if (auto* multi = t.As<CmSvMulti>(); multi && t.item->type == kSvTypeMulti) {
        const CmSvOptionRecord* row = multi->Row(which == Which::Current ? multi->current : multi->reference);
        if (!row || !row->name) return kRuleNoValue;
        *out = row->name;
        return kRuleDone;
    }
    if (auto* text = t.As<CmSvString>(); text && t.item->type == kSvTypeString) {
        // The current text stays in the owner's buffer; the item's own buffer keeps the reference.
        const char* value = which == Which::Current ? text->current : text->reference;
        if (!value || !text->reference) return kRuleNoValue;
        *out = value;
        return kRuleDone;
    }
    return kRuleWrongType;
}

// Runs `read` on the value the item holds in the default device mode; the current value is put
// back afterwards.
template <class Read>
int WithSourceValue(const RuleTarget& t, Read read) {
    auto* value = t.As<CmSvItem>();
    if (!value) return kRuleWrongType;
    const uint8_t* defaults = t.ctx->svc->GetDevmode(t.ctx, 1);
    int32_t savedNumber = 0;
    PoolString savedText;
    auto* onoff = t.As<CmSvOnOff>();
    auto* multi = t.As<CmSvMulti>();
    auto* number = t.As<CmSvNumeric>();
    auto* text = t.As<CmSvString>();
    if (onoff) savedNumber = onoff->current;
    if (multi) savedNumber = static_cast<int32_t>(multi->current);
    if (number) savedNumber = number->current;
    if (text && text->current) savedText = text->current;
    const int loaded = value->Load(t.ctx, defaults);
    const int answer = loaded == 1 ? read() : kRuleNoValue;
    if (onoff) onoff->current = savedNumber;
    if (multi) multi->current = static_cast<uint32_t>(savedNumber);
    if (number) number->current = savedNumber;
    if (text && text->current) text->SetText(savedText.c_str());
    return answer;
}

}  // namespace

int CmSvRuleCb_GetType(void* host, int32_t id, int32_t* out) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    *out = t.item->type;
    return kRuleDone;
}

int CmSvRuleCb_GetValueName(void* host, int32_t id, const char** out) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    return ValueName(t, Which::Current, out);
}

int CmSvRuleCb_GetSourceValueName(void* host, int32_t id, const char** out) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    if (t.item->type == kSvTypeNumeric || t.item->type == kSvTypeNone) return kRuleWrongType;
    return WithSourceValue(t, [&] {
        const int answer = ValueName(t, Which::Current, out);
        if (answer == kRuleDone && t.item->type == kSvTypeString) {
            // The item's buffer gets its current text back; the engine reads the copy.
            PoolString& kept = HandedText(*t.registry);
            kept = *out;
            *out = kept.c_str();
        }
        return answer;
    });
}

int CmSvRuleCb_GetReferenceValueName(void* host, int32_t id, const char** out) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    return ValueName(t, Which::Reference, out);
}

int CmSvRuleCb_SetValueName(void* host, int32_t id, const char* name) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    if (auto* onoff = t.As<CmSvOnOff>(); onoff && t.item->type == kSvTypeOnOff) {
        if (!name) return kRuleNoValue;
        int32_t wanted;
        if (std::strcmp(name, "ON") == 0)
            wanted = 1;
        else if (std::strcmp(name, "OFF") == 0)
            wanted = 0;
        else
            return kRuleNoValue;
        // Any value other than 1 reads as off, so "ON" writes 1 over it; "OFF" turns only a 1 off.
        if ((wanted == 1 && onoff->current != 1) || (wanted == 0 && onoff->current == 1)) {
            onoff->current = wanted;
            ValueChanged(t);
        }
        return kRuleDone;
    }
    if (auto* multi = t.As<CmSvMulti>(); multi && t.item->type == kSvTypeMulti) {
        CmSvOptionRecord* row = ChoiceNamed(*multi, name);
        if (!row) return kRuleNoValue;
        const auto index = static_cast<uint32_t>(row - multi->table);
        if (index != multi->current) {
            multi->current = index;
            ValueChanged(t);
        }
        return kRuleDone;
    }
    if (auto* text = t.As<CmSvString>(); text && t.item->type == kSvTypeString) {
        if (!name || !text->current || std::strlen(name) >= text->maxSize) return kRuleNoValue;
        if (std::strcmp(text->current, name) != 0) {
            if (!text->SetText(name)) return kRuleNoValue;
            ValueChanged(t);
        }
        return kRuleDone;
    }
    return kRuleWrongType;
}

int CmSvRuleCb_GetNumber(void* host, int32_t id, int32_t* out) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    if (auto* multi = t.As<CmSvMulti>(); multi && t.item->type == kSvTypeMulti) {
        const CmSvOptionRecord* row = multi->CurrentRow();
        if (!row) return kRuleNoValue;
        *out = row->value;
        return kRuleDone;
    }
    if (auto* number = t.As<CmSvNumeric>(); number && t.item->type == kSvTypeNumeric) {
        *out = number->current;
        return kRuleDone;
    }
    return kRuleWrongType;
}

int CmSvRuleCb_GetSourceNumber(void* host, int32_t id, int32_t* out) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    auto* number = t.As<CmSvNumeric>();
    if (!number || t.item->type != kSvTypeNumeric) return kRuleWrongType;
    return WithSourceValue(t, [&] {
        *out = number->current;
        return kRuleDone;
    });
}

int CmSvRuleCb_GetReferenceNumber(void* host, int32_t id, int32_t* out) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    auto* number = t.As<CmSvNumeric>();
    if (!number || t.item->type != kSvTypeNumeric) return kRuleWrongType;
    *out = number->reference;
    return kRuleDone;
}

int CmSvRuleCb_SetNumber(void* host, int32_t id, int32_t value) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    if (auto* multi = t.As<CmSvMulti>(); multi && t.item->type == kSvTypeMulti) {
        uint32_t index = multi->FindValue(value);
        if (index >= multi->count) {
            char name[64];
            std::snprintf(name, sizeof name, "%ld", static_cast<long>(value));
            CmSvOptionRecord* row = ChoiceNamed(*multi, name);
            if (!row) return kRuleNoValue;
            index = static_cast<uint32_t>(row - multi->table);
        }
        if (index != multi->current) {
            multi->current = index;
            ValueChanged(t);
        }
        return kRuleDone;
    }
    if (auto* number = t.As<CmSvNumeric>(); number && t.item->type == kSvTypeNumeric) {
        // A number out of range is left alone and still answers 0: rule programs rely on it.
        if (number->AcceptsRuleValue(value) && number->current != value) {
            number->current = value;
            ValueChanged(t);
        }
        return kRuleDone;
    }
    return kRuleWrongType;
}

int CmSvRuleCb_GetOptionTable(void* host, int32_t id, int32_t* count, const CmSvOptionRecord** table) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    auto* multi = t.As<CmSvMulti>();
    if (!multi) return kRuleWrongClass;
    *count = static_cast<int32_t>(multi->table ? multi->count : 0);
    *table = multi->table;
    return kRuleDone;
}

int CmSvRuleCb_GetNumericRange(void* host, int32_t id, int32_t* low, int32_t* high) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    auto* number = t.As<CmSvNumeric>();
    if (!number) return kRuleWrongClass;
    *low = number->minimum;
    *high = number->maximum;
    return kRuleDone;
}

int CmSvRuleCb_GetStringLength(void* host, int32_t id, int32_t* length) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    auto* text = t.As<CmSvString>();
    if (!text) return kRuleWrongClass;
    *length = static_cast<int32_t>(text->maxSize);
    return kRuleDone;
}
