// The device-option block, stored as the printer's "DeviceOption" value: a header with a few
// numbered values and the offset of the data part, then the data part that the configuration
// fills with the installed options. Its bytes leave the process, so every position is fixed.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace devopt {

// Header.
inline constexpr size_t kOffTotalSize = 0;   // u32, the whole block
inline constexpr size_t kOffVersion = 4;     // u32
inline constexpr size_t kOffDataOffset = 12; // s16, from the start of the block
inline constexpr size_t kOffValueArea = 14;  // the numbered values
inline constexpr size_t kValueAreaEnd = 32;
inline constexpr uint32_t kBlockVersion = 1;

// Numbered values of the header (their ids appear in decimal as 513 to 519).
inline constexpr uint16_t kValueFlags = 0x201;      // u32: bit 0 device queried, bit 1 page-composition lock
inline constexpr uint16_t kValueFontSet1 = 0x202;   // u16 installed font-set id
inline constexpr uint16_t kValueFontSet2 = 0x203;
inline constexpr uint16_t kValueFontSet3 = 0x204;
inline constexpr uint16_t kValueFontMemory = 0x205; // u16, memory of the three font sets
inline constexpr uint16_t kValueReserved = 0x206;   // u16
inline constexpr uint16_t kValueSpooling = 0x207;   // u16 spooling choice
inline constexpr uint32_t kFlagQueried = 0x1;
inline constexpr uint32_t kFlagCompositionLock = 0x2;

// Data part, positions from its start.
inline constexpr size_t kFinisherCode = 0;        // u8
inline constexpr size_t kAccessoryWord = 1;       // u32, also the "flag word" of byte 1
inline constexpr size_t kOptionWord = 5;          // u32
inline constexpr size_t kFlagWord = 9;            // u32: bit 0 booklet, 2 large-capacity source, 3 mail box
inline constexpr size_t kMediaCapabilities = 13;  // u32
inline constexpr size_t kSourceTableValid = 17;   // u16
inline constexpr size_t kMediaBitSet = 19;        // 16 bytes
inline constexpr size_t kSecondFlagWord = 35;     // u32, account flags; byte 37 the custom-media flags
inline constexpr size_t kMemorySize = 39;         // u32
inline constexpr size_t kSourceSlots = 81;        // 8 x 98 bytes
inline constexpr size_t kSourceSlotCount = 8;
inline constexpr size_t kSourceSlotSize = 98;
inline constexpr size_t kSlotSourceCode = 34;     // u16, inside a slot
inline constexpr size_t kSlotPaperSize = 36;      // u16
inline constexpr size_t kSlotSourceKind = 38;     // s16
inline constexpr size_t kSlotMediaId = 40;        // u16
inline constexpr size_t kSlotName = 42;           // char[18]
inline constexpr size_t kSlotLevel = 60;          // u16
inline constexpr size_t kSlotCustomMedia = 96;    // u16
inline constexpr size_t kPageListFlags = 980;     // u8, bits 1, 3, 4, 7 (u32 at 980 bit 22)
inline constexpr size_t kDeckCount = 986;         // s16
inline constexpr size_t kOptionMaskA = 988;       // u32
inline constexpr size_t kOptionMaskB = 992;       // u32
inline constexpr size_t kPdlBits = 996;           // u32
inline constexpr size_t kAccountSubMode = 1000;   // u16
inline constexpr size_t kDepartmentId = 1002;     // char[16]
inline constexpr size_t kDepartmentPassword = 1018;  // char[16]
inline constexpr size_t kPuncherKind = 1038;      // u16
inline constexpr size_t kDeviceNameVariant = 1040;// u16
inline constexpr size_t kOwnerNameSource = 1042;  // u16: 0 to 2
inline constexpr size_t kOwnerName = 1044;        // char[33]
inline constexpr size_t kDataSize = 1080;
inline constexpr size_t kBlockSize = kValueAreaEnd + kDataSize;
static_assert(kSourceSlots + kSourceSlotCount * kSourceSlotSize <= kPageListFlags);
static_assert(kOwnerName + 33 <= kDataSize && kBlockSize % 4 == 0);

// Writes an empty block of the current layout (kBlockSize bytes); false when size is smaller.
bool buildDefaultBlock(void* block, size_t size);

// Why size bytes of a stored block cannot be used, in words for a person; null when they can.
const char* blockFault(const void* stored, size_t size);

// Brings size bytes of a stored block into the current layout in target (kBlockSize bytes):
// values and data the stored block holds are kept, the rest is empty. A block that fails the
// checks (sizes, version, data offset) gives false and leaves target as it was.
bool upgradeBlock(const void* stored, size_t size, void* target, size_t targetSize);

// Size of a block as its header states it; 0 for null.
uint32_t blockSize(const void* block);

// The data part, or null when the block is null or its header points to no data.
uint8_t* blockData(void* block);
const uint8_t* blockData(const void* block);

// Copies min(size, width) bytes of a numbered value; false, buffer untouched, for an unknown id.
BOOL GetValue(const void* block, uint32_t id, void* buffer, size_t size);
// Stores min(size, width) bytes, the rest of the value zero-filled; a null buffer clears it.
BOOL SetValue(void* block, uint32_t id, const void* buffer, size_t size);

}  // namespace devopt
