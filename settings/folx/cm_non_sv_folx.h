// `CmNonSvFOLX`: the common host adapter of the page-composition interface. The page-composition
// tool asks for the settings of a job by numeric host codes and sets some of them back; this
// class translates each host code into reads and writes of the options of the request's current
// device mode, with the units the tool expects. It holds no items and runs no rules.
#pragma once

#include "core/device/uidevdata.h"
#include "core/helpers/byte_view.h"
#include "core/memory/pool_object.h"
#include "settings/sdk/nonsv_host.h"

#include <windows.h>

#include <cstdint>

class CmNonSvFOLX : public PoolObject {
public:
    CmNonSvFOLX() = default;
    virtual ~CmNonSvFOLX() { Reset(nullptr); }
    CmNonSvFOLX(const CmNonSvFOLX&) = delete;
    CmNonSvFOLX& operator=(const CmNonSvFOLX&) = delete;

    // Fills the handles from the request; answers 0.
    virtual LONG Attach(UIDEVDATA* ctx);
    virtual void Reset(UIDEVDATA* ctx);
    // The reduction the page needs in percent; -1 when a paper extent is not positive.
    virtual LONG GetScale();
    // Rebuilds the derived bits of option 110 and option 123 after a set request; answers 0.
    virtual LONG AfterSet();
    virtual LONG QueryHost(DWORD code, void* data);
    virtual LONG GetHostValue(DWORD code, void* data);
    virtual LONG SetHostValue(DWORD code, void* data);
    virtual LONG GetValue1071(void* data);
    virtual LONG GetValue1024(void* data);
    virtual LONG GetRecordVersion();

    // The number of records of host code 1071; GetValue1071 writes exactly this many.
    uint32_t StampCount() const;

    // The request's handles (zero before Attach and after Reset).
    UIDEVDATA* request = nullptr;
    uint8_t* devmode = nullptr;  // the request's current device mode (kind 3)
    HANDLE printer = nullptr;
    HMODULE extModule = nullptr;
    LPCSTR printerName = nullptr;

protected:
    // Checked access to the current settings, the device-option data and the device data.
    NonSvHost host_;

    // Option n of the current device mode; 2-byte options are sign-extended, an option that
    // cannot be read reads 0.
    int32_t Opt(DWORD n) const;
    bool SetOpt(DWORD n, int32_t value) const;
    bool OptBytes(DWORD n, void* buffer, DWORD size) const;
    bool OptBit(DWORD n, uint32_t mask) const { return (static_cast<uint32_t>(Opt(n)) & mask) != 0; }
    void ChangeBits(DWORD n, uint32_t set, uint32_t clear) const;
    // The public fields and the private header of the current device mode (16-bit signed).
    int16_t Field16(size_t offset) const;
    void SetField16(size_t offset, int16_t value) const;
    uint32_t Field32(size_t offset) const;
    void SetField32(size_t offset, uint32_t value) const;
    // The device-option value 0x207 (2 bytes).
    uint16_t DeviceMode207() const;
    // Options taken from the printer's default device mode (kind 2).
    void TakeFromPrinterDefault(DWORD n) const;

    // Parts of GetHostValue that have records of their own.
    LONG ColourMatching(void* data);
    // 0x814 (countOnly) and 0x815; clearFirstFive clears bit 0x08 of the first entry of a paper
    // whose base id is 5.
    LONG PaperList(void* data, bool countOnly, bool clearFirstFive);
    LONG RegistryPath(void* data);
    LONG LayoutValues(void* data);
    LONG GutterWords(void* data);
    // The value a set request brings (16 bits for the copies and the resolution, nothing read
    // for the page list); false for null data.
    static bool TakeHostValue(DWORD code, const void* data, uint32_t& value);
    // Set 0x802, shared with the model adapter: refusals first, then the effects.
    LONG SetDuplex(uint32_t value);
    bool Attached() const { return request != nullptr; }
};
