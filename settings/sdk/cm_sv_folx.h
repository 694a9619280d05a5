// `CmSvFOLX`: the item side of the page-composition interface, which only holds the request's
// handles for the duration of one request.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

#include <cstdint>

class CmSvFOLX {
public:
    CmSvFOLX() = default;
    virtual ~CmSvFOLX() = default;
    CmSvFOLX(const CmSvFOLX&) = delete;
    CmSvFOLX& operator=(const CmSvFOLX&) = delete;

    // Fills the handles from the request; answers 0.
    virtual int Attach(UIDEVDATA* ctx);
    virtual void Reset(UIDEVDATA* ctx);

    uint8_t* devmode = nullptr;  // the request's current device mode
    UIDEVDATA* request = nullptr;
    HANDLE printer = nullptr;
    HMODULE extModule = nullptr;
    LPCSTR printerName = nullptr;
};
