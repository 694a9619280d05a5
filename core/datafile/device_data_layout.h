// Layout of the device capability record: the 2,736-byte record of fixed fields that the
// setting items and the rule program read by byte offset, and the lists, texts and sub-lists it
// points to through 32-bit handles. One table names every field, so that the loader checks the
// file against it and the builder tool reads descriptions by the same names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace devicedata {

inline constexpr size_t kRecordSize = 2736;

enum class FieldKind : uint8_t {
    U16,
    S16,
    U32,
    Text,     // NUL-padded; the file gives at most width - 1 bytes, so it always ends with a NUL
    Derived,  // written by the loader (sizes, counts, handles); a file may not give it
};

struct FieldInfo {
    std::string_view name;
    uint16_t offset;
    FieldKind kind;
    uint16_t width;
};

// A list: its 16-bit count and its 32-bit handle in the record, its entry size, where each
// entry keeps its 16-bit id, and, for lists whose entries point to lists of their own, where
// an entry keeps the sub-list's 16-bit count and handle and the size of the sub-list's entries.
struct ListInfo {
    std::string_view name;
    uint16_t countOffset;
    uint16_t handleOffset;
    uint16_t entrySize;
    uint16_t idOffset;
    uint16_t subCountOffset = 0;
    uint16_t subHandleOffset = 0;
    uint16_t subEntrySize = 0;
};

// A NUL-terminated text held outside the record, named by a handle field.
struct TextInfo {
    std::string_view name;
    uint16_t handleOffset;
    uint32_t maxLength;
};

std::span<const FieldInfo> Fields();
std::span<const ListInfo> Lists();
std::span<const TextInfo> Texts();

// Null when no field, list or text has that name (exact, case-sensitive) or that handle offset.
const FieldInfo* FindField(std::string_view name);
const FieldInfo* FieldAt(size_t offset);
const ListInfo* FindList(std::string_view name);
const ListInfo* ListByHandle(size_t handleOffset);
const TextInfo* FindText(std::string_view name);
const TextInfo* TextByHandle(size_t handleOffset);

// Offsets that readers use by meaning (names of the record's own fields are in the table).
inline constexpr size_t kRecordSizeField = 0x000;   // u32, 2736
inline constexpr size_t kModelNumber = 0x004;       // u16, the device model code
inline constexpr size_t kPdlId = 0x414;             // u32: 256 PCL5e, 272 PCL5c
inline constexpr size_t kColorState = 0x64c;        // u32: 0 a monochrome device
inline constexpr size_t kColorSwitch = 0x762;       // u16: 1 automatic colour selection
inline constexpr size_t kDefaultResoDpi = 0x770;    // s16
inline constexpr size_t kDefaultResoShift = 0x772;  // s16
inline constexpr size_t kBookletState = 0x79c;
inline constexpr size_t kJobRotationState = 0x7a8;
inline constexpr size_t kMailBoxState = 0x7b4;      // the mail-box kind: 0 none, 1 or 2
inline constexpr size_t kHolePunchState = 0x7c0;
inline constexpr size_t kMailBoxNumMax = 0x7c8;
inline constexpr size_t kMailBoxNumMin = 0x7cc;
inline constexpr size_t kDefaultPaper = 0x7fc;      // u16, also the paper-class word
inline constexpr size_t kDefaultPaperSource = 0x810;
inline constexpr size_t kMaxCopies = 0x874;
inline constexpr size_t kMaxBindMarginMm = 0x878;
// The area after the expansion blocks, for the fields other readers need.
inline constexpr size_t kRuleSourceKind = 0x908;     // u32, 0 to 4
inline constexpr size_t kRuleTextHandle = 0x90c;
inline constexpr size_t kRuleFileUnpackedSize = 0x910;
inline constexpr size_t kRuleFileNameHandle = 0x914;
inline constexpr size_t kLanguageId = 0x918;         // u32: 0x409, 0x411
inline constexpr size_t kDeviceClass = 0x91c;        // u16: 0x100, 0x110, 0x200
inline constexpr size_t kColorWord = 0x91e;          // u16
inline constexpr size_t kOptionRecordUnit = 0x920;   // u32, 0 none, 1 or 2
inline constexpr size_t kFinisherUnit = 0x924;       // u32, 0 none, 1 or 2
inline constexpr size_t kOptionRecordHandle = 0x92c; // 8-byte {u16 type, u16, u32 value}
inline constexpr size_t kMailBoxFlag = 0x930;
inline constexpr size_t kFinisherHandle = 0x938;     // 164-byte records
inline constexpr size_t kMediaNameFlag = 0x93c;
inline constexpr size_t kMediaHandle = 0x944;        // 66-byte {name[64], u16 id}
inline constexpr size_t kDeviceAreaHandle = 0x948;   // one entry of ten u32 words
inline constexpr size_t kStackerWord = 0x94c;
inline constexpr size_t kFinisherFlag = 0x950;
inline constexpr size_t kModelFlags = 0x954;         // four u32 words
inline constexpr size_t kDeviceFontCount = 0x964;    // u16
inline constexpr size_t kReservedMemory = 0x968;     // u32
inline constexpr size_t kFontSetHandle = 0x970;      // 72-byte {name[64], u16 id, u16 memory}
inline constexpr size_t kFontSetSlots = 0x974;       // u16
inline constexpr size_t kUserPaper = 0x978;          // ten u32, 0.1 mm
inline constexpr size_t kPaperLengthLimits = 0x9a0;  // four u32, 0.1 mm
inline constexpr size_t kQualityBadgeOff = 0x9b0;
inline constexpr size_t kProfile5Flag = 0x9b4;
inline constexpr size_t kVersionText = 0x9b8;        // text[32]
inline constexpr size_t kDeviceNameHandle = 0x9d8;   // text of up to 255 characters

// Handles of the lists the setting items walk.
inline constexpr size_t kPaperHandle = 0x800;             // 216-byte entries
inline constexpr size_t kPaperSourceHandle = 0x814;       // 72-byte entries
inline constexpr size_t kPaperDestinationHandle = 0x81c;  // 72-byte entries
inline constexpr size_t kPaperTypeHandle = 0x828;         // 66-byte entries
inline constexpr size_t kResolutionHandle = 0x778;        // 68-byte {name, u16 code, u16 quality}
inline constexpr size_t kFoldHandle = 0x7e8;              // 8-byte entries
inline constexpr size_t kExpStorageHandle = 0x8f8;        // 72-byte entries, u16 type at 64

// Paper entries (216 bytes).
inline constexpr size_t kPaperEntrySize = 216;
inline constexpr size_t kPaperMediaCount = 0xd0;
inline constexpr size_t kPaperMediaHandle = 212;
// Paper-source and destination entries (72 bytes): name[64], u16 id, u16 paper count, handle.
inline constexpr size_t kSourceEntrySize = 72;
inline constexpr size_t kSourcePaperCount = 66;
inline constexpr size_t kSourcePaperHandle = 68;

}  // namespace devicedata
