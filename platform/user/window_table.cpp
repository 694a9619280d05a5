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

// The live windows by handle, for the looks the lock-free slots cannot answer (a window whose
// slot an older one holds, a handle of no window): open addressing over a power-of-two table. Handles step by 4 and are never reused, so a new
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
    // Guards the map itself and every window's list of children (their own thread reads them
    // without it); a window is otherwise used from its own thread.
    std::mutex lock;
    std::map<uintptr_t, std::unique_ptr<Window>> windows;  // ordered: oldest first
    HandleIndex byHandle;  // the same windows, for Find
    uintptr_t next = 0x20000;
};

std::atomic<uint64_t> g_childrenStamp{0};

Table& table() {
    static Table* t = new Table;  // outlives static destructors that may still ask
    return *t;
}

}  // namespace

DirectSlot g_directSlots[kDirectSlots];

Window* FindLocked(uintptr_t key) {
    auto& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    return t.byHandle.find(key);
}

Window* FindOwnLocked(uintptr_t key) {
    auto& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    Window* w = t.byHandle.find(key);
    return w && w->thread == std::this_thread::get_id() ? w : nullptr;
}

std::mutex& TableLock() { return table().lock; }

bool ReadLocked(HWND hwnd, void (*read)(const Window&, void*), void* context) {
    auto& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    const Window* w = t.byHandle.find(reinterpret_cast<uintptr_t>(hwnd));
    if (w) read(*w, context);
    return w != nullptr;
}

bool ThreadOf(HWND hwnd, std::thread::id& thread) {
    auto& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    const Window* w = t.byHandle.find(reinterpret_cast<uintptr_t>(hwnd));
    if (w) thread = w->thread;
    return w != nullptr;
}

HWND FindWithId(const std::vector<HWND>& handles, WORD id) {
    auto it = handles.begin();
    for (; it != handles.end(); ++it) {
        const Window* w = FindDirect(reinterpret_cast<uintptr_t>(*it));
        if (!w) break;  // the rest under one lock
        if (static_cast<WORD>(w->id) == id) return *it;
    }
    if (it == handles.end()) return nullptr;
    auto& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    for (; it != handles.end(); ++it) {
        const Window* w = t.byHandle.find(reinterpret_cast<uintptr_t>(*it));
        if (w && static_cast<WORD>(w->id) == id) return *it;
    }
    return nullptr;
}

bool ChildWithId(HWND parent, WORD id, HWND& child) {
    auto& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    const Window* p = t.byHandle.find(reinterpret_cast<uintptr_t>(parent));
    if (!p) return false;
    child = nullptr;
    for (HWND handle : p->children) {
        const Window* w = t.byHandle.find(reinterpret_cast<uintptr_t>(handle));
        if (w && static_cast<WORD>(w->id) == id) {
            child = handle;
            break;
        }
    }
    return true;
}

uint64_t ChildrenStamp() { return g_childrenStamp.load(std::memory_order_acquire); }
void ChildrenChanged() { g_childrenStamp.fetch_add(1, std::memory_order_acq_rel); }

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
    DirectSlot& d = DirectSlotOf(key);
    if (!d.key.load(std::memory_order_relaxed)) {
        // Release: a reader who takes this window has seen the slot's earlier handle cleared.
        d.window.store(raw, std::memory_order_release);
        d.owner.store(ThreadMark(), std::memory_order_release);  // made on its own thread
        d.key.store(key, std::memory_order_release);
    }
    return raw;
}

void RemoveWindow(HWND hwnd) {
    std::unique_ptr<Window> gone;  // released outside the lock
    auto& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.windows.find(reinterpret_cast<uintptr_t>(hwnd));
    if (it == t.windows.end()) return;
    DirectSlot& d = DirectSlotOf(it->first);
    if (d.key.load(std::memory_order_relaxed) == it->first) d.key.store(0, std::memory_order_relaxed);
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
