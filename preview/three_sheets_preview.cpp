// `Basic3SheetsPreview`: the picture of the three main pages. It shows the sheet or the printer;
// what a page showed (mode, part kind and its three menu commands) is kept in the sheet's page
// state, so that a page opens again as it was left. In the printer picture a paper tray is chosen
// from the menu or by clicking it; the paper-source page then takes the focus to that tray's list.
#include "preview/page_picture_previews.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/devmode/model_section.h"
#include "model/pdl_data.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int kPaperSourcePage = 3;
constexpr int kFinishingPage = 2;
constexpr uint16_t kDefaultCommands[3] = {22817, 22800, 22803};
constexpr uint16_t kButtonlessModels[] = {1013, 1020, 1022, 1024, 2009, 2016, 2017, 2030, 2041, 2046, 2059, 2065, 2072};

}  // namespace

Basic3SheetsPreview::Basic3SheetsPreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind)
    : BasicPreview(control, ctx, settings, kind) {
    RestoreMode();
    KeepSubModeOnModeChange();
}

PageStateGroup* Basic3SheetsPreview::PageGroup() const {
    CmUserData* user = devData_ && devData_->svc ? devData_->svc->GetUserData(devData_) : nullptr;
    if (!user || kind_ < 1 || kind_ > 3) return nullptr;
    return &user->GetPageState()->pages[kind_ - 1];
}

BOOL Basic3SheetsPreview::RestoreMode() {
    const PageStateGroup* group = PageGroup();
    if (!group || group->mode == kNoStoredMode) {
        mode_ = kind_ == kPaperSourcePage ? 2 : 0;
        return TRUE;
    }
    mode_ = group->mode == 2 ? 2 : 0;  // a stored mode the page cannot show opens on the sheet
    return TRUE;
}

int Basic3SheetsPreview::SubModeOfTray(UINT command) {
    switch (command) {
    case 22815: return 8;
    case 22816: return 9;
    case 22817: return 7;
    case 22818: return 10;
    case 22819: return 11;
    case 22821: return 13;
    case 22822: return 12;
    default: return 0;
    }
}

int Basic3SheetsPreview::SheetSubMode() const { return kind_ == kFinishingPage ? 3 : 6; }

BOOL Basic3SheetsPreview::KeepSubModeOnModeChange() {
    if (const PageStateGroup* group = PageGroup()) {
        const uint16_t* c = group->commands;
        trayCommand_ = c[0] ? c[0] : kDefaultCommands[0];
        secondCommand_ = c[1] ? c[1] : kDefaultCommands[1];
        thirdCommand_ = c[2] ? c[2] : kDefaultCommands[2];
    }
    KeepCurrentTray();
    int kind = 0;
    if (mode_ == 0) kind = SheetSubMode();
    else if (mode_ == 2) kind = SubModeOfTray(trayCommand_);
    const int checked = CheckSubMode(kind);
    subMode_ = checked > 0 ? checked : kind;
    return TRUE;
}

void Basic3SheetsPreview::CancelTracking() {
    if (PageStateGroup* group = PageGroup()) {
        group->mode = static_cast<DWORD>(mode_);
        group->subMode = static_cast<DWORD>(subMode_);
        group->commands[0] = trayCommand_;
        group->commands[1] = secondCommand_;
        group->commands[2] = thirdCommand_;
    }
    BasicPreview::CancelTracking();
}

int Basic3SheetsPreview::CheckSubMode(int kind) {
    uint16_t mixed = 0;
    const bool mixedPaper = PrivateU16(devmode::model::kOutputWord, mixed) && mixed == 1;
    const bool sample = SampleSheet();
    const bool booklet = Option16(124) == 2;
    switch (kind) {
    case 0: return mode_ == 0 && !mixedPaper && !booklet && !sample ? 6 : 0;
    case 1: return !mixedPaper && !sample ? 6 : CmBasicPreview::CheckSubMode(kind);
    case 6: return mixedPaper || sample || booklet ? 0 : 6;
    case 2: case 3: case 4: case 5: return CmBasicPreview::CheckSubMode(kind);
    default: break;
    }
    if (kind < 7 || kind > 14) return kind;
    const int v = Option16(201);
    auto among = [v](std::initializer_list<int> set) { return std::find(set.begin(), set.end(), v) != set.end(); };
    bool stays = false;
    switch (kind) {
    case 7: stays = among({0, 1, 2, 4}); break;
    case 8: case 10: stays = among({1, 2}); break;
    case 9: stays = v == 2; break;
    case 11: stays = v == 4; break;
    case 12: case 13: stays = v == 3; break;
    default: stays = v == 5; break;  // 14
    }
    if (stays) return kind;
    if (among({0, 1, 2, 4})) return 7;
    return v == 3 ? 12 : v == 5 ? 14 : 0;
}

