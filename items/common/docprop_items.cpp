// The document-property items of option 100.
#include "items/common/docprop_items.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "items/common/option_word.h"
#include "settings/registry/conflict.h"

namespace {

#define DEFINE_FLAG_ROW(Class, Key, Id, Option, Bit, Inverted, Binding, SdkKey) \
    constexpr DevmodeFlagRow k##Class{Key, Id, Option, Bit, Inverted, FlagBinding::Binding, SdkKey};
DOCPROP_FLAG_ITEMS(DEFINE_FLAG_ROW)
constexpr DevmodeFlagRow kFolionixSW{"DocProp$FolionixSW", 1260, kDocPropOption, 1, false, FlagBinding::OffOn, 0x10007};
constexpr DevmodeFlagRow kDontDisplayUI{"DocProp$DontDisplayUI", 1268, kDocPropOption, 14, false, FlagBinding::OffOn,
                                        0x1002a};
constexpr DevmodeFlagRow kRepealLock{"DocProp$RepealLockButtonSetting", 1269, kDocPropOption, 16, false,
                                     FlagBinding::OffOn, 0x1002d};
constexpr DevmodeFlagRow kJobCopies{"DocProp$JobCopies", 1272, kDocPropOption, 17, false, FlagBinding::OffOn, 0x1003d};
constexpr DevmodeFlagRow kMultiBinder{"DocProp$MultiBinder", 1271, kDocPropOption, 18, false, FlagBinding::OffOn,
                                      0x1003c};
#undef DEFINE_FLAG_ROW

constexpr CmSvOptionRecord kSpoolRows[] = {ValueChoice("UNSPECIFIED", 0, 0), ValueChoice("HOST", 0x100000, 2),
                                           ValueChoice("PRINTER", 0x200000, 3), ValueChoice("AUTO", 0x300000, 1)};
constexpr CmSvOptionRecord kSettingForAppsRows[] = {ValueChoice("NONE", 0), ValueChoice("DPOD", 1),
                                                    ValueChoice("DOMS", 2), ValueChoice("DOMS2", 3)};

// True while the sheet's registry sets itself up, or serves a request without a dialog.
bool RegistryIsQuiet(UIDEVDATA* ctx) {
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    auto* registry = user ? static_cast<CmSvConflict*>(user->GetConflict()) : nullptr;
    return registry && (registry->initialising == 1 || registry->noDialog == 1);
}

}  // namespace

#define DEFINE_FLAG_CLASS(Class, ...) \
    Class::Class() : CmSvDevmodeFlag(k##Class) {}
DOCPROP_FLAG_ITEMS(DEFINE_FLAG_CLASS)
#undef DEFINE_FLAG_CLASS

CmSvOnOff_DocPropFolionixSW::CmSvOnOff_DocPropFolionixSW() : CmSvDevmodeFlag(kFolionixSW) {}

int CmSvOnOff_DocPropFolionixSW::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    CmSvDevmodeFlag::LoadValue(ctx, source);
    saved = current;
    return 1;
}

int CmSvOnOff_DocPropFolionixSW::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    const uint32_t before = ReadOptionWord(ctx, destination, row.option);
    if (RegistryIsQuiet(ctx)) {
        pending = 0;
    } else {
        pending = 1;
        saved = IsOnIn(before) ? 1 : 0;
    }
    WriteOptionWord(ctx, destination, row.option, StoredInto(before));
    return 1;
}

int CmSvOnOff_DocPropFolionixSW::GetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    int32_t value = current;
    if (pending == 1) {
        value = saved;
        pending = 0;
    }
    *static_cast<uint32_t*>(data) = value == 1 ? 1 : 0;
    return kSdkDone;
}

int CmSvDocPropResetFlag::Apply(UIDEVDATA*, uint32_t, void*) {
    if (testsAvailability && available == 0) return kSdkNotSupported;
    current = 0;
    return kSdkDone;
}

