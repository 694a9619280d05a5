// LoadStringA: strings live in blocks of sixteen (block n + 1 holds ids 16n to 16n + 15), each a
// length-prefixed UTF-16 text; the text is narrowed to the system code page and cut to the buffer.
#include "platform/resources/byte_reader.h"
#include "platform/resources/res_file.h"

extern "C" int WINAPI LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int size) {
    if (!buffer || size <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    buffer[0] = 0;
    auto table = res::TableOf(instance);
    const res::ResourceEntry* e =
        table ? table->find(MAKEINTRESOURCEA(6), MAKEINTRESOURCEA((id >> 4) + 1)) : nullptr;
    if (!e || id > 0xFFFF) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    res::ByteReader r(table->dataOf(*e), e->size);
    uint16_t length = 0;
    for (UINT i = 0; i <= (id & 15); ++i) {
        if (i > 0 && !r.skip(size_t(length) * 2)) return 0;
        if (!r.u16(length)) return 0;  // a short block holds no such string
    }
    if (length == 0) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    int n = 0;
    for (uint16_t unit; n < length && n < size - 1 && r.u16(unit); ++n) buffer[n] = res::NarrowChar(unit);
    buffer[n] = 0;
    return n;
}
