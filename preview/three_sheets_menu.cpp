// The menus of the three main pages' picture. On the printer the menu lists the tray lists of the
// paper-source page (the lists the selection does not show greyed, the one shown checked) and what
// the sheet picture shows of the finishing: the binding edge or the staple positions, and normal
// printing, folded over or booklet as the rules allow; a model whose covers come from a second
// tray list has its own menu. On the sheet the engine's menu serves, without the layout choices of
// a sample sheet.
#include "preview/page_picture_previews.h"

#include "core/device/service_table.h"
#include "core/devmode/model_section.h"
#include "model/pdl_data.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr UINT kTrayMenu = 30002, kOneSourceMenu = 30003, kSecondTrayMenu = 30005;
constexpr UINT kTrayCommands[] = {22815, 22816, 22817, 22818, 22819, 22821, 22822};
constexpr UINT kShowBinding = 22803, kShowStaples = 22804;
constexpr UINT kNormal = 22805, kFoldedOver = 22806, kBooklet = 22807;
constexpr uint32_t kKeyBinding = 0x10072;
constexpr uint32_t kKeyFinishing = 0x1007f;
constexpr uint32_t kKeyFoldOver = 0x10068;
constexpr uint32_t kKeyBooklet = 0x1006b;

bool IsPrinterMenu(UINT id) { return id == kTrayMenu || id == kOneSourceMenu || id == kSecondTrayMenu; }

}  // namespace

BOOL Basic3SheetsPreview::OnMenuCommand(UINT id) {
    static constexpr UINT kFinishingCommands[] = {22802, 22808, 22810, 22811, 22812, 22813,
                                                  22814, 22823, 22824, 22826, kNormal, kFoldedOver, kBooklet};
    if (std::find(std::begin(kFinishingCommands), std::end(kFinishingCommands), id) != std::end(kFinishingCommands)) {
        SendRequest(kRequestCommand, id);
        return TRUE;
    }
    if (id == kShowBinding || id == kShowStaples) {
        // The sheet with the binding edges or the staple positions to click.
        thirdCommand_ = static_cast<uint16_t>(id);
        mode_ = 0;
        subMode_ = id == kShowBinding ? 3 : 4;
        Update();
        return TRUE;
    }
    if (SubModeOfTray(id) != 0) {
        SelectTray(id);
        return TRUE;
    }
    return BasicPreview::OnMenuCommand(id);
}

HMENU Basic3SheetsPreview::BuildContextMenu() {
    if (mode_ != 2) return BasicPreview::BuildContextMenu();
    const ModelDescription* model = Model();
    UINT id = kTrayMenu;
    if (Option16(124) == 2 || SampleSheet()) id = kOneSourceMenu;
    else if (model && model->secondTrayList) id = kSecondTrayMenu;
    HMENU menu = devData_->svc->LoadMenu(devData_, id);
    if (menu) InitContextMenu(menu, id);
    return menu;
}

void Basic3SheetsPreview::InitContextMenu(HMENU menu, UINT id) {
    if (!IsPrinterMenu(id)) {
        BasicPreview::InitContextMenu(menu, id);
        if (SampleSheet())
            for (UINT c = 10460; c <= 10465; ++c) {
                EnableMenuItem(menu, c, MF_BYCOMMAND | MF_GRAYED);
                CheckMenuItem(menu, c, MF_BYCOMMAND | MF_UNCHECKED);
            }
        return;
    }
    // A tray list the page does not show for the current selection cannot be chosen.
    for (UINT c : kTrayCommands) {
        const int kind = SubModeOfTray(c);
        const bool offered = CheckSubMode(kind) == kind;
        EnableMenuItem(menu, c, MF_BYCOMMAND | (offered ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(menu, c, MF_BYCOMMAND | (c == trayCommand_ ? MF_CHECKED : MF_UNCHECKED));
    }
    InitFinishingCommands(menu);
}

void Basic3SheetsPreview::InitFinishingCommands(HMENU menu) {
    thirdCommand_ = subMode_ == 3 ? kShowBinding : subMode_ == 4 ? kShowStaples : 0;
    auto grey = [&](UINT c) { EnableMenuItem(menu, c, MF_BYCOMMAND | MF_GRAYED); };
    auto check = [&](UINT c) { CheckMenuItem(menu, c, MF_BYCOMMAND | MF_CHECKED); };
    const bool bindingOn = AnyEnabled(kKeyBinding) != 0;
    uint16_t mixed = 0;
    const bool staplesOn = !(PrivateU16(devmode::model::kOutputWord, mixed) && mixed == 1) &&
                           ValueEnabled(kKeyFinishing, 3) != 0;
    if (!bindingOn) grey(kShowBinding);
    if (!staplesOn) {
        grey(kShowStaples);
    } else if (!bindingOn) {
        thirdCommand_ = kShowStaples;  // the one view that can be shown
    }
    const ModelDescription* model = Model();
    if (!model || !model->staplePictureFlag) {
        DeleteMenu(menu, kShowStaples, MF_BYCOMMAND);
        thirdCommand_ = kShowBinding;
    }
    if (!model || !model->secondFinishingPictureFlag) {
        DeleteMenu(menu, kFoldedOver, MF_BYCOMMAND);
        DeleteMenu(menu, kBooklet, MF_BYCOMMAND);
    }
    if (thirdCommand_ == kShowBinding || thirdCommand_ == kShowStaples) check(thirdCommand_);
    if (!AnyEnabled(kKeyBooklet)) grey(kBooklet);
    if (Option16(201) == 4) grey(kNormal);
    if (!AnyEnabled(kKeyFoldOver)) grey(kFoldedOver);
    if (Option16(124) == 2) check(kBooklet);
    else check((Option32(110) & 1) ? kFoldedOver : kNormal);
}
