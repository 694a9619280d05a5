// The three writers of the device-option data. Source names choose the slot by each family's
// naming; the slot then takes the device's paper, kind, level and media. Options the device
// reports by the name of a source ("Deck", "Deck1", a fourth drawer) become bits of the option
// word at byte 5.
#include "device/config/option_writers.h"

#include "core/devmode/device_option_block.h"
#include "device/config/configuration_reply.h"
#include "device/config/model_sets.h"
#include "device/config/source_slots.h"
#include "device/device_info_record.h"
#include "device/device_query_record.h"
#include "model/capability_bits.h"
#include "model/media_bit_set.h"
#include "model/media_table.h"

#include <cstring>
#include <initializer_list>

namespace {

using devconfig::In;
using devconfig::Range;
bool Is(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

uint32_t U32(MutableByteView d, size_t at) {
    uint32_t v = 0;
    d.u32(at, v);
    return v;
}
void SetBit32(MutableByteView d, size_t at, uint32_t bit, bool on) {
    uint32_t v = U32(d, at);
    d.put_u32(at, on ? v | bit : v & ~bit);
}

// Capability bits of the sources, or the media bit set: which one a model uses.
void NoteMedia(MutableByteView d, int16_t media, bool bitSet, uint16_t model) {
    if (bitSet) {
        int index = MediaTable_IndexOf(static_cast<uint16_t>(media), model);
        if (index >= 0 && d.contains(devopt::kMediaBitSet, kMediaBitSetBytes))
            MediaBitSet_SetBit(d.data() + devopt::kMediaBitSet, static_cast<unsigned>(index), 1);
    } else {
        d.put_u32(devopt::kMediaCapabilities, U32(d, devopt::kMediaCapabilities) | PaperSourceToCapabilityBit(media));
    }
}

void WriteFinisher(MutableByteView d, uint16_t model, const char* const* names, size_t count) {
    if (!ModelHasFinisherTable(model)) return;
    int code = 0;
    for (size_t i = 0; i < count && code == 0; ++i) {
        int c = FinisherCodeForName(model, names[i]);
        if (c > 0) code = c;
    }
    d.put_u8(devopt::kFinisherCode, static_cast<uint8_t>(code));
}

// Slot of a source name in the configuration reply's naming; -1 for a name it skips.
int ReplySlot(const char* name, bool thirdDrawer, uint16_t model) {
    static constexpr const char* kFixed[] = {"Stack Bypass", "Drawer1", "Drawer2", "Drawer3", "Drawer4"};
    for (int k = 0; k < 5; ++k)
        if (Is(name, kFixed[k])) return k;
    if (Is(name, "Deck")) return thirdDrawer ? 5 : 3;
    // The multi-purpose tray stands where other models have the bypass; the envelope feeder
    // takes the first slot behind the drawers and the deck.
    (void)model;
    if (Is(name, "Envelope Feeder")) return 6;
    if (Is(name, "Multi-Purpose Tray")) return 0;
    for (int k = 1; k <= 3; ++k) {
        char cassette[12] = "Cassette ";
        cassette[9] = static_cast<char>('0' + k);
        if (Is(name, cassette)) return k;
    }
    return -1;
}

// Slot of a source name in the device query record's naming; -1 for a name it skips.
int RecordSlot(const char* name, uint16_t model, uint32_t option) {
    if (In(model, {2046, 2059, 2070, 2075})) {
        if (Is(name, "TRAY")) return 0;
        for (int k = 1; k <= 4; ++k) {
            char cassette[12] = "CASSETTE";
            cassette[8] = static_cast<char>('0' + k);
            if (Is(name, cassette)) return k;
        }
        return -1;
    }
    if (model == 2071) {
        bool shifted = option & ((1u << 21) | (1u << 6));
        if (Is(name, "Stack Bypass")) return 0;
        if (Is(name, "Drawer1")) return shifted ? 0 : 1;
        if (Is(name, "Drawer2")) return shifted ? 1 : 2;
        if (Is(name, "Deck1")) return shifted ? 2 : 3;
        for (int k = 2; k <= 6; ++k) {
            char deck[8] = "Deck";
            deck[4] = static_cast<char>('0' + k);
            if (Is(name, deck)) return k == 2 ? 3 : k + 1;
        }
        return -1;
    }
    static constexpr const char* kFixed[] = {"Stack Bypass", "Drawer1", "Drawer2", "Drawer3", "Drawer4"};
    for (int k = 0; k < 5; ++k)
        if (Is(name, kFixed[k])) return k;
    if (Is(name, "Deck") || Is(name, "Deck1")) return 5;
    return -1;
}

bool Envelope(uint32_t code) { return code >= 21 && code <= 26; }

// A terminated copy of a fixed text field of the device's answers.
template <size_t N>
void Text(char (&out)[N], const char* field, size_t width) {
    size_t n = 0;
    while (n < width && n < N - 1 && field[n]) ++n;
    std::memcpy(out, field, n);
    out[n] = 0;
}

// The G-RAM among the memories the device names.
template <size_t Places, size_t Width>
uint64_t GramSize(const char (&names)[Places][Width], const uint32_t (&sizes)[Places]) {
    uint64_t gram = 0;
    for (size_t i = 0; i < Places; ++i) {
        char name[Width + 1];
        Text(name, names[i], Width);
        if (Is(name, "G-RAM")) gram += sizes[i];
    }
    return gram;
}

// Memory: the device's total less its G-RAM (1024 of its units to one of the total) and the data
// file's reserve.
void WriteMemorySize(MutableByteView d, uint64_t total, uint64_t gram, uint32_t reserve) {
    total = SaturatingSub(total, gram / 1024);
    if (total != 0 && total != 262144) total = SaturatingSub(total, reserve);
    d.put_u32(devopt::kMemorySize, MemoryTimes1000(total));
}

// A named source in the slot its naming chose, with the device's paper, level, kind and media.
// The media is noted in the media bit set or in the sources' capability bits; with the bit set,
// a slot that holds a custom media of its own keeps it.
void FillSlot(MutableByteView d, int k, const char* name, int16_t paper, uint32_t level, uint32_t kind,
              uint32_t mediaCode, uint16_t model, bool bitSet = false) {
    SourceSlot slot(d, static_cast<size_t>(k));
    slot.SetName(name);
    slot.SetPaper(paper);
    slot.SetLevelFromDevice(level);
    slot.SetKindFromDevice(kind);
    if (bitSet && slot.CustomMedia() != 0) return;
    int16_t media = MediaIdFromDevice(mediaCode, model);
    slot.SetMedia(media);
    NoteMedia(d, media, bitSet, model);
}

}  // namespace

void ResetSourceSlots(MutableByteView d, bool mediaUnknown) {
    for (size_t k = 0; k < devopt::kSourceSlotCount; ++k) {
        SourceSlot slot(d, k);
        slot.SetPaper(0);
        slot.SetName("");
        slot.SetKind(2);
        slot.SetLevel(-2);
        if (mediaUnknown) slot.SetMedia(kUnknownCode);
    }
    d.put_u32(devopt::kMediaCapabilities, 0);
    d.fill(devopt::kMediaBitSet, 0, kMediaBitSetBytes);
    d.put_u16(devopt::kSourceTableValid, 1);
}

void FillOptionTablesA(MutableByteView d, const ConfigurationReply& r, const OptionWriterInput& in) {
    const uint16_t m = in.codes.model;
    WriteMemorySize(d, r.memorySize, GramSize(r.memoryNames, r.memorySizes), in.reservedMemory);

    char finisher[33];
    Text(finisher, r.finisherName, sizeof r.finisherName);
    const char* names[] = {finisher};
    WriteFinisher(d, m, names, 1);
    if (ModelHasFinisherTable(m) && d.data()[devopt::kFinisherCode] == 0 && r.finisherKind == 14 &&
        In(m, {2054, 2056, 2057, 2058}))
        d.put_u8(devopt::kFinisherCode, 20);
    SetBit32(d, devopt::kAccessoryWord, 0x30, false);
    d.put_u16(devopt::kPuncherKind, 0);
    static constexpr const char* kPunchers[] = {"Puncher P1", "Puncher P2", "Puncher P3", "Puncher P4"};
    uint8_t code = 0;
    d.u8(devopt::kFinisherCode, code);
    for (const ConfigurationReplyAccessory& a : r.accessories) {
        char name[65];
        Text(name, a.name, sizeof a.name);
        if (a.kind == 103 && (code == 21 || code == 23)) SetBit32(d, devopt::kAccessoryWord, 0x10, true);
        if (a.kind == 108 && (code == 24 || code == 25)) SetBit32(d, devopt::kAccessoryWord, 0x20, true);
        for (uint16_t p = 0; p < 4; ++p)
            if (Is(name, kPunchers[p])) d.put_u16(devopt::kPuncherKind, static_cast<uint16_t>(p + 1));
    }
    uint16_t puncher = 0;
    d.u16(devopt::kPuncherKind, puncher);
    SetBit32(d, devopt::kAccessoryWord, 0x4, puncher != 0);

    // Paper sources.
    bool thirdDrawer = false;
    for (const ConfigurationReplySource& s : r.sources) {
        char name[73];
        Text(name, s.name, sizeof s.name);
        thirdDrawer = thirdDrawer || Is(name, "Drawer3");
    }
    ResetSourceSlots(d, false);
    for (const ConfigurationReplySource& s : r.sources) {
        char name[73];
        Text(name, s.name, sizeof s.name);
        int k = ReplySlot(name, thirdDrawer, m);
        if (k < 0) continue;
        FillSlot(d, k, name, PaperSizeFromDevice(s.paperSize, in.codes), s.level, s.kind, s.mediaCode, m);
        if (k == 1 && In(m, {1025, 1028, 2038, 2040, 2057, 2058}))
            SetBit32(d, devopt::kFlagWord, 0x4, Envelope(s.paperSize));
    }
    SetBit32(d, devopt::kSecondFlagWord, 0x10, r.outputKind == 4);
    SetBit32(d, devopt::kFlagWord, 0x1, r.bookletFlag == 1);
    SetModelOptionDefaults(d, in.defaults);
}

void FillOptionTablesB(MutableByteView d, const DeviceQueryRecord& r, const OptionWriterInput& in) {
    const uint16_t m = in.codes.model;
    const uint32_t sources = r.sourceCount < kQueryPlaces ? r.sourceCount : kQueryPlaces;
    const uint32_t accessories = r.accessoryCount < kQueryPlaces ? r.accessoryCount : kQueryPlaces;
    if (In(m, {2046, 2059, 2070, 2075})) {
        uint64_t units = 0;
        for (uint32_t i = 0; i < (r.memoryCount < kQueryPlaces ? r.memoryCount : kQueryPlaces); ++i)
            if (r.memory[i].kind == 2 && r.memory[i].types[0] == 4 && r.memory[i].types[1] == 4)
                units += r.memory[i].size;
        uint64_t bytes = uint64_t{MemoryTimes1000(units)};
        if (m == 2059 || m == 2075) bytes = SaturatingSub(bytes, 131072000);
        d.put_u32(devopt::kMemorySize, static_cast<uint32_t>(bytes));
        if (m == 2059 || m == 2075) SetBit32(d, devopt::kFlagWord, 0x8, r.mailBoxWord != 0);
    }
    char accessory[kQueryPlaces][141];
    const char* names[kQueryPlaces] = {};
    for (uint32_t i = 0; i < accessories; ++i) {
        Text(accessory[i], r.accessories[i].name, sizeof r.accessories[i].name);
        names[i] = accessory[i];
    }
    WriteFinisher(d, m, names, accessories);

    ResetSourceSlots(d, !in.brandMedia);
    d.put_u32(devopt::kOptionWord, 0);
    uint32_t option = 0;
    char source[kQueryPlaces][65];
    for (uint32_t i = 0; i < sources; ++i) Text(source[i], r.sources[i].name, sizeof r.sources[i].name);
    for (uint32_t i = 0; i < sources; ++i) {
        const char* n = source[i];
        uint32_t kind = r.sources[i].kind;
        if (In(m, {2010, 2011, 2030, 2031, 2037, 2039, 2053, 2055, 2060}) && Is(n, "Deck")) option |= 0x2;
        bool deckByKind = ((In(m, {2012, 2014, 2017, 2019, 2064}) || Range(m, 2024, 2027)) && Is(n, "Deck")) ||
                          ((In(m, {2047, 2048, 2069, 2072}) || Range(m, 2078, 2082)) && Is(n, "Deck1"));
        if (deckByKind && kind == 6) option |= 0x40;
        if (deckByKind && kind == 3) option |= 0x2;
        if ((Range(m, 2065, 2068) || In(m, {2073, 2074, 2076, 2077, 2083, 2084, 2085})) && Is(n, "Deck1"))
            option |= 0x2;
        if (m == 2071 && Is(n, "Deck1")) option |= kind == 6 ? 0x2 : kind == 3 ? (1u << 21) : 0;
        if (m == 2071 && Is(n, "Deck4") && kind == 3 && (option & (1u << 21))) option = 0x40;
    }
    const bool bitSetAlways = m == 2071;
    const bool capabilityAlways = In(m, {2046, 2059, 2070, 2075});
    const bool envelopeTest = In(m, {2010, 2011, 2028, 2029, 2034, 2037, 2039, 2044, 2073, 2074, 2076, 2077, 2083});
    bool drawer[5] = {};
    for (uint32_t i = 0; i < sources; ++i) {
        const char* n = source[i];
        int k = RecordSlot(n, m, option);
        for (int j = 2; j <= 4; ++j) {
            char drawerName[8] = "Drawer", cassette[10] = "CASSETTE";
            drawerName[6] = static_cast<char>('0' + j);
            cassette[8] = static_cast<char>('0' + j);
            if (Is(n, drawerName) || Is(n, cassette)) drawer[j] = true;
        }
        if (k < 0) continue;
        const DeviceQuerySourceValues& v = r.sourceValues[i];
        const bool bitSet = !capabilityAlways && (bitSetAlways || in.brandMedia);
        FillSlot(d, k, n, PaperSizeFromDevice(v.paperSize, in.codes), v.level, v.kind, v.mediaCode, m, bitSet);
        if (k == 1 && envelopeTest) SetBit32(d, devopt::kFlagWord, 0x4, Envelope(v.paperSize));
    }
    if ((In(m, {2010, 2011, 2028, 2029, 2034, 2037, 2039, 2044, 2053, 2055, 2073, 2074, 2076, 2077}) ||
         Range(m, 2065, 2068) || Range(m, 2083, 2085)) &&
        drawer[3])
        option |= 0x1;
    if (m == 2035 || m == 2042) option = drawer[4] ? 1 : 0;
    if (m == 2036 || m == 2043) option = drawer[4] ? 0x400 : drawer[3] ? 0x200 : drawer[2] ? 0x100 : 0;
    if (In(m, {2045, 2046, 2063, 2070, 2075})) option = drawer[2] ? 1 : 0;
    if (m == 2059) option = drawer[4] ? 0x80000 : drawer[3] ? 0x40000 : drawer[2] ? 0x20000 : 0;
    d.put_u32(devopt::kOptionWord, option);

    if (In(m, {2012, 2014, 2017, 2019, 2064}) || Range(m, 2024, 2027)) {
        bool inserter = false, folder = false, thirteen = false;
        for (uint32_t i = 0; i < accessories; ++i) {
            if (Is(accessory[i], "Inserter")) {
                inserter = true;
                for (uint32_t t : r.accessories[i].types) thirteen = thirteen || t == 13;
            }
            if (Is(accessory[i], "Folding Unit")) folder = true;
        }
        SetBit32(d, devopt::kAccessoryWord, 0x1, inserter);
        SetBit32(d, devopt::kAccessoryWord, 0x2, folder);
        SetBit32(d, devopt::kOptionMaskA, 0x2, thirteen);
    }
    SetBit32(d, devopt::kSecondFlagWord, 0x10, r.outputKind == 4);
    if (r.outputKind != 4) d.put_u16(devopt::kAccountSubMode, 0);
    SetModelOptionDefaults(d, in.defaults);
    uint32_t pdl = 0;
    for (uint32_t i = 0; i < (r.languageCount < 8 ? r.languageCount : 8); ++i)
        if (r.languages[i] >= 1 && r.languages[i] <= 3) pdl |= 1u << (r.languages[i] - 1);
    d.put_u32(devopt::kPdlBits, pdl);
}

void WriteDirectAnswers(MutableByteView d, const DeviceInfoRecord& r, const OptionWriterInput& in) {
    const uint16_t m = in.codes.model;
    const bool memoriesAsked = (r.requestWords[2] >> 26) & 1;
    WriteMemorySize(d, r.number20006, memoriesAsked ? GramSize(r.texts3000305, r.numbers3000301) : 0,
                    in.reservedMemory);

    char finisher[25];
    Text(finisher, r.text40074, sizeof r.text40074);
    const char* names[] = {finisher};
    WriteFinisher(d, m, names, 1);

    ResetSourceSlots(d, false);
    if (m == 2009) d.put_u32(devopt::kOptionWord, 0);
    for (size_t i = 0; i < 8; ++i) {
        char n[65];
        Text(n, r.texts3000001[i], sizeof r.texts3000001[i]);
        int k = -1;
        if (m == 2009) {
            uint32_t option = U32(d, devopt::kOptionWord);
            if (Is(n, "MPT")) k = 0;
            for (int c = 1; c <= 4; ++c) {
                char cassette[10] = "Cassette";
                cassette[8] = static_cast<char>('0' + c);
                if (!Is(n, cassette)) continue;
                k = c;
                option &= ~0x700u;
                if (c >= 2) option |= 0x100u << (c - 2);
            }
            d.put_u32(devopt::kOptionWord, option);
        } else {
            static constexpr const char* kNames[] = {"Stack Bypass", "Drawer1",  "Drawer2",  "Drawer3", "Drawer4",
                                                     "MPT",          "Drawer 1", "Drawer 2", "Drawer 3", "Drawer 4"};
            static constexpr int kSlots[] = {0, 1, 2, 3, 4, 0, 1, 2, 3, 4};
            for (size_t j = 0; j < 10; ++j)
                if (Is(n, kNames[j])) k = kSlots[j];
            if (Is(n, "Deck") || Is(n, "Paper Deck")) k = 5;
            if (Is(n, "Envelope Feeder")) k = 6;
            for (int c = 1; c <= 4; ++c) {
                char cassette[10] = "Cassette";
                cassette[8] = static_cast<char>('0' + c);
                if (Is(n, cassette)) k = c;
            }
        }
        if (k < 0) continue;
        FillSlot(d, k, n, PaperSizeFromDeviceShort(r.numbers3000002[i], in.codes), r.numbers3000003[i],
                 r.numbers3000005[i], r.numbers3000004[i], m);
    }
    SetBit32(d, devopt::kOptionMaskA, 0x1, (r.stateBits2228 & 3) != 0);
    if ((r.requestWords[2] >> 30) & 1)  // the output kind was asked
        SetBit32(d, devopt::kSecondFlagWord, 0x10, r.number4000101 == 4);
}
