// Option table of the private device mode: one row per option, with its older number, its id,
// its width and its default. Get, set, defaults, validation and conversion all read this table,
// and the section sizes and positions of the current layout are computed from it.
#pragma once

#include "core/devmode/devmode_layout.h"

#include <array>
#include <iterator>
#include <cstddef>
#include <cstdint>

namespace devmode {

struct OptionRow {
    uint16_t number;  // older option number 100 to 332; 0 for options reached only by id
    uint32_t id;      // section in bits 16 to 23, item index in the low 16 bits
    uint16_t width;   // bytes; values of 2 bytes are signed 16-bit, of 4 bytes 32-bit words
    uint32_t initial; // default of a value of at most 4 bytes; wider blocks start zero-filled
};

// An item added by a later version takes a higher index than every item of its section, so that
// older, shorter sections stay a prefix of the current ones. Never renumber a row.
inline constexpr OptionRow kOptionRows[] = {
    // Section 2: job, layout and quality.
    {100, 0x20001, 4, 0},    // document-property flags
    {101, 0x20002, 32, 0},   // applied profile name
    {102, 0x20003, 2, 1},    // job operation
    {110, 0x20010, 4, 0},    // layout flags
    {123, 0x20011, 2, 0},    // device category
    {111, 0x20012, 2, 0},    // source paper id
    {112, 0x20013, 2, 0},    // source paper code
    {114, 0x20014, 4, 0},    // source width and length, 0.1 mm
    {115, 0x20015, 8, 0},    // source printable area
    {116, 0x20016, 2, 0},    // output paper id
    {117, 0x20017, 2, 0},    // output paper code (256 custom)
    {119, 0x20018, 4, 0},    // output width and length
    {120, 0x20019, 8, 0},    // output area x1, y1, x2, y2
    {121, 0x2001A, 2, 0},    // binding edge
    {122, 0x2001B, 2, 0},    // gutter margin, mm
    {124, 0x2001C, 2, 0},    // layout mode
    {125, 0x2001D, 2, 100},  // scaling percent
    {126, 0x2001E, 2, 0},    // pages-per-sheet code
    {127, 0x2001F, 2, 0},    // page order
    {128, 0x20020, 2, 0},    // poster code
    {129, 0x20021, 2, 0},    // user-paper kind
    {130, 0x20022, 4, 0},    // booklet flags
    {131, 0x20023, 2, 1},    // sheets per set
    {132, 0x20024, 2, 0},    // binding location
    {133, 0x20025, 2, 50},   // booklet margin, 0.1 mm
    {220, 0x20040, 4, 0},    // quality flags
    {221, 0x20041, 2, 0},    // print image / quality code
    {222, 0x20042, 2, 0},    // colour mode
    {224, 0x20043, 2, 600},  // resolution, dpi
    {225, 0x20044, 2, 0},    // resolution code
    {227, 0x20045, 2, 1},    // bits per pixel
    {228, 0x20046, 2, 1},    // surface bits per pixel
    {226, 0x20047, 2, 0},    // mode switch
    // Section 3: stamps and watermark.
    {140, 0x30001, 2, 0},    // edging
    {141, 0x30021, 2, 0},    // date print position (0x1000 prints)
    {142, 0x30022, 2, 0},    // user print position
    {143, 0x30023, 2, 0},    // page print position
    {0, 0x30024, 4, 0},      // stamp colour
    {0, 0x30025, 48, 0},     // stamp font block
    {144, 0x30026, 2, 0},    // job divide count
    {150, 0x30030, 4, 0},    // watermark flags
    {154, 0x30031, 32, 0},   // watermark name
    {155, 0x30032, 32, 0},   // watermark text
    {156, 0x30033, 48, 0},   // watermark font block
    {157, 0x30034, 4, 0x808080},  // watermark colour
    {158, 0x30035, 4, 0},    // watermark position
    {159, 0x30036, 2, 450},  // watermark angle, 0.1 degree
    // Section 4: image quality and colour.
    {229, 0x40001, 2, 0},
    {232, 0x40002, 2, 0},    // pixel depth
    {230, 0x40003, 2, 0},
    {231, 0x40004, 2, 0},
    {233, 0x40005, 2, 0},
    {235, 0x40006, 2, 0},
    {250, 0x40010, 130, 0},  // colour block
    // Section 5: overlay.
    {170, 0x50001, 2, 0},    // overlay flags
    {171, 0x50002, 2, 0},    // overlay mode
    {172, 0x50003, 2, 0},
    {173, 0x50004, 2, 0},
    {174, 0x50005, 2, 0},
    {176, 0x50006, 128, 0},  // overlay path
    {177, 0x50007, 64, 0},   // overlay name
    {178, 0x50008, 64, 0},   // overlay name
    // Section 6: finishing.
    {190, 0x60001, 4, 0},    // finishing flags
    {191, 0x60002, 2, 0},    // staple position
    {193, 0x60003, 2, 0},    // punch edge
    {196, 0x60004, 2, 0},    // finishing count
    // Section 7: paper source.
    {200, 0x70001, 4, 0},    // source flags
    {201, 0x70002, 2, 0},    // paper-selection mode
    {202, 0x70003, 2, 0},    // sources per page kind
    {203, 0x70004, 2, 0},
    {204, 0x70005, 2, 0},
    {205, 0x70006, 2, 0},
    {206, 0x70007, 18, 0},   // source block
    {207, 0x70008, 2, 0},    // media
    {208, 0x70009, 2, 0},
    // Section 8: output and mail box.
    {261, 0x80001, 2, 0},
    {262, 0x80002, 34, 0},   // mail-box name
    {331, 0x80003, 1, 0},
    {332, 0x80004, 1, 0},    // mail-box number
};
inline constexpr size_t kOptionCount = std::size(kOptionRows);

inline constexpr unsigned sectionOf(uint32_t id) { return (id >> 16) & 0xFF; }
inline constexpr unsigned indexOf(uint32_t id) { return id & 0xFFFF; }

// Where an option sits: its section and its offset inside that section.
struct OptionPlace {
    unsigned section;
    uint16_t offset;
};

namespace detail {
constexpr std::array<OptionPlace, kOptionCount> placeOptions() {
    std::array<OptionPlace, kOptionCount> places{};
    for (size_t i = 0; i < kOptionCount; ++i) {
        unsigned section = sectionOf(kOptionRows[i].id);
        unsigned offset = 0;
        for (const OptionRow& other : kOptionRows)
            if (sectionOf(other.id) == section && indexOf(other.id) < indexOf(kOptionRows[i].id))
                offset += other.width;
        places[i] = {section, static_cast<uint16_t>(offset)};
    }
    return places;
}

constexpr size_t alignUp(size_t n) { return (n + 3) & ~size_t{3}; }

constexpr std::array<uint16_t, kSectionCount> sectionSizes() {
    std::array<uint16_t, kSectionCount> sizes{};
    for (const OptionRow& row : kOptionRows) sizes[sectionOf(row.id) - kFirstSection] += row.width;
    sizes[kModelSectionId - kFirstSection] = kModelSectionSize;
    return sizes;
}

constexpr std::array<uint16_t, kSectionCount> sectionOffsets() {
    std::array<uint16_t, kSectionCount> offsets{};
    size_t at = kDirectoryEnd;
    auto sizes = sectionSizes();
    for (unsigned i = 0; i < kSectionCount; ++i) {
        offsets[i] = sizes[i] ? static_cast<uint16_t>(at) : 0;
        at += alignUp(sizes[i]);
    }
    return offsets;
}

constexpr bool rowsAreSound() {
    for (size_t i = 0; i < kOptionCount; ++i) {
        const OptionRow& a = kOptionRows[i];
        unsigned s = sectionOf(a.id);
        if (s < kFirstSection || s >= kModelSectionId || a.width == 0) return false;
        if (a.number != 0 && (a.number < 100 || a.number > 332)) return false;
        if (a.width < 4 && a.initial >> (8 * a.width) != 0) return false;
        for (size_t j = i + 1; j < kOptionCount; ++j) {
            if (kOptionRows[j].id == a.id) return false;
            if (a.number != 0 && kOptionRows[j].number == a.number) return false;
        }
    }
    return true;
}
}  // namespace detail

inline constexpr auto kOptionPlaces = detail::placeOptions();
inline constexpr auto kSectionSizes = detail::sectionSizes();
inline constexpr auto kSectionOffsets = detail::sectionOffsets();
inline constexpr size_t kModelSectionOffset = kSectionOffsets[kModelSectionId - kFirstSection];
inline constexpr size_t kDevmodeSize = kModelSectionOffset + kModelSectionSize;
inline constexpr size_t kPrivateSize = kDevmodeSize - kPublicSize;

// The section directory of the current layout as stored, little-endian: stamped in one copy and
// recognised in one comparison.
inline constexpr auto kCurrentDirectory = [] {
    std::array<uint8_t, kDirectoryEnd - kOffDirectory> bytes{};
    for (unsigned i = 0; i < kSectionCount; ++i) {
        const uint16_t words[2] = {kSectionOffsets[i], kSectionSizes[i]};
        for (unsigned w = 0; w < 2; ++w) {
            bytes[i * kDirectoryEntrySize + 2 * w] = static_cast<uint8_t>(words[w]);
            bytes[i * kDirectoryEntrySize + 2 * w + 1] = static_cast<uint8_t>(words[w] >> 8);
        }
    }
    return bytes;
}();
static_assert(directoryEntry(kFirstSection + 1) - kOffDirectory == kDirectoryEntrySize);

static_assert(detail::rowsAreSound(), "option rows: unique ids and numbers, sections 2 to 0xB");
static_assert(kOptionRows[0].id == 0x20001 && kOptionRows[3].id == 0x20010 && kOptionRows[4].id == 0x20011);
static_assert(kModelSectionOffset % 4 == 0 && kModelSectionOffset < 0x8000, "offset fits the s16 at byte 174");
static_assert(kDevmodeSize <= 0xFFFF, "dmSize + dmDriverExtra are 16-bit");

}  // namespace devmode
