// The row groups of the common settings: paper and output size, copies, orientation, layout,
// scaling, watermark, stamps, rotation, gutter, booklet, finishing, paper source and colour.
// Where a group only names a range of texts, the value picks its text in the range's order.
#include "profiles/summary/cm_view_settings.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "core/devmode/devmode_layout.h"
#include "core/helpers/byte_view.h"
#include "core/helpers/units.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kLayoutNup = 3, kLayoutBooklet = 4, kLayoutPoster = 5, kLayoutNoRotation = 2;
constexpr DWORD kSub = 0x10;

// A value text picked from a table by the setting's value; 0 outside the table.
template <size_t N>
UINT Pick(const UINT (&ids)[N], long value) {
    return value >= 0 && static_cast<size_t>(value) < N ? ids[value] : 0;
}

// The stamp and watermark font block: size at 0, weight at 8, face from 13.
struct FontBlock {
    uint32_t size = 0, weight = 0;
    char face[36] = {};
};
FontBlock ReadFont(const uint8_t* block, size_t size) {
    FontBlock font;
    ByteView view(block, size);
    view.u32(0, font.size);
    view.u32(8, font.weight);
    view.bytes(13, font.face, std::min<size_t>(size > 13 ? size - 13 : 0, sizeof font.face - 1));
    font.face[sizeof font.face - 1] = 0;
    return font;
}

}  // namespace

void CmViewSettings::PageSizeRow(char* text) {
    AppendLabel(text, LoadString(4263));
    char name[summary::kBufferSize];
    PaperName(static_cast<int16_t>(Option16(112)), name, sizeof name);
    AppendValue(text, name[0] ? name : LoadString(4252));
}

void CmViewSettings::PageSizeLines(char* text) { SizeLines(text, 112, 114); }

void CmViewSettings::OutputSizeRow(char* text) {
    if (!IsItemShown(0x1007E)) return;
    AppendLabel(text, LoadString(4264));
    if (!(Option32(110) & 0x02)) {
        AppendValue(text, LoadString(4006));
        return;
    }
    char name[summary::kBufferSize];
    PaperName(static_cast<int16_t>(Option16(117)), name, sizeof name);
    AppendValue(text, name[0] ? name : LoadString(4252));
}

void CmViewSettings::OutputSizeLines(char* text) { SizeLines(text, 117, 119); }

void CmViewSettings::CopiesRow(char* text) {
    if (!IsItemShown(0x100414)) return;
    AppendLabel(text, LoadString(4265));
    char number[summary::kBufferSize] = {};
    FormatNumber(number, 4887, PublicField(devmode::kOffCopies));
    AppendValue(text, number);
}

void CmViewSettings::OrientationRow(char* text) {
    RowId(text, 4267, 0, PublicField(devmode::kOffOrientation) == DMORIENT_PORTRAIT ? 4268 : 4269);
}

void CmViewSettings::PageLayoutRow(char* text) {
    if (!IsItemShown(0x10064)) return;
    static constexpr UINT kNup[] = {4009, 4010, 4011, 4012, 4013, 4014};
    static constexpr UINT kPoster[] = {4015, 4016, 4017};
    const int32_t layout = Option16(124);
    UINT value = 4008;
    if (layout == kLayoutNup) value = Pick(kNup, Option16(126));
    else if (layout == kLayoutPoster) value = Pick(kPoster, Option16(128));
    RowId(text, 4270, 0, value);
}

void CmViewSettings::PageOrderRow(char* text) {
    if (!IsItemShown(0x10065) || Option16(124) != kLayoutNup) return;
    static constexpr UINT kOrder[] = {4018, 4019, 4020, 4021, 4022, 4024, 4023, 4025};
    RowId(text, 4272, 0, Pick(kOrder, Option16(127)));
}

