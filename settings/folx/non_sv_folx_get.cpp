// The model adapter's answers: host codes whose values depend on the device model, its finisher,
// the device-option data or the model section, and the job-banner record. Codes it does not
// claim go to the common adapter.
#include "settings/folx/non_sv_folx.h"

#include "core/device/service_table.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/model_section.h"
#include "model/pdl_data.h"
#include "settings/folx/folx_fields.h"
#include "settings/folx/folx_model_tables.h"
#include "settings/folx/folx_records.h"

#include <cstddef>
#include <cstring>

namespace {

constexpr uint32_t kBit22 = 1u << 22;

uint32_t Word(const uint8_t* answer) { return ByteView(answer, 4).u32_or_zero(0); }

}  // namespace

LONG NonSvFOLX::GetHostValue(DWORD code, void* data) {
    if (!Attached()) return folx::kNotAttached;
    namespace model = devmode::model;
    const int32_t o110 = Opt(110), o124 = Opt(124);
    const bool trayOrKind3 = TrayFlag() || IsFinisherKind3();
    // The common adapter's answer, for the codes that adjust it.
    uint8_t base[16] = {};
    const auto baseWord = [&](uint32_t& value) {
        const LONG answer = CmNonSvFOLX::GetHostValue(code, base);
        value = Word(base);
        return answer;
    };
    uint32_t value = 0;
    switch (code) {
    case 0x15: {
        if (const LONG answer = baseWord(value); answer != folx::kDone) return answer;
        if ((Opt(190) & 0x8) && (o110 & 0x80) && (Field16(devmode::kOffDuplex) != 1 || (o110 & 0x1))) value |= 0x2;
        if (Feature(static_cast<int>(CompositionFeature::Host15)) && o124 == 2 && !(Priv8(model::kByte238) & 0x2) &&
            ((Opt(130) & 0x1) || !(Priv8(model::kFlagByteA) & 0x10))) {
            value |= 0x3;
            if (Opt(130) & 0x2) {
                const int16_t orientation = Field16(devmode::kOffOrientation);
                const int32_t binding = Opt(132);
                if ((orientation == 1 && binding == 0) || (orientation == 2 && binding == 1)) value |= 0x4;
                else if (orientation == 1 || orientation == 2) value &= ~0x4u;
            }
        }
        return PutWord(data, value);
    }
    case 0x1B: {
        if (!((o110 & 0x4000) && Opt(222) == 2)) return PutWord(data, 0);
        if (!((Opt(220) & 0x4000) && Opt(171) == 0)) return PutWord(data, static_cast<uint32_t>(-1));
        static constexpr int32_t kPages[] = {2, 4, 6, 8, 9, 16};
        const int32_t pages = Opt(126);
        int32_t v = 1;
        if (o124 == 3 && (o110 & 0x10) && pages >= 0 && pages <= 5) v = kPages[pages];
        if ((o110 & 0x1) && !(host_.Dop32(988) & kBit22)) v *= 2;
        return PutWord(data, static_cast<uint32_t>(v));
    }
    case 0x406: {
        const LONG answer = CmNonSvFOLX::GetHostValue(code, base);
        if (answer != folx::kDone) return answer;
        if (o124 == 2 && (Priv8(model::kByte238) & 0x2)) {
            static constexpr int16_t kPapers[][2] = {{1, 6}, {3, 1}, {8, 9}, {9, 11}, {12, 13}, {17, 1}};
            const int32_t paper = Opt(117);
            MutableByteView record(base, 8);
            for (const auto& row : kPapers) {
                if (row[0] != paper) continue;
                int16_t flags = 0;
                record.s16(0, flags);
                record.put_s16(0, static_cast<int16_t>(flags | 0x1));
                record.put_s16(2, row[1]);
            }
        }
        if (!data) return folx::kNotAttached;
        std::memcpy(data, base, 8);
        return folx::kDone;
    }
    case 0x412: return PutWord(data, (Opt(220) & 0x1000) && Opt(226) == 1 ? 1 : 0);
    case 0x442:
    case 0x46B:
        if (TrayFlag()) return PutWord(data, 0);
        return CmNonSvFOLX::GetHostValue(code, data);
    case 0x443: case 0x444: case 0x445: case 0x446: case 0x46C: case 0x46D:
        if (TrayFlag()) return PutWord(data, static_cast<uint32_t>(static_cast<int32_t>(Field16(devmode::kOffDefaultSource))));
        return CmNonSvFOLX::GetHostValue(code, data);
    case 0x447: {
        if (const LONG answer = baseWord(value); answer != folx::kDone) return answer;
        if ((Opt(190) & 0x8) && (o110 & 0x80)) value = (value & ~0x4u) | 0x2;
        return PutWord(data, value);
    }
    case 0x46E:
        if (trayOrKind3) {
            static constexpr uint32_t kBySelection[] = {4, 13, 15, 20};
            const int32_t selection = Opt(201);
            value = 0;
            if (o110 & 0x2000) value = selection >= 1 && selection <= 3 ? kBySelection[selection] : 4;
            return PutWord(data, value);
        }
        if (IsFinisherKind1()) return PutWord(data, 0);
        return CmNonSvFOLX::GetHostValue(code, data);
    case 0x46F: case 0x470: case 0x471: case 0x472: case 0x478: case 0x479: return MediaId(code, data);
    case 0x475:
    case 0x476: return PutWord(data, 1);
    case 0x477:
        if (trayOrKind3) return PutWord(data, o124 == 2 && Opt(201) == 4 ? 1 : 0);
        if (IsFinisherKind1()) return PutWord(data, 0);
        return CmNonSvFOLX::GetHostValue(code, data);
    case 0x487: {
        if (const LONG answer = baseWord(value); answer != folx::kDone) return answer;
        if (folxmodel::StaplesByFlag(host_.modelCode))
            value = (Priv8(model::kFlagByteA) & 0x10) && !(Opt(130) & 0x1) && !(Opt(102) & 0x14) && Opt(171) != 1 ? 1 : 0;
        return PutWord(data, value);
    }
    case 0x488: return BannerRecord(data);
    case 0x48A:
    case 0x48C: {
        constexpr uint32_t kBoth = (1u << 20) | (1u << 23);
        const bool both = (Priv32(model::kPrivateFlagWord) & kBoth) == kBoth;
        return PutWord(data, both == (code == 0x48C) ? 1 : 0);
    }
    case 0x48B: return PutWord(data, static_cast<uint32_t>(static_cast<int32_t>(static_cast<int16_t>(Priv16(model::kHostValueA)))));
    case 0x48D: return PutWord(data, static_cast<uint32_t>(static_cast<int32_t>(static_cast<int16_t>(Priv16(model::kHostValueB)))));
    case 0x48E: case 0x48F: case 0x490: case 0x491: return PageListState(code, data);
    case 0x498:
        if ((o110 & 0x4000) && Opt(222) == 2) {
            value = (o110 & 0x1) ? 3 : 2;
            if (!(host_.Dop32(988) & kBit22) && o124 == 2) value = 0;
            return PutWord(data, value);
        }
        // No value to give leaves the caller's word as it was; without a word there is no
        // answer at all.
        return data ? folx::kDone : folx::kNotAttached;
    case 0x80A: {
        if (!data) return folx::kNotAttached;
        char text[folx::stamp::kTextSize] = {};
        if (!host_.Device32(folxdata::kColourFlag))
            request->svc->LoadString(request, Opt(226) != 0 ? 0x2093 : 0x20B1, text, sizeof text);
        text[sizeof text - 1] = 0;
        std::memcpy(data, text, std::strlen(text) + 1);
        return folx::kDone;
    }
    case 0x80F:
    case 0x810: {
        const folxmodel::Installed device{host_.modelCode, FinisherCode(), host_.Dop8(1), host_.Dop8(9)};
        return PutWord(data, folxmodel::InFinisherList(device, code == 0x80F ? 1 : 2) ? 1 : 0);
    }
    case 0x811:
        if (const LONG answer = baseWord(value); answer != folx::kDone) return answer;
        if (value == 0 && (host_.Dop8(9) & 0x1)) value = 1;
        return PutWord(data, value);
    case 0x815: return PaperList(data, false, (host_.Dop8(989) & 0x04) && DeviceMode207() != 2);
    case 0x821: return PutWord(data, (host_.Dop32(988) & kBit22) ? 1 : 0);
    case 0x823: return PutWord(data, Priv8(model::kSwitchByte) == 1 ? 1 : 0);
    case 0x10078:
        switch (FinisherCode()) {
        case 0: return PutWord(data, 1);
        case 0x20: return PutWord(data, 2);
        case 0x21: return PutWord(data, 3);
        case 0x22: return PutWord(data, 4);
        case 0x23: return PutWord(data, 5);
        default: return PutWord(data, 0);
        }
    default: return CmNonSvFOLX::GetHostValue(code, data);
    }
}

