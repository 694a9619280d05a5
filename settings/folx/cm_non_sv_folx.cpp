// The common page-composition adapter's handles, option access, the reduction, the bits derived
// after a set request, the size queries and the settings record.
#include "settings/folx/cm_non_sv_folx.h"

#include "core/device/service_table.h"
#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_options.h"
#include "settings/folx/folx_fields.h"
#include "settings/folx/folx_records.h"

#include <algorithm>
#include <cstring>

LONG CmNonSvFOLX::Attach(UIDEVDATA* ctx) {
    if (!ctx || !ctx->svc) return 0;
    const UiServiceTable* svc = ctx->svc;
    request = ctx;
    devmode = svc->GetDevmode(ctx, 3);
    printer = svc->GetPrinterHandle(ctx);
    extModule = svc->GetExtModule(ctx);
    printerName = svc->GetPrinterName(ctx);
    host_.ctx = ctx;
    host_.devmode = devmode;
    host_.deviceOption = svc->GetDeviceOption(ctx);
    host_.device = svc->LoadDeviceData(ctx);
    host_.modelCode = static_cast<uint16_t>(svc->GetDeviceDataValue2(ctx));
    return 0;
}

void CmNonSvFOLX::Reset(UIDEVDATA*) {
    request = nullptr;
    devmode = nullptr;
    printer = nullptr;
    extModule = nullptr;
    printerName = nullptr;
    host_ = NonSvHost{};
}

int32_t CmNonSvFOLX::Opt(DWORD n) const {
    const devmode::OptionRow* row = devmode::findOption(n);
    uint32_t value = 0;
    if (!row || !OptBytes(n, &value, sizeof value)) return 0;
    if (row->width == 2) return static_cast<int16_t>(value);
    if (row->width == 1) return static_cast<uint8_t>(value);
    return static_cast<int32_t>(value);
}

bool CmNonSvFOLX::SetOpt(DWORD n, int32_t value) const {
    const uint32_t raw = static_cast<uint32_t>(value);
    return request && devmode && request->svc->SetOption(request, devmode, n, &raw, sizeof raw);
}

bool CmNonSvFOLX::OptBytes(DWORD n, void* buffer, DWORD size) const {
    return request && devmode && request->svc->GetOption(request, devmode, n, buffer, size);
}

void CmNonSvFOLX::ChangeBits(DWORD n, uint32_t set, uint32_t clear) const {
    SetOpt(n, static_cast<int32_t>((static_cast<uint32_t>(Opt(n)) & ~clear) | set));
}

namespace {

// The current device mode bounded by its own dmSize + dmDriverExtra.
MutableByteView Whole(uint8_t* devmode) { return MutableByteView(devmode, devmode::declaredSize(devmode)); }

}  // namespace

int16_t CmNonSvFOLX::Field16(size_t offset) const {
    int16_t value = 0;
    Whole(devmode).s16(offset, value);
    return value;
}

void CmNonSvFOLX::SetField16(size_t offset, int16_t value) const { Whole(devmode).put_s16(offset, value); }

uint32_t CmNonSvFOLX::Field32(size_t offset) const { return Whole(devmode).u32_or_zero(offset); }

void CmNonSvFOLX::SetField32(size_t offset, uint32_t value) const { Whole(devmode).put_u32(offset, value); }

uint16_t CmNonSvFOLX::DeviceMode207() const {
    uint16_t value = 0;
    if (request && host_.deviceOption)
        request->svc->GetDeviceOptionValue(request, host_.deviceOption, 0x207, &value, sizeof value);
    return value;
}

void CmNonSvFOLX::TakeFromPrinterDefault(DWORD n) const {
    if (!request) return;
    const uint8_t* printerDefault = request->svc->GetDevmode(request, 2);
    uint8_t value[64] = {};
    if (printerDefault && request->svc->GetOption(request, printerDefault, n, value, sizeof value))
        request->svc->SetOption(request, devmode, n, value, sizeof value);
}

