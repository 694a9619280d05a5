// The builders of sets 3, 4, 5 and 21.
#include "items/pdl/quality_item_sets.h"

#include "items/common/job_items.h"
#include "items/common/layout_option_items.h"
#include "items/common/paper_source_items.h"
#include "items/common/push_buttons.h"
#include "items/common/quality_buttons.h"
#include "items/common/quality_items.h"
#include "items/pdl/item_set_registry.h"
#include "items/pdl/pdl_quality_items.h"

void BuildPaperSourceItems(ItemSink& sink) {
    sink.Add(new PDLSvCB_PaperSelection);
    sink.Add(new CmSvLB_PaperSource);
    sink.Add(new CmSvCB_FirstPage);
    sink.Add(new CmSvCB_OtherPage);
    sink.Add(new CmSvCB_LastPage);
    sink.Add(new CmSvCB_FirstPage2nd);
    sink.Add(new CmSvCB_2ndPage2nd);
    sink.Add(new CmSvCB_OtherPage2nd);
    sink.Add(new CmSvCB_LastPage2nd);
    sink.Add(new CmSvCB_CoverPage);
    sink.Add(new CmSvCB_OtherPageCover);
    sink.Add(new CmSvCB_Interleaf);
    sink.Add(new CmSvCK_InterLeafPrint);
    sink.Add(new CmSvPB_PaperDefault);
}

void BuildQualityItems(ItemSink& sink) {
    sink.Add(new CmSvCK_Catalog);
    sink.Add(new CmSvCB_Color);
    sink.Add(new CmSvCK_ColorMode);
    sink.Add(new PDLSvLB_PrintImage);
    sink.Add(new CmSvPB_DetailSetting);
    sink.Add(new CmSvPB_ColorSetting);
    sink.Add(new CmSvPB_Version);
}

void BuildDeviceSettingsItems(ItemSink& sink) {
    sink.Add(new CmSvCB_SpoolSetting);
    sink.Add(new CmSvPB_PaperSourceSettings);
    sink.Add(new CmSvPB_FontSettings);
    sink.Add(new CmSvPB_About);
}

void BuildLayoutOptionItems(ItemSink& sink) {
    sink.Add(new CmSvCB_Edging);
    sink.Add(new CmSvCB_PrintDatePosition);
    sink.Add(new CmSvCB_PrintUserPosition);
    sink.Add(new CmSvCB_PrintPagePosition);
    sink.Add(new CmSvPB_LayoutDefault);
    sink.Add(new CmSvPB_FormatSettings);
}

CmSvItemSet* CreateItemSet3(UIDEVDATA* ctx, CmSvConflict& registry) {
    return CreateItemSet(ctx, registry, kPaperSourceSetId, 1, BuildPaperSourceItems);
}

CmSvItemSet* CreateItemSet4(UIDEVDATA* ctx, CmSvConflict& registry) {
    return CreateItemSet(ctx, registry, kQualitySetId, 1, BuildQualityItems);
}

CmSvItemSet* CreateItemSet5(UIDEVDATA* ctx, CmSvConflict& registry) {
    return CreateItemSet(ctx, registry, kDeviceSettingsSetId, 1, BuildDeviceSettingsItems);
}

CmSvItemSet* CreateItemSet21(UIDEVDATA* ctx, CmSvConflict& registry) {
    return CreateItemSet(ctx, registry, kLayoutOptionsSetId, 0, BuildLayoutOptionItems);
}
