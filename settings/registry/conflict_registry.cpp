// The registry's bookkeeping: registration of item sets, items and the pseudo-items of their
// choices, and the lookups by id, page, control, spin control and choice name.
#include "settings/registry/conflict.h"

#include "core/memory/pool_text.h"
#include "core/device/user_data.h"
#include "core/device/service_table.h"
#include "settings/registry/choice_item.h"
#include "settings/controls/control.h"
#include "settings/controls/digit.h"
#include "settings/rules/rule_program.h"
#include "settings/sdk/sdk_binding.h"
#include "settings/items/second_key.h"
#include "settings/items/sv_interfaces.h"
#include "settings/items/sv_parts.h"

#include <cassert>
#include <cstring>
#include <new>
#include <string>
#include <utility>

namespace {

#ifndef NDEBUG
// A class that adds a part and forgets to answer it would lose the part's behaviour without a
// sound: debug builds hold every registered item's answers against its real bases.
void CheckParts(CmSv* item) {
    assert(item->AsControl() == dynamic_cast<CmSvControl*>(item));
    assert(item->AsChoice() == dynamic_cast<CmSvChoiceItem*>(item));
    assert(item->AsSdk() == dynamic_cast<CmSvSdk*>(item));
    assert(item->AsInit() == dynamic_cast<CmSvInit*>(item));
    assert(item->AsFollow() == dynamic_cast<CmSvFollow*>(item));
    assert(item->AsPreview() == dynamic_cast<CmSvPreview*>(item));
    assert(item->AsAction() == dynamic_cast<CmSvAction*>(item));
    assert(item->AsProperty() == dynamic_cast<CmSvProperty*>(item));
    assert(ValueOf(item) == dynamic_cast<CmSvItem*>(item));
    assert(OnOffOf(item) == dynamic_cast<CmSvOnOff*>(item));
    assert(MultiOf(item) == dynamic_cast<CmSvMulti*>(item));
    assert(NumericOf(item) == dynamic_cast<CmSvNumeric*>(item));
    assert(StringOf(item) == dynamic_cast<CmSvString*>(item));
}
#else
void CheckParts(CmSv*) {}
#endif

}  // namespace

uint8_t* SettingsOf(UIDEVDATA* ctx) {
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    return user ? user->GetSettingsSource() : nullptr;
}

CmSvConflict::CmSvConflict() = default;

CmSvConflict::~CmSvConflict() {
    if (engine) PIE_term(engine);
    delete ruleProgram_;
}

int CmSvConflict::RegisterItemSet(UIDEVDATA*, CmSvItemSet* set) {
    if (set) pages_.emplace(set->setId, set);
    return 1;
}

void CmSvConflict::AddUnsupportedItem(const char* key) {
    if (keepEngine && key) Note(RegistrationNote::kUnsupported, key, 0);
    if (ruleProgram_ && key) ruleProgram_->AddUnsupportedItem(key);
}

void CmSvConflict::Note(RegistrationNote::Kind kind, const char* name, int64_t value, const PieValue* constant) {
    // A registration notes about as many names as the one before.
    if (registration_.empty()) registration_.reserve(1024);
    RegistrationNote note{kind, constant ? constant->type : int16_t{0}, name, value};
    // A constant that names its value keeps the name: the item's text may change or go.
    if (constant && (constant->type == kSvTypeMulti || constant->type == kSvTypeString)) {
        note.value = static_cast<int64_t>(noteTexts_.size());
        if (const auto* text = reinterpret_cast<const char*>(constant->value)) noteTexts_ += text;
        noteTexts_ += '\0';
    }
    registration_.push_back(note);
}

void CmSvConflict::ReplayRegistration() {
    for (const RegistrationNote& note : registration_) {
        switch (note.kind) {
        case RegistrationNote::kFunctor:
            if (engine) PIE_register_functor(engine, note.name, static_cast<int32_t>(note.value));
            break;
        case RegistrationNote::kConstant: {
            PieValue typed{note.type, static_cast<intptr_t>(note.value)};
            if (note.type == kSvTypeMulti || note.type == kSvTypeString)
                typed.value = reinterpret_cast<intptr_t>(noteTexts_.c_str() + note.value);
            if (engine) PIE_define_constant(engine, *note.name ? note.name : nullptr, &typed);
            break;
        }
        case RegistrationNote::kUnsupported:
            if (ruleProgram_) ruleProgram_->AddUnsupportedItem(note.name);
            break;
        }
    }
}

