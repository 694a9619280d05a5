// This printer's forms of the page-setup items whose rows the common items leave open: the paper
// lists of the page size and the output size, and the job operations.
#pragma once

#include "items/common/job_items.h"
#include "items/common/paper_size_items.h"
#include "items/pdl/paper_rows.h"

// The page size over the printer's papers.
class PDLSvCB_PageSize : public CmSvCB_PageSize, public CmSvInit {
public:
    CmSvInit* AsInit() override { return this; }
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;
    // The rules ask nothing of this list; every action answers 0.
    int Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) override;

private:
    PaperRows papers_;
};

// The output size: "the same as the page size" (named "DRAFT", value 0), then the papers.
class PDLSvCB_OutPutSize : public CmSvCB_OutPutSize, public CmSvInit {
public:
    CmSvInit* AsInit() override { return this; }
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;

private:
    PaperRows papers_;
};

// The job operations this printer offers: print, proof, secure print, store, hold and the
// page-composition job.
class PDLSvCB_JobOperation : public CmSvCB_JobOperation, public CmSvInit {
public:
    CmSvInit* AsInit() override { return this; }
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;
    int Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) override;

private:
    CmSvOptionRecord rows_[6] = {};
};
