// Mouse tracking over a picture and the clicks on its parts: the control captures the mouse while
// it is over the picture, highlights the part under it (repainting only when the part changes),
// and on the release of the left button runs the part's action, which asks the page for the
// setting by the page message or presses one of the page's controls.
#include "preview/basic_preview.h"

#include "core/device/service_table.h"

namespace {

constexpr uint32_t kKeyLayout = 0x10064;
constexpr uint32_t kKeyColour = 0x10074;
constexpr int kLeftControl = 10037, kRightControl = 10039;

}  // namespace

void CmBasicPreview::InvalidatePart(int index, bool pressed) {
    if (index < 0 || index >= partCount_ || !control_) return;
    const RECT& r = parts_[index].drawRect;
    RECT area;
    if (pressed)
        area = {r.left * zoom_ / 100, r.top * zoom_ / 100, r.right * zoom_ / 100 + 1, r.bottom * zoom_ / 100 + 1};
    else
        area = {(r.left + 1) * zoom_ / 100, (r.top + 1) * zoom_ / 100, (r.right + 2) * zoom_ / 100 + 1,
                (r.bottom + 2) * zoom_ / 100 + 1};
    InvalidateRect(control_, &area, FALSE);
}

LRESULT CmBasicPreview::OnMouse(UINT msg, WPARAM, LPARAM lParam) {
    if (!control_) return 0;
    const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
    lastMouseX_ = x;
    lastMouseY_ = y;
    if (!(trackFlags_ & 1)) {
        SetCapture(control_);
        trackFlags_ |= 1;
    } else {
        const SIZE size = GetPictureSize();
        if (x < 0 || x > size.cx || y < 0 || y > size.cy) {
            HideTip();
            ReleaseMouse();
            trackFlags_ &= static_cast<uint8_t>(~3u);
        }
    }
    // Parts are laid out by every update and paint; a hover changes nothing else, so that only a
    // change of the part under the mouse repaints.
    const int part = (trackFlags_ & 1) ? HitTest(x, y) : -1;
    UpdateCursor(part);
    if (part != hotPart_) {
        HideTip();
        InvalidatePart(part, false);
        InvalidatePart(hotPart_, false);
        hotPart_ = part;
        UpdateWindow(control_);
        if (part >= 0) ShowTooltip(part);
    }
    BOOL handled = FALSE;
    switch (msg) {
    case WM_LBUTTONDOWN: handled = OnLButtonDown(x, y); break;
    case WM_LBUTTONUP: handled = OnLButtonUp(x, y); break;
    case WM_RBUTTONUP: handled = ShowContextMenu(x, y); break;
    default: handled = OnOtherMouse(msg, x, y); break;
    }
    return handled ? 1 : 0;
}

BOOL CmBasicPreview::OnLButtonDown(int, int) {
    trackFlags_ |= 2;
    if (hotPart_ >= 0 && (parts_[hotPart_].flags & (kPartPressedLook | kPartStateA | kPartStateB))) {
        InvalidatePart(hotPart_, true);
        UpdateWindow(control_);
    }
    return FALSE;
}

BOOL CmBasicPreview::OnLButtonUp(int, int) {
    trackFlags_ &= static_cast<uint8_t>(~2u);
    if (hotPart_ < 0 || hotPart_ >= partCount_) return FALSE;
    HideTip();
    const uint16_t flags = parts_[hotPart_].flags;
    const bool button = (flags & (kPartButtonLook | kPartPressedLook)) != 0;
    BOOL result = FALSE;
    if (flags & kPartMode) result = ResetSubMode();
    else if (flags & kPartClick) result = OnPartClicked();
    else if (flags & kPartStateA) result = ToggleStateA();
    else if (flags & kPartStateB) result = CycleStateB();
    else if (flags & kPartCommand) result = OnCommandPart();
    else if ((flags & kPartButton) && button) result = OnButtonPart();
    else if ((flags & kPartToggle) && button) result = OnTogglePart();
    // Only an action that asked for a tip again shows one.
    if ((trackFlags_ & 4) && !tipWindow_ && control_) {
        tipWindow_ = CreateUtilityTipWindow(&tipRequest_);
        if (tipWindow_) {
            SetCapture(control_);
            trackFlags_ |= 1 | 4;
        } else {
            trackFlags_ &= static_cast<uint8_t>(~4u);
        }
    }
    return result;
}

BOOL CmBasicPreview::ResetSubMode() {
    mode_ = parts_[hotPart_].value;
    if (!KeepSubModeOnModeChange()) subMode_ = 0;
    Update();
    return TRUE;
}

