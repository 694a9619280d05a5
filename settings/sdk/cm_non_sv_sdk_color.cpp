// Colour matching: the public matching method and the three colour-profile entries of option
// 250 (switch byte at 6, 38, 70; value byte at 7, 39, 71).
#include "settings/sdk/cm_non_sv_sdk.h"

#include "core/helpers/byte_view.h"

#include <cstddef>
#include <cstring>

namespace {

constexpr DWORD kProfileOption = 250;
constexpr DWORD kProfileOptionSize = 130;
constexpr size_t kSwitchAt[3] = {6, 38, 70};
constexpr size_t kIcmMethod = offsetof(DEVMODEA, dmICMMethod);

uint32_t Method(const uint8_t* devmode) {
    uint32_t method = 0;
    ByteView(devmode, kIcmMethod + 4).u32(kIcmMethod, method);
    return method;
}

void SetMethod(uint8_t* devmode, uint32_t method) { std::memcpy(devmode + kIcmMethod, &method, sizeof method); }

}  // namespace

LONG CmNonSvSDK::ColorMatching(DWORD kind, void* data) {
    if (kind == kSdkKindSize) return PutWord(data, sizeof(uint32_t));
    if (!settings) return kSdkAnswerNoItem;
    uint8_t entries[kProfileOptionSize] = {};
    if (!GetOption(settings, kProfileOption, entries, sizeof entries)) return kSdkAnswerNoItem;
    switch (kind) {
    case kSdkKindGet: {
        const uint32_t method = Method(settings);
        if (method == 1) {
            bool any = false;
            for (size_t at : kSwitchAt) any = any || entries[at] == 1;
            return PutWord(data, any ? 1 : 0);
        }
        return PutWord(data, method == 3 ? 3 : 2);
    }
    case kSdkKindSet: {
        uint32_t value = 0;
        if (!ReadWord(data, value)) return kSdkAnswerNoItem;
        if (value != 0 && value != 1 && value != 3) return kSdkAnswerNotSupported;
        if (value != 3)
            for (size_t at : kSwitchAt) entries[at] = static_cast<uint8_t>(value);
        if (!SetOption(settings, kProfileOption, entries, sizeof entries)) return kSdkAnswerNoItem;
        SetMethod(settings, value == 3 ? 3 : 1);
        return kSdkAnswerDone;
    }
    case kSdkKindDefault: {
        uint8_t defaults[kProfileOptionSize] = {};
        if (!defaultDevmode || !GetOption(defaultDevmode, kProfileOption, defaults, sizeof defaults))
            return kSdkAnswerNoItem;
        for (size_t at : kSwitchAt) entries[at] = defaults[at];
        if (!SetOption(settings, kProfileOption, entries, sizeof entries)) return kSdkAnswerNoItem;
        SetMethod(settings, Method(defaultDevmode));
        return kSdkAnswerDone;
    }
    default:
        return kSdkAnswerNotSupported;
    }
}

LONG CmNonSvSDK::ColorProfileValues(DWORD kind, void* data) {
    if (kind == kSdkKindSize) return PutWord(data, 3 * sizeof(uint32_t));
    if (!settings) return kSdkAnswerNoItem;
    uint8_t entries[kProfileOptionSize] = {};
    if (!GetOption(settings, kProfileOption, entries, sizeof entries)) return kSdkAnswerNoItem;
    const bool matchingOff =
        Method(settings) == 1 && entries[kSwitchAt[0]] == 0 && entries[kSwitchAt[1]] == 0 && entries[kSwitchAt[2]] == 0;
    uint32_t values[3] = {};
    switch (kind) {
    case kSdkKindGet:
        if (!data) return kSdkAnswerNoItem;
        for (int i = 0; i < 3; ++i) {
            values[i] = entries[kSwitchAt[i] + 1];
            if (values[i] > 4) return kSdkAnswerNotSupported;
        }
        std::memcpy(data, values, sizeof values);
        return kSdkAnswerDone;
    case kSdkKindSet:
        if (!data) return kSdkAnswerNoItem;
        if (matchingOff) return kSdkAnswerRefused;
        std::memcpy(values, data, sizeof values);
        for (uint32_t v : values)
            if (v > 4) return kSdkAnswerNotSupported;
        for (int i = 0; i < 3; ++i) entries[kSwitchAt[i] + 1] = static_cast<uint8_t>(values[i]);
        break;
    case kSdkKindDefault: {
        if (matchingOff) return kSdkAnswerRefused;
        uint8_t defaults[kProfileOptionSize] = {};
        if (!defaultDevmode || !GetOption(defaultDevmode, kProfileOption, defaults, sizeof defaults))
            return kSdkAnswerNoItem;
        for (size_t at : kSwitchAt) entries[at + 1] = defaults[at + 1];
        break;
    }
    default:
        return kSdkAnswerNotSupported;
    }
    return SetOption(settings, kProfileOption, entries, sizeof entries) ? kSdkAnswerDone : kSdkAnswerNoItem;
}
