// `DeviceQueryRecord`: 22,808 bytes of a device's tables and single values, filled by the table
// queries and the attribute list (client slots 13 and 19) and read by the configuration at fixed
// offsets: the page-description languages (68, 72), the engine version (176), the output kind
// (196), the per-source values (1252), the sources (2096), the accessories (3608) and the
// mail-box word (22756). Each section is a count and up to 8 entries, cleared before it is filled.
#pragma once

#include "device/devinfo_client.h"

#include <cstddef>
#include <cstdint>

inline constexpr int kQueryPlaces = 8;

// The ids a table query listed, one private-heap block each, owned by the record.
struct DeviceQueryIdList {
    uint32_t count;
    uint32_t* ids;
};

struct DeviceQuerySourceValues {
    uint32_t paperSize;
    uint32_t level;
    uint32_t kind;
    uint32_t mediaCode;
};
struct DeviceQuerySource {
    char name[64];
    uint32_t kind;
    uint32_t count;
    uint32_t words[4];
    uint32_t word;
};
struct DeviceQueryAccessory {
    char name[140];
    uint32_t types[4];
};
struct DeviceQueryMemory {
    char name[64];
    uint32_t kind;
    uint32_t size;
    uint32_t types[2];
};
struct DeviceQueryNamedEntry {  // attributes 2085 and 4121: {name 64; three words}
    char name[64];
    uint32_t words[3];
};
struct DevInfoLists2296 {
    uint32_t count[3];
    uint32_t words[3][8];
};

struct DeviceQueryRecord {
    DeviceQueryIdList tables[4];      // 0: the id lists of table queries 1 to 4
    uint32_t word115;                 // 64
    uint32_t languageCount;           // 68: attribute 1664
    uint32_t languages[8];            // 72
    uint32_t words[17];               // 104: attributes 24, 40, 51, 85, 180, 288, 11430, 11610 to 11614, ...
    uint8_t reserved172[4];
    uint16_t version176;              // 176: attribute 11608
    uint8_t reserved178[18];
    uint32_t outputKind;              // 196: attribute 11609
    uint32_t flags2058[2];            // 200: both start at 2
    uint8_t reserved208[1040];
    uint32_t sourceValueCount;        // 1248
    DeviceQuerySourceValues sourceValues[kQueryPlaces];  // 1252: attribute 10911
    uint8_t reserved1380[712];
    uint32_t sourceCount;             // 2092
    DeviceQuerySource sources[kQueryPlaces];             // 2096: attributes 10601, 10617
    uint8_t reserved2832[772];
    uint32_t accessoryCount;          // 3604
    DeviceQueryAccessory accessories[kQueryPlaces];      // 3608: attributes 11804, 11806
    uint32_t memoryCount;             // 4856
    DeviceQueryMemory memory[kQueryPlaces];              // 4860: attributes 12502, 12507, 178, 12506
    uint32_t namedCount2085;
    DeviceQueryNamedEntry named2085[kQueryPlaces];
    uint32_t mailBoxCount;
    DeviceQueryNamedEntry mailBoxes[kQueryPlaces];       // attribute 4121
    uint32_t entryCount1016;
    uint8_t entries1016[kQueryPlaces][120];
    uint32_t entryCount2297;
    uint8_t entries2297[kQueryPlaces][96];
    DevInfoLists2296 lists2296;
    uint8_t reserved[22756 - 8568];
    uint32_t mailBoxWord;             // 22756: attribute 4036
    uint8_t reserved22760[48];
};
static_assert(sizeof(DeviceQueryRecord) == 22808);
static_assert(offsetof(DeviceQueryRecord, languageCount) == 68 && offsetof(DeviceQueryRecord, languages) == 72);
static_assert(offsetof(DeviceQueryRecord, version176) == 176 && offsetof(DeviceQueryRecord, outputKind) == 196);
static_assert(offsetof(DeviceQueryRecord, sourceValues) == 1252 && offsetof(DeviceQueryRecord, sources) == 2096);
static_assert(offsetof(DeviceQueryRecord, accessories) == 3608 && offsetof(DeviceQueryRecord, mailBoxWord) == 22756);
static_assert(offsetof(DeviceQueryRecord, lists2296) + sizeof(DevInfoLists2296) == 8568);

// Enter every attribute record of group replies into the record (client slots 13 and 19): the
// n-th object of the replies goes to place n of its section.
int DevInfoClient_FillAttributeTable(DevInfoClient* client, DeviceQueryRecord* target, uint32_t count,
                                     void* const* replies);
// Frees the blocks the record owns (client slot 47).
void DevInfoClient_FreeQueryRecord(DevInfoClient* client, DeviceQueryRecord* record);

// Attribute 2296: three structured values, each {u32 count; u32 words[count]}; every list is
// cleared when any count exceeds 8. False when the attribute has not that shape.
bool DecodeLists2296(const ZdsvAttribute& attribute, DevInfoLists2296* lists);
