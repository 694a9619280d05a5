// The calling contract of the maker's device-information library ("Zdsvc2.dll", else
// "Zdsvc.dll"): its exports, the slots of its two function tables, the completion callback and the
// records that cross between it and the driver. The driver's client and the simulated library of
// the tests are both built from this one header, so the two cannot drift apart. Records that hold
// pointers carry native pointers; only pointer-free records have their sizes asserted.
#pragma once

#include <cstddef>
#include <cstdint>

// Export names and the interface versions they are asked for.
inline constexpr const char* kZdsvLibraryName = "Zdsvc2.dll";
inline constexpr const char* kZdsvOldLibraryName = "Zdsvc.dll";
inline constexpr const char* kZdsvGetInterfaceName = "ZDSV_GetInterface";
inline constexpr const char* kSsGetInterfaceName = "SS_GetInterface";
inline constexpr uint32_t kZdsvVersionClient = 768;  // the client's table
inline constexpr uint32_t kZdsvVersionDirect = 784;  // the direct query's and the account services' table

// Answers the library gives.
inline constexpr int32_t kZdsvMoreToCome = 4;                      // a callback status: more replies follow
inline constexpr uint32_t kZdsvBufferTooSmall = 0xC098807Au;       // information query: the needed size is returned
inline constexpr uint32_t kZdsvRefused = 0xC098B001u;              // the device refuses the request
inline constexpr uint32_t kZdsvInformationClass = 10;              // the device information block

// One function table, known by slot number. Slot n is at index n; a version-768 table and a
// version-784 table number their operations differently (see the slot constants below).
using ZdsvProc = void (*)();
inline constexpr int kZdsvSlotCount = 48;
struct ZdsvInterface {
    ZdsvProc slots[kZdsvSlotCount];
};

using ZdsvGetInterfaceProc = ZdsvInterface* (*)(uint32_t version);

// Slots of the version-768 table (the client's).
namespace zdsv768 {
inline constexpr int kStart = 1;
inline constexpr int kStop = 2;
inline constexpr int kRemoteInformation = 4;
inline constexpr int kShowWindow = 5;
inline constexpr int kOpenInformation = 8;
inline constexpr int kCloseInformation = 9;
inline constexpr int kQueryInformation = 10;
inline constexpr int kConnect = 11;
inline constexpr int kDisconnect = 12;
inline constexpr int kRequestEntries = 17;   // client slot 6
inline constexpr int kRequestCommand = 18;   // client slot 7
inline constexpr int kRequestPaged = 19;     // client slot 11
inline constexpr int kRequestTable = 20;     // client slot 8
inline constexpr int kRequestPair = 21;      // client slot 12
inline constexpr int kRequestValues = 22;    // client slots 9 and 10
inline constexpr int kRequestAttributes = 24;  // client slot 3
inline constexpr int kRequestListB = 25;     // client slot 4
inline constexpr int kRequestListC = 26;     // client slot 5
}  // namespace zdsv768

// Slots of the version-784 tables (the direct query's table and the account services' table
// share one layout).
namespace zdsv784 {
inline constexpr int kStart = 1;
inline constexpr int kStop = 2;
inline constexpr int kOpenInformation = 10;
inline constexpr int kCloseInformation = 11;
inline constexpr int kQueryInformation = 12;
inline constexpr int kConnect = 14;
inline constexpr int kDisconnect = 15;
inline constexpr int kRequestCommand = 18;     // device operation 11, second request
inline constexpr int kRequestAttributes = 27;  // device operations 1, 9, 12, 19
inline constexpr int kRequestStateBits = 29;   // device operation 1, attributes 209 and 2228
inline constexpr int kAccountCheck = 30;       // device operation 5
inline constexpr int kRequestNamedList = 35;   // device operation 8
inline constexpr int kRequestIdBatch = 36;     // device operation 7
inline constexpr int kRequestFlatList = 39;    // device operation 17
inline constexpr int kRequestEntries = 41;     // device operations 18 and 20
inline constexpr int kRequestSelect = 42;      // device operation 11, first request
}  // namespace zdsv784

