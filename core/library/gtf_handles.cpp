// The 16-bit side's numbers for this library's objects (see core/library/gtf_handles.h).
// Numbers count up and are not reused while the counter lasts, so that a number kept past its
// object's end does not come to name a newer one.
#include "core/library/gtf_handles.h"

#include <map>
#include <mutex>
#include <utility>

namespace {

std::mutex g_lock;
std::map<DWORD, std::pair<HandleKind, void*>> g_objects;
DWORD g_next = 1;

}  // namespace

DWORD NumberFor(HandleKind kind, void* object) {
    if (!object) return 0;
    std::lock_guard<std::mutex> lock(g_lock);
    for (int tries = 0; tries < 16; ++tries) {
        const DWORD number = g_next++;
        if (g_next == 0) g_next = 1;
        if (number == 0 || g_objects.count(number)) continue;
        g_objects[number] = {kind, object};
        return number;
    }
    return 0;
}

void* ObjectOf(HandleKind kind, DWORD number) {
    std::lock_guard<std::mutex> lock(g_lock);
    auto it = g_objects.find(number);
    return it != g_objects.end() && it->second.first == kind ? it->second.second : nullptr;
}

void* TakeNumber(HandleKind kind, DWORD number) {
    std::lock_guard<std::mutex> lock(g_lock);
    auto it = g_objects.find(number);
    if (it == g_objects.end() || it->second.first != kind) return nullptr;
    void* object = it->second.second;
    g_objects.erase(it);
    return object;
}

DWORD NumberOf(HandleKind kind, const void* object) {
    std::lock_guard<std::mutex> lock(g_lock);
    for (const auto& [number, entry] : g_objects)
        if (entry.first == kind && entry.second == object) return number;
    return 0;
}
