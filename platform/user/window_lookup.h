// Finding a window by its handle without a lock. Every message and dialog-item call looks a
// window up, a click on a page some two hundred times, so the look is inline: each live window
// also sits in the slot its handle picks, unless an older live window holds that slot, and the
// slot's handle is read before and after its window. Handles are never reused, so a handle read
// twice unchanged vouches for the window read between. Windows without a slot, and handles of no
// window, take the window table's lock (window_table.cpp, which alone writes the slots).
#pragma once

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace user {

struct Window;

struct DirectSlot {
    std::atomic<uintptr_t> key{0};  // no handle is 0
    std::atomic<Window*> window{nullptr};
};
inline constexpr size_t kDirectSlots = 4096;  // handles step by 4: a sheet's windows take slots in turn
// Statically zeroed, so a look from any static initialiser or destructor finds it ready.
extern DirectSlot g_directSlots[kDirectSlots];

inline DirectSlot& DirectSlotOf(uintptr_t key) { return g_directSlots[(key >> 2) & (kDirectSlots - 1)]; }

inline Window* FindDirect(uintptr_t key) {
    DirectSlot& d = DirectSlotOf(key);
    if (d.key.load(std::memory_order_acquire) != key || !key) return nullptr;
    Window* w = d.window.load(std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_acquire);
    return d.key.load(std::memory_order_relaxed) == key ? w : nullptr;
}

// The look under the table's lock.
Window* FindLocked(uintptr_t key);

// The live window with this handle, or null, without touching the last error.
inline Window* Find(HWND hwnd) {
    const auto key = reinterpret_cast<uintptr_t>(hwnd);
    if (Window* w = FindDirect(key)) return w;
    return FindLocked(key);
}

}  // namespace user
