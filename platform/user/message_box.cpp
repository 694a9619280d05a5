// MessageBoxA: the owner is disabled while the box is up, the observer (a scripted user) chooses
// a button, and without one, or when it names a button the box does not have, the default button
// answers; nothing waits for a person.
#include "platform/user/hooks.h"
#include "platform/user/modal_observer.h"
#include "platform/user/window.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<int> buttonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OK: return {IDOK};
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE: return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default: return {};
    }
}

}  // namespace

extern "C" int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    std::vector<int> buttons = buttonsOf(type);
    if (buttons.empty() || (owner && !user::FromHandle(owner))) {
        if (buttons.empty()) SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    size_t defaultIndex = (type & MB_DEFMASK) >> 8;
    int answer = buttons[defaultIndex < buttons.size() ? defaultIndex : 0];
    HWND root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    bool disabled = root && IsWindowEnabled(root);
    if (disabled) EnableWindow(root, FALSE);
    if (const user::ModalObserver* o = user::CurrentModalObserver(); o && o->messageBox) {
        int chosen = o->messageBox(owner, text ? text : "", caption ? caption : "Error", type, o->context);
        if (std::find(buttons.begin(), buttons.end(), chosen) != buttons.end()) answer = chosen;
    }
    if (disabled && IsWindow(root)) EnableWindow(root, TRUE);
    return answer;
}
