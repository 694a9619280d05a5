// The items of the layout-options dialog: the page edging and the places where the print date,
// the user name and the page number are printed. A print position shares its word with other
// bits: bit 12 says that the item prints, the low bits say where.
#pragma once

#include "core/memory/pool_allocator.h"
#include "settings/controls/list_bindings.h"
#include "settings/items/sv_interfaces.h"
#include "settings/sdk/sdk_binding.h"

#include <cstdint>

inline constexpr uint32_t kOptEdging = 140;
inline constexpr uint32_t kOptDatePosition = 141;
inline constexpr uint32_t kOptUserPosition = 142;
inline constexpr uint32_t kOptPageNumberPosition = 143;
inline constexpr uint16_t kPrintsBit = 0x1000;

class CmSvCB_Edging : public CmSvComboBox, public CmSvSdk_Multi {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 1011;
    static constexpr uint32_t kRowCount = 11;
    CmSvCB_Edging();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    // The default is no edging.
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;

private:
    uint16_t pictures_[kRowCount][2] = {};
};

// What tells one print-position item from the others.
struct PrintPositionRow {
    const char* key;
    uint32_t itemId;
    int32_t controlId;
    const int32_t* companions;
    uint32_t sdkKey;
    uint32_t option;
};

class CmSvCB_PrintPosition : public CmSvComboBox, public CmSvSdk_Multi, public CmSvInit {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvInit* AsInit() override { return this; }
    static constexpr uint32_t kRowCount = 7;
    explicit CmSvCB_PrintPosition(const PrintPositionRow& row);

    // A word without the print bit loads as "NONE".
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    // "NONE" clears only the print bit; a place replaces the word with the place and the bit.
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    // Makes the seven rows on the first call; the answer is 0 and means nothing.
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    // The default prints nothing.
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;

private:
    uint32_t option_;
    PoolVector<CmSvOptionRecord> rows_;  // made by the first Init
};

extern const PrintPositionRow kPrintDatePosition, kPrintUserPosition, kPrintPagePosition;

#define DRV_PRINT_POSITION(Class, Row, Id)                                  \
    class Class : public CmSvCB_PrintPosition {                            \
    public:                                                                \
        static constexpr uint32_t kItemId = Id;                            \
        Class() : CmSvCB_PrintPosition(Row) {}                             \
    };
DRV_PRINT_POSITION(CmSvCB_PrintDatePosition, kPrintDatePosition, 1015)
DRV_PRINT_POSITION(CmSvCB_PrintUserPosition, kPrintUserPosition, 1016)
DRV_PRINT_POSITION(CmSvCB_PrintPagePosition, kPrintPagePosition, 1017)
#undef DRV_PRINT_POSITION
