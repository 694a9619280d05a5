// The custom paper dialog over the printer's user-paper table. The dialog edits the table's
// edit copy; only OK commits it, stores it and writes the selected paper to the device mode.
#include "features/custom_paper_dialog.h"

#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "features/form_size_rules.h"
#include "features/user_defined_paper_dialog.h"
#include "items/common/public_devmode.h"
#include "ui/cm_message.h"
#include "ui/dialog_registry.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

using namespace userpaper;

constexpr UINT kMsgSizeOutOfRange = 108;
constexpr UINT kMsgLengthBelowWidth = 109;
constexpr UINT kStringRangeMm = 4036, kStringRangeInch = 4037;
constexpr UINT kStringSize = 4429;  // two decimals: value / 100 and value % 100
constexpr UINT kStringDecimalSeparator = 4427;
constexpr UINT kStringOutOfRange = 4032;
constexpr UINT kStringLengthBelowWidth = 4033;
constexpr UINT kStringTitle = 4893;
constexpr int kNameLimit = 31;
constexpr int kSizeLimit = 5;

constexpr unsigned kOptionPaperSize = 111, kOptionCustomSize = 114, kOptionCustomArea = 115;
constexpr unsigned kOptionPaperSize2 = 116, kOptionCustomSize2 = 119, kOptionCustomArea2 = 120;
constexpr unsigned kOptionUserPaperKind = 129;
// The margins of the device data's user-paper record, 0.1 mm.
constexpr size_t kMarginLeft = devicedata::kUserPaper + 8, kMarginTop = devicedata::kUserPaper + 12;
constexpr size_t kMarginRight = devicedata::kUserPaper + 16, kMarginBottom = devicedata::kUserPaper + 20;
constexpr uint16_t kPaperCodeCustom = 256;

const MessageRow kMessages[] = {{kMsgSizeOutOfRange, kStringOutOfRange, kStringTitle, MB_ICONWARNING | MB_OK},
                                {kMsgLengthBelowWidth, kStringLengthBelowWidth, kStringTitle, MB_ICONWARNING | MB_OK}};

const DialogEntry kEntries[] = {
    {kCustomPaperDialogKind, CmProc::DialogProcFor<CustomPaperProc>, 0, IDD_CUSTOM_PAPER, nullptr},
};

std::string LoadText(UIDEVDATA* ctx, UINT id) {
    char text[64] = {};
    ctx->svc->LoadString(ctx, id, text, sizeof text);
    return text;
}

std::string DialogText(HWND dialog, int id) {
    char text[80] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

}  // namespace

Entry* CustomPaperProc::Selected() {
    auto& edit = paper_->EditEntries();
    return selected_ >= 0 && size_t(selected_) < edit.size() ? &edit[size_t(selected_)] : nullptr;
}

BOOL CustomPaperProc::OnInitDialog() {
    const BOOL answer = CmProc::OnInitDialog();
    UIDEVDATA* ctx = Request();
    CmUserData* user = ctx->svc->GetUserData(ctx);
    // The request's table when its user data made one: it reads the settings the user data
    // hands out, which while the dialog runs are the dialog's own copy, written back only on OK.
    paper_ = user ? dynamic_cast<CmCustomPaper*>(user->GetCustomPaper()) : nullptr;
    if (!paper_) {
        own_ = std::make_unique<CmCustomPaper>(ctx, 0);
        own_->SetDevmode(user ? user->GetSettingsSource() : Devmode());
        paper_ = own_.get();
    }
    // Built again: the sheet may have changed the paper since the table was made.
    if (!paper_->Reload()) return answer;
    paper_->BeginEdit();
    HWND list = GetDlgItem(Dialog(), IDC_USER_PAPER_LIST);
    selected_ = 0;
    const Entry* current = paper_->GetCurrent();
    for (const Entry& e : paper_->EditEntries()) {
        const std::string row = e.name.empty() ? e.label : e.label + ": " + e.name;
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
        if (current && e.kind == current->kind) selected_ = int(&e - paper_->EditEntries().data());
    }
    SendMessageA(list, LB_SETCURSEL, WPARAM(selected_), 0);
    SendDlgItemMessageA(Dialog(), IDC_USER_PAPER_NAME, EM_LIMITTEXT, kNameLimit, 0);
    SendDlgItemMessageA(Dialog(), IDC_PAPER_LENGTH, EM_LIMITTEXT, kSizeLimit, 0);
    SendDlgItemMessageA(Dialog(), IDC_PAPER_WIDTH, EM_LIMITTEXT, kSizeLimit, 0);
    ShowSelection();
    return answer;
}

