// The user-defined paper dialog over the core's paper table and form list. Forms are changed in
// the printer's form list when Register or Delete is pressed, so Cancel cannot take them back;
// the dialog's result then still says that forms changed.
#include "features/user_defined_paper_dialog.h"

#include "core/datafile/device_data.h"
#include "core/datafile/form_database.h"
#include "core/device/service_table.h"
#include "core/device/table_cursor_papers.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_ref.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "items/common/public_devmode.h"
#include "ui/cm_message.h"
#include "ui/dialog_registry.h"

#include <commctrl.h>
#include <strings.h>

#include <cstdio>
#include <iterator>

namespace {

using namespace formsize;

constexpr UINT kMsgDeleteForm = 104, kMsgNoFreeForm = 105, kMsgStandardName = 106, kMsgFormExists = 107;
constexpr UINT kMsgSizeOutOfRange = 108, kMsgLengthBelowWidth = 109, kMsgUnregistered = 110, kMsgRefused = 112;
constexpr UINT kMsgBadSizeMm = 1149, kMsgBadSizeInch = 1150;
constexpr UINT kStringTitle = 4893;

constexpr UINT kStringDefaultName = 4038, kStringPaperColumn = 4039, kStringSizeColumn = 4040;
constexpr UINT kStringRangeMm = 4036, kStringRangeInch = 4037;
constexpr UINT kStringSizeMm = 4439, kStringSizeInch = 4440, kStringUserForm = 10119;
constexpr UINT kStringDecimalSeparator = 4427;
constexpr int kNameLimit = 31;
constexpr int kSizeLimit = 6;

constexpr unsigned kOptionLayoutFlags = 110;  // bit 1: a separate output size
constexpr unsigned kOptionPaperCode = 112, kOptionPaperSize = 114, kOptionPaperArea = 115;
constexpr unsigned kOptionOutputCode = 117, kOptionOutputSize = 119, kOptionOutputArea = 120;
constexpr uint16_t kPaperCodeCustom = 256;

constexpr uint32_t kWidthEdited = 0x1, kLengthEdited = 0x2, kNameEdited = 0x4;

const MessageRow kMessages[] = {
    {kMsgDeleteForm, 4907, kStringTitle, MB_ICONQUESTION | MB_YESNO},
    {kMsgNoFreeForm, 4908, kStringTitle, MB_ICONWARNING | MB_OK},
    {kMsgStandardName, 4909, kStringTitle, MB_ICONWARNING | MB_OK},
    {kMsgFormExists, 4910, kStringTitle, MB_ICONQUESTION | MB_YESNO},
    {kMsgUnregistered, 4911, kStringTitle, MB_ICONQUESTION | MB_YESNO},
    {kMsgRefused, 4912, kStringTitle, MB_ICONWARNING | MB_OK},
    {kMsgBadSizeMm, 4913, kStringTitle, MB_ICONWARNING | MB_OK},
    {kMsgBadSizeInch, 4914, kStringTitle, MB_ICONWARNING | MB_OK},
    {1151, 4915, kStringTitle, MB_ICONINFORMATION | MB_OK},
    {1152, 4916, kStringTitle, MB_ICONINFORMATION | MB_OK},
};

const DialogEntry kEntries[] = {
    {kUserDefinedPaperDialogKind, CmProc::DialogProcFor<UserDefinedPaperProc>, 0, IDD_USER_DEFINED_PAPER, nullptr},
};

std::string DialogText(HWND dialog, int id) {
    char text[80] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool IsUserForm(uint16_t paperId) { return paperId >= kFirstFormPaperId && paperId <= kLastFormPaperId; }

}  // namespace

std::string UserDefinedPaperProc::LoadText(UINT id) const {
    char text[80] = {};
    Request()->svc->LoadString(Request(), id, text, sizeof text);
    return text;
}

char UserDefinedPaperProc::Separator() const {
    const std::string text = LoadText(kStringDecimalSeparator);
    return text.empty() ? '.' : text.front();
}

BOOL UserDefinedPaperProc::OnInitDialog() {
    const BOOL answer = CmProc::OnInitDialog();
    UIDEVDATA* ctx = Request();
    defaultName_ = LoadText(kStringDefaultName);
    const CmUserData* user = ctx->svc->GetUserData(ctx);
    unit_ = unitAtOpen_ = user && user->IsInchUnit() ? kUnitInch : kUnitMm;
    Limits record;
    uint32_t defaultWidth = 0, defaultLength = 0;
    if (const DeviceData* data = ctx->svc->LoadDeviceData(ctx)) {
        model_ = data->U16(devicedata::kModelNumber);
        defaultWidth = data->U32(devicedata::kUserPaper);
        defaultLength = data->U32(devicedata::kUserPaper + 4);
        record = {data->U32(devicedata::kUserPaper + 24), data->U32(devicedata::kUserPaper + 32),
                  data->U32(devicedata::kUserPaper + 28), data->U32(devicedata::kUserPaper + 36)};
        limits_ = LimitsFor(model_, data->U32(devicedata::kLanguageId), record);
    }

    HWND list = GetDlgItem(Dialog(), IDC_FORM_LIST);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const std::string titles[] = {LoadText(kStringPaperColumn), LoadText(kStringSizeColumn)};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = i == 0 ? 120 : 110;
        column.pszText = const_cast<char*>(titles[i].c_str());
        column.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, WPARAM(i), reinterpret_cast<LPARAM>(&column));
    }
    if (HIMAGELIST images = ctx->svc->LoadImageList(ctx, IDB_PAPER_KINDS, 16, 0, RGB(255, 0, 255)))
        SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    SendDlgItemMessageA(Dialog(), IDC_FORM_NAME, EM_LIMITTEXT, kNameLimit, 0);
    SendDlgItemMessageA(Dialog(), IDC_PAPER_WIDTH, EM_LIMITTEXT, kSizeLimit, 0);
    SendDlgItemMessageA(Dialog(), IDC_PAPER_LENGTH, EM_LIMITTEXT, kSizeLimit, 0);

    showing_ = true;
    SetDlgItemTextA(Dialog(), IDC_FORM_NAME, defaultName_.c_str());
    CheckRadioButton(Dialog(), IDC_UNIT_MM, IDC_UNIT_INCH, unit_ == kUnitInch ? IDC_UNIT_INCH : IDC_UNIT_MM);
    ShowSize(defaultWidth, defaultLength);
    showing_ = false;
    FillList(std::string());
    ShowRanges();
    return answer;
}

