// The links between a page's items and their sheet.
#include "items/common/item_links.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"

#include <cstring>

bool Named(const char* argument, const char* name) { return argument && std::strcmp(argument, name) == 0; }

const uint8_t* SheetSettingsOf(UIDEVDATA* ctx) {
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    return user ? user->GetSettingsSource() : nullptr;
}

void SetPartnerSwitch(UIDEVDATA* ctx, CmSvOnOff& partner, int32_t value) {
    if (partner.current == value) return;
    partner.current = value;
    if (CmSvConflict* registry = RegistryOf(ctx)) registry->NotePartnerChange(&partner);
}

int AnswerChangedChoice(CmSvMulti& item, PieValue* out) {
    item.flags |= CmSvItem::kChangedByRules;
    if (out) {
        const CmSvOptionRecord* row = item.CurrentRow();
        out->type = kSvTypeString;
        out->value = reinterpret_cast<intptr_t>(row ? row->name : nullptr);
    }
    return 1;
}