void CmViewSettings::ScalingRatioRows(char* text) {
    const int32_t layout = Option16(124);
    if (!IsItemShown(0x10003) || layout < 0 || layout > 2) return;
    RowId(text, 4271, 0, layout == 1 ? 4250 : 4251);
    char number[summary::kBufferSize] = {};
    FormatNumber(number, 4888, Option16(125));
    Row(text, 0, 0, number);
}

void CmViewSettings::WatermarkRow(char* text) {
    if (!IsItemShown(0x10066)) return;
    if (Option32(150) & 0x01) {
        RowId(text, 4277, 0, 4254);
        WatermarkDetailRows(text);
    } else {
        RowId(text, 4277, 0, 4258);
    }
}

void CmViewSettings::WatermarkDetailRows(char* text) {
    char value[summary::kBufferSize] = {};
    // The name is 32 bytes in the device mode: read no further, whatever the field holds.
    char name[33] = {};
    if (Devmode()) Ctx()->svc->GetOption(Ctx(), Devmode(), 154, name, 32);
    name[32] = 0;
    if (name[0]) Row(text, 4278, kSub, name);
    else RowId(text, 4278, kSub, 4088);
    char words[33] = {};
    if (Devmode()) Ctx()->svc->GetOption(Ctx(), Devmode(), 155, words, 32);
    words[32] = 0;
    Row(text, 4279, kSub, words);
    uint8_t block[48] = {};
    if (Devmode()) Ctx()->svc->GetOption(Ctx(), Devmode(), 156, block, sizeof block);
    const FontBlock font = ReadFont(block, sizeof block);
    Row(text, 4280, kSub, font.face);
    if (font.weight == FW_BOLD || font.weight == FW_NORMAL) {
        RowId(text, 4281, kSub, font.weight == FW_BOLD ? 4287 : 4286);
    } else {
        FormatNumber(value, 4887, static_cast<long>(font.weight));
        Row(text, 4281, kSub, value);
    }
    FormatNumber(value, 4889, static_cast<long>(font.size));
    Row(text, 4282, kSub, value);
    RowId(text, 4284, kSub, ColorNameId(Option32(157)));
    const uint32_t style = Option32(150);
    RowId(text, 4285, kSub, (style & 0x02) ? 4250 : 4251);
    RowId(text, 4288, kSub, (style & 0x04) ? 4250 : 4251);
    RowId(text, 4289, kSub, (style & 0x08) ? 4250 : 4251);
    static constexpr UINT kPositions[] = {4293, 4294, 4296, 4297};
    const UINT position = Pick(kPositions, static_cast<long>(Option32(158) & 0xFFFF));
    RowId(text, 4292, kSub, position ? position : 4298);
    FormatNumber(value, 4890, Option16(159) / 10);
    Row(text, 4295, kSub, value);
}

void CmViewSettings::Setting140Row(char* text) {
    if (!IsItemShown(0x10021)) return;
    const int32_t value = Option16(140);
    RowId(text, 4310, 0, value >= 0 && value <= 10 ? static_cast<UINT>(4041 + value) : 0);
}

namespace {

// A stamp position: off without bit 0x1000, else the lowest of the six position bits.
UINT StampPosition(int32_t value) {
    if (!(value & 0x1000)) return 4251;
    for (int bit = 0; bit < 6; ++bit)
        if (value & (1 << bit)) return static_cast<UINT>(4053 + bit);
    return 0;
}

}  // namespace

void CmViewSettings::Setting141Row(char* text) {
    if (IsItemShown(0x10022)) RowId(text, 4311, 0, StampPosition(Option16(141)));
}
void CmViewSettings::Setting142Row(char* text) {
    if (IsItemShown(0x10022)) RowId(text, 4312, 0, StampPosition(Option16(142)));
}
void CmViewSettings::Setting143Row(char* text) {
    if (IsItemShown(0x10022)) RowId(text, 4313, 0, StampPosition(Option16(143)));
}

