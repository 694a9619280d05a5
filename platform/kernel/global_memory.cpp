// Global memory: GlobalAlloc and its friends, the blocks that the clipboard takes and hands out.
// A fixed block's handle is its address; a moveable block's handle is a token of its own that
// GlobalLock turns into the address while counting locks. Every handle is checked against the
// table of live blocks, so a stale or forged one is refused instead of followed.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

struct Block {
    void* data = nullptr;  // null for a moveable block of size 0 (a discarded block)
    SIZE_T size = 0;
    bool moveable = false;
    unsigned locks = 0;
};

struct Table {
    std::mutex lock;
    std::unordered_map<HGLOBAL, Block> blocks;
};

Table& table() {
    static Table* t = new Table;  // outlives static destructors that may still free blocks
    return *t;
}

// The live block of a handle, or null with ERROR_INVALID_HANDLE; the table lock must be held.
Block* find(Table& t, HGLOBAL handle) {
    auto it = handle ? t.blocks.find(handle) : t.blocks.end();
    if (it == t.blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &it->second;
}

}  // namespace

extern "C" HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) {
    if (flags & ~(GMEM_MOVEABLE | GMEM_ZEROINIT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Block b;
    b.moveable = (flags & GMEM_MOVEABLE) != 0;
    b.size = bytes;
    if (bytes > 0 || !b.moveable) {
        // A fixed block of size 0 still needs an address of its own to serve as its handle.
        b.data = (flags & GMEM_ZEROINIT) ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1);
        if (!b.data) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
    }
    HGLOBAL handle = b.data;
    if (b.moveable) {
        handle = std::malloc(1);  // a unique token, never handed out as memory
        if (!handle) {
            std::free(b.data);
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
    }
    Table& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    t.blocks[handle] = b;
    return handle;
}

extern "C" LPVOID WINAPI GlobalLock(HGLOBAL handle) {
    Table& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    Block* b = find(t, handle);
    if (!b) return nullptr;
    if (!b->moveable) return b->data;
    if (!b->data) return nullptr;  // discarded: nothing to lock
    if (b->locks < GMEM_LOCKCOUNT) ++b->locks;
    return b->data;
}

extern "C" BOOL WINAPI GlobalUnlock(HGLOBAL handle) {
    Table& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    Block* b = find(t, handle);
    if (!b) return FALSE;
    if (!b->moveable) return TRUE;  // fixed blocks hold no lock count
    if (b->locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    if (--b->locks > 0) return TRUE;
    SetLastError(NO_ERROR);
    return FALSE;
}

extern "C" HGLOBAL WINAPI GlobalFree(HGLOBAL handle) {
    Table& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    Block* b = find(t, handle);
    if (!b) return handle;
    std::free(b->data);
    if (b->moveable) std::free(handle);
    t.blocks.erase(handle);
    return nullptr;
}

extern "C" SIZE_T WINAPI GlobalSize(HGLOBAL handle) {
    Table& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    Block* b = find(t, handle);
    return b ? b->size : 0;
}

extern "C" UINT WINAPI GlobalFlags(HGLOBAL handle) {
    Table& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    Block* b = find(t, handle);
    if (!b) return GMEM_INVALID_HANDLE;
    return b->locks | (b->moveable && !b->data ? GMEM_DISCARDED : 0u);
}
