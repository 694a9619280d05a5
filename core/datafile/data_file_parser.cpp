// The driver data file parser. It works in two passes: the scan checks the header, walks both
// record streams and plans every block, list, sub-list and item; only a file that passes the
// whole scan is copied into one private-heap block, where handles are written and compressed
// items inflated. Every read goes through ByteView, so a forged offset or count is refused.
#include "core/datafile/data_file_parser.h"

#include "core/datafile/data_file_format.h"
#include "core/datafile/device_data_layout.h"
#include "core/datafile/inflate.h"
#include "core/memory/private_heap.h"

#include <zlib.h>

#include <algorithm>
#include <bitset>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

class DeviceDataBuilder {
public:
    DeviceDataBuilder(ByteView file, DataFileError& error) : file_(file), error_(error) {}

    DeviceData* Run() {
        if (!ScanHeader() || !ScanDeviceSection() || !ResolveSubLists() || !ScanItems()) return nullptr;
        return Build();
    }

private:
    struct PlannedList {
        const devicedata::ListInfo* info;
        uint32_t block;
    };
    struct SubListRecord {
        uint32_t sectionOffset;  // of the record's header, as entries name it
        uint32_t block;
        bool used;
    };
    struct EntryPatch {
        uint32_t fileOffset;  // of the entry
        uint16_t countOffset;
        uint16_t handleOffset;
        uint32_t block;  // 0 when the entry names no sub-list
    };
    struct PlannedItem {
        uint32_t id;
        uint32_t fileOffset;
        uint32_t length;
        uint32_t unpacked;  // 0 when stored as is
    };

    bool Fail(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        va_list args;
        va_start(args, format);
        std::vsnprintf(error_.text, sizeof error_.text, format, args);
        va_end(args);
        return false;
    }

    // Header ------------------------------------------------------------------------------
    bool ScanHeader() {
        using namespace datafile;
        if (!file_.contains(0, kHeaderSize)) return Fail("file of %zu bytes is shorter than its 80-byte header", file_.size());
        if (std::memcmp(file_.data(), kMagic, sizeof kMagic) != 0) return Fail("not a driver data file (bad magic)");
        uint16_t version = 0, headerSize = 0, flags = 0;
        uint32_t fileSize = 0, checksum = 0;
        file_.u16(kHdrVersion, version);
        file_.u16(kHdrHeaderSize, headerSize);
        file_.u32(kHdrFileSize, fileSize);
        file_.u16(kHdrModelCode, modelCode_);
        file_.u16(kHdrFlags, flags);
        file_.u32(kHdrSpecOffset, specOffset_);
        file_.u32(kHdrSpecSize, specSize_);
        file_.u32(kHdrItemsOffset, itemsOffset_);
        file_.u32(kHdrItemsSize, itemsSize_);
        file_.u32(kHdrChecksum, checksum);
        if (version != kFormatVersion) return Fail("format version %u is not %u", version, kFormatVersion);
        if (headerSize != kHeaderSize) return Fail("header size %u is not 80", headerSize);
        if (fileSize != file_.size()) return Fail("header gives a file size of %u bytes, the file has %zu", fileSize, file_.size());
        if (fileSize > kMaxFileSize) return Fail("file of %u bytes is larger than a data file can be", fileSize);
        if (flags != 0) return Fail("header flags 0x%04x are not 0", flags);
        for (size_t i = kHdrReserved; i < kHeaderSize; ++i)
            if (file_.data()[i] != 0) return Fail("reserved header byte %zu is not 0", i);
        if (!InFile(specOffset_, specSize_)) return Fail("section 1 (offset %u, %u bytes) lies outside the file", specOffset_, specSize_);
        if (!InFile(itemsOffset_, itemsSize_)) return Fail("section 2 (offset %u, %u bytes) lies outside the file", itemsOffset_, itemsSize_);
        if (specOffset_ < itemsOffset_ + size_t{itemsSize_} && itemsOffset_ < specOffset_ + size_t{specSize_})
            return Fail("sections 1 and 2 overlap");
        if (size_t{specSize_} + itemsSize_ != fileSize - kHeaderSize) return Fail("bytes outside both sections");
        const uint32_t actual = static_cast<uint32_t>(crc32(0, file_.data() + kHeaderSize, fileSize - kHeaderSize));
        if (actual != checksum) return Fail("checksum 0x%08x does not match the contents (0x%08x)", checksum, actual);
        return true;
    }

