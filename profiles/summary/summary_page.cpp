// The summary's pages and sheet (see summary_page.h).
#include "profiles/summary/summary_page.h"

#include "core/device/service_table.h"
#include "data/resources/drvopui_ids.h"
#include "profiles/summary/view_settings.h"
#include "ui/dialog_registry.h"
#include "ui/sheet_data.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

namespace {

constexpr UINT kDialogType = 5;  // RT_DIALOG as a number
constexpr UINT kColumnLabel = 4420, kColumnValue = 4421;
constexpr int kColumnWidth = 210;
constexpr UINT kSectionTitles[kSummarySectionCount] = {8058, 8059, 8060, 8061, 8062};

ViewSettings* SummaryOf(UIDEVDATA* ctx) {
    CmUserData* user = ctx ? ctx->svc->GetUserData(ctx) : nullptr;
    return user ? dynamic_cast<ViewSettings*>(user->GetViewSettings()) : nullptr;
}

template <int Kind>
class SectionPage : public ViewSettingsProc {
public:
    SectionPage() : ViewSettingsProc(Kind) {}
};

constexpr DLGPROC kPageProcs[kSummarySectionCount] = {
    CmProc::DialogProcFor<SectionPage<100>>, CmProc::DialogProcFor<SectionPage<101>>,
    CmProc::DialogProcFor<SectionPage<102>>, CmProc::DialogProcFor<SectionPage<103>>,
    CmProc::DialogProcFor<SectionPage<104>>};

}  // namespace

BOOL CmViewSettingsProc::OnInitDialog() {
    const BOOL answer = CmProc::OnInitDialog();
    ChooseSection();
    UIDEVDATA* ctx = Request();
    HWND list = GetDlgItem(Dialog(), IDC_SUMMARY_LIST);
    ViewSettings* summary = SummaryOf(ctx);
    char* text = summary ? summary->GetSectionText(section_) : nullptr;
    for (int column = 0; column < 2 && list; ++column) {
        char title[64] = {};
        ctx->svc->LoadString(ctx, column ? kColumnValue : kColumnLabel, title, sizeof title);
        LVCOLUMNA c{};
        c.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        c.fmt = LVCFMT_LEFT;
        c.cx = kColumnWidth;
        c.pszText = title;
        c.iSubItem = column;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
    }
    FillList(list, text ? text : "", 0);
    ViewSettings::FreeText(text);
    if (list) {
        SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
        LVITEMA item{};
        item.stateMask = item.state = LVIS_FOCUSED | LVIS_SELECTED;
        SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
    }
    // The summary changes nothing to cancel: OK takes Cancel's place.
    HWND parent = GetParent(Dialog());
    HWND ok = parent ? GetDlgItem(parent, IDOK) : nullptr;
    HWND cancel = parent ? GetDlgItem(parent, IDCANCEL) : nullptr;
    if (ok && cancel) {
        RECT okRect, cancelRect;
        GetWindowRect(ok, &okRect);
        GetWindowRect(cancel, &cancelRect);
        POINT at{cancelRect.left, cancelRect.top};
        ScreenToClient(parent, &at);
        ShowWindow(cancel, SW_HIDE);
        SetWindowPos(ok, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    return answer;
}

BOOL CmViewSettingsProc::OnCommand(WORD id, WORD code) {
    const BOOL answer = CmProc::OnCommand(id, code);
    if (id == IDC_SUMMARY_COPY && code == BN_CLICKED)
        if (ViewSettings* summary = SummaryOf(Request())) summary->CopyToClipboard();
    return answer;
}

void CmViewSettingsProc::InsertLabel(HWND list, const char* text, int row) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<char*>(text);
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void CmViewSettingsProc::SetValue(HWND list, const char* text, int row) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = 1;
    item.pszText = const_cast<char*>(text);
    SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void CmViewSettingsProc::FillList(HWND list, const char* text, int) {
    if (!list || !text) return;
    std::vector<char> buffer(summary::kBufferSize, 0);
    size_t used = 0;
    int row = 0;
    const auto take = [&](char c) {
        if (used + 1 < buffer.size()) buffer[used++] = c;  // longer text is cut at 511
    };
    const auto clear = [&] {
        std::fill(buffer.begin(), buffer.end(), 0);
        used = 0;
    };
    for (const char* p = text; *p;) {
        const char c = *p++;
        if (c != ':' && c != '\t' && c != '\r') {
            take(c);
            continue;
        }
        InsertLabel(list, buffer.data(), row);
        clear();
        if (*p == '\n') {
            ++p;
            ++row;
            continue;
        }
        if (*p == '\t') ++p;
        // The value runs to the next CR, with any ':' or TAB in it kept; at the end of the text
        // there is no value to show.
        while (*p && *p != '\r') take(*p++);
        if (used) SetValue(list, buffer.data(), row);
        clear();
        if (*p == '\r') ++p;
        if (*p) ++p;
        ++row;
    }
}

void ViewSettingsProc::ChooseSection() {
    const int kind = DialogKind();
    section_ = kind >= kSummarySectionKind && kind < kSummarySectionKind + kSummarySectionCount ? kind - kSummarySectionKind : 0;
    if (section_ == 2) {
        ViewSettings* summary = SummaryOf(Request());
        if (summary && summary->LeavesOutSection2()) section_ = 0;
    }
}

INT_PTR OpenSettingsSummary(UIDEVDATA* ctx, HWND owner, LPARAM) {
    ViewSettings* summary = SummaryOf(ctx);
    if (!summary) return 0;
    DWORD size = 0;
    const void* page = ctx->svc->FindResource(ctx, IDD_SUMMARY_SECTION, kDialogType, &size);
    if (!page) return 0;
    std::vector<SHEETDATA> data(kSummarySectionCount);
    std::vector<PROPSHEETPAGEA> pages;
    char titles[kSummarySectionCount][32] = {};
    for (int k = 0; k < kSummarySectionCount; ++k) {
        if (k == 2 && summary->LeavesOutSection2()) continue;
        data[k] = {sizeof(SHEETDATA), ctx, 0, kSheetPage};
        ctx->svc->LoadString(ctx, kSectionTitles[k], titles[k], sizeof titles[k]);
        PROPSHEETPAGEA p{};
        p.dwSize = sizeof p;
        p.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
        p.pResource = static_cast<LPCDLGTEMPLATEA>(page);
        p.pszTitle = titles[k];
        p.pfnDlgProc = kPageProcs[k];
        p.lParam = reinterpret_cast<LPARAM>(&data[k]);
        pages.push_back(p);
    }
    char caption[64] = {};
    ctx->svc->LoadString(ctx, 8063, caption, sizeof caption);
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    header.hwndParent = owner;
    header.pszCaption = caption;
    header.nPages = static_cast<UINT>(pages.size());
    header.ppsp = pages.data();
    const INT_PTR result = PropertySheetA(&header);
    return result > 0 ? 1 : 0;
}

namespace {

CmModule* MakeViewSettings(UIDEVDATA* ctx) {
    try {
        return new ViewSettings(ctx);
    } catch (...) {
        return nullptr;  // without memory the request has no summary
    }
}

}  // namespace

bool RegisterViewSettings() {
    RegisterModuleFactory(kModuleViewSettings, MakeViewSettings);
    return RegisterDialogOpener(kSummaryDialogKind, OpenSettingsSummary);
}

void UnregisterViewSettings() {
    RegisterDialogOpener(kSummaryDialogKind, nullptr);
    RegisterModuleFactory(kModuleViewSettings, nullptr);
}
