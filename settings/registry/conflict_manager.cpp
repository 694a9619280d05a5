// The conflict manager: it starts the sheet's rule engine, loads the rule program, runs the
// initial conflict of every item and choice, and after every change from a control, an option
// request, a preview or a page's defaults runs the rules of the changed item, stores what the
// rules changed into the sheet's settings and marks the touched controls for redisplay.
#include "settings/registry/conflict.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "settings/controls/buttons.h"
#include "settings/controls/control.h"
#include "settings/registry/rule_callbacks.h"
#include "settings/rules/rule_program.h"
#include "settings/sdk/sdk_binding.h"
#include "settings/items/sv_interfaces.h"
#include "settings/items/sv_order.h"
#include "settings/items/sv_parts.h"

#include <cstring>
#include <utility>

namespace {

uint8_t* Settings(UIDEVDATA* ctx) {
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    return user ? user->GetSettingsSource() : nullptr;
}

void MarkControl(CmSv* item) {
    if (CmSvControl* control = item->AsControl()) control->needsRedisplay = 1;
}

uint32_t EngineOptions(uint16_t memoryOption) {
    switch (memoryOption) {
    case 1: return 0x402;
    case 2: return 0x802;
    case 3: return 0x1002;
    default: return 0x2;
    }
}

constexpr uint32_t kPushButtonThatStaysOn = 0x504;
constexpr uint32_t kOptionRequestBit = 0x10;

}  // namespace

int CmSvConflict::StartRules(UIDEVDATA* ctx) {
    ruleProgram_ = CreateRuleProgram(ctx);
    if (!ruleProgram_) return 0;
    ruleProgram_->LoadRules();
    commonRuleVersion = ruleProgram_->GetCommonRuleVersion();
    pdlRuleVersion = ruleProgram_->GetPdlRuleVersion();
    if (keepEngine) NoteLoadOptions(ctx);
    if (PIE_init(&engine, ctx, EngineOptions(memoryOption)) != 0) {
        engine = nullptr;
        return 0;
    }
    FillRuleCallbacks(callbacks1, callbacks2);
    PIE_set_callbacks(engine, &callbacks1);
    PIE_set_callbacks2(engine, &callbacks2);
    PIE_set_change_count(engine, &ruleChanges);
    return 1;
}

int CmSvConflict::StartEngine(UIDEVDATA* ctx) {
    LoadProgram();
    FirstConflictPass(ctx);
    return 1;
}

void CmSvConflict::LoadProgram() {
    if (!ruleProgram_) return;
    ruleProgram_->BuildRules(RuleBuildWord());
    for (const char* text : LoadedTexts())
        if (text && engine) PIE_main(engine, text);
    // What the loads did depends on the registration alone: the engine keeps nothing when a load
    // ran a query (which may ask the items), and a change to the items would show here.
    engineKept_ = keepEngine && engine && ruleChanges == 0 && PIE_keep(engine) == 0;
}

void CmSvConflict::FirstConflictPass(UIDEVDATA* ctx) {
    initialising = 1;
    ReevaluateAll(ctx);
    initialising = 0;
}

bool CmSvConflict::AdoptEngine(CmSvConflict& donor) {
    if (engine || ruleProgram_ || !donor.engineKept_ || !donor.engine || !donor.ruleProgram_ || !keepEngine ||
        donor.memoryOption != memoryOption || donor.noDialog != noDialog || donor.RuleBuildWord() != RuleBuildWord() ||
        !SameRegistration(donor))
        return false;
    if (PIE_back_to_kept(donor.engine) != 0) return false;
    engine = std::exchange(donor.engine, nullptr);
    ruleProgram_ = std::exchange(donor.ruleProgram_, nullptr);
    donor.engineKept_ = false;
    engineKept_ = true;
    commonRuleVersion = donor.commonRuleVersion;
    pdlRuleVersion = donor.pdlRuleVersion;
    loadOptions_ = std::move(donor.loadOptions_);
    callbacks1 = donor.callbacks1;
    callbacks2 = donor.callbacks2;
    PIE_set_change_count(engine, &ruleChanges);
    return true;
}

std::array<const char*, 3> CmSvConflict::LoadedTexts() const {
    if (!ruleProgram_) return {};
    return {ruleProgram_->GetInitialRules(), ruleProgram_->GetRuleText(), ruleProgram_->GetCompatibleRules()};
}

