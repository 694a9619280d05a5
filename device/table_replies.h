// Client slot 17: attribute records of the paged replies (client slot 11) entered into three
// id-keyed tables of the caller, each entry found by its first word, the id of the object the
// attributes answer for.
#pragma once

#include "device/devinfo_client.h"

inline constexpr uint32_t kTableEntryA = 92;
inline constexpr uint32_t kTableEntryB = 144;
inline constexpr uint32_t kTableEntryC = 84;

struct DevInfoTableTarget {
    uint8_t* entriesA;  // 92 bytes: id; attribute 16 a text from byte 4 (64); attribute 108 a byte at 68
    uint32_t countA;
    uint8_t* entriesB;  // 144 bytes: id; attribute 696 a text from byte 4 (128); attribute 10313 a byte at 132
    uint32_t countB;
    uint8_t* entriesC;  // 84 bytes: id; attribute 11608 a byte at 4; attribute 11804 a text from byte 8 (64)
    uint32_t countC;
};

// 0 for a null target or array, else 1.
int DevInfoClient_DecodeTableReplies(DevInfoClient* client, DevInfoTableTarget* target, uint32_t count,
                                     void* const* replies);
