// The table of live windows. Handles are never reused, so a stale handle kept by a caller is
// refused cleanly instead of reaching a newer window.
#include "platform/user/window.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace user {
namespace {

// The live windows by handle, for Find, which every message and every dialog-item call takes:
// open addressing over a power-of-two table. Handles step by 4 and are never reused, so a new
// handle is never in the table already and a removed one leaves a mark no later handle matches.
class HandleIndex {
public:
    Window* find(uintptr_t key) const {
        if (slots_.empty()) return nullptr;
        for (size_t i = slotOf(key);; i = (i + 1) & mask_) {
            if (slots_[i].key == key) return slots_[i].window;
            if (slots_[i].key == kEmpty) return nullptr;
        }
    }
    void insert(uintptr_t key, Window* window) {
        if ((used_ + 1) * 2 > slots_.size()) rebuild();
        size_t i = slotOf(key);
        while (slots_[i].key != kEmpty) i = (i + 1) & mask_;
        slots_[i] = {key, window};
        ++used_;
        ++live_;
    }
    void erase(uintptr_t key) {
        if (slots_.empty()) return;
        for (size_t i = slotOf(key);; i = (i + 1) & mask_) {
            if (slots_[i].key == kEmpty) return;
            if (slots_[i].key == key) {
                slots_[i] = {kGone, nullptr};  // the chains through it stay whole
                --live_;
                return;
            }
        }
    }

private:
    static constexpr uintptr_t kEmpty = 0, kGone = 1;  // no handle is either
    struct Slot {
        uintptr_t key = kEmpty;
        Window* window = nullptr;
    };

    size_t slotOf(uintptr_t key) const { return hash(key, shift_); }
    static size_t hash(uintptr_t key, unsigned shift) {
        return static_cast<size_t>((static_cast<uint64_t>(key >> 2) * UINT64_C(0x9E3779B97F4A7C15)) >> shift);
    }
    // Room for four times the live windows (marks of removed ones are dropped), at least 64.
    void rebuild() {
        size_t capacity = 64;
        unsigned bits = 6;
        while (capacity < (live_ + 1) * 4) capacity <<= 1, ++bits;
        std::vector<Slot> fresh(capacity);  // the table stays as it was if this throws
        const size_t mask = capacity - 1;
        const unsigned shift = 64 - bits;
        for (const Slot& s : slots_)
            if (s.key != kEmpty && s.key != kGone) {
                size_t i = hash(s.key, shift);
                while (fresh[i].key != kEmpty) i = (i + 1) & mask;
                fresh[i] = s;
            }
        slots_.swap(fresh);
        mask_ = mask;
        shift_ = shift;
        used_ = live_;
    }

    std::vector<Slot> slots_;
    size_t mask_ = 0;
    unsigned shift_ = 64;
    size_t used_ = 0;  // slots not empty, marks included
    size_t live_ = 0;
};

struct Table {
    std::mutex lock;  // guards the map itself; a window is used from its own thread
    std::map<uintptr_t, std::unique_ptr<Window>> windows;  // ordered: oldest first
    HandleIndex byHandle;  // the same windows, for Find
    uintptr_t next = 0x20000;
    // Raised (under the lock) before a window goes: what a thread found before then still
    // stands while this has not moved, since a handle is never reused.
    std::atomic<uint64_t> removals{0};
};

// The windows a thread found last, by handle: a click on a page looks up the same few windows a
// hundred times, and the lock would cost more than the look.
struct Found {
    uint64_t removals = 0;
    uintptr_t key = 0;  // no handle is 0
    Window* window = nullptr;
};
thread_local Found t_found[16];

Found& foundSlot(uintptr_t key) { return t_found[(key >> 2) & 15]; }

Table& table() {
    static Table* t = new Table;  // outlives static destructors that may still ask
    return *t;
}

}  // namespace

Window* Find(HWND hwnd) {
    auto& t = table();
    const auto key = reinterpret_cast<uintptr_t>(hwnd);
    Found& found = foundSlot(key);
    const uint64_t removals = t.removals.load(std::memory_order_acquire);
    if (found.key == key && found.removals == removals && key) return found.window;
    std::lock_guard<std::mutex> guard(t.lock);
    Window* w = t.byHandle.find(key);
    if (w) found = {t.removals.load(std::memory_order_relaxed), key, w};
    return w;
}

HWND FindWithId(const std::vector<HWND>& handles, WORD id) {
    auto& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    for (HWND handle : handles) {
        const Window* w = t.byHandle.find(reinterpret_cast<uintptr_t>(handle));
        if (w && static_cast<WORD>(w->id) == id) return handle;
    }
    return nullptr;
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
    try {
        t.byHandle.insert(key, raw);
    } catch (...) {
        t.windows.erase(key);  // a window Find cannot reach is no window
        throw;
    }
    return raw;
}

void RemoveWindow(HWND hwnd) {
    std::unique_ptr<Window> gone;  // released outside the lock
    auto& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.windows.find(reinterpret_cast<uintptr_t>(hwnd));
    if (it == t.windows.end()) return;
    t.removals.fetch_add(1, std::memory_order_release);
    gone = std::move(it->second);
    t.windows.erase(it);
    t.byHandle.erase(reinterpret_cast<uintptr_t>(hwnd));
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