// Looks in what StartEngine loaded: a rule program loaded another way must answer here too.
// Without any text to look in it cannot tell, and answers that the rules may name the key.
bool CmSvConflict::RulesMayName(std::string_view key) const {
    if (auto known = named_.find(key); known != named_.end()) return known->second;
    bool anyText = false, named = false;
    for (const char* text : LoadedTexts()) {
        anyText = anyText || text;
        named = named || (text && std::string_view(text).find(key) != std::string_view::npos);
    }
    named = named || !anyText;
    named_.emplace(PoolString(key), named);
    return named;
}

int CmSvConflict::ReevaluateAll(UIDEVDATA* ctx) {
    if (engine) PIE_begin_update(engine);
    // By place, not by iterator: a choice registered under the walk (a table rebuilt by a refresh
    // an evaluation caused) goes in at the end, where the walk still meets it.
    for (auto& [setId, set] : pages_) {
        for (size_t i = 0; i < set->items.size(); ++i) Evaluate(ctx, set->items.begin()[i].second, 0);
        for (size_t i = 0; i < set->pseudoItems.size(); ++i) Evaluate(ctx, set->pseudoItems.begin()[i].second, 0);
    }
    if (engine) PIE_end_update(engine);
    FollowSettings(ctx);
    return 1;
}

void CmSvConflict::FollowSettings(UIDEVDATA* ctx) {
    const uint8_t* settings = Settings(ctx);
    if (!settings) return;
    for (auto& [item, follower] : followers_)
        if (follower->Follow(ctx, settings) == 1) MarkControl(item);
}

void CmSvConflict::Evaluate(UIDEVDATA* ctx, CmSv* item, int mode) {
    messageShown = 0;
    if (mode == 0) {
        if (engine) PIE_initial_conflict(engine, static_cast<int32_t>(item->itemId));
    } else if (mode == 1) {
        if (CmSvItem* value = ValueOf(item)) {
            value->SetReference(ctx, 1);
            value->Store(ctx, Settings(ctx));
        }
        if (engine) PIE_check_conflict(engine, static_cast<int32_t>(item->itemId));
    }
    StoreChanged(ctx);
    // A change may have turned the page: rows that depend on it catch up.
    if (mode == 1) FollowSettings(ctx);
}

void CmSvConflict::StoreChanged(UIDEVDATA* ctx) {
    if (changed.empty()) return;
    CmSvIdSet touched;
    touched.swap(changed);
    for (CmSv* entry : touched) {
        int noted = 0;
        if (CmSvItem* value = ValueOf(entry); value && (value->flags & CmSvItem::kChangedByRules)) {
            value->flags &= ~CmSvItem::kChangedByRules;
            value->SetReference(ctx, 1);
            value->Store(ctx, Settings(ctx));
            noted = 1;
        }
        if (CmSvControl* control = entry->AsControl()) {
            for (int32_t* flag : {&control->shownChanged, &control->enabledChanged, &control->thirdChanged})
                if (*flag == 1) {
                    *flag = 0;
                    noted = 1;
                }
            if (control->needsRedisplay == 0) control->needsRedisplay = noted;
        }
    }
}

void CmSvConflict::NotePartnerChange(CmSvItem* partner) {
    if (!partner) return;
    partner->flags |= CmSvItem::kChangedByRules;
    MarkChanged(partner);
    if (collecting) collecting->insert(partner);
}

bool CmSvConflict::OpenCollecting() {
    if (collecting) return false;
    collecting = &collectingSet_;
    return true;
}

void CmSvConflict::CloseCollecting(bool created) {
    if (!created) return;
    collectingSet_.clear();
    collecting = nullptr;
}

void CmSvConflict::EvaluateCollected(UIDEVDATA* ctx, bool mark) {
    if (!collecting) return;
    // Items an evaluation collects while this walk runs are met further on (the set keeps
    // its iterators over inserts).
    for (CmSv* item : *collecting) {
        Evaluate(ctx, item, 1);
        if (mark) MarkControl(item);
    }
}

int CmSvConflict::OnControlCommand(UIDEVDATA* ctx, HWND dialog, uint32_t pageId, int32_t controlId) {
    if (busy) return 0;
    CmSv* item = FindControlItem(pageId, controlId & 0xFFFF);
    CmSvControl* control = item ? item->AsControl() : nullptr;
    if (!control) return 0;
    const bool created = OpenCollecting();
    dialogWindow = dialog;
    pendingRefresh = control->FromDialog(ctx, dialog, controlId);
    if (pendingRefresh != 1) {
        CloseCollecting(created);
        return pendingRefresh;
    }
    auto* button = item->kind == kSvKindPushButton ? static_cast<CmSvPushButton*>(item) : nullptr;
    PoolVector<uint8_t> settingsCopy, optionsCopy;
    CmUserData* user = ctx->svc->GetUserData(ctx);
    uint8_t* settings = user ? user->GetSettingsSource() : nullptr;
    uint8_t* options = user ? user->GetDeviceOptionSource() : nullptr;
    const size_t settingsSize = settings ? user->GetSettingsSourceSize() : 0;
    const size_t optionsSize = options ? ctx->svc->GetDeviceOptionSize(ctx) : 0;
    if (button) {
        settingsCopy.assign(settings, settings + settingsSize);
        optionsCopy.assign(options, options + optionsSize);
    }
    Evaluate(ctx, item, 1);
    EvaluateCollected(ctx, false);
    int answer = 1;
    if (button) {
        if (item->itemId != kPushButtonThatStaysOn) button->current = 0;
        answer = (settingsSize && std::memcmp(settingsCopy.data(), settings, settingsSize) != 0) ||
                         (optionsSize && std::memcmp(optionsCopy.data(), options, optionsSize) != 0)
                     ? 1
                     : 0;
    }
    CloseCollecting(created);
    return answer;
}