void CmViewSettings::FontDetailRows(char* text) {
    // The stamps' font shows when any stamp prints.
    if (!((Option16(141) | Option16(142) | Option16(143)) & 0x1000)) return;
    uint8_t block[48] = {};
    if (Devmode()) Ctx()->svc->GetOption(Ctx(), Devmode(), 0x30025, block, sizeof block);
    const FontBlock font = ReadFont(block, sizeof block);
    Row(text, 4280, kSub, font.face);
    RowId(text, 4281, kSub, font.weight >= FW_BOLD ? 4287 : 4286);
    char value[summary::kBufferSize] = {};
    FormatNumber(value, 4889, static_cast<long>(font.size));
    Row(text, 4282, kSub, value);
    RowId(text, 4284, kSub, ColorNameId(Option32(0x30024)));
}

void CmViewSettings::Setting124ModeRow(char* text) {
    UINT value = Option16(124) == kLayoutNoRotation ? 4337 : (Option32(110) & 0x01) ? 4336 : 4335;
    RowId(text, 4334, 0, value);
}

void CmViewSettings::RotationRow(char* text) {
    const LONG code = MapRotationCode(Option16(124), Option16(126), PublicField(devmode::kOffOrientation));
    RowId(text, 4339, 0, code >= 0 && code < 8 ? static_cast<UINT>(4112 + code) : 0);
}

void CmViewSettings::Setting122Row(char* text) {
    if (Option16(124) == kLayoutNoRotation) return;
    char value[summary::kBufferSize] = {};
    char format[summary::kBufferSize] = {};
    const int32_t margin = Option16(122);
    CmUserData* user = Ctx()->svc->GetUserData(Ctx());
    if (user && user->IsInchUnit()) {
        const LONG inch = TenthMmToHundredthInch(margin);
        Ctx()->svc->LoadString(Ctx(), 4442, format, sizeof format);
        wsprintfA(value, format, static_cast<int>(inch / 100), static_cast<int>((inch < 0 ? -inch : inch) % 100));
    } else {
        Ctx()->svc->LoadString(Ctx(), 4441, format, sizeof format);
        wsprintfA(value, format, static_cast<int>(margin / 10), static_cast<int>((margin < 0 ? -margin : margin) % 10));
    }
    Row(text, 4355, 0, value);
}

void CmViewSettings::BookletRows(char* text) {
    if (Option16(124) != kLayoutBooklet) {
        RowId(text, 4349, 0, 4251);
        return;
    }
    RowId(text, 4349, 0, (Option32(130) & 0x01) ? 4351 : 4350);
    char value[summary::kBufferSize] = {};
    if (IsItemShown(0x10088)) {
        FormatNumber(value, 4891, Option16(131));
        Row(text, 4353, kSub, value);
    }
    const int32_t margin = Option16(133);
    char format[summary::kBufferSize] = {};
    Ctx()->svc->LoadString(Ctx(), 4441, format, sizeof format);
    wsprintfA(value, format, static_cast<int>(margin / 10), static_cast<int>((margin < 0 ? -margin : margin) % 10));
    Row(text, 4354, kSub, value);
}

void CmViewSettings::Setting190Rows(char* text) {
    if (Option16(124) == kLayoutNoRotation) return;
    const uint32_t finishing = Option32(190);
    const UINT value = (finishing & 0x01) ? 4343 : (finishing & 0x02) ? 4344 : (finishing & 0x04) ? 4345 : 4251;
    RowId(text, 4341, 0, value);
    if (finishing & 0x01) {
        static constexpr UINT kPlaces[] = {4053, 4054, 4055, 4056, 4057, 4058};
        RowId(text, 4325, kSub, Pick(kPlaces, Option16(191)));
    }
}

