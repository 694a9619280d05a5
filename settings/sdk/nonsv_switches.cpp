// Request codes that switch a setting kept in a device-mode option or a private field. They share
// one shape: a gate, the size, the current value, and a set that is guarded by other settings,
// skips a write that changes nothing and refuses values outside its set; the default request
// sets the default value.
#include "settings/sdk/nonsv_operations.h"

#include "core/devmode/model_section.h"
#include "settings/registry/conflict.h"
#include "settings/sdk/nonsv_predicates.h"

#include <windows.h>

#include <cstddef>

namespace nonsv {

namespace model = devmode::model;

namespace {

struct Switch {
    // Reads the current value; the answer of a read (0, or 1 for a stored value it cannot name).
    int (*get)(NonSvHost& host, uint32_t& value);
    // 0 while the change is allowed, else the answer (3).
    int (*guard)(NonSvHost& host);
    bool (*accepts)(uint32_t value);
    // Writes an accepted value; false when the fields to write are out of reach.
    bool (*put)(NonSvHost& host, uint32_t value);
    uint32_t defaultValue;
    bool compareFirst = true;
};

int setSwitch(NonSvHost& host, const Switch& s, uint32_t value) {
    if (s.guard) {
        if (int refused = s.guard(host)) return refused;
    }
    if (s.compareFirst) {
        // A current value that cannot be read is no reason to skip the write.
        uint32_t current = 0;
        if (s.get(host, current) == kNsDone && current == value) return kNsDone;
    }
    if (!s.accepts(value)) return kNsNotSupported;
    return s.put(host, value) ? kNsDone : kNsNoBuffer;
}

int runSwitch(NonSvHost& host, const Switch& s, int kind, void* data) {
    uint32_t value = 0;
    switch (kind) {
    case kNsSize:
        return PutWord(data, 4);
    case kNsGet: {
        if (!data) return kNsNoBuffer;
        int answer = s.get(host, value);
        return answer == kNsDone ? PutWord(data, value) : answer;
    }
    case kNsSet:
        if (!TakeWord(data, value)) return kNsNoBuffer;
        return setSwitch(host, s, value);
    case kNsDefault:
        return setSwitch(host, s, s.defaultValue);
    default:
        return kNsNotSupported;
    }
}

bool zeroOrOne(uint32_t v) { return v <= 1; }
bool oneOrTwo(uint32_t v) { return v == 1 || v == 2; }

bool classic(const NonSvHost& host) { return host.Device16(nsdevice::kDeviceClass) == 0x100; }

// Options 227 and 230 keep 0 and 1 for the values 1 and 2.
template <uint32_t Option>
int getOneTwo(NonSvHost& host, uint32_t& value) {
    uint16_t stored = host.Option16(Option);
    if (stored > 1) return kNsNoBuffer;
    value = stored + 1u;
    return kNsDone;
}
template <uint32_t Option>
bool putOneTwo(NonSvHost& host, uint32_t value) {
    return host.SetOption16(Option, static_cast<uint16_t>(value - 1));
}

int modeSwitchGuard(NonSvHost& host) { return host.Option16(226) == 1 ? 0 : kNsRefused; }

// 0x1001A and 0x1001B are locked on the classic device class while the mode switch is on and
// code 0x10019 is set.
int qualityGuard(NonSvHost& host) {
    if (classic(host) && host.Option16(226) == 1 && (host.Option32(220) & (1u << 12))) return kNsRefused;
    return 0;
}

constexpr uint32_t bit(unsigned n) { return 1u << n; }

bool setQualityWord(NonSvHost& host, uint32_t word, bool markChanged) {
    if (!host.SetOption32(220, word)) return false;
    if (markChanged) host.SetOption16(221, static_cast<uint16_t>(host.Option16(221) | bit(7)));
    return true;
}

const Switch kCode10017 = {getOneTwo<227>, modeSwitchGuard, oneOrTwo, putOneTwo<227>, 1};
const Switch kCode10018 = {getOneTwo<230>, modeSwitchGuard, oneOrTwo, putOneTwo<230>, 1};

const Switch kCode10019 = {
    [](NonSvHost& host, uint32_t& v) { v = (host.Option32(220) >> 12) & 1; return 0; },
    modeSwitchGuard, zeroOrOne,
    [](NonSvHost& host, uint32_t v) {
        uint32_t word = host.Option32(220);
        if (v == 1) word = (word | bit(12)) & ~(bit(11) | bit(13));
        else if (word & (bit(10) | bit(11))) word &= ~(bit(12) | bit(13));
        else word &= ~bit(12);
        return setQualityWord(host, word, false);
    },
    0};

const Switch kCode1001A = {
    [](NonSvHost& host, uint32_t& v) { v = (host.Option32(220) >> 11) & 1; return 0; },
    qualityGuard, zeroOrOne,
    [](NonSvHost& host, uint32_t v) {
        uint32_t word = host.Option32(220);
        word = v == 1 ? (word | bit(11)) & ~bit(13) : word & ~bit(11);
        return setQualityWord(host, word, true);
    },
    1};

bool setTrueTypeOption(NonSvHost& host, int16_t value) {
    if (!host.devmode) return false;
    uint16_t size = 0;
    ByteView(host.devmode, devmode::kPublicSize).u16(devmode::kOffSize, size);
    constexpr size_t at = offsetof(DEVMODEA, dmTTOption);
    if (size < at + 2) return false;
    return MutableByteView(host.devmode, size).put_s16(at, value);
}

const Switch kCode1001B = {
    [](NonSvHost& host, uint32_t& v) { v = host.Option32(220) & bit(10) ? 1 : 2; return 0; },
    qualityGuard, oneOrTwo,
    [](NonSvHost& host, uint32_t v) {
        uint32_t word = host.Option32(220);
        word = v == 1 ? (word | bit(10)) & ~bit(13) : word & ~bit(10);
        if (!setTrueTypeOption(host, v == 1 ? DMTT_DOWNLOAD_OUTLINE : DMTT_DOWNLOAD)) return false;
        return setQualityWord(host, word, true);
    },
    1};

const Switch kCode1001C = {
    [](NonSvHost& host, uint32_t& v) {
        uint16_t stored = 0;
        if (!host.Private().u16(model::kThreeWayField, stored) || stored > 2) return static_cast<int>(kNsNoBuffer);
        v = 2u - stored;
        return static_cast<int>(kNsDone);
    },
    nullptr, [](uint32_t v) { return v <= 2; },
    [](NonSvHost& host, uint32_t v) {
        return host.Private().put_u16(model::kThreeWayField, static_cast<uint16_t>(2 - v));
    },
    2};

const Switch kCode10063 = {
    [](NonSvHost& host, uint32_t& v) { v = host.Priv8(model::kSwitchByte) ? 1 : 0; return 0; },
    nullptr, zeroOrOne,
    [](NonSvHost& host, uint32_t v) { return host.Private().put_u8(model::kSwitchByte, static_cast<uint8_t>(v)); },
    0, false};

}  // namespace

int Code10017(NonSvHost& host, int kind, void* data) {
    return classic(host) ? runSwitch(host, kCode10017, kind, data) : kNsNotSupported;
}
int Code10018(NonSvHost& host, int kind, void* data) {
    return classic(host) ? runSwitch(host, kCode10018, kind, data) : kNsNotSupported;
}
int Code10019(NonSvHost& host, int kind, void* data) {
    return classic(host) ? runSwitch(host, kCode10019, kind, data) : kNsNotSupported;
}
int Code1001A(NonSvHost& host, int kind, void* data) { return runSwitch(host, kCode1001A, kind, data); }
int Code1001B(NonSvHost& host, int kind, void* data) { return runSwitch(host, kCode1001B, kind, data); }

int Code1001C(NonSvHost& host, int kind, void* data) {
    return host.model->CodeFlag(0x1001C) ? kNsNotSupported : runSwitch(host, kCode1001C, kind, data);
}

int Code10063(NonSvHost& host, int kind, void* data) {
    return host.DopBit(nsdop::kByte982, 7) ? runSwitch(host, kCode10063, kind, data) : kNsNotSupported;
}

// --- 0x10015: bit 0 of option 200, or the page table's first-page source ----------------------

namespace {

constexpr uint32_t kItemSourceFlag = 3031;
constexpr uint32_t kItemPageSource = 3033;

bool itemShown(NonSvHost& host, uint32_t id) {
    CmSvConflict* registry = host.Registry();
    return registry && registry->IsItemShown(host.ctx, id) == 1;
}
bool itemEnabled(NonSvHost& host, uint32_t id) {
    CmSvConflict* registry = host.Registry();
    return registry && registry->IsItemEnabled(host.ctx, id) == 1;
}

// Writes the page-table state of the first-page source: on uses source 402, off source 1.
bool putFirstPageSource(NonSvHost& host, bool on) {
    MutableByteView priv = host.Private();
    if (!priv.contains(0, model::kFieldsEnd)) return false;
    uint16_t state = host.Priv16(model::kPageTableState);
    uint8_t flags = host.Priv8(model::kListFlags);
    priv.put_u16(model::kPageTableState, static_cast<uint16_t>(on ? state | 1 : state & ~1u));
    priv.put_u16(model::kSourceWord, on ? 402 : 1);
    priv.put_u8(model::kStateValueBytes[0], 0);
    priv.put_u8(model::kListFlags, static_cast<uint8_t>(on ? flags | 1 : flags & ~1u));
    return true;
}

}  // namespace

int Code10015(NonSvHost& host, int kind, void* data) {
    if (host.model->sourceListFlag || (!itemShown(host, kItemSourceFlag) && !host.model->CodeFlag(0x10015)))
        return kNsNotSupported;
    bool direct = itemEnabled(host, kItemSourceFlag);
    bool table = !direct && itemShown(host, kItemPageSource) && itemEnabled(host, kItemPageSource);
    uint32_t value = 0;
    switch (kind) {
    case kNsSize:
        return PutWord(data, 4);
    case kNsGet: {
        if (!data) return kNsNoBuffer;
        if (direct) {
            value = host.Option32(200) & 1;
        } else if (table) {
            value = (host.Priv16(model::kPageTableState) & 1) && host.Priv16(model::kSourceWord) == 402 &&
                    host.Priv8(model::kStateValueBytes[0]) == 0;
            // The list flag follows what was read, as the page list's own reader keeps it.
            uint8_t flags = host.Priv8(model::kListFlags);
            host.Private().put_u8(model::kListFlags, static_cast<uint8_t>(value ? flags | 1 : flags & ~1u));
        }
        return PutWord(data, value);
    }
    case kNsSet:
        if (!TakeWord(data, value)) return kNsNoBuffer;
        if (direct) {
            if (value > 1) return kNsNotSupported;
            return host.SetOption32(200, value ? host.Option32(200) | 1 : host.Option32(200) & ~1u) ? kNsDone
                                                                                                  : kNsNoBuffer;
        }
        if (!table) return kNsRefused;
        if (value > 1) return kNsNotSupported;
        if (value == 1 && !(host.Dop32(nsdop::kFlagWord) & (bit(0) | bit(12)))) return kNsRefused;
        return putFirstPageSource(host, value == 1) ? kNsDone : kNsNoBuffer;
    case kNsDefault:
        if (!direct && !table) return kNsRefused;
        if (!putFirstPageSource(host, false)) return kNsNoBuffer;
        host.SetOption32(200, host.Option32(200) & ~1u);
        return kNsDone;
    default:
        return kNsNotSupported;
    }
}

// --- 0x100CB: bit 14 of the private flag word ------------------------------------------------

int Code100CB(NonSvHost& host, int kind, void* data) {
    if (!host.model->CodeFlag(0x100CB)) return kNsNotSupported;
    uint32_t value = 0;
    auto set = [&](uint32_t v) -> int {
        MutableByteView priv = host.Private();
        if (v > 1) return kNsNotSupported;
        if (!priv.contains(0, model::kFieldsEnd)) return kNsNoBuffer;
        uint32_t word = host.Priv32(model::kPrivateFlagWord);
        if (v == 0) {
            priv.put_u32(model::kPrivateFlagWord, word & ~bit(14));
            return kNsDone;
        }
        priv.put_u8(model::kRuleClearedByte, 0);
        uint32_t off = 0;
        host.Request(kNsSet, 0x1003A, &off);
        if (host.Dop8(nsdop::kFinisherCode) == 14) {
            priv.put_u8(model::kFlagByteB, static_cast<uint8_t>(host.Priv8(model::kFlagByteB) & ~bit(2)));
        } else {
            priv.put_u8(model::kFlagByteA, static_cast<uint8_t>(host.Priv8(model::kFlagByteA) & ~bit(6)));
            priv.put_u16(model::kSetByCodeWord, 1);
        }
        if (CmSvConflict* registry = host.Registry()) {
            static constexpr uint32_t kReloaded[] = {3118, 3122, 3015, 0};
            registry->ApplyValues(host.ctx, host.devmode, kReloaded);
        }
        priv.put_u32(model::kPrivateFlagWord, host.Priv32(model::kPrivateFlagWord) | bit(14));
        return kNsDone;
    };
    switch (kind) {
    case kNsSize:
        return PutWord(data, 4);
    case kNsGet:
        return PutWord(data, (host.Priv32(model::kPrivateFlagWord) >> 14) & 1);
    case kNsSet:
        if (!TakeWord(data, value)) return kNsNoBuffer;
        if (value == ((host.Priv32(model::kPrivateFlagWord) >> 14) & 1)) return kNsDone;
        return set(value);
    case kNsDefault:
        return set(0);
    default:
        return kNsNotSupported;
    }
}

// --- 0x10041: finishing on or off through the finishing method ------------------------------

int FinishingSwitch(NonSvHost& host, int kind, void* data) {
    uint32_t value = 0;
    switch (kind) {
    case kNsSize:
        return PutWord(data, 4);
    case kNsGet: {
        if (!data) return kNsNoBuffer;
        if (host.Option32(190) & 0x1801) return PutWord(data, 1);
        uint32_t method = 0;
        int answer = host.Request(kNsGet, 0x1007F, &method);
        uint16_t low = static_cast<uint16_t>(method);
        PutWord(data, answer == kNsDone && (low == 1 || low == 3) ? 1 : 0);
        return answer;
    }
    case kNsSet: {
        if (!TakeWord(data, value)) return kNsNoBuffer;
        if (value > 1) return kNsNotSupported;
        uint32_t method = 0;
        host.Request(kNsGet, 0x1007F, &method);
        method = (method & 0xFFFF0000u) | (value == 1 ? 1u : 2u);
        return host.Request(kNsSet, 0x1007F, &method);
    }
    default:
        return kNsNotSupported;
    }
}

}  // namespace nonsv
