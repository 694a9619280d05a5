// 16-bit global memory allocated from the 32-bit side (see wownt32.h): each block is a segment
// of its own, so that the 16-bit side's pointers into it are checked against its limit as every
// other 16:16 pointer is. A block's handle is its selector.
#include "platform/wow/vdm_segments.h"

#include <wownt32.h>

#include <cstdlib>
#include <map>
#include <mutex>

namespace {

std::mutex g_lock;
std::map<WORD, void*> g_blocks;

}  // namespace

extern "C" DWORD WINAPI WOWGlobalAllocLock16(WORD, DWORD cb, HMEM16* phMem16) {
    if (phMem16) *phMem16 = 0;
    if (cb == 0 || cb > wow::kSegmentLimit) return 0;
    void* base = std::calloc(1, cb);
    const WORD selector = base ? wow::MapSegment(base, cb) : 0;
    if (!selector) {
        std::free(base);
        return 0;
    }
    std::lock_guard<std::mutex> lock(g_lock);
    g_blocks[selector] = base;
    if (phMem16) *phMem16 = selector;
    return static_cast<DWORD>(selector) << 16;
}

extern "C" DWORD WINAPI WOWGlobalUnlockFree16(DWORD vpMem) {
    const WORD selector = HIWORD(vpMem);
    std::lock_guard<std::mutex> lock(g_lock);
    auto it = g_blocks.find(selector);
    // Only a block's own pointer frees it; a pointer into a block does not.
    if (LOWORD(vpMem) != 0 || it == g_blocks.end() || !wow::UnmapSegment(selector)) return vpMem;
    std::free(it->second);
    g_blocks.erase(it);
    return 0;
}
