// The base of the booklet margin and the gutter margin: a margin in millimetres, shown in
// millimetres or in inches with one decimal. The two fields differ in the unit they keep (tenths
// of a millimetre or millimetres), in their range and in the finishing page's button that gates
// their option-interface requests; one row says how.
#pragma once

#include "settings/controls/digit.h"
#include "settings/items/sv_interfaces.h"
#include "settings/sdk/sdk_binding.h"

#include <cstddef>
#include <cstdint>

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

// Its minimum and maximum are in the units shown (tenths of an inch in inch mode); the option
// interface checks its values against the millimetre range whatever is shown.
class CmSvDGT_MarginField : public CmSvDigit, public CmSvSdk_Numeric, public CmSvInit {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvInit* AsInit() override { return this; }
    explicit CmSvDGT_MarginField(const MarginFieldRow& row);

    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
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
