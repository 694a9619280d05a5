// The items of the booklet dialog: printing method, sheets per set, binding edge, margin and its
// switch, with the dialog's OK and Cancel buttons. The option interface reaches them only while
// the finishing page's booklet button is enabled.
#pragma once

#include "items/common/margin_field.h"
#include "items/common/oriented_rows.h"
#include "items/common/push_buttons.h"
#include "settings/controls/buttons.h"
#include "settings/controls/list_bindings.h"
#include "settings/controls/radio_buttons.h"
#include "settings/items/sv_interfaces.h"
#include "settings/sdk/sdk_binding.h"

#include <cstdint>

inline constexpr uint32_t kOptSheetsPerSet = 131;   // 16-bit
inline constexpr uint32_t kOptBookletBinding = 132; // 16-bit 0 left or top, 1 right or bottom
inline constexpr uint32_t kOptBookletMargin = 133;  // 16-bit tenths of a millimetre

inline constexpr uint32_t kBookletOptionsButton = 1059;

class CmSvRB_PrintingMethod : public CmSvRadioButton, public CmSvSdk_Multi {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 1000;
    CmSvRB_PrintingMethod();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    // {method, sheets per set}: the sheets only for method 1 (divided into sets).
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

class CmSvDGT_SheetPerSets : public CmSvDigit, public CmSvSdk_Numeric {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 1001;
    CmSvDGT_SheetPerSets();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    // A range the dialog put on the spin control bounds the value, typed or stepped.
    int FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t id) override;
    int OnDeltaPos(UIDEVDATA* ctx, HWND dialog, NMUPDOWN* updown) override;

private:
    void RangeFromSpin(HWND dialog);
};

class CmSvCB_BookletBindingLocation : public CmSvComboBox,
                                      public CmSvSdk_Multi,
                                      public CmSvInit,
                                      public CmSvFollow,
                                      public CmSvAction {
public:
    CmSvFollow* AsFollow() override { return this; }
    CmSvSdk* AsSdk() override { return this; }
    CmSvInit* AsInit() override { return this; }
    CmSvAction* AsAction() override { return this; }
    static constexpr uint32_t kItemId = 1002;
    CmSvCB_BookletBindingLocation();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    // The two rows of the settings' orientation.
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;
    // The rows of the settings' orientation; the edge stays.
    int Follow(UIDEVDATA* ctx, const uint8_t* settings) override;
    // "PORTRAIT" or "LANDSCAPE": that orientation's rows, the value reloaded from the settings.
    int Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;

private:
    OrientedRows<2> rows_;
};

class CmSvCK_UseMargin : public CmSvCheckBox, public CmSvSdk_OnOff {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 1003;
    CmSvCK_UseMargin();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
};

class CmSvDGT_BookletMargin : public CmSvDGT_MarginField {
public:
    static constexpr uint32_t kItemId = 1004;
    static constexpr int32_t kMaximumMm = 30;
    CmSvDGT_BookletMargin();
    int32_t MillimetreMaximum(UIDEVDATA* ctx) const override;
    // The millimetres also switch "Booklet$UseMargin" (0 off, any other on).
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    // The margin and its switch of the default device mode.
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

extern const PushButtonRow kPbBookletOK, kPbBookletCancel;
DRV_DIALOG_BUTTON(CmSvPB_BookletOK, kPbBookletOK, 1005)
DRV_DIALOG_BUTTON(CmSvPB_BookletCancel, kPbBookletCancel, 1006)
