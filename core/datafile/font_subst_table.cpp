// Reading and writing the stored font-substitution table through the checked view.
#include "core/datafile/font_subst_table.h"

#include "core/datafile/printer_driver_data.h"

#include <cstring>

namespace {

std::string fieldText(ByteView record, size_t offset) {
    char text[kFontFaceField] = {};
    record.bytes(offset, text, kFontFaceField);
    return std::string(text, strnlen(text, kFontFaceField - 1));
}

bool readCount(const std::string& printer, const char* name, uint32_t& out) {
    std::vector<uint8_t> value;
    if (!devmode::readDriverValue(printer, name, value) || value.size() != 4) return false;
    return ByteView(value.data(), value.size()).u32(0, out);
}

bool writeCount(const std::string& printer, const char* name, uint32_t value) {
    uint8_t bytes[4];
    MutableByteView(bytes, sizeof bytes).put_u32(0, value);
    return devmode::writeDriverValue(printer, name, bytes, sizeof bytes);
}

}  // namespace

bool ParseFontSubstTable(ByteView table, uint32_t declaredSize, uint32_t count, std::vector<FontSubstEntry>& out) {
    out.clear();
    if (count > kMaxFontSubstEntries || declaredSize != count * kFontSubstRecordSize || table.size() != declaredSize)
        return false;
    out.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        ByteView record = table.sub(size_t{i} * kFontSubstRecordSize, kFontSubstRecordSize);
        FontSubstEntry entry;
        entry.face = fieldText(record, 0);
        entry.substitute = fieldText(record, kFontFaceField);
        record.u32(2 * kFontFaceField, entry.deviceFontId);
        out.push_back(std::move(entry));
    }
    return true;
}

std::vector<uint8_t> SerializeFontSubstTable(const std::vector<FontSubstEntry>& entries) {
    std::vector<uint8_t> bytes(entries.size() * kFontSubstRecordSize);
    MutableByteView out(bytes.data(), bytes.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        size_t at = i * kFontSubstRecordSize;
        const FontSubstEntry& e = entries[i];
        out.put_bytes(at, e.face.data(), std::min(e.face.size(), kFontFaceField - 1));
        out.put_bytes(at + kFontFaceField, e.substitute.data(), std::min(e.substitute.size(), kFontFaceField - 1));
        out.put_u32(at + 2 * kFontFaceField, e.deviceFontId);
    }
    return bytes;
}

bool ReadFontSubstTable(const std::string& printer, std::vector<FontSubstEntry>& out) {
    out.clear();
    uint32_t size = 0, count = 0;
    std::vector<uint8_t> table;
    if (!readCount(printer, kFontSubstSizeValue, size) || !readCount(printer, kFontSubstNumValue, count)) return false;
    if (size && !devmode::readDriverValue(printer, kFontSubstTableValue, table)) return false;
    return ParseFontSubstTable(ByteView(table.data(), table.size()), size, count, out);
}

bool WriteFontSubstTable(const std::string& printer, const std::vector<FontSubstEntry>& entries) {
    if (entries.size() > kMaxFontSubstEntries) return false;
    std::vector<uint8_t> table = SerializeFontSubstTable(entries);
    return devmode::writeDriverValue(printer, kFontSubstTableValue, table.data(), table.size()) &&
           writeCount(printer, kFontSubstSizeValue, static_cast<uint32_t>(table.size())) &&
           writeCount(printer, kFontSubstNumValue, static_cast<uint32_t>(entries.size()));
}