    bool InFile(uint32_t offset, uint32_t size) const {
        return offset >= datafile::kHeaderSize && file_.contains(offset, size);
    }

    // Walks the records of a section; `each` gets (offset in section, tag, attributes, payload).
    template <typename Each>
    bool WalkSection(int number, uint32_t offset, uint32_t size, Each&& each) {
        const ByteView section = file_.sub(offset, size);
        size_t at = 0;
        while (at < section.size()) {
            uint16_t tag = 0, attributes = 0;
            uint32_t length = 0;
            if (!section.contains(at, datafile::kRecordHeaderSize))
                return Fail("section %d: record at %zu is cut short", number, at);
            section.u16(at, tag);
            section.u16(at + 2, attributes);
            section.u32(at + 4, length);
            const size_t payload = at + datafile::kRecordHeaderSize;
            if (!section.contains(payload, length))
                return Fail("section %d: record 0x%04x at %zu runs past the end of its section", number, tag, at);
            if (!each(static_cast<uint32_t>(at), tag, attributes, section.sub(payload, length),
                      static_cast<uint32_t>(offset + payload)))
                return false;
            at = payload + length;
        }
        return true;
    }

    // Section 1 ---------------------------------------------------------------------------
    bool ScanDeviceSection() {
        return WalkSection(1, specOffset_, specSize_,
                           [&](uint32_t at, uint16_t tag, uint16_t attributes, ByteView payload, uint32_t fileOffset) {
                               if (attributes != 0)
                                   return Fail("section 1: record 0x%04x at %u has attributes 0x%04x", tag, at, attributes);
                               return SpecRecord(at, tag, payload, fileOffset);
                           });
    }

    bool SpecRecord(uint32_t at, uint16_t tag, ByteView payload, uint32_t fileOffset) {
        using namespace datafile;
        const uint16_t kind = tag & kTagKindMask;
        const uint16_t low = tag & ~kTagKindMask;
        if (tag <= kTagFieldLast) return Field(tag, payload);
        if (kind == kTagListBase) return List(low, payload, fileOffset);
        if (kind == kTagTextBase) return Text(low, payload, fileOffset);
        if (tag == kTagSubList) return SubList(at, payload, fileOffset);
        if (tag == kTagModelBlockA) {
            if (haveModelA_) return Fail("model block A given twice");
            if (payload.size() > kMaxModelBlock) return Fail("model block A of %zu bytes is too long", payload.size());
            haveModelA_ = true;
            modelA_ = {fileOffset, static_cast<uint32_t>(payload.size())};
            return true;
        }
        if (tag == kTagModelBlockB) {
            if (haveModelB_) return Fail("model name block given twice");
            const size_t n = payload.size();
            if (n < 2 || n > kMaxModelName || payload.data()[n - 1] != 0 || std::memchr(payload.data(), 0, n - 1))
                return Fail("model name block must be a text of 1 to %zu characters ended by a NUL", kMaxModelName - 1);
            haveModelB_ = true;
            modelB_ = {fileOffset, static_cast<uint32_t>(n)};
            return true;
        }
        return Fail("section 1: unknown record tag 0x%04x at %u", tag, at);
    }

    bool Field(uint16_t offset, ByteView payload) {
        const devicedata::FieldInfo* field = devicedata::FieldAt(offset);
        if (!field) {
            if (Derived(offset)) return Fail("0x%03x is written by the loader, not given by the file", offset);
            return Fail("no field of the record begins at 0x%03x", offset);
        }
        if (seenFields_.test(offset)) return Fail("field %.*s given twice", Name(field->name), field->name.data());
        seenFields_.set(offset);
        if (field->kind == devicedata::FieldKind::Text) {
            if (payload.size() >= field->width)
                return Fail("text of field %.*s has %zu bytes, at most %u fit", Name(field->name), field->name.data(),
                            payload.size(), field->width - 1u);
        } else if (payload.size() != field->width) {
            return Fail("field %.*s has %zu bytes, not %u", Name(field->name), field->name.data(), payload.size(),
                        field->width);
        }
        std::memcpy(record_ + offset, payload.data(), payload.size());
        return true;
    }

