// The root object of the object side, `PDLUserData` (base `CmUserData`): one per request, made by
// the module's create callback. It creates the module objects the request's kind needs, holds the
// sheet's working copies of the settings and the device-option block, and answers the sheet's
// state (units, read-only, display mode, page state).
#pragma once

#include "core/memory/pool_object.h"
#include "core/device/uidevdata.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// A module object (message catalogue, settings summary, profiles, watermarks, ...). Each
// subsystem derives its objects from this and registers a factory for its bit.
class CmModule : public PoolObject {
public:
    virtual ~CmModule() = default;
};

// The module objects by bit, in their creation order.
enum ModuleBit : DWORD {
    kModuleMessage = 0x001,
    kModuleViewSettings = 0x002,
    kModuleProfile = 0x004,
    kModuleWaterMark = 0x008,
    kModuleObjective = 0x010,
    kModuleColorSettings = 0x020,
    kModuleFont = 0x040,
    kModuleConfiguration = 0x080,
    kModuleCustomPaper = 0x100,
    kModulePdlData = 0x200,
    kModuleOverlay = 0x400,
    kModuleAccount = 0x800,
    kModuleUtility = 0x1000,  // always made
};
inline constexpr int kModuleCount = 13;

// The modules a request of that kind needs (CmUtility not included); 0 for an unknown kind.
DWORD ModuleMaskForKind(int kind);

// A factory makes the object of its bit for a request (the object's first use, such as the
// profile list's loading, runs inside it). Null from a factory means the object is not made.
using ModuleFactory = CmModule* (*)(UIDEVDATA* ctx);
// Registers (or, with null, removes) the factory of one bit; answers the previous one.
ModuleFactory RegisterModuleFactory(ModuleBit bit, ModuleFactory factory);

class CmLocale;

// The sheet's locale services belong to the dialog framework, which registers how they are made
// and released; a user data made before that has none.
struct LocaleServices {
    CmLocale* (*make)(UIDEVDATA* ctx);
    void (*release)(CmLocale* locale);
};
// Registers (or, with null, removes) the services; answers the previous ones.
const LocaleServices* RegisterLocaleServices(const LocaleServices* services);

// Mode, sub-mode and three command words of one page; a page that stored no mode yet opens on
// its own picture.
inline constexpr DWORD kNoStoredMode = 0xFFFFFFFF;
struct PageStateGroup {
    DWORD mode = kNoStoredMode;
    DWORD subMode = 0;
    WORD commands[3] = {};
};
struct PageState {
    PageStateGroup pages[3];
};

// The sheet's display mode, as the "DispMode" item names it.
enum DisplayMode : DWORD { kDisplayNormal = 0, kDisplayUnite = 1, kDisplayNonUnite = 2 };

class CmUserData : public PoolObject {
public:
    explicit CmUserData(UIDEVDATA* ctx);
    virtual ~CmUserData();
    CmUserData(const CmUserData&) = delete;
    CmUserData& operator=(const CmUserData&) = delete;

    // Makes the module objects of the request's kind, in bit order, then the utility object and
    // the locale services.
    virtual void Initialize();

    UIDEVDATA* Request() const { return ctx_; }

    // The settings the sheet works on: for device-mode work the request's current device mode
    // itself, for sheets and dialogs a copy of it (current-form size) committed on OK.
    // Once made, a copy is the answer for the life of the request: the request's kind does not
    // change, and the store's blocks, once built, are never let go. Every item and every event
    // asks, several times each, so the copy is answered inline.
    uint8_t* GetSettingsSource() {
        if (ctx_ && !dialogBlocks_.settings && !settingsCopy_.empty()) return settingsCopy_.data();
        return FindSettingsSource();
    }
    DWORD GetSettingsSourceSize() const;
    // The device-option block the sheet works on, a copy for sheets and dialogs as above.
    uint8_t* GetDeviceOptionSource() {
        if (ctx_ && !dialogBlocks_.deviceOptions && !deviceOptionCopy_.empty()) return deviceOptionCopy_.data();
        return FindDeviceOptionSource();
    }
    // While a dialog opened by kind runs, the sources are the dialog's own copies of the two
    // blocks, so that the sheet's blocks stay as they were until the dialog ends with OK. Null
    // puts the sheet's blocks back.
    struct DialogBlocks {
        uint8_t* settings = nullptr;
        uint8_t* deviceOptions = nullptr;
    };
    DialogBlocks GetDialogBlocks() const { return dialogBlocks_; }
    void SetDialogBlocks(const DialogBlocks& blocks) { dialogBlocks_ = blocks; }

