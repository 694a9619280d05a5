// The common base of the object layer's classes: their objects are allocated from the library's
// pool. The operators are the class's own, so the host process and the test runner keep their
// global operator new and delete.
#pragma once

#include "core/memory/chunk_pool.h"

#include <cstddef>

class PoolObject {
public:
    // Throws PoolOutOfMemory when the system refuses memory.
    static void* operator new(std::size_t bytes) { return g_chunkPool.Alloc(bytes); }
    static void* operator new[](std::size_t bytes) { return g_chunkPool.Alloc(bytes); }
    // The sized forms: a virtual destructor hands over the size of the object's own class, which
    // is what the pool needs to find the block's free list.
    static void operator delete(void* block, std::size_t bytes) noexcept { g_chunkPool.Free(block, bytes); }
    static void operator delete[](void* block, std::size_t bytes) noexcept { g_chunkPool.Free(block, bytes); }
    // Declaring the operators above hides the global placement forms; these bring them back.
    static void* operator new(std::size_t, void* place) noexcept { return place; }
    static void operator delete(void*, void*) noexcept {}

protected:
    PoolObject() = default;
    ~PoolObject() = default;
    PoolObject(const PoolObject&) = default;
    PoolObject& operator=(const PoolObject&) = default;
};
