// The device questions of the option operations, each read from the device data, the
// device-option data and the model's description through the host's checked accessors.
#include "settings/sdk/nonsv_predicates.h"

#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "core/devmode/device_option_block.h"
#include "core/devmode/model_section.h"

namespace nonsv {

int FindFinisherIndex(const NonSvHost& host, uint32_t finisherCode) {
    const FinisherIndexEntry* entry = host.model ? host.model->finisherIndex : nullptr;
    for (; entry && entry->finisherCode != 0; ++entry)
        if (entry->finisherCode == finisherCode) return entry->recordIndex;
    return -1;
}

ByteView FinisherRecord(const NonSvHost& host) {
    if (!host.device) return {};
    DeviceList records = host.device->ListAt(nsdevice::kFinisherRecords);
    if (records.count == 0 || records.entrySize < nsfinisher::kRecordSize) return {};
    int index = host.DopBit(nsdop::kFlagWord, 3) ? 0 : FindFinisherIndex(host, host.Dop8(nsdop::kFinisherCode));
    if (index < 0 || static_cast<uint32_t>(index) >= records.count) return {};
    return records.Entry(static_cast<uint32_t>(index));
}

namespace {

uint16_t recordWord(ByteView record, size_t offset) { return record.u16_or_zero(offset); }

}  // namespace

bool HasLayoutOptions(const NonSvHost& host) { return host.model && host.model->layoutFlag != 0; }

bool IsZFoldAvailable(const NonSvHost& host) {
    uint32_t flags = host.Dop32(nsdop::kFlagWord);
    return (flags & ((1u << 1) | (1u << 12))) != 0;
}

bool IsPunchAvailable(const NonSvHost& host) {
    if (!UnitPresent(host.Device32(nsdevice::kPunchUnit))) return false;
    ByteView record = FinisherRecord(host);
    if (!record.size()) return false;
    uint16_t punch = recordWord(record, nsfinisher::kPunchWord);
    if (punch >= 2) return true;
    if (punch != 1) return false;
    uint16_t word = host.Dop16(nsdop::kPunchWord);
    return (host.Dop32(nsdop::kFlagWord) & (1u << 2)) != 0 || (word >= 1 && word <= 5);
}

bool IsRotateAvailable(const NonSvHost& host) {
    if (!UnitPresent(host.Device32(nsdevice::kRotationUnit))) return false;
    // The rotate lock is bit 8 of the flag word, which is bit 0 of the third byte as well.
    if (host.Dop32(nsdop::kFlagWord) & (1u << 8)) return false;
    if (host.Dop8(nsdop::kFinisherCode) == 0) return true;
    ByteView record = FinisherRecord(host);
    return record.size() && recordWord(record, nsfinisher::kRotateWord) == 2;
}

bool TestDeviceOptionBit(const NonSvHost& host) { return host.DopBit(nsdop::kPageLists, 7); }

bool HasSizeClasses(const NonSvHost& host) {
    return host.DopBit(nsdop::kSizeClasses, 3) && host.DopBit(nsdop::kThirdByte, 0);
}

bool IsCode10155Available(const NonSvHost& host) {
    return host.DopBit(nsdop::kByte984, 4) && host.DopBit(nsdop::kByte37, 2);
}

bool HasFinisherFeatureA(const NonSvHost& host) {
    if (!UnitPresent(host.Device32(nsdevice::kFinisherUnit))) return false;
    ByteView record = FinisherRecord(host);
    uint32_t feature = 0;
    return record.u32(nsfinisher::kFeatureA, feature) && feature == 2;
}

bool HasFinisherFeatureB(const NonSvHost& host) {
    if (!UnitPresent(host.Device32(nsdevice::kOptionRecordUnit)) || host.Dop8(nsdop::kFinisherCode) == 0)
        return false;
    ByteView record = FinisherRecord(host);
    if (!record.size() || !UnitPresent(recordWord(record, nsfinisher::kSubUnitKind))) return false;
    uint16_t count = recordWord(record, nsfinisher::kSubUnitCount);
    for (size_t i = 0; i < count && i < nsfinisher::kSubUnitMax; ++i)
        if (recordWord(record, nsfinisher::kSubUnitTypes + 2 * i) == 2) return true;
    return false;
}

bool CanInsertPages(const NonSvHost& host) {
    uint16_t spooling = 0;
    if (host.deviceOption) devopt::GetValue(host.deviceOption, devopt::kValueSpooling, &spooling, sizeof spooling);
    if (spooling == 2) return false;
    uint16_t layout = host.Option16(124);
    if (layout == 2 || layout == 4 || layout == 5) return false;
    if (host.Priv16(devmode::model::kOutputWord) == 1) return false;
    return (host.Option32(190) & ((1u << 7) | (1u << 8))) == 0;
}

}  // namespace nonsv
