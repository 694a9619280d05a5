// The item sets of the paper-source page (3), the quality page (4), the device-settings page (5)
// and the layout-options dialog (21), in item-id order, and their registration in the sheet's
// registry (each set registered before its items are added).
#pragma once

#include "core/device/uidevdata.h"
#include "items/pdl/item_sets.h"

#include <cstdint>

class CmSv;
class CmSvConflict;
class CmSvItemSet;

inline constexpr uint32_t kPaperSourceSetId = 3;
inline constexpr uint32_t kQualitySetId = 4;
inline constexpr uint32_t kDeviceSettingsSetId = 5;
inline constexpr uint32_t kLayoutOptionsSetId = 21;

// 1061 to 1074: the paper selection, its eleven source lists, the interleaf switch and Default.
void BuildPaperSourceItems(ItemSink& sink);
// 1022 to 1030: catalogue, colour, colour mode, print image and the page's three buttons.
void BuildQualityItems(ItemSink& sink);
// 1007 to 1010: spooling and the paper-source, font and about buttons.
void BuildDeviceSettingsItems(ItemSink& sink);
// 1011 and 1015 to 1018, 1288: edging, the three print positions, Default and format settings.
void BuildLayoutOptionItems(ItemSink& sink);

CmSvItemSet* CreateItemSet3(UIDEVDATA* ctx, CmSvConflict& registry);
CmSvItemSet* CreateItemSet4(UIDEVDATA* ctx, CmSvConflict& registry);
CmSvItemSet* CreateItemSet5(UIDEVDATA* ctx, CmSvConflict& registry);
CmSvItemSet* CreateItemSet21(UIDEVDATA* ctx, CmSvConflict& registry);
