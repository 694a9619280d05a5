// The model pictures' rows and their one layout. The bundled printers (2059, 2071) show the
// finisher and the decks the device reports: finisher codes 0x21 and 0x22, cassettes 3 and 4 in
// bits 2 and 3 of byte 7, the unit on top in bit 1 of byte 7. The other rows follow the device-option
// fields of each model; their pictures are ours, simple and alike, told apart by body and trim.
#include "preview/model_picture_table.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr OptionBit kNone{0xFFFF, 0};
constexpr OptionBit B(uint16_t byte, uint8_t bit) { return {byte, bit}; }

// Bodies are bitmaps 28100 on, in the rows' order; decks 28200 + body width, their marks 28300 + width.
constexpr uint16_t kSideDeck = 28400, kFinisher = 28401, kBookletFinisher = 28402, kTopUnit = 28403;
constexpr uint16_t kBypassMark = 28405, kSideDeckMark = 28406;
constexpr int kFinisherWidth = 40, kBookletFinisherWidth = 52, kSideDeckWidth = 30, kBypassWidth = 8;
constexpr int kDeckHeight = 14;

constexpr ModelPictureRow kRows[] = {
    {"K01", 28100, 64, 50, 18, {}, {}, {B(5, 3), B(5, 4), kNone}, kNone, kNone, false},
    {"K02", 28101, 70, 54, 20, {32, 33}, {34, 35}, {B(6, 3), B(6, 4), kNone}, kNone, B(5, 1), false},
    {"K03", 28102, 62, 50, 20, {}, {}, {B(6, 0), B(6, 1), B(6, 2)}, kNone, kNone, false},
    {"K04", 28103, 62, 52, 20, {27}, {28}, {kNone, kNone, kNone}, kNone, kNone, false},
    {"K05", 28104, 66, 52, 20, {27}, {28}, {B(6, 0), B(6, 1), B(6, 2)}, kNone, kNone, false},
    {"K06", 28105, 72, 56, 0, {21}, {22}, {B(5, 0), kNone, kNone}, B(5, 1), B(1, 3), false},
    {"K07", 28106, 74, 58, 0, {10, 11, 14}, {12, 13}, {B(5, 1), kNone, kNone}, B(5, 6), B(1, 0), false},
    {"K08", 28107, 76, 58, 0, {18, 19}, {21, 26}, {B(5, 0), B(5, 1), kNone}, B(1, 4), B(1, 5), false},
    {"K09", 28108, 78, 60, 0, {18, 19, 51}, {21, 26, 52}, {B(5, 0), B(5, 1), kNone}, B(1, 4), B(1, 5), false},
    {"K10", 28109, 60, 48, 24, {}, {}, {B(5, 0), kNone, kNone}, kNone, kNone, false},
    {"K11", 28110, 64, 52, 24, {21}, {39}, {B(5, 0), kNone, kNone}, kNone, B(1, 5), false},
    {"K12", 28111, 64, 52, 24, {21}, {39}, {kNone, kNone, kNone}, kNone, B(1, 5), false},
    {"K13", 28112, 74, 56, 0, {18, 19}, {20}, {B(5, 1), kNone, kNone}, kNone, kNone, false},
    {"K14", 28113, 80, 60, 7, {40}, {41}, {B(5, 1), B(5, 6), kNone}, B(1, 7), B(1, 1), true},
    {"K15", 28114, 74, 58, 0, {20, 46}, {47}, {B(5, 1), kNone, kNone}, B(5, 6), kNone, false},
    {"K16", 28115, 62, 50, 24, {}, {}, {B(5, 0), kNone, kNone}, kNone, kNone, false},
    {"K17", 28116, 60, 50, 18, {}, {}, {B(5, 0), kNone, kNone}, kNone, kNone, false},
    {"K18", 28117, 60, 50, 18, {}, {}, {B(5, 0), kNone, kNone}, kNone, kNone, false},
    {"K19", 28118, 58, 46, 24, {}, {}, {kNone, kNone, kNone}, kNone, kNone, false},
    {"K20", 28119, 80, 62, 0, {36, 37}, {38}, {B(6, 3), kNone, kNone}, B(5, 1), B(9, 0), false},
    {"K21", 28120, 70, 56, 0, {15}, {17}, {B(5, 0), B(5, 1), kNone}, kNone, kNone, false},
    {"K22", 28121, 76, 58, 0, {18, 42}, {43}, {B(5, 0), B(5, 1), kNone}, kNone, kNone, false},
    {"K23", 28122, 72, 56, 0, {20, 24}, {25}, {B(5, 1), kNone, kNone}, kNone, B(1, 5), false},
    {"K24", 28123, 76, 60, 0, {21, 48}, {49, 50}, {B(5, 0), B(5, 1), kNone}, kNone, B(1, 4), false},
    {"K25", 28124, 70, 54, 37, {0x21}, {0x22}, {B(7, 2), B(7, 3), kNone}, kNone, B(7, 1), false},
    {"K26", 28125, 70, 54, 13, {0x21}, {0x22}, {B(7, 2), B(7, 3), kNone}, kNone, B(7, 1), true},
    {"K27", 28126, 78, 60, 0, {44}, {45}, {B(5, 1), kNone, kNone}, B(5, 6), kNone, false},
    {"K28", 28127, 76, 58, 0, {21, 23}, {24, 25}, {B(5, 0), B(5, 1), kNone}, B(1, 4), B(1, 5), false},
    {"K29", 28128, 68, 52, 37, {}, {}, {B(5, 0), kNone, kNone}, kNone, kNone, false},
    {"K30", 28129, 66, 52, 0, {29}, {30}, {B(5, 1), kNone, kNone}, kNone, B(1, 0), false},
    {"K31", 28130, 72, 56, 0, {18, 19}, {20}, {B(5, 1), kNone, kNone}, kNone, kNone, false},
    {"K32", 28131, 62, 50, 20, {}, {}, {B(6, 0), kNone, kNone}, kNone, kNone, false},
    {"K33", 28132, 64, 50, 20, {}, {}, {B(6, 0), B(6, 1), kNone}, kNone, kNone, false},
};

