// Pool texts: each block starts with a granule that holds the size the pool must be told when
// the block goes back, so texts can change hands without their sizes travelling with them.
#include "core/memory/pool_text.h"

#include "core/memory/chunk_pool.h"

#include <cstring>

namespace {

constexpr std::size_t kHeader = ChunkPool::kGranule;

}  // namespace

char* NewPoolText(std::size_t size) {
    if (size == 0 || size > (static_cast<std::size_t>(-1) >> 1)) return nullptr;
    void* block = nullptr;
    try {
        block = g_chunkPool.Alloc(size + kHeader);
    } catch (const PoolOutOfMemory&) {
        return nullptr;
    }
    std::memset(block, 0, size + kHeader);
    std::memcpy(block, &size, sizeof size);
    return static_cast<char*>(block) + kHeader;
}

char* CopyPoolText(const char* text) {
    if (!text) return nullptr;
    std::size_t length = std::strlen(text);
    char* copy = NewPoolText(length + 1);
    if (copy) std::memcpy(copy, text, length);
    return copy;
}

void FreePoolText(char* text) {
    if (!text) return;
    char* block = text - kHeader;
    std::size_t size = 0;
    std::memcpy(&size, block, sizeof size);
    g_chunkPool.Free(block, size + kHeader);
}
