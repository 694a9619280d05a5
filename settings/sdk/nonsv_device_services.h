// What the driver's own option operations need of the device configuration (reading the
// device's configuration, its media lists). The configuration registers these services; until
// it has, the device cannot be read and the media lists are empty.
#pragma once

#include "core/device/uidevdata.h"
#include "model/model_description.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kBrandMediaRecordSize = 142;

// Places in a 142-byte media record of the configuration.
namespace nsmedia {
inline constexpr size_t kRecordId = 0;   // u16, the record id of the second list
inline constexpr size_t kMediaId = 2;    // s16, -1 ends the first list
inline constexpr size_t kValue = 4;      // u16
inline constexpr size_t kType = 6;       // u16, the media type (type index)
inline constexpr size_t kSecond = 8;     // u16, the second index
inline constexpr size_t kClass = 10;     // u16
inline constexpr size_t kWeight = 12;    // u16, grams per square metre
inline constexpr size_t kName = 14;      // char[128]
inline constexpr size_t kNameSize = 128;
inline constexpr uint16_t kHiddenBit = 0x8000;  // in the value word: an entry not to be listed
}  // namespace nsmedia

struct NonSvDeviceServices {
    // Reads the device's configuration; interactive 0 asks nothing of the user. True on success.
    bool (*queryDevice)(UIDEVDATA* ctx, int interactive);
    // Merges the device's media list into the stored one; true on success.
    bool (*updateBrandMedia)(UIDEVDATA* ctx);
    // The configuration's first media list (records up to and with the one whose media id is -1;
    // *count the records the list holds) and its second list with its count; null for none.
    const uint8_t* (*firstMediaList)(UIDEVDATA* ctx, size_t* count);
    const uint8_t* (*secondMediaList)(UIDEVDATA* ctx, size_t* count);
    // The mail-box bin names the device reported, from the first bin (*count of them); null when
    // the device named none, and the model's names stand.
    const MailBoxRecord* (*mailBoxNames)(UIDEVDATA* ctx, size_t* count);
};

// Registers (null removes) the services; answers the previous ones.
const NonSvDeviceServices* RegisterNonSvDeviceServices(const NonSvDeviceServices* services);
const NonSvDeviceServices* NonSvDeviceServicesOf();
