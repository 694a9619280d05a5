// The bounds check of a shared object's ELF header and program headers, read through the
// checked reader: every offset and size in them is the file's word, not to be believed.
#include "platform/kernel/elf_image.h"

#include "platform/resources/byte_reader.h"

namespace kernel {
namespace {

constexpr size_t kHeaderSize = 64;         // an ELF64 header
constexpr uint16_t kProgramEntrySize = 56;  // an ELF64 program header
constexpr uint8_t kClass64 = 2, kLittleEndian = 1, kCurrentVersion = 1;
constexpr uint16_t kSharedObject = 3;       // ET_DYN

bool u64(res::ByteReader& r, uint64_t& out) {
    uint32_t low, high;
    if (!r.u32(low) || !r.u32(high)) return false;
    out = (static_cast<uint64_t>(high) << 32) | low;
    return true;
}

bool inside(uint64_t offset, uint64_t length, uint64_t total) { return offset <= total && length <= total - offset; }

}  // namespace

bool ElfImageFits(const uint8_t* head, size_t size, uint64_t fileSize) {
    if (!head || size < kHeaderSize || size > fileSize) return false;
    res::ByteReader r(head, size);
    uint8_t ident[16];
    for (uint8_t& b : ident)
        if (!r.u8(b)) return false;
    if (ident[0] != 0x7f || ident[1] != 'E' || ident[2] != 'L' || ident[3] != 'F') return false;
    if (ident[4] != kClass64 || ident[5] != kLittleEndian || ident[6] != kCurrentVersion) return false;
    uint16_t type, machine, headerSize, entrySize, entries;
    uint32_t version, flags;
    uint64_t entry, programOffset, sectionOffset;
    if (!r.u16(type) || !r.u16(machine) || !r.u32(version) || !u64(r, entry) || !u64(r, programOffset) ||
        !u64(r, sectionOffset) || !r.u32(flags) || !r.u16(headerSize) || !r.u16(entrySize) || !r.u16(entries))
        return false;
    if (type != kSharedObject || version != kCurrentVersion || headerSize < kHeaderSize) return false;
    if (entries == 0 || entrySize < kProgramEntrySize) return false;
    const uint64_t tableSize = static_cast<uint64_t>(entries) * entrySize;
    if (!inside(programOffset, tableSize, size)) return false;
    for (uint16_t i = 0; i < entries; ++i) {
        uint32_t segmentType, segmentFlags;
        uint64_t offset, address, physical, fileBytes;
        if (!r.seek(static_cast<size_t>(programOffset + static_cast<uint64_t>(i) * entrySize)) || !r.u32(segmentType) ||
            !r.u32(segmentFlags) || !u64(r, offset) || !u64(r, address) || !u64(r, physical) || !u64(r, fileBytes))
            return false;
        if (!inside(offset, fileBytes, fileSize)) return false;
    }
    return true;
}

}  // namespace kernel
