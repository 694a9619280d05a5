// The common adapter's answers to the page-composition host codes, one case per code. Codes the
// host knows without a setting behind them answer 0; codes no case names are not supported.
#include "settings/folx/cm_non_sv_folx.h"

#include "core/device/service_table.h"
#include "core/devmode/devmode_layout.h"
#include "settings/folx/folx_fields.h"
#include "settings/folx/folx_records.h"

#include <cstddef>

namespace {

// Codes the host knows that have no setting behind them.
bool AnswersZero(DWORD code) {
    switch (code) {
    case 0x401: case 0x403: case 0x405: case 0x414: case 0x415: case 0x419:
    case 0x41B: case 0x41C: case 0x41D: case 0x41E: case 0x41F:
    case 0x463: case 0x464: case 0x465: case 0x46F: case 0x470: case 0x472:
    case 0x475: case 0x476: case 0x477: case 0x478: case 0x479: case 0x47A: case 0x47B:
    case 0x47E: case 0x480: case 0x485: case 0x486: case 0x487:
    case 0x48A: case 0x48B: case 0x48C: case 0x48D: case 0x48E: case 0x48F: case 0x490:
    case 0x492: case 0x498: case 0x499: case 0x49A: case 0x49B:
    case 0x80F: case 0x810: case 0x81D: case 0x824:
        return true;
    default:
        return false;
    }
}

uint32_t Bit(int32_t value, unsigned bit) { return (static_cast<uint32_t>(value) >> bit) & 1; }

// A value from a small table by index; the fallback outside it.
template <size_t N>
int32_t Pick(const int32_t (&table)[N], int32_t index, int32_t fallback) {
    return index >= 0 && static_cast<size_t>(index) < N ? table[index] : fallback;
}

}  // namespace

