// Device operations of the client (slot 2, `DevInfoClient_GetHandler`): each connects to the
// device through the version-784 table, runs its requests, leaves its outcome in the caller's
// record and disconnects. The records below cross to the library; their pointer fields are
// native pointers.
#pragma once

#include "device/devinfo_client.h"

#include <cstddef>

// The link of the device operations: the device information block and the version-784 table.
struct DevInfoDeviceLink {
    const ZdsvDeviceInformation* information;
    ZdsvInterface* iface;
};

inline constexpr int kDevOpDeviceRecord = 1;
inline constexpr int kDevOpAccountCheck = 5;
inline constexpr int kDevOpDeviceFonts = 8;
inline constexpr int kDevOpAttributesFlat = 12;
inline constexpr int kDevOpAttributeList = 19;

// Operation 5: the account check.
struct DevInfoAccountRecord {
    uint32_t reserved0;
    char printerName[256];
    uint8_t reserved260[8];
    int32_t status;      // 268: a negative answer of the check or of the connection
    uint8_t reserved272[12];
    uint32_t account;    // 284
    uint32_t password;   // 288
    uint32_t checkStatus;  // 292
    uint32_t accepted;   // 296: 1 accepted
};
static_assert(sizeof(DevInfoAccountRecord) == 300 && offsetof(DevInfoAccountRecord, status) == 268);
static_assert(offsetof(DevInfoAccountRecord, account) == 284 && offsetof(DevInfoAccountRecord, accepted) == 296);

// Operation 7: lists of named entries by the record's kind. Kind 2 asks for the names of the
// mail-box bins; kinds 0 and 1 ask, for the overlay page, for the entries of the record's ids
// (lists 1002/4033 and 1015/4037) in batches of at most 100. Answers of kind 2 are 76-byte
// entries {u32 id; u32 word (the bin index); name}, answers of kind 51 88-byte entries {u32 id;
// name of 66 bytes; 16-bit words}; each is stored at its id's place in the record's entries.
inline constexpr int kDevOpListEntries = 7;
inline constexpr uint32_t kListOverlays = 0;
inline constexpr uint32_t kListOverlayForms = 1;
inline constexpr uint32_t kListMailBoxes = 2;
inline constexpr uint32_t kNamedEntryKind = 2;
inline constexpr uint32_t kNamedEntrySize = 76;
inline constexpr uint32_t kFormEntryKind = 51;
inline constexpr uint32_t kFormEntrySize = 88;
struct DevInfoListRequest {
    char printerName[256];
    int32_t deviceStatus;  // 256
    uint32_t size;         // 260: 256
    uint8_t reserved264[8];
    uint32_t kind;         // 272
    uint32_t count;        // 276: the ids asked, or the mail-box entries the buffer holds
    uint8_t* entries;      // 280
    const uint32_t* ids;   // kinds 0 and 1
    uint32_t entryBytes;   // kinds 0 and 1: the room behind entries
};

// Operation 8: the device's fonts, 260-byte entries {name 256; u32 flag}.
inline constexpr uint32_t kFontEntrySize = 260;
struct DevInfoFontRequest {
    char printerName[256];
    int32_t deviceStatus;  // 256
    uint32_t size;         // 260: 256
    uint8_t reserved264[260];
    uint32_t count;        // 524
    uint8_t* entries;      // 528
};

// Operations 12 and 19: attributes by id, answered as one flat block of 20-byte attribute
// records, their 12-byte values and the texts and structured bytes behind them, where every
// pointer is an offset from the block's start. The block is the caller's to free (PrivateFree).
struct DevInfoFlatAttribute {
    uint32_t id;
    uint32_t reserved1;
    uint32_t reserved2;
    uint32_t count;
    uint32_t valuesOffset;
};
struct DevInfoFlatValue {
    uint32_t type;
    uint32_t size;
    uint32_t value;  // a number, or the offset of a text or structured bytes
};
static_assert(sizeof(DevInfoFlatAttribute) == 20 && sizeof(DevInfoFlatValue) == 12);
struct DevInfoAttributeRecord {
    uint32_t size;        // 256
    char printerName[256];
    uint8_t reserved260[32];
    int32_t deviceStatus;  // 292
    uint32_t reserved296;
    uint32_t idCount;      // 300
    const uint32_t* ids;
    uint32_t answerCount;
    uint32_t answerSize;
    uint8_t* answer;
};

int DevInfoClient_GetHandler(DevInfoClient* client, void* link, void* record, int operation);

// The flat block of attribute records (also the fuzzing door of its reader): null when the
// records do not fit a block of 32-bit offsets or memory is refused.
uint8_t* FlattenAttributes(const ZdsvAttribute* attributes, uint32_t count, uint32_t* size);
