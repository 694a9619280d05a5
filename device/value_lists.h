// Gathering the value arrays of value replies into one list (client slots 15, 16 and 20), and
// the copy of a pair reply's words (client slot 18).
#pragma once

#include "device/devinfo_client.h"

// 0 for a null target or array (or no memory), else 1; the list then owns one private-heap
// block with every value of the replies up to the first null reply, in order.
int DevInfoClient_ConcatValues(DevInfoClient* client, DevInfoValueList* target, uint32_t count, void* const* replies);
void DevInfoValueList_Free(DevInfoValueList* list);

// Copies the words the 8-byte reply holds into target[0..1] and clears target[2]; 0 on a null
// argument, else 1.
int DevInfoClient_CopyTriple(DevInfoClient* client, uint32_t* target, const void* reply);
