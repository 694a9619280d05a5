// Deep copies of the library's replies (odd client slots 23 to 39) and the frees of what a copy
// owns (even slots 22 to 38). A reply lives only during its callback, so the callback copies it;
// a copy is one private-heap record plus a block for each pointer in it. A free releases the
// inner blocks and clears their pointers; the caller then frees the record (PrivateFree).
#pragma once

#include "device/devinfo_client.h"

// Group replies (client slots 3, 5, 6 and 11).
void* DevInfoClient_CopyGroupReply(DevInfoClient* client, const void* reply);
void DevInfoClient_FreeGroupReply(DevInfoClient* client, void* reply);
// Command replies (client slot 7).
void* DevInfoClient_CopyCommandReply(DevInfoClient* client, const void* reply);
void DevInfoClient_FreeCommandReply(DevInfoClient* client, void* reply);
// Value replies (client slots 4, 8, 9 and 10).
void* DevInfoClient_CopyValueReply(DevInfoClient* client, const void* reply);
void DevInfoClient_FreeValueReply(DevInfoClient* client, void* reply);
// The 8-byte pair of client slot 12, which owns nothing.
void* DevInfoClient_CopyPairReply(DevInfoClient* client, const void* reply);
void DevInfoClient_FreePairReply(DevInfoClient* client, void* reply);

// Frees every copy of an array of replies with the matching free, then the copies and the array.
using DevInfoFreeReply = void (*)(DevInfoClient* client, void* reply);
void DevInfoClient_FreeReplies(DevInfoClient* client, DevInfoFreeReply freeReply, void** replies, uint32_t count);
