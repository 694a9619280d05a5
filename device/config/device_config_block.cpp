// The parser of the flat attribute list and the field table behind `DeviceConfigBlock`: one row
// per known attribute with its shape, capacity and failure bit; the rows' fields are laid out
// one after the other in table order. A field is {u32 count; values}, values being 32-bit
// numbers, 33-character texts or the four words of a structured value.
#include "device/config/device_config_block.h"

#include "core/helpers/byte_view.h"

#include <array>
#include <cstring>

namespace {

enum class Shape : uint8_t { Number, Number16, Numbers, Texts, Structured };

struct Row {
    uint32_t id;
    Shape shape;
    uint8_t capacity;
    uint8_t bit;  // word bit / 32, bit % 32
};

// Bits 1, 2 and 6 of the first word and bits 0 to 6 of the third are the ones callers know;
// the rest are numbered in order.
constexpr Row kRows[] = {
    {0x20006, Shape::Number, 1, 0},       {0x4000112, Shape::Number16, 1, 1},  {0x4000111, Shape::Structured, 1, 2},
    {0x20001, Shape::Number, 1, 3},       {0x21001, Shape::Number, 1, 4},      {0x21003, Shape::Number, 1, 5},
    {0x70000003, Shape::Number, 1, 6},    {0x70000001, Shape::Number, 1, 7},   {0x70000002, Shape::Texts, 1, 8},
    {0x70000006, Shape::Number, 1, 9},    {0x70000007, Shape::Number, 1, 10},  {0x7000000B, Shape::Number, 1, 11},
    {0x7000000C, Shape::Texts, 1, 12},    {0x7000000D, Shape::Texts, 1, 13},   {0x7000000E, Shape::Texts, 1, 14},
    {0x7000000F, Shape::Texts, 1, 15},    {0x70000010, Shape::Texts, 1, 16},   {0x70000011, Shape::Texts, 1, 17},
    {0x70000012, Shape::Number, 1, 18},   {0x70000013, Shape::Texts, 1, 19},   {0x10001, Shape::Texts, 1, 20},
    {0x30025, Shape::Structured, 1, 21},  {0x4000100, Shape::Texts, 8, 22},    {0x4000101, Shape::Number, 1, 23},
    {0x4000108, Shape::Numbers, 8, 24},   {0x400010A, Shape::Numbers, 4, 25},  {0x400010B, Shape::Numbers, 4, 26},
    {0x3000001, Shape::Texts, 8, 27},     {0x3000002, Shape::Numbers, 8, 28},  {0x3000003, Shape::Numbers, 8, 29},
    {0x3000004, Shape::Numbers, 8, 30},   {0x3000005, Shape::Numbers, 8, 31},  {0x3000006, Shape::Texts, 8, 32},
    {0x3000007, Shape::Numbers, 8, 33},   {0x3000016, Shape::Numbers, 8, 34},  {0x3000017, Shape::Numbers, 8, 35},
    {0x3000200, Shape::Texts, 8, 36},     {0x3000301, Shape::Numbers, 8, 37},  {0x40037, Shape::Texts, 1, 38},
    {0x40038, Shape::Texts, 1, 39},       {0x40039, Shape::Texts, 1, 40},      {0x4003A, Shape::Texts, 1, 41},
    {0x40060, Shape::Texts, 1, 42},       {0x40061, Shape::Texts, 1, 43},      {0x40062, Shape::Texts, 1, 44},
    {0x40063, Shape::Texts, 1, 45},       {0x40074, Shape::Texts, 1, 46},      {225, Shape::Number, 1, 47},
    {226, Shape::Number, 1, 48},          {227, Shape::Number, 1, 49},         {228, Shape::Number, 1, 50},
    {229, Shape::Number, 1, 51},          {230, Shape::Number, 1, 52},         {240, Shape::Number, 1, 53},
    {241, Shape::Number, 1, 54},          {242, Shape::Number, 1, 55},         {243, Shape::Number, 1, 56},
    {244, Shape::Number, 1, 57},          {245, Shape::Number, 1, 58},         {261, Shape::Number, 1, 59},
    {262, Shape::Number, 1, 60},          {263, Shape::Number, 1, 61},         {264, Shape::Number, 1, 62},
    {265, Shape::Number, 1, 63},          {0x40075, Shape::Texts, 1, 64},      {0x40076, Shape::Texts, 1, 65},
    {0x40077, Shape::Texts, 1, 66},       {0x40078, Shape::Texts, 1, 67},      {0x40079, Shape::Texts, 1, 68},
    {0x4007A, Shape::Texts, 1, 69},       {0x4007B, Shape::Texts, 1, 70},      {266, Shape::Number, 1, 96},
};
constexpr size_t kRowCount = sizeof kRows / sizeof kRows[0];

constexpr size_t ValueSize(Shape s) {
    switch (s) {
    case Shape::Texts: return kConfigTextField;
    case Shape::Structured: return 16;
    case Shape::Number16: return 2;
    default: return 4;
    }
}
constexpr size_t FieldSize(const Row& r) { return (4 + ValueSize(r.shape) * r.capacity + 3) & ~size_t{3}; }

struct Layout {
    std::array<size_t, kRowCount> offsets{};
    size_t end = 0;
};
constexpr Layout MakeLayout() {
    Layout l;
    for (size_t i = 0; i < kRowCount; ++i) {
        l.offsets[i] = l.end;
        l.end += FieldSize(kRows[i]);
    }
    return l;
}
constexpr Layout kLayout = MakeLayout();
static_assert(kLayout.end <= sizeof(DeviceConfigBlock::fields));

int RowOf(uint32_t id) {
    for (size_t i = 0; i < kRowCount; ++i)
        if (kRows[i].id == id) return static_cast<int>(i);
    return -1;
}

void Fail(DeviceConfigBlock& b, const Row& r) { b.failures[r.bit / 32] |= 1u << (r.bit % 32); }

constexpr size_t kRecordSize = 20;
constexpr size_t kValueSize = 12;

// Stores the values of one record into its field; false when the record's values are not of
// the field's form.
bool Store(DeviceConfigBlock& b, const Row& r, size_t at, ByteView list, uint32_t count, uint32_t valuesAt) {
    MutableByteView field(b.fields + at, FieldSize(r));
    const bool single = r.shape == Shape::Number || r.shape == Shape::Number16 || r.shape == Shape::Structured;
    if (count == 0 || (single && count != 1)) return false;
    const uint32_t wantKind = r.shape == Shape::Texts ? 2 : r.shape == Shape::Structured ? 3 : 1;
    uint32_t stored = 0;
    bool ok = true;
    for (uint32_t k = 0; k < count && stored < r.capacity; ++k) {
        size_t v = size_t{valuesAt} + size_t{k} * kValueSize;
        uint16_t kind = 0;
        uint32_t length = 0, value = 0;
        if (!list.contains(v, kValueSize) || !list.u16(v, kind) || kind != wantKind) {
            ok = false;
            break;
        }
        list.u32(v + 4, length);
        list.u32(v + 8, value);
        size_t place = 4 + stored * ValueSize(r.shape);
        if (r.shape == Shape::Number16) {
            field.put_u16(place, static_cast<uint16_t>(value));
        } else if (r.shape == Shape::Number || r.shape == Shape::Numbers) {
            field.put_u32(place, value);
        } else if (r.shape == Shape::Structured) {
            uint8_t words[16];
            if (!list.bytes(value, words, sizeof words)) {
                ok = false;
                break;
            }
            field.put_bytes(place, words, sizeof words);
        } else {
            // A text is its length in bytes at its offset; it is cut at its terminator or at the
            // field, and a text that does not lie inside the list is not read.
            if (!list.contains(value, length)) {
                ok = false;
                break;
            }
            const uint8_t* text = list.data() + value;
            size_t n = 0;
            while (n < length && n < kConfigTextField - 1 && text[n]) ++n;
            field.put_bytes(place, text, n);
        }
        ++stored;
    }
    field.put_u32(0, stored);
    return ok;
}

const uint8_t* Field(const DeviceConfigBlock& b, uint32_t id, const Row** row) {
    int i = RowOf(id);
    if (i < 0) return nullptr;
    *row = &kRows[i];
    return b.fields + kLayout.offsets[static_cast<size_t>(i)];
}

}  // namespace

