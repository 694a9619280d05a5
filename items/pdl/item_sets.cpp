// The builders of item set 0 and of the page-setup set.
#include "items/pdl/item_sets.h"

#include "items/common/job_items.h"
#include "items/common/page_layout_items.h"
#include "items/common/profile_list.h"
#include "items/common/push_buttons.h"
#include "items/common/stamp_items.h"
#include "items/pdl/page_setup_items.h"

void BuildCommonItems(ItemSink& sink) {
    sink.Add(new CmSvPB_AddProfile);
    sink.Add(new CmSvPB_EditProfile);
    sink.Add(new CmSvPB_ViewSettings);
    sink.Add(new CmSvPB_StatusMonitor);
    sink.Add(new CmSvPB_FolionixLock);
    sink.Add(new CmSvPB_JobOperationsDetailSetting);
    sink.Add(new PDLSvCB_JobOperation);
}

void BuildPageSetupItems(ItemSink& sink) {
    sink.Add(new CmSvCB_ProfileList);
    sink.Add(new PDLSvCB_PageSize);
    sink.Add(new PDLSvCB_OutPutSize);
    sink.Add(new CmSvCB_PageOrder);
    sink.Add(new CmSvCB_Layout);
    sink.Add(new CmSvRB_Orientation);
    sink.Add(new CmSvCK_Stamp);
    sink.Add(new CmSvCB_StampSelect);
    sink.Add(new CmSvCK_Scaling);
    sink.Add(new CmSvDGT_ScalingRatio);
    sink.Add(new CmSvDGT_Copy);
    sink.Add(new CmSvPB_EditStamp);
    sink.Add(new CmSvPB_CustomPaper);
    sink.Add(new CmSvPB_PageOptions);
    sink.Add(new CmSvPB_PageDefault);
}
