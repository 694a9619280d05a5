// The configuration reply: what the configuration query of the list-1 and list-3 models fills
// for the writers of the device-option data. It is exchanged with the device-information
// decoders, so every position is fixed; the three blocks at its end are owned by the reply.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr size_t kReplyPlaces = 8;

struct ConfigurationReplySource {
    char name[72];
    uint32_t paperSize;  // 72: the device's paper-size code
    uint32_t level;      // 76
    uint32_t kind;       // 80
    uint8_t reserved84[72];
    uint32_t mediaCode;  // 156
};
static_assert(sizeof(ConfigurationReplySource) == 160);

struct ConfigurationReplyAccessory {
    char name[516];
    uint32_t kind;  // 516
};
static_assert(sizeof(ConfigurationReplyAccessory) == 520);

// A mail-box entry of the reply (76 bytes): the bin index at 4, the name at 8.
struct ConfigurationReplyMailBox {
    uint32_t id;
    uint32_t index;
    char name[68];
};
static_assert(sizeof(ConfigurationReplyMailBox) == 76);

struct ConfigurationReply {
    uint8_t reserved0[64];
    uint16_t version;          // 64: engine version
    uint8_t reserved66[18];
    uint32_t outputKind;       // 84
    uint32_t memorySize;       // 88
    uint8_t reserved92[28];
    uint32_t bookletFlag;      // 120: 1 sets bit 0 of the flag word
    uint8_t reserved124[104];
    char memoryNames[kReplyPlaces][33];  // 228
    uint32_t memorySizes[kReplyPlaces];  // 492
    char finisherName[32];     // 524
    uint32_t finisherKind;     // 556
    ConfigurationReplySource sources[kReplyPlaces];          // 560
    ConfigurationReplyAccessory accessories[kReplyPlaces];   // 1840
    uint8_t reserved6000[1540];
    uint32_t mailBoxCount;                 // 7540
    ConfigurationReplyMailBox* mailBoxes;  // 7544
    void* table2;                          // 7552
    void* table3;                          // 7560
};
static_assert(sizeof(void*) != 8 || sizeof(ConfigurationReply) == 7568);
static_assert(offsetof(ConfigurationReply, version) == 64 && offsetof(ConfigurationReply, outputKind) == 84);
static_assert(offsetof(ConfigurationReply, memoryNames) == 228 && offsetof(ConfigurationReply, memorySizes) == 492);
static_assert(offsetof(ConfigurationReply, finisherName) == 524 && offsetof(ConfigurationReply, sources) == 560);
static_assert(offsetof(ConfigurationReply, accessories) == 1840 && offsetof(ConfigurationReply, mailBoxCount) == 7540);
