// `DeviceInfoRecord`: one device's answers, 7,712 bytes, filled attribute by attribute by device
// operation 1 and read by the configuration at fixed offsets. Its user allocates it zero-filled,
// sets the printer, the name and the request words (which attributes to ask for), and reads the
// fields and the missing words (which asked attributes did not come or were malformed).
#pragma once

#include "device/devinfo_interface.h"

#include <cstddef>
#include <cstdint>

struct DeviceInfoEntry30025 {
    uint16_t number;
    char text[64];
};

struct DeviceInfoRecord {
    uint32_t printerHandle;
    char printerName[256];
    uint32_t requestWords[3];
    int32_t status;
    uint32_t missingWords[3];
    uint8_t requestParameters[48];  // the user's; never written by the decoder
    uint32_t number20006;
    char text40026[24];
    uint32_t number70000003;
    uint32_t number20001;
    char text4000C[24];
    uint32_t number21003;
    char text70000002[32];
    uint32_t number70000001;
    uint32_t number70000006;
    uint32_t number70000007;
    uint32_t number7000000B;
    uint32_t number21001;
    uint32_t stateBits209;
    char text40074[32];
    char texts3000305[8][33];
    uint32_t numbers3000301[8];
    char texts40075[7][24];
    int32_t numbers224[7];
    int32_t numbers240[6];
    char texts40037[7][24];
    int32_t numbers260[7];
    char texts220[4][24];
    char text70000013[64];
    char texts7000000C[6][64];
    DeviceInfoEntry30025 entries30025[8];
    char text40063[24];
    char text10001[64];
    char texts4000100[8][256];
    uint32_t numbers4000108[8];
    char texts3000200[8][256];
    char texts3000001[8][64];
    uint32_t numbers3000002[8];
    uint32_t numbers3000003[8];
    uint32_t numbers3000005[8];
    uint32_t numbers3000007[8];
    uint32_t numbers3000004[8];
    char texts3000006[8][64];
    uint32_t number4000101;
    uint32_t numbers400010A[4];
    uint32_t numbers400010B[4];
    uint32_t stateBits2228;
};
static_assert(sizeof(DeviceInfoRecord) == 7712);
static_assert(offsetof(DeviceInfoRecord, status) == 272 && offsetof(DeviceInfoRecord, number20006) == 336);
static_assert(offsetof(DeviceInfoRecord, stateBits209) == 452 && offsetof(DeviceInfoRecord, texts3000305) == 488);
static_assert(offsetof(DeviceInfoRecord, numbers3000301) == 752 && offsetof(DeviceInfoRecord, text10001) == 2296);
static_assert(offsetof(DeviceInfoRecord, texts3000200) == 4440 && offsetof(DeviceInfoRecord, texts3000001) == 6488);
static_assert(offsetof(DeviceInfoRecord, number4000101) == 7672 && offsetof(DeviceInfoRecord, stateBits2228) == 7708);

// Attributes asked separately, before the others.
inline constexpr uint32_t kDeviceInfoAttr209 = 209;
inline constexpr uint32_t kDeviceInfoAttr2228 = 2228;
inline constexpr uint32_t kDeviceInfoBit209 = 31;    // word 0
inline constexpr uint32_t kDeviceInfoBit2228 = 25;   // word 2

// The attribute a request bit names (word 0 to 2, bit 0 to 31), or 0 for a bit that names none.
uint32_t DeviceInfoAttributeForBit(int word, int bit);

// Fills the record from `count` attribute records; does nothing for a null record or array or a
// count of 0.
void DevInfoClient_DecodeDeviceInfo(DeviceInfoRecord* record, uint32_t count, const ZdsvAttribute* attributes);
