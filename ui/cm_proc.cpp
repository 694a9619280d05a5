// The dialog base class: the router from window messages to handlers, the context of the
// current message, the answers to the sheet's notifications, help, and the object's life with its
// window.
#include "ui/cm_proc.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "ui/dialog_registry.h"

#include <winspool.h>

#include <cstring>
#include <vector>

namespace {

// What the router handles; everything else goes to the dialog manager.
bool RoutedMessage(UINT msg) {
    switch (msg) {
    case WM_INITDIALOG:
    case WM_DESTROY:
    case WM_COMMAND:
    case WM_NOTIFY:
    case kPageMessage:
    case WM_PAINT:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_HELP:
    case WM_CONTEXTMENU:
    case WM_MOUSEMOVE:
    case WM_ACTIVATE:
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED:
        return true;
    default:
        return false;
    }
}

int SignedLow(LPARAM value) { return static_cast<short>(LOWORD(value)); }
int SignedHigh(LPARAM value) { return static_cast<short>(HIWORD(value)); }

}  // namespace

CmProc::CmProc(int dialogKind, int pageId) : dialogKind_(dialogKind), pageId_(pageId) {}

CmProc::~CmProc() = default;

INT_PTR CmProc::Route(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, CmProc* (*make)()) {
    try {
        if (msg == WM_INITDIALOG) {
            // A second WM_INITDIALOG (sent by hand) must not leak the first object.
            delete reinterpret_cast<CmProc*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
            SetWindowLongPtrA(dialog, GWLP_USERDATA, 0);
            CmProc* object = make();
            SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
            object->dialog_ = dialog;
            return object->DialogProc(dialog, msg, wParam, reinterpret_cast<LPARAM>(SheetDataFromInitParam(lParam)));
        }
        // Messages before WM_INITDIALOG (the font, owner-drawn controls measured as they are made)
        // find no object yet and get the dialog manager's defaults.
        auto* object = reinterpret_cast<CmProc*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
        if (!object) return FALSE;
        const INT_PTR answer = object->DialogProc(dialog, msg, wParam, lParam);
        if (msg == WM_DESTROY) {
            SetWindowLongPtrA(dialog, GWLP_USERDATA, 0);
            delete object;
        }
        return answer;
    } catch (...) {
        // The pool's refusal of memory, or any other failure: the dialog goes on without the object.
        return FALSE;
    }
}

INT_PTR CmProc::DialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!WantsMessage(msg)) return FALSE;
    switch (msg) {
    case WM_INITDIALOG:
        dialog_ = dialog;
        sheetData_ = reinterpret_cast<SHEETDATA*>(lParam);
        ctx_ = sheetData_ ? sheetData_->ctx : nullptr;
        if (ctx_ && IsLiveUiDevData(ctx_)) {
            CmUserData* user = ctx_->svc->GetUserData(ctx_);
            devmode_ = user ? user->GetSettingsSource() : ctx_->svc->GetDevmode(ctx_, 3);
            printer_ = ctx_->svc->GetPrinterHandle(ctx_);
        } else {
            ctx_ = nullptr;
        }
        return OnInitDialog();
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    case WM_COMMAND:
        RecordMessageContext(msg, wParam, lParam);
        return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
        return lParam ? OnNotify(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam)) : FALSE;
    case kPageMessage: {
        // The sender reads the answer (SendMessage of a dialog answers its result word).
        const BOOL answer =
            lParam ? OnPageMessage(reinterpret_cast<HWND>(wParam), reinterpret_cast<PageMessageRecord*>(lParam)) : FALSE;
        SetMessageResult(answer);
        return answer;
    }
    case WM_PAINT:
        return OnPaint();
    case WM_DRAWITEM:
        if (!lParam) return FALSE;
        RecordMessageContext(msg, wParam, lParam);
        return OnDrawItem(static_cast<int>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_MEASUREITEM:
        if (!lParam) return FALSE;
        RecordMessageContext(msg, wParam, lParam);
        return OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_HSCROLL:
        RecordMessageContext(msg, wParam, lParam);
        return OnHScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), reinterpret_cast<HWND>(lParam));
    case WM_VSCROLL:
        RecordMessageContext(msg, wParam, lParam);
        return OnVScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), reinterpret_cast<HWND>(lParam));
    case WM_HELP:
        return lParam ? OnHelp(reinterpret_cast<HELPINFO*>(lParam)) : FALSE;
    case WM_CONTEXTMENU:
        return OnContextMenu(reinterpret_cast<HWND>(wParam), SignedLow(lParam), SignedHigh(lParam));
    case WM_MOUSEMOVE:
        return OnMouseMove(wParam, SignedLow(lParam), SignedHigh(lParam));
    case WM_ACTIVATE:
        return OnActivate(wParam, reinterpret_cast<HWND>(lParam));
    case WM_QUERYNEWPALETTE:
        return OnQueryNewPalette();
    case WM_PALETTECHANGED:
        return OnPaletteChanged(reinterpret_cast<HWND>(wParam));
    default:
        return FALSE;
    }
}

