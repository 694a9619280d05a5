// `CmSvLink`: an entry of an item set that stands for another object (an item of another set,
// or the option record of one choice); the registry resolves it when it looks a control up.
#pragma once

#include "settings/items/sv.h"

class CmSvLink : public CmSv {
public:
    CmSvLink(int32_t type, const char* key, uint32_t itemId, void* target)
        : CmSv(type, kSvKindNone, key, itemId), target(target) {}

    CmSv* StandsFor() override { return static_cast<CmSv*>(target); }

    void* target;
};
