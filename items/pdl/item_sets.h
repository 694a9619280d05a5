// The items of item set 0 (the buttons and the job operation that stand on every main page) and
// of the page-setup page's set, in item-id order, as the sheet's registry builds them. Each
// builder hands its new items to a sink: the registry's set adds them (and deletes them when the
// sheet ends), a page without a registry keeps them itself.
#pragma once

#include <cstdint>

class CmSv;

inline constexpr uint32_t kCommonSetId = 0;
inline constexpr uint32_t kPageSetupSetId = 1;

class ItemSink {
public:
    virtual ~ItemSink() = default;
    // Takes the item; it is the sink's from now on.
    virtual void Add(CmSv* item) = 0;
};

// 1280 to 1286: the preset buttons, the summary and status buttons, the page-composition lock,
// the job operation's detail button and the job operation.
void BuildCommonItems(ItemSink& sink);
// 1035 to 1048: paper and output size, page order and layout, orientation, stamps, scaling and
// ratio, copies, and the page's four buttons; 1287, the profile list.
void BuildPageSetupItems(ItemSink& sink);