LONG CmNonSvFOLX::GetHostValue(DWORD code, void* data) {
    if (!Attached()) return folx::kNotAttached;
    if (AnswersZero(code)) return PutWord(data, 0);
    const int32_t o110 = Opt(110), o124 = Opt(124);
    switch (code) {
    case 0x13: return PutWord(data, Bit(Opt(100), 1));
    case 0x14: return PutWord(data, Bit(o110, 5));
    case 0x15: {
        uint32_t value = Bit(o110, 7);
        const int16_t orientation = Field16(devmode::kOffOrientation);
        const int32_t binding = Opt(132);
        if ((o110 & 0x8) && (Opt(130) & 0x3) == 0x3 &&
            ((orientation == 1 && binding == 1) || (orientation == 2 && binding == 0)))
            value += 4;
        return PutWord(data, value);
    }
    case 0x17: {
        uint32_t value = 0;
        if (o124 == 2) value = (o110 & 0x9) == 0x9 ? 1 : 0;
        else if (o124 == 3 && (o110 & 0x10)) value = static_cast<uint32_t>(Pick({1, 2, 10, 3, 4, 5}, Opt(126), 0));
        else if (o124 == 4) value = 4;
        return PutWord(data, value);
    }
    case 0x18: {
        int32_t value = 0;
        if (o124 == 3) value = Pick({0, 5, 2, 7, 0, 1, 2, 3}, Opt(127), 0);
        return PutWord(data, static_cast<uint32_t>(value));
    }
    case 0x19: {
        const int32_t edging = Opt(140);
        return PutWord(data, o124 == 4 ? 6 : edging >= 2 && edging <= 11 ? static_cast<uint32_t>(edging - 1) : 0);
    }
    case 0x1B: {
        if (!((o110 & 0x4000) && Opt(222) == 2)) return PutWord(data, 0);
        if (!((Opt(220) & 0x4000) && Opt(171) == 0)) return PutWord(data, static_cast<uint32_t>(-1));
        int32_t value = 1;
        if (o124 == 3 && !(o110 & 0x10)) value = Pick({2, 4, 6, 8, 9, 16}, Opt(126), 1);
        if (o110 & 0x1) value *= 2;
        return PutWord(data, static_cast<uint32_t>(value));
    }
    case 0x402:
        return PutWord(data, (o110 & 0x20) && !(o110 & 0x1000) ? static_cast<uint32_t>(Field16(devmode::kOffCopies)) : 1);
    case 0x801:
    case 0x440: return PutWord(data, static_cast<uint32_t>(Field16(devmode::kOffCopies)));
    case 0x404: return PutWord(data, o124 == 4 ? 9 : 1);
    case 0x406: return LayoutValues(data);
    case 0x407: return GutterWords(data);
    case 0x408: {
        int32_t value = 0;
        if (o124 == 2 && (o110 & 0x9) == 0x9) value = (Opt(130) & 0x2) ? Opt(131) : -1;
        return PutWord(data, static_cast<uint32_t>(value));
    }
    case 0x409: return PutWord(data, Opt(132) == 1 ? 1 : 0);
    case 0x40A:
        return PutWord(data, (Opt(130) & 0x4) ? static_cast<uint32_t>(Opt(133) * Opt(224) / 254) : 0);
    case 0x40B: return PutWord(data, 1);
    case 0x40C:
    case 0x40D:
    case 0x40E:
    case 0x40F:
    case 0x410: {
        uint8_t block[130] = {};
        OptBytes(250, block, sizeof block);
        const auto s = [&](size_t i) { return static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(block[i]))); };
        if (code == 0x40C) return PutWord(data, o124 == 4 ? (block[101] ? 2 : 1) : 0);
        if (code == 0x40D)
            return PutWord(data, (block[100] ? 0x1u : 0) | (block[98] ? 0x2u : 0) | (block[99] ? 0x4u : 0));
        if (code == 0x410) return block[101] ? PutWord(data, s(103)) : folx::kNotSupported;
        // Without the switch byte there is no value: the host keeps its own.
        if (!block[98]) return folx::kNotSupported;
        const uint32_t words[2] = {s(code == 0x40E ? 2 : 4), s(code == 0x40E ? 3 : 5)};
        return PutWords(data, words, 2);
    }
    case 0x412: return PutWord(data, Opt(226) == 1 ? 1 : 0);
    case 0x413: return PutWord(data, request->svc->GetDeviceDataValue2(request));
    case 0x416: return PutWord(data, o124 == 5 && Opt(224) <= 600 ? 1 : 0);
    case 0x417:
    case 0x418: return PutWord(data, static_cast<uint32_t>(Pick({2, 3, 4}, Opt(128), 1)));
    case 0x41A: return PutWord(data, Bit(o110, 10));
    case 0x420: return PutWord(data, StampCount());
    case 0x435: return PutWord(data, Bit(Opt(220), 13));
    case 0x439: return PutWord(data, Field16(devmode::kOffColor) == 2 ? Bit(Opt(220), 2) : 0);
    case 0x43A: return PutWord(data, (Opt(220) & 0x8) ? 2 : 1);
    case 0x43B: return PutWord(data, 10);
    case 0x43C: return PutWord(data, (Opt(220) & 0x10) ? 100 : 0);
    case 0x43D: return PutWord(data, Bit(Opt(130), 0));
    case 0x43E: return PutWord(data, o124 == 2 && (Opt(130) & 0x2) ? 1 : 0);
    case 0x43F: return PutWord(data, (Opt(130) & 0x2) ? static_cast<uint32_t>(Opt(131)) : 0);
    case 0x441: return PutWord(data, (o110 & 0x1000) ? static_cast<uint32_t>(Opt(144)) : 0);
    case 0x442:
        return PutWord(data, (o110 & 0x2000) ? static_cast<uint32_t>(Pick({0, 13, 15, 20}, Opt(201), 0)) : 0);
    case 0x443:
    case 0x444:
    case 0x445:
    case 0x446: {
        int32_t value = Field16(devmode::kOffDefaultSource);
        if (o110 & 0x2000) {
            const DWORD option = code == 0x443 ? (Opt(201) == 1 ? 205 : 202) : code == 0x444 ? 203 : code == 0x445 ? 208 : 204;
            value = Opt(option);
        }
        return PutWord(data, static_cast<uint32_t>(value));
    }
    case 0x447: {
        uint32_t value = (Opt(200) & 0x2) ? 0x1 : 0;
        value |= (Opt(190) & 0x8) && (o110 & 0x80) ? 0x2 : 0x4;
        return PutWord(data, value);
    }
    case 0x448: return PutWord(data, Opt(102) == 1 ? 1 : 0);
    case 0x449: return PutWord(data, static_cast<uint16_t>(Field16(devmode::kOffHostWord)));
    case 0x460: return PutWord(data, static_cast<uint32_t>(Opt(119)) & 0xFFFF);
    case 0x461: return PutWord(data, static_cast<uint32_t>(Opt(119)) >> 16);
    case 0x462: return PutWord(data, Bit(Opt(130), 2));
    case 0x46B: return PutWord(data, o124 == 1 && Opt(201) == 4 ? 1 : 0);
    case 0x46C: return PutWord(data, static_cast<uint32_t>(Opt(202)));
    case 0x46D: return PutWord(data, static_cast<uint32_t>(Field16(devmode::kOffDefaultSource)));
    case 0x46E:
        return PutWord(data, (o110 & 0x2000) && Opt(201) == 3 && host_.Device32(folxdata::kStacker) ? 20 : 0);
    case 0x471: return PutWord(data, static_cast<uint32_t>(Opt(207)));
    case 0x474: return PutWord(data, Bit(Opt(102), 5));
    case 0x47C: return ColourMatching(data);
    case 0x47D: {
        uint32_t value = 0;
        if ((o110 & 0x10) && (o110 & 0x40000)) value = static_cast<uint32_t>(Pick({1, 2, 4, 8, 16, 32}, Opt(126), 0));
        return PutWord(data, value);
    }
    case 0x47F: return RegistryPath(data);
    case 0x493: return PutWord(data, Bit(Opt(100), 14));
    case 0x494: {
        const uint32_t o100 = static_cast<uint32_t>(Opt(100));
        return PutWord(data, (o100 & (1u << 24)) ? 0x3 : (o100 & (1u << 19)) ? 0x1 : 0);
    }
    case 0x495:
    case 0x812: return PutWord(data, Opt(226) == 1 ? 1 : 0);
    case 0x496: return PutWord(data, (Opt(100) & (1 << 25)) ? 2 : 0);
    case 0x802:
        // A booklet is printed on both sides in the booklet's own way: the value that sets it.
        if (o124 == 2) return PutWord(data, 2);
        return PutWord(data, Field16(devmode::kOffDuplex) == 1 ? 0 : 1);
    case 0x803: return PutWord(data, Bit(Opt(190), 4));
    case 0x804: {
        const int32_t staple = Opt(191);
        return PutWord(data, staple >= 9 && staple <= 17 ? 0x101 : 0);
    }
    case 0x805: return PutWord(data, Bit(Opt(130), 0));
    case 0x806:
        if (o124 == 3) {
            const int32_t pages = Opt(126);
            return pages >= 0 && pages <= 5 ? PutWord(data, static_cast<uint32_t>(pages + 1)) : folx::kNotSupported;
        }
        if (o124 == 5) {
            const int32_t poster = Opt(128);
            return poster >= 0 && poster <= 2 ? PutWord(data, static_cast<uint32_t>(0x10 * (poster + 1)))
                                              : folx::kNotSupported;
        }
        return PutWord(data, 0);
    case 0x807: return PutWord(data, Opt(127) <= 7 && o124 == 3 && !(o110 & 0x8) ? 1 : 0);
    case 0x808: return PutWord(data, o124 == 3 && !(o110 & 0x8) ? 1 : 0);
    case 0x80A:
        if (!data) return folx::kNotAttached;
        *static_cast<char*>(data) = 0;
        return folx::kDone;
    case 0x80B: {
        const int32_t bits = Opt(227);
        return bits == 0 || bits == 1 ? PutWord(data, static_cast<uint32_t>(bits)) : folx::kNotSupported;
    }
    case 0x80C: return PutWord(data, static_cast<uint32_t>(Opt(224)));
    case 0x80D: return PutWord(data, Bit(Opt(200), 0));
    case 0x80E: return PutWord(data, host_.Device16(folxdata::kDeviceClass));
    case 0x811: return PutWord(data, host_.Device32(folxdata::kOutputUnit) == 2 ? 1 : 0);
    case 0x814: return PaperList(data, true, false);
    case 0x815: return PaperList(data, false, false);
    case 0x81A: return PutWord(data, Opt(201) == 3 && !(o110 & 0x2000) ? 1 : 0);
    case 0x81E: return PutWord(data, Bit(Opt(100), 19));
    case 0x81F: {
        static constexpr int32_t kByMode[] = {0, 6, 4, 0, 0, 2, 1, 5, 3, 7};
        return PutWord(data, static_cast<uint32_t>(Pick(kByMode, Opt(231), 0)));
    }
    case 0x820: {
        uint8_t block[130] = {};
        OptBytes(250, block, sizeof block);
        uint32_t value = 0;
        switch (Field32(devmode::kOffIcmMethod)) {
        case 1: value = block[6] == 1 || block[38] == 1 || block[70] == 1 ? 1 : 0; break;
        case 2: value = 4; break;
        case 3: value = 3; break;
        case 4: value = 2; break;
        default: break;
        }
        return PutWord(data, value);
    }
    default: return folx::kNotSupported;
    }
}
