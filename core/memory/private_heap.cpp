// The library's private heap, growable from its first 8,192 bytes.
#include "core/memory/private_heap.h"

HANDLE g_hHeap = nullptr;

namespace {
constexpr SIZE_T kInitialHeapBytes = 8192;
}

BOOL CreatePrivateHeap() {
    g_hHeap = HeapCreate(0, kInitialHeapBytes, 0);
    return g_hHeap != nullptr;
}

void DestroyPrivateHeap() {
    if (g_hHeap) HeapDestroy(g_hHeap);
    g_hHeap = nullptr;
}

void* PrivateAlloc(SIZE_T bytes) { return g_hHeap ? HeapAlloc(g_hHeap, HEAP_ZERO_MEMORY, bytes) : nullptr; }

void PrivateFree(void* block) {
    if (g_hHeap && block) HeapFree(g_hHeap, 0, block);
}