void CmViewSettings::PaperSourceName(uint16_t id, char* out, size_t size) {
    out[0] = 0;
    DeviceData* data = Ctx() ? Ctx()->svc->LoadDeviceData(Ctx()) : nullptr;
    if (!data) return;
    const DeviceList sources = data->ListAt(devicedata::kPaperSourceHandle);
    for (uint32_t i = 0; i < sources.count; ++i) {
        ByteView entry = sources.Entry(i);
        uint16_t entryId = 0;
        if (!entry.u16(64, entryId) || entryId != id) continue;
        // The last match wins, as the list is walked to its end.
        char name[65] = {};
        entry.bytes(0, name, 64);
        summary::CopyBounded(out, size, name);
    }
}

void CmViewSettings::Setting200Rows(char* text) {
    static constexpr UINT kModes[] = {4359, 4360, 4361, 4362, 4363};
    const int32_t mode = Option16(201);
    RowId(text, 4358, 0, Pick(kModes, mode));
    char name[summary::kBufferSize];
    PaperSourceName(static_cast<uint16_t>(PublicField(devmode::kOffDefaultSource)), name, sizeof name);
    Row(text, 4367, kSub, name);
    if (mode == 0) return;
    struct Part {
        UINT label;
        DWORD option;
    };
    for (const Part& p : {Part{4368, 203}, Part{4369, 204}, Part{4370, 205}}) {
        PaperSourceName(static_cast<uint16_t>(Option16(p.option)), name, sizeof name);
        Row(text, p.label, kSub, name);
    }
}

void CmViewSettings::ColorModeRow(char* text) {
    DeviceData* data = Ctx()->svc->LoadDeviceData(Ctx());
    if (!data || data->U32(devicedata::kColorState) == 0 || !IsItemShown(0x10074)) return;
    static constexpr UINT kModes[] = {4134, 4135, 4136};
    RowId(text, 4377, 0, Pick(kModes, Option16(222)));
}

void CmViewSettings::Setting220Rows(char* text) {
    const uint32_t quality = Option32(220);
    RowId(text, Option16(222) == 1 ? 4382 : 4383, 0, (quality & 0x01) ? 4250 : 4251);
    if (quality & 0x02) RowId(text, 4376, 0, Option16(124) == kLayoutBooklet ? 4250 : 4251);
}

void CmViewSettings::Setting250Rows(char* text) {
    if (Option16(222) == 1) return;  // black and white: no colour adjustment
    uint8_t block[130] = {};
    if (Devmode()) Ctx()->svc->GetOption(Ctx(), Devmode(), 250, block, sizeof block);
    ByteView view(block, sizeof block);
    uint16_t brightness = 0, contrast = 0, balance = 0;
    view.u16(0, brightness);
    view.u16(2, contrast);
    view.u16(4, balance);
    char value[summary::kBufferSize] = {};
    FormatNumber(value, 4892, static_cast<int16_t>(brightness));
    Row(text, 4391, 0, value);
    FormatNumber(value, 4892, static_cast<int16_t>(contrast));
    Row(text, 4394, 0, value);
    static constexpr UINT kBalance[] = {4395, 4396, 4397};
    RowId(text, 4398, kSub, Pick(kBalance, balance));
}

void CmViewSettings::Setting250SubRows(char* text) {
    uint8_t block[130] = {};
    if (Devmode()) Ctx()->svc->GetOption(Ctx(), Devmode(), 250, block, sizeof block);
    ByteView view(block, sizeof block);
    struct Sub {
        UINT label;
        size_t offset;
    };
    for (const Sub& s : {Sub{4379, 6}, Sub{4380, 8}, Sub{4381, 10}}) {
        uint16_t v = 0;
        view.u16(s.offset, v);
        if (v == 0) {
            RowId(text, s.label, kSub, 4257);
        } else {
            char value[summary::kBufferSize] = {};
            FormatNumber(value, 4887, static_cast<int16_t>(v));
            Row(text, s.label, kSub, value);
        }
    }
}

void CmViewSettings::Setting220SubRow(char* text) { RowId(text, 4905, kSub, (Option32(220) & 0x04) ? 4250 : 4251); }
