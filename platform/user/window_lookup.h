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

struct alignas(32) DirectSlot {  // a power of two, so finding the slot costs no more
    std::atomic<uintptr_t> key{0};  // no handle is 0
    std::atomic<Window*> window{nullptr};
    std::atomic<const void*> owner{nullptr};  // the window's thread's ThreadMark, read with it
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

// The thread pointer tells a thread from every other live thread in one instruction, where asking
// for the thread's id is a call.
inline const void* ThreadMark() { return __builtin_thread_pointer(); }

// The look under the table's lock.
Window* FindLocked(uintptr_t key);
// The same for a window of the calling thread.
Window* FindOwnLocked(uintptr_t key);

// The live window with this handle, or null, without touching the last error.
inline Window* Find(HWND hwnd) {
    const auto key = reinterpret_cast<uintptr_t>(hwnd);
    if (Window* w = FindDirect(key)) return w;
    return FindLocked(key);
}

// The live window with this handle if the calling thread owns it, else null (no window, or
// another thread's, which the caller must not follow).
inline Window* FindOwn(HWND hwnd) {
    const auto key = reinterpret_cast<uintptr_t>(hwnd);
    DirectSlot& d = DirectSlotOf(key);
    if (d.key.load(std::memory_order_acquire) != key || !key) return FindOwnLocked(key);
    Window* w = d.window.load(std::memory_order_relaxed);
    const void* owner = d.owner.load(std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_acquire);
    if (d.key.load(std::memory_order_relaxed) != key) return FindOwnLocked(key);
    return owner == ThreadMark() ? w : nullptr;
}

}  // namespace user
