// `CmSvConflict`, the sheet's item registry: it keeps the item sets of the pages and every item
// and choice by id, by option key, by page and control; it owns the sheet's rule-engine instance
// and rule program, runs the rules after every change (the conflict manager) and collects what
// the rules changed, which the settings page then writes back. `CmConflict` is its base of
// defaults. The user data keeps the registry (`CmUserData::GetConflict`).
#pragma once

#include "core/memory/pool_allocator.h"
#include "core/memory/pool_object.h"
#include "core/device/service_table.h"
#include "core/device/uidevdata.h"
#include "core/device/user_data.h"
#include "pie/api/api.h"
#include "settings/items/sv.h"
#include "settings/registry/choice_index.h"
#include "settings/registry/item_index.h"
#include "settings/registry/key_index.h"
#include "settings/registry/item_set.h"

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string_view>
#include <unordered_map>

class CmSv;
class CmSvItem;
class CmSvMulti;
class CmSvChoiceItem;
class CmSvFollow;
class CmSvRuleProgram;
struct LeftEngine;

class CmConflict : public PoolObject {
public:
    CmConflict() = default;
    virtual ~CmConflict() = default;
    CmConflict(const CmConflict&) = delete;
    CmConflict& operator=(const CmConflict&) = delete;

    virtual int Reevaluate(UIDEVDATA*, HWND, uint32_t) { return 1; }
    virtual int AnySdkControlEnabled(UIDEVDATA*, uint32_t) { return 1; }
    virtual int AnySdkControlShown(UIDEVDATA*, uint32_t) { return 1; }
    virtual int GetSdkControlState(UIDEVDATA*, uint32_t) { return 0; }
    virtual int IsSdkValueEnabled(UIDEVDATA*, uint32_t, int32_t) { return 1; }
    virtual int IsSdkValueShown(UIDEVDATA*, uint32_t, int32_t) { return 1; }
    virtual int32_t GetRuleValue(UIDEVDATA*, uint32_t, int32_t) { return 0; }
    virtual int32_t GetSdkRuleValue(UIDEVDATA*, uint32_t) { return 0; }
    virtual int32_t FindSdkOption(UIDEVDATA*, uint32_t, int32_t) { return 0; }
    virtual void Idle() {}
    // What the registry hands to the rule program's build; 0 in every registry of the program.
    virtual int RuleBuildWord() { return 0; }
};

// Items ordered by id: the changed-item set and the collecting set.
struct CmSvIdLess {
    // Inline: a rule callback that marks an item walks the changed-item set with it.
    bool operator()(const CmSv* a, const CmSv* b) const { return a->itemId < b->itemId; }
};
using CmSvIdSet = std::set<CmSv*, CmSvIdLess, PoolAllocator<CmSv*>>;

class CmSvConflict : public CmConflict {
public:
    static constexpr uint32_t kFirstPseudoId = 0x10000;

    CmSvConflict();
    ~CmSvConflict() override;

    // --- registration -----------------------------------------------------------------------
    int RegisterItemSet(UIDEVDATA* ctx, CmSvItemSet* set);
    // `settings` are the sheet's (SettingsOf), which a set's build looks up once for its items.
    int AddItem(UIDEVDATA* ctx, CmSvItemSet* set, CmSv* item, uint8_t* settings);
    // The pseudo-items of a multiple-choice item's choices; 0 when memory is short.
    int AddOptionItems(CmSvItemSet* set, CmSv* item);
    // A setting the page-description-language layer does not support, for the rule program.
    void AddUnsupportedItem(const char* key);
    // Between these two, while a restart builds its sets: a choice the donor (the registry the
    // restart ends) registered under the same id and name is taken from it and made anew where it
    // stands instead of allocated. The end hands this registry the ownership of what it took (also
    // when the build failed half way); the donor may then only end.
    void TakeChoicesFrom(CmSvConflict* donor) { choiceDonor_ = donor; }
    void EndTakingChoices();

