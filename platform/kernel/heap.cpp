// Win32 heaps: each heap keeps its blocks on a list so that HeapDestroy releases them all, and
// honours a maximum size when one is given (0 makes the heap growable, as the library's is).
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

struct Heap;

struct alignas(16) BlockHeader {
    Heap* owner;
    SIZE_T size;
    BlockHeader* prev;
    BlockHeader* next;
};

constexpr DWORD kHeapMagic = 0x50414548;  // "HEAP"

struct Heap {
    DWORD magic = kHeapMagic;
    DWORD options = 0;
    SIZE_T maximum = 0;  // 0: growable
    SIZE_T used = 0;
    BlockHeader* blocks = nullptr;
    std::recursive_mutex lock;
};

Heap* heapOf(HANDLE h) {
    auto* heap = static_cast<Heap*>(h);
    return heap && heap->magic == kHeapMagic ? heap : nullptr;
}

BlockHeader* headerOf(LPCVOID p) { return const_cast<BlockHeader*>(static_cast<const BlockHeader*>(p) - 1); }

bool fits(Heap* heap, SIZE_T oldSize, SIZE_T newSize) {
    if (newSize > (SIZE_T(1) << 40)) return false;
    return heap->maximum == 0 || heap->used - oldSize + newSize <= heap->maximum;
}

void link(Heap* heap, BlockHeader* b) {
    b->prev = nullptr;
    b->next = heap->blocks;
    if (heap->blocks) heap->blocks->prev = b;
    heap->blocks = b;
}

void unlink(Heap* heap, BlockHeader* b) {
    if (b->prev) b->prev->next = b->next;
    else heap->blocks = b->next;
    if (b->next) b->next->prev = b->prev;
}

}  // namespace

extern "C" HANDLE WINAPI HeapCreate(DWORD flOptions, SIZE_T /*dwInitialSize*/, SIZE_T dwMaximumSize) {
    auto* heap = new (std::nothrow) Heap;
    if (!heap) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    heap->options = flOptions;
    heap->maximum = dwMaximumSize;
    return heap;
}

extern "C" BOOL WINAPI HeapDestroy(HANDLE hHeap) {
    Heap* heap = heapOf(hHeap);
    if (!heap || hHeap == GetProcessHeap()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    for (BlockHeader* b = heap->blocks; b;) {
        BlockHeader* next = b->next;
        std::free(b);
        b = next;
    }
    heap->magic = 0;
    delete heap;
    return TRUE;
}

extern "C" LPVOID WINAPI HeapAlloc(HANDLE hHeap, DWORD dwFlags, SIZE_T dwBytes) {
    Heap* heap = heapOf(hHeap);
    if (!heap) return nullptr;
    std::lock_guard guard(heap->lock);
    if (!fits(heap, 0, dwBytes)) return nullptr;
    auto* b = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + dwBytes));
    if (!b) return nullptr;
    b->owner = heap;
    b->size = dwBytes;
    link(heap, b);
    heap->used += dwBytes;
    if (dwFlags & HEAP_ZERO_MEMORY) std::memset(b + 1, 0, dwBytes);
    return b + 1;
}

extern "C" LPVOID WINAPI HeapReAlloc(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem, SIZE_T dwBytes) {
    Heap* heap = heapOf(hHeap);
    if (!heap || !lpMem) return nullptr;
    std::lock_guard guard(heap->lock);
    BlockHeader* old = headerOf(lpMem);
    if (old->owner != heap) return nullptr;
    SIZE_T oldSize = old->size;
    if (!fits(heap, oldSize, dwBytes)) return nullptr;
    if ((dwFlags & HEAP_REALLOC_IN_PLACE_ONLY) && dwBytes > oldSize) return nullptr;
    unlink(heap, old);
    auto* b = static_cast<BlockHeader*>(std::realloc(old, sizeof(BlockHeader) + dwBytes));
    if (!b) {
        link(heap, old);
        return nullptr;
    }
    b->size = dwBytes;
    link(heap, b);
    heap->used = heap->used - oldSize + dwBytes;
    if ((dwFlags & HEAP_ZERO_MEMORY) && dwBytes > oldSize)
        std::memset(reinterpret_cast<BYTE*>(b + 1) + oldSize, 0, dwBytes - oldSize);
    return b + 1;
}

extern "C" SIZE_T WINAPI HeapSize(HANDLE hHeap, DWORD /*dwFlags*/, LPCVOID lpMem) {
    Heap* heap = heapOf(hHeap);
    if (!heap || !lpMem || headerOf(lpMem)->owner != heap) return static_cast<SIZE_T>(-1);
    return headerOf(lpMem)->size;
}

extern "C" BOOL WINAPI HeapFree(HANDLE hHeap, DWORD /*dwFlags*/, LPVOID lpMem) {
    Heap* heap = heapOf(hHeap);
    if (!heap) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!lpMem) return TRUE;
    std::lock_guard guard(heap->lock);
    BlockHeader* b = headerOf(lpMem);
    if (b->owner != heap) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    unlink(heap, b);
    heap->used -= b->size;
    b->owner = nullptr;
    std::free(b);
    return TRUE;
}

extern "C" HANDLE WINAPI GetProcessHeap(void) {
    static Heap* process = new Heap;  // lives as long as the process, as on the original
    return process;
}
