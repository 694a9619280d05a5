// The device-mode flag and value items and the items that reflect the request.
#include "items/common/devmode_flag_items.h"

#include "core/memory/pool_text.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"

#include <windows.h>

namespace {

constexpr CmSvOptionRecord kBitsPixelRows[] = {ValueChoice("FAST", 0), ValueChoice("HQ", 1)};
constexpr CmSvOptionRecord kSurfaceRows[] = {ValueChoice("BIT1", 1), ValueChoice("BIT8", 8), ValueChoice("BIT24", 24)};
constexpr CmSvOptionRecord kPixelDepthRows[] = {ValueChoice("PANEL", 0), ValueChoice("DEPTH1", 1),
                                                ValueChoice("DEPTH2", 2), ValueChoice("DEPTH4", 4)};
constexpr CmSvOptionRecord kDevCategoryRows[] = {
    ValueChoice("LAYOUT_NONE", 0), ValueChoice("LAYOUT_STRETCH", 1), ValueChoice("LAYOUT_ZOOM", 2),
    ValueChoice("LAYOUT_FIT", 3),  ValueChoice("LAYOUT_2UP", 4),     ValueChoice("LAYOUT_4UP", 5),
    ValueChoice("LAYOUT_6UP", 6),  ValueChoice("LAYOUT_8UP", 7),     ValueChoice("LAYOUT_9UP", 8),
    ValueChoice("LAYOUT_16UP", 9), ValueChoice("LAYOUT_TWICE", 16)};
constexpr CmSvOptionRecord kDispModeRows[] = {ValueChoice("NORMAL", 0), ValueChoice("UNITELAYOUT", 1),
                                              ValueChoice("NONUNITELAYOUT", 2)};
constexpr CmSvOptionRecord kSheetTypeRows[] = {ValueChoice("STANDARD", 0), ValueChoice("PRNFOLDER", 1),
                                               ValueChoice("PRNPROP", 2)};

template <size_t N>
constexpr uint32_t CountOf(const CmSvOptionRecord (&)[N]) {
    return N;
}

#define DEFINE_FLAG_ROW(Class, Key, Id, Option, Bit, Inverted, Binding, SdkKey) \
    constexpr DevmodeFlagRow k##Class{Key, Id, Option, Bit, Inverted, FlagBinding::Binding, SdkKey};
DEVMODE_FLAG_ITEMS(DEFINE_FLAG_ROW)
#undef DEFINE_FLAG_ROW

#define DEFINE_CHOICE_ROW(Class, Key, Id, Option, Rows, Match, NoMatch) \
    constexpr DevmodeChoiceRow k##Class{Key, Id, Option, Rows, CountOf(Rows), ChoiceMatch::Match, NoMatch};
DEVMODE_CHOICE_ITEMS(DEFINE_CHOICE_ROW)
#undef DEFINE_CHOICE_ROW

// The first row whose value has these low 16 bits; count when none.
uint32_t FindLow16(const CmSvMulti& multi, uint16_t value) {
    for (uint32_t i = 0; i < multi.count; ++i)
        if (static_cast<uint16_t>(multi.Row(i)->value) == value) return i;
    return multi.count;
}

}  // namespace

#define DEFINE_FLAG_CLASS(Class, ...) \
    Class::Class() : CmSvDevmodeFlag(k##Class) {}
DEVMODE_FLAG_ITEMS(DEFINE_FLAG_CLASS)
#undef DEFINE_FLAG_CLASS

#define DEFINE_CHOICE_CLASS(Class, ...) \
    Class::Class() : CmSvDevmodeChoice(k##Class) {}
DEVMODE_CHOICE_ITEMS(DEFINE_CHOICE_CLASS)
#undef DEFINE_CHOICE_CLASS

CmSvAppInfoFlag::CmSvAppInfoFlag(const char* key, uint32_t itemId, uint32_t appMask)
    : CmSvOnOff(key, itemId, kSvKindNone, kOrdinary, 0),
      CmSvSdk_OnOff(kSdkItemKeyBase + itemId, 0, 0, 4, 0),
      appMask(appMask) {
    flags |= kConstant;
}

int CmSvAppInfoFlag::LoadValue(UIDEVDATA* ctx, const uint8_t*) {
    current = ctx && ctx->svc && ctx->svc->TestAppFlags(ctx, appMask) ? 1 : 0;
    return 1;
}

int CmSvAppInfoFlag::GetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    *static_cast<uint32_t*>(data) = current == 1 ? 1 : 0;
    return kSdkDone;
}

int CmSvAppInfoFlag::SetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    return kSdkNotSupported;
}

