// Push button and check box bindings.
#include "settings/controls/buttons.h"

#include "core/helpers/drawing.h"

namespace {

constexpr int kButtonFaceIndex = COLOR_BTNFACE;  // background index of the button pictures

}  // namespace

int CmSvPushButton::ToDialog(UIDEVDATA*, HWND dialog, int onlyChanged) {
    HWND button = GetDlgItem(dialog, controlId);
    if (!button) return 0;
    ShowThenEnable(dialog, onlyChanged, button);
    return 1;
}

int CmSvPushButton::FromDialog(UIDEVDATA*, HWND dialog, int32_t) {
    if (!GetDlgItem(dialog, controlId)) return 0;
    current = 1;
    return 1;
}

int CmSvPushButton::DrawItem(UIDEVDATA* ctx, HWND, int32_t, DRAWITEMSTRUCT* draw) {
    if (!draw) return 0;
    UINT step = 0;
    if (draw->itemState & ODS_SELECTED)
        step = 1;
    else if (draw->itemState & ODS_FOCUS)
        step = 2;
    else if (draw->itemState & ODS_DISABLED)
        step = 3;
    DrawMaskedBitmap(ctx, draw->hDC, draw->rcItem.left, draw->rcItem.top, bitmapId + step, maskId + step,
                     kButtonFaceIndex);
    return 1;
}

int CmSvCheckBox::ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) {
    HWND box = GetDlgItem(dialog, controlId);
    if (!box) return 0;
    UpdateShow(ctx, dialog, onlyChanged, 0);
    if (shown) SendMessageA(box, BM_SETCHECK, current == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
    UpdateEnable(ctx, dialog, onlyChanged, 0);
    return 1;
}

int CmSvCheckBox::FromDialog(UIDEVDATA*, HWND dialog, int32_t) {
    HWND box = GetDlgItem(dialog, controlId);
    if (!box) return 0;
    const int32_t read = SendMessageA(box, BM_GETCHECK, 0, 0) != BST_UNCHECKED ? 1 : 0;
    if (read == (current == 1 ? 1 : 0)) return 0;
    current = read;
    return 1;
}
