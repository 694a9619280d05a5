// The watermark record of the option interface (220 bytes) and its place in the private device
// mode: name 154, text 155, font block 156 (size, weight, italic flag, face), colour 157,
// positions 158, angle 159 and the switches of 150. A record is checked whole before any option
// is written, so that a refused record changes nothing.
#include "settings/sdk/cm_non_sv_sdk.h"

#include "core/helpers/byte_view.h"

#include <cstddef>
#include <cstring>
#include <vector>

namespace {

constexpr DWORD kWatermarkKey = 0x10067;
constexpr size_t kRecordSize = 220;
constexpr size_t kName = 0, kText = 64, kFace = 128;
constexpr size_t kSize = 192, kAngle = 196, kPos1 = 200, kPos2 = 204;
constexpr size_t kStyle = 208, kColour = 210, kOutline = 212, kFrame = 214, kLastWord = 216;
constexpr size_t kTextField = 32;  // name, text and face: up to 31 characters and the NUL

constexpr DWORD kOptSwitches = 150, kOptName = 154, kOptText = 155, kOptFont = 156, kOptColour = 157;
constexpr DWORD kOptPosition = 158, kOptAngle = 159;
constexpr size_t kFontBlock = 48, kFontWeight = 8, kFontItalic = 12, kFontFace = 13;

constexpr uint32_t kAngleMinus45 = 0x80, kAnglePlus45 = 0x100, kAngleFree = 0x200;
constexpr uint32_t kOutlineOff = 0x10, kOutlineOn = 0x08, kFramed = 0x20, kFrameSingle = 0x40, kLastBit = 0x400;

struct StyleRow {
    uint16_t code;
    uint32_t weight;
    uint8_t italic;
};
constexpr StyleRow kStyles[4] = {{0, 400, 0}, {1, 400, 1}, {2, 700, 0}, {3, 700, 1}};

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }
constexpr uint32_t kColours[16] = {
    Rgb(0, 0, 0),     Rgb(128, 128, 128), Rgb(192, 192, 192), Rgb(255, 255, 255), Rgb(255, 0, 0),   Rgb(0, 255, 0),
    Rgb(0, 0, 255),   Rgb(0, 255, 255),   Rgb(255, 0, 255),   Rgb(255, 255, 0),   Rgb(128, 0, 0),   Rgb(0, 128, 0),
    Rgb(0, 0, 128),   Rgb(0, 128, 128),   Rgb(128, 0, 128),   Rgb(128, 128, 0)};

template <typename T>
T At(const uint8_t* record, size_t offset) {
    T value{};
    std::memcpy(&value, record + offset, sizeof value);
    return value;
}

template <typename T>
void Put(uint8_t* record, size_t offset, T value) {
    std::memcpy(record + offset, &value, sizeof value);
}

int32_t Clamp(int32_t value, int32_t low, int32_t high) { return value < low ? low : value > high ? high : value; }

}  // namespace

LONG CmNonSvSDK::ReadWatermark(const uint8_t* devmode, uint8_t* record) const {
    char name[kTextField] = {}, text[kTextField] = {};
    uint8_t font[kFontBlock] = {};
    if (!GetOption(devmode, kOptName, name, sizeof name) || !GetOption(devmode, kOptText, text, sizeof text) ||
        !GetOption(devmode, kOptFont, font, sizeof font))
        return kSdkAnswerNoItem;
    const uint32_t switches = Option32(devmode, kOptSwitches);
    const uint32_t colour = Option32(devmode, kOptColour);
    const uint32_t positions = Option32(devmode, kOptPosition);
    const auto angleWord = static_cast<int16_t>(Option16(devmode, kOptAngle));

    std::memcpy(record + kName, name, sizeof name);
    record[kName + sizeof name] = 0;
    std::memcpy(record + kText, text, sizeof text);
    record[kText + sizeof text] = 0;
    const size_t faceLength = strnlen(reinterpret_cast<const char*>(font + kFontFace), kTextField - 1);
    std::memcpy(record + kFace, font + kFontFace, faceLength);
    record[kFace + faceLength] = 0;
    Put<int32_t>(record, kSize, At<int32_t>(font, 0));
    int32_t angle = (-3600 - angleWord) / 10;
    if (switches & kAngleMinus45) angle = -45;
    else if (switches & kAnglePlus45) angle = 45;
    Put<int32_t>(record, kAngle, angle);
    Put<int32_t>(record, kPos1, static_cast<int16_t>(positions & 0xFFFF));
    Put<int32_t>(record, kPos2, static_cast<int16_t>(positions >> 16));
    for (const StyleRow& row : kStyles)
        if (row.weight == At<uint32_t>(font, kFontWeight) && row.italic == font[kFontItalic]) {
            Put<uint16_t>(record, kStyle, row.code);
            break;
        }
    for (uint16_t code = 0; code < 16; ++code)
        if (kColours[code] == colour) {
            Put<uint16_t>(record, kColour, code);
            break;
        }
    if (switches & kOutlineOff) Put<uint16_t>(record, kOutline, 0);
    else if (switches & kOutlineOn) Put<uint16_t>(record, kOutline, 1);
    Put<uint16_t>(record, kFrame, !(switches & kFramed) ? 0 : (switches & kFrameSingle) ? 1 : 2);
    Put<uint16_t>(record, kLastWord, (switches & kLastBit) ? 1 : 0);
    return kSdkAnswerDone;
}

