// The printer's font-substitution table: which device font prints each TrueType face. It is
// stored in three values of the printer's driver data, "FontSubstTableSize" (bytes),
// "FontSubstTableNum" (entries) and "FontSubstTable" (the records), and read back only when the
// three agree.
#pragma once

#include "core/helpers/byte_view.h"
#include "core/datafile/printer_driver_data.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr char kFontSubstSizeValue[] = "FontSubstTableSize";
inline constexpr char kFontSubstNumValue[] = "FontSubstTableNum";
inline constexpr char kFontSubstTableValue[] = "FontSubstTable";

// A stored record: face[64], substitute[64], u32 device font id; little-endian, no padding.
inline constexpr size_t kFontFaceField = 64;
inline constexpr size_t kFontSubstRecordSize = 2 * kFontFaceField + 4;
static_assert(kFontSubstRecordSize == 132);
// As many records as one driver value holds; a larger stored count is damage, not a table.
inline constexpr uint32_t kMaxFontSubstEntries = devmode::kMaxDriverValue / kFontSubstRecordSize;

struct FontSubstEntry {
    std::string face;        // at most kFontFaceField - 1 characters
    std::string substitute;  // likewise
    uint32_t deviceFontId = 0;
};

// Parses a stored table: the declared size must equal count records and the table's own size.
// False, out empty, for anything else.
bool ParseFontSubstTable(ByteView table, uint32_t declaredSize, uint32_t count, std::vector<FontSubstEntry>& out);
// The stored form of the entries; names longer than their field are cut.
std::vector<uint8_t> SerializeFontSubstTable(const std::vector<FontSubstEntry>& entries);

// Reads the printer's table; false, out empty, when it is missing or its values disagree.
bool ReadFontSubstTable(const std::string& printer, std::vector<FontSubstEntry>& out);
// Stores the table as the three values; false when any write failed. The table is written
// before the two counts, so that a failure leaves counts that no longer match it and a reader
// ignores the half-written table instead of misreading it.
bool WriteFontSubstTable(const std::string& printer, const std::vector<FontSubstEntry>& entries);