#define DEFINE_APP_INFO(Class, Key, Id, Mask) \
    Class::Class() : CmSvAppInfoFlag(Key, Id, Mask) {}
APP_INFO_ITEMS(DEFINE_APP_INFO)
#undef DEFINE_APP_INFO

CmSvMulti_DispMode::CmSvMulti_DispMode()
    : CmSvMulti("DispMode", 1219, 1u, 0u, CountOf(kDispModeRows), kDispModeRows),
      CmSvSdk_Multi(kSdkItemKeyBase + 1219, 4, 0) {}

int CmSvMulti_DispMode::LoadValue(UIDEVDATA* ctx, const uint8_t*) {
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    if (!user) return 0;
    const uint32_t found = FindValue(static_cast<int32_t>(user->GetDisplayMode()));
    if (found >= count) return 0;
    current = found;
    return 1;
}

// The sheet's display mode, the kind of sheet and the user's name are what the sheet and the
// request are: read, never stored, so not the option interface's to set.
int CmSvMulti_DispMode::SetCurrent(UIDEVDATA*, uint32_t, void* data) { return ReadOnlySet(data); }

CmSvMulti_SheetType::CmSvMulti_SheetType()
    : CmSvMulti("SheetType", 1256, 1u, 0u, CountOf(kSheetTypeRows), kSheetTypeRows),
      CmSvSdk_Multi(kSdkItemKeyBase + 1256, 2, 0) {}

int CmSvMulti_SheetType::LoadValue(UIDEVDATA* ctx, const uint8_t*) {
    if (!ctx || !ctx->svc) return 0;
    const uint32_t found = FindLow16(*this, ctx->svc->GetWord(ctx, 1));
    if (found >= count) return 0;
    current = found;
    return 1;
}

CmSvString_loginname::CmSvString_loginname()
    : CmSvString("login_name", 1255, 1u, NewPoolText(kSize), kSize), CmSvSdk_String(kSdkItemKeyBase + 1255, kSize, 0) {}

int CmSvMulti_SheetType::SetCurrent(UIDEVDATA*, uint32_t, void* data) { return ReadOnlySet(data); }

CmSvString_loginname::~CmSvString_loginname() { FreePoolText(current); }

int CmSvString_loginname::SetCurrent(UIDEVDATA*, uint32_t, void* data) { return ReadOnlySet(data); }

int CmSvString_loginname::LoadValue(UIDEVDATA*, const uint8_t*) {
    if (!current) return 0;
    DWORD size = maxSize;
    return GetUserNameA(current, &size) ? 1 : 0;
}

CmSvNumeric_SDKVersion::CmSvNumeric_SDKVersion()
    : CmSvNumeric("SDK$Version", 1247, kVersion, 0, 0x7fffffff), CmSvSdk(0x10000, 4, 0) {}

int CmSvNumeric_SDKVersion::GetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    *static_cast<int32_t*>(data) = current;
    return kSdkDone;
}

CmSvNumeric_SecurityLevel::CmSvNumeric_SecurityLevel()
    : CmSvNumeric("SecurityLevel", 1246, 0, 0, 0), CmSvSdk_Numeric(kSdkItemKeyBase + 1246, 4, 0) {}