struct ModelOfRow {
    uint16_t model;
    uint8_t row;  // index into kRows
};

// The model numbers and their pictures (K07 serves every number not listed).
constexpr ModelOfRow kModels[] = {
    {7, 29}, {12, 1}, {15, 1}, {1003, 30}, {1005, 5}, {1008, 30}, {1013, 4}, {1018, 20}, {1019, 20},
    {1020, 0}, {1021, 30}, {1022, 5}, {1023, 22}, {1024, 3}, {1025, 27}, {1026, 30}, {1027, 22}, {1028, 27},
    {1029, 20}, {1030, 20}, {2009, 2}, {2010, 7}, {2011, 7}, {2015, 20}, {2016, 22}, {2020, 20}, {2021, 22},
    {2028, 7}, {2029, 7}, {2030, 12}, {2031, 12}, {2032, 32}, {2033, 31}, {2034, 7}, {2035, 10}, {2036, 11},
    {2037, 27}, {2038, 27}, {2039, 27}, {2040, 27}, {2041, 32}, {2042, 10}, {2043, 11}, {2044, 7}, {2045, 15},
    {2046, 17}, {2047, 13}, {2048, 13}, {2053, 22}, {2054, 22}, {2055, 22}, {2056, 22}, {2057, 27}, {2058, 27},
    {2059, 24}, {2060, 12}, {2061, 20}, {2062, 20}, {2063, 9}, {2065, 21}, {2066, 21}, {2067, 21}, {2068, 21},
    {2069, 26}, {2070, 16}, {2071, 25}, {2072, 14}, {2073, 23}, {2074, 23}, {2075, 28}, {2076, 8}, {2077, 8},
    {2078, 14}, {2079, 14}, {2080, 26}, {2081, 13}, {2082, 14}, {2083, 8}, {2084, 21}, {2085, 21}, {2086, 18},
    {3001, 19},
};
constexpr int kDefaultRow = 6;  // K07

constexpr bool Sorted() {
    for (size_t i = 1; i < std::size(kModels); ++i)
        if (kModels[i - 1].model >= kModels[i].model) return false;
    for (const ModelOfRow& m : kModels)
        if (m.row >= std::size(kRows)) return false;
    return true;
}
static_assert(Sorted(), "the model list is searched by halves");

