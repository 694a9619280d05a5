// The items of the finishing page: the binding location (which also decides the duplex edge),
// the centre-fold staple, the finishing switches of option 190 (staple, punch, Z-fold, job
// spooling, rotation), the finishing method the option interface speaks of, and the page's push
// buttons. The switches share one word, so each is a descriptor row over one template that
// writes only its own bit.
#pragma once

#include "items/common/oriented_rows.h"
#include "items/common/push_buttons.h"
#include "settings/controls/buttons.h"
#include "settings/controls/list_bindings.h"
#include "settings/items/sv_interfaces.h"
#include "settings/items/sv_multi.h"
#include "settings/sdk/sdk_binding.h"

#include <cstdint>

inline constexpr uint32_t kOptBindingLocation = 121;  // 16-bit edge 0-3
inline constexpr uint32_t kOptBooklet = 130;          // bit 0 centre fold, 1 divide, 2 use margin
inline constexpr uint32_t kOptFinishing = 190;        // bits 0 spool, 4 staple, 5 punch, 6 Z-fold, 7 rotate
inline constexpr uint32_t kOptStaplePoint = 191;      // 16-bit staple point 9-17

// The orientation the binding rows follow: `dmOrientation`, turned when two pages per sheet
// (options 124 == 3 and 126 in {0, 2, 3}) put the page on its side.
int32_t BindingOrientation(int32_t option124, int32_t option126, int32_t orientation);

class CmSvCB_BindDirect : public CmSvComboBox,
                          public CmSvSdk_Multi,
                          public CmSvInit,
                          public CmSvFollow,
                          public CmSvAction,
                          public CmSvPreview {
public:
    CmSvFollow* AsFollow() override { return this; }
    CmSvSdk* AsSdk() override { return this; }
    CmSvInit* AsInit() override { return this; }
    CmSvAction* AsAction() override { return this; }
    CmSvPreview* AsPreview() override { return this; }
    static constexpr uint32_t kItemId = 1049;
    static constexpr uint32_t kRowCount = 4;
    CmSvCB_BindDirect();

    // The first row of the edge; 0 (index kept) when none has it.
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    // The edge, and while printing two-sided the duplex direction that binds along it.
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;
    // The rows of the orientation the settings bind in; the edge stays.
    int Follow(UIDEVDATA* ctx, const uint8_t* settings) override;
    // "PORTRAIT" or "LANDSCAPE": that orientation's rows, the value reloaded from the settings.
    int Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) override;
    // A point 0-3 of the finishing picture picks that edge.
    int Preview(UIDEVDATA* ctx, intptr_t a, intptr_t b, intptr_t c, intptr_t d) override;
    int GetCount(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int GetList(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;

private:
    OrientedRows<kRowCount> rows_;
};

// The centre-fold staple of a booklet. Key 0x1006c is the switch itself; key 0x10031 is the
// application's booklet with staple, which also turns the booklet document value (item 1275).
class CmSvCK_CenterFoldStaple : public CmSvCheckBox, public CmSvSdk {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 1050;
    static constexpr uint32_t kSwitchKey = 0x1006c;
    static constexpr uint32_t kBookletKey = 0x10031;
    static constexpr uint32_t kAppBookletItem = 1275;
    CmSvCK_CenterFoldStaple();

    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    int GetValue(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

// What request 6 (the option interface's default) does to a switch: nothing (answer 2), turn it
// off when its control is enabled, or turn it off whatever the control says (the finishing
// method's request turns these off after changing the method, and must not be refused).
enum class SwitchDefault : uint8_t { None, OffWhenEnabled, Off };

// A finishing switch: one bit of option 190 behind a check box.
struct FinishingSwitchRow {
    const char* key;
    uint32_t itemId;
    int32_t controlId;
    uint8_t bit;
    uint32_t sdkKey;
    bool maskBinding;  // the option interface sees the bit in place rather than 0 and 1
    SwitchDefault byDefault;
};

class CmSvCK_FinishingSwitch : public CmSvCheckBox, public CmSvSdk_OnOff {
public:
    CmSvSdk* AsSdk() override { return this; }
    explicit CmSvCK_FinishingSwitch(const FinishingSwitchRow& row);

    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;

    const FinishingSwitchRow& row;
};

extern const FinishingSwitchRow kFsStaple, kFsPunch, kFsZfold, kFsJobSpooling, kFsRotate;

#define DRV_FINISHING_SWITCH(Class, Row, Id)               \
    class Class : public CmSvCK_FinishingSwitch {          \
    public:                                                \
        static constexpr uint32_t kItemId = Id;            \
        Class() : CmSvCK_FinishingSwitch(Row) {}           \
    };
DRV_FINISHING_SWITCH(CmSvCK_Staple, kFsStaple, 1051)
DRV_FINISHING_SWITCH(CmSvCK_Punch, kFsPunch, 1052)
DRV_FINISHING_SWITCH(CmSvCK_Zfold, kFsZfold, 1053)
DRV_FINISHING_SWITCH(CmSvCK_JobSpooling, kFsJobSpooling, 1054)
#undef DRV_FINISHING_SWITCH

// Rotation also answers the finishing picture; what a point of it does is the language's.
class CmSvCK_Rotate : public CmSvCK_FinishingSwitch, public CmSvPreview {
public:
    CmSvPreview* AsPreview() override { return this; }
    static constexpr uint32_t kItemId = 1055;
    CmSvCK_Rotate();
};

// The finishing method of the option interface (key 0x1007f): 2 none, 3 stapled. It has no
// control and no bit of its own: it is the staple switch (item 1051) seen as a method, so the
// two never disagree. Method 1 (finishing without staples) is not one this page offers.
class CmSvMulti_FinishingMethod : public CmSvMulti, public CmSvSdk_Multi {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 3062;  // among the language layer's settings
    static constexpr uint32_t kKey = 0x1007f;
    CmSvMulti_FinishingMethod();

    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    // The staple switch stores the bit.
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int IsSdkValueEnabled(UIDEVDATA* ctx, int32_t value) override;

private:
    // Follows the staple switch's value and its control's enabled state.
    void Follow(UIDEVDATA* ctx);
    int Select(UIDEVDATA* ctx, int32_t optionValue);
};

extern const PushButtonRow kPbStaplePosition, kPbDeviceSetting, kPbBookletOptions, kPbFinishDefault;

DRV_DIALOG_BUTTON(CmSvPB_Staple, kPbStaplePosition, 1056)
DRV_DIALOG_BUTTON(CmSvPB_DeviceSetting, kPbDeviceSetting, 1057)
class CmSvPB_Margin : public CmSvPushButton {
public:
    static constexpr uint32_t kItemId = 1058;
    CmSvPB_Margin();
};
DRV_DIALOG_BUTTON(CmSvPB_BookletOptions, kPbBookletOptions, 1059)
DRV_DIALOG_BUTTON(CmSvPB_FinishDefault, kPbFinishDefault, 1060)
