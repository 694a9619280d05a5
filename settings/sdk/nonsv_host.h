// What the driver's own option operations (`NonSvSDK`) work on for one request: the current
// device mode, the device-option block, the device data and the model's description, with checked
// access to the private fields of both blocks. The option object fills one `NonSvHost` per
// request and hands it to every operation, so the operations need nothing else of it.
#pragma once

#include "core/device/uidevdata.h"
#include "core/helpers/byte_view.h"
#include "model/model_description.h"

#include <cstddef>
#include <cstdint>

class DeviceData;
class CmSvConflict;

// Answers of the option interface.
enum NonSvAnswer : int { kNsDone = 0, kNsNoBuffer = 1, kNsNotSupported = 2, kNsRefused = 3 };

// Request kinds.
enum NonSvKind : int {
    kNsSize = 0,
    kNsCount = 1,
    kNsGet = 2,
    kNsSet = 3,
    kNsList = 4,
    kNsDefault = 6,
    kNsPairs = 7,
    kNsAction = 8,
};

struct NonSvHost {
    UIDEVDATA* ctx = nullptr;
    uint8_t* devmode = nullptr;       // the request's current settings
    uint8_t* deviceOption = nullptr;  // the device-option block the request works on
    DeviceData* device = nullptr;     // null when the data file did not load
    const ModelDescription* model = nullptr;  // never null once filled: unknown models read as zeros
    uint16_t modelCode = 0;

    // The option object behind the request: a request on the same object (the whole dispatch,
    // item side included) and the state of an option key (0 usable, 2 no item, 3 disabled).
    void* object = nullptr;
    int (*request)(void* object, int kind, uint32_t code, void* data) = nullptr;
    int (*codeState)(void* object, uint32_t key) = nullptr;

    int Request(int kind, uint32_t code, void* data) const {
        return request ? request(object, kind, code, data) : kNsNotSupported;
    }
    int CodeState(uint32_t key) const { return codeState ? codeState(object, key) : kNsNotSupported; }

    // The sheet's item registry; null while no sheet has started.
    CmSvConflict* Registry() const;

    // The model section of the current settings, bounded by dmSize + dmDriverExtra; empty when
    // the device mode is missing or its section offset points outside it.
    MutableByteView Private() const;
    // The data part of the device-option block, bounded by the block's size; empty when none.
    MutableByteView DeviceOptionData() const;

    // Options of the current settings by option number; an option that cannot be read reads 0.
    uint32_t Option32(uint32_t option) const;
    uint16_t Option16(uint32_t option) const;
    bool SetOption32(uint32_t option, uint32_t value) const;
    bool SetOption16(uint32_t option, uint16_t value) const;

    // Fields of the device data (0 without a data file).
    uint32_t Device32(size_t offset) const;
    uint16_t Device16(size_t offset) const;

    // One byte, word or bit of the device-option data; 0 when it lies outside.
    uint8_t Dop8(size_t offset) const;
    uint16_t Dop16(size_t offset) const;
    uint32_t Dop32(size_t offset) const;
    bool DopBit(size_t offset, unsigned bit) const { return (Dop8(offset) >> bit) & 1; }
    // The same for the model section of the current settings.
    uint8_t Priv8(size_t offset) const;
    uint16_t Priv16(size_t offset) const;
    uint32_t Priv32(size_t offset) const;
};

// Fields of the device data that the option operations read (by meaning).
namespace nsdevice {
inline constexpr size_t kBookletKind = 0x79c;     // u32: 0 none, 1 or 2
inline constexpr size_t kRotationUnit = 0x7a8;    // u32
inline constexpr size_t kMailBoxKind = 0x7b4;     // u32
inline constexpr size_t kPunchUnit = 0x7c0;       // u32
inline constexpr size_t kMailBoxHighest = 0x7c8;  // u32
inline constexpr size_t kMailBoxLowest = 0x7cc;   // u32
inline constexpr size_t kDefaultSource = 0x810;   // u16
inline constexpr size_t kLanguage = 0x918;        // u32
inline constexpr size_t kDeviceClass = 0x91c;     // u16
inline constexpr size_t kOptionRecordUnit = 0x920;
inline constexpr size_t kFinisherUnit = 0x924;    // the unit kind of the finisher feature
inline constexpr size_t kOptionRecords = 0x92c;   // 8-byte {u16 type, u16, u32 value}
inline constexpr size_t kFinisherRecords = 0x938; // 164-byte records
inline constexpr size_t kMediaRecords = 0x944;    // 66-byte {name[64], u16 id}
}  // namespace nsdevice

// Fields of the device-option data.
namespace nsdop {
inline constexpr size_t kFinisherCode = 0;  // u8
inline constexpr size_t kFlagWord = 1;      // u32; byte 1 the second byte, byte 2 the third
inline constexpr size_t kSecondByte = 1;
inline constexpr size_t kThirdByte = 2;
inline constexpr size_t kByte9 = 9;
inline constexpr size_t kMediaBitSet = 19;  // 16 bytes
inline constexpr size_t kAccountFlags = 35; // u32
inline constexpr size_t kByte37 = 37;
inline constexpr size_t kPageLists = 980;   // u8; u32 at 980 bit 22
inline constexpr size_t kByte981 = 981;
inline constexpr size_t kByte982 = 982;
inline constexpr size_t kSizeClasses = 983;
inline constexpr size_t kByte984 = 984;
inline constexpr size_t kWord1004A = 986;   // u16
inline constexpr size_t kWord1013F = 988;   // u32
inline constexpr size_t kAccountSubMode = 1000;  // u16
inline constexpr size_t kDepartmentId = 1002;    // 16 bytes
inline constexpr size_t kPassword = 1018;        // 16 bytes
inline constexpr size_t kPunchWord = 1038;       // u16, also the word of code 0x1003E
inline constexpr size_t kIdField = 16;
}  // namespace nsdop

// Finisher records of the device data (164 bytes). Only the words the option operations test
// have a place; the rest of the record belongs to the configuration.
namespace nsfinisher {
inline constexpr size_t kRecordSize = 164;
inline constexpr size_t kPunchWord = 66;      // u16
inline constexpr size_t kRotateWord = 68;     // u16
inline constexpr size_t kSubUnitKind = 70;    // u16, 1 or 2 when the record has sub-units
inline constexpr size_t kFeatureA = 72;       // u32, 2 when the feature is there
inline constexpr size_t kSubUnitCount = 76;   // u16, at most kSubUnitMax
inline constexpr size_t kSubUnitTypes = 78;   // u16 each
inline constexpr size_t kSubUnitMax = 8;
}  // namespace nsfinisher

// Writes of answers into the caller's data (a 32-bit word unless stated). Each answers 1 for a
// null pointer and writes nothing then.
int PutWord(void* data, uint32_t value);
int PutWords(void* data, const uint32_t* values, size_t count);
// The 32-bit word the caller passed; false for a null pointer.
bool TakeWord(const void* data, uint32_t& out);

// Bounded text copy into a field of `size` bytes, NUL-padded; the text is read no further than
// textMax bytes (its own field). False, nothing written, when the text with its terminator does
// not fit.
bool CopyText(char* field, size_t size, const char* text, size_t textMax);
// Length of a text inside a field that need not hold a terminator (at most size).
size_t FieldLength(const char* field, size_t size);
