// The option mask each model derives from its deck count (device-option data bytes 988 and 992).
// Where a rule lists several deck-count conditions ("D > 3 ..., D > 2 ..., D > 1 ..."), each is
// tested on its own and their bits add up: a device with four decks also has the bits of three.
#include "device/config/model_option_table.h"

#include "core/devmode/device_option_block.h"
#include "device/config/model_sets.h"

#include <initializer_list>

namespace {

using devconfig::In;

constexpr uint32_t Bit(unsigned n) { return 1u << n; }

struct Mask {
    uint32_t w1 = 0;
    uint32_t w2 = 0;
    bool remap = false;
};

// Bit 23 is the language bit: most models carry it unless they speak the 512 language.
uint32_t Unless512(uint32_t language) { return language != 512 ? Bit(23) : 0; }
uint32_t Only256(uint32_t language) { return language == 256 ? Bit(23) : 0; }

// The rule of one model; `deck` may be changed by the rule (2065, 2066, 2069).
void Apply(uint16_t m, int16_t& deck, uint16_t variant, const ModelDefaultsInput& in, Mask& k) {
    const int d = deck;
    const uint32_t lang = in.language;
    if (m == 7 || m == 12) {
        k.w1 = 0x40000;
    } else if (m == 1003) {
        if (d > 0) k.w1 |= 0x29A2EC;
        if (d == 0) k.w1 = variant == 1 ? 0x24 : 0x20;
    } else if (m == 1005) {
        if (d > 1) k.w1 |= 0x98200;
        if (d > 0) k.w1 |= 0x2000ED;
        if (d == 0) k.w1 = 0x20;
    } else if (In(m, {1006, 1007, 1011})) {
        if (d > 3) k.w1 |= 0x7C00;
        if (d > 2) k.w1 |= 0x180200;
        if (d > 1) k.w1 |= 0x2000FC;
        if (d == 0) k.w1 = 0x20;
    } else if (In(m, {1009, 1010, 1012})) {
        if (d > 2) k.w1 |= 0x1C0200;
        if (d > 1) k.w1 |= 0x4003C;
        if (d == 0) k.w1 = 0x40020;
    } else if (In(m, {1015, 1016, 1017})) {
        if (d > 3) k.w1 |= 0x47C00;
        if (d > 2) k.w1 |= 0x1C0200;
        if (d > 1) k.w1 |= 0x4003C;
    } else if (m == 1018) {
        if (d > 6) k.w1 |= Bit(22);
        if (d > 2) k.w1 |= Bit(23);
        k.w1 |= 0xE9;
    } else if (m == 1019) {
        if (d > 4) k.w1 |= 0x860008;
    } else if (m == 1021) {
        k.w1 |= 0x822ED;
    } else if (m == 1022) {
        k.w1 |= 0x802ED;
    } else if (m == 1023 || m == 2016) {
        if (d >= 2) k.w1 |= Bit(22);
        k.w1 |= 0xA024E9;
    } else if (m == 1025) {
        if (d >= 3) k.w1 |= Bit(22);
        k.w1 |= 0xA024E9;
    } else if (m == 1026) {
        k.w1 |= 0x4222C;
    } else if (m == 1027) {
        if (d > 2) k.w1 |= Bit(23);
        k.w1 |= 0x42428;
    } else if (m == 1028) {
        k.w1 |= 0x42428;
    } else if (In(m, {1029, 2020, 2061, 2062})) {
        k.w1 |= 0x842028;
    } else if (m == 1030 || m == 2015) {
        if (d > 1) k.w1 |= Bit(22);
        k.w1 |= 0xA020E9;
    } else if (m == 2010 || m == 2011) {
        if (d > 2) k.w2 |= Bit(5);
        if (d > 1) k.w1 |= Bit(24) | Bit(26);
        k.w1 |= 0x866ED | Unless512(lang);
        k.remap = true;
    } else if (In(m, {2012, 2014, 2024, 2026})) {
        k.w1 |= 0x387EFD | Unless512(lang);
        if (d > 1) k.w1 |= Bit(25) | Bit(26);
    } else if (In(m, {2017, 2019, 2025, 2027})) {
        k.w1 |= 0x1C7E3C | Unless512(lang);
    } else if (m == 2021) {
        k.w1 |= 0x842428;
    } else if (In(m, {2028, 2029, 2034})) {
        if (d > 2) k.w2 |= Bit(5);
        if (d > 1) k.w1 |= Bit(24) | Bit(26);
        k.w1 |= 0x2024E9 | Unless512(lang);
        k.remap = true;
    } else if (In(m, {2030, 2076, 2077, 2083})) {
        k.w1 |= 0x52866ED | Unless512(lang);
    } else if (m == 2031 || m == 2060) {
        k.w1 |= 0x1C6E3C | Only256(lang);
    } else if (In(m, {2032, 2033, 2041})) {
        k.w1 = 0x80;
    } else if (In(m, {2035, 2036, 2042, 2043})) {
        k.w1 |= 0x12024C1 | Only256(lang);
    } else if (m == 2037 || m == 2039) {
        if (d > 1) k.w1 |= Bit(24);
        k.w1 |= 0x4C866ED;
        k.remap = true;
    } else if (In(m, {2038, 2040, 2057, 2058})) {
        k.w1 |= 0x8C662C;
    } else if (m == 2044) {
        if (d > 2) k.w2 |= Bit(5);
        k.w1 |= 0x50824C9 | Unless512(lang);
    } else if (m == 2045 || m == 2063) {
        k.w1 |= 0x10004C1 | Only256(lang);
    } else if (m == 2046) {
        k.w1 |= Unless512(lang);
    } else if (m == 2047) {
        if (d > 3) k.w2 |= Bit(3);
        if (d > 2) k.w2 |= Bit(0);
        if (d > 1) k.w1 |= Bit(27);
        k.w1 |= 0x7187EFD | Unless512(lang);
    } else if (m == 2048) {
        if (d > 3) k.w2 |= Bit(0) | Bit(3);
        if (d > 1) k.w1 |= Bit(27);
        k.w1 |= 0x71C7E3C | Unless512(lang);
    } else if (m == 2053 || m == 2055) {
        k.w1 |= 0x4C866ED;
    } else if (m == 2054 || m == 2056) {
        k.w1 |= 0x48C666D;
    } else if (m == 2059 || m == 2075) {
        k.w1 |= 0x1C00080;
    } else if (m == 2064) {
        k.w1 |= 0x41C7E3C | Unless512(lang);
    } else if (In(m, {2065, 2066, 2073})) {
        if (m != 2073 && in.pseudoKind4) deck = 2;
        if (deck > 1) k.w2 |= Bit(4);
        k.w1 |= 0x7E866ED;
    } else if (In(m, {2067, 2068, 2074, 2085})) {
        k.w1 |= 0x7AC666C;
    } else if (m == 2069) {
        k.w1 |= 0x7E86EED;
        deck = 1;
    } else if (m == 2070) {
        k.w1 |= Bit(24) | Unless512(lang);
    } else if (m == 2071) {
        k.w1 |= 0x7187EFD;
    } else if (m == 2072 || m == 2078) {
        k.w2 |= 6;
        k.w1 |= 0x7986EED;
    } else if (m == 2079 || m == 2082) {
        k.w2 |= 6;
        k.w1 |= 0x79C6E6C;
    } else if (m == 2080) {
        k.w1 |= 0x7A86E6C;
    } else if (m == 2081) {
        if (d > 3) k.w2 |= Bit(0) | Bit(3);
        if (d > 1) k.w1 |= Bit(27);
        k.w1 |= 0x79C7E3C;
    } else if (m == 2084) {
        k.w2 |= Bit(4);
        k.w1 |= 0x7E866ED;
    } else if (m == 2086) {
        k.w1 |= 0x18000C0;
    }
}

// Slots that hold one of the two paper sizes the model cannot print without the large deck get
// the data file's default paper. The walk stops at the first empty slot and never passes the
// eighth.
bool RemapMedia(MutableByteView data, uint16_t defaultPaper) {
    for (size_t k = 0; k < devopt::kSourceSlotCount; ++k) {
        size_t slot = devopt::kSourceSlots + k * devopt::kSourceSlotSize;
        uint16_t code = 0, paper = 0;
        if (!data.u16(slot + devopt::kSlotSourceCode, code) || code == 0) break;
        data.u16(slot + devopt::kSlotPaperSize, paper);
        if (paper == 4327 || paper == 4328) data.put_u16(slot + devopt::kSlotPaperSize, defaultPaper);
    }
    return true;
}

}  // namespace

bool SetModelOptionDefaults(MutableByteView data, const ModelDefaultsInput& in) {
    uint32_t w1 = 0;
    int16_t deck = 0;
    uint16_t variant = 0;
    if (!data.u32(devopt::kOptionMaskA, w1) || !data.contains(devopt::kOptionMaskB, 4) ||
        !data.s16(devopt::kDeckCount, deck) || !data.u16(devopt::kDeviceNameVariant, variant))
        return false;
    const uint32_t kept = w1 & 3;
    Mask k;
    int16_t newDeck = deck;
    Apply(in.model, newDeck, variant, in, k);
    if (newDeck != deck) data.put_s16(devopt::kDeckCount, newDeck);
    bool refresh = k.remap && !(k.w1 & Bit(24)) && RemapMedia(data, in.defaultPaper);
    data.put_u32(devopt::kOptionMaskA, k.w1 | kept);
    data.put_u32(devopt::kOptionMaskB, k.w2);
    return refresh;
}
