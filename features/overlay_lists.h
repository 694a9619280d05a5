// The recent lists of form overlay files: the files the user recently used and created (value
// "OverlaySheetdata", 3,852 bytes) and the language's own recent list (value
// "PdlOverlaySheetdata", 1,294 bytes), both below the printer's key. Each list holds at most five
// entries of 258 bytes: the file's title, its path and a source word.
#pragma once

#include "core/helpers/byte_view.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace overlay {

inline constexpr size_t kEntrySize = 258, kTextRoom = 128, kListLength = 5;
inline constexpr size_t kSheetDataSize = 3852, kCreatedAt = 168, kUsedAt = 1458;
inline constexpr size_t kRecentDataSize = 1294, kRecentAt = 4;

struct OverlayEntry {
    char title[kTextRoom] = {};  // always terminated: at most 127 characters
    char path[kTextRoom] = {};
    uint16_t source = 0;         // 0 a file the user chose
};
using OverlayList = std::vector<OverlayEntry>;

OverlayEntry MakeEntry(const char* title, const char* path, uint16_t source = 0);
// Up to five entries from offset, ending at the first with an empty title.
OverlayList ReadList(const ByteView& bytes, size_t offset);
void WriteList(const OverlayList& list, uint8_t* out);
// The entry in front, then the old entries of another title, at most five in all.
OverlayList AddedInFront(const OverlayList& list, const OverlayEntry& entry);
// An entry already listed (same source and title) moves to the front as it is stored; a new one
// goes in front of the first four.
OverlayList AddedRecent(const OverlayList& list, const OverlayEntry& entry);

}  // namespace overlay