    // 1 when lengths are shown in inches (the user's measurement system), else 0.
    BOOL IsInchUnit() const { return inchUnit_; }
    void SetInchUnit(BOOL inch) { inchUnit_ = inch; }
    // Read-only while the lock is set or the access mode is 1 or 2.
    BOOL IsReadOnly() const { return lock_ != 0 || accessMode_ == 1 || accessMode_ == 2; }
    void SetAccessMode(DWORD mode) { accessMode_ = mode; }
    void SetLock(DWORD lock) { lock_ = lock; }
    DWORD GetMode() const { return 0; }
    void SetMode(DWORD) {}
    DWORD GetDisplayMode() const { return displayMode_; }
    void SetDisplayMode(DWORD mode) { displayMode_ = mode; }
    void SetStateWord(uintptr_t word) { stateWord_ = word; }
    uintptr_t GetStateWord() const { return stateWord_; }
    PageState* GetPageState() { return &pageState_; }
    // The job's mail-box choices (name[34], destination, 100 box numbers, their count, the
    // focused box, the list choice), kept for the length of the request.
    static constexpr size_t kMailBoxJobSize = 138;
    uint8_t* GetMailBoxJob() { return mailBoxJob_; }
    // The sheet's locale services; null when the dialog framework registered none.
    CmLocale* GetLocale() const { return locale_; }

    // The sheet's item registry; null until the sheet's rules start.
    void* GetConflict() const { return conflict_; }
    void* GetItemRegistry() const { return conflict_; }
    void SetConflict(void* registry) { conflict_ = registry; }

    // Module objects by bit; null when the request's kind has no such object or no subsystem
    // registered its factory.
    CmModule* GetModule(ModuleBit bit) const;
    CmModule* GetMessage() const { return GetModule(kModuleMessage); }
    CmModule* GetViewSettings() const { return GetModule(kModuleViewSettings); }
    CmModule* GetProfile() const { return GetModule(kModuleProfile); }
    CmModule* GetWaterMark() const { return GetModule(kModuleWaterMark); }
    CmModule* GetObjective() const { return GetModule(kModuleObjective); }
    CmModule* GetColorSettings() const { return GetModule(kModuleColorSettings); }
    CmModule* GetFont() const { return GetModule(kModuleFont); }
    CmModule* GetConfiguration() const { return GetModule(kModuleConfiguration); }
    CmModule* GetCustomPaper() const { return GetModule(kModuleCustomPaper); }
    CmModule* GetPdlData() const { return GetModule(kModulePdlData); }
    CmModule* GetOverlay() const { return GetModule(kModuleOverlay); }
    CmModule* GetAccount() const { return GetModule(kModuleAccount); }
    CmModule* GetUtility() const { return GetModule(kModuleUtility); }

private:
    bool WorksOnCopies() const;
    uint8_t* FindSettingsSource();
    uint8_t* FindDeviceOptionSource();

    UIDEVDATA* ctx_;
    CmModule* modules_[kModuleCount] = {};
    CmLocale* locale_ = nullptr;
    const LocaleServices* localeServices_ = nullptr;  // the ones that made locale_
    std::vector<uint8_t> settingsCopy_;
    std::vector<uint8_t> deviceOptionCopy_;
    DialogBlocks dialogBlocks_;
    void* conflict_ = nullptr;
    BOOL inchUnit_ = FALSE;
    DWORD accessMode_ = 0;
    DWORD lock_ = 0;
    DWORD displayMode_ = kDisplayNormal;
    uintptr_t stateWord_ = 0;
    PageState pageState_;
    uint8_t mailBoxJob_[kMailBoxJobSize] = {};
};

class PDLUserData : public CmUserData {
public:
    explicit PDLUserData(UIDEVDATA* ctx) : CmUserData(ctx) {}
    // A new profile list for the request's printer (null until the profiles register theirs).
    CmModule* CreateProfile(UIDEVDATA* ctx);
};
