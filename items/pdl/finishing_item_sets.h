// The finishing page's item set (2) and the sets of its three dialogs: booklet (30), gutter
// margin (31) and staple position (34), which exist whenever the finishing page does. The
// language layer's forms of rotation and of the staple position live here too.
#pragma once

#include "core/device/uidevdata.h"
#include "items/common/finishing_items.h"
#include "items/common/staple_position.h"
#include "items/pdl/item_sets.h"

inline constexpr uint32_t kFinishingSetId = 2;
inline constexpr uint32_t kBookletSetId = 30;
inline constexpr uint32_t kGutterMarginSetId = 31;
inline constexpr uint32_t kStaplePositionSetId = 34;

// A point of the finishing picture on the rotation mark turns rotation over.
class PDLSvCK_Rotate : public CmSvCK_Rotate {
public:
    int Preview(UIDEVDATA* ctx, intptr_t a, intptr_t b, intptr_t c, intptr_t d) override;
};

// Rows turned to an orientation take the first point along the binding edge.
class PDLSvRB_Position : public CmSvRB_Position {
protected:
    void AfterOrientation(UIDEVDATA* ctx) override;
};

// 1049 to 1060, the staple switch (1051) and the finishing method.
void BuildFinishingItems(ItemSink& sink);
void BuildBookletItems(ItemSink& sink);         // 1000 to 1006
void BuildGutterMarginItems(ItemSink& sink);    // 1019 to 1021
void BuildStaplePositionItems(ItemSink& sink);  // 1032 to 1034
