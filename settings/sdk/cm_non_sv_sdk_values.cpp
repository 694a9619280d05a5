// The common adapter's single values: the settings block, the device's name and areas, and the
// bits and levels of the private device mode that applications switch directly.
#include "settings/sdk/cm_non_sv_sdk.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"

#include <cstring>

namespace {

constexpr uint32_t kBit19 = 1u << 19;
constexpr uint32_t kBit24 = 1u << 24;
constexpr uint32_t kLevelBits = 0x3Fu << 20;  // bits 20 to 25 of option 110
constexpr size_t kModelNameBuffer = 64;

}  // namespace

LONG CmNonSvSDK::PutWord(void* data, uint32_t value) {
    if (!data) return kSdkAnswerNoItem;
    std::memcpy(data, &value, sizeof value);
    return kSdkAnswerDone;
}

bool CmNonSvSDK::ReadWord(const void* data, uint32_t& value) {
    if (!data) return false;
    std::memcpy(&value, data, sizeof value);
    return true;
}

LONG CmNonSvSDK::ResetAll(DWORD kind, void* data) {
    if (kind == kSdkKindSize) return PutWord(data, ctx->svc->GetDevmodeSize(ctx, 2));
    if (kind != kSdkKindDefault) return kSdkAnswerNotSupported;
    const DWORD size = ctx->svc->GetDevmodeSize(ctx, 1);
    if (!settings || !defaultDevmode || !size) return kSdkAnswerNoItem;
    std::memmove(settings, defaultDevmode, size);
    Refresh(1);
    return kSdkAnswerDone;
}

LONG CmNonSvSDK::GetModelName(DWORD kind, void* data) {
    if (kind == kSdkKindSize) return PutWord(data, kModelNameBuffer);
    if (kind != kSdkKindGet) return kSdkAnswerNotSupported;
    if (!data) return kSdkAnswerNoItem;
    const char* name = deviceData ? deviceData->TextAt(devicedata::kDeviceNameHandle) : nullptr;
    if (!name) return kSdkAnswerNoItem;
    const size_t length = strnlen(name, kModelNameBuffer);
    if (length >= kModelNameBuffer) return kSdkAnswerNoItem;  // a name that does not fit is not cut
    std::memcpy(data, name, length + 1);
    return kSdkAnswerDone;
}

LONG CmNonSvSDK::Query1000C(DWORD kind, void* data) {
    if (GetCodeState(0x10089) == kSdkAnswerNotSupported) return kSdkAnswerNotSupported;
    if (kind == kSdkKindSize) return PutWord(data, sizeof(uint32_t));
    if (kind == kSdkKindGet) return PutWord(data, 0);
    return kSdkAnswerNotSupported;
}

// The device-area record: one entry of ten 32-bit words; the operations hand out two of them.
LONG CmNonSvSDK::DeviceAreaWords(DWORD kind, void* data, uint32_t firstWord) {
    if (kind == kSdkKindSize) return PutWord(data, 2 * sizeof(uint32_t));
    if (kind != kSdkKindGet) return kSdkAnswerNotSupported;
    if (!data) return kSdkAnswerNoItem;
    if (!deviceData) return kSdkAnswerNoItem;
    const DeviceList areas = deviceData->ListAt(devicedata::kDeviceAreaHandle);
    if (areas.empty()) return kSdkAnswerNoItem;
    uint32_t words[2] = {};
    const ByteView area = areas.Entry(0);
    if (!area.u32((firstWord - 1) * 4, words[0]) || !area.u32(firstWord * 4, words[1])) return kSdkAnswerNoItem;
    std::memcpy(data, words, sizeof words);
    return kSdkAnswerDone;
}

LONG CmNonSvSDK::GetDeviceArea2(DWORD kind, void* data) { return DeviceAreaWords(kind, data, 9); }
LONG CmNonSvSDK::GetDeviceArea1(DWORD kind, void* data) { return DeviceAreaWords(kind, data, 7); }

