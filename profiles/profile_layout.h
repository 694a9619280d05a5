// Byte layout of what the profiles keep outside the process: the stored profile record, the
// 36-byte entry of the profile list and the header of a profile file. The same record is the
// registry value "DATA", the body of a profile file and the body of a built-in profile resource,
// so every position is fixed and little-endian.
#pragma once

#include "settings/sdk/profile_store.h"

#include <cstddef>
#include <cstdint>

namespace profile {

// Profile types.
inline constexpr uint16_t kTypeBuiltIn = 1;
inline constexpr uint16_t kTypeShared = 2;
inline constexpr uint16_t kTypeUser = 4;
inline constexpr uint16_t kTypeSnapshot = 16;

// `ProfileFileRecord`.
inline constexpr size_t kRecordSize = profilerecord::kSize;        // u16
inline constexpr size_t kRecordName = profilerecord::kName;        // char[32]
inline constexpr size_t kRecordComment = profilerecord::kComment;  // char[256]
inline constexpr size_t kRecordIcon = profilerecord::kIcon;        // u16, 0 to 148
inline constexpr size_t kRecordType = profilerecord::kType;        // u16
inline constexpr size_t kRecordReserved = profilerecord::kZero;    // u16
inline constexpr size_t kRecordDevmode = profilerecord::kDevmode;  // the device mode, extended form
inline constexpr size_t kNameSize = 32;
inline constexpr size_t kCommentSize = 256;
static_assert(kRecordComment == kRecordName + kNameSize && kRecordIcon == kRecordComment + kCommentSize);
static_assert(kRecordDevmode == 296);
inline constexpr uint16_t kIconCount = 149;
// A record never holds more than a device mode of the largest form a driver writes; anything
// larger is damage, whatever its own size word says.
inline constexpr size_t kRecordLimit = 0x10000 - 1;

// `ProfileListEntry`: name char[32], u16 type, u16 icon.
inline constexpr size_t kEntrySize = 36;
inline constexpr size_t kEntryType = 32;
inline constexpr size_t kEntryIcon = 34;

// The profile file: signature char[32], u16 1, u16 1, then the record.
inline constexpr char kFileSignature[] = "VOMEL PROFILE SYSTEM for 9x";
inline constexpr size_t kFileSignatureCompared = 20;  // "VOMEL PROFILE SYSTEM"
inline constexpr size_t kFileHeaderSize = 36;
static_assert(sizeof kFileSignature - 1 == 27 && kFileSignatureCompared <= 27);

// Registry names.
inline constexpr char kTableKey[] = "UIProfileTBL";
inline constexpr char kProfileKey[] = "UIProfile";
inline constexpr char kSizeValue[] = "SIZE";
inline constexpr char kDataValue[] = "DATA";
inline constexpr char kSaveDefValue[] = "SaveDefProfile";
inline constexpr uint32_t kSaveDefOn = 999;

// Resource type of the built-in profiles.
inline constexpr unsigned kBuiltInResourceType = 12000;

}  // namespace profile
