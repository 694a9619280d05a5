// The settings page: a dispatcher from the page's messages to the sheet's item registry, with
// the translation of the previews' page messages into preview keys.
#include "ui/sv_proc.h"

#include "core/helpers/dialog_helpers.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "settings/registry/conflict.h"
#include "settings/items/value_views.h"
#include "data/resources/drvopui_ids.h"
#include "ui/page_preview.h"
#include "ui/sheet_change.h"

namespace {

constexpr WORD kDefaultsButton = 9002;
constexpr WORD kCloseButton = 10438;
constexpr DWORD kPreviewValueOption = 201;

bool IsCommonControl(int id) { return (id >= 10010 && id <= 10013) || (id >= 10436 && id <= 10438); }

}  // namespace

CmSvConflict* CmSvProc::Registry() const { return RegistryOf(Request()); }

uint32_t CmSvProc::SetOf(int controlId) const {
    return IsCommonControl(controlId) ? 0u : static_cast<uint32_t>(PageId());
}

BOOL CmSvProc::OnInitDialog() {
    const BOOL answer = CmProc::OnInitDialog();
    if (CmSvConflict* registry = Registry()) registry->UpdatePageControls(Request(), Dialog(), PageId(), 0);
    UIDEVDATA* ctx = Request();
    CmUserData* user = ctx ? ctx->svc->GetUserData(ctx) : nullptr;
    if (HWND picture = GetDlgItem(Dialog(), IDC_PAGE_PREVIEW); picture && user && !preview_)
        preview_ = CreatePagePreview(picture, ctx, user->GetSettingsSource(), PageId());
    return answer;
}

void CmSvProc::OnDestroy() {
    // The picture lets go of its control while the control still exists.
    delete preview_;
    preview_ = nullptr;
    CmProc::OnDestroy();
}

void CmSvProc::UpdatePreview() const {
    if (preview_) preview_->Update();
}

BOOL CmSvProc::OnQueryNewPalette() { return preview_ ? preview_->OnQueryNewPalette() : CmProc::OnQueryNewPalette(); }

BOOL CmSvProc::OnPaletteChanged(HWND changer) {
    return preview_ ? preview_->OnPaletteChanged(changer) : CmProc::OnPaletteChanged(changer);
}

BOOL CmSvProc::OnCommand(WORD id, WORD code) {
    const SheetChangeWatch watch(Request(), Dialog(), SheetKind());
    const BOOL answer = Command(id, code);
    watch.Tell();
    UpdatePreview();
    return answer;
}

BOOL CmSvProc::Command(WORD id, WORD code) {
    const BOOL base = CmProc::OnCommand(id, code);
    CmSvConflict* registry = Registry();
    if (!registry || registry->busy) return base;
    UIDEVDATA* ctx = Request();
    registry->closeRequested = 0;
    if (registry->revertPending == 1) {
        registry->revertPending = 0;
        registry->RevertAll(ctx);
    }
    int answer = 0;
    if (IsCommonControl(id) && id != kCloseButton) {
        answer = registry->OnControlCommand(ctx, Dialog(), 0, id);
    } else if (id == kCloseButton) {
        registry->closeRequested = 1;
        registry->OnControlCommand(ctx, Dialog(), 0, id);
        answer = 1;
    } else if (id == IDCANCEL) {
        answer = registry->OnControlCommand(ctx, Dialog(), PageId(), id);
        registry->pendingRefresh = 0;
        registry->revertPending = 1;
    } else if (id == kDefaultsButton) {
        registry->OnControlCommand(ctx, Dialog(), PageId(), id);
        registry->ApplyPageAndChildren(ctx, PageId());
        // The defaults are shown whether or not a button item of the page asked for a refresh,
        // and only then does the focus leave a control they disabled.
        registry->UpdatePageControls(ctx, Dialog(), PageId(), 1);
        FocusNextEnabledItem(GetFocus(), Dialog());
        registry->pendingRefresh = 0;
        answer = 1;
    } else {
        answer = registry->OnControlCommand(ctx, Dialog(), PageId(), id);
    }
    if (registry->pendingRefresh == 1) registry->UpdatePageControls(ctx, Dialog(), PageId(), 1);
    return answer == 1 ? TRUE : base;
}

BOOL CmSvProc::OnNotify(int id, NMHDR* header) {
    CmSvConflict* registry = Registry();
    switch (header->code) {
    case PSN_SETACTIVE:
    case PSN_KILLACTIVE:
    case PSN_APPLY:
    case PSN_RESET:
    case PSN_HELP:
        return CmProc::OnNotify(id, header);
    default:
        break;
    }
    if (!registry) return FALSE;
    UIDEVDATA* ctx = Request();
    const auto control = static_cast<int32_t>(header->idFrom);
    const SheetChangeWatch watch(ctx, Dialog(), SheetKind());
    int answer;
    switch (header->code) {
    case LVN_ITEMCHANGING:
        answer = registry->ForwardListView1(ctx, Dialog(), PageId(), control, reinterpret_cast<NMLISTVIEW*>(header));
        break;
    case LVN_ITEMCHANGED:
        answer = registry->ForwardListView2(ctx, Dialog(), PageId(), control, reinterpret_cast<NMLISTVIEW*>(header));
        break;
    case LVN_COLUMNCLICK:
        answer = registry->ForwardListView3(ctx, Dialog(), PageId(), control, reinterpret_cast<NMLISTVIEW*>(header));
        break;
    case UDN_DELTAPOS:
        answer = registry->ForwardDeltaPos(ctx, Dialog(), PageId(), reinterpret_cast<NMUPDOWN*>(header));
        if (answer == 1) registry->UpdatePageControls(ctx, Dialog(), PageId(), 1);
        break;
    default:
        return FALSE;  // the tab control's own notifications among them
    }
    // The control reads the answer: a change the item made itself, or refused, is not made again.
    SetMessageResult(answer);
    watch.Tell();
    UpdatePreview();
    return TRUE;
}