void UserDefinedPaperProc::FillList(const std::string& keep) {
    UIDEVDATA* ctx = Request();
    HWND list = GetDlgItem(Dialog(), IDC_FORM_LIST);
    filling_ = true;
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    rows_.clear();
    selected_ = -1;
    TableCursorRef<PaperCursor> papers(ctx, kTablePapers);
    if (!papers) {
        filling_ = false;
        return;
    }
    for (int more = papers->First(); more; more = papers->Next()) {
        if (papers->GetFlag(1)) continue;  // not offered
        Row row;
        char name[kFormNameField + 1] = {};
        papers->GetFormName(1, name, sizeof name);
        row.name = name;
        row.paperId = papers->GetWord(1);
        row.standard = papers->GetFlag(3) != 0;
        uint32_t size[2] = {};
        papers->GetFormSize(size, nullptr);
        row.width = size[0], row.length = size[1];
        rows_.push_back(row);
    }
    const std::string userMark = LoadText(kStringUserForm);
    const std::string format = LoadText(unit_ == kUnitInch ? kStringSizeInch : kStringSizeMm);
    for (size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        std::string name = row.name + (IsUserForm(row.paperId) ? userMark : "");
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
        item.iItem = static_cast<int>(i);
        item.pszText = name.data();
        item.lParam = static_cast<LPARAM>(i);
        item.iImage = IsUserForm(row.paperId) ? 1 : 0;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        char size[64] = {};
        if (unit_ == kUnitInch) {
            const uint32_t w = TenthMmToHundredthInch(row.width), l = TenthMmToHundredthInch(row.length);
            std::snprintf(size, sizeof size, format.c_str(), int(w / 100), int(w % 100), int(l / 100), int(l % 100));
        } else {
            std::snprintf(size, sizeof size, format.c_str(), int(row.width / 10), int(row.width % 10),
                          int(row.length / 10), int(row.length % 10));
        }
        LVITEMA sub{};
        sub.iSubItem = 1;
        sub.pszText = size;
        SendMessageA(list, LVM_SETITEMTEXTA, WPARAM(i), reinterpret_cast<LPARAM>(&sub));
        // The row that was chosen stays chosen; what was typed stays in the edits.
        if (!keep.empty() && selected_ < 0 && strcasecmp(row.name.c_str(), keep.c_str()) == 0) {
            selected_ = static_cast<int>(i);
            LVITEMA state{};
            state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            state.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageA(list, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&state));
        }
    }
    filling_ = false;
    UpdateButtons();
}

