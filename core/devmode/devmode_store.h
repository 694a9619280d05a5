// The device modes and the device-option block of one request, with their life: kind 1 the
// default device mode, kind 2 the printer's default ("Default DevMode" over kind 1), kind 3 the
// request's current device mode; each built on first use and kept. The core context owns one.
#pragma once

#include "core/datafile/data_item_reader.h"
#include "core/devmode/devmode_defaults.h"
#include "core/devmode/devmode_rules.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace devmode {

struct DevmodeStore {
    std::string printerName;                    // whose "PrinterDriverData" is read and written
    bool pseudoPrinter = false;                 // its blocks live here only, never in the registry
    ModelFacts facts;                           // what the built-in defaults need of the model
    const DevmodeRules* rules = nullptr;        // the model extension's rules; none: built-in only
    const DataItemReader* dataItems = nullptr;  // the data file's items, when one is loaded
    CRITICAL_SECTION* coreLock = nullptr;       // held while a caller's fields merge in
    std::vector<uint8_t> devmodes[3];           // kinds 1 to 3; empty until first asked for
    std::vector<uint8_t> deviceOption;          // empty until first asked for
    std::vector<uint8_t> deviceOptionBase;      // the stored block deviceOption was read as
    // The caller's device mode SetRequestDevmode last merged, and kind 3 as that merge made it:
    // an application hands in the same device mode request after request.
    std::vector<uint8_t> lastCaller;
    std::vector<uint8_t> lastRequest;
};

inline constexpr char kDefaultDevmodeValue[] = "Default DevMode";
inline constexpr char kDeviceOptionValue[] = "DeviceOption";

// The cached device mode of kind 1, 2 or 3, built when missing; null for another kind.
uint8_t* GetDevmode(DevmodeStore& store, int kind);
// Size of the current (1) or extended (2) form; 0 for another form.
uint32_t GetDevmodeSize(const DevmodeStore& store, int form);
// Makes kind 3 the printer's default with a caller's device mode merged in. A refused device
// mode answers FALSE and leaves kind 3 the printer's default.
BOOL SetRequestDevmode(DevmodeStore& store, const void* callerDevmode);
// When the size bytes of callerDevmode are byte for byte the device mode SetRequestDevmode last
// took, makes kind 3 what that merge made and answers true, at the price of one compare; false
// otherwise, and the caller's device mode has to be checked and merged.
bool RepeatRequestDevmode(DevmodeStore& store, const void* callerDevmode, size_t size);
// Checks sourceSize bytes of source and merges them into destination (a device mode of the
// current form), under the core lock. FALSE, destination unchanged, when source is refused; the
// source's declared sizes are a claim that sourceSize bounds.
BOOL ValidateDevmode(DevmodeStore& store, const void* source, size_t sourceSize, void* destination);
// Direction 1 converts otherSize bytes of other (extended, stored, older or shorter) into
// current; direction 2 current into other, in the extended form. The target must hold
// GetDevmodeSize bytes; nothing is read past otherSize in direction 1.
BOOL ConvertDevmode(DevmodeStore& store, void* current, void* other, size_t otherSize, int direction);

// The device-option block, loaded from "DeviceOption" once (empty defaults when the printer has
// none or a damaged one), and its parts.
uint8_t* GetDeviceOption(DevmodeStore& store);
uint8_t* GetDeviceOptionData(DevmodeStore& store);
uint32_t GetDeviceOptionSize(DevmodeStore& store);
// Values of a block; a null block means the store's own. Sheets and dialogs pass their copies.
BOOL GetDeviceOptionValue(DevmodeStore& store, const void* block, uint32_t id, void* buffer, size_t size);
BOOL SetDeviceOptionValue(DevmodeStore& store, void* block, uint32_t id, const void* buffer, size_t size);
// Stores the changes a block holds, against the block the store read, into the printer's
// "DeviceOption" value as other processes left it (under the registry's lock), and makes the
// result the store's block. Non-zero on success; 0 when the block is damaged or the registry
// write failed, and then nothing changed.
BOOL WriteDeviceOption(DevmodeStore& store, const void* block);

}  // namespace devmode
