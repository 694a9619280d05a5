// Number field binding.
#include "settings/controls/digit.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>

namespace {

bool FitsShort(int32_t v) { return v >= INT16_MIN && v <= INT16_MAX; }

}  // namespace

int CmSvDigit::ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) {
    HWND edit = GetDlgItem(dialog, controlId);
    HWND spin = GetDlgItem(dialog, spinId);
    if (!edit || !spin) return 0;
    UpdateShow(ctx, dialog, onlyChanged, spinId);
    if (!onlyChanged) {
        // A range beyond 16 bits would be cut by the short form of the message.
        if (FitsShort(minimum) && FitsShort(maximum))
            SendMessageA(spin, UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(maximum), static_cast<WORD>(minimum)));
        else
            SendMessageA(spin, UDM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
        SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(textLimit), 0);
    }
    SetDlgItemInt(dialog, controlId, static_cast<UINT>(current), (signedFlag & 1) ? TRUE : FALSE);
    UpdateEnable(ctx, dialog, onlyChanged, spinId);
    return 1;
}

int CmSvDigit::FromDialog(UIDEVDATA*, HWND dialog, int32_t) {
    if (!GetDlgItem(dialog, controlId)) return 0;
    BOOL translated = FALSE;
    const bool isSigned = (signedFlag & 1) != 0;
    const UINT raw = GetDlgItemInt(dialog, controlId, &translated, isSigned ? TRUE : FALSE);
    if (!translated) return 0;
    const int64_t typed = isSigned ? static_cast<int64_t>(static_cast<int32_t>(raw)) : static_cast<int64_t>(raw);
    if (typed < minimum || typed > maximum || typed == current) return 0;
    current = static_cast<int32_t>(typed);
    return 1;
}

int CmSvDigit::OnDeltaPos(UIDEVDATA*, HWND dialog, NMUPDOWN* updown) {
    if (!updown || updown->iDelta == 0 || !GetDlgItem(dialog, controlId) || maximum < minimum) return 0;
    // The arrows step from what the field shows; a field that cannot be read steps from the value
    // the item holds.
    BOOL translated = FALSE;
    const bool isSigned = (signedFlag & 1) != 0;
    const UINT raw = GetDlgItemInt(dialog, controlId, &translated, isSigned ? TRUE : FALSE);
    int64_t shown = isSigned ? static_cast<int64_t>(static_cast<int32_t>(raw)) : static_cast<int64_t>(raw);
    if (!translated) shown = current;
    shown = std::clamp<int64_t>(shown, minimum, maximum);
    const auto stepped = static_cast<int32_t>(std::clamp<int64_t>(shown + (updown->iDelta > 0 ? 1 : -1), minimum, maximum));
    const bool changed = stepped != current;
    // The value first: the field's change notice then finds nothing new to take.
    current = stepped;
    SetDlgItemInt(dialog, controlId, static_cast<UINT>(stepped), isSigned ? TRUE : FALSE);
    return changed ? 1 : 0;
}
