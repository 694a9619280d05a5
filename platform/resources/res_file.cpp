// Reader of the .res format: a sequence of entries, each a header {data size, header size, type,
// name, data version, memory flags, language, version, characteristics} followed by its data, both
// padded to four bytes. The first entry of a 32-bit file is an empty marker.
#include "platform/resources/res_file.h"

#include "platform/resources/byte_reader.h"

#include <strings.h>

#include <cctype>
#include <cstdlib>

namespace res {
namespace {

constexpr size_t kMinHeader = 32;  // sizes, two numeric ids and the fixed words

bool fail(std::string* why, const char* reason) {
    if (why) *why = reason;
    return false;
}

bool readId(ByteReader& r, ResourceId& out) {
    uint16_t first;
    if (!r.u16(first)) return false;
    if (first == 0xFFFF) {
        out.text.clear();
        return r.u16(out.number);
    }
    if (!r.seek(r.offset() - 2) || !r.wideString(out.text)) return false;
    if (out.text.empty()) return false;  // an empty name cannot be asked for
    for (char& c : out.text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return true;
}

bool parseEntry(ByteReader& r, ResourceEntry& e, std::string* why) {
    size_t start = r.offset();
    uint32_t dataSize, headerSize;
    if (!r.u32(dataSize) || !r.u32(headerSize)) return fail(why, "truncated entry header");
    if (headerSize < kMinHeader || headerSize > r.size() - start) return fail(why, "bad header size");
    ByteReader header(r.here() - 8, headerSize);  // the header alone: names cannot run past it
    header.skip(8);
    if (!readId(header, e.type) || !readId(header, e.name)) return fail(why, "bad resource type or name");
    uint32_t dataVersion, version, characteristics;
    uint16_t memoryFlags;
    if (!header.align(4) || !header.u32(dataVersion) || !header.u16(memoryFlags) || !header.u16(e.language) ||
        !header.u32(version) || !header.u32(characteristics))
        return fail(why, "truncated entry header");
    size_t dataStart = start + headerSize;
    if (dataSize > r.size() - dataStart) return fail(why, "resource data runs past the end");
    e.offset = dataStart;
    e.size = dataSize;
    if (!r.seek(dataStart + dataSize)) return fail(why, "resource data runs past the end");
    size_t pad = (4 - r.offset() % 4) % 4;
    if (pad > r.remaining()) return r.seek(r.size());  // the last entry's padding may be cut short
    return r.skip(pad);
}

}  // namespace

bool ResourceId::matches(LPCSTR id) const {
    if (IS_INTRESOURCE(id)) return isNumber() && number == LOWORD(id);
    if (id[0] == '#') {
        char* end = nullptr;
        long n = std::strtol(id + 1, &end, 10);
        return isNumber() && end && *end == 0 && n >= 0 && n <= 0xFFFF && number == n;
    }
    return !isNumber() && strcasecmp(text.c_str(), id) == 0;
}

std::shared_ptr<ResourceTable> ResourceTable::Parse(const uint8_t* data, size_t size, std::string* why) {
    auto table = std::make_shared<ResourceTable>();
    if (!data || size < kMinHeader) {
        fail(why, "too short for a resource file");
        return nullptr;
    }
    table->bytes_.assign(data, data + size);
    ByteReader r(table->bytes_.data(), table->bytes_.size());
    ResourceEntry marker;
    if (!parseEntry(r, marker, why)) return nullptr;
    if (marker.size != 0 || !marker.type.isNumber() || marker.type.number != 0 || !marker.name.isNumber() ||
        marker.name.number != 0) {
        fail(why, "not a 32-bit resource file");
        return nullptr;
    }
    while (r.remaining() > 0) {
        ResourceEntry e;
        if (!parseEntry(r, e, why)) return nullptr;
        table->entries_.push_back(std::move(e));
    }
    return table;
}

const ResourceEntry* ResourceTable::find(LPCSTR type, LPCSTR name) const {
    if (!type || !name) return nullptr;
    const ResourceEntry* first = nullptr;
    const ResourceEntry* english = nullptr;
    for (const auto& e : entries_) {
        if (!e.type.matches(type) || !e.name.matches(name)) continue;
        if (e.language == 0) return &e;
        if (!english && e.language == 0x0409) english = &e;
        if (!first) first = &e;
    }
    return english ? english : first;
}

}  // namespace res