// The completion callback: (the caller's context, the number of records in the reply when the
// reply is an array of attribute records, a word the driver ignores, the status, the reply). The
// reply belongs to the library and lives only during the call; the callback may run on a thread
// of the library.
using ZdsvCallback = void (*)(void* context, uint32_t count, uint32_t reserved, int32_t status, const void* reply);

// Signatures of the slots. Every asynchronous request slot has the one request signature; a
// negative answer means the request was not accepted and no callback will come.
using ZdsvStartProc = int32_t (*)();
using ZdsvStopProc = int32_t (*)();
using ZdsvOpenInformationProc = int32_t (*)(const char* deviceName, void** handle);
using ZdsvQueryInformationProc = uint32_t (*)(void* handle, uint32_t infoClass, void* buffer, uint32_t size,
                                              uint32_t* needed);
using ZdsvCloseInformationProc = int32_t (*)(void* handle);
struct ZdsvAddress;
using ZdsvConnectProc = int32_t (*)(const char* host, const ZdsvAddress* address, void* reserved1, void* reserved2,
                                    uint32_t port, void** connection);
using ZdsvDisconnectProc = int32_t (*)(void* connection);
using ZdsvRequestProc = int32_t (*)(void* connection, ZdsvCallback callback, void* output8, const void* request,
                                    void* context);
using ZdsvRemoteInformationProc = int32_t (*)(const char* computer, uint32_t one, uint32_t zero, void* record104);
using ZdsvShowWindowProc = int32_t (*)(const char* printerName, uint32_t zero);
using ZdsvAccountCheckProc = int32_t (*)(void* connection, uint32_t account, uint32_t password, uint32_t* status,
                                         uint32_t* accepted);

// A slot of a table as a callable of its signature; null when the table or the slot is empty.
template <class F>
F ZdsvSlot(const ZdsvInterface* table, int slot) {
    return table && slot > 0 && slot < kZdsvSlotCount ? reinterpret_cast<F>(table->slots[slot]) : nullptr;
}

// The device's network address: thirteen words and a 16-bit kind, 54 bytes as the library keeps
// them. An IPv4 address holds its four parts in words 0 to 3 with the values 17 at byte 16 and
// kind 2; a device named instead holds 0 in word 0, the name (at most 20 characters) from byte 4,
// and the values 270 and 38663 at bytes 36 and 38 with kind 20.
struct ZdsvAddress {
    uint8_t bytes[54];
};
static_assert(sizeof(ZdsvAddress) == 54);
inline constexpr size_t kZdsvAddressNameOffset = 4;
inline constexpr size_t kZdsvAddressNameMax = 20;
inline constexpr size_t kZdsvAddressKindOffset = 52;

// The device information block (class 10), filled by the library into the caller's buffer; its
// pointers point into that same buffer.
struct ZdsvDeviceInformation {
    uint32_t size;          // word 0: the bytes the library used
    uint32_t port;          // word 1: passed to connect
    uint32_t flags;         // word 2
    uint32_t addressCount;  // word 3: nonzero when the device has an address
    ZdsvAddress* address;   // word 4
    uint32_t reserved5;
    uint32_t reserved6;
    const char* hostName;   // word 7: the computer that serves the printer; the first argument of connect
};

// An attribute as the library answers it: an id and typed values.
inline constexpr uint32_t kZdsvNumber = 1;
inline constexpr uint32_t kZdsvText = 2;
inline constexpr uint32_t kZdsvStructured = 3;
struct ZdsvValue {
    uint32_t type;
    uint32_t size;    // bytes behind a structured value (the driver bounds its reads by it)
    uintptr_t value;  // a number, or a pointer to a terminated text or to structured bytes
};
struct ZdsvAttribute {
    uint32_t id;
    uint32_t reserved1;
    uint32_t reserved2;
    uint32_t count;
    ZdsvValue* values;
};

