// The stamp switch and the stamp choice of the page-setup page. The choice lists the stamps of
// the sheet's watermark object and, when stored, writes the chosen stamp's name, text, font,
// colour, flags, angle and position into the device mode; the option interface exchanges a stamp
// as a 128-byte record (name at 0, text at 64).
#pragma once

#include "items/common/watermark_view.h"
#include "settings/controls/buttons.h"
#include "settings/controls/list_bindings.h"
#include "settings/sdk/sdk_binding.h"
#include "settings/items/sv_interfaces.h"

#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kOptStampFlags = 150;  // bit 0: a stamp is printed
inline constexpr uint32_t kOptStampName = 154;
inline constexpr uint32_t kOptStampText = 155;
inline constexpr uint32_t kOptStampFont = 156;
inline constexpr uint32_t kOptStampColour = 157;
inline constexpr uint32_t kOptStampPosition = 158;
inline constexpr uint32_t kOptStampAngle = 159;

inline constexpr size_t kStampRecordSize = 128;
inline constexpr size_t kStampTextOffset = 64;
inline constexpr size_t kStampFieldSize = 32;

class CmSvCK_Stamp : public CmSvCheckBox, public CmSvSdk_OnOff {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 1040;
    CmSvCK_Stamp();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

class CmSvCB_StampSelect : public CmSvComboBox, public CmSvSdk, public CmSvInit, public CmSvAction {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvInit* AsInit() override { return this; }
    CmSvAction* AsAction() override { return this; }
    static constexpr uint32_t kItemId = 1041;
    static constexpr uint32_t kRowCount = 71;  // more stamps than this are not offered
    CmSvCB_StampSelect();

    // One row per stamp of the watermark object, at most kRowCount.
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    // "REFRESH": renews the rows when the watermark object's stamps changed.
    int Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) override;

    int GetCount(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int GetList(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;

private:
    // The row whose display text is `name` (at most `limit` bytes of it are read); count when none.
    uint32_t FindName(const char* name, size_t limit) const;
    int SelectName(const char* name, size_t limit);
    // True while the rows still show the watermark object's stamps.
    bool RowsMatch(const CmWaterMark& marks) const;

    CmSvOptionRecord rows_[kRowCount] = {};
    char names_[kRowCount][kStampFieldSize] = {};
    char displays_[kRowCount][kWaterMarkTextSize] = {};
};

// The option name of a stamp id: "SECRET" to "NOTCOPY" for 1 to 6, else "USERDEF<id>".
void StampOptionName(uint16_t id, char (&out)[kStampFieldSize]);
