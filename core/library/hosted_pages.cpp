// The hosting pages of each thread and its keyboard hook (see core/library/hosted_pages.h).
#include "core/library/hosted_pages.h"

#include <algorithm>
#include <vector>

namespace {

struct Hosted {
    HWND page;
    HWND child;
    SHEETDATA* data;
};

thread_local std::vector<Hosted> t_pages;
thread_local HHOOK t_hook = nullptr;

// The hosted child the window belongs to (the child itself or one of its controls), or null.
HWND ChildContaining(HWND window) {
    for (const Hosted& h : t_pages)
        if (window == h.child || IsChild(h.child, window)) return h.child;
    return nullptr;
}

bool IsKeyboard(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg && IsKeyboard(msg->message)) {
        HWND child = ChildContaining(msg->hwnd);
        // The child took the key as a dialog does: the message is spent.
        if (child && IsDialogMessageA(child, msg)) msg->message = WM_NULL;
    }
    return CallNextHookEx(t_hook, code, wParam, lParam);
}

}  // namespace

void AddHostedPage(HWND page, HWND child, SHEETDATA* data) {
    if (t_pages.empty() && !t_hook) t_hook = SetWindowsHookExA(WH_GETMESSAGE, KeyboardHook, nullptr, GetCurrentThreadId());
    t_pages.push_back({page, child, data});
}

HWND HostedChildOf(HWND page) {
    for (const Hosted& h : t_pages)
        if (h.page == page) return h.child;
    return nullptr;
}

HWND RemoveHostedPage(HWND page, SHEETDATA** data) {
    auto it = std::find_if(t_pages.begin(), t_pages.end(), [&](const Hosted& h) { return h.page == page; });
    if (it == t_pages.end()) return nullptr;
    HWND child = it->child;
    if (data) *data = it->data;
    t_pages.erase(it);
    if (t_pages.empty() && t_hook) {
        UnhookWindowsHookEx(t_hook);
        t_hook = nullptr;
    }
    return child;
}

bool SheetDataHosted(const SHEETDATA* data) {
    return std::any_of(t_pages.begin(), t_pages.end(), [&](const Hosted& h) { return h.data == data; });
}

bool RequestHosted(const UIDEVDATA* ctx) {
    return std::any_of(t_pages.begin(), t_pages.end(), [&](const Hosted& h) { return h.data->ctx == ctx; });
}
