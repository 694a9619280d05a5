// The list record of client slots 21 and 48: the entries of replies coded 242, 322 and 2356,
// each kind appended to its own array. In a reply the entries of one kind follow one another in
// the value array: 322 and 2356 as fixed-size records, 242 as five words (the fifth the number
// of items) followed by that many 16-byte items.
#pragma once

#include "device/devinfo_client.h"

inline constexpr uint16_t kListCode242 = 242;
inline constexpr uint16_t kListCode322 = 322;
inline constexpr uint16_t kListCode2356 = 2356;
inline constexpr uint32_t kEntry322Size = 292;
inline constexpr uint32_t kEntry2356Size = 296;
inline constexpr uint32_t kItem242Size = 16;

struct DevInfoEntry242 {
    uint32_t words[5];  // the fifth: the number of items
    uint8_t* items;     // words[4] items of 16 bytes, owned
};

struct DevInfoListRecord {
    uint32_t count242;
    DevInfoEntry242* entries242;
    uint32_t count322;
    uint8_t* entries322;
    uint32_t count2356;
    uint8_t* entries2356;
};

// 0 for a null target or array or when memory is refused, else 1.
int DevInfoClient_DecodeByReplyCode(DevInfoClient* client, DevInfoListRecord* target, uint32_t count,
                                    void* const* replies);
void DevInfoClient_FreeListRecord(DevInfoClient* client, DevInfoListRecord* record);
