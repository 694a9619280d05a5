// The book-cover warning and the stored-document list, and the registration of the job dialogs.
#include "features/job_dialogs.h"

#include "core/devmode/device_option_block.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/model_section.h"
#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/helpers/byte_view.h"
#include "data/resources/drvopui_ids.h"
#include "device/bridges/library_bridges.h"
#include "features/list_view_rows.h"
#include "model/model_catalogue.h"
#include "ui/dialog_registry.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>

namespace {

namespace model = devmode::model;

constexpr size_t kWarningLimit = 119;
constexpr uint16_t kSilenced = 0x8;
constexpr uint16_t kSpoolingHost = 2;
// By cover kind 1, 2, 3: the texts with the spooling value 2, and with any other.
constexpr UINT kWarningSpooled[] = {9411, 9409, 9407};
constexpr UINT kWarning[] = {9412, 9410, 9408};

constexpr size_t kDocuments = 100;
constexpr size_t kEntrySize = 132, kNameField = 64;
constexpr UINT kColumnName = 8733, kColumnNumber = 8727;
constexpr int kNameWidth = 154, kNumberWidth = 135;
constexpr DWORD kOptionDocumentNumber = 174, kOptionDocumentName = 262;
constexpr size_t kDocumentNameSize = 34;

const DialogEntry kEntries[] = {
    {kBookCoverWarningDialogKind, CmProc::DialogProcFor<BookCoverWarningProc>, 0, IDD_BOOK_COVER_WARNING, nullptr},
    {kBrowseFileDialogKind, CmProc::DialogProcFor<BrowseFileProc>, 10834, IDD_BROWSE_FILE, nullptr},
    {kMailBoxDialogKind, CmProc::DialogProcFor<MailBoxGDProc>, 10809, IDD_MAIL_BOX, nullptr},
    {kAddinInfoDialogKind, CmProc::DialogProcFor<AddinInfoProc>, 8007, IDD_ADDIN_INFO, nullptr},
    {kFormatSettingsDialogKind, CmProc::DialogProcFor<FormatSettingsProc>, 10843, IDD_FORMAT_SETTINGS, nullptr},
    {kPaperSourceSetDialogKind, CmProc::DialogProcFor<PaperSourceSetProc>, 0, IDD_PAPER_SOURCE_SET, nullptr},
};

uint8_t* SettingsOf(UIDEVDATA* ctx, uint8_t* fallback) {
    CmUserData* user = ctx->svc->GetUserData(ctx);
    uint8_t* settings = user ? user->GetSettingsSource() : nullptr;
    return settings ? settings : fallback;
}

MutableByteView SectionOf(UIDEVDATA* ctx, uint8_t* dm) {
    const DWORD size = ctx->svc->GetDevmodeSize(ctx, 1);
    ByteView head(dm, size);
    int16_t offset = 0;
    if (!head.s16(devmode::kOffModelSection, offset) || offset < 0 || !head.contains(size_t(offset), model::kPlacedEnd))
        return {};
    return MutableByteView(dm + offset, size - size_t(offset));
}

}  // namespace

// The book-cover warning.

BookCoverWarningProc::BookCoverWarningProc() : Proc(kBookCoverWarningDialogKind, 0) {}

BOOL BookCoverWarningProc::OnInitDialog() {
    const BOOL answer = Proc::OnInitDialog();
    UIDEVDATA* ctx = Request();
    uint16_t spooling = 0;
    CmUserData* user = ctx->svc->GetUserData(ctx);
    const uint8_t* block = user ? user->GetDeviceOptionSource() : nullptr;
    ctx->svc->GetDeviceOptionValue(ctx, block, devopt::kValueSpooling, &spooling, sizeof spooling);
    ModelDescription d{};
    const int kind = DescribeModel(uint16_t(ctx->svc->GetDeviceDataValue2(ctx)), d) ? d.coverKind : 0;
    char text[kWarningLimit + 1] = {};
    if (kind >= 1 && kind <= 3)
        ctx->svc->LoadString(ctx, spooling == kSpoolingHost ? kWarningSpooled[kind - 1] : kWarning[kind - 1], text,
                             sizeof text);
    SetDlgItemTextA(Dialog(), IDC_BCW_TEXT, text);
    uint16_t flags = 0;
    SectionOf(ctx, SettingsOf(ctx, Devmode())).u16(model::kOptionFlags, flags);
    CheckDlgButton(Dialog(), IDC_BCW_CHECK, (flags & kSilenced) ? BST_CHECKED : BST_UNCHECKED);
    return answer;
}

