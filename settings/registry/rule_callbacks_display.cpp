// Rule callbacks that show, hide, enable, disable and mark controls and choices (entries 56-65)
// and make an item or choice unavailable (81). A choice is reached either through its pseudo-item
// or by name on its multiple-choice item; either way its owner's control is flagged and the owner
// enters the changed-item set, so that the owner's list is redrawn.
#include "settings/registry/rule_callbacks.h"

#include "settings/registry/rule_target.h"

namespace {

enum class Mark { Enable, Disable, Show, Hide };

// Applies the mark to one choice's record; true when something changed. A choice that does not
// exist on this device is left alone.
bool MarkChoice(CmSvOptionRecord& row, CmSvControl* owner, Mark mark) {
    if (!row.available) return false;
    switch (mark) {
    case Mark::Enable:
        if (row.enabled || !row.shown) return false;
        row.enabled = row.enabled_changed = 1;
        if (owner) owner->enabledChanged = 1;
        return true;
    case Mark::Disable:
        if (!row.enabled) return false;
        row.enabled = 0;
        row.enabled_changed = 1;
        if (owner) owner->enabledChanged = 1;
        return true;
    case Mark::Show:
        if (row.shown) return false;
        row.shown = row.shown_changed = 1;
        if (owner) owner->shownChanged = 1;
        return true;
    case Mark::Hide:
        if (!row.shown) return false;
        row.shown = row.enabled = 0;
        row.shown_changed = row.enabled_changed = 1;
        if (owner) owner->shownChanged = owner->enabledChanged = 1;
        return true;
    }
    return false;
}

bool MarkControl(CmSvControl& control, const CmSv& item, Mark mark) {
    switch (mark) {
    case Mark::Enable:
        if (control.enabled || !control.shown) return false;
        control.enabled = control.enabledChanged = 1;
        return true;
    case Mark::Disable:
        if (!control.enabled) return false;
        control.enabled = 0;
        control.enabledChanged = 1;
        return true;
    case Mark::Show:
        if (control.shown || item.available != 1) return false;
        control.shown = control.shownChanged = 1;
        return true;
    case Mark::Hide:
        if (!control.shown) return false;
        control.shown = control.enabled = 0;
        control.shownChanged = control.enabledChanged = 1;
        return true;
    }
    return false;
}

int MarkItem(void* host, int32_t id, Mark mark) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    if (auto* choice = t.As<CmSvChoiceItem>()) {
        CmSvOptionRecord* row = choice->Record();
        if (!row || !choice->owner) return kRuleNoValue;
        if (MarkChoice(*row, choice->owner->AsControl(), mark)) t.Changed(choice->owner);
        return kRuleDone;
    }
    auto* control = t.As<CmSvControl>();
    if (!control) return kRuleWrongClass;
    if (MarkControl(*control, *t.item, mark)) t.Changed(t.item);
    return kRuleDone;
}

int MarkOption(void* host, int32_t id, const char* name, Mark mark) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    auto* multi = t.As<CmSvMulti>();
    if (!multi) return kRuleWrongClass;
    CmSvOptionRecord* row = ChoiceNamed(*multi, name);
    if (!row) return kRuleNoValue;
    if (MarkChoice(*row, t.As<CmSvControl>(), mark)) t.Changed(t.item);
    return kRuleDone;
}

int ThirdState(void* host, int32_t id, int32_t from, int32_t to) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    auto* control = t.As<CmSvControl>();
    if (!control) return kRuleWrongClass;
    if (control->third == from) {
        control->third = to;
        control->thirdChanged = 1;
        t.Changed(t.item);
    }
    return kRuleDone;
}

}  // namespace

int CmSvRuleCb_Enable(void* host, int32_t id) { return MarkItem(host, id, Mark::Enable); }
int CmSvRuleCb_Disable(void* host, int32_t id) { return MarkItem(host, id, Mark::Disable); }
int CmSvRuleCb_Show(void* host, int32_t id) { return MarkItem(host, id, Mark::Show); }
int CmSvRuleCb_Hide(void* host, int32_t id) { return MarkItem(host, id, Mark::Hide); }
int CmSvRuleCb_SetMark(void* host, int32_t id) { return ThirdState(host, id, 0, 1); }
int CmSvRuleCb_ClearMark(void* host, int32_t id) { return ThirdState(host, id, 1, 0); }

int CmSvRuleCb_HideOption(void* host, int32_t id, const char* name) { return MarkOption(host, id, name, Mark::Hide); }
int CmSvRuleCb_ShowOption(void* host, int32_t id, const char* name) { return MarkOption(host, id, name, Mark::Show); }
int CmSvRuleCb_DisableOption(void* host, int32_t id, const char* name) {
    return MarkOption(host, id, name, Mark::Disable);
}
int CmSvRuleCb_EnableOption(void* host, int32_t id, const char* name) {
    return MarkOption(host, id, name, Mark::Enable);
}

int CmSvRuleCb_MakeUnavailable(void* host, int32_t id, int32_t unsupported) {
    RuleTarget t;
    if (!FindRuleTarget(host, id, t)) return kRuleNoItem;
    // The engine passes the item's unsupported bit; without it nothing is unavailable.
    if (unsupported == 0) return kRuleDone;
    if (auto* choice = t.As<CmSvChoiceItem>()) {
        CmSvOptionRecord* row = choice->Record();
        if (!row || !choice->owner || !row->available) return kRuleDone;
        MarkChoice(*row, choice->owner->AsControl(), Mark::Hide);
        row->available = 0;
        if (auto* owner = choice->owner->AsControl()) owner->shownChanged = owner->enabledChanged = 1;
        t.Changed(choice->owner);
        return kRuleDone;
    }
    if (t.item->available == 0) return kRuleDone;
    t.item->available = 0;
    auto* control = t.As<CmSvControl>();
    if (control && t.item->kind >= kSvKindPushButton && t.item->kind <= kSvKindText && control->shown) {
        control->shown = 0;
        control->shownChanged = 1;
        if (control->enabled) {
            control->enabled = 0;
            control->enabledChanged = 1;
        }
    }
    t.Changed(t.item);
    return kRuleDone;
}
