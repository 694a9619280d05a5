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

#include <span>

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
};
