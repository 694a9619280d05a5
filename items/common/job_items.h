// The items of the common buttons and of the device-settings page that keep their value outside
// the page's own settings: the page-composition lock (bit 1 of device option 513) and the
// spooling choice (device option 519), both in the sheet's device-option block, and the job
// operation (option 102), whose rows the printer's own item supplies.
#pragma once

#include "settings/controls/buttons.h"
#include "settings/controls/list_bindings.h"
#include "settings/sdk/sdk_binding.h"
#include "settings/items/sv_interfaces.h"

#include <cstdint>

inline constexpr uint32_t kDevOptLockWord = 0x201;  // 513, 32-bit
inline constexpr uint32_t kLockBit = 1;
inline constexpr uint32_t kDevOptSpooling = 0x207;  // 519, 16-bit
inline constexpr uint32_t kOptJobOperation = 102;

class CmSvPB_FolionixLock : public CmSvPushButton {
public:
    static constexpr uint32_t kItemId = 1284;
    CmSvPB_FolionixLock();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    // A click turns the lock at once, in the device-option block, and redraws the button.
    int FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t id) override;
    // The lock's picture by its state and the button's.
    int DrawItem(UIDEVDATA* ctx, HWND control, int32_t id, DRAWITEMSTRUCT* draw) override;
};

class CmSvCB_JobOperation : public CmSvComboBox, public CmSvSdk, public CmSvAction {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvAction* AsAction() override { return this; }
    static constexpr uint32_t kItemId = 1286;
    CmSvCB_JobOperation();

    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    int ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) override;
    // A new choice renames the detail button (stores, holds) or redraws the lock.
    int FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t id) override;
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;

    HWND window = nullptr;  // the dialog of the last ToDialog
};

class CmSvCB_SpoolSetting : public CmSvComboBox, public CmSvSdk_Multi {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 1007;
    CmSvCB_SpoolSetting();

    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    // Keeps the value that stood before, then writes the current one.
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    // A change through the option interface is written to the printer at once; a failed write
    // puts the old value back and is refused.
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;

    uint16_t saved = 0;

private:
    // Keeps the value that stood before, then writes the current one into the sheet's block.
    int WriteChoice(UIDEVDATA* ctx);
    int Commit(UIDEVDATA* ctx);
};
