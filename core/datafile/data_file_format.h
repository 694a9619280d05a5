// The stored form of the driver data file: its 80-byte header, the two sections and the 16-bit
// tagged records they hold. The loader and the builder tool both work from these constants, so
// that the bytes one writes are the bytes the other expects (data/datafile-format.md tells it).
#pragma once

#include <cstddef>
#include <cstdint>

namespace datafile {

inline constexpr char kMagic[8] = {'V', 'O', 'M', 'E', 'L', 'D', 'D', 'F'};
inline constexpr uint16_t kFormatVersion = 1;
inline constexpr size_t kHeaderSize = 80;

// Header fields (little-endian).
inline constexpr size_t kHdrMagic = 0;             // 8 bytes
inline constexpr size_t kHdrVersion = 8;           // u16
inline constexpr size_t kHdrHeaderSize = 10;       // u16, always 80
inline constexpr size_t kHdrFileSize = 12;         // u32, the whole file
inline constexpr size_t kHdrModelCode = 16;        // u16, the device model code
inline constexpr size_t kHdrFlags = 18;            // u16, 0
inline constexpr size_t kHdrSpecOffset = 20;       // u32, section 1: the device capability
inline constexpr size_t kHdrSpecSize = 24;         // u32
inline constexpr size_t kHdrItemsOffset = 28;      // u32, section 2: the data items
inline constexpr size_t kHdrItemsSize = 32;        // u32
inline constexpr size_t kHdrChecksum = 36;         // u32, CRC-32 of every byte after the header
inline constexpr size_t kHdrReserved = 40;         // 40 bytes, 0

// Every record: u16 tag, u16 attributes, u32 payload length, then the payload.
inline constexpr size_t kRecordHeaderSize = 8;

// Tags of section 1. A field's tag is its byte offset in the device capability record.
inline constexpr uint16_t kTagFieldLast = 0x0FFF;
inline constexpr uint16_t kTagListBase = 0x4000;   // | offset of the list's handle in the record
inline constexpr uint16_t kTagTextBase = 0x5000;   // | offset of the text's handle in the record
inline constexpr uint16_t kTagSubList = 0x6000;    // a list that an entry of another list points to
inline constexpr uint16_t kTagModelBlockA = 0x7001;  // model information
inline constexpr uint16_t kTagModelBlockB = 0x7002;  // model name block: the language name first
inline constexpr uint16_t kTagKindMask = 0xF000;

// Attributes of section 2 records; the tag is the item id.
inline constexpr uint16_t kAttrCompressed = 0x0001;  // payload: u32 unpacked size, zlib stream

// List and sub-list payloads begin with u16 entry size, u16 entry count.
inline constexpr size_t kListHeaderSize = 4;

// Limits that keep a forged file from asking for absurd amounts of memory.
inline constexpr uint32_t kMaxFileSize = 64u << 20;
inline constexpr uint32_t kMaxUnpackedItem = 16u << 20;
inline constexpr size_t kMaxModelBlock = 4096;
inline constexpr size_t kMaxModelName = 32;

}  // namespace datafile
