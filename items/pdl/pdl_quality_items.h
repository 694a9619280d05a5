// This printer's rows of the quality and paper-source items that the common items leave open:
// the print images it renders and the paper-selection modes it offers.
#pragma once

#include "items/common/paper_source_items.h"
#include "items/common/quality_items.h"

class PDLSvLB_PrintImage : public CmSvLB_PrintImage {
public:
    static constexpr uint32_t kRowCount = 4;
    // Makes the rows on the first call.
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;

private:
    CmSvOptionRecord rows_[kRowCount] = {};
};

// One source, first/other/last, two-sided, interleaf and cover, each under the option
// interface's own number for the mode.
class PDLSvCB_PaperSelection : public CmSvCB_PaperSelection, public CmSvInit {
public:
    CmSvInit* AsInit() override { return this; }
    static constexpr uint32_t kRowCount = 5;
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;

private:
    CmSvOptionRecord rows_[kRowCount] = {};
};
