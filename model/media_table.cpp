// The media tables of the described models. The Kelvaro models share one table built from the
// media types of their data files; the device's own media names replace these names when the
// configuration reads them.
#include "model/media_table.h"

#include <array>

namespace {

struct MediaSeed {
    uint16_t mediaId;
    uint16_t mediaType;
    uint16_t sourceClass;
    uint16_t sizeClass;
    const char* name;
};

constexpr std::array<MediaRecord, kMediaTableEntries> buildTable(const MediaSeed* seeds, size_t count) {
    std::array<MediaRecord, kMediaTableEntries> table{};
    for (size_t i = 0; i < table.size(); ++i) {
        MediaRecord r{};
        r.mediaId = kNoMedia;
        if (i < count) {
            const MediaSeed& s = seeds[i];
            r.groupKey = 1;
            r.mediaId = s.mediaId;
            r.mediaType = s.mediaType;
            r.sourceClass = s.sourceClass;
            r.sizeClass = s.sizeClass;
            r.order = static_cast<uint16_t>(i);
            for (size_t c = 0; s.name[c] && c + 1 < sizeof r.name; ++c) r.name[c] = s.name[c];
        }
        table[i] = r;
    }
    return table;
}

// Source classes: 1 trays, 2 bypass, 4 large-capacity. Size classes: 1 small, 2 standard, 4 large.
constexpr MediaSeed kKelvaroSeeds[] = {
    {2, 2, 7, 7, "Plain"},       {3, 3, 3, 7, "Thick"},      {4, 4, 2, 2, "Transparency"},
    {9, 9, 7, 7, "Recycled"},    {10, 10, 7, 6, "Letterhead"}, {12, 12, 2, 2, "Labels"},
    {15, 15, 2, 1, "Envelope"},
};

constexpr auto kKelvaroTable = buildTable(kKelvaroSeeds, std::size(kKelvaroSeeds));
constexpr auto kEmptyTable = buildTable(nullptr, 0);

constexpr int32_t kKelvaroKind2[] = {2, 3, 9, 10, -1};
constexpr int32_t kEmptyList[] = {-1};

bool isKelvaroFamily(uint16_t model) { return model == 2059 || model == 2071 || (model >= 2065 && model <= 2070) || model == 3001; }

}  // namespace

const MediaRecord* MediaTable_ForModel(uint16_t model) {
    return isKelvaroFamily(model) ? kKelvaroTable.data() : kEmptyTable.data();
}

int MediaTable_IndexOf(uint16_t mediaId, uint16_t model) {
    if (mediaId == kNoMedia) return -1;
    const MediaRecord* table = MediaTable_ForModel(model);
    for (size_t i = 0; i < kMediaTableEntries; ++i)
        if (table[i].mediaId == mediaId) return static_cast<int>(i);
    return -1;
}

const int32_t* GetModelMediaTable(uint16_t model, int kind) {
    return kind == 2 && isKelvaroFamily(model) ? kKelvaroKind2 : kEmptyList;
}