LONG CmNonSvFOLX::GetScale() {
    const int32_t layout = Opt(124), pages = Opt(126);
    if (Opt(117) == Opt(112)) {
        if (layout != 3) return 100;
        if (pages == 1) return 50;
    }
    int16_t out[4] = {}, page[4] = {};
    OptBytes(120, out, sizeof out);
    OptBytes(115, page, sizeof page);
    const int32_t outWidth = out[2] - out[0], outHeight = out[3] - out[1];
    int32_t horizontal = outWidth * 100, vertical = outHeight * 100;
    if (layout == 3 && pages == 0) {
        horizontal = outHeight * 50;
        vertical = outWidth * 100;
    } else if (layout == 3 && pages == 1) {
        horizontal = outWidth * 50;
        vertical = outHeight * 50;
    }
    const int32_t width = page[2] - page[0], height = page[3] - page[1];
    // A page without extent has no reduction: the request that needs one fails instead.
    if (width <= 0 || height <= 0) return -1;
    return std::min(horizontal / width, vertical / height);
}

LONG CmNonSvFOLX::AfterSet() {
    if (!Attached()) return folx::kNotAttached;
    const uint32_t o100 = static_cast<uint32_t>(Opt(100)), o150 = static_cast<uint32_t>(Opt(150));
    const uint32_t o190 = static_cast<uint32_t>(Opt(190));
    const int32_t o102 = Opt(102), o124 = Opt(124), o122 = Opt(122), o201 = Opt(201);
    uint32_t o110 = static_cast<uint32_t>(Opt(110));
    uint16_t m = DeviceMode207();
    if ((o102 & 0x20) || (o100 & 0x400)) m = 1;

    o110 &= ~(0x7Cu | 0x800u | 0x2000u | 0x8000u | 0x10000u | 0x20000u);
    if (o150 & 0x1) o110 |= 0x8000;
    if (o201 != 0) o110 |= 0x2000;
    if (o124 == 5) o110 |= 0x10000;
    if (o124 == 4) o110 |= 0x20000;
    const bool f = (o110 & 0x2) || Opt(112) != Opt(117);

    switch (o124) {
    case 1: o110 |= 0x04; break;
    case 2:
        o110 |= 0x08;
        if (m != 2 && f) o110 |= 0x04;
        SetOpt(123, m == 2 ? 3 : 0);
        break;
    case 5:
        if (f) o110 |= 0x04;
        break;
    default:
        if (o124 == 3) o110 |= 0x10;
        SetOpt(123, f && m != 1 ? 3 : 0);
        break;
    }
    if (o124 != 1 && o124 != 5 && f && m == 1) o110 |= 0x04;
    if ((o190 & 0x1) && host_.Device32(folxdata::kCollateFlag) == 0) o110 |= 0x20;
    if (o124 != 2 && o122 != 0) o110 |= m == 1 ? 0x40 : 0x800;
    SetOpt(110, static_cast<int32_t>(o110));
    return folx::kDone;
}

uint32_t CmNonSvFOLX::StampCount() const {
    uint32_t count = OptBit(150, 0x1) ? 1 : 0;
    if (Opt(124) == 5) return count;
    uint32_t seen[3] = {};
    uint32_t distinct = 0;
    for (DWORD n = 141; n <= 143; ++n) {
        const uint32_t value = static_cast<uint32_t>(Opt(n));
        if (!(value & 0x1000)) continue;
        const uint32_t position = value & folxdata::kPositionBits;
        if (std::find(seen, seen + distinct, position) == seen + distinct) seen[distinct++] = position;
    }
    return count + distinct;
}

LONG CmNonSvFOLX::QueryHost(DWORD code, void* data) {
    if (!Attached()) return folx::kNotAttached;
    if (code == folx::kSettingsCode) return PutWord(data, folx::settings::kSize);
    if (code == folx::kStampCode) return PutWord(data, StampCount() * folx::stamp::kSize);
    return folx::kNotSupported;
}

LONG CmNonSvFOLX::GetRecordVersion() { return folx::kRecordVersion; }

