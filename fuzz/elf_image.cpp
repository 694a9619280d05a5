// Fuzz target of the check LoadLibraryA makes before the host maps a library: any bytes are
// either refused or describe a program header table and segments inside the input.
#include "platform/kernel/elf_image.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t head = size < kernel::kElfHeadBytes ? size : kernel::kElfHeadBytes;
    if (!kernel::ElfImageFits(data, head, size)) return 0;
    // Accepted: the program header table it names lies inside the head.
    uint64_t offset = 0;
    uint16_t entrySize = 0, entries = 0;
    std::memcpy(&offset, data + 32, 8);
    std::memcpy(&entrySize, data + 54, 2);
    std::memcpy(&entries, data + 56, 2);
    if (offset > head || uint64_t(entrySize) * entries > head - offset) std::abort();
    return 0;
}
