// `PDLSvUserData`: what the sheet's user data does for the items. When a sheet (or a device-mode
// request) starts it makes the sheet's registry, with the memory option word 1 and, for a
// device-mode request of subtype 80, the no-dialog word 1, and builds the item sets; when the
// sheet ends it ends them. A registry may also be set aside whole and put back, for a caller who
// hands in its device modes by turns.
#pragma once

#include "core/device/uidevdata.h"

class CmSvConflict;
class PDLSvConflict;

class PDLSvUserData {
public:
    // The registry of the request's sheet, made and filled; null when the request has no user
    // data or already has a registry. Its engine is kept as its loads left it, for RestartSheet,
    // and it starts from the engine a registry ended in the process left when a start of its own
    // would load the same program (else whole).
    static PDLSvConflict* StartSheet(UIDEVDATA* ctx);
    // The same registry, started over the request's settings now from the engine of `donor` (a
    // registry of the request set aside, started with its engine kept): its items are made and
    // registered anew, and the engine, brought back to the state its loads left, runs the first
    // conflict pass without loading the program again. When the engine cannot be taken over the
    // registry is started whole. The donor ends either way.
    static PDLSvConflict* RestartSheet(UIDEVDATA* ctx, CmSvConflict* donor);
    // Deletes the item sets and the registry the sheet started with; nothing without one. Its
    // engine, brought back to the state its loads left, is left for the process's next start.
    static void EndSheet(UIDEVDATA* ctx);

    // Takes the request's registry out of its user data whole, to be put back later; null when
    // it has none.
    static CmSvConflict* SetAside(UIDEVDATA* ctx);
    // Puts a registry set aside back; false (and nothing done) when the request already has one.
    static bool TakeBack(UIDEVDATA* ctx, CmSvConflict* registry);
    // Ends a registry set aside, as EndSheet ends the request's own; the request's own stays.
    static void EndSetAside(UIDEVDATA* ctx, CmSvConflict* registry);
};