    // The record size, the model number, list counts and handles: the loader writes them.
    static bool Derived(uint16_t offset) {
        if (offset < 6) return true;
        for (const devicedata::ListInfo& l : devicedata::Lists())
            if ((l.countOffset && offset == l.countOffset) || offset == l.handleOffset) return true;
        return devicedata::TextByHandle(offset) != nullptr;
    }

    static int Name(std::string_view name) { return static_cast<int>(name.size()); }

    // Reads the u16 entry size and count of a list payload and checks that the entries fill it.
    bool ListShape(const char* what, ByteView payload, uint16_t& entrySize, uint16_t& count) {
        if (!payload.u16(0, entrySize) || !payload.u16(2, count)) return Fail("%s is shorter than its 4-byte head", what);
        if (entrySize == 0) return Fail("%s has entries of 0 bytes", what);
        if (size_t{entrySize} * count != payload.size() - datafile::kListHeaderSize)
            return Fail("%s: %u entries of %u bytes do not fill its %zu bytes", what, count, entrySize,
                        payload.size() - datafile::kListHeaderSize);
        return true;
    }

    bool List(uint16_t handleOffset, ByteView payload, uint32_t fileOffset) {
        const devicedata::ListInfo* info = devicedata::ListByHandle(handleOffset);
        if (!info) return Fail("no list of the record has its handle at 0x%03x", handleOffset);
        char what[64];
        std::snprintf(what, sizeof what, "list %.*s", Name(info->name), info->name.data());
        for (const PlannedList& list : lists_)
            if (list.info == info) return Fail("%s given twice", what);
        uint16_t entrySize = 0, count = 0;
        if (!ListShape(what, payload, entrySize, count)) return false;
        if (entrySize != info->entrySize) return Fail("%s has entries of %u bytes, not %u", what, entrySize, info->entrySize);
        if (info->countOffset == 0 && count > 1) return Fail("%s holds %u records, at most 1", what, count);
        const uint32_t block = AddBlock(fileOffset + datafile::kListHeaderSize, count, entrySize, DeviceData::BlockKind::List);
        lists_.push_back({info, block});
        if (info->countOffset) Put16(info->countOffset, count);
        Put32(info->handleOffset, block);
        return true;
    }

    bool Text(uint16_t handleOffset, ByteView payload, uint32_t fileOffset) {
        const devicedata::TextInfo* info = devicedata::TextByHandle(handleOffset);
        if (!info) return Fail("no text of the record has its handle at 0x%03x", handleOffset);
        uint32_t existing = 0;
        ByteView(record_, sizeof record_).u32(handleOffset, existing);
        if (existing) return Fail("text %.*s given twice", Name(info->name), info->name.data());
        const size_t n = payload.size();
        if (n == 0 || payload.data()[n - 1] != 0) return Fail("text %.*s is not ended by a NUL", Name(info->name), info->name.data());
        if (n - 1 > info->maxLength)
            return Fail("text %.*s has %zu characters, at most %u", Name(info->name), info->name.data(), n - 1, info->maxLength);
        Put32(handleOffset, AddBlock(fileOffset, 0, static_cast<uint32_t>(n), DeviceData::BlockKind::Text));
        return true;
    }

    bool SubList(uint32_t at, ByteView payload, uint32_t fileOffset) {
        char what[64];
        std::snprintf(what, sizeof what, "sub-list at %u", at);
        uint16_t entrySize = 0, count = 0;
        if (!ListShape(what, payload, entrySize, count)) return false;
        subLists_.push_back({at, AddBlock(fileOffset + datafile::kListHeaderSize, count, entrySize, DeviceData::BlockKind::SubList), false});
        return true;
    }

    uint32_t AddBlock(uint32_t fileOffset, uint32_t count, uint32_t entrySize, DeviceData::BlockKind kind) {
        blocks_.push_back({fileOffset, count, entrySize, kind});
        return static_cast<uint32_t>(blocks_.size());  // handles count from 1; 0 is "none"
    }