void Basic3SheetsPreview::KeepCurrentTray() {
    if (ModelDescription* model = Model()) model->currentTray = trayCommand_;
}

void Basic3SheetsPreview::SelectTray(UINT command) {
    trayCommand_ = static_cast<uint16_t>(command);
    KeepCurrentTray();
    subMode_ = SubModeOfTray(command);
    mode_ = 2;
    OnButtonPressed(1);
    Update();
}

void Basic3SheetsPreview::OnButtonPressed(int flag) {
    if (flag != 1 || kind_ != kPaperSourcePage || !parent_) return;
    int id = 0;
    switch (Option16(201)) {
    case 0: id = 10082; break;
    case 1: id = trayCommand_ == 22815 ? 10084 : trayCommand_ == 22818 ? 10088 : 10086; break;
    case 2:
        id = trayCommand_ == 22815 ? 10090 : trayCommand_ == 22816 ? 10092 : trayCommand_ == 22818 ? 10096 : 10094;
        break;
    case 3: id = trayCommand_ == 22821 ? 20822 : 10098; break;
    case 4: id = trayCommand_ == 22819 ? 10103 : 10105; break;
    case 5: id = 20847; break;
    default: return;
    }
    if (HWND c = GetDlgItem(parent_, id)) SetFocus(c);
}

BOOL Basic3SheetsPreview::GetStripIcons(UINT* ids, int* count) {
    if (!BasicPreview::GetStripIcons(ids, count)) return FALSE;
    // A model drawn as one picture has no printer icon beside the sheet.
    const ModelDescription* model = Model();
    if (model && model->singlePictureFlag && *count >= 2) {
        ids[1] = 0;
        *count -= 1;
    }
    return TRUE;
}

UINT Basic3SheetsPreview::GetSheetPictureId() {
    const int layout = Option16(124);
    if (layout == 2 || SampleSheet()) {
        const bool cover = Option16(132) != 0;
        return PublicWord(offsetof(DEVMODEA, dmOrientation)) == 2 ? (cover ? 4724 : 4723) : (cover ? 4726 : 4725);
    }
    const ModelDescription* model = Model();
    if (!model || !model->shortFormFlag) return BasicPreview::GetSheetPictureId();
    // The short form tells apart only the staple kind and the holes.
    const uint32_t f = static_cast<uint32_t>(Option32(190));
    if (f & 0x04) return (f & 0x20) ? 29329 : 29328;
    return (f & 0x01) ? 4708 : 4700;
}

UINT Basic3SheetsPreview::GetDevicePictureId() {
    return Option16(201) == 5 ? 29344u : BasicPreview::GetDevicePictureId();
}

BOOL Basic3SheetsPreview::HasPushButton() {
    if (mode_ != 2 || subMode_ == 13) return FALSE;
    if (TrayChoiceLocked()) return FALSE;
    const uint16_t model = static_cast<uint16_t>(devData_->svc->GetDeviceDataValue2(devData_));
    if (subMode_ == 12 && std::find(std::begin(kButtonlessModels), std::end(kButtonlessModels), model) !=
                              std::end(kButtonlessModels))
        return FALSE;
    return TRUE;
}

int Basic3SheetsPreview::SelectedSource() {
    switch (subMode_) {
    case 7: case 14: return PublicWord(offsetof(DEVMODEA, dmDefaultSource));
    case 8: case 11: return Option16(202, -1);
    case 9: return Option16(203, -1);
    case 10: return Option16(204, -1);
    case 12: return Option16(205, -1);
    case 13: return Option16(208, -1);
    default: return -1;
    }
}