bool Installed(const ByteView& options, OptionBit b) {
    uint8_t byte = 0;
    return b.byte != 0xFFFF && options.u8(b.byte, byte) && ((byte >> b.bit) & 1);
}

bool Lists(const uint8_t (&codes)[4], uint8_t code) {
    return code != 0 && std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}

}  // namespace

const ModelPictureRow* ModelPictureOf(uint16_t model) {
    auto it = std::lower_bound(std::begin(kModels), std::end(kModels), model,
                               [](const ModelOfRow& m, uint16_t n) { return m.model < n; });
    if (it != std::end(kModels) && it->model == model) return &kRows[it->row];
    return &kRows[kDefaultRow];
}

const ModelPictureRow* ModelPictureRows(int* count) {
    *count = static_cast<int>(std::size(kRows));
    return kRows;
}

void LayOutModelPicture(const ModelPictureRow& row, const ByteView& options, int top, ModelPictureLayout& out) {
    out = {};
    uint8_t finisher = 0;
    options.u8(0, finisher);
    const bool booklet = Lists(row.bookletFinishers, finisher);
    const bool small = !booklet && Lists(row.smallFinishers, finisher);
    const int finisherWidth = booklet ? kBookletFinisherWidth : small ? kFinisherWidth : 0;
    const int w = row.bodyWidth, h = row.bodyHeight;
    const int left = finisherWidth, bodyTop = top + row.down / 2 + 17;  // room for the unit on top
    auto layer = [&](uint16_t id, int x, int y) {
        if (out.layerCount < ModelPictureLayout::kMaxLayers)
            out.layers[out.layerCount++] = {kLayerOfBody, id, kLayerKeyed, 0, x, y};
    };
    auto spot = [&](uint16_t value, int x, int y, int sw, int sh, uint16_t mark, int mx, int my) {
        if (out.spotCount < ModelPictureLayout::kMaxSpots)
            out.spots[out.spotCount++] = {value, {x, y, x + sw, y + sh}, mark, {mx, my}};
    };
    const uint16_t drawerMark = static_cast<uint16_t>(28300 + w);
    if (finisherWidth) {
        const int fh = booklet ? 74 : 62;
        layer(booklet ? kBookletFinisher : kFinisher, 0, bodyTop + h - fh + kDeckHeight);
    }
    layer(row.body, left, bodyTop);
    spot(1, left + 4, bodyTop + h - 26, w - 8, 11, drawerMark, left + 2, bodyTop + h - 27);
    spot(3, left + 4, bodyTop + h - 14, w - 8, 11, drawerMark, left + 2, bodyTop + h - 15);
    spot(4, left + w - 2, bodyTop + 19, 12, 9, kBypassMark, left + w - 2, bodyTop + 19);
    static constexpr uint16_t kDeckSources[3] = {2, 264, 270};
    int below = bodyTop + h;
    for (int d = 0; d < 3; ++d) {
        if (!Installed(options, row.decks[d])) continue;
        layer(static_cast<uint16_t>(28200 + w), left, below);
        spot(kDeckSources[d], left + 2, below + 1, w - 4, 12, drawerMark, left + 2, below + 1);
        below += kDeckHeight;
    }
    int right = left + w + kBypassWidth;
    if (Installed(options, row.sideDeck)) {
        layer(kSideDeck, right + 2, below - 44);
        spot(265, right + 3, below - 42, 28, 40, kSideDeckMark, right + 3, below - 42);
        right += 2 + kSideDeckWidth;
    }
    if (Installed(options, row.topUnit)) {
        const int x = left + (w - 37) / 2;
        layer(kTopUnit, x, bodyTop - 17);
        out.hasTopUnit = true;
        out.topUnit = {x, bodyTop - 17, x + 37, bodyTop};
    }
    out.width = right;
}

void ShiftModelPicture(ModelPictureLayout& layout, int dx) {
    for (int i = 0; i < layout.layerCount; ++i) layout.layers[i].x += dx;
    for (int i = 0; i < layout.spotCount; ++i) {
        OffsetRect(&layout.spots[i].rect, dx, 0);
        layout.spots[i].markAt.x += dx;
    }
    OffsetRect(&layout.topUnit, dx, 0);
}