BOOL CmProc::WantsMessage(UINT msg) { return RoutedMessage(msg); }

void CmProc::SetControlContext(WORD id, HWND window, WORD code) {
    controlId_ = id;
    controlWindow_ = window;
    notifyCode_ = code;
}

void CmProc::RecordMessageContext(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        SetControlContext(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        SetControlContext(static_cast<WORD>(item->CtlID), item->hwndItem, static_cast<WORD>(item->itemAction));
        break;
    }
    case WM_MEASUREITEM: {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        const WORD id = static_cast<WORD>(item->CtlID);
        SetControlContext(id, dialog_ ? GetDlgItem(dialog_, id) : nullptr, 0);
        break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
        // A scroll bar of the dialog itself has no control window and no id.
        auto* control = reinterpret_cast<HWND>(lParam);
        SetControlContext(control ? static_cast<WORD>(GetDlgCtrlID(control)) : 0, control, LOWORD(wParam));
        break;
    }
    default:
        break;
    }
}

BOOL CmProc::OnInitDialog() {
    // A dialog of its own shows its title; a page's title is the sheet's tab.
    if (SheetKind() == kSheetModalDialog) {
        char title[256];
        if (LoadPageTitle(title, sizeof title) > 0) SetWindowTextA(dialog_, title);
    }
    UpdateControls();
    return TRUE;  // the dialog manager puts the focus on the first control
}

void CmProc::OnDestroy() { OnCloseHelp(); }

void CmProc::OnCloseHelp() {
    if (!helpShown_) return;
    helpShown_ = false;
    char file[MAX_PATH];
    if (GetHelpFilePath(file, sizeof file)) WinHelpA(dialog_, file, HELP_QUIT, 0);
}

BOOL CmProc::OpenButtonDialog(const DialogButton* table, WORD id) {
    for (; table && table->controlId; ++table) {
        if (table->controlId != id) continue;
        if (OpenDialogByKind(ctx_, dialog_, table->dialogKind, 0) == IDOK) UpdateControls();
        return TRUE;
    }
    return FALSE;
}

BOOL CmProc::OnCommand(WORD id, WORD code) {
    if (code == BN_CLICKED &&
        (OpenButtonDialog(GetDialogButtonTable(), id) || OpenButtonDialog(GetDialogListButtonTable(), id)))
        return TRUE;
    if ((id == IDOK || id == IDCANCEL) && SheetKind() == kSheetModalDialog) {
        EndDialog(dialog_, id);
        return TRUE;
    }
    return FALSE;
}

void CmProc::SetMessageResult(LRESULT result) {
    if (dialog_) SetWindowLongPtrA(dialog_, DWLP_MSGRESULT, result);
}