LONG NonSvFOLX::MediaId(DWORD code, void* data) {
    if (!(TrayFlag() || IsFinisherKind3())) {
        if (IsFinisherKind1()) return PutWord(data, static_cast<uint32_t>(Opt(207)));
        return CmNonSvFOLX::GetHostValue(code, data);
    }
    const bool feature = HasModelFeature();
    const auto v = [&](size_t word, size_t record) {
        return uint32_t{Priv16(word)} | (feature ? uint32_t{Priv16(record)} << 16 : 0);
    };
    const auto s = [&](size_t word) { return static_cast<uint32_t>(static_cast<int32_t>(static_cast<int16_t>(Priv16(word)))); };
    const bool sources = (Opt(110) & 0x2000) != 0;
    const int32_t selection = Opt(201);
    const bool firstTwo = sources && (selection == 1 || selection == 2);
    const bool third = sources && selection == 3;
    uint32_t value = v(361, 809);
    switch (code) {
    case 0x46F: value = firstTwo ? v(351, 803) : third ? s(359) : v(361, 809); break;
    case 0x470: value = firstTwo ? v(353, 805) : v(361, 809); break;
    case 0x471: value = third ? s(357) : v(361, 809); break;
    case 0x472: value = firstTwo ? v(355, 807) : v(361, 809); break;
    case 0x478: value = TrayFlag() ? v(351, 803) : v(365, 803); break;
    default: break;
    }
    return PutWord(data, value);
}

