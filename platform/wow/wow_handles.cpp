// 16-bit handles: the 16-bit side knows the system's windows (and other objects) by 16-bit
// numbers. A number is handed out the first time a handle crosses to that side and names it
// from then on; a number whose window has been destroyed names nothing.
#include <windows.h>
#include <wownt32.h>

#include <map>
#include <mutex>

namespace {

struct Entry {
    HANDLE handle;
    bool window;
};

constexpr WORD kFirstNumber = 0x0100;  // low numbers read as null or as error values there

std::mutex g_lock;
std::map<WORD, Entry> g_byNumber;
std::map<HANDLE, WORD> g_byHandle;
WORD g_next = kFirstNumber;

bool IsWindowType(WOW_HANDLE_TYPE type) { return type == WOW_TYPE_HWND || type == WOW_TYPE_FULLHWND; }

// Called with g_lock held.
void Forget(WORD number) {
    auto it = g_byNumber.find(number);
    if (it == g_byNumber.end()) return;
    g_byHandle.erase(it->second.handle);
    g_byNumber.erase(it);
}

}  // namespace

extern "C" WORD WINAPI WOWHandle16(HANDLE h32, WOW_HANDLE_TYPE type) {
    if (!h32) return 0;
    const bool window = IsWindowType(type);
    if (window && !IsWindow(static_cast<HWND>(h32))) return 0;
    std::lock_guard<std::mutex> lock(g_lock);
    auto known = g_byHandle.find(h32);
    if (known != g_byHandle.end()) {
        if (g_byNumber[known->second].window == window) return known->second;
        Forget(known->second);  // the handle value was reused for an object of another type
    }
    // Numbers are even, as the 16-bit side's handles are; a number still in use is skipped.
    for (unsigned tries = 0; tries < 0x8000; ++tries) {
        const WORD number = g_next;
        g_next = static_cast<WORD>(g_next + 2);
        if (g_next < kFirstNumber) g_next = kFirstNumber;
        if (g_byNumber.count(number)) continue;
        g_byNumber[number] = Entry{h32, window};
        g_byHandle[h32] = number;
        return number;
    }
    return 0;
}

extern "C" HANDLE WINAPI WOWHandle32(WORD h16, WOW_HANDLE_TYPE type) {
    std::lock_guard<std::mutex> lock(g_lock);
    auto it = g_byNumber.find(h16);
    if (it == g_byNumber.end() || it->second.window != IsWindowType(type)) return nullptr;
    if (it->second.window && !IsWindow(static_cast<HWND>(it->second.handle))) {
        Forget(h16);
        return nullptr;
    }
    return it->second.handle;
}
