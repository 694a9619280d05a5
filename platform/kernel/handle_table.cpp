// Handle table and CloseHandle. Handle values are multiples of 4 from 0x100 on, as on the
// original, and are not reused while the table has room, so a stale handle does not silently
// name a newer object.
#include "platform/kernel/handle_table.h"

#include "platform/kernel/file_search.h"

#include <windows.h>

#include <mutex>
#include <new>
#include <unordered_map>

namespace kernel {

namespace {

std::mutex g_lock;
std::unordered_map<UINT_PTR, std::shared_ptr<KernelObject>> g_handles;
UINT_PTR g_next = 0x100;

}  // namespace

HANDLE InsertHandle(std::shared_ptr<KernelObject> object) {
    std::lock_guard guard(g_lock);
    try {
        while (g_handles.count(g_next)) g_next += 4;
        UINT_PTR value = g_next;
        g_next += 4;
        g_handles.emplace(value, std::move(object));
        return reinterpret_cast<HANDLE>(value);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

std::shared_ptr<KernelObject> ReferenceHandle(HANDLE handle) {
    std::lock_guard guard(g_lock);
    auto it = g_handles.find(reinterpret_cast<UINT_PTR>(handle));
    return it == g_handles.end() ? nullptr : it->second;
}

std::shared_ptr<KernelObject> RemoveHandle(HANDLE handle) {
    std::lock_guard guard(g_lock);
    auto it = g_handles.find(reinterpret_cast<UINT_PTR>(handle));
    if (it == g_handles.end()) return nullptr;
    auto object = std::move(it->second);
    g_handles.erase(it);
    return object;
}

}  // namespace kernel

extern "C" BOOL WINAPI CloseHandle(HANDLE hObject) {
    // A search handle belongs to FindClose, as on the original.
    if (kernel::ReferenceHandleAs<kernel::FileSearch>(hObject) || !kernel::RemoveHandle(hObject)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
