// The table of live windows. Handles are never reused, so a stale handle kept by a caller is
// refused cleanly instead of reaching a newer window.
#include "platform/user/window.h"

#include <map>
#include <memory>
#include <mutex>

namespace user {
namespace {

struct Table {
    std::mutex lock;  // guards the map itself; a window is used from its own thread
    std::map<uintptr_t, std::unique_ptr<Window>> windows;  // ordered: oldest first
    uintptr_t next = 0x20000;
};

Table& table() {
    static Table* t = new Table;  // outlives static destructors that may still ask
    return *t;
}

}  // namespace

Window* Find(HWND hwnd) {
    auto& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.windows.find(reinterpret_cast<uintptr_t>(hwnd));
    return it == t.windows.end() ? nullptr : it->second.get();
}

Window* FromHandle(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

Window* AddWindow() {
    auto& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    uintptr_t key = t.next;
    t.next += 4;
    auto w = std::make_unique<Window>();
    w->handle = reinterpret_cast<HWND>(key);
    w->thread = std::this_thread::get_id();
    Window* raw = w.get();
    t.windows.emplace(key, std::move(w));
    return raw;
}

void RemoveWindow(HWND hwnd) {
    std::unique_ptr<Window> gone;  // released outside the lock
    auto& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.windows.find(reinterpret_cast<uintptr_t>(hwnd));
    if (it == t.windows.end()) return;
    gone = std::move(it->second);
    t.windows.erase(it);
}

std::vector<HWND> TopLevelWindows() {
    auto& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    std::vector<HWND> out;
    for (auto& [key, w] : t.windows)
        if (!(w->style & WS_CHILD) || !w->parent) out.push_back(w->handle);
    return out;
}

}  // namespace user

extern "C" BOOL WINAPI IsWindow(HWND hWnd) { return user::Find(hWnd) != nullptr; }
