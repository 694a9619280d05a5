// The two wide models' units. K14 takes a finisher of codes 40 and 41 (bit 6 of byte 1 the booklet
// kind), the puncher when byte 1038 names puncher 5, the inserter by bit 8 of the accessory word
// (bit 0 its second tray), the stacker by bit 1, decks by bits 1 and 6 of byte 5 and the side deck
// by bit 7 of byte 1; K26, the bundled colour printer, the finishers 0x21 and 0x22 its device
// reports, the puncher whenever one is named, and the decks by bits 2 and 3 of byte 7. Every unit
// is one of the same pictures (ids 28609 on); all sit on one base line, 46 pixels down.
#include "preview/device_unit_tables.h"

#include "core/devmode/device_option_block.h"

#include <cstring>
#include <iterator>

namespace {

constexpr uint16_t kBodyK14 = 28609, kBodyK26 = 28610, kBypass = 28611, kSideDeck = 28612, kDeck = 28613;
constexpr uint16_t kPuncher = 28614, kFinisher = 28615, kBookletFinisher = 28616;
constexpr uint16_t kDrawerMark = 28617, kBypassMark = 28618, kSideDeckMark = 28619, kDeckMark = 28620;
constexpr uint16_t kInserterTwo = 28621, kInserterOne = 28622, kStacker = 28623;
constexpr uint16_t kSourcePart = 0x0682;  // a button framed while hot, its tip below, moved with the device

uint8_t Byte(const ByteView& o, size_t at) {
    uint8_t b = 0;
    o.u8(at, b);
    return b;
}
bool Bit(const ByteView& o, size_t at, int bit) { return (Byte(o, at) >> bit) & 1; }
uint16_t Puncher(const ByteView& o) {
    uint16_t kind = 0;
    o.u16(devopt::kPuncherKind, kind);
    return kind;
}

constexpr PictureLayer Layer(uint16_t id, int x, int y) { return {kLayerOfBody, id, kLayerKeyed, 0, x, y}; }
constexpr PictureLayer kNoLayer = {};

bool Is1(int s) { return s == 1; }
bool Is2(int s) { return s == 2; }
bool Is3(int s) { return s == 3; }
bool Is4(int s) { return s == 4; }
bool Is264(int s) { return s == 264; }
bool SideDeckSource(int s) { return s == 265 || s == 266; }

// The sources inside the printer, drawn with it: the two cassettes before it, the bypass after it.
constexpr DeviceUnit Cassette(bool (*selected)(int), int top, uint16_t value) {
    return {nullptr, selected, kNoLayer, Layer(kDrawerMark, 4, top), kSourcePart, {4, top, 56, top + 9}, value, 0};
}
constexpr DeviceUnit Body(uint16_t id) { return {nullptr, nullptr, Layer(id, 0, 2), kNoLayer, 0, {}, 0, 60}; }
constexpr DeviceUnit kBypassUnit = {nullptr, Is4, Layer(kBypass, 0, 14), Layer(kBypassMark, 0, 14),
                                    kSourcePart,  {0, 14, 11, 22},  4, 11};
constexpr DeviceUnit Deck(bool (*installed)(const ByteView&), bool (*selected)(int), uint16_t value) {
    return {installed, selected, Layer(kDeck, 0, 16), Layer(kDeckMark, 2, 18), kSourcePart, {2, 18, 38, 44}, value, 40};
}

namespace k14 {
bool Finishing(const ByteView& o) { return Byte(o, devopt::kFinisherCode) == 40 || Byte(o, devopt::kFinisherCode) == 41; }
bool SideDeck(const ByteView& o) { return Bit(o, devopt::kAccessoryWord, 7); }
bool DeckA(const ByteView& o) { return Bit(o, devopt::kOptionWord, 1); }
bool DeckB(const ByteView& o) { return Bit(o, devopt::kOptionWord, 6); }
bool PunchUnit(const ByteView& o) { return Finishing(o) && Puncher(o) == 5; }
bool Finisher(const ByteView& o) { return Finishing(o) && !Bit(o, devopt::kAccessoryWord, 6); }
bool BookletFinisher(const ByteView& o) { return Finishing(o) && Bit(o, devopt::kAccessoryWord, 6); }
// The inserter before the finisher: bit 8 of the accessory word, bit 0 its second tray.
uint32_t Accessory(const ByteView& o) {
    uint32_t word = 0;
    o.u32(devopt::kAccessoryWord, word);
    return word;
}
bool InserterTwo(const ByteView& o) { return (Accessory(o) & 0x101) == 0x101; }
bool InserterOne(const ByteView& o) { return (Accessory(o) & 0x101) == 0x100; }
bool Stacker(const ByteView& o) { return Bit(o, devopt::kAccessoryWord, 1); }

constexpr DeviceUnit kUnits[] = {
    {SideDeck, SideDeckSource, Layer(kSideDeck, 0, 6), Layer(kSideDeckMark, 1, 7), kSourcePart, {1, 7, 29, 45}, 265, 30},
    Cassette(Is1, 22, 1),
    Cassette(Is3, 33, 3),
    Body(kBodyK14),
    kBypassUnit,
    Deck(DeckA, Is2, 2),
    Deck(DeckB, Is264, 264),
    {PunchUnit, nullptr, Layer(kPuncher, 0, 16), kNoLayer, 0, {}, 0, 17},
    {InserterTwo, nullptr, Layer(kInserterTwo, 0, 6), kNoLayer, 0, {}, 0, 15},
    {InserterOne, nullptr, Layer(kInserterOne, 0, 6), kNoLayer, 0, {}, 0, 15},
    {Finisher, nullptr, Layer(kFinisher, 0, 6), kNoLayer, 0, {}, 0, 62},
    {BookletFinisher, nullptr, Layer(kBookletFinisher, 0, 2), kNoLayer, 0, {}, 0, 62},
    {Stacker, nullptr, Layer(kStacker, 0, 10), kNoLayer, 0, {}, 0, 59},
};
}  // namespace k14

namespace k26 {
bool DeckA(const ByteView& o) { return Bit(o, 7, 2); }
bool DeckB(const ByteView& o) { return Bit(o, 7, 3); }
bool Finisher(const ByteView& o) { return Byte(o, devopt::kFinisherCode) == 0x21; }
bool BookletFinisher(const ByteView& o) { return Byte(o, devopt::kFinisherCode) == 0x22; }
bool PunchUnit(const ByteView& o) { return (Finisher(o) || BookletFinisher(o)) && Puncher(o) != 0; }

constexpr DeviceUnit kUnits[] = {
    Cassette(Is1, 22, 1),
    Cassette(Is3, 33, 3),
    Body(kBodyK26),
    kBypassUnit,
    Deck(DeckA, Is2, 2),
    Deck(DeckB, Is264, 264),
    {PunchUnit, nullptr, Layer(kPuncher, 0, 16), kNoLayer, 0, {}, 0, 17},
    {Finisher, nullptr, Layer(kFinisher, 0, 6), kNoLayer, 0, {}, 0, 62},
    {BookletFinisher, nullptr, Layer(kBookletFinisher, 0, 2), kNoLayer, 0, {}, 0, 62},
};
}  // namespace k26

constexpr DeviceUnitTable kTables[] = {
    {"K14", k14::kUnits, static_cast<int>(std::size(k14::kUnits)), 7},
    {"K26", k26::kUnits, static_cast<int>(std::size(k26::kUnits)), 13},
};

}  // namespace

const DeviceUnitTable* DeviceUnitsOf(const char* code) {
    for (const DeviceUnitTable& t : kTables)
        if (code && std::strcmp(t.code, code) == 0) return &t;
    return nullptr;
}

bool UnitInstalled(const DeviceUnit& unit, const ByteView& options) { return !unit.installed || unit.installed(options); }

int DeviceUnitsWidth(const DeviceUnitTable& table, const ByteView& options) {
    int total = 0;
    for (int i = 0; i < table.count; ++i)
        if (UnitInstalled(table.units[i], options)) total += table.units[i].width;
    return total;
}
