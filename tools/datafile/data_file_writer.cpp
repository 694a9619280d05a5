// Serialises a FileSpec: section 1 holds the model blocks, the fields, the texts and each list
// followed by the sub-lists its entries point to; section 2 the data items, compressed with zlib
// where asked. The header is written last, when sizes and checksum are known.
#include "tools/datafile/data_file_writer.h"

#include "core/datafile/data_file_format.h"
#include "core/datafile/device_data_layout.h"

#include <zlib.h>

#include <cstring>
#include <stdexcept>

namespace datafile {

namespace {

void Put16(std::vector<uint8_t>& out, size_t at, uint16_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Copies bytes to the end of a vector. Growing first and copying into the grown part, rather
// than inserting at the end of a vector of a known small size, keeps g++ 12 from reporting
// bounds it has miscounted.
void Append(std::vector<uint8_t>& out, const void* bytes, size_t length) {
    if (!length) return;
    const size_t at = out.size();
    out.resize(at + length);
    std::memcpy(out.data() + at, bytes, length);
}

// Appends a record and answers the offset of its header within the section.
size_t Record(std::vector<uint8_t>& section, uint16_t tag, uint16_t attributes, const void* payload, size_t length) {
    const size_t at = section.size();
    section.resize(at + kRecordHeaderSize);
    Put16(section, at, tag);
    Put16(section, at + 2, attributes);
    Put32(section, at + 4, static_cast<uint32_t>(length));
    Append(section, payload, length);
    return at;
}

std::vector<uint8_t> ListPayload(uint16_t entrySize, size_t count, const std::vector<uint8_t>& entries) {
    std::vector<uint8_t> payload(kListHeaderSize);
    Put16(payload, 0, entrySize);
    Put16(payload, 2, static_cast<uint16_t>(count));
    Append(payload, entries.data(), entries.size());
    return payload;
}

void WriteList(std::vector<uint8_t>& section, const ListSpec& list) {
    const devicedata::ListInfo* info = devicedata::ListByHandle(list.handleOffset);
    std::vector<uint8_t> entries;
    for (const EntrySpec& e : list.entries) Append(entries, e.bytes.data(), e.bytes.size());
    const std::vector<uint8_t> payload = ListPayload(list.entrySize, list.entries.size(), entries);
    const size_t at = Record(section, static_cast<uint16_t>(kTagListBase | list.handleOffset), 0, payload.data(), payload.size());
    if (!info || !info->subHandleOffset) return;
    for (size_t i = 0; i < list.entries.size(); ++i) {
        const EntrySpec& e = list.entries[i];
        if (!e.hasSub) continue;
        const size_t count = info->subEntrySize ? e.sub.size() / info->subEntrySize : 0;
        const std::vector<uint8_t> sub = ListPayload(info->subEntrySize, count, e.sub);
        const size_t subAt = Record(section, kTagSubList, 0, sub.data(), sub.size());
        const size_t entryAt = at + kRecordHeaderSize + kListHeaderSize + i * list.entrySize;
        if (entryAt + info->subHandleOffset + 4 > section.size()) throw std::runtime_error("entry shorter than its list's entries");
        Put16(section, entryAt + info->subCountOffset, static_cast<uint16_t>(count));
        Put32(section, entryAt + info->subHandleOffset, static_cast<uint32_t>(subAt));
    }
}

}  // namespace

std::vector<uint8_t> WriteDataFile(const FileSpec& spec) {
    std::vector<uint8_t> spec1;
    if (!spec.modelName.empty()) Record(spec1, kTagModelBlockB, 0, spec.modelName.c_str(), spec.modelName.size() + 1);
    if (spec.hasModelInfo) Record(spec1, kTagModelBlockA, 0, spec.modelInfo.data(), spec.modelInfo.size());
    for (const auto& [offset, bytes] : spec.fields) Record(spec1, offset, 0, bytes.data(), bytes.size());
    for (const auto& [offset, text] : spec.texts)
        Record(spec1, static_cast<uint16_t>(kTagTextBase | offset), 0, text.c_str(), text.size() + 1);
    for (const ListSpec& list : spec.lists) WriteList(spec1, list);

    std::vector<uint8_t> spec2;
    for (const ItemSpec& item : spec.items) {
        if (!item.compress) {
            Record(spec2, item.id, 0, item.bytes.data(), item.bytes.size());
            continue;
        }
        uLongf packed = compressBound(item.bytes.size());
        std::vector<uint8_t> payload(4 + packed);
        if (compress2(payload.data() + 4, &packed, item.bytes.data(), item.bytes.size(), Z_BEST_COMPRESSION) != Z_OK)
            throw std::runtime_error("zlib could not compress data item " + std::to_string(item.id));
        payload.resize(4 + packed);
        Put32(payload, 0, static_cast<uint32_t>(item.bytes.size()));
        Record(spec2, item.id, kAttrCompressed, payload.data(), payload.size());
    }

    std::vector<uint8_t> file(kHeaderSize);
    std::memcpy(file.data(), kMagic, sizeof kMagic);
    Put16(file, kHdrVersion, kFormatVersion);
    Put16(file, kHdrHeaderSize, kHeaderSize);
    Put16(file, kHdrModelCode, spec.modelCode);
    Put32(file, kHdrSpecOffset, kHeaderSize);
    Put32(file, kHdrSpecSize, static_cast<uint32_t>(spec1.size()));
    Put32(file, kHdrItemsOffset, static_cast<uint32_t>(kHeaderSize + spec1.size()));
    Put32(file, kHdrItemsSize, static_cast<uint32_t>(spec2.size()));
    Append(file, spec1.data(), spec1.size());
    Append(file, spec2.data(), spec2.size());
    Put32(file, kHdrFileSize, static_cast<uint32_t>(file.size()));
    FixChecksum(file);
    return file;
}

void FixChecksum(uint8_t* file, size_t size) {
    if (size < kHeaderSize) return;
    const uint32_t crc = static_cast<uint32_t>(crc32(0, file + kHeaderSize, static_cast<uInt>(size - kHeaderSize)));
    for (int i = 0; i < 4; ++i) file[kHdrChecksum + i] = static_cast<uint8_t>(crc >> (8 * i));
}

void FixChecksum(std::vector<uint8_t>& file) { FixChecksum(file.data(), file.size()); }

}  // namespace datafile
