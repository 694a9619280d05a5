// The interface's version words: major version in the high 16 bits, minor in the low.
#include "settings/sdk/cm_non_sv_sdk.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr uint32_t kSdkVersion = 0x0002001E;
constexpr uint32_t kSecondVersion = 0x0002000A;

LONG AnswerWord(DWORD kind, void* data, uint32_t value) {
    if (kind != kSdkKindSize && kind != kSdkKindGet) return kSdkAnswerNotSupported;
    if (!data) return kSdkAnswerNoItem;
    const uint32_t word = kind == kSdkKindSize ? sizeof(uint32_t) : value;
    std::memcpy(data, &word, sizeof word);
    return kSdkAnswerDone;
}

}  // namespace

LONG CmNonSvSDK::GetSdkVersion(DWORD kind, void* data) { return AnswerWord(kind, data, kSdkVersion); }
LONG CmNonSvSDK::GetSecondVersion(DWORD kind, void* data) { return AnswerWord(kind, data, kSecondVersion); }