    // --- lookups -------------------------------------------------------------------------------
    // Inline: every question the rules ask of an item finds it first.
    CmSv* FindItem(uint32_t itemId) const { return items_.Find(itemId); }
    // The by-key lookup of the rule callbacks; registered items are addressed by id, so it
    // finds none.
    CmSv* FindItemByKey(const char*) const { return nullptr; }
    CmSvItemSet* FindPage(uint32_t setId) const;
    CmSv* FindControlItem(uint32_t pageId, int32_t controlId) const;
    CmSvDigit* FindPageDigit(uint32_t pageId, int32_t spinId) const;
    const CmSvKeySet* FindSdkItems(uint32_t key) const;
    // The items of the lowest option key from `from` up that has any, with that key in *key;
    // null when no key from there has items. Walks every key an application can reach.
    const CmSvKeySet* FindSdkItemsFrom(uint32_t from, uint32_t* key) const;
    // The item set (page) that holds the item; null when none does.
    const CmSvItemSet* FindItemPage(const CmSv* item) const;
    // The pseudo-item of a choice by its name (key@choice); null when none.
    CmSvChoiceItem* FindChoice(std::string_view name) const;

    // --- fan-outs over the items of an option key ----------------------------------------------
    int SdkRequest(UIDEVDATA* ctx, int kind, uint32_t key, void* data);
    int AnySdkControlEnabled(UIDEVDATA* ctx, uint32_t key) override;
    int AnySdkControlShown(UIDEVDATA* ctx, uint32_t key) override;
    int IsSdkValueEnabled(UIDEVDATA* ctx, uint32_t key, int32_t value) override;
    int IsSdkValueShown(UIDEVDATA* ctx, uint32_t key, int32_t value) override;
    int GetSdkItemAvailability(UIDEVDATA* ctx, uint32_t key);
    int IsSdkItemEnabled(UIDEVDATA* ctx, uint32_t key);
    int GetSdkControlState(UIDEVDATA* ctx, uint32_t key) override;
    int32_t GetSdkRuleValue(UIDEVDATA* ctx, uint32_t key) override;
    int32_t FindSdkOption(UIDEVDATA* ctx, uint32_t key, int32_t value) override;
    int32_t GetRuleValue(UIDEVDATA* ctx, uint32_t pageId, int32_t controlId) override;
    int IsItemShown(UIDEVDATA* ctx, uint32_t itemId);
    int IsItemEnabled(UIDEVDATA* ctx, uint32_t itemId);

    // --- dialog events -------------------------------------------------------------------------
    int ForwardDrawItem(UIDEVDATA* ctx, HWND control, uint32_t pageId, int32_t controlId, DRAWITEMSTRUCT* draw);
    int ForwardMeasureItem(UIDEVDATA* ctx, uint32_t pageId, int32_t controlId, MEASUREITEMSTRUCT* measure);
    int ForwardListView1(UIDEVDATA* ctx, HWND dialog, uint32_t pageId, int32_t controlId, NMLISTVIEW* note);
    int ForwardListView2(UIDEVDATA* ctx, HWND dialog, uint32_t pageId, int32_t controlId, NMLISTVIEW* note);
    int ForwardListView3(UIDEVDATA* ctx, HWND dialog, uint32_t pageId, int32_t controlId, NMLISTVIEW* note);
    int ForwardDeltaPos(UIDEVDATA* ctx, HWND dialog, uint32_t pageId, NMUPDOWN* updown);
    int UpdatePageControls(UIDEVDATA* ctx, HWND dialog, uint32_t pageId, int onlyMarked);
    int RefreshPage(UIDEVDATA* ctx, HWND dialog, uint32_t pageId);