    void Put16(size_t offset, uint16_t value) { MutableByteView(record_, sizeof record_).put_u16(offset, value); }
    void Put32(size_t offset, uint32_t value) { MutableByteView(record_, sizeof record_).put_u32(offset, value); }

    // An entry names its sub-list by the section offset of the sub-list's record. It must be a
    // sub-list record of the right entry size that no other entry names: anything else (a
    // pointer into a record, to a list, to itself, or shared) is refused.
    bool ResolveSubLists() {
        for (const PlannedList& list : lists_) {
            const devicedata::ListInfo& info = *list.info;
            if (!info.subHandleOffset) continue;
            const DeviceData::Block& block = blocks_[list.block - 1];
            for (uint32_t i = 0; i < block.count; ++i) {
                const uint32_t entryOffset = block.offset + i * block.entrySize;
                const ByteView entry = file_.sub(entryOffset, block.entrySize);
                uint16_t count = 0;
                uint32_t target = 0;
                entry.u16(info.subCountOffset, count);
                entry.u32(info.subHandleOffset, target);
                uint32_t handle = 0;
                if (target != 0 || count != 0) {
                    auto it = std::find_if(subLists_.begin(), subLists_.end(),
                                           [&](const SubListRecord& s) { return s.sectionOffset == target; });
                    const char* name = info.name.data();
                    const int len = Name(info.name);
                    if (target == 0 || it == subLists_.end())
                        return Fail("entry %u of list %.*s points to %u, where no sub-list begins", i, len, name, target);
                    if (it->used) return Fail("entry %u of list %.*s points to a sub-list another entry owns", i, len, name);
                    const DeviceData::Block& sub = blocks_[it->block - 1];
                    if (sub.entrySize != info.subEntrySize)
                        return Fail("entry %u of list %.*s points to a sub-list of %u-byte entries, not %u", i, len, name,
                                    sub.entrySize, info.subEntrySize);
                    if (sub.count != count)
                        return Fail("entry %u of list %.*s counts %u sub-entries, its sub-list holds %u", i, len, name,
                                    count, sub.count);
                    it->used = true;
                    handle = it->block;
                }
                patches_.push_back({entryOffset, info.subCountOffset, info.subHandleOffset, handle});
            }
        }
        for (const SubListRecord& sub : subLists_)
            if (!sub.used) return Fail("sub-list at %u belongs to no entry", sub.sectionOffset);
        if (!haveModelB_) return Fail("the model name block is missing");
        return true;
    }

    // Section 2 ---------------------------------------------------------------------------
    bool ScanItems() {
        const bool ok = WalkSection(2, itemsOffset_, itemsSize_,
                                    [&](uint32_t at, uint16_t tag, uint16_t attributes, ByteView payload, uint32_t fileOffset) {
                                        return Item(at, tag, attributes, payload, fileOffset);
                                    });
        if (!ok) return false;
        std::sort(items_.begin(), items_.end(), [](const PlannedItem& a, const PlannedItem& b) { return a.id < b.id; });
        for (size_t i = 1; i < items_.size(); ++i)
            if (items_[i].id == items_[i - 1].id) return Fail("data item %u given twice", items_[i].id);
        return true;
    }

    bool Item(uint32_t at, uint16_t tag, uint16_t attributes, ByteView payload, uint32_t fileOffset) {
        if (tag == 0) return Fail("section 2: data item at %u has id 0", at);
        if (attributes & ~datafile::kAttrCompressed)
            return Fail("data item %u has unknown attributes 0x%04x", tag, attributes);
        PlannedItem item{tag, fileOffset, static_cast<uint32_t>(payload.size()), 0};
        if (attributes & datafile::kAttrCompressed) {
            if (!payload.u32(0, item.unpacked) || payload.size() == 4)
                return Fail("compressed data item %u is shorter than its head", tag);
            if (item.unpacked == 0 || item.unpacked > datafile::kMaxUnpackedItem)
                return Fail("compressed data item %u claims %u unpacked bytes", tag, item.unpacked);
            unpackedTotal_ += item.unpacked;
            if (unpackedTotal_ > datafile::kMaxFileSize) return Fail("data items unpack to more than a data file may hold");
        }
        items_.push_back(item);
        return true;
    }

