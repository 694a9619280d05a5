// `PDLSvConflict`: this driver's item registry of one sheet or device-mode request. It starts the
// rules, builds the item sets of the sheet (the device capability values first, the
// application and document values third) and starts the engine; it owns the sets and their items
// and deletes them before the registry itself goes.
#pragma once

#include "settings/registry/conflict.h"

class CmUserData;
class ItemSink;

class PDLSvConflict : public CmSvConflict {
public:
    // The user data that made the registry is its owner.
    explicit PDLSvConflict(CmUserData* userData);
    ~PDLSvConflict() override;

    // Starts the rules, builds every set in order, then starts the engine; 1 when the rules
    // started, else 0 (the sets are built either way, so that the sheet still has its items).
    int CreateAllItemSets(UIDEVDATA* ctx) override;
    void DestroyAllItemSets(UIDEVDATA* ctx) override;
    // Builds every set as CreateAllItemSets does, but takes over the engine the donor kept
    // instead of starting and loading one, then runs the first conflict pass. When the engine
    // cannot be taken over (false), the registry starts and loads an engine of its own instead,
    // and ends as CreateAllItemSets would have left it.
    bool CreateAllItemSetsFrom(UIDEVDATA* ctx, CmSvConflict& donor);

private:
    void BuildAllSets(UIDEVDATA* ctx);
    // The rules and program of a start whose sets were built with no engine; StartRules' result.
    int StartAfterSets(UIDEVDATA* ctx);
    // Constructs a set, registers it, then adds the items: the registry loads each as it comes.
    // The items are owned by the registry as soon as they are made, so that memory running out
    // half way loses none of them. `includeCommon` 1 for a main page, which shows set 0 as well.
    void BuildSet(UIDEVDATA* ctx, uint32_t setId, int32_t includeCommon, bool (*make)(PoolVector<CmSv*>&));
    void BuildSet(UIDEVDATA* ctx, uint32_t setId, int32_t includeCommon, void (*build)(ItemSink&));
    // The set itself, registered, then given the items made since firstItem.
    void RegisterSet(UIDEVDATA* ctx, uint32_t setId, int32_t includeCommon, size_t firstItem);

    PoolVector<CmSvItemSet*> sets_;
    PoolVector<CmSv*> items_;
};
