// Single-attribute requests of the client (slots 49 to 54): one attribute asked, one value
// handed back in the caller's place. Each keeps its state on the caller's stack, so they may run
// on several threads at once. They answer the result record's status (0 done).
#pragma once

#include "device/devinfo_client.h"

inline constexpr uint32_t kAttrDeviceName = 1056;
inline constexpr uint32_t kAttrStateBits = 209;
inline constexpr uint32_t kAttrEntries1016 = 1016;
inline constexpr uint32_t kAttrLists2296 = 2296;
inline constexpr uint32_t kDeviceNameMax = 63;

int DevInfoClient_GetAttrTextB(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                               const DevInfoEntryRequest* entry, char* buffer, uint32_t size, DevInfoStatus* result);
int DevInfoClient_GetAttrValueB(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                const DevInfoEntryRequest* entry, uint32_t* value, DevInfoStatus* result);
int DevInfoClient_GetAttr1056(DevInfoClient* client, ZdsvInterface* iface, void* connection, char* buffer,
                              uint32_t size, DevInfoStatus* result);
int DevInfoClient_GetAttr209(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint32_t* flag,
                             DevInfoStatus* result);
int DevInfoClient_GetAttr1016(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint32_t* flag,
                              DevInfoStatus* result);
int DevInfoClient_GetAttr2296(DevInfoClient* client, ZdsvInterface* iface, void* connection, DevInfoLists2296* lists,
                              DevInfoStatus* result);
