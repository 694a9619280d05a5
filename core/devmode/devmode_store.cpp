// The device-mode lifecycle. A stored or supplied device mode is only ever converted over a
// device mode this process built, and one that fails the checks gives way to the defaults; the
// stored value itself is left alone until the user saves new settings.
#include "core/devmode/devmode_store.h"

#include "core/devmode/device_option_block.h"
#include "core/devmode/device_option_merge.h"
#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_convert.h"
#include "core/devmode/devmode_merge.h"
#include "core/devmode/devmode_option_table.h"
#include "core/datafile/printer_driver_data.h"
#include "core/library/scoped_lock.h"
#include "platform/registry/update_lock.h"

#include <cstring>
#include <string>

#include <cstring>


namespace devmode {
namespace {

// A device mode converted from size bytes of source, under the model's rules: upgraded when it
// was of an older private version, then validated.
void upgradeAndValidate(const DevmodeStore& store, const void* source, size_t size, MutableByteView converted) {
    if (!store.rules) return;
    uint16_t version = kPrivateVersion;
    ByteView(source, size).u16(kOffPrivateVersion, version);
    if (version < kPrivateVersion) store.rules->Upgrade(version, converted);
    store.rules->Validate(converted);
}

// A device mode that came from outside, in the current layout over base; base itself when it
// does not convert (`refused` then set, when given).
std::vector<uint8_t> converted(const DevmodeStore& store, const std::vector<uint8_t>& base,
                               const std::vector<uint8_t>& source, bool* refused = nullptr) {
    std::vector<uint8_t> out(kDevmodeSize);
    if (source.empty()) return base;
    if (!convertDevmode(base.data(), source.data(), source.size(), out.data(), out.size())) {
        if (refused) *refused = true;
        return base;
    }
    upgradeAndValidate(store, source.data(), source.size(), MutableByteView(out.data(), out.size()));
    return out;
}

// Tells whoever reads debug output which stored value of the printer could not be used and why:
// the defaults stand in for it, and the stored value itself stays until settings are saved.
void reportUnusable(const DevmodeStore& store, const char* value, size_t size, const char* why) {
    if (!why) why = "it does not read";
    const std::string line = "Drvopui: the stored \"" + std::string(value) + "\" of \"" + store.printerName + "\" (" +
                             std::to_string(size) + " bytes) cannot be used: " + why +
                             "; the driver's defaults stand in for it\n";
    OutputDebugStringA(line.c_str());
}

const char* devmodeFault(const std::vector<uint8_t>& stored) {
    switch (checkDevmode(stored.data(), stored.size()).trust) {
    case Trust::Refused: return "it is damaged, forged or of another version of this driver";
    case Trust::PublicOnly: return "it is not a device mode of this driver";
    default: return "it does not convert into the current form";
    }
}

std::vector<uint8_t> buildDefault(const DevmodeStore& store) {
    std::vector<uint8_t> defaults(kDevmodeSize);
    buildDefaultDevmode(store.facts, defaults.data(), defaults.size());
    if (store.rules) store.rules->ApplyDefaults(MutableByteView(defaults.data(), defaults.size()));
    std::vector<uint8_t> item;
    uint32_t size = store.dataItems ? store.dataItems->GetItemSize(kDefaultDevmodeItem) : 0;
    if (size && size <= kMaxDriverValue) {
        item.resize(size);
        if (!store.dataItems->ReadItem(kDefaultDevmodeItem, item.data(), size)) item.clear();
    }
    return converted(store, defaults, item);
}

}  // namespace

uint8_t* GetDevmode(DevmodeStore& store, int kind) {
    if (kind < 1 || kind > 3) return nullptr;
    std::vector<uint8_t>& cached = store.devmodes[kind - 1];
    if (cached.empty()) {
        if (kind == 1) {
            cached = buildDefault(store);
        } else if (kind == 2) {
            const uint8_t* defaults = GetDevmode(store, 1);
            std::vector<uint8_t> stored;
            size_t storedSize = 0;
            if (!store.pseudoPrinter) readDriverValue(store.printerName, kDefaultDevmodeValue, stored, &storedSize);
            bool refused = false;
            cached = converted(store, std::vector<uint8_t>(defaults, defaults + kDevmodeSize), stored, &refused);
            if (storedSize && stored.empty())
                reportUnusable(store, kDefaultDevmodeValue, storedSize, "it is larger than any device mode of this driver");
            else if (refused)
                reportUnusable(store, kDefaultDevmodeValue, storedSize, devmodeFault(stored));
        } else {
            uint8_t* printerDefault = GetDevmode(store, 2);
            cached.assign(printerDefault, printerDefault + kDevmodeSize);
        }
    }
    return cached.data();
}

uint32_t GetDevmodeSize(const DevmodeStore&, int form) {
    // Both forms share one layout in this version; callers still ask for the one they mean.
    return form == 1 || form == 2 ? kDevmodeSize : 0;
}

BOOL SetRequestDevmode(DevmodeStore& store, const void* callerDevmode) {
    uint8_t* printerDefault = GetDevmode(store, 2);
    std::vector<uint8_t> request(printerDefault, printerDefault + kDevmodeSize);
    BOOL ok = TRUE;
    if (callerDevmode) {
        ScopedLock lock(store.coreLock);
        ok = mergeDevmode(callerDevmode, declaredSize(callerDevmode), request.data(), request.size());
        if (ok && store.rules) store.rules->Validate(MutableByteView(request.data(), request.size()));
    }
    store.devmodes[2] = std::move(request);
    // The printer's default (kind 2) is built once and never written, so the same caller bytes
    // merge into the same request for the life of the store.
    if (ok && callerDevmode) {
        const auto* bytes = static_cast<const uint8_t*>(callerDevmode);
        store.lastCaller.assign(bytes, bytes + declaredSize(callerDevmode));
        store.lastRequest = store.devmodes[2];
    } else {
        store.lastCaller.clear();
    }
    return ok;
}

bool RepeatRequestDevmode(DevmodeStore& store, const void* callerDevmode, size_t size) {
    if (!callerDevmode || store.lastCaller.empty() || size != store.lastCaller.size() ||
        std::memcmp(callerDevmode, store.lastCaller.data(), size) != 0)
        return false;
    // Kind 3 may have been written since by a request whose result the caller did not take: it
    // is put back whole, as the merge would make it again.
    store.devmodes[2].assign(store.lastRequest.begin(), store.lastRequest.end());
    return true;
}

BOOL ValidateDevmode(DevmodeStore& store, const void* source, size_t sourceSize, void* destination) {
    if (!source || !destination) return FALSE;
    ScopedLock lock(store.coreLock);
    uint32_t size = declaredSize(destination);
    if (!mergeDevmode(source, sourceSize, destination, size)) return FALSE;
    if (store.rules) store.rules->Validate(MutableByteView(destination, size));
    return TRUE;
}

BOOL ConvertDevmode(DevmodeStore& store, void* current, void* other, size_t otherSize, int direction) {
    if (!current || !other || (direction != 1 && direction != 2)) return FALSE;
    const uint8_t* base = GetDevmode(store, 1);
    void* source = direction == 1 ? other : current;
    void* target = direction == 1 ? current : other;
    // The current form is this process's own; only the other side's size is the caller's word.
    size_t size = direction == 1 ? otherSize : kDevmodeSize;
    if (!convertDevmode(base, source, size, target, kDevmodeSize)) return FALSE;
    if (direction == 1) upgradeAndValidate(store, source, size, MutableByteView(target, kDevmodeSize));
    return TRUE;
}

namespace {

// The printer's block as stored now, in the current layout; the empty defaults when it has none
// or one that cannot be used (said in debug output when `report`).
std::vector<uint8_t> storedBlock(const DevmodeStore& store, bool report) {
    std::vector<uint8_t> stored, block(devopt::kBlockSize);
    size_t storedSize = 0;
    if (!store.pseudoPrinter && readDriverValue(store.printerName, kDeviceOptionValue, stored, &storedSize) &&
        devopt::upgradeBlock(stored.data(), stored.size(), block.data(), block.size()))
        return block;
    if (storedSize && report)
        reportUnusable(store, kDeviceOptionValue, storedSize,
                       stored.empty() ? "it is larger than any device-option block of this driver"
                                      : devopt::blockFault(stored.data(), stored.size()));
    devopt::buildDefaultBlock(block.data(), block.size());
    if (store.rules) store.rules->ApplyDeviceOptionDefaults(MutableByteView(block.data(), block.size()));
    return block;
}

}  // namespace

uint8_t* GetDeviceOption(DevmodeStore& store) {
    if (store.deviceOption.empty()) {
        store.deviceOption = storedBlock(store, true);
        store.deviceOptionBase = store.deviceOption;
    }
    return store.deviceOption.data();
}

uint8_t* GetDeviceOptionData(DevmodeStore& store) { return devopt::blockData(GetDeviceOption(store)); }

uint32_t GetDeviceOptionSize(DevmodeStore& store) { return devopt::blockSize(GetDeviceOption(store)); }

BOOL GetDeviceOptionValue(DevmodeStore& store, const void* block, uint32_t id, void* buffer, size_t size) {
    return devopt::GetValue(block ? block : GetDeviceOption(store), id, buffer, size);
}

BOOL SetDeviceOptionValue(DevmodeStore& store, void* block, uint32_t id, const void* buffer, size_t size) {
    return devopt::SetValue(block ? block : GetDeviceOption(store), id, buffer, size);
}

BOOL WriteDeviceOption(DevmodeStore& store, const void* block) {
    GetDeviceOption(store);  // the block this process read, which the changes are told from
    if (!block) block = store.deviceOption.data();
    // The block's own header says how long it is; a block that does not pass the checks of a
    // stored one is not written, so that the next load does not fall back to empty defaults.
    std::vector<uint8_t> mine(devopt::kBlockSize);
    uint32_t size = devopt::blockSize(block);
    if (!devopt::upgradeBlock(block, size, mine.data(), mine.size())) return FALSE;
    std::vector<uint8_t> merged = mine;
    if (!store.pseudoPrinter) {
        // Other processes may have stored the block since this one read it: their changes stay,
        // and this one's go over them, all under the registry's lock.
        registry::UpdateLock held;
        merged = storedBlock(store, false);
        devopt::mergeChanges(store.deviceOptionBase.data(), mine.data(), merged.data());
        if (held.Status() != ERROR_SUCCESS ||
            !writeDriverValue(store.printerName, kDeviceOptionValue, merged.data(), merged.size())) {
            // A change that was not stored leaves nothing behind: the store's block becomes what
            // the printer holds, so that no later write carries the refused change out.
            if (block == store.deviceOption.data()) {
                store.deviceOptionBase = storedBlock(store, false);
                std::memcpy(store.deviceOption.data(), store.deviceOptionBase.data(), store.deviceOptionBase.size());
            }
            return FALSE;
        }
    }
    // Copied into place: callers hold pointers into the store's block.
    std::memcpy(store.deviceOption.data(), merged.data(), merged.size());
    store.deviceOptionBase = std::move(merged);
    return TRUE;
}

}  // namespace devmode