BOOL CmBasicPreview::OnPartClicked() {
    BOOL acted = FALSE;
    switch (subMode_) {
    case 1: acted = OnSheetPartClicked(); break;
    case 3: acted = OnBindingPartClicked(); break;
    case 4: acted = OnPositionPartClicked(); break;
    case 5: acted = OnNavigationPartClicked(); break;
    case 6: acted = OnFinishingPartClicked(); break;
    default: break;
    }
    if (acted) Update();
    return acted;
}

BOOL CmBasicPreview::OnSheetPartClicked() {
    const int layout = Option16(124);
    // The choice is asked again here: the rules may have disabled it since the layout.
    if (layout == 0 || layout == 1) return ValueEnabled(kKeyLayout, 1) ? SendRequest(kRequestLayout, 1) : FALSE;
    if (layout == 3 && Option16(126) == 0) return ValueEnabled(kKeyLayout, 2) ? SendRequest(kRequestLayout, 2) : FALSE;
    return ValueEnabled(kKeyLayout, 0) ? SendRequest(kRequestLayout, 0) : FALSE;
}

BOOL CmBasicPreview::OnBindingPartClicked() { return SendRequest(kRequestBinding, parts_[hotPart_].value); }

BOOL CmBasicPreview::OnPositionPartClicked() { return SendRequest(kRequestPosition, parts_[hotPart_].value); }

BOOL CmBasicPreview::OnNavigationPartClicked() {
    const int id = parts_[hotPart_].value == 0 ? kRightControl : parts_[hotPart_].value == 1 ? kLeftControl : 0;
    HWND c = id && parent_ ? GetDlgItem(parent_, id) : nullptr;
    if (!c || !IsWindowEnabled(c)) return FALSE;
    ReleaseMouse();
    PostMessageA(parent_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(c));
    return TRUE;
}

BOOL CmBasicPreview::OnFinishingPartClicked() {
    const PicturePart& p = parts_[hotPart_];
    switch (p.value) {
    case 1: return OnSheetPartClicked();
    case 2: return p.extra >= 2 && p.extra <= 5 ? SendRequest(kRequestBinding, static_cast<DWORD>(p.extra - 2)) : FALSE;
    case 3:
        return p.extra >= 11 && p.extra <= 18 ? SendRequest(kRequestPosition, static_cast<DWORD>(p.extra - 11)) : FALSE;
    default: return FALSE;
    }
}

BOOL CmBasicPreview::ToggleStateA() {
    if (Option16(124) == 2) return FALSE;
    SendRequest(kRequestFoldOver, (Option32(110) & 1) ? 0 : 1);
    Update();
    return TRUE;
}

BOOL CmBasicPreview::CycleStateB() {
    // Option 222 values 0, 1, 2 are the key's values 1, 2, 0: the picture steps through them and
    // skips one the rules disabled.
    int send = -1;
    switch (Option16(222)) {
    case 0: send = ValueEnabled(kKeyColour, 2) ? 1 : ValueEnabled(kKeyColour, 0) ? 2 : -1; break;
    case 1: send = ValueEnabled(kKeyColour, 0) ? 2 : ValueEnabled(kKeyColour, 1) ? 0 : -1; break;
    case 2: send = ValueEnabled(kKeyColour, 1) ? 0 : ValueEnabled(kKeyColour, 2) ? 1 : -1; break;
    default: break;
    }
    if (send < 0) return FALSE;
    SendRequest(kRequestColour, static_cast<DWORD>(send));
    Update();
    return TRUE;
}

BOOL CmBasicPreview::OnButtonPart() {
    int tray = -1;
    switch (subMode_) {
    case 7: case 14: tray = 0; break;
    case 8: tray = 1; break;
    case 9: tray = 2; break;
    case 10: tray = 3; break;
    case 11: tray = 4; break;
    case 12: tray = 6; break;
    case 13: tray = 5; break;
    default: return FALSE;
    }
    const int index = hotPart_;
    SendRequest(kRequestTray, static_cast<DWORD>(tray), parts_[index].value);
    if (index < partCount_ && (parts_[index].flags & kPartPressedLook)) InvalidatePart(index, true);
    OnButtonPressed(1);
    Update();
    return TRUE;
}

BOOL CmBasicPreview::OnTogglePart() {
    const bool acts = parts_[hotPart_].extra == 1;
    if (acts) SendRequest(kRequestToggle, (Option32(200) & 1) ? 0 : 1);
    Update();
    return acts;
}

BOOL CmBasicPreview::OnCommandPart() {
    const int id = parts_[hotPart_].value;
    ReleaseMouse();
    HWND c = parent_ ? GetDlgItem(parent_, id) : nullptr;
    PostMessageA(parent_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(c ? c : control_));
    return TRUE;
}
