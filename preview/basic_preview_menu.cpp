// The picture's context menu: the page-layout and fold-over choices and the colour modes, each
// enabled, checked or removed as the rules and the settings say; a chosen command goes to the page
// as page messages.
#include "preview/basic_preview.h"

#include "core/device/item_restriction.h"
#include "core/device/service_table.h"

namespace {

constexpr uint32_t kKeyLayout = 0x10064;
constexpr uint32_t kKeyFoldOver = 0x10068;
constexpr uint32_t kKeyColour = 0x10074;
constexpr UINT kMenuWithFoldOver = 4449, kMenuWithoutFoldOver = 4450;
constexpr UINT kFirstLayoutCommand = 10460, kLastLayoutCommand = 10465;
constexpr UINT kColourCommands[3] = {10466, 10467, 10468};  // key values 2, 1, 0
constexpr int kColourValues[3] = {2, 1, 0};
constexpr UINT kColourSeparator = 10469;

}  // namespace

HMENU CmBasicPreview::BuildContextMenu() {
    if (mode_ != 0 || !Registry()) return nullptr;
    const UINT id = AnyShown(kKeyFoldOver) ? kMenuWithFoldOver : kMenuWithoutFoldOver;
    HMENU menu = devData_->svc->LoadMenu(devData_, id);
    if (menu) InitContextMenu(menu, id);
    return menu;
}

void CmBasicPreview::InitContextMenu(HMENU menu, UINT id) {
    if (id == kMenuWithFoldOver || id == kMenuWithoutFoldOver) UpdateMenuItems(menu);
}

void CmBasicPreview::UpdateMenuItems(HMENU menu) {
    const int layout = Option16(124);
    const int32_t flags = Option32(110);
    const int pagesCode = Option16(126);
    auto disable = [&](UINT id) { EnableMenuItem(menu, id, MF_BYCOMMAND | MF_GRAYED); };
    const bool allowed = IsItemAllowed(devData_, 15) && IsItemAllowed(devData_, 31) && IsItemAllowed(devData_, 32) &&
                         IsItemAllowed(devData_, 33);
    if (!allowed || !AnyEnabled(kKeyLayout)) {
        for (UINT id = kFirstLayoutCommand; id <= kLastLayoutCommand; ++id) disable(id);
    } else {
        const bool foldOver = AnyEnabled(kKeyFoldOver) != 0;
        const bool one = ValueEnabled(kKeyLayout, 1) != 0, two = ValueEnabled(kKeyLayout, 2) != 0;
        if (!foldOver) disable(10463);
        if (!one) disable(10461);
        if (!one || !foldOver) disable(10464);
        if (!two) disable(10462);
        if (!two || !foldOver) disable(10465);
    }
    if (layout != 2 && layout != 5) {
        UINT checked = 0;
        const UINT base = (flags & 1) ? 10463 : 10460;
        if (layout == 3) checked = pagesCode == 0 ? base + 1 : pagesCode == 1 ? base + 2 : 0;
        else checked = base;
        if (checked) CheckMenuItem(menu, checked, MF_BYCOMMAND | MF_CHECKED);
    }
    const bool colourShown = AnyShown(kKeyColour) != 0;
    bool shown[3], enabled[3];
    for (int i = 0; i < 3; ++i) {
        shown[i] = colourShown && ValueShown(kKeyColour, kColourValues[i]);
        enabled[i] = colourShown && ValueEnabled(kKeyColour, kColourValues[i]);
        if (!enabled[i]) disable(kColourCommands[i]);
    }
    for (int i = 0; i < 3; ++i)
        if (!shown[i]) DeleteMenu(menu, kColourCommands[i], MF_BYCOMMAND);
    if (!shown[0] && !enabled[1] && !enabled[2]) DeleteMenu(menu, kColourSeparator, MF_BYCOMMAND);
    switch (Option16(222)) {
    case 0: CheckMenuItem(menu, 10467, MF_BYCOMMAND | MF_CHECKED); break;
    case 1: CheckMenuItem(menu, 10466, MF_BYCOMMAND | MF_CHECKED); break;
    case 2: CheckMenuItem(menu, 10468, MF_BYCOMMAND | MF_CHECKED); break;
    default: break;
    }
}

BOOL CmBasicPreview::ShowContextMenu(int x, int y) {
    if (!interactive_ || !control_) return FALSE;
    HMENU menu = BuildContextMenu();
    if (!menu) return FALSE;
    ReleaseMouse();
    POINT at{x, y};
    ClientToScreen(control_, &at);
    HideTip();
    hotPart_ = -1;
    if (HMENU popup = GetSubMenu(menu, 0)) TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, control_, nullptr);
    DestroyMenu(menu);
    Update();
    return TRUE;
}

BOOL CmBasicPreview::OnMenuCommand(UINT id) {
    if (id >= kFirstLayoutCommand && id <= kLastLayoutCommand) {
        const UINT offset = id - kFirstLayoutCommand;
        SendRequest(kRequestLayout, offset % 3);
        SendRequest(kRequestFoldOver, offset / 3);
        return TRUE;
    }
    for (int i = 0; i < 3; ++i)
        if (id == kColourCommands[i]) return SendRequest(kRequestColour, i == 0 ? 1 : i == 1 ? 0 : 2);
    return FALSE;
}