LONG CmNonSvSDK::WriteWatermark(const uint8_t* record) {
    const auto* name = reinterpret_cast<const char*>(record + kName);
    const auto* text = reinterpret_cast<const char*>(record + kText);
    const auto* face = reinterpret_cast<const char*>(record + kFace);
    const size_t nameLength = strnlen(name, kTextField), textLength = strnlen(text, kTextField);
    const size_t faceLength = strnlen(face, kTextField);
    if (nameLength >= kTextField || textLength >= kTextField || faceLength >= kTextField) return kSdkAnswerNoItem;
    if (nameLength == 0 || textLength == 0) return kSdkAnswerNotSupported;
    const uint16_t style = At<uint16_t>(record, kStyle), colour = At<uint16_t>(record, kColour);
    const uint16_t outline = At<uint16_t>(record, kOutline), frame = At<uint16_t>(record, kFrame);
    const uint16_t last = At<uint16_t>(record, kLastWord);
    if (style >= 4 || colour >= 16 || outline > 1 || frame > 2 || last > 1) return kSdkAnswerNotSupported;

    uint8_t font[kFontBlock] = {};
    if (!GetOption(settings, kOptFont, font, sizeof font)) return kSdkAnswerNoItem;
    Put<int32_t>(font, 0, Clamp(At<int32_t>(record, kSize), 1, 500));
    Put<uint32_t>(font, kFontWeight, kStyles[style].weight);
    font[kFontItalic] = kStyles[style].italic;
    std::memset(font + kFontFace, 0, kFontBlock - kFontFace);
    std::memcpy(font + kFontFace, face, faceLength);

    uint32_t switches = Option32(settings, kOptSwitches) & ~(kAngleMinus45 | kAnglePlus45 | kAngleFree);
    const int32_t angle = At<int32_t>(record, kAngle);
    int16_t angleWord = 0;
    if (angle == -45) {
        switches |= kAngleMinus45;
        angleWord = 450;
    } else if (angle == 45) {
        switches |= kAnglePlus45;
        angleWord = -450;
    } else if (angle >= -180 && angle <= 180) {
        switches |= kAngleFree;
        angleWord = static_cast<int16_t>((-360 - angle) * 10);
    }
    const uint32_t positions = static_cast<uint16_t>(Clamp(At<int32_t>(record, kPos1), -50, 50)) |
                               (uint32_t{static_cast<uint16_t>(Clamp(At<int32_t>(record, kPos2), -50, 50))} << 16);
    switches &= ~(kOutlineOff | kOutlineOn);
    switches |= outline == 0 ? kOutlineOff : kOutlineOn;
    switches &= ~(kFramed | kFrameSingle);
    if (frame == 1) switches |= kFramed | kFrameSingle;
    if (frame == 2) switches |= kFramed;
    switches = last ? switches | kLastBit : switches & ~kLastBit;

    char nameField[kTextField] = {}, textField[kTextField] = {};
    std::memcpy(nameField, name, nameLength);
    std::memcpy(textField, text, textLength);
    const bool written = SetOption(settings, kOptName, nameField, sizeof nameField) &&
                         SetOption(settings, kOptText, textField, sizeof textField) &&
                         SetOption(settings, kOptFont, font, sizeof font) &&
                         SetOption(settings, kOptAngle, &angleWord, sizeof angleWord) &&
                         SetOption(settings, kOptPosition, &positions, sizeof positions) &&
                         SetOption(settings, kOptColour, &kColours[colour], sizeof(uint32_t)) &&
                         SetOption(settings, kOptSwitches, &switches, sizeof switches);
    return written ? kSdkAnswerDone : kSdkAnswerNoItem;
}

LONG CmNonSvSDK::Watermark(DWORD kind, void* data) {
    const LONG state = GetCodeState(kWatermarkKey);
    if (state == kSdkAnswerNotSupported) return kSdkAnswerNotSupported;
    if (!data) return kSdkAnswerNoItem;
    auto* record = static_cast<uint8_t*>(data);
    switch (kind) {
    case kSdkKindSize: return PutWord(data, kRecordSize);
    case kSdkKindGet: return settings ? ReadWatermark(settings, record) : kSdkAnswerNoItem;
    case kSdkKindSet:
        if (state == kSdkAnswerRefused) return kSdkAnswerRefused;
        return settings ? WriteWatermark(record) : kSdkAnswerNoItem;
    case kSdkKindDefault: {
        if (!settings || !defaultDevmode) return kSdkAnswerNoItem;
        std::vector<uint8_t> defaults(kRecordSize, 0);
        const LONG read = ReadWatermark(defaultDevmode, defaults.data());
        return read == kSdkAnswerDone ? WriteWatermark(defaults.data()) : read;
    }
    default:
        return kSdkAnswerNotSupported;
    }
}
