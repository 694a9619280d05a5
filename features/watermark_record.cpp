// The stored form of a watermark preset and its mapping to the device mode's options. The stored
// form is little-endian and packed, written and read field by field so that it is the same on
// every host; a value of an unknown size is not a preset and is refused.
#include "features/watermark_record.h"

#include "core/helpers/byte_view.h"

#include <cstring>

namespace watermark {
namespace {

static_assert(kRegRecordSize == 88 + kFontSize, "the font closes the stored record");

void Put16(uint8_t* out, size_t at, uint32_t value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}
void Put32(uint8_t* out, size_t at, uint32_t value) {
    Put16(out, at, value & 0xFFFF);
    Put16(out, at + 2, value >> 16);
}

void PackFont(const WaterMarkFont& f, uint8_t* out) {
    const int16_t numbers[5] = {f.height, f.width, f.escapement, f.orientation, f.weight};
    for (size_t i = 0; i < 5; ++i) Put16(out, i * 2, static_cast<uint16_t>(numbers[i]));
    const uint8_t bytes[8] = {f.italic, f.underline, f.strikeOut, f.charSet,
                              f.outPrecision, f.clipPrecision, f.quality, f.pitchAndFamily};
    std::memcpy(out + 10, bytes, sizeof bytes);
    std::memcpy(out + 18, f.faceName, kFaceRoom);
}

bool UnpackFont(const ByteView& view, WaterMarkFont& f) {
    int16_t* numbers[5] = {&f.height, &f.width, &f.escapement, &f.orientation, &f.weight};
    for (size_t i = 0; i < 5; ++i)
        if (!view.s16(i * 2, *numbers[i])) return false;
    uint8_t* bytes[8] = {&f.italic, &f.underline, &f.strikeOut, &f.charSet,
                         &f.outPrecision, &f.clipPrecision, &f.quality, &f.pitchAndFamily};
    for (size_t i = 0; i < 8; ++i)
        if (!view.u8(10 + i, *bytes[i])) return false;
    std::memset(f.faceName, 0, sizeof f.faceName);
    return view.bytes(18, f.faceName, kFaceRoom);
}

}  // namespace

void CopyText(char* out, size_t room, const char* text) {
    if (!room) return;
    std::memset(out, 0, room);
    if (text) std::memcpy(out, text, strnlen(text, room - 1));
}

void PackRecord(const WaterMarkRecord& r, uint8_t out[kRegRecordSize]) {
    std::memset(out, 0, kRegRecordSize);
    Put16(out, 0, r.id);
    Put16(out, 2, r.kind & 0xFFFF);
    // Bounded: the stored fields are 33 bytes and always end in a terminator.
    std::memcpy(out + 4, r.name, strnlen(r.name, kTextRoom - 1));
    std::memcpy(out + 37, r.text, strnlen(r.text, kTextRoom - 1));
    Put16(out, 70, static_cast<uint16_t>(r.x));
    Put16(out, 72, static_cast<uint16_t>(r.y));
    Put16(out, 74, static_cast<uint16_t>(r.angleWord));
    Put16(out, 76, static_cast<uint16_t>(r.rotationMode));
    Put16(out, 78, r.frameKind & 0xFFFF);
    Put16(out, 80, r.layerChoice & 0xFFFF);
    Put16(out, 82, r.flag & 0xFFFF);
    Put32(out, 84, r.colour);
    PackFont(r.font, out + 88);
}

bool UnpackRecord(const uint8_t* data, size_t size, WaterMarkRecord& record) {
    if (!data || (size != kRegRecordSize && size != kOldRegRecordSize)) return false;
    // The older form lacks the kind word: its fields from byte 2 on stand where the current
    // form's stand from byte 4.
    const size_t shift = size == kRegRecordSize ? 0 : 2;
    const ByteView view(data, size);
    WaterMarkRecord r;
    uint16_t kind = 0, frame = 0, layer = 0, flag = 0;
    if (!view.u16(0, r.id) || (shift == 0 && !view.u16(2, kind))) return false;
    const auto at = [shift](size_t offset) { return offset - shift; };
    if (!view.bytes(at(4), r.name, kTextRoom) || !view.bytes(at(37), r.text, kTextRoom) || !view.s16(at(70), r.x) ||
        !view.s16(at(72), r.y) || !view.s16(at(74), r.angleWord) || !view.s16(at(76), r.rotationMode) ||
        !view.u16(at(78), frame) || !view.u16(at(80), layer) || !view.u16(at(82), flag) ||
        !view.u32(at(84), r.colour) || !UnpackFont(view.sub(at(88), kFontSize), r.font))
        return false;
    // Stored texts may fill all 33 bytes; the last one is the terminator whatever it held.
    r.name[kTextRoom - 1] = r.text[kTextRoom - 1] = 0;
    r.kind = kind, r.frameKind = frame, r.layerChoice = layer, r.flag = flag;
    record = r;
    return true;
}

bool SameContent(const WaterMarkRecord& a, const WaterMarkRecord& b) {
    uint8_t left[kRegRecordSize], right[kRegRecordSize];
    PackRecord(a, left);
    PackRecord(b, right);
    return std::memcmp(left + 2, right + 2, kRegRecordSize - 2) == 0;
}

void ApplyOptionFlags(uint32_t flags, int16_t freeAngle, WaterMarkRecord& r) {
    r.angleWord = 0;
    if (flags & 0x80)
        r.rotationMode = 1;
    else if (flags & 0x100)
        r.rotationMode = 2;
    else if (flags & 0x200) {
        r.rotationMode = 3;
        r.angleWord = static_cast<int16_t>(-360 - freeAngle / 10);
    } else
        r.rotationMode = 0;
    r.frameKind = (flags & 0x20) ? ((flags & 0x40) ? 3 : 1) : 0;
    r.layerChoice = (flags & 0x08) ? 0 : ((flags & 0x10) ? 1 : 0);
    r.flag = (flags & 0x400) ? 1 : 0;
}

uint32_t MakeOptionFlags(const WaterMarkRecord& r, uint32_t flags) {
    flags |= 0x02;
    flags = (r.frameKind & 1) ? flags | 0x20 : flags & ~0x20u;
    flags = (r.frameKind & 2) ? flags | 0x40 : flags & ~0x40u;
    flags = r.flag ? flags | 0x400 : flags & ~0x400u;
    flags = r.layerChoice == 1 ? (flags | 0x10) & ~0x08u : (flags | 0x08) & ~0x10u;
    flags &= ~0x380u;
    if (r.rotationMode == 1) flags |= 0x80;
    if (r.rotationMode == 2) flags |= 0x100;
    if (r.rotationMode == 3) flags |= 0x200;
    return flags;
}

uint16_t GetDrawAngle(const WaterMarkRecord& r) {
    if (r.rotationMode == 2) return static_cast<uint16_t>(-450);
    if (r.rotationMode == 3) return static_cast<uint16_t>((-static_cast<int32_t>(r.angleWord) - 360) * 10);
    return 450;
}

int16_t EscapementOf(int16_t angleWord) {
    // C++ remainder takes the dividend's sign, as the font's escapement expects.
    return static_cast<int16_t>(-((static_cast<int32_t>(angleWord) * 10) % 3600));
}

}  // namespace watermark
