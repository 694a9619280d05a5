// This driver's item registry: the order of the sheet's start and the sets' ownership.
#include "items/pdl/pdl_conflict.h"

#include "core/device/user_data.h"
#include "items/pdl/item_set_registry.h"
#include "items/pdl/value_item_sets.h"
#include "settings/items/sv.h"

PDLSvConflict::PDLSvConflict(CmUserData* userData) { owner = userData; }

PDLSvConflict::~PDLSvConflict() { DestroyAllItemSets(nullptr); }

void PDLSvConflict::BuildSet(UIDEVDATA* ctx, uint32_t setId, bool (*make)(PoolVector<CmSv*>&)) {
    PoolVector<CmSv*> made;
    make(made);
    // Owned before they are added, so that memory running out half way loses none of them.
    items_.insert(items_.end(), made.begin(), made.end());
    auto* set = new CmSvItemSet(setId, 0, 0, 0);
    sets_.push_back(set);
    RegisterItemSet(ctx, set);
    for (CmSv* item : made) set->AddItem(ctx, item);
}

void PDLSvConflict::Adopt(CmSvItemSet* set) {
    if (!set) return;
    sets_.push_back(set);
    for (auto& [id, item] : set->items) items_.push_back(item);
}

int PDLSvConflict::CreateAllItemSets(UIDEVDATA* ctx) {
    const int started = StartRules(ctx);
    // The device's capability values ("Spec$") first: the other sets' rules and tables read them.
    BuildSet(ctx, kSpecItemSet, MakeSpecItems);
    Adopt(CreateItemSet0(ctx, *this));
    Adopt(CreateItemSetPageSetup(ctx, *this));
    BuildSet(ctx, kAppDocItemSet, MakeAppDocItems);
    StartEngine(ctx);
    return started;
}

void PDLSvConflict::DestroyAllItemSets(UIDEVDATA*) {
    // The sets own the choices' pseudo-items, which point at the items: sets go first.
    for (CmSvItemSet* set : sets_) delete set;
    sets_.clear();
    for (CmSv* item : items_) delete item;
    items_.clear();
}