BOOL BookCoverWarningProc::OnPaint() {
    HWND area = GetDlgItem(Dialog(), IDC_BCW_ICON);
    RECT r{};
    GetWindowRect(area, &r);
    POINT at{r.left, r.top};
    ScreenToClient(Dialog(), &at);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Dialog(), &ps);
    if (HICON icon = LoadIconA(nullptr, IDI_ASTERISK)) DrawIcon(dc, at.x, at.y, icon);
    EndPaint(Dialog(), &ps);
    return TRUE;
}

BOOL BookCoverWarningProc::OnCommand(WORD id, WORD code) {
    if (id == IDOK) {
        MutableByteView section = SectionOf(Request(), SettingsOf(Request(), Devmode()));
        uint16_t flags = 0;
        section.u16(model::kOptionFlags, flags);
        if (IsDlgButtonChecked(Dialog(), IDC_BCW_CHECK) == BST_CHECKED) flags |= kSilenced;
        else flags &= uint16_t(~kSilenced);
        section.put_u16(model::kOptionFlags, flags);
        EndDialog(Dialog(), 1);
        return TRUE;
    }
    return Proc::OnCommand(id, code);
}

// The stored documents.

std::vector<StoredDocument> ReadStoredDocuments(const uint8_t* entries, size_t size) {
    std::vector<StoredDocument> documents;
    const ByteView view(entries, size);
    for (size_t i = 0; i < kDocuments && view.contains(i * kEntrySize, kEntrySize); ++i) {
        StoredDocument doc;
        char name[kNameField + 1] = {};  // the device may fill the field to its end
        view.u32(i * kEntrySize, doc.number);
        view.bytes(i * kEntrySize + 4, name, kNameField);
        if (!name[0]) continue;
        doc.name = name;
        documents.push_back(doc);
    }
    return documents;
}

BrowseFileProc::BrowseFileProc() : Proc(kBrowseFileDialogKind, 10834) {}

BOOL BrowseFileProc::OnInitDialog() {
    const BOOL answer = Proc::OnInitDialog();
    UIDEVDATA* ctx = Request();
    HWND list = GetDlgItem(Dialog(), IDC_BROWSE_LIST);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    char title[64] = {};
    ctx->svc->LoadString(ctx, kColumnName, title, sizeof title);
    AddListColumn(list, 0, title, kNameWidth);
    ctx->svc->LoadString(ctx, kColumnNumber, title, sizeof title);
    AddListColumn(list, 1, title, kNumberWidth);

    auto record = std::make_unique<PelomBrowseRecord>();
    std::memset(record->bytes, 0, sizeof record->bytes);
    MutableByteView r(record->bytes, sizeof record->bytes);
    const char* printer = ctx->svc->GetPrinterName(ctx);
    r.put_bytes(pelom_browse::kPrinterName, printer, std::min<size_t>(std::strlen(printer ? printer : ""), 255));
    r.put_u32(pelom_browse::kSizeWord, 512);
    const DeviceData* data = ctx->svc->LoadDeviceData(ctx);
    r.put_u32(pelom_browse::kPdlCode, data ? data->U32(devicedata::kPdlId) : 0);
    r.put_u32(pelom_browse::kKind, 10);
    r.put_u32(pelom_browse::kFlags, pelom_browse::kWholeList);
    // Without an answer the list stays empty; OK still closes.
    if (CallPelomRequest2(ctx, Dialog(), record.get()) == 1)
        documents_ = ReadStoredDocuments(record->bytes + pelom_browse::kData, pelom_browse::kDataSize);

    uint8_t* settings = SettingsOf(ctx, Devmode());
    uint32_t current = 0;
    ctx->svc->GetOption(ctx, settings, kOptionDocumentNumber, &current, sizeof current);
    char currentName[kDocumentNameSize + 1] = {};
    ctx->svc->GetOption(ctx, settings, kOptionDocumentName, currentName, kDocumentNameSize);
    int chosen = 0;
    for (const StoredDocument& doc : documents_) {
        const int row = AddListRow(list, {doc.name, std::to_string(doc.number)}, LPARAM(doc.number));
        if (row >= 0 && doc.number == current && doc.name == currentName) chosen = row;
    }
    if (!documents_.empty()) SelectListRow(list, chosen);
    return answer;
}

bool RegisterJobDialogs() { return RegisterDialogEntries(kEntries, std::size(kEntries)); }

void UnregisterJobDialogs() { UnregisterDialogEntries(kEntries); }
