// The feature dialogs' shared parts and the small ones: covers, tab position and tab paper, job
// owner, the two graphics dialogs, paper type, finishing adjustment and the device picture; and
// the registration of all eleven with their messages.
#include "features/feature_pages.h"

#include "core/devmode/device_option_block.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/model_section.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "features/feature_numbers.h"
#include "model/media_table.h"
#include "model/model_catalogue.h"
#include "ui/cm_message.h"
#include "ui/dialog_registry.h"
#include "ui/page_preview.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

namespace model = devmode::model;

constexpr UINT kStringSeparator = 8029;
constexpr UINT kStringUnknownMedia = 9633;
constexpr UINT kStringMedia = 9632;
constexpr UINT kMsgNumber = 1032, kMsgAdjustment = 1056, kMsgMedia = 1147;
constexpr UINT kTitle = 4893;
constexpr DWORD kOptionGraphics = 221;
constexpr uint16_t kGraphicsChanged = 0x80;
constexpr uint16_t kNumberChecks = 0x10;
constexpr size_t kOwnerNameLimit = 32;

const MessageRow kMessages[] = {
    {kMsgNumber, 9635, kTitle, MB_ICONWARNING | MB_OK},
    {kMsgAdjustment, 9635, kTitle, MB_ICONWARNING | MB_OK},
    {kMsgMedia, 9636, kTitle, MB_ICONWARNING | MB_OK},
};

const DialogButton kTabPositionButtons[] = {{IDC_TP_DETAILS, kTabPaperDetailsDialogKind}, {0, 0}};
const DialogButton kGraphicsButtons[] = {{IDC_GO_MORE, kGraphicsMiscDialogKind}, {0, 0}};

template <class T>
constexpr DLGPROC ProcOf() {
    return CmProc::DialogProcFor<T>;
}

const DialogEntry kEntries[] = {
    {kFinishingAdjustDialogKind, ProcOf<FinishingAdjustProc>(), 10818, IDD_FINISHING_ADJUST, nullptr},
    {kInsertingSheetDialogKind, ProcOf<InsertingSheetProc>(), 10845, IDD_INSERTING_SHEET, nullptr},
    {kTabPositionDialogKind, ProcOf<TABPositionProc>(), 10823, IDD_TAB_POSITION, nullptr},
    {kFrontAndBackCoverDialogKind, ProcOf<FrontAndBackCoverProc>(), 10846, IDD_FRONT_BACK_COVER, nullptr},
    {kPaperTypeDialogKind, ProcOf<PaperTypeProc>(), 10861, IDD_PAPER_TYPE, nullptr},
    {kMediaLibraryDialogKind, ProcOf<MediaLibrarySettingsProc>(), 10861, IDD_MEDIA_LIBRARY, nullptr},
    {kGraphicsOptionsDialogKind, ProcOf<GraphicsOptionsProc>(), 10855, IDD_GRAPHICS_OPTIONS, nullptr},
    {kGraphicsMiscDialogKind, ProcOf<GraphicsMiscProc>(), 10856, IDD_GRAPHICS_MISC, nullptr},
    {kPopupDevicePreviewDialogKind, ProcOf<PopupDevPrevProc>(), 10836, IDD_POPUP_DEVICE_PREVIEW, nullptr},
    {kJobOwnerNameDialogKind, ProcOf<JobOwnerNameProc>(), 10860, IDD_JOB_OWNER_NAME, nullptr},
    {kTabPaperDetailsDialogKind, ProcOf<TabPaperDetailsProc>(), 10850, IDD_TAB_PAPER_DETAILS, nullptr},
};

}  // namespace

// The shared parts.

uint8_t* PDLSvProc::Settings() const {
    CmUserData* user = Request()->svc->GetUserData(Request());
    return user ? user->GetSettingsSource() : Devmode();
}