void CustomPaperProc::ShowRanges(uint16_t unit) {
    UIDEVDATA* ctx = Request();
    const std::string format = LoadText(ctx, unit == kUnitInch ? kStringRangeInch : kStringRangeMm);
    const UserPaperLimit& lo = paper_->GetMin();
    const UserPaperLimit& hi = paper_->GetMax();
    auto range = [&](uint32_t min, uint32_t max) {
        char text[64] = {};
        std::snprintf(text, sizeof text, format.c_str(), int(min / 100), int((min / 10) % 10), int(max / 100),
                      int((max / 10) % 10));
        return std::string(text);
    };
    const bool inch = unit == kUnitInch;
    SetDlgItemTextA(Dialog(), IDC_PAPER_LENGTH_RANGE,
                    range(inch ? lo.lengthInch : lo.lengthMm, inch ? hi.lengthInch : hi.lengthMm).c_str());
    SetDlgItemTextA(Dialog(), IDC_PAPER_WIDTH_RANGE,
                    range(inch ? lo.widthInch : lo.widthMm, inch ? hi.widthInch : hi.widthMm).c_str());
}

void CustomPaperProc::ShowSelection() {
    const Entry* e = Selected();
    if (!e) return;
    showing_ = true;
    const bool inch = e->unit == kUnitInch;
    SetDlgItemTextA(Dialog(), IDC_USER_PAPER_NAME, e->name.c_str());
    CheckRadioButton(Dialog(), IDC_UNIT_MM, IDC_UNIT_INCH, inch ? IDC_UNIT_INCH : IDC_UNIT_MM);
    const std::string format = LoadText(Request(), kStringSize);
    auto shown = [&](uint32_t v) {
        char text[32] = {};
        std::snprintf(text, sizeof text, format.c_str(), int(v / 100), int(v % 100));
        return std::string(text);
    };
    SetDlgItemTextA(Dialog(), IDC_PAPER_LENGTH, shown(inch ? e->lengthInch : e->lengthMm).c_str());
    SetDlgItemTextA(Dialog(), IDC_PAPER_WIDTH, shown(inch ? e->widthInch : e->widthMm).c_str());
    ShowRanges(e->unit);
    showing_ = false;
}

bool CustomPaperProc::ReadSizes(uint32_t& length, uint32_t& width, int& badEdit, UINT& message) {
    const Entry* e = Selected();
    if (!e) return false;
    message = kMsgSizeOutOfRange;
    const std::string separator = LoadText(Request(), kStringDecimalSeparator);
    const char sep = separator.empty() ? '.' : separator.front();
    const bool inch = e->unit == kUnitInch;
    const UserPaperLimit& lo = paper_->GetMin();
    const UserPaperLimit& hi = paper_->GetMax();
    // Width first: its message comes before the length's.
    badEdit = IDC_PAPER_WIDTH;
    if (!formsize::ParseFixed(DialogText(Dialog(), IDC_PAPER_WIDTH), sep, 2, width) ||
        width < (inch ? lo.widthInch : lo.widthMm) || width > (inch ? hi.widthInch : hi.widthMm))
        return false;
    badEdit = IDC_PAPER_LENGTH;
    if (!formsize::ParseFixed(DialogText(Dialog(), IDC_PAPER_LENGTH), sep, 2, length) ||
        length < (inch ? lo.lengthInch : lo.lengthMm) || length > (inch ? hi.lengthInch : hi.lengthMm))
        return false;
    // The paper is fed short edge first: a size that is wider than long is turned, not taken.
    if (length < width) {
        badEdit = IDC_PAPER_WIDTH;
        message = kMsgLengthBelowWidth;
        return false;
    }
    return true;
}

void CustomPaperProc::PutSizes(Entry& e, uint16_t unit, uint32_t length, uint32_t width) {
    if (unit == kUnitInch) {
        e.lengthInch = length, e.widthInch = width;
        e.lengthMm = CmCustomPaper::ConvertLength(length, kInchToMm);
        e.widthMm = CmCustomPaper::ConvertLength(width, kInchToMm);
    } else {
        e.lengthMm = length, e.widthMm = width;
        e.lengthInch = CmCustomPaper::ConvertLength(length, kMmToInch);
        e.widthInch = CmCustomPaper::ConvertLength(width, kMmToInch);
    }
}

void CustomPaperProc::Refuse(int edit, UINT message) {
    if (CmMessage* messages = MessageCatalogue(Request())) messages->Show(Dialog(), message);
    HWND control = GetDlgItem(Dialog(), edit);
    SetFocus(control);
    SendMessageA(control, EM_SETSEL, 0, -1);
}