namespace {

// Words of the settings record that are not one host code's single answer.
enum Special : uint32_t {
    kVersionWord = 0x10000,
    kZeroWord,
    kDuplexWord,
    kLayoutFirst,   // 0x406 values 1 and 2
    kLayoutSecond,  // 0x406 values 3 and 4
    kTwoWords,      // the code's two words
    kModeWord,      // 1 when 0x412 gives 0
    kOneWord,
};

struct RecordWord {
    uint16_t offset;
    uint32_t code;
    uint32_t special = 0;
};

constexpr RecordWord kRecord[] = {
    {0, 0, kVersionWord}, {4, 0x17}, {8, 0x18}, {12, 0x19}, {16, 0x404}, {20, 0x405}, {24, 0x47D},
    {28, 0x408}, {32, 0x409}, {36, 0x40A}, {40, 0x462}, {44, 0x40B}, {48, 0x46B}, {52, 0x477},
    {56, 0x46C}, {60, 0x478}, {64, 0x46D}, {68, 0x479}, {72, 0x43D}, {76, 0x43E}, {80, 0x43F},
    {84, 0x40C}, {88, 0x40D}, {92, 0x40E, kTwoWords}, {100, 0x40F, kTwoWords}, {108, 0x410},
    {112, 0x413}, {116, 0x414}, {120, 0x415}, {124, 0x416}, {128, 0x417}, {132, 0x418},
    {136, 0x419}, {140, 0x41A}, {144, 0x41B}, {148, 0x41C}, {152, 0x41D}, {156, 0x41E},
    {160, 0x41F}, {164, 0x401}, {168, 0x402}, {172, 0x14}, {176, 0x15}, {180, 0x403},
    {184, 0, kZeroWord}, {188, 0, kZeroWord}, {192, 0, kDuplexWord}, {196, 0x440}, {200, 0x441},
    {204, 0x406, kLayoutFirst}, {212, 0x460}, {216, 0x461}, {220, 0x499},
    {224, 0x406, kLayoutSecond}, {232, 0x407, kTwoWords}, {240, 0x475}, {244, 0x476},
    {248, 0x420}, {252, 0x449}, {256, 0x439}, {260, 0x43A}, {264, 0x43B}, {268, 0x43C},
    {272, 0x442}, {276, 0x443}, {280, 0x444}, {284, 0x445}, {288, 0x446}, {292, 0x447},
    {296, 0x46E}, {300, 0x46F}, {304, 0x470}, {308, 0x471}, {312, 0x472}, {316, 0x487},
    {320, 0x48A}, {324, 0x48B}, {328, 0x48C}, {332, 0x48D}, {336, 0x48E}, {340, 0x48F},
    {344, 0x490}, {348, 0x492}, {352, 0x474}, {356, 0x47B}, {360, 0x493}, {364, 0x495},
    {368, 0x1B}, {372, 0x498}, {376, 0x412, kModeWord}, {380, 0x435}, {384, 0, kOneWord},
    {388, 0x448}, {392, 0x480}, {396, 0x494}, {400, 0x496}, {404, 0x49A}, {408, 0x49B},
};
constexpr size_t RecordWords() {
    size_t words = 0;
    for (const RecordWord& word : kRecord)
        words += word.special == kTwoWords || word.special == kLayoutFirst || word.special == kLayoutSecond ? 2 : 1;
    return words;
}
static_assert(RecordWords() == folx::settings::kWords, "every word of the record has its source");

}  // namespace

LONG CmNonSvFOLX::GetValue1024(void* data) {
    if (!Attached()) return folx::kNotAttached;
    if (!data) return folx::kNotAttached;
    MutableByteView out(data, folx::settings::kSize);
    // Words of codes that answer nothing read 0, never the caller's bytes.
    out.fill(0, 0, folx::settings::kSize);
    for (const RecordWord& word : kRecord) {
        // Room for the largest answer among the record's codes (four 16-bit values, two words).
        uint8_t answer[16] = {};
        ByteView value(answer, sizeof answer);
        switch (word.special) {
        case kVersionWord: out.put_u32(word.offset, static_cast<uint32_t>(GetRecordVersion())); break;
        case kZeroWord: break;
        case kOneWord: out.put_u32(word.offset, 1); break;
        case kDuplexWord: out.put_s32(word.offset, Field16(devmode::kOffDuplex)); break;
        case kModeWord:
            if (GetHostValue(word.code, answer) == folx::kDone) out.put_u32(word.offset, value.u32_or_zero(0) == 0 ? 1 : 0);
            break;
        case kLayoutFirst:
        case kLayoutSecond:
            if (GetHostValue(word.code, answer) == folx::kDone) {
                const size_t first = word.special == kLayoutFirst ? 0 : 4;
                int16_t a = 0, b = 0;
                value.s16(first, a);
                value.s16(first + 2, b);
                out.put_s32(word.offset, a);
                out.put_s32(word.offset + 4u, b);
            }
            break;
        case kTwoWords:
            if (GetHostValue(word.code, answer) == folx::kDone) out.put_bytes(word.offset, answer, 8);
            break;
        default:
            if (GetHostValue(word.code, answer) == folx::kDone) out.put_u32(word.offset, value.u32_or_zero(0));
            break;
        }
    }
    return folx::kDone;
}
