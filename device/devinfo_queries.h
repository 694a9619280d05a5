// High-level device queries: each loads the device-information library, opens a connection to
// the printer, checks that the device is the expected model, runs a fixed set of requests
// through a `DevInfoClient` and closes everything again, whatever failed. Each reports through a
// status record that starts as {-2, 0}.
#pragma once

#include "device/devinfo_client.h"
#include "device/device_query_record.h"

struct UIDEVDATA;

// Codes of the queries beyond the client's.
inline constexpr int kQueryNoEntry = -24;      // "ZDSV_GetInterface" not found
inline constexpr int kQueryNoInterface = -25;  // it gave no interface
inline constexpr int kQueryNotStarted = -26;   // slot 1 failed
inline constexpr int kQueryWrongDevice = -27;  // no device address, or not the expected model

// One attribute of one object, for the attribute list.
struct DevInfoAttributePair {
    uint32_t object;
    uint16_t attribute;
};
struct DevInfoAttributeList {
    uint32_t count;
    const DevInfoAttributePair* pairs;
};

// A device addressed without a printer: four address words, or, when the first is 0, a device
// name of at most 20 characters.
struct DevInfoDeviceAddress {
    uint32_t words[4];
    const char* name;
};

// The replies one request of DevInfo_QueryDevice2 brought (group replies; free them with
// DevInfo_FreeAnswers).
struct DevInfoAnswer {
    uint32_t count;
    void** replies;
};
void DevInfo_FreeAnswers(DevInfoClient* client, DevInfoAnswer* answers, uint32_t count);

// Table queries 1 to 4 on an open connection: the list of object ids into the record, then
// their attributes. 0, or the failing request's status.
int DevInfo_RunTableQuery(DevInfoClient* client, ZdsvInterface* iface, void* connection, DeviceQueryRecord* record,
                          int query, DevInfoStatus* status);
// The caller's attribute pairs into the record; 0, or -1 when the request failed.
int DevInfo_RunAttributeList(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                             DeviceQueryRecord* record, const DevInfoAttributeList* list, DevInfoStatus* status);

int DevInfo_QueryDevice1(DevInfoClient* client, DeviceQueryRecord* record, const char* printerName,
                         const char* expectedName, DevInfoStatus* status);
int DevInfo_QueryDevice2(DevInfoClient* client, uint32_t count, const DevInfoEntryRequest* requests,
                         const char* printerName, const DevInfoDeviceAddress* address, const char* expectedName,
                         DevInfoAnswer* answers, DevInfoStatus* status);
int DevInfo_QueryDevice3(DevInfoClient* client, DeviceQueryRecord* record, const DevInfoAttributeList* list,
                         const char* driverFolder, const DevInfoDeviceAddress* address, const char* expectedName,
                         DevInfoStatus* status);
int DevInfo_QueryDevice4(DevInfoClient* client, DeviceQueryRecord* record, const DevInfoAttributeList* list,
                         const char* printerName, const char* expectedName, DevInfoStatus* status, UIDEVDATA* device);
int DevInfo_QueryDevice5(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint32_t* value,
                         uint32_t first, uint32_t second, DevInfoStatus* status);
int DevInfo_SendText(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint32_t* value,
                     const char* text, DevInfoStatus* status);
