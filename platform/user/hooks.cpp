// Hooks on the thread: SetWindowsHookExA links a procedure at the head of its chain,
// CallNextHookEx passes to the one linked before it, UnhookWindowsHookEx unlinks (also while the
// chain is running, as a hook may unhook itself).
#include "platform/user/hooks.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct Hook {
    int id;
    HOOKPROC proc;
    bool alive = true;
};

// Hooks are per thread: a hook set for the current thread sees that thread's messages only.
thread_local std::vector<std::shared_ptr<Hook>> t_hooks;  // newest first

HHOOK handleOf(const std::shared_ptr<Hook>& h) { return reinterpret_cast<HHOOK>(h.get()); }

std::vector<std::shared_ptr<Hook>> chainAfter(int id, HHOOK after) {
    std::vector<std::shared_ptr<Hook>> out;
    bool passed = after == nullptr;
    for (auto& h : t_hooks) {
        if (h->id != id || !h->alive) continue;
        if (passed) out.push_back(h);
        if (handleOf(h) == after) passed = true;
    }
    return out;
}

bool runFrom(int id, HHOOK after, int code, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
    auto chain = chainAfter(id, after);
    if (chain.empty()) return false;
    auto keep = chain.front();  // alive while it runs, even if it unhooks itself
    answer = keep->proc(code, wParam, lParam);
    return true;
}

bool supported(int id) { return id == WH_MSGFILTER || id == WH_GETMESSAGE; }

}  // namespace

namespace user {

bool CallHooks(int idHook, int code, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
    return runFrom(idHook, nullptr, code, wParam, lParam, answer);
}

bool FilterModalMessage(MSG& msg, int source) {
    LRESULT answer = 0;
    return CallHooks(WH_MSGFILTER, source, 0, reinterpret_cast<LPARAM>(&msg), answer) && answer != 0;
}

}  // namespace user

extern "C" HHOOK WINAPI SetWindowsHookExA(int idHook, HOOKPROC proc, HINSTANCE, DWORD) {
    // Only hooks on the calling thread exist here: the library hooks its own thread only.
    if (!proc || !supported(idHook)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto hook = std::make_shared<Hook>(Hook{idHook, proc});
    t_hooks.insert(t_hooks.begin(), hook);
    return handleOf(hook);
}

extern "C" BOOL WINAPI UnhookWindowsHookEx(HHOOK hhk) {
    auto it = std::find_if(t_hooks.begin(), t_hooks.end(), [&](auto& h) { return handleOf(h) == hhk; });
    if (it == t_hooks.end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    (*it)->alive = false;
    t_hooks.erase(it);
    return TRUE;
}

extern "C" LRESULT WINAPI CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam) {
    auto it = std::find_if(t_hooks.begin(), t_hooks.end(), [&](auto& h) { return handleOf(h) == hhk; });
    if (it == t_hooks.end()) return 0;
    LRESULT answer = 0;
    runFrom((*it)->id, hhk, nCode, wParam, lParam, answer);
    return answer;
}
