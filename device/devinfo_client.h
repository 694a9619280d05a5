// `DevInfoClient`: the driver's side of the device-information library. A plain record of 55
// operations (a copy of the constant `DevInfoClientTable`) and the state of the library it has
// loaded; the configuration, the overlay page and the settings summary create one, use it and
// free it. Operations answer 0 or a small negative code; request operations hand back the
// replies they copied and report through a `DevInfoStatus`.
#pragma once

#include "device/devinfo_interface.h"

#include <windows.h>

#include <cstdint>

struct DevInfoClient;
struct DeviceQueryRecord;
struct DevInfoListRecord;
struct DevInfoCommandTarget;
struct DevInfoTableTarget;
struct DevInfoLists2296;

// The status of a request or query: the driver's code, the library's own answer, and the last
// non-negative status a callback reported.
struct DevInfoStatus {
    int32_t status;
    int32_t libraryCode;
    uint32_t lastValue;
};
static_assert(sizeof(DevInfoStatus) == 12);

// The library one client holds. While it is loaded the process's current directory is the
// library's folder (the library may open its own files by bare name); unloading switches back.
struct DevInfoLibraryState {
    HMODULE module;
    char folder[MAX_PATH];
    uint32_t savedDirectoryLength;  // 0: nothing saved
    char savedDirectory[MAX_PATH];
};

// Codes of the client's operations.
inline constexpr int kDevInfoBadArgument = -1;
inline constexpr int kDevInfoNoFolderSwitch = -2;
inline constexpr int kDevInfoNoMemory = -11;
inline constexpr int kDevInfoNameTooLong = -12;
inline constexpr int kDevInfoNoDriverFolder = -21;
inline constexpr int kDevInfoNotLoadedMode1 = -23;
inline constexpr int kDevInfoNotLoadedSystem = -33;
inline constexpr int kDevInfoNotLoadedMode4 = -43;
inline constexpr int kDevInfoRefused = -28;
inline constexpr int kDevInfoNoSystemFolder = -31;

// A list of 32-bit values gathered from several replies (client slots 15, 16, 20); the values
// are one private-heap block owned by the list.
struct DevInfoValueList {
    uint32_t count;
    uint32_t* values;
};

// A request of client slot 6: one attribute of one object.
struct DevInfoEntryRequest {
    uint32_t first;
    uint16_t second;
    uint32_t third;
};

using DevInfoReplies = void**;

