// `CmNonSvSDK`: the common host adapter of the application option interface. It holds the
// request's handles between `Attach` and `Reset` and answers the requests that are no setting
// item (profiles, versions, the settings block, the watermark record, batch queries, bits of the
// private device mode) from its own table of request codes.
#pragma once

#include "core/device/uidevdata.h"
#include "core/memory/pool_object.h"
#include "settings/sdk/sdk_request.h"

#include <windows.h>

#include <cstdint>
#include <span>

class CmSvConflict;
class DeviceData;

class CmNonSvSDK : public PoolObject {
public:
    using Operation = LONG (CmNonSvSDK::*)(DWORD kind, void* data);
    struct Entry {
        DWORD code;
        Operation op;
    };

    CmNonSvSDK() = default;
    virtual ~CmNonSvSDK() { Reset(); }
    CmNonSvSDK(const CmNonSvSDK&) = delete;
    CmNonSvSDK& operator=(const CmNonSvSDK&) = delete;

    // Fills the handles the first time; nothing once attached.
    virtual void Attach(UIDEVDATA* ctx);
    virtual void Reset();

    // Operations `SDK` answers (the item procedure, the registry's states and re-evaluation);
    // this class answers 2 and does nothing.
    virtual LONG Request(DWORD kind, DWORD code, void* data);
    virtual LONG GetCodeState(DWORD code);
    virtual LONG GetItemState(DWORD itemId);
    virtual void Refresh(DWORD flag);
    virtual void RefreshItems(DWORD flag);

    // The operation of this class for a code; kSdkNotMine when the table has none.
    LONG AnswerCommon(DWORD kind, DWORD code, void* data);
    static std::span<const Entry> CommonTable();

    // --- operations by request code (cm_non_sv_sdk_*.cpp) --------------------------------------
    LONG NotSupported(DWORD kind, void* data);
    LONG Profile(DWORD kind, void* data);
    LONG AddProfile(DWORD kind, void* data);
    LONG DeleteProfile(DWORD kind, void* data);
    LONG ImportProfile(DWORD kind, void* data);
    LONG GetSdkVersion(DWORD kind, void* data);
    LONG ResetAll(DWORD kind, void* data);
    LONG GetModelName(DWORD kind, void* data);
    LONG OpenSettingsSheet(DWORD kind, void* data);
    LONG Query1000C(DWORD kind, void* data);
    LONG GetDeviceArea2(DWORD kind, void* data);
    LONG GetDeviceArea1(DWORD kind, void* data);
    LONG GetSecondVersion(DWORD kind, void* data);
    LONG QueryMany(DWORD kind, void* data);
    LONG Option110Level(DWORD kind, void* data);
    LONG Watermark(DWORD kind, void* data);
    LONG ColorMatching(DWORD kind, void* data);
    LONG ColorProfileValues(DWORD kind, void* data);
    LONG IsOption102Two(DWORD kind, void* data);
    LONG Option100Bit19(DWORD kind, void* data);
    LONG Option110Bit19(DWORD kind, void* data);
    LONG CheckBuffer(DWORD kind, void* data);
    LONG Option100Bit24(DWORD kind, void* data);
    LONG DeviceItem81B(DWORD kind, void* data);
    LONG DeviceItemMask(DWORD kind, void* data);
    // 1 accepts the profile's device mode (new) over the current one.
    virtual LONG CheckProfileDevmode(uint8_t* profile, uint8_t* current);
    LONG AfterProfileApplied();

    // The sheet's item registry of the attached request; null when none was started.
    CmSvConflict* Registry() const;

    // The request's handles (zero before Attach and after Reset).
    uint8_t* settings = nullptr;        // the user data's current settings
    uint8_t* defaultDevmode = nullptr;  // device mode kind 1
    uint8_t* deviceOption = nullptr;    // the user data's device-option block
    UIDEVDATA* ctx = nullptr;
    HANDLE printer = nullptr;
    uint16_t modelCode = 0;
    DeviceData* deviceData = nullptr;

protected:
    // Option values of a device mode through the service table; false when the option cannot be
    // read or written (nothing written then).
    bool GetOption(const void* devmode, DWORD number, void* buffer, DWORD size) const;
    bool SetOption(void* devmode, DWORD number, const void* buffer, DWORD size) const;
    uint32_t Option32(const void* devmode, DWORD number) const;
    uint16_t Option16(const void* devmode, DWORD number) const;
    // The 32-bit word at data (1 / false for null data).
    static LONG PutWord(void* data, uint32_t value);
    static bool ReadWord(const void* data, uint32_t& value);
    // Two consecutive words of the device-area record, the first counted from 1.
    LONG DeviceAreaWords(DWORD kind, void* data, uint32_t firstWord);
    // One bit of an option word: get, set (0 or 1) and clear on default, as the code allows.
    LONG OptionBit(DWORD kind, void* data, DWORD option, uint32_t bit, bool settable, bool clearsOnDefault);

    // The watermark record from a device mode's options, and into the current settings.
    LONG ReadWatermark(const uint8_t* devmode, uint8_t* record) const;
    LONG WriteWatermark(const uint8_t* record);

    // Applies the stored profile of that exact name to the current settings.
    LONG ApplyProfile(const char* name);
    // A new device mode made from a profile keeps the current job's paper.
    void CarryCurrentPaper(uint8_t* next);

private:
    bool inBatch_ = false;  // a batch query is running: a nested one is refused
};
