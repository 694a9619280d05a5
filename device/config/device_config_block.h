// `DeviceConfigBlock`: the direct device query's answer to a request by attribute ids, parsed
// out of the library's flat attribute list into fixed fields. Every attribute the parser knows
// has a field and a failure bit; the bit records that the attribute came in a form other than
// the expected one, so the builders that read a field can tell "the device said 0" from "the
// device said nothing usable".
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr size_t kDeviceConfigBlockSize = 7464;
inline constexpr size_t kConfigTextField = 33;  // characters of a text field, with its terminator

struct DeviceConfigBlock {
    uint32_t failures[4];
    uint8_t fields[kDeviceConfigBlockSize - 16];
};
static_assert(sizeof(DeviceConfigBlock) == kDeviceConfigBlockSize);

// Attribute ids the builders read by name.
inline constexpr uint32_t kAttrEngineVersion = 0x4000112;
inline constexpr uint32_t kAttrSourceValues = 0x3000016;  // per-source values of the first builder
inline constexpr uint32_t kAttrSourceKinds = 0x3000017;   // per-source kinds of the second builder

// Parses `count` 20-byte records at the start of the `size`-byte flat list (every value and text
// is reached by an offset from the list's start, and each is checked to lie inside it). 0 when
// the block or the list is missing or the records themselves do not fit the list; else 1, also
// for a count of 0. The block is zeroed first in every case but a missing block.
int ParseDeviceInfoRecords(DeviceConfigBlock* block, const uint8_t* list, size_t size, uint32_t count);

// True when the parser knows the attribute.
bool ConfigKnows(uint32_t id);
// The attribute's failure bit.
bool ConfigFailed(const DeviceConfigBlock& block, uint32_t id);
// Values stored for the attribute (0 for an unknown one).
uint32_t ConfigCount(const DeviceConfigBlock& block, uint32_t id);
// Number i of a number attribute (the four words of a structured one); 0 when absent.
uint32_t ConfigNumber(const DeviceConfigBlock& block, uint32_t id, uint32_t i = 0);
// Text i of a text attribute, always terminated; "" when absent.
const char* ConfigText(const DeviceConfigBlock& block, uint32_t id, uint32_t i = 0);
