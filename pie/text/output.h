// Text the engine writes for diagnosis (banner, listings, dumps, trace lines): pieces are
// formatted, joined in the output pool and handed to the host through host slot 19.
#pragma once

#include <cstddef>
#include <cstdint>

struct PieEngine;

// Host slot 19: one block of output text.
using PlOutputSlot = int (*)(void* host, const char* text);
constexpr int kPlOutputSlot = 19;

// Longest piece: a longer one is cut.
constexpr int kPlMaxPiece = 511;

// Formats one piece into the output pool, joined to the piece before it, and into the log when
// the log switch is 1. Data never serves as the format: pass names through "%s".
void pl_print(PieEngine* engine, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Hands each filled block of the output pool to the host, oldest first, then empties the pool
// (also when slot 19 is empty).
void pl_flush(PieEngine* engine);

// Decimal text of value into buffer (at least 12 bytes); returns buffer.
char* pl_integer_text(char* buffer, int32_t value);
// vsnprintf that refuses a size above 2,147,483,647 (returns -1 and writes nothing).
int pl_format_bounded(char* buffer, size_t size, const char* format, ...) __attribute__((format(printf, 3, 4)));
