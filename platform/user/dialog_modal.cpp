// Modal dialogs: DialogBoxParamA disables the owner, runs the dialog's own message loop until
// EndDialog, then enables the owner and destroys the dialog. Nothing here waits for a person: once
// the observer (a scripted user) has acted and the queue is empty, a dialog still open is
// answered as a person pressing Cancel would, and one that ignores even that ends with IDCANCEL.
#include "platform/user/dialog.h"
#include "platform/user/hooks.h"
#include "platform/user/modal_observer.h"
#include "platform/user/window.h"

namespace user {
namespace {

bool ended(HWND dialog) {
    DialogInfo* info = InfoOf(dialog);
    return !info || info->ended;
}

// Runs what is queued for the dialog's thread; false when WM_QUIT arrived (it is posted again
// for the outer loop, as on the original).
bool pump(HWND dialog) {
    MSG msg;
    while (!ended(dialog) && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (FilterModalMessage(msg, MSGF_DIALOGBOX)) continue;
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

INT_PTR runModal(HINSTANCE instance, const DialogTemplate& tmpl, HWND parent, DLGPROC proc, LPARAM param) {
    HWND owner = parent ? GetAncestor(parent, GA_ROOT) : nullptr;
    if (parent && !owner) return 0;  // an invalid owner gives 0, every other failure -1
    bool disabledOwner = owner && IsWindowEnabled(owner);
    if (disabledOwner) EnableWindow(owner, FALSE);
    HWND dialog = CreateDialogFromTemplate(instance, tmpl, owner, proc, param, true);
    INT_PTR result = -1;
    if (dialog) {
        if (!ended(dialog)) {
            if (const ModalObserver* o = CurrentModalObserver(); o && o->dialogShown) o->dialogShown(dialog, o->context);
        }
        bool quit = IsWindow(dialog) && !pump(dialog);
        if (IsWindow(dialog) && !ended(dialog) && !quit) {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
            if (IsWindow(dialog)) pump(dialog);
        }
        if (IsWindow(dialog) && !ended(dialog)) EndDialog(dialog, IDCANCEL);
        if (DialogInfo* info = IsWindow(dialog) ? InfoOf(dialog) : nullptr) result = info->result;
        else result = IDCANCEL;  // destroyed by its own procedure without EndDialog
    }
    if (disabledOwner && IsWindow(owner)) EnableWindow(owner, TRUE);
    if (dialog && IsWindow(dialog)) DestroyWindow(dialog);
    if (owner && IsWindow(owner)) SetActiveWindow(owner);
    return result;
}

}  // namespace
}  // namespace user

extern "C" INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA tmpl, HWND parent,
                                                  DLGPROC proc, LPARAM param) {
    user::DialogTemplate parsed;
    if (!tmpl || !user::ParseDialogTemplate(reinterpret_cast<const uint8_t*>(tmpl), size_t(1) << 20, parsed)) {
        SetLastError(ERROR_INVALID_DATA);
        return -1;
    }
    return user::runModal(instance, parsed, parent, proc, param);
}

extern "C" INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param) {
    user::DialogTemplate parsed;
    if (!user::LoadDialogTemplate(instance, name, parsed)) return -1;
    return user::runModal(instance, parsed, parent, proc, param);
}

extern "C" BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
    user::DialogInfo* info = user::FromHandle(dialog) ? user::InfoOf(dialog) : nullptr;
    if (!info) return FALSE;
    info->ended = true;
    info->result = result;
    // The dialog disappears at once; a modal one is destroyed when its loop returns.
    ShowWindow(dialog, SW_HIDE);
    return TRUE;
}