MutableByteView PDLSvProc::Section() const {
    uint8_t* dm = Settings();
    const DWORD size = Request()->svc->GetDevmodeSize(Request(), 1);
    ByteView head(dm, size);
    int16_t offset = 0;
    if (!head.s16(devmode::kOffModelSection, offset) || offset < 0 || !head.contains(size_t(offset), model::kPlacedEnd))
        return {};
    return MutableByteView(dm + offset, size - size_t(offset));
}

uint16_t PDLSvProc::Option(DWORD number) const {
    uint16_t value = 0;
    Request()->svc->GetOption(Request(), Settings(), number, &value, sizeof value);
    return value;
}

void PDLSvProc::SetOption(DWORD number, uint16_t value) const {
    Request()->svc->SetOption(Request(), Settings(), number, &value, sizeof value);
}

std::string PDLSvProc::Text(int id) const {
    char text[512] = {};
    GetDlgItemTextA(Dialog(), id, text, sizeof text);
    return text;
}

std::string PDLSvProc::String(UINT id) const {
    char text[256] = {};
    Request()->svc->LoadString(Request(), id, text, sizeof text);
    return text;
}

char PDLSvProc::DecimalSeparator() const {
    char locale[4] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, locale, sizeof locale) > 1 && locale[0]) return locale[0];
    const std::string module = String(kStringSeparator);
    return module.empty() ? '.' : module.front();
}

void PDLSvProc::Refuse(UINT message, int edit) const {
    if (CmMessage* messages = MessageCatalogue(Request())) messages->Show(Dialog(), message);
    HWND control = GetDlgItem(Dialog(), edit);
    SetFocus(control);
    SendMessageA(control, EM_SETSEL, 0, -1);
}

bool PDLSvProc::Model(ModelDescription& out) const {
    return DescribeModel(uint16_t(Request()->svc->GetDeviceDataValue2(Request())), out);
}

bool PDLSvProc::ReadOnly() const {
    CmUserData* user = Request()->svc->GetUserData(Request());
    return user && user->IsReadOnly();
}

// Covers: the source texts follow the cover flags; each cover's media comes from the media dialog.

FrontAndBackCoverProc::FrontAndBackCoverProc() : PDLSvProc(kFrontAndBackCoverDialogKind, 10846) {}

BOOL FrontAndBackCoverProc::OnInitDialog() {
    const BOOL answer = PDLSvProc::OnInitDialog();
    ShowSources();
    ShowMedia();
    return answer;
}

void FrontAndBackCoverProc::ShowSources() {
    uint16_t flags = 0;
    Section().u16(model::kCoverFlags, flags);
    ModelDescription d{};
    const bool covers = Model(d) && d.coverOptionsFlag;
    // The first title of each pair (29579/29580, 29666/29667, ...): without cover options, then
    // no cover, front only, back only, both; the back cover's line always says where it comes from.
    static constexpr UINT kFirstOfPair[] = {29579, 29666, 29668, 29670, 29672};
    const int pair = covers ? 1 + (flags & 0x3) : 0;
    if (pair == shownPair_) return;
    shownPair_ = pair;
    SetDlgItemTextA(Dialog(), IDC_CV_FRONT_SOURCE, String(kFirstOfPair[pair]).c_str());
    SetDlgItemTextA(Dialog(), IDC_CV_BACK_SOURCE, String(29581).c_str());
}

void FrontAndBackCoverProc::ShowMedia() {
    const MutableByteView s = Section();
    uint16_t flags = 0;
    s.u16(model::kCoverFlags, flags);
    const uint16_t modelCode = uint16_t(Request()->svc->GetDeviceDataValue2(Request()));
    const MediaRecord* table = MediaTable_ForModel(modelCode);
    const int edits[] = {IDC_CV_FRONT_MEDIA_TEXT, IDC_CV_BACK_MEDIA_TEXT};
    for (int i = 0; i < 2; ++i) {
        uint16_t id = kNoMedia;
        s.u16(model::kMediaPairs + 4 * size_t(kMediaTargetFrontCover + i), id);
        const int at = MediaTable_IndexOf(id, modelCode);
        std::string name = at >= 0 && !(flags & (0x10 << i)) ? table[at].name : String(kStringUnknownMedia);
        char text[300] = {};
        std::snprintf(text, sizeof text, String(kStringMedia).c_str(), name.c_str());
        SetDlgItemTextA(Dialog(), edits[i], text);
    }
}