BOOL CmProc::OnNotify(int, NMHDR* header) {
    switch (header->code) {
    case PSN_SETACTIVE:
        OnSetActive();
        SetMessageResult(0);  // the page takes the activation
        return TRUE;
    case PSN_KILLACTIVE:
        // The handler's answer says it ran; the sheet needs FALSE to let the page go.
        OnKillActive();
        SetMessageResult(FALSE);
        return TRUE;
    case PSN_APPLY:
        SetMessageResult(OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
        return TRUE;
    case PSN_RESET:
        OnReset();
        SetMessageResult(0);
        return TRUE;
    case PSN_HELP:
        ShowHelp();
        SetMessageResult(0);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CmProc::OnPageMessage(HWND from, PageMessageRecord* record) {
    switch (record->code) {
    case kPageChanged: return OnPageChanged(from, record);
    case kPageNotice100: return OnPageMessage100(from, record);
    case kPageMessageBox: return OnPageMessage200(from, record);
    default: return FALSE;
    }
}

BOOL CmProc::OnPaint() { return FALSE; }
BOOL CmProc::OnDrawItem(int, DRAWITEMSTRUCT*) { return FALSE; }
BOOL CmProc::OnMeasureItem(int, MEASUREITEMSTRUCT*) { return FALSE; }
BOOL CmProc::OnHScroll(int, int, HWND) { return FALSE; }
BOOL CmProc::OnVScroll(int, int, HWND) { return FALSE; }

BOOL CmProc::OnHelp(HELPINFO* info) {
    const DWORD* table = GetHelpIdTable();
    if (!table || info->iContextType != HELPINFO_WINDOW || !info->hItemHandle) return FALSE;
    char file[MAX_PATH];
    if (!GetHelpFilePath(file, sizeof file)) return FALSE;
    helpShown_ = WinHelpA(static_cast<HWND>(info->hItemHandle), file, HELP_WM_HELP,
                          reinterpret_cast<ULONG_PTR>(table)) != FALSE || helpShown_;
    return TRUE;
}

BOOL CmProc::OnContextMenu(HWND window, int, int) {
    const DWORD* table = GetHelpIdTable();
    // A click on the dialog's own background has no control to explain.
    if (!table || !window || window == dialog_) return FALSE;
    char file[MAX_PATH];
    if (!GetHelpFilePath(file, sizeof file)) return FALSE;
    helpShown_ = WinHelpA(window, file, HELP_CONTEXTMENU, reinterpret_cast<ULONG_PTR>(table)) != FALSE || helpShown_;
    return TRUE;
}

BOOL CmProc::OnMouseMove(WPARAM, int, int) { return FALSE; }
BOOL CmProc::OnActivate(WPARAM, HWND) { return FALSE; }
BOOL CmProc::OnQueryNewPalette() { return FALSE; }
BOOL CmProc::OnPaletteChanged(HWND) { return FALSE; }
BOOL CmProc::OnSetActive() { return TRUE; }
BOOL CmProc::OnKillActive() { return TRUE; }

BOOL CmProc::OnApply() {
    if (!ctx_) return FALSE;
    uint8_t* current = ctx_->svc->GetDevmode(ctx_, 3);
    if (!current || !devmode_) return FALSE;
    if (!CommitDeviceOptions()) return FALSE;
    // A sheet of its own works on a copy; device-mode work edits the request's settings in place.
    if (devmode_ != current) std::memcpy(current, devmode_, ctx_->svc->GetDevmodeSize(ctx_, 1));
    return TRUE;
}

bool CmProc::CommitDeviceOptions() {
    CmUserData* user = ctx_->svc->GetUserData(ctx_);
    const uint8_t* sheetBlock = user ? user->GetDeviceOptionSource() : nullptr;
    const uint8_t* requestBlock = ctx_->svc->GetDeviceOption(ctx_);
    const DWORD size = ctx_->svc->GetDeviceOptionSize(ctx_);
    // The sheet's device options (spooling, the lock, ...) are the printer's, not the document's:
    // the printer takes them as the request's block does, and a block the printer refuses keeps
    // the sheet open rather than half committed.
    if (!sheetBlock || !requestBlock || sheetBlock == requestBlock || !size ||
        std::memcmp(sheetBlock, requestBlock, size) == 0)
        return true;
    return ctx_->svc->WriteDeviceOption(ctx_, sheetBlock) != FALSE;
}

BOOL CmProc::OnReset() { return TRUE; }
BOOL CmProc::OnPageChanged(HWND, PageMessageRecord*) { return FALSE; }
BOOL CmProc::OnPageMessage100(HWND, PageMessageRecord*) { return FALSE; }
BOOL CmProc::OnPageMessage200(HWND, PageMessageRecord*) { return FALSE; }
const DWORD* CmProc::GetHelpIdTable() { return nullptr; }

int CmProc::LoadPageTitle(LPSTR buffer, int size) {
    if (!buffer || size <= 0) return 0;
    *buffer = 0;
    return ctx_ ? ctx_->svc->LoadString(ctx_, static_cast<UINT>(pageId_), buffer, size) : 0;
}

void CmProc::UpdateControls() {}

BOOL CmProc::GetHelpFilePath(LPSTR buffer, DWORD size) {
    if (!buffer || size == 0) return FALSE;
    *buffer = 0;
    if (!printer_) return FALSE;
    DWORD needed = 0;
    GetPrinterDriverA(printer_, nullptr, 3, nullptr, 0, &needed);
    if (needed == 0) return FALSE;
    std::vector<BYTE> info(needed);
    if (!GetPrinterDriverA(printer_, nullptr, 3, info.data(), needed, &needed)) return FALSE;
    const char* file = reinterpret_cast<const DRIVER_INFO_3A*>(info.data())->pHelpFile;
    if (!file || !*file || std::strlen(file) >= size) return FALSE;
    std::memcpy(buffer, file, std::strlen(file) + 1);
    return TRUE;
}

const DialogButton* CmProc::GetDialogButtonTable() { return nullptr; }
const DialogButton* CmProc::GetDialogListButtonTable() { return nullptr; }
const DialogEntry* CmProc::GetDialogEntry() { return nullptr; }
const WORD* CmProc::GetItemList() { return nullptr; }
void CmProc::UpdateEnabledItems() {}
void CmProc::UpdateVisibleItems() {}

BOOL CmProc::ShowHelp() {
    char title[256];
    char file[MAX_PATH];
    if (LoadPageTitle(title, sizeof title) <= 0 || !GetHelpFilePath(file, sizeof file)) return FALSE;
    if (!WinHelpA(dialog_, file, HELP_KEY, reinterpret_cast<ULONG_PTR>(title))) return FALSE;
    helpShown_ = true;
    return TRUE;
}
