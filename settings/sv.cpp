// The value text of objects without a value.
#include "settings/sv.h"

#include "core/pool_text.h"

char* CmSv::GetValueText(UIDEVDATA*) { return CopyPoolText("_"); }
char* CmSv::GetChangeText(UIDEVDATA* ctx) { return CmSv::GetValueText(ctx); }
