// The page size and the output size of the page-setup page. The page size writes the paper's
// code, id, size and printable area into the device mode and its public fields; the output size
// is either "the same as the page size" (its row named "DRAFT", value 0) or a paper of its own.
// Both take their rows from the printer's paper table, which the page-description-language
// items supply.
#pragma once

#include "settings/controls/list_bindings.h"
#include "settings/sdk/sdk_binding.h"
#include "settings/items/sv_interfaces.h"

#include <cstdint>

// Options of the paper.
inline constexpr uint32_t kOptLayoutFlags = 110;  // bit 1: a separate output size
inline constexpr uint32_t kOptPaperId = 111;
inline constexpr uint32_t kOptPaperCode = 112;
inline constexpr uint32_t kOptPaperSize = 114;  // width and length, 16 bits each
inline constexpr uint32_t kOptPaperArea = 115;  // four 16-bit numbers
inline constexpr uint32_t kOptOutputId = 116;
inline constexpr uint32_t kOptOutputCode = 117;
inline constexpr uint32_t kOptOutputSize = 119;
inline constexpr uint32_t kOptOutputArea = 120;
inline constexpr uint32_t kSeparateOutputBit = 1;
inline constexpr int32_t kCustomPaperCode = 256;

class CmSvCB_PageSize : public CmSvComboBox, public CmSvSdk_Multi, public CmSvAction {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvAction* AsAction() override { return this; }
    static constexpr uint32_t kItemId = 1035;
    CmSvCB_PageSize();

    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    // The current row's paper, or the device's default paper when the table lacks it.
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
};

class CmSvCB_OutPutSize : public CmSvComboBox, public CmSvSdk {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 1036;
    CmSvCB_OutPutSize();

    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    // The option interface names "the same as the page size" 0.
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;

private:
    int Select(uint32_t index);
    uint32_t SameAsPageSize() const;  // the first row named "DRAFT"; count when none
};