bool CmSvConflict::SameRegistration(const CmSvConflict& other) const {
    return SameNotes(registration_, noteTexts_, other.registration_, other.noteTexts_);
}

bool CmSvConflict::SameNotes(const PoolVector<RegistrationNote>& first, const PoolString& firstTexts,
                             const PoolVector<RegistrationNote>& second, const PoolString& secondTexts) {
    if (first.size() != second.size() || firstTexts != secondTexts) return false;
    for (size_t i = 0; i < first.size(); ++i) {
        const RegistrationNote& a = first[i];
        const RegistrationNote& b = second[i];
        if (a.kind != b.kind || a.type != b.type || a.value != b.value) return false;
        // Items name themselves by the same constant texts; choices by texts of their own.
        if (a.name != b.name && std::strcmp(a.name, b.name) != 0) return false;
    }
    return true;
}

int CmSvConflict::AddItem(UIDEVDATA* ctx, CmSvItemSet* set, CmSv* item, uint8_t* settings) {
    if (!item) return 0;
    CheckParts(item);
    if (keepEngine && item->key) Note(RegistrationNote::kFunctor, item->key, item->itemId);
    if (engine && item->key) PIE_register_functor(engine, item->key, static_cast<int32_t>(item->itemId));
    items_.Put(item->itemId, item);
    if (CmSvInit* init = item->AsInit()) init->Init(ctx, settings);
    if (CmSvFollow* follower = item->AsFollow()) followers_.emplace_back(item, follower);
    CmSvSdk* sdk = item->AsSdk();
    if (item->kind != kSvKindValueOnly &&
        ((item->kind >= kSvKindRadio && item->kind <= kSvKindListView) || sdk))
        AddOptionItems(set, item);
    if (!noDialog)
        if (CmSvPreview* preview = item->AsPreview()) previews_.emplace(preview->previewKey, item);
    if (sdk) {
        sdk->BindItem(item);
        for (uint32_t key : sdk->keys) optionKeys_.Bind(key, item);
    }
    if (CmSvItem* value = ValueOf(item)) {
        const int loaded = value->Load(ctx, settings);
        value->SetReference(ctx, 0);
        PieValue typed{6, 0};
        if ((value->flags & CmSvItem::kConstant) && loaded == 1 && value->GetTypedValue(ctx, &typed) == 1) {
            if (keepEngine) Note(RegistrationNote::kConstant, item->key ? item->key : "", typed.value, &typed);
            if (engine) PIE_define_constant(engine, item->key, &typed);
        }
    }
    return 1;
}

