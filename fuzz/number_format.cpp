// Fuzz target of the size and range texts formatted from a format string of the resource
// module: any format either formats into the buffer with its terminator or leaves it empty, and
// never writes past it (the buffer sits between two guards).
#include "items/common/number_format.h"

#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 9) return 0;
    int32_t numbers[2];
    std::memcpy(numbers, data, sizeof numbers);
    const size_t room = 1 + data[8] % 80;
    std::string format(reinterpret_cast<const char*>(data) + 9, size - 9);
    std::string block(room + 2, '#');
    char* buffer = block.data() + 1;
    const bool ok = FormatTwoNumbers(buffer, room, format.c_str(), numbers[0], numbers[1]);
    if (block.front() != '#' || block.back() != '#') std::abort();
    const size_t length = strnlen(buffer, room);
    if (length >= room || (!ok && length != 0)) std::abort();
    return 0;
}