BOOL CmSvProc::OnDrawItem(int id, DRAWITEMSTRUCT* item) {
    const BOOL answer = CmProc::OnDrawItem(id, item);
    if (CmSvConflict* registry = Registry())
        registry->ForwardDrawItem(Request(), ControlWindow(), SetOf(id), id, item);
    return answer;
}

BOOL CmSvProc::OnMeasureItem(int id, MEASUREITEMSTRUCT* item) {
    const BOOL answer = CmProc::OnMeasureItem(id, item);
    if (CmSvConflict* registry = Registry()) registry->ForwardMeasureItem(Request(), SetOf(id), id, item);
    return answer;
}

BOOL CmSvProc::Scroll(int code, bool horizontal) {
    // SB_TOP and SB_BOTTOM come from the keyboard's Home and End on a scroll bar, not a track bar.
    if (code < SB_LINEUP || (code > SB_THUMBTRACK && code != SB_ENDSCROLL)) return FALSE;
    CmSvConflict* registry = Registry();
    if (!registry) return FALSE;
    auto* scroll = dynamic_cast<CmSvScroll*>(registry->FindControlItem(PageId(), ControlId()));
    if (!scroll) return FALSE;
    const SheetChangeWatch watch(Request(), Dialog(), SheetKind());
    const BOOL answer = horizontal ? scroll->OnHScroll(Request(), Dialog()) : scroll->OnVScroll(Request(), Dialog());
    watch.Tell();
    UpdatePreview();
    return answer;
}

BOOL CmSvProc::OnHScroll(int code, int, HWND) { return Scroll(code, true); }
BOOL CmSvProc::OnVScroll(int code, int, HWND) { return Scroll(code, false); }

BOOL CmSvProc::OnSetActive() {
    if (CmSvConflict* registry = Registry()) registry->RefreshPage(Request(), Dialog(), PageId());
    UpdatePreview();
    return TRUE;
}

BOOL CmSvProc::OnKillActive() {
    if (preview_) preview_->CancelTracking();
    if (CmSvConflict* registry = Registry()) registry->skipNextRefresh = 0;
    return TRUE;  // handled; the base tells the sheet the page may go
}

BOOL CmSvProc::OnApply() {
    const BOOL answer = CmProc::OnApply();
    if (CmSvConflict* registry = Registry()) registry->skipNextRefresh = 1;
    return answer;
}

BOOL CmSvProc::OnReset() {
    CmSvConflict* registry = Registry();
    if (!registry) return CmProc::OnReset();
    const DWORD kind = SheetKind();
    if (kind != 0 && kind != kSheetForeignPage && kind != 6) registry->revertPending = 1;
    registry->pendingRefresh = 0;
    return TRUE;
}

int CmSvProc::PreviewKeyOf(DWORD kind, DWORD subCode, int16_t value) {
    switch (kind) {
    case 0: return 0;
    case 1: return 1;
    case 2: return 3;
    case 3: return 4;
    case 5: return 15;
    case 8: return 19;
    case 4: break;
    default: return -1;
    }
    switch (subCode) {
    case 0:
        switch (value) {
        case 0: return 5;
        case 1: return 9;
        case 2: return 10;
        case 4: return 11;
        default: return -1;
        }
    case 1:
        switch (value) {
        case 0: return 5;
        case 1: return 6;
        case 2: return 7;
        default: return -1;
        }
    case 2: return 8;
    case 3: return value == 1 ? 12 : value == 2 ? 13 : -1;
    case 4: return 14;
    case 5: return 17;
    case 6: return 18;
    default: return -1;
    }
}

BOOL CmSvProc::OnPageChanged(HWND, PageMessageRecord* record) {
    UIDEVDATA* ctx = Request();
    int16_t value = 0;
    if (record->subCode == 4 && ctx) {
        CmUserData* user = ctx->svc->GetUserData(ctx);
        if (user) ctx->svc->GetOption(ctx, user->GetSettingsSource(), kPreviewValueOption, &value, sizeof value);
    }
    const int key = PreviewKeyOf(record->subCode, record->first, value);
    CmSvConflict* registry = Registry();
    if (key < 0 || !registry) return FALSE;
    const SheetChangeWatch watch(ctx, Dialog(), SheetKind());
    const int answer = registry->OnPreviewEvent(ctx, static_cast<uint32_t>(key), record->first, record->first & 0xFFFF,
                                                static_cast<intptr_t>(record->second & 0xFFFF), 0);
    if (answer != 0) registry->UpdatePageControls(ctx, Dialog(), PageId(), 1);
    watch.Tell();
    UpdatePreview();
    return answer;
}