int CmSvConflict::AddOptionItems(CmSvItemSet* set, CmSv* item) {
    CmSvMulti* multi = MultiOf(item);
    if (!set || !multi || !multi->table || !item->key) return 0;
    const uint32_t generation = ++choiceGeneration_;
    PoolVector<CmSvChoiceItem*>& known = choicesOf_[item];
    known.reserve(known.size() + multi->count);  // one growth rather than one per doubling
    // The name is built in the registry's own buffer: a start builds some hundred of them, each
    // the item's key and "@" and the choice's own name.
    PoolString& name = choiceName_;
    name.assign(item->key).append("@");
    const size_t prefix = name.size();
    for (uint32_t i = 0; i < multi->count; ++i) {
        CmSvOptionRecord& row = multi->table[i];
        row.shown = row.enabled = row.available = 1;
        row.shown_changed = row.enabled_changed = 0;
        if (!row.name) continue;
        name.resize(prefix);
        name.append(row.name);
        const uint32_t hash = CmSvChoiceIndex::Hash(name);
        if (CmSvChoiceItem* known_choice = choices_.Find(name, hash)) {
            known_choice->Repoint(&row);
            known_choice->generation = generation;
            continue;
        }
        CmSvChoiceItem* pseudo = DonorChoice(name);
        if (pseudo) {
            // Made anew where it stands, with the text it has: as the allocation below would make it.
            auto* text = const_cast<char*>(std::exchange(pseudo->key, nullptr));
            pseudo->~CmSvChoiceItem();
            pseudo = ::new (static_cast<void*>(pseudo)) CmSvChoiceItem(text, nextPseudoId, multi, &row);
        } else {
            char* text = NewPoolText(name.size() + 1);
            if (!text) return 0;
            std::memcpy(text, name.data(), name.size());
            pseudo = new CmSvChoiceItem(text, nextPseudoId, multi, &row);
        }
        pseudo->generation = generation;
        if (keepEngine) Note(RegistrationNote::kFunctor, pseudo->key, nextPseudoId);
        if (engine) PIE_register_functor(engine, pseudo->key, static_cast<int32_t>(nextPseudoId));
        items_.Put(nextPseudoId, pseudo);
        // Choice ids only grow: each goes in at the end of the set's map.
        set->pseudoItems.emplace_hint(set->pseudoItems.end(), nextPseudoId, pseudo);
        if (!noDialog && item->kind == kSvKindRadio) set->controls.emplace(row.control_id, pseudo);
        choices_.Put(std::string_view(pseudo->key, name.size()), hash, pseudo);
        known.push_back(pseudo);
        ++nextPseudoId;
    }
    // A choice the rebuilt table no longer has keeps its name for the rules, but no record.
    for (CmSvChoiceItem* pseudo : known)
        if (pseudo->generation != generation) pseudo->Repoint(nullptr);
    return 1;
}

CmSvChoiceItem* CmSvConflict::DonorChoice(std::string_view name) const {
    CmSv* found = choiceDonor_ ? choiceDonor_->items_.Find(nextPseudoId) : nullptr;
    CmSvChoiceItem* choice = found ? found->AsChoice() : nullptr;
    // The name holds no NUL: the key is the name when it agrees that far and ends there.
    const bool same = choice && choice->key && std::strncmp(choice->key, name.data(), name.size()) == 0 &&
                      choice->key[name.size()] == '\0';
    return same ? choice : nullptr;
}

void CmSvConflict::EndTakingChoices() {
    if (!choiceDonor_) return;
    // A choice taken stands here under the id it had there; the donor's sets delete it no more.
    for (auto& [setId, page] : choiceDonor_->pages_)
        for (auto& [id, pseudo] : page->pseudoItems)
            if (pseudo && items_.Find(id) == pseudo) pseudo = nullptr;
    choiceDonor_ = nullptr;
}

CmSvItemSet* CmSvConflict::FindPage(uint32_t setId) const {
    auto found = pages_.find(setId);
    return found == pages_.end() ? nullptr : found->second;
}

CmSv* CmSvConflict::FindControlItem(uint32_t pageId, int32_t controlId) const {
    CmSvItemSet* set = FindPage(pageId);
    if (!set) return nullptr;
    auto found = set->controls.find(controlId);
    if (found == set->controls.end()) return nullptr;
    CmSv* item = found->second;
    return item->kind != kSvKindNone ? item : item->StandsFor();
}

CmSvDigit* CmSvConflict::FindPageDigit(uint32_t pageId, int32_t spinId) const {
    CmSvItemSet* set = FindPage(pageId);
    if (!set) return nullptr;
    auto found = set->spins.find(spinId);
    return found == set->spins.end() ? nullptr : found->second;
}

const CmSvKeySet* CmSvConflict::FindSdkItems(uint32_t key) const { return optionKeys_.Find(key); }

const CmSvKeySet* CmSvConflict::FindSdkItemsFrom(uint32_t from, uint32_t* key) const {
    const CmSvKeySet* run = optionKeys_.FindFrom(from);
    if (run && key) *key = run->key();
    return run;
}

const CmSvItemSet* CmSvConflict::FindItemPage(const CmSv* item) const {
    if (!item) return nullptr;
    for (const auto& [id, set] : pages_)
        if (set->items.count(item->itemId) && set->items.at(item->itemId) == item) return set;
    return nullptr;
}

CmSvChoiceItem* CmSvConflict::FindChoice(std::string_view name) const { return choices_.Find(name); }
