// `PDLSvUserData`: what the sheet's user data does for the items. When a sheet (or a device-mode
// request) starts it makes the sheet's registry, with the memory option word 1 and, for a
// device-mode request of subtype 80, the no-dialog word 1, and builds the item sets; when the
// sheet ends it ends them.
#pragma once

#include "core/device/uidevdata.h"

class PDLSvConflict;

class PDLSvUserData {
public:
    // The registry of the request's sheet, made and filled; null when the request has no user
    // data or already has a registry.
    static PDLSvConflict* StartSheet(UIDEVDATA* ctx);
    // Deletes the item sets and the registry the sheet started with; nothing without one.
    static void EndSheet(UIDEVDATA* ctx);
};
