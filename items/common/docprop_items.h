// The document-property switches of the device mode (option 100): whether the page-composition
// tool takes the job, whether presets are offered, whether the user interface shows at all, the
// lock button's repeal, the job's own copies, document binding, despool printing, where spooling
// happens, and the document-output service; and the kind of service the application asked for.
// None has a control: they exist for the rules and the option interface.
#pragma once

#include "items/common/devmode_flag.h"

inline constexpr uint16_t kDocPropOption = 100;

// Plain flags: class, key, item id, option number, bit, inverted, binding, option key (0 by id).
#define DOCPROP_FLAG_ITEMS(X)                                                                   \
    X(CmSvOnOff_DocPropFolionix, "DocProp$Folionix", 1259, 100, 0, false, Mask, 0)              \
    X(CmSvOnOff_DocPropPresetPP, "DocProp$PresetPP", 1261, 100, 2, false, Mask, 0)              \
    X(CmSvOnOff_DocPropPresetOnEdit, "DocProp$PresetOnEdit", 1262, 100, 3, false, Mask, 0)      \
    X(CmSvOnOff_DocPropPresetAdd, "DocProp$PresetAdd", 1263, 100, 6, false, Mask, 0)            \
    X(CmSvOnOff_DocPropFolxUIDisUnion, "DocProp$FolxUIDisUnion", 1265, 100, 8, false, Mask, 0)  \
    X(CmSvOnOff_DocPropFolxUIUnion, "DocProp$FolxUIUnion", 1266, 100, 9, false, Mask, 0)        \
    X(CmSvOnOff_DocPropFolxJobStore, "DocProp$FolxJobStore", 1267, 100, 10, false, Mask, 0)     \
    X(CmSvOnOff_DocPropEDocDespoolPrint, "DocProp$eDocDespoolPrint", 1273, 100, 19, false, OffOn, 0x10047) \
    X(CmSvOnOff_DomsPrint, "DomsPrint", 1279, 100, 24, false, Mask, 0)

#define DECLARE_DOCPROP_FLAG(Class, ...) \
    class Class : public CmSvDevmodeFlag { \
    public:                                \
        Class();                           \
    };
DOCPROP_FLAG_ITEMS(DECLARE_DOCPROP_FLAG)
#undef DECLARE_DOCPROP_FLAG

// "DocProp$FolionixSW": after a store made from the dialog, the next read through the option
// interface reports the value the device mode held before the store, once.
class CmSvOnOff_DocPropFolionixSW : public CmSvDevmodeFlag {
public:
    CmSvOnOff_DocPropFolionixSW();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;

    int32_t pending = 0;
    int32_t saved = 0;
};

// Flags whose apply request (the default) turns them off.
class CmSvDocPropResetFlag : public CmSvDevmodeFlag {
public:
    CmSvDocPropResetFlag(const DevmodeFlagRow& row, bool testsAvailability)
        : CmSvDevmodeFlag(row), testsAvailability(testsAvailability) {}
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;

    bool testsAvailability;
};

class CmSvOnOff_DocPropDontDisplayUI : public CmSvDocPropResetFlag {
public:
    CmSvOnOff_DocPropDontDisplayUI();
};
class CmSvOnOff_DocPropJobCopies : public CmSvDocPropResetFlag {
public:
    CmSvOnOff_DocPropJobCopies();
};
class CmSvOnOff_DocPropMultiBinder : public CmSvDocPropResetFlag {
public:
    CmSvOnOff_DocPropMultiBinder();
};

// "DocProp$RepealLockButtonSetting": storing it on also releases the lock of the device-option
// block (value 0x201, bit 1).
class CmSvOnOff_DocPropRepealLockButtonSetting : public CmSvDevmodeFlag {
public:
    static constexpr uint32_t kLockOption = 0x201;
    CmSvOnOff_DocPropRepealLockButtonSetting();
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    int GetValue(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

// "DocProp$SpoolSetting": bits 20-21 of the word, in place.
class CmSvMulti_DocPropSpoolSetting : public CmSvMulti, public CmSvSdk_Multi {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kMask = 0x300000;
    CmSvMulti_DocPropSpoolSetting();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

// "DocProp$SettingForApps": what the application asked for; never stored, and every load
// starts it again at "NONE".
class CmSvMulti_SettingForApps : public CmSvMulti, public CmSvSdk {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvMulti_SettingForApps();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
};