LONG NonSvFOLX::PageListState(DWORD code, void* data) {
    namespace model = devmode::model;
    if (Priv8(model::kListFlags) != 0) return CmNonSvFOLX::GetHostValue(code, data);
    const uint16_t state = Priv16(model::kPageTableState);
    const auto byValue = [](uint8_t value, const uint32_t (&table)[4]) { return value <= 3 ? table[value] : 0; };
    switch (code) {
    case 0x48E: {
        const bool booklet = Feature(static_cast<int>(CompositionFeature::Host48E)) && Opt(124) == 2 && (Opt(110) & 0x8);
        if (!(state & 0x1) || booklet) return PutWord(data, 0);
        return PutWord(data, byValue(Priv8(375), {0x400, 0x100, 0x200, 0x300}));
    }
    case 0x48F:
        return PutWord(data, (state & 0x2) ? byValue(Priv8(376), {0x1400, 0x1100, 0x1200, 0x1300}) : 0);
    case 0x490:
        if (Opt(201) != 5) return PutWord(data, 0);
        if (state & 0x4) return PutWord(data, byValue(Priv8(385), {4, 1, 2, 3}));
        return PutWord(data, (state & 0x10) ? 0x21 : (state & 0x8) ? 0x11 : 0);
    default: break;
    }
    if (!data) return folx::kNotAttached;
    unsigned shift = 0;
    if (state & 0x4) shift = 10;
    else if (state & 0x8) shift = 20;
    else if (!(state & 0x10)) {
        MutableByteView(data, 2).put_u16(0, 0);
        return folx::kDone;
    }
    MutableByteView out(data, folx::kPageListSize);
    for (size_t i = 0; i < folx::kPageListNumbers; ++i)
        out.put_u16(2 * i, static_cast<uint16_t>((Priv32(model::kPageTable + 4 * i) >> shift) & 0x3FF));
    return folx::kDone;
}

LONG NonSvFOLX::BannerRecord(void* data) {
    if (!data) return folx::kNotAttached;
    namespace b = folx::banner;
    MutableByteView out(data, b::kSize);
    out.fill(0, 0, b::kSize);
    const uint16_t header[b::kHeaderWords] = {256, host_.Device16(folxdata::kPaperClass), 0, 0, 3};
    for (size_t i = 0; i < b::kHeaderWords; ++i) out.put_u16(2 * i, header[i]);

    const uint32_t dpi = static_cast<uint16_t>(Opt(224));
    const folxmodel::Installed device{host_.modelCode, FinisherCode(), host_.Dop8(1), host_.Dop8(9)};
    const uint32_t offset = folxmodel::BannerOffset(device);
    const auto scaled = [&](uint32_t tenths) { return static_cast<uint16_t>((offset + tenths) * dpi / 254u); };
    const uint16_t pitch = static_cast<uint16_t>(host_.Device32(folxdata::kLanguage) == 0x409 ? dpi * 8 : dpi * 1977 / 254u);
    struct Line {
        int32_t points;
        uint32_t first, second;
        const char* text;
    };
    static constexpr Line kLines[3] = {{36, 220, 420, "\\u"}, {12, 420, 465, "\\h:\\m:\\s"}, {12, 465, 565, "\\f"}};
    static constexpr char kFace[] = "Courier (W1)";
    static_assert(sizeof kFace <= b::kFaceSize);
    for (size_t i = 0; i < 3; ++i) {
        MutableByteView line(out.data() + b::kLines[i], b::kLineSize);
        line.put_s16(b::kHeight, static_cast<int16_t>(kLines[i].points * -600 / 72));
        line.put_u16(b::kWeight, 400);
        line.put_u8(b::kCharSet, 17);
        line.put_bytes(b::kFace, kFace, sizeof kFace);
        line.put_u16(b::kLeft, scaled(100));
        line.put_u16(b::kFirstPos, scaled(kLines[i].first));
        line.put_u16(b::kPitch, pitch);
        line.put_u16(b::kSecondPos, scaled(kLines[i].second));
        const size_t length = std::strlen(kLines[i].text);
        if (length >= b::kTextSize) return folx::kNotAttached;
        line.put_bytes(b::kText, kLines[i].text, length + 1);
    }
    return folx::kDone;
}
