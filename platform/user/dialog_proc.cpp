// DefDlgProcA, the window procedure of the dialog class: it asks the dialog procedure first and
// does the dialog's default work (default button, focus, closing) with what it leaves alone.
#include "platform/user/controls.h"
#include "platform/user/dialog.h"
#include "platform/user/window.h"

#include <cstring>

namespace user {
namespace {

bool hasDialogWords(const Window& w) {
    return w.extra.size() >= static_cast<size_t>(kDialogInfoOffset) + sizeof(LONG_PTR);
}

bool hasDialogWords(HWND hwnd) {
    const Window* w = Find(hwnd);
    return w && hasDialogWords(*w);
}

// GetWindowLongPtrA(hwnd, index) of a window with the dialog's words, read from its record: a
// click passes through DefDlgProcA for the page and again for the sheet.
LONG_PTR dialogWord(const Window& w, int index) {
    LONG_PTR word;
    std::memcpy(&word, w.extra.data() + index, sizeof word);
    return word;
}

// Messages whose answer is the dialog procedure's own return value, not DWLP_MSGRESULT.
bool answersDirectly(UINT msg) {
    switch (msg) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

// The button that is the default now: the one DM_SETDEFID named, else one styled as default.
HWND defaultButton(HWND dialog, const DialogInfo& info) {
    if (info.defId) return GetDlgItem(dialog, static_cast<int>(info.defId));
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return child;
    return nullptr;
}

void setDefaultId(HWND dialog, DialogInfo& info, UINT id) {
    HWND old = defaultButton(dialog, info);
    HWND now = GetDlgItem(dialog, static_cast<int>(id));
    if (old && old != now && (SendMessageA(old, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
        SendMessageA(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    info.defId = id;
    if (now && (SendMessageA(now, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
        SendMessageA(now, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

LRESULT defaultProcessing(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    DialogInfo* info = InfoOf(hwnd);
    switch (msg) {
    case WM_NCCREATE:
        if (hasDialogWords(hwnd) && !InfoOf(hwnd))
            SetWindowLongPtrA(hwnd, kDialogInfoOffset, reinterpret_cast<LONG_PTR>(new DialogInfo));
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_NCDESTROY:
        if (info) {
            SetWindowLongPtrA(hwnd, kDialogInfoOffset, 0);
            if (info->ownedFont) DeleteObject(info->ownedFont);
            delete info;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_SETFONT:
        if (info) info->font = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT:
        return info ? reinterpret_cast<LRESULT>(info->font) : 0;
    case DM_GETDEFID: {
        if (!info) return 0;
        HWND button = defaultButton(hwnd, *info);
        if (info->defId) return MAKELRESULT(info->defId, DC_HASDEFID);
        return button ? MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID) : 0;
    }
    case DM_SETDEFID:
        if (info) setDefaultId(hwnd, *info, static_cast<UINT>(wParam));
        return TRUE;
    case WM_NEXTDLGCTL: {
        HWND target = lParam ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0);
        if (target) SetFocus(target);
        return 0;
    }
    case WM_SETFOCUS: {
        HWND target = info && IsWindow(info->savedFocus) ? info->savedFocus : GetNextDlgTabItem(hwnd, nullptr, FALSE);
        if (target) SetFocus(target);
        return 0;
    }
    case WM_SHOWWINDOW:
        if (!wParam && info) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd, focus)) info->savedFocus = focus;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_CLOSE: {
        // Closing a dialog is pressing its Cancel button.
        HWND cancel = GetDlgItem(hwnd, IDCANCEL);
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_ERASEBKGND: {
        auto dc = reinterpret_cast<HDC>(wParam);
        auto brush = reinterpret_cast<HBRUSH>(SendMessageA(hwnd, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(hwnd)));
        if (!brush) brush = GetSysColorBrush(COLOR_BTNFACE);
        RECT client;
        GetClientRect(hwnd, &client);
        if (dc) FillRect(dc, &client, brush);
        return 1;
    }
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

DialogInfo* InfoOf(HWND dialog) {
    if (!hasDialogWords(dialog)) return nullptr;
    return reinterpret_cast<DialogInfo*>(GetWindowLongPtrA(dialog, kDialogInfoOffset));
}

LRESULT CALLBACK DialogWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefDlgProcA(hwnd, msg, wParam, lParam);
}

}  // namespace user

extern "C" LRESULT WINAPI DefDlgProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const user::Window* w = user::FromHandle(hwnd);
    if (!w) return 0;
    auto proc = user::hasDialogWords(*w) ? reinterpret_cast<DLGPROC>(user::dialogWord(*w, DWLP_DLGPROC)) : nullptr;
    if (proc) {
        INT_PTR handled = proc(hwnd, msg, wParam, lParam);
        // The procedure may have destroyed the window, or changed its words.
        w = user::Find(hwnd);
        if (handled || !w) {
            if (user::answersDirectly(msg) || !w) return handled;
            return user::hasDialogWords(*w) ? user::dialogWord(*w, DWLP_MSGRESULT) : GetWindowLongPtrA(hwnd, DWLP_MSGRESULT);
        }
    }
    return user::defaultProcessing(hwnd, msg, wParam, lParam);
}