    // Build -------------------------------------------------------------------------------
    static size_t Align(size_t n) { return (n + 7) & ~size_t{7}; }

    DeviceData* Build() {
        Put32(devicedata::kRecordSizeField, devicedata::kRecordSize);
        Put16(devicedata::kModelNumber, modelCode_);
        const size_t head = Align(sizeof(DeviceData));
        const size_t blockBytes = Align(blocks_.size() * sizeof(DeviceData::Block));
        const size_t itemBytes = Align(items_.size() * sizeof(DeviceData::Item));
        const size_t total = head + blockBytes + itemBytes + file_.size() + unpackedTotal_;
        auto* base = static_cast<uint8_t*>(PrivateAlloc(total));
        if (!base) {
            Fail("no memory for a parsed file of %zu bytes", total);
            return nullptr;
        }
        auto* data = new (base) DeviceData();
        auto* blocks = reinterpret_cast<DeviceData::Block*>(base + head);
        auto* items = reinterpret_cast<DeviceData::Item*>(base + head + blockBytes);
        uint8_t* bytes = base + head + blockBytes + itemBytes;
        std::copy(blocks_.begin(), blocks_.end(), blocks);
        std::memcpy(bytes, file_.data(), file_.size());
        MutableByteView image(bytes, file_.size());
        for (const EntryPatch& patch : patches_) {
            const uint32_t count = patch.block ? blocks_[patch.block - 1].count : 0;
            image.put_u16(patch.fileOffset + patch.countOffset, static_cast<uint16_t>(count));
            image.put_u32(patch.fileOffset + patch.handleOffset, patch.block);
        }
        size_t unpackedAt = file_.size();
        for (size_t i = 0; i < items_.size(); ++i) {
            const PlannedItem& item = items_[i];
            if (item.unpacked == 0) {
                items[i] = {item.id, {item.fileOffset, item.length}};
                continue;
            }
            const UINT got = InflateExact(file_.data() + item.fileOffset + 4, item.length - 4, bytes + unpackedAt, item.unpacked);
            if (got != item.unpacked) {
                PrivateFree(base);
                Fail("compressed data item %u does not inflate to its %u bytes", item.id, item.unpacked);
                return nullptr;
            }
            items[i] = {item.id, {static_cast<uint32_t>(unpackedAt), item.unpacked}};
            unpackedAt += item.unpacked;
        }
        std::memcpy(data->record_, record_, sizeof record_);
        data->modelCode_ = modelCode_;
        data->modelA_ = {modelA_.offset, modelA_.size};
        data->modelB_ = {modelB_.offset, modelB_.size};
        data->blocks_ = blocks;
        data->blockCount_ = static_cast<uint32_t>(blocks_.size());
        data->items_ = items;
        data->itemCount_ = static_cast<uint32_t>(items_.size());
        data->bytes_ = bytes;
        data->byteCount_ = unpackedAt;
        data->uses_ = 1;
        return data;
    }

    ByteView file_;
    DataFileError& error_;
    uint16_t modelCode_ = 0;
    uint32_t specOffset_ = 0, specSize_ = 0, itemsOffset_ = 0, itemsSize_ = 0;
    uint8_t record_[devicedata::kRecordSize] = {};
    std::bitset<devicedata::kRecordSize> seenFields_;
    std::vector<DeviceData::Block> blocks_;
    std::vector<PlannedList> lists_;
    std::vector<SubListRecord> subLists_;
    std::vector<EntryPatch> patches_;
    std::vector<PlannedItem> items_;
    size_t unpackedTotal_ = 0;
    struct {
        uint32_t offset = 0, size = 0;
    } modelA_, modelB_;
    bool haveModelA_ = false, haveModelB_ = false;
};

DeviceData* ParseDataFile(const void* image, size_t size, DataFileError& error) noexcept {
    error = {};
    try {
        DeviceDataBuilder builder(ByteView(image, size), error);
        return builder.Run();
    } catch (const std::bad_alloc&) {
        std::snprintf(error.text, sizeof error.text, "no memory to parse the file");
        return nullptr;
    }
}