void UserDefinedPaperProc::ShowRanges() {
    // Both units at once: the limits are metric, and the inch ranges show what they come to.
    const std::string mm = LoadText(kStringRangeMm), inch = LoadText(kStringRangeInch);
    // The ranges show tenths (of a millimetre or an inch) from hundredths, rounded inwards: an
    // inch bound cut downwards would show a minimum the dialog then refuses (98 mm is 3.86 in).
    auto range = [](const std::string& format, uint32_t min, uint32_t max) {
        const uint32_t low = (min + 9) / 10, high = max / 10;
        char text[64] = {};
        std::snprintf(text, sizeof text, format.c_str(), int(low / 10), int(low % 10), int(high / 10),
                      int(high % 10));
        return std::string(text);
    };
    const Limits& l = limits_;
    SetDlgItemTextA(Dialog(), IDC_PAPER_WIDTH_RANGE, range(mm, l.minWidth * 10, l.maxWidth * 10).c_str());
    SetDlgItemTextA(Dialog(), IDC_PAPER_LENGTH_RANGE, range(mm, l.minLength * 10, l.maxLength * 10).c_str());
    SetDlgItemTextA(Dialog(), IDC_PAPER_WIDTH_RANGE_INCH,
                    range(inch, TenthMmToHundredthInch(l.minWidth), TenthMmToHundredthInch(l.maxWidth)).c_str());
    SetDlgItemTextA(Dialog(), IDC_PAPER_LENGTH_RANGE_INCH,
                    range(inch, TenthMmToHundredthInch(l.minLength), TenthMmToHundredthInch(l.maxLength)).c_str());
}

void UserDefinedPaperProc::ShowSize(uint32_t width, uint32_t length) {
    const char sep = Separator();
    auto shown = [&](uint32_t v) {
        char text[32] = {};
        if (unit_ == kUnitInch) {
            const uint32_t h = TenthMmToHundredthInch(v);
            std::snprintf(text, sizeof text, "%u%c%02u", h / 100, sep, h % 100);
        } else {
            std::snprintf(text, sizeof text, "%u%c%u", v / 10, sep, v % 10);
        }
        return std::string(text);
    };
    const bool before = showing_;
    showing_ = true;
    SetDlgItemTextA(Dialog(), IDC_PAPER_WIDTH, shown(width).c_str());
    SetDlgItemTextA(Dialog(), IDC_PAPER_LENGTH, shown(length).c_str());
    showing_ = before;
}

void UserDefinedPaperProc::UpdateButtons() {
    const std::string name = DialogText(Dialog(), IDC_FORM_NAME);
    EnableWindow(GetDlgItem(Dialog(), IDC_FORM_REGISTER), !name.empty() && name != defaultName_);
    const bool form = selected_ >= 0 && IsUserForm(rows_[size_t(selected_)].paperId);
    EnableWindow(GetDlgItem(Dialog(), IDC_FORM_DELETE), form);
}

void UserDefinedPaperProc::SelectRow(int index) {
    if (index < 0 || size_t(index) >= rows_.size()) return;
    selected_ = index;
    const Row& row = rows_[size_t(index)];
    showing_ = true;
    SetDlgItemTextA(Dialog(), IDC_FORM_NAME, row.name.c_str());
    ShowSize(row.width, row.length);
    showing_ = false;
    changed_ = 0;
    UpdateButtons();
}

void UserDefinedPaperProc::SwitchUnit(int unit) {
    if (unit == unit_) return;
    const char sep = Separator();
    uint32_t typedWidth = 0, typedLength = 0, width = 0, length = 0;
    const bool read = ParseSize(DialogText(Dialog(), IDC_PAPER_WIDTH), unit_, sep, typedWidth, width) &&
                      ParseSize(DialogText(Dialog(), IDC_PAPER_LENGTH), unit_, sep, typedLength, length);
    unit_ = unit;
    // What was typed goes with the switch, converted; a text that is no size stays as typed.
    if (read) ShowSize(width, length);
    FillList(selected_ >= 0 ? rows_[size_t(selected_)].name : std::string());
}