// The 55 operations, in slot order.
struct DevInfoClientOps {
    void (*Nop)(DevInfoClient* client);                                                           // 0
    int (*True)(DevInfoClient* client);                                                           // 1
    int (*GetHandler)(DevInfoClient* client, void* link, void* record, int operation);           // 2
    DevInfoReplies (*RequestListA)(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint32_t count,
                                   const ZdsvAttributeListEntry* entries, uint32_t* replyCount,
                                   DevInfoStatus* result);                                        // 3
    DevInfoReplies (*RequestListB)(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                   const ZdsvRequest* parameters, uint32_t* replyCount, DevInfoStatus* result);  // 4
    DevInfoReplies (*RequestListC)(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                   const ZdsvRequest* parameters, uint32_t* replyCount, DevInfoStatus* result);  // 5
    DevInfoReplies (*RequestSync)(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint32_t count,
                                  const DevInfoEntryRequest* entries, uint32_t* replyCount,
                                  DevInfoStatus* result);                                         // 6
    DevInfoReplies (*SendCommands)(DevInfoClient* client, ZdsvInterface* iface, void* connection, int kind,
                                   const void* items, uint32_t* replyCount, DevInfoStatus* result);  // 7
    DevInfoReplies (*RequestTable)(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint32_t word8,
                                   uint16_t word16, uint32_t* replyCount, DevInfoStatus* result);  // 8
    DevInfoReplies (*RequestOne)(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint16_t parameter,
                                 uint32_t* replyCount, DevInfoStatus* result);                    // 9
    DevInfoReplies (*RequestMany)(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint16_t parameter,
                                  uint32_t* replyCount, DevInfoStatus* result);                   // 10
    DevInfoReplies (*RequestPaged)(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint32_t count,
                                   const uint32_t* ids, uint16_t parameter16, uint32_t parameter32,
                                   uint32_t* replyCount, DevInfoStatus* result);                  // 11
    DevInfoReplies (*RequestPair)(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint32_t first,
                                  uint32_t second, uint32_t* replyCount, DevInfoStatus* result);  // 12
    int (*FillAttributeTable)(DevInfoClient* client, DeviceQueryRecord* target, uint32_t count,
                              void* const* replies);                                              // 13
    int (*DecodeCommandReplies)(DevInfoClient* client, DevInfoCommandTarget* target, uint32_t count,
                                void* const* replies);                                            // 14
    int (*ConcatValuesA)(DevInfoClient* client, DevInfoValueList* target, uint32_t count, void* const* replies);  // 15
    int (*ConcatValuesB)(DevInfoClient* client, DevInfoValueList* target, uint32_t count, void* const* replies);  // 16
    int (*DecodeTableReplies)(DevInfoClient* client, DevInfoTableTarget* target, uint32_t count,
                              void* const* replies);                                              // 17
    int (*CopyTriple)(DevInfoClient* client, uint32_t* target, const void* reply);               // 18
    int (*FillAttributeTableB)(DevInfoClient* client, DeviceQueryRecord* target, uint32_t count,
                               void* const* replies);                                             // 19
    int (*ConcatValuesC)(DevInfoClient* client, DevInfoValueList* target, uint32_t count, void* const* replies);  // 20
    int (*DecodeByReplyCode)(DevInfoClient* client, DevInfoListRecord* target, uint32_t count,
                             void* const* replies);                                               // 21
    void (*FreeEntriesReply)(DevInfoClient* client, void* reply);                                 // 22
    void* (*CopyEntriesReply)(DevInfoClient* client, const void* reply);                          // 23
    void (*FreeCommandReply)(DevInfoClient* client, void* reply);                                 // 24
    void* (*CopyCommandReply)(DevInfoClient* client, const void* reply);                          // 25
    void (*FreeTableReply)(DevInfoClient* client, void* reply);                                   // 26
    void* (*CopyTableReply)(DevInfoClient* client, const void* reply);                            // 27
    void (*FreeValuesReply)(DevInfoClient* client, void* reply);                                  // 28
    void* (*CopyValuesReply)(DevInfoClient* client, const void* reply);                           // 29
    void (*FreePagedReply)(DevInfoClient* client, void* reply);                                   // 30
    void* (*CopyPagedReply)(DevInfoClient* client, const void* reply);                            // 31
    void (*FreePairReply)(DevInfoClient* client, void* reply);                                    // 32
    void* (*CopyPairReply)(DevInfoClient* client, const void* reply);                             // 33
    void (*FreeListAReply)(DevInfoClient* client, void* reply);                                   // 34
    void* (*CopyListAReply)(DevInfoClient* client, const void* reply);                            // 35
    void (*FreeListBReply)(DevInfoClient* client, void* reply);                                   // 36
    void* (*CopyListBReply)(DevInfoClient* client, const void* reply);                            // 37
    void (*FreeListCReply)(DevInfoClient* client, void* reply);                                   // 38
    void* (*CopyListCReply)(DevInfoClient* client, const void* reply);                            // 39
    void (*FreeLibrary)(DevInfoClient* client);                                                   // 40
    int (*LoadLibraryByName)(DevInfoClient* client, const char* fileName, const char* printerName, int mode);  // 41
    int (*LoadLibrary)(DevInfoClient* client, const char* fileName, const char* secondFileName,
                       const char* printerName, int mode);                                        // 42
    int (*LoadLibraryFromFolder)(DevInfoClient* client, const char* fileName, const char* secondFileName,
                                 const char* folder, int mode);                                   // 43
    FARPROC (*GetEntry)(DevInfoClient* client, const char* name);                                 // 44
    ZdsvDeviceInformation* (*QueryInfo)(DevInfoClient* client, const char* deviceName, int layout,
                                        ZdsvInterface* iface, DevInfoStatus* result);            // 45
    int (*IsThisComputer)(DevInfoClient* client, const ZdsvDeviceInformation* information);      // 46
    void (*FreeQueryRecord)(DevInfoClient* client, DeviceQueryRecord* record);                   // 47
    void (*FreeListRecord)(DevInfoClient* client, DevInfoListRecord* record);                    // 48
    int (*GetAttrTextB)(DevInfoClient* client, ZdsvInterface* iface, void* connection, const DevInfoEntryRequest* entry,
                        char* buffer, uint32_t size, DevInfoStatus* result);                     // 49
    int (*GetAttrValueB)(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                         const DevInfoEntryRequest* entry, uint32_t* value, DevInfoStatus* result);  // 50
    int (*GetAttr1056)(DevInfoClient* client, ZdsvInterface* iface, void* connection, char* buffer, uint32_t size,
                       DevInfoStatus* result);                                                    // 51
    int (*GetAttr209)(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint32_t* flag,
                      DevInfoStatus* result);                                                     // 52
    int (*GetAttr1016)(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint32_t* flag,
                       DevInfoStatus* result);                                                    // 53
    int (*GetAttr2296)(DevInfoClient* client, ZdsvInterface* iface, void* connection, DevInfoLists2296* lists,
                       DevInfoStatus* result);                                                    // 54
};
static_assert(sizeof(DevInfoClientOps) == 55 * sizeof(void (*)()));

struct DevInfoClient {
    DevInfoClientOps entries;
    DevInfoLibraryState* state;
};

// The constant table every client copies.
extern const DevInfoClientOps DevInfoClientTable;

// Makes a client on the private heap (zero-filled, the table copied in): 1, or 0 when the heap
// refuses. The creator unloads its library (slot 40) and frees it with DevInfoClient_Destroy.
int DevInfoClient_Create(DevInfoClient** out);
void DevInfoClient_Destroy(DevInfoClient* client);
