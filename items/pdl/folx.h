// `FOLX`: the short-lived option object of one page-composition request. `FOLX::Run` makes it for
// the request, its entry procedure routes the request kind to the model adapter's operations,
// and the object goes when the request returns.
#pragma once

#include "items/pdl/pdl_sv_folx.h"
#include "settings/folx/non_sv_folx.h"

class FOLX : public NonSvFOLX, public PDLSvFOLX {
public:
    FOLX() = default;
    ~FOLX() override = default;

    // Answers one page-composition request (the core's runner for codes below 0x10000); 1 when
    // memory ran out.
    static LONG Run(UIDEVDATA* ctx, DWORD kind, DWORD code, void* data);
    virtual LONG EntryProc(UIDEVDATA* ctx, DWORD kind, DWORD code, void* data);

    UIDEVDATA* entryRequest = nullptr;
};

// Makes the page-composition interface the core's runner for codes below 0x10000.
void RegisterPageComposition();
