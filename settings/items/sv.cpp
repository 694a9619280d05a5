// The value text of objects without a value.
#include "settings/items/sv.h"

#include "core/memory/pool_text.h"

char* CmSv::GetValueText(UIDEVDATA*) { return CopyPoolText("_"); }
char* CmSv::GetChangeText(UIDEVDATA* ctx) { return CmSv::GetValueText(ctx); }