BOOL FrontAndBackCoverProc::OnCommand(WORD id, WORD code) {
    if ((id == IDC_CV_FRONT_MEDIA || id == IDC_CV_BACK_MEDIA) && code == BN_CLICKED) {
        const int target = id == IDC_CV_FRONT_MEDIA ? kMediaTargetFrontCover : kMediaTargetBackCover;
        if (OpenDialogByKind(Request(), Dialog(), kMediaLibraryDialogKind, target) == IDOK) ShowMedia();
        return TRUE;
    }
    const BOOL answer = PDLSvProc::OnCommand(id, code);
    if (IsWindow(Dialog())) ShowSources();
    return answer;
}

// Tab position: the tab shift is checked when the settings ask for one.

TABPositionProc::TABPositionProc() : PDLSvProc(kTabPositionDialogKind, 10823) {}

const DialogButton* TABPositionProc::GetDialogButtonTable() { return kTabPositionButtons; }

BOOL TABPositionProc::OnCommand(WORD id, WORD code) {
    if (id == IDOK) {
        uint16_t flags = 0, unit = 0;
        Section().u16(model::kOptionFlags, flags);
        Section().u16(model::kUnitWord, unit);
        if ((flags & kNumberChecks) && !IsValidShift(Text(IDC_TP_SHIFT), DecimalSeparator(), true, unit)) {
            Refuse(kMsgNumber, IDC_TP_SHIFT);
            return TRUE;
        }
    }
    return PDLSvProc::OnCommand(id, code);
}

// OK ends it with 1 (IDOK), as the base does.
TabPaperDetailsProc::TabPaperDetailsProc() : PDLSvProc(kTabPaperDetailsDialogKind, 10850) {}

// Job owner: the name source and the name live in the device-option block.

JobOwnerNameProc::JobOwnerNameProc() : PDLSvProc(kJobOwnerNameDialogKind, 10860) {}

uint8_t* JobOwnerNameProc::Block() const {
    CmUserData* user = Request()->svc->GetUserData(Request());
    uint8_t* block = user ? user->GetDeviceOptionSource() : nullptr;
    return block ? block : Request()->svc->GetDeviceOption(Request());
}

namespace {

MutableByteView OwnerData(UIDEVDATA* ctx, uint8_t* block) {
    const DWORD size = ctx->svc->GetDeviceOptionSize(ctx);
    ByteView head(block, size);
    int16_t offset = 0;
    if (!head.s16(devopt::kOffDataOffset, offset) || offset < 0 ||
        !head.contains(size_t(offset), devopt::kOwnerName + kOwnerNameLimit + 1))
        return {};
    return MutableByteView(block + offset, size - size_t(offset));
}

}  // namespace

BOOL JobOwnerNameProc::OnInitDialog() {
    const BOOL answer = PDLSvProc::OnInitDialog();
    const MutableByteView data = OwnerData(Request(), Block());
    uint16_t source = 0;
    data.u16(devopt::kOwnerNameSource, source);
    char name[kOwnerNameLimit + 1] = {};
    data.bytes(devopt::kOwnerName, name, kOwnerNameLimit);
    CheckRadioButton(Dialog(), IDC_JO_LOGON, IDC_JO_OWN, IDC_JO_LOGON + std::min<int>(source, 2));
    SendDlgItemMessageA(Dialog(), IDC_JO_NAME, EM_LIMITTEXT, kOwnerNameLimit, 0);
    SetDlgItemTextA(Dialog(), IDC_JO_NAME, name);
    if (ReadOnly())
        for (int id = IDC_JO_GROUP; id <= IDC_JO_NOTE; ++id) EnableWindow(GetDlgItem(Dialog(), id), FALSE);
    return answer;
}

