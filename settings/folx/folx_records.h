// Byte layouts of the records the page-composition tool exchanges with the driver: the settings
// record (host code 1024), the stamp record (1071), the colour-matching record (0x47C), the
// paper entry (0x815) and the job-banner record (0x488). They leave the process as they are, so
// every offset is fixed, little-endian and checked against the record's size here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace folx {

// Answers of the host operations.
inline constexpr long kDone = 0;
inline constexpr long kNotAttached = 1;  // also a text that does not fit, an access out of range
inline constexpr long kNotSupported = 2;
inline constexpr long kForbidden = 7;

// Request kinds.
inline constexpr unsigned long kKindSize = 0;
inline constexpr unsigned long kKindGet = 2;
inline constexpr unsigned long kKindSet = 3;

// Host codes with records of their own.
inline constexpr uint32_t kSettingsCode = 1024;  // 0x400
inline constexpr uint32_t kColourStampCode = 1057;  // 0x421
inline constexpr uint32_t kStampCode = 1071;     // 0x42F
inline constexpr uint32_t kRecordVersion = 1152; // 0x480

// Settings record: 103 words, each the answer of one host code.
namespace settings {
inline constexpr size_t kSize = 412;
inline constexpr size_t kWords = kSize / 4;
inline constexpr size_t kVersion = 0;
inline constexpr size_t kDuplex = 192;
inline constexpr size_t kLayoutFirst = 204;   // 0x406 values 1 and 2, sign-extended
inline constexpr size_t kLayoutSecond = 224;  // 0x406 values 3 and 4
inline constexpr size_t kGutter = 232;        // 0x407, two words
inline constexpr size_t kModeWord = 376;      // 1 when 0x412 gives 0
inline constexpr size_t kOne = 384;
}  // namespace settings
static_assert(settings::kWords * 4 == settings::kSize && settings::kOne + 4 <= settings::kSize);

// Stamp record: one per watermark or stamp position.
namespace stamp {
inline constexpr size_t kSize = 662;
inline constexpr size_t kKind = 0;        // u32 1024
inline constexpr size_t kFlags = 4;       // u32
inline constexpr size_t kOutlineKind = 8; // u32: 0 none, 1 or 4
inline constexpr size_t kFrameA = 12;     // u32
inline constexpr size_t kFrameB = 16;     // u32
inline constexpr size_t kReserved20 = 20; // u32 0
inline constexpr size_t kPosition = 24;   // u32 position code
inline constexpr size_t kText = 28;       // 256 bytes, NUL-terminated
inline constexpr size_t kTextSize = 256;
// The font, in the order of a 16-bit logical font.
inline constexpr size_t kHeight = 284;    // s16, tenths of a point, negated
inline constexpr size_t kWidth = 286;     // s16 0
inline constexpr size_t kEscapement = 288;// s16, tenths of a degree (0 unless the angle is a number)
inline constexpr size_t kOrientation = 290;  // s16 0
inline constexpr size_t kWeight = 292;    // s16
inline constexpr size_t kItalic = 294;    // u8
inline constexpr size_t kFontTail = 295;  // 7 bytes: 0, 0, 1, 1, 0, 0, 0
inline constexpr size_t kFace = 302;      // 32 bytes, NUL-terminated
inline constexpr size_t kFaceSize = 32;
inline constexpr size_t kColour = 334;    // u32
inline constexpr size_t kAngle = 338;     // u32: -1, -2 or tenths of a degree
inline constexpr size_t kZeroA = 342;
inline constexpr size_t kZeroB = 346;
inline constexpr size_t kValues16 = 350;  // 12 x u16, 350 to 372: written 0
inline constexpr size_t kFixedWords = 376;// 8 x u32: 100, 100, 0, 2, 4, 1, 100, 0
inline constexpr size_t kOutlineWidth = 630;  // u32
inline constexpr size_t kPositionX = 634; // s32, tenths
inline constexpr size_t kPositionY = 638; // s32, tenths, negated
inline constexpr size_t kTailWords = 642; // 5 x u32 0, to the end
inline constexpr uint32_t kFixed[8] = {100, 100, 0, 2, 4, 1, 100, 0};
inline constexpr uint8_t kFontTailBytes[7] = {0, 0, 1, 1, 0, 0, 0};
}  // namespace stamp
static_assert(stamp::kText + stamp::kTextSize == stamp::kHeight);
static_assert(stamp::kFace + stamp::kFaceSize == stamp::kColour);
static_assert(stamp::kValues16 + 12 * 2 <= stamp::kFixedWords);
static_assert(stamp::kFixedWords + 8 * 4 <= stamp::kOutlineWidth);
static_assert(stamp::kTailWords + 5 * 4 == stamp::kSize);

// Colour-matching record.
namespace colour {
inline constexpr size_t kSize = 84;
inline constexpr size_t kFlags = 0;        // u16
inline constexpr size_t kGroups[3] = {2, 28, 54};  // three s32, then the text at +12
inline constexpr size_t kGroupText = 12;
inline constexpr size_t kTextSize = 14;
inline constexpr size_t kBlocks[3] = {70, 38, 6};  // their blocks in option 250
inline constexpr size_t kBlockText = 4;
inline constexpr size_t kMediaWord = 80;   // u32
}  // namespace colour
static_assert(colour::kGroups[2] + colour::kGroupText + colour::kTextSize == colour::kMediaWord);
static_assert(colour::kMediaWord + 4 == colour::kSize);

// Paper entry.
namespace paper {
inline constexpr size_t kSize = 36;
inline constexpr size_t kId = 0;     // u16
inline constexpr size_t kName = 2;   // 32 bytes
inline constexpr size_t kNameSize = 32;
inline constexpr size_t kFlags = 34; // u16
}  // namespace paper
static_assert(paper::kName + paper::kNameSize == paper::kFlags && paper::kFlags + 2 == paper::kSize);

// Job-banner record: a header of five u16 and three line records.
namespace banner {
inline constexpr size_t kSize = 964;
inline constexpr size_t kHeaderWords = 5;
inline constexpr size_t kLineSize = 318;
inline constexpr size_t kLines[3] = {10, 328, 646};
// Inside a line.
inline constexpr size_t kHeight = 0;     // s16
inline constexpr size_t kWeight = 8;     // u16 400
inline constexpr size_t kCharSet = 17;   // u8 17
inline constexpr size_t kFace = 18;      // 32 bytes
inline constexpr size_t kFaceSize = 32;
inline constexpr size_t kLeft = 50;      // u16 (word 25)
inline constexpr size_t kFirstPos = 52;  // u16
inline constexpr size_t kPitch = 54;     // u16 (word 27)
inline constexpr size_t kSecondPos = 56; // u16
inline constexpr size_t kText = 58;      // 256 bytes
inline constexpr size_t kTextSize = 256;
inline constexpr size_t kEnd = 314;      // u16 0, then two bytes 0
}  // namespace banner
static_assert(banner::kLines[2] + banner::kLineSize == banner::kSize);
static_assert(banner::kLines[0] + banner::kText == 68 && banner::kLines[1] + banner::kFirstPos == 380);
static_assert(banner::kText + banner::kTextSize == banner::kEnd && banner::kEnd + 4 == banner::kLineSize);

// Page list of host code 0x491.
inline constexpr size_t kPageListNumbers = 100;
inline constexpr size_t kPageListSize = kPageListNumbers * 2;

}  // namespace folx
