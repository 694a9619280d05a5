// Output pieces and their delivery. The output pool has alignment 1 and every piece overwrites
// the NUL of the piece before it, so that all pieces written into one block read as one text.
#include "pie/text/output.h"

#include "pie/api/engine.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

size_t used(const PlPoolBlock* block) { return block->capacity - block->remaining(); }
char* start(const PlPoolBlock* block) { return block->next - used(block); }

void append(PieEngine* engine, const char* piece, size_t length) {
    if (length == 0) return;
    PlPool& pool = engine->output_pool;
    const PlPoolBlock* block = pool.current;
    if (block && used(block) > 0 && block->next[-1] == '\0' && length < block->remaining()) {
        char* place = static_cast<char*>(pl_pool_alloc(engine, &pool, length)) - 1;
        std::memcpy(place, piece, length);
        place[length] = '\0';
        return;
    }
    char* place = static_cast<char*>(pl_pool_alloc(engine, &pool, length + 1));
    std::memcpy(place, piece, length);
    place[length] = '\0';
}

}  // namespace

void pl_print(PieEngine* engine, const char* format, ...) {
    char piece[kPlMaxPiece + 1];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(piece, sizeof piece, format, args);
    va_end(args);
    if (n < 0) return;
    const size_t length = n > kPlMaxPiece ? kPlMaxPiece : static_cast<size_t>(n);
    append(engine, piece, length);
    if (engine->log_switch == 1 && engine->log) {
        std::fwrite(piece, 1, length, engine->log);
        std::fflush(engine->log);
    }
}

void pl_flush(PieEngine* engine) {
    std::vector<const PlPoolBlock*> blocks;
    for (const PlPoolBlock* block = engine->output_pool.current; block; block = block->prev)
        if (used(block) > 0) blocks.push_back(block);
    auto slot = reinterpret_cast<PlOutputSlot>(engine->host_slots[kPlOutputSlot]);
    if (slot)
        for (auto it = blocks.rbegin(); it != blocks.rend(); ++it) slot(engine->host, start(*it));
    pl_pool_create(engine, &engine->output_pool);
    pl_pool_set_alignment(&engine->output_pool, 1);
}

char* pl_integer_text(char* buffer, int32_t value) {
    // The magnitude as unsigned, so that -2147483648 needs no negation of a signed value.
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    char digits[10];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    char* p = buffer;
    if (value < 0) *p++ = '-';
    while (n) *p++ = digits[--n];
    *p = '\0';
    return buffer;
}

int pl_format_bounded(char* buffer, size_t size, const char* format, ...) {
    if (size > 2147483647u) return -1;
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, size, format, args);
    va_end(args);
    return n;
}
