// The device-mode lifecycle. A stored or supplied device mode is only ever converted over a
// device mode this process built, and one that fails the checks gives way to the defaults; the
// stored value itself is left alone until the user saves new settings.
#include "core/devmode/devmode_store.h"

#include "core/devmode/device_option_block.h"
#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_convert.h"
#include "core/devmode/devmode_merge.h"
#include "core/devmode/devmode_option_table.h"
#include "core/datafile/printer_driver_data.h"
#include "core/library/scoped_lock.h"

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
// does not convert.
std::vector<uint8_t> converted(const DevmodeStore& store, const std::vector<uint8_t>& base,
                               const std::vector<uint8_t>& source) {
    std::vector<uint8_t> out(kDevmodeSize);
    if (source.empty() || !convertDevmode(base.data(), source.data(), source.size(), out.data(), out.size()))
        return base;
    upgradeAndValidate(store, source.data(), source.size(), MutableByteView(out.data(), out.size()));
    return out;
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
            if (!store.pseudoPrinter) readDriverValue(store.printerName, kDefaultDevmodeValue, stored);
            cached = converted(store, std::vector<uint8_t>(defaults, defaults + kDevmodeSize), stored);
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

uint8_t* GetDeviceOption(DevmodeStore& store) {
    if (store.deviceOption.empty()) {
        std::vector<uint8_t> stored;
        store.deviceOption.resize(devopt::kBlockSize);
        if (store.pseudoPrinter || !readDriverValue(store.printerName, kDeviceOptionValue, stored) ||
            !devopt::upgradeBlock(stored.data(), stored.size(), store.deviceOption.data(), store.deviceOption.size()))
        {
            devopt::buildDefaultBlock(store.deviceOption.data(), store.deviceOption.size());
            if (store.rules)
                store.rules->ApplyDeviceOptionDefaults(
                    MutableByteView(store.deviceOption.data(), store.deviceOption.size()));
        }
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
    if (!block) block = GetDeviceOption(store);
    // The block's own header says how long it is; a block that does not pass the checks of a
    // stored one is not written, so that the next load does not fall back to empty defaults.
    std::vector<uint8_t> current(devopt::kBlockSize);
    uint32_t size = devopt::blockSize(block);
    if (!devopt::upgradeBlock(block, size, current.data(), current.size())) return FALSE;
    if (!store.pseudoPrinter && !writeDriverValue(store.printerName, kDeviceOptionValue, current.data(), current.size()))
        return FALSE;
    store.deviceOption = std::move(current);
    return TRUE;
}

}  // namespace devmode
