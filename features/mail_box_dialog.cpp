// The mail-box dialog over the job's mail-box block, and the add-in information dialog over the
// printer's add-in table.
#include "features/job_dialogs.h"

#include "core/addins/addin_table.h"
#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "features/list_view_rows.h"
#include "model/model_catalogue.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// The job block's fields.
constexpr size_t kName = 0, kNameField = 34, kDestination = 34, kBoxes = 35, kBoxCount = 135, kFocused = 136,
                 kListChoice = 137;
constexpr size_t kMaxBoxes = 100;
constexpr int kNameLimit = 24;
constexpr int kColumnWidth = 100;
constexpr size_t kBoxNameLimit = 32;  // characters of a box's name shown
constexpr UINT kColumns[] = {9660, 9661};
constexpr UINT kStringLoaded = 4447, kStringNotLoaded = 4448;

static_assert(kListChoice + 1 == CmUserData::kMailBoxJobSize);

}  // namespace

MailBoxGDProc::MailBoxGDProc() : Proc(kMailBoxDialogKind, 10809) {}

BOOL MailBoxGDProc::OnInitDialog() {
    const BOOL answer = Proc::OnInitDialog();
    UIDEVDATA* ctx = Request();
    CmUserData* user = ctx->svc->GetUserData(ctx);
    if (user) std::memcpy(job_, user->GetMailBoxJob(), sizeof job_);
    filling_ = true;
    HWND list = GetDlgItem(Dialog(), IDC_MB_BOXES);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT client{};
    GetClientRect(list, &client);
    for (size_t i = 0; i < std::size(kColumns); ++i) {
        char title[64] = {};
        ctx->svc->LoadString(ctx, kColumns[i], title, sizeof title);
        // The last column takes the rest of the view.
        const int width = i + 1 < std::size(kColumns) ? kColumnWidth
                                                      : std::max<int>(kColumnWidth, client.right - kColumnWidth * int(i));
        AddListColumn(list, int(i), title, width);
    }
    const DeviceData* data = ctx->svc->LoadDeviceData(ctx);
    const int64_t first = data ? int64_t(data->U32(devicedata::kMailBoxNumMin)) : 0;
    const int64_t last = data ? int64_t(data->U32(devicedata::kMailBoxNumMax)) : -1;
    // The device data's range is not trusted to fit the block's hundred boxes.
    const int rows = int(std::clamp<int64_t>(last - first + 1, 0, kMaxBoxes));
    ModelDescription d{};
    const bool named = DescribeModel(uint16_t(ctx->svc->GetDeviceDataValue2(ctx)), d);
    for (int i = 0; i < rows; ++i) {
        std::vector<std::string> texts{std::to_string(i)};
        if (named && size_t(i) < kMailBoxCount) {
            char name[kBoxNameLimit + 1] = {};
            std::memcpy(name, d.mailBoxes[i].name, kBoxNameLimit);
            if (name[0]) texts.emplace_back(name);
        }
        AddListRow(list, texts, LPARAM(i));
    }
    for (size_t i = 0; i < std::min<size_t>(job_[kBoxCount], kMaxBoxes); ++i)
        if (job_[kBoxes + i] < rows) SelectListRow(list, job_[kBoxes + i]);
    SendDlgItemMessageA(Dialog(), IDC_MB_NAME, EM_LIMITTEXT, kNameLimit, 0);
    char name[kNameField + 1] = {};
    std::memcpy(name, job_ + kName, kNameField);
    SetDlgItemTextA(Dialog(), IDC_MB_NAME, name);
    filling_ = false;
    ShowChoices();
    return answer;
}

void MailBoxGDProc::ShowChoices() {
    CheckRadioButton(Dialog(), IDC_MB_TO_BOXES, IDC_MB_TO_DEVICE, job_[kDestination] ? IDC_MB_TO_DEVICE : IDC_MB_TO_BOXES);
    CheckRadioButton(Dialog(), IDC_MB_LIST_ALL, IDC_MB_LIST_CHOSEN, job_[kListChoice] ? IDC_MB_LIST_ALL : IDC_MB_LIST_CHOSEN);
    EnableWindow(GetDlgItem(Dialog(), IDC_MB_NAME), job_[kDestination] == 0);
    EnableWindow(GetDlgItem(Dialog(), IDC_MB_BOXES), job_[kListChoice] == 0);
}