// Attribute requests of client slot 3: per object, the objects' ids and the 16-bit attribute ids.
struct ZdsvAttributeListEntry {
    uint32_t objectCount;
    const uint32_t* objectIds;
    uint32_t attributeCount;
    const uint16_t* attributeIds;
};
struct ZdsvAttributeListRequest {
    uint32_t entryCount;
    const ZdsvAttributeListEntry* entries;
};

// Attribute requests of the version-784 table (slots 27 and 29): ids with three parameters. The
// callback receives the answer as an array of attribute records and their number.
struct ZdsvAttributeRequest {
    uint32_t parameter1;
    uint32_t parameter2;
    uint16_t parameter3;
    uint16_t reserved;
    uint32_t count;
    const uint32_t* ids;
};

// The request record of client slots 4, 5, 6, 8, 9, 10 and 12: a header that carries the
// continuation of a multi-part answer, then parameters at fixed places.
inline constexpr uint16_t kZdsvRequestTag = 480;
inline constexpr uint8_t kZdsvPhaseFirst = 1;
inline constexpr uint8_t kZdsvPhaseContinue = 3;
struct ZdsvRequest {
    uint16_t key;    // 0, or in a continuation the first 16-bit field of the last reply
    uint16_t tag;    // 480
    uint8_t phase;   // 1 first request, 3 continuation
    uint8_t reserved5;
    uint16_t word6;  // slots 9, 10: the caller's parameter
    uint32_t word8;
    uint32_t word12;
    uint32_t word16;
    uint32_t word20;
    uint32_t word24;
    uint32_t word28;
};
static_assert(sizeof(ZdsvRequest) == 32);

// The paged request of client slot 11: at most four ids per request.
inline constexpr uint8_t kZdsvIdsPerPage = 4;
struct ZdsvPagedRequest {
    uint8_t idCount;
    uint8_t zero;
    uint16_t parameter16;
    uint32_t parameter32;
    const uint32_t* ids;
};

// A command to the device and its answer (client slot 7): the data block is a byte string whose
// layout the command's kind fixes.
struct ZdsvCommand {
    uint32_t code;
    uint16_t command;
    uint16_t reserved6;
    const uint8_t* data;
    uint16_t dataSize;
    uint16_t reserved18;
    uint32_t reserved20;
};

// A list of 32-bit values (the replies of client slots 4, 8, 9 and 10): the key continues a
// multi-part answer, the reply code names the decoder of client slot 21.
struct ZdsvValueReply {
    uint16_t key;
    uint16_t code;
    uint32_t word4;
    uint32_t word8;
    uint16_t word12;
    uint16_t count;
    const uint32_t* values;
    uint32_t word24;
    uint32_t word28;
};
static_assert(offsetof(ZdsvValueReply, count) == 14 && offsetof(ZdsvValueReply, values) == 16);

// Groups of attribute records, one group per object (the replies of client slots 3, 5, 6 and 11).
struct ZdsvAttributeGroup {
    uint32_t objectId;
    uint32_t count;
    const ZdsvAttribute* attributes;
};
struct ZdsvGroupReply {
    uint16_t key;
    uint16_t code;
    uint32_t count;
    const ZdsvAttributeGroup* groups;
};

// The 8-byte answer of client slot 12.
struct ZdsvPairReply {
    uint32_t first;
    uint32_t second;
};
static_assert(sizeof(ZdsvPairReply) == 8);

// Entry lists of the version-784 table (slots 35, 39, 41): a kind and fixed-size entries.
struct ZdsvEntryReply {
    uint32_t kind;  // 2001 for the entry lists of slot 41
    uint32_t count;
    uint32_t entrySize;
    const uint8_t* entries;
};
inline constexpr uint32_t kZdsvEntryKind = 2001;

// A request naming a list and a selection by name (slots 35, 39, 41, 42 of the 784 table).
struct ZdsvNamedRequest {
    uint32_t list;
    uint32_t parameter;
    char name[260];
};

// A batch of ids for the overlay page (slot 36 of the account services' table).
inline constexpr uint32_t kZdsvIdBatchMax = 100;
struct ZdsvIdBatchRequest {
    uint32_t list;
    uint32_t attribute;
    uint32_t count;
    const uint32_t* ids;
};