void CustomPaperProc::WriteCustomSize(uint8_t* dm, const Entry& e, bool pagePaper) {
    UIDEVDATA* ctx = Request();
    // The device mode holds 0.1 mm: width first (the low half), then length.
    const uint16_t size[2] = {static_cast<uint16_t>(e.widthMm / 10), static_cast<uint16_t>(e.lengthMm / 10)};
    // The printable area is the size less the printer's margins for user papers.
    uint16_t area[4] = {0, 0, size[0], size[1]};
    if (const DeviceData* data = ctx->svc->LoadDeviceData(ctx)) {
        const uint32_t left = data->U32(kMarginLeft), top = data->U32(kMarginTop);
        const uint32_t right = data->U32(kMarginRight), bottom = data->U32(kMarginBottom);
        area[0] = static_cast<uint16_t>(std::min<uint32_t>(left, size[0]));
        area[1] = static_cast<uint16_t>(std::min<uint32_t>(top, size[1]));
        area[2] = static_cast<uint16_t>(size[0] - std::min<uint32_t>(right, size[0]));
        area[3] = static_cast<uint16_t>(size[1] - std::min<uint32_t>(bottom, size[1]));
    }
    ctx->svc->SetOption(ctx, dm, pagePaper ? kOptionCustomSize : kOptionCustomSize2, size, sizeof size);
    ctx->svc->SetOption(ctx, dm, pagePaper ? kOptionCustomArea : kOptionCustomArea2, area, sizeof area);
    if (pagePaper) {
        publicdm::PutU16(dm, publicdm::kPaperWidth, size[0]);
        publicdm::PutU16(dm, publicdm::kPaperLength, size[1]);
    }
}

bool CustomPaperProc::Apply() {
    Entry* e = Selected();
    if (!e) return true;
    uint32_t length = 0, width = 0;
    int badEdit = 0;
    UINT message = 0;
    if (!ReadSizes(length, width, badEdit, message)) {
        Refuse(badEdit, message);
        return false;
    }
    e->name = DialogText(Dialog(), IDC_USER_PAPER_NAME).substr(0, kNameLimit);
    PutSizes(*e, e->unit, length, width);

    UIDEVDATA* ctx = Request();
    CmUserData* user = ctx->svc->GetUserData(ctx);
    uint8_t* dm = user ? user->GetSettingsSource() : Devmode();
    const int16_t kind = e->kind;
    ctx->svc->SetOption(ctx, dm, kOptionUserPaperKind, &kind, sizeof kind);
    uint16_t paper = 0, paper2 = 0;
    ctx->svc->GetOption(ctx, dm, kOptionPaperSize, &paper, sizeof paper);
    ctx->svc->GetOption(ctx, dm, kOptionPaperSize2, &paper2, sizeof paper2);
    if (paper == kPaperCodeCustom || paper2 == kPaperCodeCustom) WriteCustomSize(dm, *e, paper == kPaperCodeCustom);
    paper_->CommitEdit();
    paper_->StoreTable();
    paper_->SyncWithDevmode();
    return true;
}

BOOL CustomPaperProc::OnCommand(WORD id, WORD code) {
    if (!paper_ || paper_->GetEditCount() == 0) return CmProc::OnCommand(id, code);
    switch (id) {
    case IDC_USER_PAPER_LIST:
        if (code == LBN_SELCHANGE) {
            const LRESULT row = SendDlgItemMessageA(Dialog(), IDC_USER_PAPER_LIST, LB_GETCURSEL, 0, 0);
            if (row >= 0) selected_ = int(row);
            ShowSelection();
        }
        return TRUE;
    case IDC_USER_PAPER_NAME:
        if (code == EN_CHANGE && !showing_)
            if (Entry* e = Selected()) e->name = DialogText(Dialog(), IDC_USER_PAPER_NAME).substr(0, kNameLimit);
        return TRUE;
    case IDC_UNIT_MM:
    case IDC_UNIT_INCH:
        if (code == BN_CLICKED)
            if (Entry* e = Selected()) {
                // What was typed goes with the unit switch, converted.
                const std::string separator = LoadText(Request(), kStringDecimalSeparator);
                const char sep = separator.empty() ? '.' : separator.front();
                uint32_t length = 0, width = 0;
                if (formsize::ParseFixed(DialogText(Dialog(), IDC_PAPER_LENGTH), sep, 2, length) &&
                    formsize::ParseFixed(DialogText(Dialog(), IDC_PAPER_WIDTH), sep, 2, width))
                    PutSizes(*e, e->unit, length, width);
                e->unit = id == IDC_UNIT_INCH ? kUnitInch : kUnitMm;
                ShowSelection();
            }
        return TRUE;
    case IDOK:
        if (!Apply()) return TRUE;
        break;
    default: break;
    }
    return CmProc::OnCommand(id, code);
}

bool RegisterCustomPaperDialog() {
    return RegisterMessageRows(kCommonMessages, kMessages, std::size(kMessages)) &&
           RegisterDialogEntries(kEntries, std::size(kEntries)) && RegisterUserDefinedPaperDialog();
}

void UnregisterCustomPaperDialog() {
    UnregisterUserDefinedPaperDialog();
    UnregisterDialogEntries(kEntries);
    UnregisterMessageRows(kMessages);
}
