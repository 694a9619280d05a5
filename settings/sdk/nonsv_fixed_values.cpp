// Request codes that hand out a fixed value or a capability of the device: kind 0 gives the
// size, kind 2 the value, every other kind 2. A code whose feature the device or model lacks
// answers 2 for every kind before the data pointer is looked at.
#include "settings/sdk/nonsv_operations.h"

#include "core/datafile/device_data.h"
#include "core/devmode/model_section.h"
#include "settings/sdk/nonsv_predicates.h"

namespace nonsv {

namespace {

// The size announced is the word the get writes, so that a caller who sizes its buffer by it
// has room.
int fixedValue(bool supported, int kind, void* data, uint32_t value) {
    if (!supported) return kNsNotSupported;
    if (kind == kNsSize) return PutWord(data, sizeof value);
    if (kind == kNsGet) return PutWord(data, value);
    return kNsNotSupported;
}

bool flag(const NonSvHost& host, uint32_t code) { return host.model && host.model->CodeFlag(code) != 0; }

}  // namespace

int Code10005(NonSvHost&, int kind, void* data) {
    if (kind == kNsSet || kind == kNsDefault) return kNsRefused;
    return fixedValue(true, kind, data, 1);
}

int Code1000B(NonSvHost& host, int kind, void* data) {
    uint16_t deviceClass = host.Device16(nsdevice::kDeviceClass);
    return fixedValue(true, kind, data, deviceClass == 0x110 ? 3 : deviceClass == 0x200 ? 2 : 1);
}

int Query1000C(NonSvHost& host, int kind, void* data) {
    return fixedValue(host.CodeState(0x10089) != kNsNotSupported, kind, data, 0);
}

int Code10010(NonSvHost& host, int kind, void* data) {
    uint32_t unit = host.Device32(nsdevice::kOptionRecordUnit);
    if (unit == 0) return kNsNotSupported;
    if (kind == kNsSize) return PutWord(data, 4);
    if (kind != kNsGet) return kNsNotSupported;
    if (!data) return kNsNoBuffer;
    // Without a record of type 2 the caller's word stays as it was: the answer names no value.
    if (!UnitPresent(unit) || !host.device) return kNsDone;
    DeviceList records = host.device->ListAt(nsdevice::kOptionRecords);
    for (uint32_t i = 0; i < records.count; ++i) {
        ByteView record = records.Entry(i);
        uint16_t type = 0;
        uint32_t value = 0;
        if (record.u16(0, type) && type == 2 && record.u32(4, value)) return PutWord(data, value);
    }
    return kNsDone;
}

int Code10016(NonSvHost&, int, void*) { return kNsNotSupported; }

int Code10040(NonSvHost& host, int kind, void* data) {
    return fixedValue(host.Device32(nsdevice::kOptionRecordUnit) != 0, kind, data, flag(host, 0x10040) ? 7 : 0);
}

int Code10042(NonSvHost& host, int kind, void* data) {
    return fixedValue(host.model->pageListFlag != 0, kind, data, 0);
}

int Code10044(NonSvHost& host, int kind, void* data) {
    // The model flag names models that lack this choice of finishing positions.
    uint32_t value = host.DopBit(nsdop::kByte982, 4) ? 30 : 31;
    if (host.DopBit(nsdop::kByte982, 3)) value &= ~(1u << 1);
    if (host.Priv16(devmode::model::kPrivateFlags) != 1) value &= ~(1u << 4);
    return fixedValue(!flag(host, 0x10044), kind, data, value);
}

int Code10045(NonSvHost& host, int kind, void* data) {
    uint16_t unit = host.model->unitWord;
    return fixedValue(TestDeviceOptionBit(host), kind, data, unit == 16 || unit == 100 || unit == 400 ? unit : 1);
}

int Code1004A(NonSvHost& host, int kind, void* data) {
    uint32_t value = 0xFFFFFFFF;
    switch (host.modelCode) {
    case 1001: value = 2000; break;
    case 1008: value = 16; break;
    case 1009: case 1010: case 1012: case 1015: case 1016: case 1017:
        value = host.Dop16(nsdop::kWord1004A) <= 1 ? 16 : 0xFFFFFFFF;
        break;
    case 1018: case 1030: value = 400; break;
    default: break;
    }
    return fixedValue(true, kind, data, value);
}

int Code10050(NonSvHost& host, int kind, void* data) {
    uint8_t finisher = host.Dop8(nsdop::kFinisherCode);
    bool none = host.model->trayTableKind == 1 && (finisher == 40 || finisher == 41);
    return fixedValue(host.model->trayTableFlag != 0, kind, data, none ? 0 : 350);
}

int Code10056(NonSvHost& host, int kind, void* data) {
    return fixedValue(flag(host, 0x10056), kind, data, host.modelCode == 3001 ? 3 : 0);
}

int Code100CA(NonSvHost& host, int kind, void* data) { return fixedValue(flag(host, 0x100CA), kind, data, 1); }

int Code100DD(NonSvHost& host, int kind, void* data) { return fixedValue(flag(host, 0x100DD), kind, data, 1); }

int Code1010A(NonSvHost& host, int kind, void* data) {
    return fixedValue(true, kind, data, (host.Dop32(nsdop::kPageLists) >> 22) & 1);
}

int Code1010E(NonSvHost&, int kind, void* data) { return fixedValue(true, kind, data, 127); }

int Code10112(NonSvHost& host, int kind, void* data) {
    return fixedValue(host.DopBit(nsdop::kByte981, 6), kind, data, 9999);
}

int Code10115(NonSvHost& host, int kind, void* data) { return fixedValue(flag(host, 0x10115), kind, data, 9999); }

int Code1012E(NonSvHost& host, int kind, void* data) {
    return fixedValue(true, kind, data, flag(host, 0x1012E) ? 1 : 0);
}

int Code1013D(NonSvHost& host, int kind, void* data) {
    if (!host.DopBit(nsdop::kSizeClasses, 3)) return kNsNotSupported;
    if (kind == kNsSize) return PutWord(data, 8);
    static constexpr uint32_t kValues[] = {200, 10};
    if (kind == kNsGet) return PutWords(data, kValues, 2);
    return kNsNotSupported;
}

int Code1013F(NonSvHost& host, int kind, void* data) {
    uint32_t value = host.DeviceOptionData().size() ? host.Dop32(nsdop::kWord1013F) & 0x7 : 1;
    return fixedValue(true, kind, data, value);
}

int Code1003E(NonSvHost& host, int kind, void* data) {
    if (host.Device32(nsdevice::kPunchUnit) == 0) return kNsNotSupported;
    uint32_t value = 0;
    if (host.modelCode == 7 && host.Dop8(nsdop::kFinisherCode) == 30) {
        value = 3;
    } else {
        switch (host.Dop16(nsdop::kPunchWord)) {
        case 1: value = 2; break;
        case 2: {
            uint16_t paper = host.Option16(116), edge = host.Option16(121);
            value = (paper == 1 || paper == 5 || paper == 256) && (edge == 2 || edge == 3) ? 2 : 3;
            break;
        }
        case 3: case 4: value = 4; break;
        case 5: value = 5; break;
        default: break;
        }
    }
    return fixedValue(true, kind, data, value);
}

int Code1002C(NonSvHost& host, int kind, void* data) {
    int32_t value = 0;
    if (host.Option32(110) & (1u << 12)) value = static_cast<int16_t>(host.Option16(144));
    return fixedValue(true, kind, data, static_cast<uint32_t>(value));
}

}  // namespace nonsv
