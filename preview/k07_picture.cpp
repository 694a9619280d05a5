// The default model's picture as data: the records of its layers, frames and parts, and the rules
// that pick them. Positions are those of a printer whose body stands at x 50 before the body
// offset; the finishers lie left of it at negative x, so that the offset for the finisher's width
// brings each finisher to the picture's left edge, and the tops of the taller models lie above it,
// brought down by the offset for the model's height.
#include "preview/k07_picture.h"

#include "core/devmode/device_option_block.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr uint16_t kMoves = kLayerOfBody;
constexpr PictureLayer L(uint16_t id, int x, int y) { return {kMoves, id, kLayerKeyed, 0, x, y}; }

constexpr PictureLayer kNoFinisherTray = L(28039, 60, 22);
constexpr PictureLayer kFinisherSmall = L(28045, -10, 22);    // types 10 and 11
constexpr PictureLayer kFinisherWide = L(28050, -14, 22);     // type 14
constexpr PictureLayer kFinisherBase[2] = {L(28048, -25, 22), L(28049, -27, 22)};   // byte 9 bit 5, by byte 1 bit 1
constexpr PictureLayer kFinisherLarge[2] = {L(28046, -21, 22), L(28047, -25, 22)};  // types 12 and 13
constexpr uint16_t kUnit = 28051, kUnitOption = 28052;
constexpr PictureLayer kSideDeck = L(28040, 131, 70);          // byte 5 bit 1, source 265
constexpr PictureLayer kInserter[3] = {L(28053, -20, 40), L(28054, -8, 40), L(28055, 34, 60)};  // byte 5 bit 6, 266
constexpr PictureLayer kBody[2] = {L(28037, 50, 30), L(28044, 130, 43)};
constexpr PictureLayer kTops[3] = {L(28059, 50, -7), L(28060, 50, -7), L(28061, 50, -16)};

constexpr uint16_t kCassetteMark = 28038, kDrawerMark = 28041;
constexpr PictureLayer kBypassMark = L(28042, 129, 42);
constexpr PictureLayer kSideDeckMark = L(28043, 132, 71);
constexpr PictureLayer kInserterMark[3] = {L(28056, -20, 40), L(28057, -8, 40), L(28058, 34, 60)};

// Where each source's frame sits.
struct SourceAt {
    int value;
    POINT at;
};
constexpr SourceAt kSourcePositions[] = {{1, {89, 58}}, {3, {56, 58}}, {2, {56, 77}}, {264, {56, 85}}};

constexpr uint16_t kSourcePart = 0x0682, kOptionPart = 0x0302;
constexpr uint16_t kPartMoves = 0x0002;
constexpr RECT kCassetteParts[] = {{89, 58, 122, 68}, {56, 58, 89, 68}, {56, 77, 124, 85}, {56, 85, 124, 93}};
constexpr uint16_t kCassetteValues[] = {1, 3, 2, 264};
constexpr RECT kSideDeckPart = {132, 71, 150, 95};
constexpr RECT kBypassPart = {129, 42, 141, 49};
constexpr RECT kInserterParts[3] = {{-20, 40, 6, 50}, {-8, 40, 12, 50}, {34, 60, 50, 70}};

constexpr uint16_t kTopModels[3][10] = {
    {1006, 1009, 1015},
    {1011, 1012, 1017, 2014, 2019, 2064},
    {1007, 1010, 1016, 2012, 2017, 2024, 2025, 2047, 2048, 2081},
};
constexpr uint16_t kLowerBy37[] = {1006, 1009, 1011, 1012, 1015, 1017, 2014, 2019, 2026, 2027, 2064};

bool Listed(const uint16_t* models, size_t count, uint16_t model) {
    return model != 0 && std::find(models, models + count, model) != models + count;
}

struct Options {
    uint8_t finisher = 0;
    uint32_t accessory = 0;
    uint8_t units = 0;  // byte 5
    uint8_t flags = 0;  // byte 9
    explicit Options(const ByteView& o) {
        o.u8(devopt::kFinisherCode, finisher);
        o.u32(devopt::kAccessoryWord, accessory);
        o.u8(devopt::kOptionWord, units);
        o.u8(devopt::kFlagWord, flags);
    }
    bool Small() const { return finisher == 10 || finisher == 11 || finisher == 14; }
    bool Large() const { return finisher == 12 || finisher == 13; }
    bool Variant() const { return (accessory & 0x2) != 0; }  // byte 1 bit 1
    bool Unit() const { return (accessory & 0x1) != 0; }     // byte 1 bit 0
    bool Base() const { return (flags & 0x20) != 0; }        // byte 9 bit 5
    // The inserter's record: large finishers, small ones, none.
    int InserterKind() const { return Large() ? 0 : Small() ? 1 : 2; }
};