LONG CmNonSvSDK::Option110Level(DWORD kind, void* data) {
    if (kind == kSdkKindSize) return PutWord(data, sizeof(uint32_t));
    uint32_t flags = Option32(settings, 110);
    switch (kind) {
    case kSdkKindGet: {
        uint32_t level = 0;
        for (uint32_t bit = 0; bit < 6 && !level; ++bit)
            if (flags & (1u << (20 + bit))) level = bit + 1;
        return PutWord(data, level);
    }
    case kSdkKindSet: {
        uint32_t level = 0;
        if (!ReadWord(data, level)) return kSdkAnswerNoItem;
        if (level > 6) return kSdkAnswerNoItem;
        flags &= ~kLevelBits;
        if (level) flags |= 1u << (19 + level);
        return SetOption(settings, 110, &flags, sizeof flags) ? kSdkAnswerDone : kSdkAnswerNoItem;
    }
    case kSdkKindDefault:
        flags &= ~kLevelBits;
        return SetOption(settings, 110, &flags, sizeof flags) ? kSdkAnswerDone : kSdkAnswerNoItem;
    default:
        return kSdkAnswerNotSupported;
    }
}

LONG CmNonSvSDK::OptionBit(DWORD kind, void* data, DWORD option, uint32_t bit, bool settable, bool clearsOnDefault) {
    if (kind == kSdkKindSize) return PutWord(data, sizeof(uint32_t));
    uint32_t word = Option32(settings, option);
    if (kind == kSdkKindGet) return PutWord(data, (word & bit) ? 1 : 0);
    if (kind == kSdkKindSet && settable) {
        uint32_t value = 0;
        if (!ReadWord(data, value)) return kSdkAnswerNoItem;
        if (value > 1) return kSdkAnswerNotSupported;
        word = value ? word | bit : word & ~bit;
    } else if (kind == kSdkKindDefault && clearsOnDefault) {
        word &= ~bit;
    } else {
        return kSdkAnswerNotSupported;
    }
    return SetOption(settings, option, &word, sizeof word) ? kSdkAnswerDone : kSdkAnswerNoItem;
}

LONG CmNonSvSDK::Option100Bit19(DWORD kind, void* data) { return OptionBit(kind, data, 100, kBit19, true, false); }
LONG CmNonSvSDK::Option110Bit19(DWORD kind, void* data) { return OptionBit(kind, data, 110, kBit19, true, true); }
LONG CmNonSvSDK::Option100Bit24(DWORD kind, void* data) { return OptionBit(kind, data, 100, kBit24, false, false); }

LONG CmNonSvSDK::IsOption102Two(DWORD kind, void* data) {
    if (kind == kSdkKindSize) return PutWord(data, sizeof(uint32_t));
    if (kind != kSdkKindGet) return kSdkAnswerNotSupported;
    return PutWord(data, Option16(settings, 102) == 2 ? 1 : 0);
}

LONG CmNonSvSDK::CheckBuffer(DWORD kind, void* data) {
    if (kind != kSdkKindGet) return kSdkAnswerNotSupported;
    return !settings || !data ? kSdkAnswerNoItem : kSdkAnswerNotSupported;
}

// The device-information interface is not reached from a device-mode request of this core: the
// item is taken as absent and the mask word stays as the caller gave it.
LONG CmNonSvSDK::DeviceItem81B(DWORD kind, void* data) {
    if (kind == kSdkKindSize) return PutWord(data, sizeof(uint32_t));
    if (kind != kSdkKindGet) return kSdkAnswerNotSupported;
    return PutWord(data, 1);
}

LONG CmNonSvSDK::DeviceItemMask(DWORD kind, void* data) {
    if (kind == kSdkKindSize) return PutWord(data, sizeof(uint32_t));
    if (kind != kSdkKindGet) return kSdkAnswerNotSupported;
    return data ? kSdkAnswerDone : kSdkAnswerNoItem;
}