    // --- the conflict manager ------------------------------------------------------------------
    int StartRules(UIDEVDATA* ctx);
    int StartEngine(UIDEVDATA* ctx);
    // StartEngine's two steps: the loads of the rule program (after which the engine is kept as
    // they left it when `keepEngine` asks for it), and the initial conflict of every item.
    void LoadProgram();
    void FirstConflictPass(UIDEVDATA* ctx);
    // Takes over the engine and rule program of `donor`, a registry of the same request whose
    // engine was kept after its loads, brought back to that state: a start over this registry's
    // items would load the same program into the same engine, because its items registered what
    // the donor's did (every name and id, every constant and its value, every unsupported
    // setting, in the same order). False, with nothing taken, when anything differs or the
    // engine cannot go back; the donor keeps its engine then.
    bool AdoptEngine(CmSvConflict& donor);
    // Hands the engine started after the item sets were built what their registration noted, in
    // its order: the engine then stands as if it had been started before them.
    void ReplayRegistration();
    // Whether the engine was kept after its loads, for a registry that may take it over.
    bool EngineKept() const { return engineKept_; }
    // At the registry's end: an engine kept after its loads, brought back to that state, is left
    // for the process's next start, with what tells which starts would load the same program (it
    // replaces and ends one left before). Nothing when it was not kept or cannot go back; the
    // registry then ends it.
    void LeaveEngine();
    // After the item sets were built with no engine, by a registry that keeps its engine: takes
    // the engine a registry left when a start here would have loaded the same program into it
    // (the same registration, option words and device options, rule texts of the same content,
    // the same platform and calling side under this request), with a rule program of its own
    // built as the start would build it. False, with nothing taken, when it would not; an engine
    // left that does not fit ends.
    bool TakeLeftEngine(UIDEVDATA* ctx);
    // Whether an engine was left for a start to take.
    static bool AnyEngineLeft();
    int ReevaluateAll(UIDEVDATA* ctx);
    void Evaluate(UIDEVDATA* ctx, CmSv* item, int mode);
    int OnControlCommand(UIDEVDATA* ctx, HWND dialog, uint32_t pageId, int32_t controlId);
    int SdkSetValue(UIDEVDATA* ctx, uint32_t key, void* data);
    int SdkApply(UIDEVDATA* ctx, uint32_t key, void* data);
    int OnPreviewEvent(UIDEVDATA* ctx, uint32_t previewKey, intptr_t a, intptr_t b, intptr_t c, intptr_t d);
    void ApplyValues(UIDEVDATA* ctx, const uint8_t* block, const uint32_t* itemIds);
    void RevertAll(UIDEVDATA* ctx);
    void RestorePageDefaults(UIDEVDATA* ctx, uint32_t pageId);
    void ApplyPageAndChildren(UIDEVDATA* ctx, uint32_t pageId);
    void ReinitOptions(UIDEVDATA* ctx, CmSvItemSet* set, CmSv* item);
    int Reevaluate(UIDEVDATA* ctx, HWND dialog, uint32_t pageId) override;
    int Refresh(UIDEVDATA* ctx, HWND dialog, uint32_t pageId);

    // Puts an item the rules changed or re-marked into the changed-item set.
    void MarkChanged(CmSv* item) {
        changed.insert(item);
        ++ruleChanges;
    }
    // A value one item wrote into another (its partner) on its own behalf: marked as the rules
    // mark theirs, so that the evaluation under way stores it into the sheet's settings, and
    // collected, so that the rules check it too. Every partner write goes through here; an
    // unmarked partner would read back its new value while the device mode kept the old one.
    void NotePartnerChange(CmSvItem* partner);

    // Whether any text of the rule program loaded names `key` (as a part of a longer name too):
    // an item named nowhere has no rule, and no rule reads or writes it. True when no text was
    // loaded.
    bool RulesMayName(std::string_view key) const;

    // The page-description-language registry builds and ends the item sets.
    virtual int CreateAllItemSets(UIDEVDATA*) { return 0; }
    virtual void DestroyAllItemSets(UIDEVDATA*) {}

    PieEngine* engine = nullptr;
    uint32_t nextPseudoId = kFirstPseudoId;
    PieHostBlock1 callbacks1{};
    PieHostBlock2 callbacks2{};
    void* owner = nullptr;
    HWND dialogWindow = nullptr;     // the page the registry's current command came from
    HWND resetPageWindow = nullptr;  // the page whose values are being reset
    int32_t commonRuleVersion = 100;
    int32_t pdlRuleVersion = 100;
    // State words.
    int initialising = 0;
    int noDialog = 0;
    int restoring = 0;
    int showOnce = 0;
    int messageShown = 0;
    int pendingRefresh = 0;
    int closeRequested = 0;
    int busy = 0;
    int revertPending = 0;
    int skipNextRefresh = 0;
    uint16_t memoryOption = 0;
    // Set before the item sets are built: the engine is kept as its loads leave it, and what the
    // registration hands it is noted, so that a later registry of the request can take it over.
    bool keepEngine = false;