namespace {

// The value an item holds, as the rules see it; texts are left out (their value is the item's
// own buffer, which the rules do not take back).
struct HeldValue {
    bool known = false;
    PieValue value{};
};

HeldValue ValueOf(UIDEVDATA* ctx, CmSv* item) {
    HeldValue held;
    auto* value = dynamic_cast<CmSvItem*>(item);
    held.known = value && value->GetTypedValue(ctx, &held.value) == 1 && held.value.type != kSvTypeString;
    return held;
}

bool SameValue(const HeldValue& a, const HeldValue& b) {
    if (a.value.type != b.value.type) return false;
    if (a.value.type != kSvTypeMulti) return a.value.value == b.value.value;
    const auto* first = reinterpret_cast<const char*>(a.value.value);
    const auto* second = reinterpret_cast<const char*>(b.value.value);
    return first == second || (first && second && std::strcmp(first, second) == 0);
}

}  // namespace

int CmSvConflict::SdkChange(UIDEVDATA* ctx, uint32_t key, void* data, int kind) {
    const CmSvKeySet* bound = FindSdkItems(key);
    if (!bound) return kSdkNotSupported;
    uint32_t options = 0;
    if (engine) {
        PIE_get_options(engine, &options);
        PIE_set_options(engine, options | kOptionRequestBit);
    }
    const bool created = OpenCollecting();
    int answer = kSdkNotSupported;
    // The set may not change under the walk: a binding's change reaches other items only
    // through the rules, which never register items.
    for (CmSv* item : *bound) {
        CmSvSdk* sdk = item->AsSdk();
        if (!sdk) continue;
        answer = kind == 3 ? sdk->SetCurrent(ctx, key, data) : sdk->Apply(ctx, key, data);
        if (answer == kSdkDone) {
            const HeldValue set = ValueOf(ctx, item);
            Evaluate(ctx, item, 1);
            EvaluateCollected(ctx, false);
            // The rules took the value back: another setting locks it, and "done" would tell the
            // caller it holds. The caller's device mode is not written on a refusal, and the
            // items are started again over it at the next request.
            if (kind == 3 && set.known && !SameValue(set, ValueOf(ctx, item))) answer = kSdkRefused;
        }
    }
    if (engine) PIE_set_options(engine, options);
    CloseCollecting(created);
    return answer;
}

int CmSvConflict::SdkSetValue(UIDEVDATA* ctx, uint32_t key, void* data) { return SdkChange(ctx, key, data, 3); }
int CmSvConflict::SdkApply(UIDEVDATA* ctx, uint32_t key, void* data) { return SdkChange(ctx, key, data, 6); }

int CmSvConflict::OnPreviewEvent(UIDEVDATA* ctx, uint32_t previewKey, intptr_t a, intptr_t b, intptr_t c,
                                 intptr_t d) {
    auto found = previews_.find(previewKey);
    CmSvPreview* preview = found == previews_.end() ? nullptr : found->second->AsPreview();
    if (!preview) return 0;
    const bool created = OpenCollecting();
    const int answer = preview->Preview(ctx, a, b, c, d);
    if (answer == 1) {
        Evaluate(ctx, found->second, 1);
        MarkControl(found->second);
        EvaluateCollected(ctx, true);
    }
    CloseCollecting(created);
    return answer;
}

void CmSvConflict::ApplyValues(UIDEVDATA* ctx, const uint8_t* block, const uint32_t* itemIds) {
    for (; itemIds && *itemIds; ++itemIds) {
        CmSvItem* value = ValueOf(FindItem(*itemIds));
        if (!value) continue;
        value->SetReference(ctx, 0);
        if (value->Load(ctx, block) == 1 && collecting) collecting->insert(value);
        if (CmSvControl* control = value->AsControl(); control && control->needsRedisplay == 0)
            control->needsRedisplay = IsChanged(value) ? 1 : 0;
    }
}

