// The item side's routing by request kind, the poster-layout test and the finishing method with
// its switches.
#include "settings/sdk/cm_sv_sdk.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "settings/registry/conflict.h"
#include "settings/sdk/option_description.h"
#include "settings/sdk/sdk_describe.h"
#include "settings/sdk/sdk_request.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr DWORD kFinishingWordOption = 190;
constexpr DWORD kLayoutFlagsOption = 110;
constexpr DWORD kPosterBlockOption = 201;

// The finishing switches, in the order every step takes them.
struct FinishingSwitch {
    DWORD key;
    uint32_t itemId;
};
constexpr FinishingSwitch kSwitches[3] = {{0x10037, 1055}, {0x10038, 1052}, {0x10039, 1053}};

// The settings the items load from and store into: for device-mode work the request's current
// device mode itself, for a sheet its working copy. The finishing word is restored there, so
// that the items reloaded from it and the settings agree.
uint8_t* ItemSettings(UIDEVDATA* ctx) {
    CmUserData* user = ctx->svc->GetUserData(ctx);
    uint8_t* settings = user ? user->GetSettingsSource() : nullptr;
    return settings ? settings : ctx->svc->GetDevmode(ctx, 3);
}

uint32_t ReadWord(const void* data) {
    uint32_t word = 0;
    std::memcpy(&word, data, sizeof word);
    return word;
}

// A poster layout (option-interface values 20 to 22) cannot be combined with what bit 0 of
// option 110 or a nonzero option 201 already put on the page.
bool PosterRefused(UIDEVDATA* ctx, uint32_t value) {
    if (value < 20 || value > 22) return false;
    const uint8_t* current = ItemSettings(ctx);
    uint32_t flags = 0;
    uint16_t poster = 0;
    ctx->svc->GetOption(ctx, current, kLayoutFlagsOption, &flags, sizeof flags);
    ctx->svc->GetOption(ctx, current, kPosterBlockOption, &poster, sizeof poster);
    return (flags & 1) != 0 || poster != 0;
}

}  // namespace

LONG CmSvSDK::Dispatch(UIDEVDATA* ctx, DWORD kind, DWORD key, void* data) {
    CmSvConflict* registry = RegistryOf(ctx);
    if (!registry) return kSdkAnswerNotSupported;
    switch (kind) {
    case 0: case 1: case 2: case 4: case 9: case 10:
        return registry->SdkRequest(ctx, static_cast<int>(kind), key, data);
    case kSdkKindSet:
        if (key == kPageLayoutKey) {
            if (!data) return kSdkAnswerNoItem;
            if (PosterRefused(ctx, ReadWord(data))) return kSdkAnswerRefused;
        }
        if (key == kFinishingMethodKey) return DispatchSpecial(ctx, kind, key, data);
        return registry->SdkSetValue(ctx, key, data);
    case kSdkKindDefault:
        if (key == kFinishingMethodKey) return DispatchSpecial(ctx, kind, key, data);
        return registry->SdkApply(ctx, key, data);
    case kSdkKindDescribe:
        return DescribeOption(ctx, *registry, key, data, nullptr);
    default:
        return kSdkAnswerNotSupported;
    }
}

LONG CmSvSDK::DispatchSpecial(UIDEVDATA* ctx, DWORD kind, DWORD key, void* data) {
    CmSvConflict* registry = RegistryOf(ctx);
    if (!registry) return kSdkAnswerNotSupported;
    if (kind != kSdkKindSet && kind != kSdkKindDefault) return kSdkAnswerNotSupported;
    if (kind == kSdkKindSet && !data) return kSdkAnswerNoItem;

    uint8_t* current = ItemSettings(ctx);
    uint32_t heldFinishing = 0;
    ctx->svc->GetOption(ctx, current, kFinishingWordOption, &heldFinishing, sizeof heldFinishing);
    bool changed[3] = {};
    LONG results[3] = {};
    bool asked[3] = {};  // the value request did not answer 2

    // Turns every switch that is on off, so that the method meets no switch it excludes.
    for (int i = 0; i < 3; ++i) {
        uint32_t value = 0;
        const int answer = registry->SdkRequest(ctx, kSdkKindGet, kSwitches[i].key, &value);
        asked[i] = answer != kSdkAnswerNotSupported;
        if (kind == kSdkKindDefault && !asked[i]) continue;
        if (value != 1) continue;
        uint32_t off = 0;
        if (registry->SdkSetValue(ctx, kSwitches[i].key, &off) == kSdkAnswerDone) changed[i] = true;
    }

    LONG result = kSdkAnswerDone;
    if (kind == kSdkKindSet) {
        result = registry->SdkSetValue(ctx, key, data);
        if (result == kSdkAnswerDone) {
            const uint8_t wanted = static_cast<uint8_t>(ReadWord(data) >> 16);
            for (int i = 0; i < 3; ++i) {
                if (!(wanted & (1u << i))) continue;
                uint32_t on = 1;
                results[i] = registry->SdkSetValue(ctx, kSwitches[i].key, &on);
                if (results[i] == kSdkAnswerDone) changed[i] = true;
            }
        }
    } else {
        result = registry->SdkApply(ctx, key, data);
        if (result == kSdkAnswerDone) {
            for (int i = 0; i < 3; ++i) {
                if (!asked[i]) continue;
                results[i] = registry->SdkApply(ctx, kSwitches[i].key, data);
                if (results[i] == kSdkAnswerDone) changed[i] = true;
            }
        }
    }

    if (result == kSdkAnswerDone) {
        for (LONG priority : {kSdkAnswerNoItem, kSdkAnswerNotSupported, kSdkAnswerRefused})
            for (LONG r : results)
                if (r == priority && result == kSdkAnswerDone) result = priority;
        if (result == kSdkAnswerDone) return result;
    }

    // Items and device mode agree again: the finishing word first, then each changed switch
    // reloaded from it.
    ctx->svc->SetOption(ctx, current, kFinishingWordOption, &heldFinishing, sizeof heldFinishing);
    for (int i = 0; i < 3; ++i) {
        if (!changed[i]) continue;
        const uint32_t ids[2] = {kSwitches[i].itemId, 0};
        registry->ApplyValues(ctx, current, ids);
    }
    return result;
}
