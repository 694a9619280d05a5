// Positions of the fields of the model section, counted from the section's start (the signed
// 16-bit offset at device-mode byte 174). Several subsystems know the same field by different
// names; each field has one constant here and the other names are noted beside it.
#pragma once

#include "core/devmode/devmode_layout.h"

#include <cstddef>

namespace devmode::model {

inline constexpr size_t kQualityModeWord = 18;     // u32, the quality-mode badge
inline constexpr size_t kMailBoxArea = 39;         // 100 bytes, byte 39 the box number
inline constexpr size_t kMailBoxAreaSize = 100;
inline constexpr size_t kMailBoxState = 139;       // u16
inline constexpr size_t kPrivateFlagWord = 168;    // u32
inline constexpr size_t kFlagByteA = 170;          // u8
inline constexpr size_t kFlagByteB = 171;          // u8
inline constexpr size_t kOutputWord = 174;         // s16, also the "mixed-paper word"
inline constexpr size_t kMixedPaperLayoutA = 176;  // u32
inline constexpr size_t kMixedPaperLayoutB = 180;  // u32
inline constexpr size_t kHostValueA = 184;         // s16
inline constexpr size_t kHostValueB = 186;         // s16
inline constexpr size_t kRuleClearedByte = 194;    // u8
inline constexpr size_t kSetByCodeWord = 198;      // u16
inline constexpr size_t kThreeWayField = 200;      // u16
inline constexpr size_t kPrivateFlags = 212;       // u16, also the "sample word" and the short-form switch
inline constexpr size_t kLargeClassState = 222;    // u16, 256 = free
inline constexpr size_t kSmallClassState = 224;    // u16
inline constexpr size_t kMediumClassState = 226;   // u16
inline constexpr size_t kByte238 = 238;            // u8
inline constexpr size_t kWord259 = 259;            // u32
inline constexpr size_t kSecuredUserName = 263;    // char[33]
inline constexpr size_t kSecuredPin = 296;         // char[16]
inline constexpr size_t kSecuredWord = 312;        // u16
inline constexpr size_t kSecuredText = 314;        // char[33]
inline constexpr size_t kMediaByte = 347;          // u8, also the tray flag
inline constexpr size_t kTrayMediaIds = 351;       // 8 x u16
inline constexpr size_t kPageTableState = 367;     // u16, bits 0-4
inline constexpr size_t kStateValueBytes[] = {375, 376, 385, 386, 387};
inline constexpr size_t kSourceWord = 377;         // u16
inline constexpr size_t kListASourceWord = 388;    // u16
inline constexpr size_t kListBSourceWord = 390;    // u16
inline constexpr size_t kListACount = 394;         // u8
inline constexpr size_t kListBCount = 395;         // u8
inline constexpr size_t kThirdCount = 396;         // u8
inline constexpr size_t kPageTable = 397;          // 100 x u32
inline constexpr size_t kPageTableEntries = 100;
inline constexpr size_t kRecordIds = 803;          // 4 x u16
inline constexpr size_t kTimeRecord = 817;         // 6 x u16: year, month, day of week, day, hour, minute
inline constexpr size_t kUserName = 908;           // char[64]
inline constexpr size_t kUserNameSize = 64;
inline constexpr size_t kAccountMode = 977;        // u8
inline constexpr size_t kAccountFlag = 978;        // u8
inline constexpr size_t kDepartmentId = 979;       // char[16]
inline constexpr size_t kDepartmentPassword = 995; // char[16]
inline constexpr size_t kVerificationByte = 1011;  // u8
inline constexpr size_t kVerificationStatus = 1012;// u32
inline constexpr size_t kVerificationId = 1016;    // char[16]
inline constexpr size_t kVerificationPassword = 1032;  // char[16]
inline constexpr size_t kSwitchByte = 1048;        // u8
inline constexpr size_t kKeepByte = 1049;          // u8
inline constexpr size_t kListFlags = 1050;         // u8, also the "guard byte"
inline constexpr size_t kPageList30A = 1051;       // 30 x s16
inline constexpr size_t kPageList30B = 1111;       // 30 x s16
inline constexpr size_t kPageListEntries = 30;
inline constexpr size_t kSizeClassDimensions = 1171;  // 6 x s16: medium, small, large width and length
inline constexpr size_t kFieldsEnd = 1183;

// Fields that the using code names without a position, placed here behind the fixed ones.
inline constexpr size_t kOptionFlags = 1184;       // u16: bit 3 the cover warning, bit 0x10 number checks
inline constexpr size_t kCoverFlags = 1186;        // u16: bits 0, 1 front, back cover; 4, 5 their media unknown
inline constexpr size_t kUnitWord = 1188;          // u16
inline constexpr size_t kFlags40 = 1190;           // u16, the word whose bit 0x40 the pages test
inline constexpr size_t kCurrentPaperByte = 1192;  // u8
inline constexpr size_t kOverlaySourceWord = 1194; // u16
// The page-composition adapter's model rules after a set request.
inline constexpr size_t kComposeFlags = 1196;      // u8: bit 0 the finisher staples, bit 1 no layout bit
inline constexpr size_t kComposeGutterWord = 1198; // u16: 1 the gutter takes the device's margin bit
inline constexpr size_t kComposeSourceWord = 1200; // u16: 2 after a set on model 0xBB9 with option 201 = 3
// What a print objective sets beside the options: four bytes, two words and the three quality
// bytes of the objective's settings block.
inline constexpr size_t kObjectiveBytes = 1202;    // 4 x u8
inline constexpr size_t kObjectiveWords = 1206;    // 2 x u32
inline constexpr size_t kObjectiveQuality = 1214;  // 3 x u8: monochrome, then two of colour
// The media chosen in the media dialog, by its target: 0 the main paper, 1 to 4 further paper
// slots, 5 the front cover, 6 the back cover; each {u16 media id, u16 media type}.
inline constexpr size_t kMediaPairs = 1218;
inline constexpr size_t kMediaPairCount = 7;
inline constexpr size_t kPlacedEnd = kMediaPairs + 4 * kMediaPairCount;

}  // namespace devmode::model

static_assert(devmode::model::kPlacedEnd <= devmode::kModelSectionSize);