void CmSvConflict::RevertAll(UIDEVDATA* ctx) {
    for (auto& [setId, set] : pages_)
        for (auto& [id, item] : set->items) {
            CmSvItem* value = ValueOf(item);
            if (!value || value->IsSameAsSource(ctx, 1) != 0) continue;
            value->SetReference(ctx, 0);
            value->Load(ctx, Settings(ctx));
            MarkControl(item);
        }
    ReevaluateAll(ctx);
}

void CmSvConflict::RestorePageDefaults(UIDEVDATA* ctx, uint32_t pageId) {
    restoring = 1;
    CmSvItemSet* set = FindPage(pageId);
    if (!set) {
        restoring = 0;
        return;
    }
    resetPageWindow = set->dialogWindow;
    const uint8_t* defaults = ctx->svc->GetDevmode(ctx, 1);
    for (auto& [id, item] : set->items) {
        CmSvItem* value = ValueOf(item);
        if (!value || value->IsSameAsSource(ctx, 0) != 0) continue;
        const bool created = OpenCollecting();
        value->SetReference(ctx, 0);
        value->Load(ctx, defaults);
        value->Store(ctx, Settings(ctx));
        MarkControl(item);
        Evaluate(ctx, item, 1);
        EvaluateCollected(ctx, false);
        CloseCollecting(created);
    }
    restoring = 0;
}

void CmSvConflict::ApplyPageAndChildren(UIDEVDATA* ctx, uint32_t pageId) {
    RestorePageDefaults(ctx, pageId);
    CmSvItemSet* set = FindPage(pageId);
    if (!set || !set->childPages) return;
    for (uint32_t i = 0; i < set->childCount; ++i) RestorePageDefaults(ctx, set->childPages[i]);
}

void CmSvConflict::ReinitOptions(UIDEVDATA* ctx, CmSvItemSet* set, CmSv* item) {
    CmSvMulti* multi = MultiOf(item);
    if (!multi) return;
    const CmSvOptionRecord* referenceRow = multi->Row(multi->reference);
    const CmSvOptionRecord* currentRow = multi->CurrentRow();
    const bool hadReference = referenceRow != nullptr, hadCurrent = currentRow != nullptr;
    const int32_t referenceValue = hadReference ? referenceRow->value : 0;
    const int32_t currentValue = hadCurrent ? currentRow->value : 0;
    if (CmSvInit* init = item->AsInit()) init->Init(ctx, Settings(ctx));
    if (item->kind != kSvKindValueOnly &&
        ((item->kind >= kSvKindRadio && item->kind <= kSvKindListView) || item->AsSdk()))
        AddOptionItems(set, item);
    MarkControl(item);
    // Both indices are found again by value: a rebuilt table may be shorter or in another order.
    auto refind = [&](bool had, int32_t value) {
        const uint32_t at = had ? multi->FindValue(value) : multi->count;
        return at < multi->count ? at : 0u;
    };
    multi->reference = refind(hadReference, referenceValue);
    multi->current = refind(hadCurrent, currentValue);
}

void CmSvConflict::ReloadChanged(UIDEVDATA* ctx, CmSv* item, int refreshMode) {
    CmSvItem* value = ValueOf(item);
    if (!value || value->IsSameAsSource(ctx, refreshMode) != 0) return;
    value->SetReference(ctx, refreshMode);
    value->Load(ctx, Settings(ctx));
    MarkControl(item);
}

void CmSvConflict::RenewItems(UIDEVDATA* ctx, CmSvItemSet* set) {
    for (auto& [id, item] : set->items) {
        if (MultiOf(item))
            ReinitOptions(ctx, set, item);
        else if (CmSvInit* init = item->AsInit())
            init->Init(ctx, Settings(ctx));
        ReloadChanged(ctx, item, 2);
    }
}

int CmSvConflict::Reevaluate(UIDEVDATA* ctx, HWND dialog, uint32_t pageId) {
    busy = 1;
    for (auto& [setId, set] : pages_) RenewItems(ctx, set);
    ReevaluateAll(ctx);
    UpdatePageControls(ctx, dialog, pageId, 1);
    busy = 0;
    return 1;
}

int CmSvConflict::Refresh(UIDEVDATA* ctx, HWND dialog, uint32_t pageId) {
    CmSvItemSet* set = FindPage(pageId);
    if (!set) return 0;
    RenewItems(ctx, set);
    ReevaluateAll(ctx);
    UpdatePageControls(ctx, dialog, pageId, 1);
    return 1;
}
