// The blocking request operations of the client (slots 3 to 12): each sends one or more
// requests through a slot of the library's version-768 table and hands back the copies of the
// replies, with their number through replyCount; the caller frees each with the matching free
// operation (reply_copies.h) and then the array. The array comes back also on failure, holding
// the replies that came.
#pragma once

#include "device/devinfo_client.h"

inline constexpr uint32_t kMultiPartCapacity = 100;
inline constexpr uint32_t kPagedIdLimit = 100;

DevInfoReplies DevInfoClient_RequestListA(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                          uint32_t count, const ZdsvAttributeListEntry* entries,
                                          uint32_t* replyCount, DevInfoStatus* result);
DevInfoReplies DevInfoClient_RequestListB(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                          const ZdsvRequest* parameters, uint32_t* replyCount, DevInfoStatus* result);
DevInfoReplies DevInfoClient_RequestListC(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                          const ZdsvRequest* parameters, uint32_t* replyCount, DevInfoStatus* result);
DevInfoReplies DevInfoClient_RequestSync(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                         uint32_t count, const DevInfoEntryRequest* entries, uint32_t* replyCount,
                                         DevInfoStatus* result);
DevInfoReplies DevInfoClient_SendCommands(DevInfoClient* client, ZdsvInterface* iface, void* connection, int kind,
                                          const void* items, uint32_t* replyCount, DevInfoStatus* result);
DevInfoReplies DevInfoClient_RequestTable(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                          uint32_t word8, uint16_t word16, uint32_t* replyCount,
                                          DevInfoStatus* result);
DevInfoReplies DevInfoClient_RequestOne(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                        uint16_t parameter, uint32_t* replyCount, DevInfoStatus* result);
DevInfoReplies DevInfoClient_RequestMany(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                         uint16_t parameter, uint32_t* replyCount, DevInfoStatus* result);
DevInfoReplies DevInfoClient_RequestPaged(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                          uint32_t count, const uint32_t* ids, uint16_t parameter16,
                                          uint32_t parameter32, uint32_t* replyCount, DevInfoStatus* result);
DevInfoReplies DevInfoClient_RequestPair(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                         uint32_t first, uint32_t second, uint32_t* replyCount,
                                         DevInfoStatus* result);
