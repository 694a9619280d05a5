// Trust checks of a device mode from outside. The order matters: sizes first, then the signature
// (a foreign driver's private part is not an error, only not ours), then the version, then every
// offset the private part holds.
#include "core/devmode/devmode_check.h"

#include "core/devmode/devmode_option_table.h"

#include <cstring>

namespace devmode {
namespace {

bool hasOurSignature(ByteView dm) {
    char signature[kSignatureSize];
    return dm.bytes(kOffSignature, signature, kSignatureSize) &&
           std::memcmp(signature, kSignature, kSignatureSize) == 0;
}

bool readEntry(ByteView dm, uint32_t total, unsigned section, SectionSpan& span, bool& damaged) {
    damaged = false;
    uint16_t offset = 0, size = 0;
    if (total < kDirectoryEnd || !dm.u16(directoryEntry(section), offset) || !dm.u16(directoryEntry(section) + 2, size))
        return false;  // a private part too short for a directory holds no sections
    if (size == 0) return false;
    if (offset < kDirectoryEnd || uint32_t{offset} + size > total) {
        damaged = true;
        return false;
    }
    span = {offset, size};
    return true;
}

constexpr auto kCurrentSpans = [] {
    std::array<SectionSpan, kSectionCount> spans{};
    for (unsigned i = 0; i < kSectionCount; ++i) spans[i] = {kSectionOffsets[i], kSectionSizes[i]};
    return spans;
}();

// The stored directory is the current layout's own, compared a word at a time: a library compare
// or a copy of 44 bytes costs more than the whole comparison.
bool isCurrentDirectory(ByteView stored) {
    static_assert(kCurrentDirectory.size() == 5 * 8 + 4);
    if (stored.size() != kCurrentDirectory.size()) return false;
    const uint8_t *a = stored.data(), *b = kCurrentDirectory.data();
    uint64_t diff = 0;
    for (size_t i = 0; i < 5 * 8; i += 8) {
        uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        diff |= x ^ y;
    }
    uint32_t x, y;
    std::memcpy(&x, a + 5 * 8, 4);
    std::memcpy(&y, b + 5 * 8, 4);
    return (diff | (x ^ y)) == 0;
}

// Reads every entry of the directory into sections; false when an entry is damaged (before the
// directory's end or past the private part) or claims more than its section holds at most.
bool readDirectory(ByteView own, uint32_t total, std::array<SectionSpan, kSectionCount>& sections) {
    if (total < kDirectoryEnd) return true;  // a private part too short for a directory holds no sections
    const ByteView entries = own.sub(kOffDirectory, kCurrentDirectory.size());
    // The current layout's own directory, in a device mode of the current size, is what nearly
    // every caller hands in: each of its entries passes the checks below, so it is taken whole.
    if (total == kDevmodeSize && isCurrentDirectory(entries)) {
        sections = kCurrentSpans;
        return true;
    }
    for (unsigned i = 0; i < kSectionCount; ++i) {
        const uint16_t offset = entries.u16_or_zero(i * kDirectoryEntrySize);
        const uint16_t size = entries.u16_or_zero(i * kDirectoryEntrySize + 2);
        if (size == 0) continue;
        if (offset < kDirectoryEnd || uint32_t{offset} + size > total) return false;
        sections[i] = {offset, size};
        if (size > kSectionSizes[i]) return false;
    }
    return true;
}

}  // namespace

uint32_t declaredSize(const void* devmode) {
    if (!devmode) return 0;
    ByteView dm(devmode, kOffDriverExtra + 2);
    uint16_t size = 0, extra = 0;
    dm.u16(kOffSize, size);
    dm.u16(kOffDriverExtra, extra);
    return uint32_t{size} + extra;
}

CheckedDevmode checkDevmode(const void* devmode, size_t size) {
    CheckedDevmode result;
    ByteView dm(devmode, size);
    uint16_t publicSize = 0, extra = 0;
    if (!dm.u16(kOffSize, publicSize) || !dm.u16(kOffDriverExtra, extra)) return result;
    uint32_t total = uint32_t{publicSize} + extra;
    // Below dmFields nothing of the public part can be interpreted.
    if (publicSize < kOffFields + 4 || !dm.contains(0, total)) return result;
    result.publicSize = publicSize;
    result.totalSize = total;

    // The private positions are fixed from byte 148, so only a full public part can carry ours.
    if (publicSize != kPublicSize || extra < kPrivateHeaderSize || !hasOurSignature(dm)) {
        result.trust = Trust::PublicOnly;
        return result;
    }
    ByteView own = dm.sub(0, total);
    uint16_t version = 0;
    int16_t modelOffset = 0;
    own.u16(kOffPrivateVersion, version);
    own.s16(kOffModelSection, modelOffset);
    if (version < kOldestPrivateVersion || version > kPrivateVersion) return result;
    // Versions only ever appended, so no version this driver accepts is longer than the current
    // one, nor any of its sections: a larger claim is damage, and callers who hand a pointer
    // alone are held to no more bytes than the current form has.
    if (total > kDevmodeSize) return result;

    if (!readDirectory(own, total, result.sections)) return result;
    // The model offset at byte 174 is read by code that never looks at the directory, so it must
    // name exactly the model section the directory bounds.
    const SectionSpan& model = result.section(kModelSectionId);
    if (model.size ? modelOffset != model.offset : modelOffset != 0) return result;

    result.version = version;
    result.modelSectionShort = model.size < kModelSectionMin;
    result.trust = Trust::Private;
    return result;
}

bool locateSection(ByteView dm, unsigned section, SectionSpan& span) {
    uint16_t publicSize = 0, extra = 0, version = 0;
    if (section < kFirstSection || section > kLastSection || !dm.u16(kOffSize, publicSize) ||
        !dm.u16(kOffDriverExtra, extra) || publicSize != kPublicSize || extra < kPrivateHeaderSize)
        return false;
    uint32_t total = uint32_t{publicSize} + extra;
    if (!dm.contains(0, total) || !hasOurSignature(dm) || !dm.u16(kOffPrivateVersion, version) ||
        version < kOldestPrivateVersion || version > kPrivateVersion)
        return false;
    bool damaged = false;
    return readEntry(dm, total, section, span, damaged);
}

}  // namespace devmode
