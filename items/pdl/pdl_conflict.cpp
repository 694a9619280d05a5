// This driver's item registry: the order of the sheet's start and the sets' ownership.
#include "items/pdl/pdl_conflict.h"

#include "core/device/user_data.h"
#include "items/pdl/finishing_item_sets.h"
#include "items/pdl/item_sets.h"
#include "items/pdl/paper_rows.h"
#include "items/pdl/quality_item_sets.h"
#include "items/pdl/value_item_sets.h"
#include "settings/items/sv.h"

PDLSvConflict::PDLSvConflict(CmUserData* userData) { owner = userData; }

PDLSvConflict::~PDLSvConflict() { DestroyAllItemSets(nullptr); }

namespace {

class OwnedSink : public ItemSink {
public:
    explicit OwnedSink(PoolVector<CmSv*>& items) : items_(items) {}
    void Add(CmSv* item) override { items_.push_back(item); }

private:
    PoolVector<CmSv*>& items_;
};

}  // namespace

void PDLSvConflict::BuildSet(UIDEVDATA* ctx, uint32_t setId, int32_t includeCommon,
                             bool (*make)(PoolVector<CmSv*>&)) {
    const size_t from = items_.size();
    make(items_);
    RegisterSet(ctx, setId, includeCommon, from);
}

void PDLSvConflict::BuildSet(UIDEVDATA* ctx, uint32_t setId, int32_t includeCommon, void (*build)(ItemSink&)) {
    const size_t from = items_.size();
    OwnedSink sink(items_);
    build(sink);
    RegisterSet(ctx, setId, includeCommon, from);
}

void PDLSvConflict::RegisterSet(UIDEVDATA* ctx, uint32_t setId, int32_t includeCommon, size_t firstItem) {
    auto* set = new CmSvItemSet(setId, 0, 0, includeCommon);
    sets_.push_back(set);
    RegisterItemSet(ctx, set);
    // The registry the items reach is this one: the user data was handed it before the build.
    CmSvConflict* registry = RegistryOf(ctx);
    uint8_t* settings = registry ? SettingsOf(ctx) : nullptr;
    for (size_t i = firstItem; i < items_.size(); ++i) set->AddItem(ctx, items_[i], registry, settings);
}

int PDLSvConflict::CreateAllItemSets(UIDEVDATA* ctx) {
    if (!keepEngine || !AnyEngineLeft()) {
        const int started = StartRules(ctx);
        BuildAllSets(ctx);
        StartEngine(ctx);
        return started;
    }
    // Whether the engine a registry left fits is known only from what these sets register.
    BuildAllSets(ctx);
    const int started = TakeLeftEngine(ctx) ? 1 : StartAfterSets(ctx);
    FirstConflictPass(ctx);
    return started;
}

bool PDLSvConflict::CreateAllItemSetsFrom(UIDEVDATA* ctx, CmSvConflict& donor) {
    {
        // The donor ends after this build: the choices it registered alike are taken, not made.
        struct Taking {
            CmSvConflict& registry;
            ~Taking() { registry.EndTakingChoices(); }
        } taking{*this};
        TakeChoicesFrom(&donor);
        BuildAllSets(ctx);
    }
    const bool adopted = AdoptEngine(donor);
    // The sets built here registered something else than the donor's: a start of their own.
    if (!adopted) StartAfterSets(ctx);
    FirstConflictPass(ctx);
    return adopted;
}

int PDLSvConflict::StartAfterSets(UIDEVDATA* ctx) {
    // The sets are built already: the new engine is handed what they registered, in their order.
    const int started = StartRules(ctx);
    ReplayRegistration();
    LoadProgram();
    return started;
}

void PDLSvConflict::BuildAllSets(UIDEVDATA* ctx) {
    // A sheet makes some three hundred items in twelve sets: one allocation each, not one a doubling.
    sets_.reserve(12);
    items_.reserve(512);
    // The form table and the paper lists read the paper table once between them.
    PaperWalk papers(ctx);
    // The device's capability values ("Spec$") first: the other sets' rules and tables read them.
    BuildSet(ctx, kSpecItemSet, 0, MakeSpecItems);
    BuildSet(ctx, kCommonSetId, 0, BuildCommonItems);
    BuildSet(ctx, kAppDocItemSet, 0, MakeAppDocItems);
    BuildSet(ctx, kPageSetupSetId, 1, BuildPageSetupItems);
    // The finishing page and its dialogs.
    BuildSet(ctx, kFinishingSetId, 1, BuildFinishingItems);
    BuildSet(ctx, kBookletSetId, 0, BuildBookletItems);
    BuildSet(ctx, kGutterMarginSetId, 0, BuildGutterMarginItems);
    BuildSet(ctx, kStaplePositionSetId, 0, BuildStaplePositionItems);
    // The paper-source, quality and device-settings pages and the layout-options dialog.
    BuildSet(ctx, kPaperSourceSetId, 1, BuildPaperSourceItems);
    BuildSet(ctx, kQualitySetId, 1, BuildQualityItems);
    BuildSet(ctx, kDeviceSettingsSetId, 1, BuildDeviceSettingsItems);
    BuildSet(ctx, kLayoutOptionsSetId, 0, BuildLayoutOptionItems);
}

void PDLSvConflict::DestroyAllItemSets(UIDEVDATA*) {
    // The sets own the choices' pseudo-items, which point at the items: sets go first.
    for (CmSvItemSet* set : sets_) delete set;
    sets_.clear();
    for (CmSv* item : items_) delete item;
    items_.clear();
}