int UserDefinedPaperProc::Refuse(UINT message, int edit, const char* argument) {
    CmMessage* messages = MessageCatalogue(Request());
    const int answer = !messages ? 0 : argument ? messages->ShowWithArg(Dialog(), message, argument)
                                                : messages->Show(Dialog(), message);
    if (edit) {
        HWND control = GetDlgItem(Dialog(), edit);
        SetFocus(control);
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
    return answer;
}

bool UserDefinedPaperProc::Register() {
    UIDEVDATA* ctx = Request();
    const std::string name = DialogText(Dialog(), IDC_FORM_NAME).substr(0, kNameLimit);
    const char sep = Separator();
    const UINT badSize = unit_ == kUnitInch ? kMsgBadSizeInch : kMsgBadSizeMm;
    uint32_t typedWidth = 0, typedLength = 0, width = 0, length = 0;
    if (!ParseSize(DialogText(Dialog(), IDC_PAPER_WIDTH), unit_, sep, typedWidth, width))
        return Refuse(badSize, IDC_PAPER_WIDTH), false;
    if (!ParseSize(DialogText(Dialog(), IDC_PAPER_LENGTH), unit_, sep, typedLength, length))
        return Refuse(badSize, IDC_PAPER_LENGTH), false;
    const uint32_t problems = CheckSize(limits_, unit_, typedWidth, typedLength, width, length);

    // Advice first, and only for a size the printer takes; the size is still registered.
    if (!(problems & (kWidthOutOfRange | kLengthOutOfRange)))
        for (unsigned advice : AdviceFor(model_, width, length))
            if (CmMessage* messages = MessageCatalogue(ctx)) messages->Show(Dialog(), advice);
    if (problems & kWidthOutOfRange) return Refuse(kMsgSizeOutOfRange, IDC_PAPER_WIDTH), false;
    if (problems & kLengthOutOfRange) return Refuse(kMsgSizeOutOfRange, IDC_PAPER_LENGTH), false;
    if (problems & kLengthBelowWidth) return Refuse(kMsgLengthBelowWidth, IDC_PAPER_WIDTH), false;

    const bool custom = selected_ >= 0 && rows_[size_t(selected_)].paperId == kPaperCodeCustom &&
                        rows_[size_t(selected_)].name == name;
    if (custom) {
        if (!ctx->svc->SetUserPaperSize(ctx, LONG(width), LONG(length))) return Refuse(kMsgRefused, 0), false;
    } else {
        bool change = false;
        for (const Row& row : rows_) {
            // A standard paper's name is compared exactly, a form's without regard to case, as the
            // form list itself compares them.
            if (row.standard && row.name == name) return Refuse(kMsgStandardName, IDC_FORM_NAME), false;
            if (IsUserForm(row.paperId) && strcasecmp(row.name.c_str(), name.c_str()) == 0) change = true;
        }
        if (change && Refuse(kMsgFormExists, IDC_FORM_NAME) != IDYES) return false;
        TableCursorRef<FormDatabase> forms(ctx, kTableForms);
        if (!forms) return Refuse(kMsgRefused, 0), false;
        if (!change) {
            FormEntry entry;
            if (forms->Enumerate(kMaxForms - 1, entry) == kTableDone)
                return Refuse(kMsgNoFreeForm, IDC_FORM_NAME, std::to_string(kMaxForms).c_str()), false;
        }
        const int answer = change ? forms->Change(name.c_str(), 0, width, length) : forms->Add(name.c_str(), 0, width, length);
        if (answer != kTableDone) return Refuse(kMsgRefused, 0), false;
    }
    ctx->svc->RefreshTable(ctx, 1);
    ApplyFormToDevmode(name);
    FillList(name);
    changed_ = 0;
    formsChanged_ = true;
    UpdateButtons();
    return true;
}

void UserDefinedPaperProc::Delete() {
    if (selected_ < 0 || !IsUserForm(rows_[size_t(selected_)].paperId)) return;
    if (Refuse(kMsgDeleteForm, 0) == IDNO) return;
    UIDEVDATA* ctx = Request();
    TableCursorRef<FormDatabase> forms(ctx, kTableForms);
    if (!forms || forms->Delete(rows_[size_t(selected_)].name.c_str()) != kTableDone) {
        Refuse(kMsgRefused, 0);
        return;
    }
    ctx->svc->RefreshTable(ctx, 1);
    FillList(std::string());
    formsChanged_ = true;
}

void UserDefinedPaperProc::ApplyFormToDevmode(const std::string& name) {
    UIDEVDATA* ctx = Request();
    CmUserData* user = ctx->svc->GetUserData(ctx);
    uint8_t* dm = user ? user->GetSettingsSource() : Devmode();
    TableCursorRef<PaperCursor> papers(ctx, kTablePapers);
    if (!dm || !papers) return;
    // The paper of an option, when it is the form: its size and printable area as 16-bit words.
    auto sizeOf = [&](unsigned codeOption, uint16_t (&size)[2], uint16_t (&area)[4]) {
        uint16_t code = 0;
        ctx->svc->GetOption(ctx, dm, codeOption, &code, sizeof code);
        char paperName[kFormNameField + 1] = {};
        if (!papers->Select(code) || !papers->GetFormName(1, paperName, sizeof paperName) || name != paperName)
            return false;
        uint32_t s[2] = {};
        int32_t a[4] = {};
        papers->GetFormSize(s, a);
        for (int i = 0; i < 2; ++i) size[i] = static_cast<uint16_t>(s[i]);
        for (int i = 0; i < 4; ++i) area[i] = static_cast<uint16_t>(a[i]);
        return true;
    };
    uint16_t size[2] = {}, area[4] = {};
    if (sizeOf(kOptionPaperCode, size, area)) {
        ctx->svc->SetOption(ctx, dm, kOptionPaperSize, size, sizeof size);
        ctx->svc->SetOption(ctx, dm, kOptionPaperArea, area, sizeof area);
        uint32_t flags = 0;
        ctx->svc->GetOption(ctx, dm, kOptionLayoutFlags, &flags, sizeof flags);
        if (!(flags & 0x2)) {
            ctx->svc->SetOption(ctx, dm, kOptionOutputSize, size, sizeof size);
            ctx->svc->SetOption(ctx, dm, kOptionOutputArea, area, sizeof area);
        }
        publicdm::PutU16(dm, publicdm::kPaperWidth, size[0]);
        publicdm::PutU16(dm, publicdm::kPaperLength, size[1]);
    }
    if (sizeOf(kOptionOutputCode, size, area)) {
        ctx->svc->SetOption(ctx, dm, kOptionOutputSize, size, sizeof size);
        ctx->svc->SetOption(ctx, dm, kOptionOutputArea, area, sizeof area);
    }
}

bool UserDefinedPaperProc::EndWith(bool ok) {
    if (ok && changed_ && Refuse(kMsgUnregistered, 0) == IDNO) return false;
    // 1 (the caller takes the settings) when forms or the unit changed, else 2.
    const bool changed = formsChanged_ || (ok && unit_ != unitAtOpen_);
    EndDialog(Dialog(), changed ? IDOK : IDCANCEL);
    return true;
}

BOOL UserDefinedPaperProc::OnCommand(WORD id, WORD code) {
    switch (id) {
    case IDC_FORM_NAME:
    case IDC_PAPER_WIDTH:
    case IDC_PAPER_LENGTH:
        if (code == EN_CHANGE && !showing_) {
            changed_ |= id == IDC_PAPER_WIDTH ? kWidthEdited : id == IDC_PAPER_LENGTH ? kLengthEdited : kNameEdited;
            UpdateButtons();
        }
        return TRUE;
    case IDC_UNIT_MM:
    case IDC_UNIT_INCH:
        if (code == BN_CLICKED) SwitchUnit(id == IDC_UNIT_INCH ? kUnitInch : kUnitMm);
        return TRUE;
    case IDC_FORM_REGISTER:
        if (code == BN_CLICKED) Register();
        return TRUE;
    case IDC_FORM_DELETE:
        if (code == BN_CLICKED) Delete();
        return TRUE;
    case IDOK:
    case IDCANCEL:
        EndWith(id == IDOK);
        return TRUE;
    default:
        return CmProc::OnCommand(id, code);
    }
}

BOOL UserDefinedPaperProc::OnNotify(int id, NMHDR* header) {
    if (id != IDC_FORM_LIST || header->code != LVN_ITEMCHANGED) return CmProc::OnNotify(id, header);
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (!filling_ && (change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED)) SelectRow(change->iItem);
    return TRUE;
}

bool RegisterUserDefinedPaperDialog() {
    return RegisterMessageRows(kCommonMessages, kMessages, std::size(kMessages)) &&
           RegisterDialogEntries(kEntries, std::size(kEntries));
}

void UnregisterUserDefinedPaperDialog() {
    UnregisterDialogEntries(kEntries);
    UnregisterMessageRows(kMessages);
}
