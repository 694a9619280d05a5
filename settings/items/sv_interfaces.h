// The one-operation interfaces a concrete item adds beside its value and bindings: rebuilding a
// run-time option table, following the settings its rows depend on, acting on a request of the
// rules, and updating from a preview event.
#pragma once

#include "core/device/uidevdata.h"
#include "pie/host/host_records.h"

#include <cstdint>

class CmSvInit {
public:
    virtual ~CmSvInit() = default;
    // Rebuilds the option table from the settings (a device mode); 1 when done.
    virtual int Init(UIDEVDATA* ctx, const uint8_t* settings) = 0;
};

// Rows that depend on another setting (the page's orientation) follow it whenever the sheet's
// settings change, whether or not a rule tells them to.
class CmSvFollow {
public:
    virtual ~CmSvFollow() = default;
    // Puts in the rows the settings ask for, keeping the value; 1 when the rows changed.
    virtual int Follow(UIDEVDATA* ctx, const uint8_t* settings) = 0;
};

class CmSvAction {
public:
    virtual ~CmSvAction() = default;
    // The action named by the argument texts; answers what the action tells, and may give a
    // typed value through `out` (which may be null).
    virtual int Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) = 0;
};

class CmSvPreview {
public:
    virtual ~CmSvPreview() = default;
    // Updates the item from a preview event; 1 when its value changed.
    virtual int Preview(UIDEVDATA* ctx, intptr_t a, intptr_t b, intptr_t c, intptr_t d) = 0;

    uint32_t previewKey = 0;
};