int ParseDeviceInfoRecords(DeviceConfigBlock* block, const uint8_t* list, size_t size, uint32_t count) {
    if (!block) return 0;
    std::memset(block, 0, sizeof *block);
    if (!list) return 0;
    ByteView view(list, size);
    if (!view.contains(0, size_t{count} * kRecordSize)) return 0;
    for (uint32_t i = 0; i < count; ++i) {
        size_t at = size_t{i} * kRecordSize;
        uint32_t id = 0, values = 0, valuesAt = 0;
        view.u32(at, id);
        view.u32(at + 12, values);
        view.u32(at + 16, valuesAt);
        int row = RowOf(id);
        if (row < 0) continue;
        const Row& r = kRows[static_cast<size_t>(row)];
        if (!Store(*block, r, kLayout.offsets[static_cast<size_t>(row)], view, values, valuesAt)) Fail(*block, r);
    }
    return 1;
}

bool ConfigKnows(uint32_t id) { return RowOf(id) >= 0; }

bool ConfigFailed(const DeviceConfigBlock& b, uint32_t id) {
    int i = RowOf(id);
    if (i < 0) return false;
    uint8_t bit = kRows[static_cast<size_t>(i)].bit;
    return (b.failures[bit / 32] >> (bit % 32)) & 1;
}

uint32_t ConfigCount(const DeviceConfigBlock& b, uint32_t id) {
    const Row* r = nullptr;
    const uint8_t* f = Field(b, id, &r);
    uint32_t n = 0;
    if (f) std::memcpy(&n, f, 4);
    return n;
}

uint32_t ConfigNumber(const DeviceConfigBlock& b, uint32_t id, uint32_t i) {
    const Row* r = nullptr;
    const uint8_t* f = Field(b, id, &r);
    if (!f || r->shape == Shape::Texts) return 0;
    ByteView field(f, FieldSize(*r));
    if (r->shape == Shape::Structured) {
        uint32_t v = 0;
        return ConfigCount(b, id) && i < 4 && field.u32(4 + 4 * i, v) ? v : 0;
    }
    if (i >= ConfigCount(b, id)) return 0;
    if (r->shape == Shape::Number16) {
        uint16_t v = 0;
        field.u16(4 + 2 * i, v);
        return v;
    }
    uint32_t v = 0;
    field.u32(4 + 4 * i, v);
    return v;
}

const char* ConfigText(const DeviceConfigBlock& b, uint32_t id, uint32_t i) {
    const Row* r = nullptr;
    const uint8_t* f = Field(b, id, &r);
    if (!f || r->shape != Shape::Texts || i >= ConfigCount(b, id)) return "";
    return reinterpret_cast<const char*>(f + 4 + i * kConfigTextField);
}
