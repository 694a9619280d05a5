// Keyboard navigation of dialogs: the tab order (creation order, walking into controls that hold
// controls of their own), radio groups bounded by WS_GROUP, and IsDialogMessageA turning Tab,
// arrows, Enter and Escape into focus moves and button presses.
#include "platform/user/dialog.h"
#include "platform/user/window.h"

#include <algorithm>

namespace {

thread_local bool t_shiftDown = false;

bool usable(HWND hwnd) {
    user::Window* w = user::Find(hwnd);
    return w && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED);
}

// Every control of the dialog in tab order, including those inside control parents.
void tabOrder(HWND parent, std::vector<HWND>& out) {
    user::Window* w = user::Find(parent);
    if (!w) return;
    for (HWND child : w->children) {
        user::Window* c = user::Find(child);
        if (!c) continue;
        if ((c->exStyle & WS_EX_CONTROLPARENT) && usable(child)) tabOrder(child, out);
        else out.push_back(child);
    }
}

// GetWindowLongA(hwnd, GWL_STYLE) & WS_GROUP, with its refusal of a handle of no window.
bool startsGroup(HWND hwnd) {
    user::Window* w = user::FromHandle(hwnd);
    return w && (w->style & WS_GROUP);
}

bool tabStop(HWND hwnd) { return usable(hwnd) && (GetWindowLongA(hwnd, GWL_STYLE) & WS_TABSTOP); }

HWND buttonFor(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    return button;
}

void press(HWND dialog, int id) {
    HWND button = buttonFor(dialog, id);
    if (button && !IsWindowEnabled(button)) return;  // a disabled default does nothing
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

}  // namespace

extern "C" HWND WINAPI GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    if (!user::FromHandle(dialog)) return nullptr;
    std::vector<HWND> order;
    tabOrder(dialog, order);
    if (order.empty()) return nullptr;
    if (previous) std::reverse(order.begin(), order.end());
    auto at = std::find(order.begin(), order.end(), control);
    size_t n = order.size();
    size_t start = at == order.end() ? n - 1 : static_cast<size_t>(at - order.begin());
    for (size_t step = 1; step <= n; ++step) {
        HWND candidate = order[(start + step) % n];
        if (tabStop(candidate)) return candidate;
    }
    return control;
}

extern "C" HWND WINAPI GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
    if (!user::FromHandle(dialog)) return nullptr;
    const user::Window* c = user::FromHandle(control);
    if (!c) return nullptr;
    // A radio button's click walks its group with this: a child's parent is read directly.
    user::Window* parent = user::Find(c->parent ? c->parent : GetAncestor(control, GA_PARENT));
    if (!parent) return control;
    const auto& list = parent->children;
    auto at = std::find(list.begin(), list.end(), control);
    if (at == list.end()) return control;
    size_t index = static_cast<size_t>(at - list.begin());
    size_t first = index;
    while (first > 0 && !startsGroup(list[first])) --first;
    size_t end = index + 1;
    while (end < list.size() && !startsGroup(list[end])) ++end;
    size_t count = end - first;
    for (size_t step = 1; step < count; ++step) {
        size_t offset = previous ? (index - first + count - step) % count : (index - first + step) % count;
        if (usable(list[first + offset])) return list[first + offset];
    }
    return control;
}

extern "C" BOOL WINAPI IsDialogMessageA(HWND dialog, LPMSG msg) {
    if (!msg || !user::Find(dialog)) return FALSE;
    if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
    if ((msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) && msg->wParam == VK_SHIFT)
        t_shiftDown = msg->message == WM_KEYDOWN;
    if (msg->message == WM_KEYDOWN) {
        LRESULT code = msg->hwnd ? SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)) : 0;
        if (!(code & (DLGC_WANTMESSAGE | DLGC_WANTALLKEYS))) {
            switch (msg->wParam) {
            case VK_TAB:
                if (code & DLGC_WANTTAB) break;
                SendMessageA(dialog, WM_NEXTDLGCTL, t_shiftDown, 0);
                return TRUE;
            case VK_LEFT:
            case VK_UP:
            case VK_RIGHT:
            case VK_DOWN: {
                if (code & DLGC_WANTARROWS) break;
                bool back = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
                HWND next = GetNextDlgGroupItem(dialog, msg->hwnd, back);
                if (next && next != msg->hwnd) {
                    SetFocus(next);
                    if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) SendMessageA(next, BM_CLICK, 0, 0);
                }
                return TRUE;
            }
            case VK_RETURN: {
                LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
                press(dialog, HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK);
                return TRUE;
            }
            case VK_ESCAPE:
                press(dialog, IDCANCEL);
                return TRUE;
            default:
                break;
            }
        }
    }
    TranslateMessage(msg);
    DispatchMessageA(msg);
    return TRUE;
}
