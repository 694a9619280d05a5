// Radio group binding.
#include "settings/controls/radio_buttons.h"

#include "core/helpers/dialog_helpers.h"

int CmSvRadioButton::ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) {
    if (!GetDlgItem(dialog, controlId)) return 0;
    UpdateShow(ctx, dialog, onlyChanged, 0);
    const CmSvOptionRecord* first = Row(0);
    const CmSvOptionRecord* last = count ? Row(count - 1) : nullptr;
    const CmSvOptionRecord* chosen = CurrentRow();
    if (shown && first && last && chosen) CheckRadioButton(dialog, first->control_id, last->control_id, chosen->control_id);
    for (uint32_t i = 0; i < count; ++i) {
        const CmSvOptionRecord& row = table[i];
        if (!row.control_id) continue;
        if (shown && row.shown == 1) {
            ShowDlgItem(dialog, row.control_id, TRUE);
            EnableDlgItem(dialog, row.control_id, enabled == 1 && row.enabled == 1);
        } else {
            ShowDlgItem(dialog, row.control_id, FALSE);
        }
    }
    UpdateEnable(ctx, dialog, onlyChanged, 0);
    return 1;
}

int CmSvRadioButton::FromDialog(UIDEVDATA*, HWND dialog, int32_t id) {
    if (!GetDlgItem(dialog, controlId)) return 0;
    const uint16_t button = static_cast<uint16_t>(id);
    for (uint32_t i = 0; i < count; ++i) {
        if (static_cast<uint16_t>(table[i].control_id) != button) continue;
        if (i == current) return 0;
        current = i;
        return 1;
    }
    return 0;
}
