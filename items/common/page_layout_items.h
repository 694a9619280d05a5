// The page-setup items that shape the page: orientation, the page layout (pages per sheet and
// posters), the page order, scaling with its ratio, and the number of copies. The layout is told
// by three options together (mode 124, pages-per-sheet code 126, poster code 128); each item
// writes only the modes that are its own, so the layout, the scaling box and the catalogue do
// not wipe one another's settings.
#pragma once

#include "settings/controls/buttons.h"
#include "settings/controls/digit.h"
#include "settings/controls/list_bindings.h"
#include "settings/controls/radio_buttons.h"
#include "settings/sdk/sdk_binding.h"
#include "settings/items/sv_interfaces.h"

#include <cstdint>

// Options of the layout.
inline constexpr uint32_t kOptLayoutMode = 124;  // 16-bit: 1 scaling, 3 pages per sheet, 5 poster
inline constexpr uint32_t kOptScalingRatio = 125;
inline constexpr uint32_t kOptPagesPerSheet = 126;  // code 0-5: 2, 4, 6, 8, 9, 16 pages
inline constexpr uint32_t kOptPageOrder = 127;
inline constexpr uint32_t kOptPoster = 128;  // code 0-2: 2x2, 3x3, 4x4
inline constexpr uint32_t kOptColourMode = 222;

inline constexpr uint16_t kModeScaling = 1;
inline constexpr uint16_t kModePagesPerSheet = 3;
inline constexpr uint16_t kModePoster = 5;

// The layout kind of a device mode: 1-6 pages per sheet, 7-9 posters, 0 anything else.
int32_t LayoutKindOf(UIDEVDATA* ctx, const uint8_t* devmode);

class CmSvRB_Orientation : public CmSvRadioButton, public CmSvSdk_Multi {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 1039;
    CmSvRB_Orientation();
    // dmOrientation 1 portrait, 2 landscape; any other value is not read (answer 0).
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
};

class CmSvCB_Layout : public CmSvComboBox,
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
    static constexpr uint32_t kItemId = 1038;
    static constexpr uint32_t kRowCount = 10;
    CmSvCB_Layout();

    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    // Kind 0 ends pages per sheet and posters but keeps the scaling and catalogue modes.
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    // Pictures for the settings' colour and orientation.
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;
    // The pictures of the settings' orientation, in the colour shown so far; a list this item
    // filled shows them at once, else the item asks for a redisplay (answer 1).
    int Follow(UIDEVDATA* ctx, const uint8_t* settings) override;
    // ("RESET_ICN", colour, orientation): pictures for that combination; the list redraws when
    // the current choice's picture changed.
    int Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) override;
    // Sub-code 0, 1 or 2 of the page preview chooses 1, 2 or 4 pages per sheet.
    int Preview(UIDEVDATA* ctx, intptr_t a, intptr_t b, intptr_t c, intptr_t d) override;
    int ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) override;

    HWND window = nullptr;  // the dialog of the last ToDialog, for redraws

private:
    void SetPictures(bool colour, bool landscape);
    uint16_t pictures_[kRowCount][2] = {};
    bool colour_ = false, landscape_ = false;  // what the pictures show
};

class CmSvCB_PageOrder : public CmSvComboBox, public CmSvSdk_Multi, public CmSvInit, public CmSvAction {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvInit* AsInit() override { return this; }
    CmSvAction* AsAction() override { return this; }
    static constexpr uint32_t kItemId = 1037;
    static constexpr uint32_t kRowCount = 8;
    CmSvCB_PageOrder();

    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    // The rows the layout kind of the settings offers: two by orientation for 2 pages per sheet,
    // four for 4 to 16 pages, all eight otherwise.
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;
    // "DEFAULT", "PORTRAIT", "LANDSCAPE" or "NUP4".
    int Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;

private:
    enum class RowSet { Portrait, Landscape, Four, Eight };
    void Install(RowSet set);
    CmSvOptionRecord rows_[kRowCount] = {};
};

class CmSvCK_Scaling : public CmSvCheckBox, public CmSvSdk_OnOff {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 1042;
    CmSvCK_Scaling();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    // On turns mode 0 into scaling, off turns scaling into 0; other modes stay.
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

class CmSvDGT_ScalingRatio : public CmSvDigit, public CmSvSdk_Numeric {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 1043;
    CmSvDGT_ScalingRatio();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

// The copies field's maximum for a device maximum (0: none told, the field keeps its own), and
// the digits it needs.
int32_t CopiesMaximum(uint32_t deviceMaximum, int32_t fallback);
int32_t CopiesTextLimit(int32_t maximum);

class CmSvDGT_Copy : public CmSvDigit, public CmSvSdk_Numeric, public CmSvInit {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvInit* AsInit() override { return this; }
    static constexpr uint32_t kItemId = 1044;
    // dmCopies is signed 16-bit: a larger device maximum is cut to it.
    static constexpr int32_t kLargestMaximum = 32767;
    static constexpr int32_t kFallbackMaximum = 999;  // when the device data tells none
    CmSvDGT_Copy();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;
    // The number field, then for a full update the range text "(min-max)" beside it.
    int ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) override;

private:
    void TakeDeviceMaximum(UIDEVDATA* ctx);
};
