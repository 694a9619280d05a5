// `CmSvItemSet`: the items of one page or dialog, by item id, by control id and (number fields)
// by spin-control id, and the pseudo-items of their choices, which the set owns. The builders of
// the pages make a set, register it with the sheet's registry and add their items to it.
#pragma once

#include "core/memory/pool_object.h"
#include "core/device/uidevdata.h"
#include "settings/registry/flat_map.h"

#include <windows.h>

#include <cstdint>

class CmSv;
class CmSvConflict;
class CmSvControl;
class CmSvDigit;

template <class K, class V>
using CmSvPoolMap = CmSvFlatMap<K, V>;

class CmSvItemSet : public PoolObject {
public:
    CmSvItemSet() = default;
    CmSvItemSet(uint32_t setId, uintptr_t creatorWord1, uintptr_t creatorWord2, int32_t includeCommon)
        : setId(setId), creatorWords{creatorWord1, creatorWord2}, includeCommon(includeCommon) {}
    ~CmSvItemSet();
    CmSvItemSet(const CmSvItemSet&) = delete;
    CmSvItemSet& operator=(const CmSvItemSet&) = delete;

    // Adds the item to the set and to the registry of the request's sheet; answers the
    // registry's answer, 0 when the sheet has no registry.
    int AddItem(UIDEVDATA* ctx, CmSv* item);
    // As AddItem, for a caller that has the sheet's registry (null: none) and its settings at hand:
    // a set's build adds its items one after another, and the look-ups cost more than the adding.
    int AddItem(UIDEVDATA* ctx, CmSv* item, CmSvConflict* registry, uint8_t* settings);

    uint32_t setId = 0;
    uintptr_t creatorWords[2] = {};
    int32_t includeCommon = 0;  // 1: refreshing this page refreshes set 0 too
    const uint32_t* childPages = nullptr;
    uint32_t childCount = 0;
    HWND dialogWindow = nullptr;

    CmSvPoolMap<uint32_t, CmSv*> items;         // not owned
    CmSvPoolMap<uint32_t, CmSv*> pseudoItems;   // owned
    CmSvPoolMap<int32_t, CmSv*> controls;       // by control id
    CmSvPoolMap<int32_t, CmSvDigit*> spins;     // by spin-control id

    // The controls of `items`, in id order, for the page's redisplay after every change; the
    // redisplay fills it when `items` has grown since (items are only ever added).
    PoolVector<CmSvControl*> controlsInOrder;
    size_t controlsInOrderOf = 0;  // the size of `items` when controlsInOrder was filled
};