BOOL MailBoxGDProc::OnCommand(WORD id, WORD code) {
    switch (id) {
    case IDC_MB_TO_BOXES:
    case IDC_MB_TO_DEVICE:
        if (code == BN_CLICKED) job_[kDestination] = id == IDC_MB_TO_DEVICE ? 1 : 0, ShowChoices();
        return TRUE;
    case IDC_MB_LIST_ALL:
    case IDC_MB_LIST_CHOSEN:
        if (code == BN_CLICKED) job_[kListChoice] = id == IDC_MB_LIST_ALL ? 1 : 0, ShowChoices();
        return TRUE;
    case IDC_MB_NAME:
        if (code == EN_CHANGE && !filling_) {
            char name[kNameField] = {};
            GetDlgItemTextA(Dialog(), IDC_MB_NAME, name, kNameLimit + 1);
            std::memcpy(job_ + kName, name, kNameField);
        }
        return TRUE;
    case IDOK:
        if (CmUserData* user = Request()->svc->GetUserData(Request())) std::memcpy(user->GetMailBoxJob(), job_, sizeof job_);
        break;
    default: break;
    }
    return Proc::OnCommand(id, code);
}

BOOL MailBoxGDProc::OnNotify(int id, NMHDR* header) {
    if (id != IDC_MB_BOXES || !header || header->code != LVN_ITEMCHANGED || filling_) return Proc::OnNotify(id, header);
    HWND list = GetDlgItem(Dialog(), IDC_MB_BOXES);
    const std::vector<int> rows = SelectedListRows(list);
    const size_t count = std::min(rows.size(), kMaxBoxes);
    std::memset(job_ + kBoxes, 0, kMaxBoxes);
    for (size_t i = 0; i < count; ++i) job_[kBoxes + i] = uint8_t(rows[i]);
    job_[kBoxCount] = uint8_t(count);
    const int focused = int(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), MAKELPARAM(LVNI_FOCUSED, 0)));
    if (focused >= 0) job_[kFocused] = uint8_t(focused);
    return TRUE;
}

// The add-in information.

AddinInfoProc::AddinInfoProc() : Proc(kAddinInfoDialogKind, 8007) {}

BOOL AddinInfoProc::OnInitDialog() {
    const BOOL answer = Proc::OnInitDialog();
    HWND list = GetDlgItem(Dialog(), IDC_AI_LIST);
    if (const AddInTable* table = LoadAddIns(Request()))
        for (const AddInEntry& e : table->entries) {
            const LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.record.name.c_str()));
            if (at >= 0) SendMessageA(list, LB_SETITEMDATA, WPARAM(at), reinterpret_cast<LPARAM>(&e));
        }
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    ShowSelected();
    return answer;
}

void AddinInfoProc::ShowSelected() {
    HWND list = GetDlgItem(Dialog(), IDC_AI_LIST);
    const LRESULT row = SendMessageA(list, LB_GETCURSEL, 0, 0);
    const auto* e = row >= 0 ? reinterpret_cast<const AddInEntry*>(SendMessageA(list, LB_GETITEMDATA, WPARAM(row), 0))
                             : nullptr;
    if (!e) return;  // without a record the texts stay empty
    const ClassId& c = e->record.classId;
    char classText[48] = {};
    std::snprintf(classText, sizeof classText, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", unsigned(c.data1),
                  unsigned(c.data2), unsigned(c.data3), c.data4[0], c.data4[1], c.data4[2], c.data4[3], c.data4[4],
                  c.data4[5], c.data4[6], c.data4[7]);
    SetDlgItemTextA(Dialog(), IDC_AI_NAME, e->record.name.c_str());
    SetDlgItemTextA(Dialog(), IDC_AI_DESCRIPTION, e->record.description.c_str());
    SetDlgItemTextA(Dialog(), IDC_AI_FILE, e->record.file.c_str());
    SetDlgItemTextA(Dialog(), IDC_AI_CLASS, classText);
    SetDlgItemTextA(Dialog(), IDC_AI_FOLDER, Request()->svc->GetDriverDirectory(Request()));
    char state[64] = {};
    Request()->svc->LoadString(Request(), e->object ? kStringLoaded : kStringNotLoaded, state, sizeof state);
    SetDlgItemTextA(Dialog(), IDC_AI_STATE, state);
}

BOOL AddinInfoProc::OnCommand(WORD id, WORD code) {
    if (id == IDC_AI_LIST) {
        if (code == LBN_SELCHANGE) ShowSelected();
        return TRUE;
    }
    return Proc::OnCommand(id, code);
}
