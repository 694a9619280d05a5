// Building the two sets into the registry.
#include "items/pdl/item_set_registry.h"

#include "items/pdl/item_sets.h"
#include "settings/registry/conflict.h"
#include "settings/registry/item_set.h"
#include "settings/items/sv.h"

namespace {

class SetSink : public ItemSink {
public:
    SetSink(UIDEVDATA* ctx, CmSvItemSet& set) : ctx_(ctx), set_(set) {}
    void Add(CmSv* item) override { set_.AddItem(ctx_, item); }

private:
    UIDEVDATA* ctx_;
    CmSvItemSet& set_;
};

}  // namespace

CmSvItemSet* CreateItemSet(UIDEVDATA* ctx, CmSvConflict& registry, uint32_t setId, int32_t includeCommon,
                           void (*build)(ItemSink&)) {
    auto* set = new CmSvItemSet(setId, 0, 0, includeCommon);
    registry.RegisterItemSet(ctx, set);
    SetSink sink(ctx, *set);
    build(sink);
    return set;
}

CmSvItemSet* CreateItemSet0(UIDEVDATA* ctx, CmSvConflict& registry) {
    return CreateItemSet(ctx, registry, kCommonSetId, 0, BuildCommonItems);
}

CmSvItemSet* CreateItemSetPageSetup(UIDEVDATA* ctx, CmSvConflict& registry) {
    return CreateItemSet(ctx, registry, kPageSetupSetId, 1, BuildPageSetupItems);
}

void DestroyItemSet(CmSvItemSet* set) {
    if (!set) return;
    for (auto& [id, item] : set->items) delete item;
    delete set;
}