CmSvOnOff_DocPropDontDisplayUI::CmSvOnOff_DocPropDontDisplayUI() : CmSvDocPropResetFlag(kDontDisplayUI, false) {}
CmSvOnOff_DocPropJobCopies::CmSvOnOff_DocPropJobCopies() : CmSvDocPropResetFlag(kJobCopies, true) {}
CmSvOnOff_DocPropMultiBinder::CmSvOnOff_DocPropMultiBinder() : CmSvDocPropResetFlag(kMultiBinder, true) {}

CmSvOnOff_DocPropRepealLockButtonSetting::CmSvOnOff_DocPropRepealLockButtonSetting() : CmSvDevmodeFlag(kRepealLock) {}

int CmSvOnOff_DocPropRepealLockButtonSetting::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    const uint32_t word = ReadOptionWord(ctx, destination, row.option);
    if (current == 1 && ctx && ctx->svc) {
        CmUserData* user = ctx->svc->GetUserData(ctx);
        uint8_t* block = user ? user->GetDeviceOptionSource() : nullptr;
        uint32_t lock = 0;
        if (block && ctx->svc->GetDeviceOptionValue(ctx, block, kLockOption, &lock, sizeof lock) && (lock & 2u)) {
            lock &= ~2u;
            ctx->svc->SetDeviceOptionValue(ctx, block, kLockOption, &lock, sizeof lock);
        }
    }
    WriteOptionWord(ctx, destination, row.option, StoredInto(word));
    return 1;
}

int CmSvOnOff_DocPropRepealLockButtonSetting::GetValue(UIDEVDATA*, uint32_t, void* data) {
    if (!data) return kSdkNoItem;
    *static_cast<uint32_t*>(data) = 4;
    return kSdkDone;
}

int CmSvOnOff_DocPropRepealLockButtonSetting::GetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (!data) return kSdkNoItem;
    *static_cast<uint32_t*>(data) = current == 1 ? 1 : 0;
    return kSdkDone;
}

int CmSvOnOff_DocPropRepealLockButtonSetting::SetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (!data) return kSdkNoItem;
    const uint32_t word = *static_cast<const uint32_t*>(data);
    if (word > 1) return kSdkNotSupported;
    current = static_cast<int32_t>(word);
    return kSdkDone;
}

CmSvMulti_DocPropSpoolSetting::CmSvMulti_DocPropSpoolSetting()
    : CmSvMulti("DocProp$SpoolSetting", 1270, 0u, 4u, kSpoolRows), CmSvSdk_Multi(0x1002e, 4, 0) {}

int CmSvMulti_DocPropSpoolSetting::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    const uint32_t found = FindValue(static_cast<int32_t>(ReadOptionWord(ctx, source, kDocPropOption) & kMask));
    if (found >= count) return 0;
    current = found;
    return 1;
}

int CmSvMulti_DocPropSpoolSetting::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    const CmSvOptionRecord* choice = CurrentRow();
    if (!choice) return 0;
    const uint32_t word = ReadOptionWord(ctx, destination, kDocPropOption) & ~kMask;
    WriteOptionWord(ctx, destination, kDocPropOption, word | (static_cast<uint32_t>(choice->value) & kMask));
    return 1;
}

int CmSvMulti_DocPropSpoolSetting::SetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (!data) return kSdkNoItem;
    const int32_t wanted = *static_cast<const int32_t*>(data);
    for (uint32_t i = 0; i < count; ++i)
        if (Row(i)->option_value == wanted) {
            current = i;
            return kSdkDone;
        }
    return kSdkNotSupported;
}

CmSvMulti_SettingForApps::CmSvMulti_SettingForApps()
    : CmSvMulti("DocProp$SettingForApps", 1276, 0u, 4u, kSettingForAppsRows), CmSvSdk(0x10011, 4, 0) {}

int CmSvMulti_SettingForApps::LoadValue(UIDEVDATA*, const uint8_t*) {
    current = 0;
    return 1;
}

int CmSvMulti_SettingForApps::StoreValue(UIDEVDATA*, uint8_t*) { return 1; }

int CmSvMulti_SettingForApps::SetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    const int32_t wanted = *static_cast<const int32_t*>(data);
    if (wanted < 0 || wanted > 3) return kSdkNotSupported;
    const uint32_t found = FindValue(wanted);
    if (found < count) current = found;
    return kSdkDone;
}
