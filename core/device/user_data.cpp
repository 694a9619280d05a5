// Creation of the module objects per request kind, the registered factories, and the sheet's
// working copies of the settings and the device-option block.
#include "core/device/user_data.h"

#include "core/device/service_table.h"

#include <bit>
#include <cstring>

namespace {

ModuleFactory g_factories[kModuleCount] = {};
const LocaleServices* g_localeServices = nullptr;

int IndexOf(ModuleBit bit) { return std::countr_zero(static_cast<DWORD>(bit)); }

// 1 when the user's measurement system is the US one (inches).
BOOL UserMeasuresInInches() {
    char text[4] = {};
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, text, sizeof text) > 0 && text[0] == '1';
}

}  // namespace

DWORD ModuleMaskForKind(int kind) {
    switch (kind) {
    case kKindDriver:
    case kKindUserInterface:
        return 0xFFF;
    case kKindDevmode:
        return 0xB99;
    case kKindInstall:
        return 0x284;
    default:
        return 0;
    }
}

ModuleFactory RegisterModuleFactory(ModuleBit bit, ModuleFactory factory) {
    const int index = IndexOf(bit);
    if (std::popcount(static_cast<DWORD>(bit)) != 1 || index >= kModuleCount) return nullptr;
    ModuleFactory previous = g_factories[index];
    g_factories[index] = factory;
    return previous;
}

const LocaleServices* RegisterLocaleServices(const LocaleServices* services) {
    const LocaleServices* previous = g_localeServices;
    g_localeServices = services;
    return previous;
}

CmUserData::CmUserData(UIDEVDATA* ctx) : ctx_(ctx), inchUnit_(UserMeasuresInInches()) {}

CmUserData::~CmUserData() {
    if (locale_ && localeServices_) localeServices_->release(locale_);
    // Later objects may use earlier ones while they go: take them down in reverse order.
    for (int i = kModuleCount - 1; i >= 0; --i) delete modules_[i];
}

void CmUserData::Initialize() {
    const DWORD mask = ModuleMaskForKind(ctx_ ? ctx_->kind : 0) | kModuleUtility;
    for (int i = 0; i < kModuleCount; ++i) {
        if (!(mask & (1u << i)) || modules_[i] || !g_factories[i]) continue;
        modules_[i] = g_factories[i](ctx_);
    }
    if (!locale_ && g_localeServices && g_localeServices->make) {
        locale_ = g_localeServices->make(ctx_);
        localeServices_ = g_localeServices;
    }
}

CmModule* CmUserData::GetModule(ModuleBit bit) const {
    const int index = IndexOf(bit);
    return index < kModuleCount ? modules_[index] : nullptr;
}

bool CmUserData::WorksOnCopies() const { return ctx_ && ctx_->kind != kKindDevmode && ctx_->kind != kKindInstall; }

uint8_t* CmUserData::FindSettingsSource() {
    if (!ctx_) return nullptr;
    if (dialogBlocks_.settings) return dialogBlocks_.settings;
    uint8_t* current = ctx_->svc->GetDevmode(ctx_, 3);
    if (!WorksOnCopies() || !current) return current;
    if (settingsCopy_.empty()) {
        const DWORD size = ctx_->svc->GetDevmodeSize(ctx_, 1);
        settingsCopy_.assign(current, current + size);
    }
    return settingsCopy_.data();
}

DWORD CmUserData::GetSettingsSourceSize() const { return ctx_ ? ctx_->svc->GetDevmodeSize(ctx_, 1) : 0; }

uint8_t* CmUserData::FindDeviceOptionSource() {
    if (!ctx_) return nullptr;
    if (dialogBlocks_.deviceOptions) return dialogBlocks_.deviceOptions;
    uint8_t* block = ctx_->svc->GetDeviceOption(ctx_);
    if (!WorksOnCopies() || !block) return block;
    if (deviceOptionCopy_.empty()) deviceOptionCopy_.assign(block, block + ctx_->svc->GetDeviceOptionSize(ctx_));
    return deviceOptionCopy_.data();
}

CmModule* PDLUserData::CreateProfile(UIDEVDATA* ctx) {
    ModuleFactory factory = g_factories[IndexOf(kModuleProfile)];
    return factory ? factory(ctx) : nullptr;
}
