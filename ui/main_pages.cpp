// The main pages' classes, their button tables and the sheet's page list.
#include "ui/main_pages.h"

#include "data/resources/drvopui_ids.h"
#include "items/common/paper_tooltip.h"
#include "items/common/stamp_items.h"
#include "settings/registry/conflict.h"
#include "ui/dialog_registry.h"
#include "ui/finishing_pages.h"

#include <iterator>

namespace {

constexpr int kPaperSourcePageId = 3;
constexpr int kQualityPageId = 4;
constexpr int kDeviceSettingsPageId = 5;
constexpr int kPageSetupPageId = 1;

// The layout options are a dialog over the item set of their kind.
// Its Format... button opens the format dialog, registered by the document features.
class LayoutOptionsProc : public CmSvProc {
public:
    LayoutOptionsProc() : CmSvProc(kLayoutOptionsDialogKind, kLayoutOptionsDialogKind) {}
    const DialogButton* GetDialogButtonTable() override;
};

// Page options... opens the layout options, Edit stamp... the watermarks and Custom paper... the
// user papers (both registered by the document features). The page's other buttons open dialogs
// of subsystems this library does not hold yet (the device-information window), and open nothing
// until those register their kinds.
constexpr WORD kWaterMarkDialogKind = 25;
constexpr WORD kSettingsSummaryDialogKind = 112;
constexpr WORD kAddProfileDialogKind = 10, kEditProfileDialogKind = 11;
const DialogButton kPageSetupButtons[] = {{IDC_PAGE_OPTIONS, kLayoutOptionsDialogKind},
                                          {IDC_ADD_PROFILE, kAddProfileDialogKind},
                                          {IDC_EDIT_PROFILE, kEditProfileDialogKind},
                                          {IDC_VIEW_SETTINGS, kSettingsSummaryDialogKind},
                                          {IDC_EDIT_STAMP, kWaterMarkDialogKind},
                                          {IDC_CUSTOM_PAPER, kCustomPaperDialogKind},
                                          {0, 0}};

const DialogButton kQualityButtons[] = {{IDC_COLOUR_SETTINGS, kColourMatchingDialogKind}, {0, 0}};

// Paper sources... and Fonts... open the paper-source list and the font substitution, and the
// feature buttons the feature dialogs of those kinds, all registered by the document features.
const DialogButton kDeviceSettingsButtons[] = {{IDC_PAPER_SOURCE_SETTINGS, kPaperSourceSetDialogKind},
                                               {IDC_FONT_SETTINGS, kFontSettingsDialogKind},
                                               {IDC_OPEN_INSERTING_SHEET, 41},
                                               {IDC_OPEN_COVERS, 43},
                                               {IDC_OPEN_TAB_POSITION, 42},
                                               {IDC_OPEN_JOB_OWNER, 92},
                                               {IDC_OPEN_GRAPHICS, 57},
                                               {IDC_OPEN_FINISHING_ADJUST, 38},
                                               {IDC_OPEN_MEDIA, 46},
                                               {IDC_OPEN_PAPER_TYPE, 44},
                                               {IDC_OPEN_DEVICE_PREVIEW, 83},
                                               {IDC_OPEN_BROWSE_FILE, 82},
                                               {IDC_OPEN_BOOK_COVER_WARNING, 72},
                                               {IDC_OPEN_MAIL_BOX, 78},
                                               {IDC_OPEN_ADDIN_INFO, 74},
                                               {0, 0}};

const DialogButton kLayoutOptionsButtons[] = {{IDC_FORMAT_SETTINGS, kFormatSettingsDialogKind}, {0, 0}};

const DialogEntry kEntries[] = {
    {kLayoutOptionsDialogKind, CmProc::DialogProcFor<LayoutOptionsProc>, 0, IDD_LAYOUT_OPTIONS, nullptr},
};

const MainPage kPages[] = {
    {IDD_PAGE_SETUP, CmProc::DialogProcFor<PageSetupProc>},
    {IDD_FINISHING, CmProc::DialogProcFor<FinishingPageProc>},
    {IDD_PAPER_SOURCE, CmProc::DialogProcFor<PaperSourceProc>},
    {IDD_QUALITY, CmProc::DialogProcFor<QualityProc>},
    {IDD_DEVICE_SETTINGS, CmProc::DialogProcFor<DeviceSettingsProc>},
};

const DialogButton* LayoutOptionsProc::GetDialogButtonTable() { return kLayoutOptionsButtons; }

}  // namespace

PageSetupProc::PageSetupProc() : PDLSvBsProc(kPageSetupPageId) {}

PageSetupProc::~PageSetupProc() { delete tooltip_; }

BOOL PageSetupProc::OnInitDialog() {
    const BOOL answer = PDLSvBsProc::OnInitDialog();
    tooltip_ = new CmTooltip(Dialog());
    for (int id : {IDC_PAGE_SIZE, IDC_OUTPUT_SIZE})
        tooltip_->AddTool({kToolComboBox, id, PaperTooltipText, Request()});
    return answer;
}

void PageSetupProc::OnDestroy() {
    // The tips leave the lists before the lists go with the page.
    delete tooltip_;
    tooltip_ = nullptr;
    PDLSvBsProc::OnDestroy();
}
const DialogButton* PageSetupProc::GetDialogButtonTable() { return kPageSetupButtons; }

void PageSetupProc::UpdateControls() {
    CmSvConflict* registry = Registry();
    if (!registry) return;
    UIDEVDATA* ctx = Request();
    if (CmSv* stamps = registry->FindItem(CmSvCB_StampSelect::kItemId); stamps && stamps->AsAction()) {
        const char* const refresh[] = {"REFRESH"};
        stamps->AsAction()->Action(ctx, 1, refresh, nullptr);
    }
    registry->RevertAll(ctx);
    registry->UpdatePageControls(ctx, Dialog(), PageId(), 0);
}
PaperSourceProc::PaperSourceProc() : PDLSvBsProc(kPaperSourcePageId) {}
QualityProc::QualityProc() : PDLSvBsProc(kQualityPageId) {}
const DialogButton* QualityProc::GetDialogButtonTable() { return kQualityButtons; }
DeviceSettingsProc::DeviceSettingsProc() : PDLSvBsProc(kDeviceSettingsPageId) {}

const DialogButton* DeviceSettingsProc::GetDialogButtonTable() { return kDeviceSettingsButtons; }

const MainPage* MainPages(std::size_t* count) {
    if (count) *count = std::size(kPages);
    return kPages;
}

bool RegisterMainPageDialogs() {
    return RegisterFinishingDialogs() && RegisterDialogEntries(kEntries, std::size(kEntries));
}

void UnregisterMainPageDialogs() {
    UnregisterDialogEntries(kEntries);
    UnregisterFinishingDialogs();
}