BOOL JobOwnerNameProc::OnCommand(WORD id, WORD code) {
    MutableByteView data = OwnerData(Request(), Block());
    switch (id) {
    case IDC_JO_LOGON:
    case IDC_JO_COMPUTER:
    case IDC_JO_OWN:
        if (code == BN_CLICKED) data.put_u16(devopt::kOwnerNameSource, uint16_t(id - IDC_JO_LOGON));
        return TRUE;
    case IDC_JO_NAME:
        if (code == EN_CHANGE) {
            // The field always ends inside its 33 bytes, whatever the edit holds.
            char name[kOwnerNameLimit + 1] = {};
            const std::string typed = Text(IDC_JO_NAME);
            std::memcpy(name, typed.data(), std::min(typed.size(), kOwnerNameLimit));
            data.put_bytes(devopt::kOwnerName, name, sizeof name);
        }
        return TRUE;
    default: break;
    }
    return PDLSvProc::OnCommand(id, code);
}

// Graphics: any change marks option 221 as changed by the user.

GraphicsOptionsProc::GraphicsOptionsProc() : PDLSvProc(kGraphicsOptionsDialogKind, 10855) {}

const DialogButton* GraphicsOptionsProc::GetDialogButtonTable() { return kGraphicsButtons; }

BOOL GraphicsOptionsProc::OnCommand(WORD id, WORD code) {
    const BOOL answer = PDLSvProc::OnCommand(id, code);
    const bool marks = ((id == IDC_GO_SMOOTHING || id == IDC_GO_TONER_SAVE) && code == BN_CLICKED) ||
                       ((id == IDC_GO_GRAPHICS_MODE || id == IDC_GO_TEXT_MODE) && code == CBN_SELCHANGE);
    if (marks && IsWindow(Dialog())) SetOption(kOptionGraphics, Option(kOptionGraphics) | kGraphicsChanged);
    return answer;
}

GraphicsMiscProc::GraphicsMiscProc() : PDLSvProc(kGraphicsMiscDialogKind, 10856) {}

PaperTypeProc::PaperTypeProc() : PDLSvProc(kPaperTypeDialogKind, 10861) {}

// Finishing adjustment: three signed values, each refused with its own focus.

FinishingAdjustProc::FinishingAdjustProc() : PDLSvProc(kFinishingAdjustDialogKind, 10818) {}

BOOL FinishingAdjustProc::OnCommand(WORD id, WORD code) {
    if (id == IDOK)
        for (int edit : {IDC_FA_HORIZONTAL, IDC_FA_VERTICAL, IDC_FA_DEPTH})
            if (!IsValidAdjustment(Text(edit), DecimalSeparator())) {
                Refuse(kMsgAdjustment, edit);
                return TRUE;
            }
    return PDLSvProc::OnCommand(id, code);
}

// The device picture on its own.

PopupDevPrevProc::PopupDevPrevProc() : PDLSvProc(kPopupDevicePreviewDialogKind, 10836) {}

BOOL PopupDevPrevProc::OnInitDialog() {
    const BOOL answer = PDLSvProc::OnInitDialog();
    // The picture fits itself to the control the template gives it; it lives with the dialog.
    if (PagePreview* picture = CreatePagePreview(GetDlgItem(Dialog(), IDC_PP_PREVIEW), Request(), Settings(),
                                                 kPopupDevicePreviewDialogKind))
        picture_.reset(picture);
    return answer;
}

void PopupDevPrevProc::OnDestroy() {
    picture_.reset();
    PDLSvProc::OnDestroy();
}

bool RegisterFeaturePages() {
    return RegisterMessageRows(kPdlMessages, kMessages, std::size(kMessages)) &&
           RegisterDialogEntries(kEntries, std::size(kEntries));
}

void UnregisterFeaturePages() {
    UnregisterDialogEntries(kEntries);
    UnregisterMessageRows(kMessages);
}