void Add(K07Picture& out, PictureLayer layer, int dx, int dy) {
    if (out.layerCount >= K07Picture::kMaxLayers) return;
    if (layer.flags & kLayerOfBody) {
        layer.x += dx;
        layer.y += dy;
    }
    out.layers[out.layerCount++] = layer;
}

void AddPart(K07Picture& out, uint16_t flags, RECT r, uint16_t value, int32_t extra, int dx, int dy) {
    if (out.partCount >= K07Picture::kMaxParts) return;
    if (flags & kPartMoves) OffsetRect(&r, dx, dy);
    out.parts[out.partCount++] = {flags, r, value, extra};
}

}  // namespace

POINT K07BodyOffset(const ByteView& options, uint16_t model) {
    const Options o(options);
    int dx = 0;
    if (o.Small()) dx = (o.units & 0x40) ? 10 : 14;
    else if (o.Large()) dx = o.Base() == o.Variant() ? (o.Variant() ? 27 : 21) : 25;
    int dy = 0;
    if (Listed(kLowerBy37, std::size(kLowerBy37), model)) dy = 37;
    else if (Listed(kTopModels[2], std::size(kTopModels[2]), model)) dy = 46;
    return {dx, dy};
}

void BuildK07Layers(const ByteView& options, uint16_t model, bool sheets, int selected, uint32_t option200, int top,
                    K07Picture& out) {
    out.layerCount = 0;
    const Options o(options);
    const POINT d = K07BodyOffset(options, model);
    const int dx = d.x, dy = d.y + top;
    if (o.finisher == 0) Add(out, kNoFinisherTray, dx, dy);
    if (o.finisher == 10 || o.finisher == 11) Add(out, kFinisherSmall, dx, dy);
    else if (o.finisher == 14) Add(out, kFinisherWide, dx, dy);
    if (o.Base() || o.Large()) {
        Add(out, o.Base() ? kFinisherBase[o.Variant()] : kFinisherLarge[o.Variant()], dx, dy);
        if (o.Unit()) Add(out, L(kUnit, o.Variant() ? 4 : 17, 5), dx, dy);
    }
    if (o.units & 0x02) Add(out, kSideDeck, dx, dy);
    if (o.units & 0x40) Add(out, kInserter[o.InserterKind()], dx, dy);
    for (const PictureLayer& b : kBody) Add(out, b, dx, dy);
    PictureLayer last = {};
    for (int i = 0; i < 3; ++i)
        if (Listed(kTopModels[i], std::size(kTopModels[i]), model)) last = kTops[i];
    Add(out, last, dx, dy);
    if (!sheets) return;

    for (const SourceAt& s : kSourcePositions)
        if (s.value == selected)
            Add(out, L(selected == 1 || selected == 3 ? kCassetteMark : kDrawerMark, s.at.x, s.at.y), dx, dy);
    if (selected == 4) Add(out, kBypassMark, dx, dy);
    if (selected == 265) Add(out, kSideDeckMark, dx, dy);
    if (selected == 266) Add(out, kInserterMark[o.InserterKind()], dx, dy);
    if ((option200 & 1) && o.Unit()) Add(out, L(kUnitOption, o.Variant() ? 5 : 18, 5), dx, dy);
}

void BuildK07Parts(const ByteView& options, uint16_t model, int variant, bool optionPart, int top, K07Picture& out) {
    out.partCount = 0;
    const Options o(options);
    const POINT d = K07BodyOffset(options, model);
    const int dx = d.x, dy = d.y + top;
    for (size_t i = 0; i < std::size(kCassetteParts); ++i)
        AddPart(out, kSourcePart, kCassetteParts[i], kCassetteValues[i], 0, dx, dy);
    if (o.units & 0x02) AddPart(out, kSourcePart, kSideDeckPart, 265, 0, dx, dy);
    if (o.units & 0x40) AddPart(out, kSourcePart, kInserterParts[o.InserterKind()], 266, 0, dx, dy);
    if (variant != 3) AddPart(out, kSourcePart, kBypassPart, 4, 0, dx, dy);
    if (optionPart) {
        const RECT r = o.Variant() ? RECT{4, 5, 41, 22} : RECT{17, 5, 54, 22};
        AddPart(out, kOptionPart, r, 0, 1, dx, dy);
    }
}
