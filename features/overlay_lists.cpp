// The overlay recent lists' stored form and their front insertion. Texts read from the registry
// are cut at 127 characters, so that an entry without a terminator is never read past its end.
#include "features/overlay_lists.h"

#include <algorithm>
#include <cstring>

namespace overlay {
namespace {

static_assert(kEntrySize == 2 * kTextRoom + 2, "title, path and the source word");
static_assert(kUsedAt + kListLength * kEntrySize <= kSheetDataSize, "both lists fit the value");
static_assert(kRecentAt + kListLength * kEntrySize == kRecentDataSize, "the recent list fills its value");

void Copy(char* out, const char* text) {
    std::memset(out, 0, kTextRoom);
    if (text) std::memcpy(out, text, strnlen(text, kTextRoom - 1));
}

}  // namespace

OverlayEntry MakeEntry(const char* title, const char* path, uint16_t source) {
    OverlayEntry entry;
    Copy(entry.title, title);
    Copy(entry.path, path);
    entry.source = source;
    return entry;
}

OverlayList ReadList(const ByteView& bytes, size_t offset) {
    OverlayList list;
    for (size_t i = 0; i < kListLength; ++i) {
        const size_t at = offset + i * kEntrySize;
        OverlayEntry entry;
        if (!bytes.bytes(at, entry.title, kTextRoom) || !bytes.bytes(at + kTextRoom, entry.path, kTextRoom) ||
            !bytes.u16(at + 2 * kTextRoom, entry.source))
            break;
        entry.title[kTextRoom - 1] = entry.path[kTextRoom - 1] = 0;
        if (!entry.title[0]) break;
        list.push_back(entry);
    }
    return list;
}

void WriteList(const OverlayList& list, uint8_t* out) {
    for (size_t i = 0; i < std::min(list.size(), kListLength); ++i) {
        uint8_t* at = out + i * kEntrySize;
        std::memcpy(at, list[i].title, kTextRoom);
        std::memcpy(at + kTextRoom, list[i].path, kTextRoom);
        at[2 * kTextRoom] = static_cast<uint8_t>(list[i].source);
        at[2 * kTextRoom + 1] = static_cast<uint8_t>(list[i].source >> 8);
    }
}

OverlayList AddedInFront(const OverlayList& list, const OverlayEntry& entry) {
    OverlayList next{entry};
    for (const OverlayEntry& old : list)
        if (next.size() < kListLength && old.title[0] && std::strcmp(old.title, entry.title) != 0) next.push_back(old);
    return next;
}

OverlayList AddedRecent(const OverlayList& list, const OverlayEntry& entry) {
    for (size_t k = 0; k < list.size() && k < kListLength; ++k)
        if (list[k].source == entry.source && std::strcmp(list[k].title, entry.title) == 0) {
            OverlayList next = list;
            std::rotate(next.begin(), next.begin() + static_cast<std::ptrdiff_t>(k),
                        next.begin() + static_cast<std::ptrdiff_t>(k) + 1);
            return next;
        }
    OverlayList next{entry};
    for (size_t i = 0; i < list.size() && next.size() < kListLength; ++i) next.push_back(list[i]);
    return next;
}

}  // namespace overlay