    CmSvIdSet changed;
    CmSvIdSet* collecting = nullptr;
    // Raised on every change the rules make to the items (a value, a mark, a choice, a property,
    // an action run, a message shown): the engine's propagation wakes no reader of an item whose
    // rule left this and the item's value as they were.
    uint32_t ruleChanges = 0;

protected:
    // The sheet's rule program; null when none can be made. The rule assembly supplies it.
    virtual CmSvRuleProgram* CreateRuleProgram(UIDEVDATA* ctx);

private:
    template <class Op>
    int EachBinding(uint32_t key, int none, int stopAt, Op op);
    void EvaluateCollected(UIDEVDATA* ctx, bool mark);
    // Stores what the rules and the partners changed and marks the controls they touched.
    void StoreChanged(UIDEVDATA* ctx);
    // Creates the collecting set when none exists; true when this call created it.
    bool OpenCollecting();
    void CloseCollecting(bool created);
    int SdkChange(UIDEVDATA* ctx, uint32_t key, void* data, int kind);
    void ReloadChanged(UIDEVDATA* ctx, CmSv* item, int refreshMode);
    // Lets the items whose rows follow other settings catch up with the sheet's settings.
    void FollowSettings(UIDEVDATA* ctx);
    // Rebuilds the run-time tables of a page's items and reloads those the rules changed.
    void RenewItems(UIDEVDATA* ctx, CmSvItemSet* set);

    // The texts of the rule program the engine loads, in order; null where there is none.
    std::array<const char*, 3> LoadedTexts() const;

    // What registration hands the engine, noted while `keepEngine` is set: an item's or a
    // choice's name and id, a constant's name and value, an unsupported setting's key.
    struct RegistrationNote {
        enum Kind : uint8_t { kFunctor, kConstant, kUnsupported } kind;
        int16_t type;      // the constant's value type
        const char* name;  // the item's or choice's own text, alive as long as the registry
        int64_t value;     // the id, the constant's number, or where its name starts in noteTexts_
    };
    void Note(RegistrationNote::Kind kind, const char* name, int64_t value, const PieValue* constant = nullptr);
    // Whether this registry's registration handed the engine what the other's did.
    bool SameRegistration(const CmSvConflict& other) const;
    static bool SameNotes(const PoolVector<RegistrationNote>& a, const PoolString& aTexts,
                          const PoolVector<RegistrationNote>& b, const PoolString& bTexts);

    CmSvRuleProgram* ruleProgram_ = nullptr;
    PoolVector<RegistrationNote> registration_;
    PoolString noteTexts_;  // the names constants had as values, each ended by a NUL
    bool engineKept_ = false;
    // The device options the engine's loads saw, for a registry that keeps its engine: they
    // decide some of the facts loaded.
    PoolVector<uint8_t> loadOptions_;
    void NoteLoadOptions(UIDEVDATA* ctx);
    // The answers of RulesMayName so far: the program does not change while the registry lives.
    mutable std::map<PoolString, bool, std::less<>, PoolAllocator<std::pair<const PoolString, bool>>> named_;
    CmSvIdSet collectingSet_;  // what `collecting` points at while a request runs
    std::map<uint32_t, CmSv*, std::less<uint32_t>, PoolAllocator<std::pair<const uint32_t, CmSv*>>> previews_;
    CmSvKeyIndex optionKeys_;
    std::map<uint32_t, CmSvItemSet*, std::less<uint32_t>, PoolAllocator<std::pair<const uint32_t, CmSvItemSet*>>>
        pages_;
    CmSvItemIndex items_;
    CmSvChoiceIndex choices_;
    std::unordered_map<const CmSv*, PoolVector<CmSvChoiceItem*>, std::hash<const CmSv*>, std::equal_to<const CmSv*>,
                       PoolAllocator<std::pair<const CmSv* const, PoolVector<CmSvChoiceItem*>>>>
        choicesOf_;
    uint32_t choiceGeneration_ = 0;
    CmSvConflict* choiceDonor_ = nullptr;
    // The donor's choice with the next pseudo-item id when it is named `name`; null when not.
    CmSvChoiceItem* DonorChoice(std::string_view name) const;
    PoolString handedText_;  // a text handed to the engine that the item cannot keep
    PoolString choiceName_;  // the name of the choice AddOptionItems is at
    PoolVector<std::pair<CmSv*, CmSvFollow*>> followers_;

    friend class CmSvItemSet;
    friend struct LeftEngine;
    friend PoolString& HandedText(CmSvConflict& registry);
};

// The registry of the request's sheet; null when the sheet has none. Inline: every rule callback
// of every query starts here.
inline CmSvConflict* RegistryOf(UIDEVDATA* ctx) {
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    return user ? static_cast<CmSvConflict*>(user->GetConflict()) : nullptr;
}
// The sheet's settings the items load from and store into; null when there are none.
uint8_t* SettingsOf(UIDEVDATA* ctx);

// Ends the engine a registry left for the process's next start, if any: before the library lets
// go of what the engine may hold, and for tests that count loads.
void EndLeftEngine() noexcept;
