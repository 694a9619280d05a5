// Text field binding.
#include "settings/controls/text_field.h"

#include "core/memory/pool_text.h"

#include <cstring>

int CmSvText::ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) {
    HWND edit = GetDlgItem(dialog, controlId);
    if (!edit) return 0;
    UpdateShow(ctx, dialog, onlyChanged, controlId);
    if (shown) {
        SetDlgItemTextA(dialog, controlId, current ? current : "");
        SendMessageA(edit, EM_SETREADONLY, third == 1 ? TRUE : FALSE, 0);
    }
    UpdateEnable(ctx, dialog, onlyChanged, controlId);
    return 1;
}

int CmSvText::FromDialog(UIDEVDATA*, HWND dialog, int32_t) {
    if (!GetDlgItem(dialog, controlId) || !current || maxSize == 0) return 0;
    char* read = NewPoolText(maxSize);
    if (!read) return 0;
    GetDlgItemTextA(dialog, controlId, read, static_cast<int>(maxSize));
    int changed = 0;
    if (std::strcmp(read, current) != 0 && SetText(read)) changed = 1;
    FreePoolText(read);
    return changed;
}
