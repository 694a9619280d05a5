// Construction of the items of sets 80 and 81, in item-id order.
#include "items/pdl/value_item_sets.h"

#include "items/common/devmode_flag_items.h"
#include "items/common/spec_items.h"
#include "items/common/spec_lists.h"
#include "items/pdl/pdl_docprop.h"
#include "items/pdl/pdl_form_table.h"
#include "items/pdl/pdl_paper_source_table.h"

#include <algorithm>

namespace {

template <typename T>
bool Add(PoolVector<CmSv*>& items) {
    items.push_back(new T);
    return true;
}

void SortById(PoolVector<CmSv*>& items, size_t from) {
    std::sort(items.begin() + static_cast<std::ptrdiff_t>(from), items.end(),
              [](const CmSv* a, const CmSv* b) { return a->itemId < b->itemId; });
}

}  // namespace

bool MakeSpecItems(PoolVector<CmSv*>& items) {
    const size_t from = items.size();
    bool ok = true;
#define ADD_FLAG(Name, ...) ok = ok && Add<CmSvOnOff_##Name>(items);
#define ADD_NUMBER(Name, ...) ok = ok && Add<CmSvNumeric_##Name>(items);
#define ADD_TEXT(Name, ...) ok = ok && Add<CmSvString_##Name>(items);
#define ADD_CHOICE(Name, ...) ok = ok && Add<CmSvMulti_##Name>(items);
    SPEC_FLAG_ITEMS(ADD_FLAG)
    SPEC_NUMBER_ITEMS(ADD_NUMBER)
    SPEC_TEXT_ITEMS(ADD_TEXT)
    SPEC_CHOICE_ITEMS(ADD_CHOICE)
#undef ADD_FLAG
#undef ADD_NUMBER
#undef ADD_TEXT
#undef ADD_CHOICE
    ok = ok && Add<CmSvMulti_ExpStorage>(items) && Add<CmSvMulti_Grayout>(items) && Add<CmSvMulti_PaperSource>(items) &&
         Add<CmSvMulti_Paper>(items) && Add<CmSvMulti_PaperType>(items) && Add<CmSvMulti_PaperDestination>(items) &&
         Add<CmSvMulti_FshFolds>(items) && Add<CmSvMulti_TonerSave>(items) && Add<CmSvMulti_SmoothingMode>(items) &&
         Add<CmSvMulti_DitherSmoothingMode>(items) && Add<CmSvMulti_HalfTone>(items) &&
         Add<CmSvMulti_HalfToneObj>(items) && Add<CmSvMulti_ExpRam>(items);
    SortById(items, from);
    return ok;
}

bool MakeAppDocItems(PoolVector<CmSv*>& items) {
    const size_t from = items.size();
    bool ok = true;
#define ADD_CLASS(Class, ...) ok = ok && Add<Class>(items);
    DEVMODE_FLAG_ITEMS(ADD_CLASS)
    DEVMODE_CHOICE_ITEMS(ADD_CLASS)
    APP_INFO_ITEMS(ADD_CLASS)
    DOCPROP_FLAG_ITEMS(ADD_CLASS)
#undef ADD_CLASS
    ok = ok && Add<CmSvMulti_DispMode>(items) && Add<CmSvMulti_SheetType>(items) &&
         Add<CmSvString_loginname>(items) && Add<CmSvNumeric_SDKVersion>(items) &&
         Add<CmSvNumeric_SecurityLevel>(items) && Add<PDLSvMulti_FormTable>(items) &&
         Add<PDLSvMulti_PaperSourceTable>(items) && Add<PDLSvOnOff_DocPropFolionixSW>(items) &&
         Add<CmSvOnOff_DocPropDontDisplayUI>(items) && Add<CmSvOnOff_DocPropRepealLockButtonSetting>(items) &&
         Add<CmSvOnOff_DocPropJobCopies>(items) && Add<CmSvOnOff_DocPropMultiBinder>(items) &&
         Add<CmSvMulti_DocPropSpoolSetting>(items) && Add<CmSvMulti_SettingForApps>(items);
    SortById(items, from);
    return ok;
}
