// Builders of the finishing page's set and of its dialogs' sets.
#include "items/pdl/finishing_item_sets.h"

#include "items/common/booklet_items.h"
#include "items/common/gutter_margin.h"

int PDLSvCK_Rotate::Preview(UIDEVDATA*, intptr_t, intptr_t, intptr_t, intptr_t) {
    if (enabled != 1 || third == 1 || available == 0) return 0;
    current = current == 1 ? 0 : 1;
    return 1;
}

void PDLSvRB_Position::AfterOrientation(UIDEVDATA* ctx) { DefaultPointForBinding(ctx); }

void BuildFinishingItems(ItemSink& sink) {
    sink.Add(new CmSvCB_BindDirect);
    sink.Add(new CmSvCK_CenterFoldStaple);
    sink.Add(new CmSvCK_Staple);
    sink.Add(new CmSvCK_Punch);
    sink.Add(new CmSvCK_Zfold);
    sink.Add(new CmSvCK_JobSpooling);
    sink.Add(new PDLSvCK_Rotate);
    sink.Add(new CmSvPB_Staple);
    sink.Add(new CmSvPB_DeviceSetting);
    sink.Add(new CmSvPB_Margin);
    sink.Add(new CmSvPB_BookletOptions);
    sink.Add(new CmSvPB_FinishDefault);
    sink.Add(new CmSvMulti_FinishingMethod);
}

void BuildBookletItems(ItemSink& sink) {
    sink.Add(new CmSvRB_PrintingMethod);
    sink.Add(new CmSvDGT_SheetPerSets);
    sink.Add(new CmSvCB_BookletBindingLocation);
    sink.Add(new CmSvCK_UseMargin);
    sink.Add(new CmSvDGT_BookletMargin);
    sink.Add(new CmSvPB_BookletOK);
    sink.Add(new CmSvPB_BookletCancel);
}

void BuildGutterMarginItems(ItemSink& sink) {
    sink.Add(new CmSvDGT_MarginSet);
    sink.Add(new CmSvPB_MarginOK);
    sink.Add(new CmSvPB_MarginCancel);
}

void BuildStaplePositionItems(ItemSink& sink) {
    sink.Add(new PDLSvRB_Position);
    sink.Add(new CmSvPB_StapleOK);
    sink.Add(new CmSvPB_StapleCancel);
}
