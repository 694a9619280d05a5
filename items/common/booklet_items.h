// The items of the booklet dialog (printing method, sheets per set, binding edge, margin and its
// switch) and of the gutter-margin dialog, with the dialogs' OK and Cancel buttons. The option
// interface reaches the booklet items only while the finishing page's booklet button is enabled,
// and the gutter margin only while its margin button is. The two margin fields share one base:
// they differ in the unit they keep (tenths of a millimetre or millimetres) and in their range.
#pragma once

#include "items/common/push_buttons.h"
#include "settings/controls/buttons.h"
#include "settings/controls/digit.h"
#include "settings/controls/list_bindings.h"
#include "settings/controls/radio_buttons.h"
#include "settings/items/sv_interfaces.h"
#include "settings/sdk/sdk_binding.h"

#include <cstdint>

inline constexpr uint32_t kOptGutterMargin = 122;   // 16-bit millimetres
inline constexpr uint32_t kOptSheetsPerSet = 131;   // 16-bit
inline constexpr uint32_t kOptBookletBinding = 132; // 16-bit 0 left or top, 1 right or bottom
inline constexpr uint32_t kOptBookletMargin = 133;  // 16-bit tenths of a millimetre

inline constexpr uint32_t kBookletOptionsButton = 1059;
inline constexpr uint32_t kMarginButton = 1058;

class CmSvRB_PrintingMethod : public CmSvRadioButton, public CmSvSdk_Multi {
public:
    static constexpr uint32_t kItemId = 1000;
    CmSvRB_PrintingMethod();
    int Load(UIDEVDATA* ctx, const uint8_t* source) override;
    int Store(UIDEVDATA* ctx, uint8_t* destination) override;
    // {method, sheets per set}: the sheets only for method 1 (divided into sets).
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

class CmSvDGT_SheetPerSets : public CmSvDigit, public CmSvSdk_Numeric {
public:
    static constexpr uint32_t kItemId = 1001;
    CmSvDGT_SheetPerSets();
    int Load(UIDEVDATA* ctx, const uint8_t* source) override;
    int Store(UIDEVDATA* ctx, uint8_t* destination) override;
    // A range the dialog put on the spin control bounds the value.
    int FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t id) override;
};

class CmSvCB_BookletBindingLocation : public CmSvComboBox, public CmSvSdk_Multi, public CmSvInit, public CmSvAction {
public:
    static constexpr uint32_t kItemId = 1002;
    CmSvCB_BookletBindingLocation();
    int Load(UIDEVDATA* ctx, const uint8_t* source) override;
    int Store(UIDEVDATA* ctx, uint8_t* destination) override;
    // The two rows of the settings' orientation.
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;
    // "PORTRAIT" or "LANDSCAPE": that orientation's rows, the value reloaded from the settings.
    int Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;

private:
    void Install(bool landscape);
    CmSvOptionRecord rows_[2] = {};
    char* texts_[2][2] = {};  // the loaded texts of each orientation's rows
    bool haveRows_ = false;
    bool landscape_ = false;
};

class CmSvCK_UseMargin : public CmSvCheckBox, public CmSvSdk_OnOff {
public:
    static constexpr uint32_t kItemId = 1003;
    CmSvCK_UseMargin();
    int Load(UIDEVDATA* ctx, const uint8_t* source) override;
    int Store(UIDEVDATA* ctx, uint8_t* destination) override;
};

// How one margin field differs from the other.
struct MarginFieldRow {
    const char* key;
    uint32_t itemId;
    int32_t editId, spinId, rangeId;
    const int32_t* companions;
    uint32_t sdkKey;
    uint32_t option;
    int32_t unitsPerMm;     // 10: tenths of a millimetre kept, 1: millimetres
    bool rangeFromSpin;     // the dialog may narrow the range on the spin control
    uint32_t gateItem;      // the finishing page's button whose state gates the option interface
};

// A margin in millimetres, shown in millimetres or in inches with one decimal. Its minimum and
// maximum are in the units shown (tenths of an inch in inch mode); the option interface checks
// its values against the millimetre range whatever is shown.
class CmSvDGT_MarginField : public CmSvDigit, public CmSvSdk_Numeric, public CmSvInit {
public:
    explicit CmSvDGT_MarginField(const MarginFieldRow& row);

    int Load(UIDEVDATA* ctx, const uint8_t* source) override;
    int Store(UIDEVDATA* ctx, uint8_t* destination) override;
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;
    int ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) override;
    int FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t id) override;
    int OnDeltaPos(UIDEVDATA* ctx, HWND dialog, NMUPDOWN* updown) override;
    // Hundredths of a millimetre, whole millimetres only.
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;

    // The largest margin in millimetres.
    virtual int32_t MillimetreMaximum(UIDEVDATA* ctx) const = 0;
    // In the unit kept, against the millimetre range the last Init found.
    bool AcceptsRuleValue(int32_t value) const override;

    int32_t Millimetres() const { return current / row.unitsPerMm; }
    const MarginFieldRow& row;

protected:
    // 2 unavailable, 3 while the gating button is disabled, 1 without data; 0 to go on.
    int Gate(UIDEVDATA* ctx, const void* data, bool needData);
    // Takes a number of millimetres; answers whether the value changed.
    bool TakeMillimetres(int32_t millimetres);
    int32_t millimetreMaximum_ = 0;

private:
    static bool InchMode(UIDEVDATA* ctx);
    // The field in the units shown; false when it cannot be read.
    bool ReadField(UIDEVDATA* ctx, HWND dialog, int32_t* shown) const;
    // The value shown for a number of millimetres, and back.
    static int32_t Shown(UIDEVDATA* ctx, int32_t millimetres);
    static int32_t FromShown(UIDEVDATA* ctx, int32_t shown);
    void RangeFromSpin(HWND dialog);
    bool FormatShown(UIDEVDATA* ctx, int32_t shown, char* text, size_t size) const;
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

class CmSvDGT_MarginSet : public CmSvDGT_MarginField {
public:
    static constexpr uint32_t kItemId = 1019;
    static constexpr size_t kMaximumField = 2168;  // u32: the device's largest gutter margin (mm)
    CmSvDGT_MarginSet();
    int32_t MillimetreMaximum(UIDEVDATA* ctx) const override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

// The dialogs' OK and Cancel buttons.
extern const PushButtonRow kPbBookletOK, kPbBookletCancel, kPbMarginOK, kPbMarginCancel, kPbStapleOK,
    kPbStapleCancel;

#define DRV_DIALOG_BUTTON(Class, Row, Id)            \
    class Class : public CmSvPB_Plain {              \
    public:                                          \
        static constexpr uint32_t kItemId = Id;      \
        Class() : CmSvPB_Plain(Row) {}               \
    };
DRV_DIALOG_BUTTON(CmSvPB_BookletOK, kPbBookletOK, 1005)
DRV_DIALOG_BUTTON(CmSvPB_BookletCancel, kPbBookletCancel, 1006)
DRV_DIALOG_BUTTON(CmSvPB_MarginOK, kPbMarginOK, 1020)
DRV_DIALOG_BUTTON(CmSvPB_MarginCancel, kPbMarginCancel, 1021)
DRV_DIALOG_BUTTON(CmSvPB_StapleOK, kPbStapleOK, 1033)
DRV_DIALOG_BUTTON(CmSvPB_StapleCancel, kPbStapleCancel, 1034)
#undef DRV_DIALOG_BUTTON
