// The media dialog: the model's media library by group, and on OK the chosen media checked
// against the settings and written to the pair its opener named (main paper, a further slot, a
// cover).
#include "features/feature_pages.h"

#include "core/devmode/model_section.h"
#include "core/device/service_table.h"
#include "data/resources/drvopui_ids.h"
#include "features/list_view_rows.h"
#include "features/media_checks.h"
#include "model/media_table.h"
#include "ui/cm_message.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

namespace model = devmode::model;

constexpr UINT kMsgMedia = 1147;
constexpr UINT kStringAllMedia = 9637, kStringGroup = 9638, kStringColumnMedia = 9639, kStringColumnType = 9640;
constexpr int kNameWidth = 260, kTypeWidth = 60;
constexpr LPARAM kAllGroups = -1;
constexpr DWORD kOptionLayoutFlags = 110, kOptionLayout = 124, kOptionBinding = 130, kOptionFinishing = 190;
constexpr DWORD kOptionPreviewValue = 201;
constexpr uint16_t kClearedOnMain = 0x20 | 0x40 | 0x80;
constexpr uint16_t kPairFlag = 0x20;
constexpr uint16_t kPrivatePairTest = 0x2;

// The model's library media, in the order of its list.
std::vector<const MediaRecord*> LibraryMedia(uint16_t modelCode, const ModelDescription& d) {
    std::vector<const MediaRecord*> media;
    const MediaRecord* table = MediaTable_ForModel(modelCode);
    for (const uint16_t* id = d.mediaLibraryList; id && *id; ++id)
        if (const int at = MediaTable_IndexOf(*id, modelCode); at >= 0) media.push_back(&table[at]);
    return media;
}

}  // namespace

MediaLibrarySettingsProc::MediaLibrarySettingsProc() : PDLSvProc(kMediaLibraryDialogKind, 10861) {}

BOOL MediaLibrarySettingsProc::OnInitDialog() {
    const BOOL answer = PDLSvProc::OnInitDialog();
    HWND groups = GetDlgItem(Dialog(), IDC_ML_GROUP);
    LRESULT at = SendMessageA(groups, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(String(kStringAllMedia).c_str()));
    SendMessageA(groups, CB_SETITEMDATA, WPARAM(at), kAllGroups);
    ModelDescription d{};
    const uint16_t modelCode = uint16_t(Request()->svc->GetDeviceDataValue2(Request()));
    std::vector<uint16_t> keys;
    if (Model(d))
        for (const MediaRecord* m : LibraryMedia(modelCode, d))
            if (std::find(keys.begin(), keys.end(), m->groupKey) == keys.end()) keys.push_back(m->groupKey);
    for (uint16_t key : keys) {
        char text[64] = {};
        std::snprintf(text, sizeof text, String(kStringGroup).c_str(), int(key));
        at = SendMessageA(groups, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageA(groups, CB_SETITEMDATA, WPARAM(at), LPARAM(key));
    }
    SendMessageA(groups, CB_SETCURSEL, 0, 0);
    HWND list = GetDlgItem(Dialog(), IDC_ML_MEDIA);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    AddListColumn(list, 0, String(kStringColumnMedia), kNameWidth);
    AddListColumn(list, 1, String(kStringColumnType), kTypeWidth);
    FillMedia();
    return answer;
}

void MediaLibrarySettingsProc::FillMedia() {
    HWND list = GetDlgItem(Dialog(), IDC_ML_MEDIA);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    const LRESULT choice = SendDlgItemMessageA(Dialog(), IDC_ML_GROUP, CB_GETCURSEL, 0, 0);
    const LPARAM group = choice < 0 ? kAllGroups : SendDlgItemMessageA(Dialog(), IDC_ML_GROUP, CB_GETITEMDATA, WPARAM(choice), 0);
    ModelDescription d{};
    if (!Model(d)) return;
    const uint16_t modelCode = uint16_t(Request()->svc->GetDeviceDataValue2(Request()));
    // The media the settings hold for this dialog's target is selected when it is listed.
    uint16_t current = kNoMedia;
    const size_t target = size_t(std::clamp<LPARAM>(SheetData() ? SheetData()->parameter : 0, 0, 6));
    Section().u16(model::kMediaPairs + 4 * target, current);
    for (const MediaRecord* m : LibraryMedia(modelCode, d)) {
        if (group != kAllGroups && m->groupKey != group) continue;
        const int row = AddListRow(list, {m->name, std::to_string(m->mediaType)}, LPARAM(m->mediaId));
        if (row >= 0 && m->mediaId == current) SelectListRow(list, row);
    }
}

bool MediaLibrarySettingsProc::Apply() {
    HWND list = GetDlgItem(Dialog(), IDC_ML_MEDIA);
    const std::vector<int> rows = SelectedListRows(list);
    if (rows.empty()) return true;  // nothing chosen: nothing to check or write
    const uint16_t modelCode = uint16_t(Request()->svc->GetDeviceDataValue2(Request()));
    const int at = MediaTable_IndexOf(uint16_t(ListRowData(list, rows.front())), modelCode);
    if (at < 0) return true;
    const MediaRecord& media = MediaTable_ForModel(modelCode)[at];
    MutableByteView section = Section();
    MediaCheckSettings s;
    s.model = modelCode;
    s.option110 = Option(kOptionLayoutFlags);
    s.option124 = Option(kOptionLayout);
    s.option130 = Option(kOptionBinding);
    s.option190 = Option(kOptionFinishing);
    section.u16(model::kFlags40, s.flags);
    section.u8(model::kCurrentPaperByte, s.currentPaper);
    if (!MediaSuitsSettings(s, media)) return false;

    const LPARAM target = SheetData() ? SheetData()->parameter : kMediaTargetMain;
    if (target < 0 || size_t(target) >= model::kMediaPairCount) return true;
    section.put_u16(model::kMediaPairs + 4 * size_t(target), media.mediaId);
    section.put_u16(model::kMediaPairs + 4 * size_t(target) + 2, media.mediaType);
    if (target == kMediaTargetFrontCover || target == kMediaTargetBackCover) {
        uint16_t cover = 0;
        section.u16(model::kCoverFlags, cover);
        section.put_u16(model::kCoverFlags, uint16_t(cover & ~(0x10 << (target - kMediaTargetFrontCover))));
    } else if (target == kMediaTargetMain) {
        const uint16_t preview = Option(kOptionPreviewValue);
        uint16_t flags = s.flags, privateFlags = 0;
        section.u16(model::kPrivateFlags, privateFlags);
        if (preview == 0) {
            flags &= uint16_t(~kClearedOnMain);
            if ((privateFlags & kPrivatePairTest) && MediaLibrary_PairTest(modelCode, media.mediaType)) flags |= kPairFlag;
        } else if (preview != 5) {
            flags = 0;
        }
        section.put_u16(model::kFlags40, flags);
    }
    return true;
}

BOOL MediaLibrarySettingsProc::OnCommand(WORD id, WORD code) {
    switch (id) {
    case IDC_ML_GROUP:
        if (code == CBN_SELCHANGE) FillMedia();
        return TRUE;
    case IDC_ML_LIBRARY:
        // The device's own library is kept by the device configuration; the list is read again.
        if (code == BN_CLICKED) FillMedia();
        return TRUE;
    case IDOK:
        if (!Apply()) {
            if (CmMessage* messages = MessageCatalogue(Request())) messages->Show(Dialog(), kMsgMedia);
            return TRUE;
        }
        break;
    default: break;
    }
    return PDLSvProc::OnCommand(id, code);
}
