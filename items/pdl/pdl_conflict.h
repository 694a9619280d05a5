// `PDLSvConflict`: this driver's item registry of one sheet or device-mode request. It starts the
// rules, builds the item sets of the sheet (the device capability values first, the
// application and document values third) and starts the engine; it owns the sets and their items
// and deletes them before the registry itself goes.
#pragma once

#include "settings/registry/conflict.h"

class CmUserData;

class PDLSvConflict : public CmSvConflict {
public:
    // The user data that made the registry is its owner.
    explicit PDLSvConflict(CmUserData* userData);
    ~PDLSvConflict() override;

    // Starts the rules, builds every set in order, then starts the engine; 1 when the rules
    // started, else 0 (the sets are built either way, so that the sheet still has its items).
    int CreateAllItemSets(UIDEVDATA* ctx) override;
    void DestroyAllItemSets(UIDEVDATA* ctx) override;

private:
    // Constructs a set, registers it, then adds the items: the registry loads each as it comes.
    void BuildSet(UIDEVDATA* ctx, uint32_t setId, bool (*make)(PoolVector<CmSv*>&));

    // A set built and registered elsewhere, owned from now on with its items.
    void Adopt(CmSvItemSet* set);

    PoolVector<CmSvItemSet*> sets_;
    PoolVector<CmSv*> items_;
};
