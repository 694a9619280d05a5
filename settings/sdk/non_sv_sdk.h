// `NonSvSDK`: the driver's own answers of the application option interface, over the common
// adapter. Its table names the codes this driver answers itself (device capabilities, paper and
// media lists, mail boxes, accounts); codes it does not name fall to the common adapter's table,
// then to the items.
//
// Adding an operation: declare `LONG Name(DWORD kind, void* data);` below, define it in a source
// of its own family, and add `{code, &NonSvSDK::Name}` to the table in non_sv_sdk_table.cpp,
// which stays sorted by code. The operation reads the request's handles (`settings`, `ctx`,
// `deviceOption`, ...) and answers 0 to 3; it answers 2 for every kind it does not list. A code
// in this table overrides the common adapter's entry for the same code.
#pragma once

#include "settings/sdk/cm_non_sv_sdk.h"
#include "settings/sdk/nonsv_operations.h"

#include <span>

class PdlData;

class NonSvSDK : public CmNonSvSDK {
public:
    using Operation = LONG (NonSvSDK::*)(DWORD kind, void* data);
    struct Entry {
        DWORD code;
        Operation op;
    };

    // The driver's answer to a code: this class's table, then the common adapter's; kSdkNotMine
    // for a code neither names (the items answer it).
    LONG Answer(DWORD kind, DWORD code, void* data);
    static std::span<const Entry> Table();
    // True when this class's table or the common adapter's names the code.
    static bool Names(DWORD code);

    // Re-runs the rules before a value is read when the caller's device mode changed under a
    // code whose value depends on it.
    void OnDevmodeChanged(DWORD code);

    // The item procedure of the option object; 2 here, `SDK` answers.
    virtual LONG ItemProc(UIDEVDATA* ctx, DWORD kind, DWORD code, void* data);

    // --- the driver's own operations (nonsv_*.cpp), over this request's handles ----------------
    ~NonSvSDK() override;
    void Reset() override;
    // The handles as the operations see them, with the model's description and self-requests
    // through this object.
    NonSvHost Host();
    template <NonSvOperation Op>
    LONG RunOperation(DWORD kind, void* data) {
        NonSvHost host = Host();
        return Op(host, static_cast<int>(kind), data);
    }
    // The common adapter's profile request, then the rules over the applied profile.
    LONG Profile(DWORD kind, void* data);
    // Carries the mail-box and secured-user settings of the current device mode into a profile's.
    LONG CheckProfileDevmode(uint8_t* profile, uint8_t* current) override;

private:
    PdlData* modelTable_ = nullptr;  // made on first use, with the printer's mail-box names
};
