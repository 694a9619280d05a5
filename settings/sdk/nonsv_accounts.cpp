// Request codes of the secured user (name and PIN of a held job) and of department accounts
// (mode, id and password, checked by the device). Every set checks the whole record before it
// changes anything, and ids and passwords are kept in 16-byte fields, always terminated.
#include "settings/sdk/nonsv_operations.h"

#include "core/device/service_table.h"
#include "core/devmode/model_section.h"
#include "core/memory/private_heap.h"
#include "core/system/helper_dll.h"
#include "device/device_operations.h"
#include "device/device_session.h"
#include "device/devinfo_information.h"
#include "device/devinfo_client.h"
#include "device/devinfo_queries.h"
#include "settings/registry/conflict.h"

#include <cstring>

namespace nonsv {

namespace {

namespace model = devmode::model;

constexpr size_t kIdField = 16;
constexpr uint32_t kAccountNumberMax = 9'999'999;
constexpr uint32_t kFlagStored = 1u << 4;
constexpr uint32_t kFlagLocked = 1u << 6;

// Statuses of a verification that could not reach the device.
constexpr int32_t kStatusNoMemory = -11;
constexpr int32_t kStatusNoFolder = -21;
constexpr int32_t kStatusNotLoaded = -23;
constexpr int32_t kStatusNoEntry = -24;
constexpr int32_t kStatusNoInterface = -25;
constexpr int32_t kStatusNoService = -26;
constexpr int32_t kStatusEmptyRecord = -27;

// The value of a text of digits; false for another character, an empty text or a value above
// 9,999,999 (more than 7 significant digits never overflows the reading).
bool parseNumber(const char* text, size_t length, uint32_t& value) {
    if (length == 0) return false;
    value = 0;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + static_cast<uint32_t>(text[i] - '0');
        if (value > kAccountNumberMax) return false;
    }
    return true;
}

bool allDigits(const char* text, size_t length) {
    for (size_t i = 0; i < length; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

bool accountKind(const NonSvHost& host) { return host.model->accountKind == 1; }

}  // namespace

int ValidateUserAndPin(const char* name, size_t nameMax, const char* pin, size_t pinMax) {
    size_t nameLength = FieldLength(name, nameMax), pinLength = FieldLength(pin, pinMax);
    return nameLength >= 1 && nameLength <= 32 && pinLength >= 1 && pinLength <= 7 && allDigits(pin, pinLength);
}

int ValidateAccount(const char* id, size_t idMax, const char* password, size_t passwordMax) {
    size_t idLength = FieldLength(id, idMax);
    uint32_t value = 0;
    if (idLength >= kIdField || !parseNumber(id, idLength, value) || value < 1) return 0;
    size_t passwordLength = password ? FieldLength(password, passwordMax) : 0;
    if (passwordLength == 0) return 1;
    return passwordLength < kIdField && parseNumber(password, passwordLength, value);
}

// --- 0x100EA ---------------------------------------------------------------------------------

int SetUserAndPin(NonSvHost& host, int kind, void* data) {
    CmSvConflict* registry = host.Registry();
    if (!registry || registry->IsSdkValueShown(host.ctx, 0x10002, 5) != 1) return kNsNotSupported;
    if (kind == kNsSize) return PutWord(data, 164);
    if (kind != kNsSet) return kNsNotSupported;
    if (!data) return kNsNoBuffer;
    if (host.Option16(102) != 16) return kNsRefused;
    ByteView in(data, 164);
    uint16_t mode = 0, keep = 0;
    in.u16(0, mode);
    in.u16(2, keep);
    const char* name = static_cast<const char*>(data) + 4;
    const char* pin = static_cast<const char*>(data) + 132;
    if (mode > 1 || keep > 1) return kNsNotSupported;
    MutableByteView priv = host.Private();
    if (!priv.contains(0, model::kFieldsEnd)) return kNsNoBuffer;
    const char* storedName = reinterpret_cast<const char*>(priv.data() + model::kSecuredUserName);
    const char* storedPin = reinterpret_cast<const char*>(priv.data() + model::kSecuredPin);
    if (mode == 1 && !ValidateUserAndPin(name, 128, pin, 32)) return kNsNoBuffer;
    if (mode == 0 && !ValidateUserAndPin(storedName, 33, storedPin, 16)) return kNsNoBuffer;
    if (mode == 1) {
        CopyText(reinterpret_cast<char*>(priv.data() + model::kSecuredUserName), 33, name, 128);
        CopyText(reinterpret_cast<char*>(priv.data() + model::kSecuredPin), 16, pin, 32);
    }
    priv.put_u8(model::kKeepByte, static_cast<uint8_t>(keep));
    return kNsDone;
}

// --- 0x10032 ---------------------------------------------------------------------------------

int SetAccountMode(NonSvHost& host, int kind, void* data) {
    if (!accountKind(host)) return kNsNotSupported;
    if (kind == kNsSize) return PutWord(data, 68);
    if (kind != kNsSet) return kNsNotSupported;
    if (!data) return kNsNoBuffer;
    ByteView in(data, 68);
    uint16_t mode = 0, flag = 0;
    in.u16(0, mode);
    in.u16(2, flag);
    const char* id = static_cast<const char*>(data) + 4;
    const char* password = static_cast<const char*>(data) + 36;
    // Everything is checked before the stored fields change.
    if (mode > 2) return kNsNotSupported;
    if (mode == 2 && !ValidateAccount(id, 32, password, 32)) return kNsNoBuffer;
    if (mode != 1 && flag > 1) return kNsNotSupported;
    MutableByteView priv = host.Private();
    if (!priv.contains(0, model::kFieldsEnd)) return kNsNoBuffer;
    priv.fill(model::kAccountMode, 0, model::kDepartmentPassword + kIdField - model::kAccountMode);
    priv.put_u8(model::kAccountMode, static_cast<uint8_t>(mode));
    if (mode == 2) {
        CopyText(reinterpret_cast<char*>(priv.data() + model::kDepartmentId), kIdField, id, 32);
        CopyText(reinterpret_cast<char*>(priv.data() + model::kDepartmentPassword), kIdField, password, 32);
    }
    if (mode != 1) priv.put_u8(model::kAccountFlag, static_cast<uint8_t>(flag));
    return kNsDone;
}

// --- 0x10061 ---------------------------------------------------------------------------------

namespace {

void clearStoredAccount(MutableByteView dop, bool subModeOne) {
    uint32_t flags = 0;
    dop.u32(nsdop::kAccountFlags, flags);
    dop.put_u32(nsdop::kAccountFlags, flags & ~(kFlagStored | kFlagLocked));
    dop.fill(nsdop::kDepartmentId, 0, kIdField);
    dop.fill(nsdop::kPassword, 0, kIdField);
    if (subModeOne) dop.put_u16(nsdop::kAccountSubMode, 1);
}

int storeBlock(NonSvHost& host) {
    return host.ctx->svc->WriteDeviceOption(host.ctx, host.deviceOption) ? kNsDone : kNsNoBuffer;
}

}  // namespace

int AccountData(NonSvHost& host, int kind, void* data) {
    if (!accountKind(host)) return kNsNotSupported;
    MutableByteView dop = host.DeviceOptionData();
    switch (kind) {
    case kNsSize:
        return PutWord(data, 72);
    case kNsGet: {
        if (!data) return kNsNoBuffer;
        uint8_t out[72] = {};
        if (host.Dop32(nsdop::kAccountFlags) & kFlagStored) {
            MutableByteView entry(out, sizeof out);
            entry.put_u16(0, 1);
            entry.put_u16(2, 1);
            CopyText(reinterpret_cast<char*>(out + 8), 32, reinterpret_cast<const char*>(dop.data() + nsdop::kDepartmentId),
                     kIdField);
            CopyText(reinterpret_cast<char*>(out + 40), 32, reinterpret_cast<const char*>(dop.data() + nsdop::kPassword),
                     kIdField);
        }
        std::memcpy(data, out, sizeof out);
        return kNsDone;
    }
    case kNsSet:
        break;
    case kNsDefault:
        if (!dop.contains(0, nsdop::kPassword + kIdField)) return kNsNoBuffer;
        clearStoredAccount(dop, true);
        return storeBlock(host);
    default:
        return kNsNotSupported;
    }
    if (!data) return kNsNoBuffer;
    ByteView in(data, 72);
    uint16_t mode = 0, subMode = 0;
    in.u16(0, mode);
    in.u16(2, subMode);
    const char* id = static_cast<const char*>(data) + 8;
    const char* password = static_cast<const char*>(data) + 40;
    if (subMode == 0) return kNsNotSupported;
    if (mode == 1 && subMode == 1 && !ValidateAccount(id, 32, password, 32)) return kNsNoBuffer;
    if (!dop.contains(0, nsdop::kPassword + kIdField)) return kNsNoBuffer;
    bool locked = host.Dop32(nsdop::kAccountFlags) & kFlagLocked;
    if (mode == 0 || (mode == 1 && locked && host.Option16(222) == 0)) clearStoredAccount(dop, false);
    if (mode == 1 && subMode == 1) {
        dop.put_u32(nsdop::kAccountFlags, host.Dop32(nsdop::kAccountFlags) | kFlagStored);
        dop.put_u16(nsdop::kAccountSubMode, 1);
        CopyText(reinterpret_cast<char*>(dop.data() + nsdop::kDepartmentId), kIdField, id, 32);
        CopyText(reinterpret_cast<char*>(dop.data() + nsdop::kPassword), kIdField, password, 32);
    }
    return storeBlock(host);
}

// --- 0x10060 ---------------------------------------------------------------------------------

namespace {

// A stored number as the device takes it: the value of its digits, -1 for a text with another
// character or one too large for 32 bits, 0 for an empty one.
uint32_t storedNumber(const uint8_t* field) {
    const char* text = reinterpret_cast<const char*>(field);
    size_t length = FieldLength(text, kIdField);
    uint64_t value = 0;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9') return 0xFFFFFFFF;
        value = value * 10 + static_cast<uint64_t>(text[i] - '0');
        if (value > 0xFFFFFFFEu) return 0xFFFFFFFF;
    }
    return static_cast<uint32_t>(value);
}

// The device's verification answer through the library's client interface: load the library
// from the driver's folder, start it, read the printer's device record, connect, ask. The
// session closes what it opened, in reverse, on every path.
uint32_t askDevice(const char* printer, uint32_t id, uint32_t password, DevInfoStatus& status) {
    DevInfoClient* client = nullptr;
    if (DevInfoClient_Create(&client) != 1 || !client) {
        status.status = kStatusNoMemory;
        return 0;
    }
    uint32_t answer = 0;
    {
        DeviceSession session(client, &status);
        if (session.LoadByPrinter(printer) && session.Start() && session.ReadInformation(printer) &&
            session.ConnectToPrinter())
            DevInfo_QueryDevice5(client, session.Interface(), session.Connection(), &answer, id, password, &status);
    }
    DevInfoClient_Destroy(client);
    return answer;
}

// The same question through the helper loader and the account service of the direct table:
// the library from the printer driver's folder, its account check run by the client's handler
// over a 300-byte request block. The device record, the service and the library are released
// in reverse on every path.
uint32_t askAccountService(const char* printer, uint32_t id, uint32_t password, DevInfoStatus& status) {
    DevInfoClient* client = nullptr;
    if (DevInfoClient_Create(&client) != 1 || !client) {
        status.status = kStatusNoMemory;
        return 0;
    }
    uint32_t answer = 0;
    HelperDll* library = HelperDll_Create();
    ZdsvInterface* iface = nullptr;
    int32_t started = -1;
    ZdsvDeviceInformation* record = nullptr;
    ZdsvGetInterfaceProc get = nullptr;
    ZdsvStartProc start = nullptr;
    if (!library) {
        status.status = kStatusNoMemory;
    } else if (HelperDll_GetFolder(library->folder, sizeof library->folder, printer, kHelperFolderDriver) < 0) {
        status.status = kStatusNoFolder;
    } else if (HelperDll_LoadWithFallback(library, kZdsvLibraryName, kZdsvOldLibraryName) != kHelperDone) {
        status.status = kStatusNotLoaded;
    } else if (!(get = reinterpret_cast<ZdsvGetInterfaceProc>(
                     reinterpret_cast<void (*)()>(GetProcAddress(library->module, kSsGetInterfaceName))))) {
        status.status = kStatusNoEntry;
    } else if (!(iface = get(kZdsvVersionDirect))) {
        status.status = kStatusNoInterface;
    } else if (!(start = ZdsvSlot<ZdsvStartProc>(iface, zdsv784::kStart)) || (started = start()) < 0) {
        status.status = kStatusNoService;
    } else if (!(record = DevInfoClient_QueryInfo(client, printer, 0, iface, &status))) {
        // The reader left its failure in the status.
    } else if (record->addressCount == 0 && !record->address) {
        status.status = kStatusEmptyRecord;
    } else {
        DevInfoDeviceLink link{record, iface};
        DevInfoAccountRecord block{};
        std::strncpy(block.printerName, printer, sizeof block.printerName - 1);
        MutableByteView(&block, sizeof block).put_u32(260, 2);
        block.account = id;
        block.password = password;
        status.status = DevInfoClient_GetHandler(client, &link, &block, kDevOpAccountCheck);
        status.libraryCode = block.status;
        answer = block.accepted;
    }
    if (started == 0) {
        if (auto stop = ZdsvSlot<ZdsvStopProc>(iface, zdsv784::kStop)) stop();
    }
    PrivateFree(record);
    if (library) HelperDll_Destroy(library);
    DevInfoClient_Destroy(client);
    return answer;
}

}  // namespace

int QueryAccountFromDevice(NonSvHost& host) {
    MutableByteView priv = host.Private();
    if (!priv.contains(0, model::kFieldsEnd)) return 0;
    DevInfoStatus status{-2, 0, 0};
    const char* printer = host.ctx && host.ctx->svc ? host.ctx->svc->GetPrinterName(host.ctx) : nullptr;
    if (printer && FieldLength(printer, MAX_PATH) < MAX_PATH) {
        uint32_t id = storedNumber(priv.data() + model::kVerificationId);
        uint32_t password = storedNumber(priv.data() + model::kVerificationPassword);
        uint32_t answer = host.model->deviceInfoFlag ? askDevice(printer, id, password, status)
                                                     : askAccountService(printer, id, password, status);
        if (status.status >= 0 && status.libraryCode >= 0) {
            if (answer == 0) priv.put_u32(model::kVerificationStatus, 9);
            return static_cast<int>(answer);
        }
    }
    priv.put_u32(model::kVerificationStatus, 10);
    return 0;
}

int VerifyAccount(NonSvHost& host, int kind, void* data) {
    if (!accountKind(host)) return kNsNotSupported;
    if (kind == kNsSize) return PutWord(data, 68);
    if (kind != kNsAction) return kNsNotSupported;
    if (!data) return kNsNoBuffer;
    MutableByteView priv = host.Private();
    if (!priv.contains(0, model::kFieldsEnd)) return kNsNoBuffer;
    const char* id = static_cast<const char*>(data);
    const char* password = id + 32;
    MutableByteView record(data, 68);
    bool valid = ValidateAccount(id, 32, password, 32);
    priv.fill(model::kVerificationId, 0, 2 * kIdField);
    if (valid) {
        CopyText(reinterpret_cast<char*>(priv.data() + model::kVerificationId), kIdField, id, 32);
        CopyText(reinterpret_cast<char*>(priv.data() + model::kVerificationPassword), kIdField, password, 32);
    }
    priv.put_u32(model::kVerificationStatus, valid ? 0 : 1);
    priv.put_u8(model::kVerificationByte, 1);
    if (!valid) {
        record.put_u32(64, 1);
        return kNsNoBuffer;
    }
    if (QueryAccountFromDevice(host) != 0) return kNsDone;
    record.put_u32(64, host.Priv32(model::kVerificationStatus));
    return kNsNoBuffer;
}

}  // namespace nonsv
