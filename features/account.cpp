// The account record's place in the user's registry, its load and save and the form checks of
// id and code (the device's verdict is in account_device.cpp).
#include "features/account.h"

#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "device/bridges/library_bridges.h"

#include <winreg.h>

namespace {

using namespace account;

constexpr char kValueName[] = "DATA";
constexpr uint32_t kLanguageJapanese = 0x411;
constexpr int32_t kLargestNumber = 9999999;

}  // namespace

Account::Account(UIDEVDATA* owner, uintptr_t creationValue)
    : CmPreset(owner, creationValue), record_(DefaultRecord()) {}

std::string Account::KeyPath() const {
    UIDEVDATA* ctx = Owner();
    const DeviceData* data = ctx && ctx->svc ? ctx->svc->LoadDeviceData(ctx) : nullptr;
    const bool colour = data && data->U32(devicedata::kColorState) != 0;
    return std::string("Software\\Vomel\\") + (colour ? "PCL5c\\" : "PCL5e\\") + PrinterKeyName() + "\\AccountMngTBL";
}

bool Account::Load() {
    record_ = DefaultRecord();
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, KeyPath().c_str(), &key) != ERROR_SUCCESS) return false;
    uint8_t stored[kOldLongSize] = {};
    DWORD type = 0, size = sizeof stored;
    // The forms are told apart by the size read: a damaged current record whose first word is 0
    // must not be taken for an older one.
    if (RegQueryValueExA(key, kValueName, nullptr, &type, stored, &size) == ERROR_SUCCESS && size <= sizeof stored)
        DecodeRecord(ByteView(stored, size), record_);
    RegCloseKey(key);
    return true;
}

bool Account::Save() {
    MutableByteView out(record_.data(), record_.size());
    out.put_u16(kOffSize, kRecordSize);
    out.put_u16(kOffVersion, kVersion);
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_CURRENT_USER, KeyPath().c_str(), &key) != ERROR_SUCCESS) return false;
    const LONG written = RegSetValueExA(key, kValueName, 0, REG_BINARY, record_.data(), kRecordSize);
    RegCloseKey(key);
    return written == ERROR_SUCCESS;
}

std::string Account::GetId() const {
    const char* at = reinterpret_cast<const char*>(record_.data() + kOffId);
    size_t length = 0;
    while (length < kIdRoom - 1 && at[length]) ++length;
    return std::string(at, length);
}

bool Account::SetId(const std::string& id) {
    if (id.size() >= kIdRoom) return false;
    MutableByteView out(record_.data(), record_.size());
    out.fill(kOffId, 0, kIdRoom);
    out.put_bytes(kOffId, id.data(), id.size());
    return true;
}

uint32_t Account::GetCode() const {
    uint32_t code = 0;
    ByteView(record_.data(), record_.size()).u32(kOffCode, code);
    return code;
}

uint8_t Account::GetCodeDigits() const { return record_[kOffCodeDigits]; }

void Account::SetCode(uint32_t code, uint8_t digits) {
    MutableByteView out(record_.data(), record_.size());
    out.put_u8(kOffCodeDigits, digits);
    out.put_u32(kOffCode, code);
}

std::string Account::GetCodeText() const { return FormatNumber(GetCodeDigits(), GetCode()); }

uint32_t Account::GetFlag() const {
    uint32_t flag = 0;
    ByteView(record_.data(), record_.size()).u32(kOffFlag, flag);
    return flag;
}

UINT Account::Validate() {
    UIDEVDATA* ctx = Owner();
    const DeviceData* data = ctx && ctx->svc ? ctx->svc->LoadDeviceData(ctx) : nullptr;
    const bool letters = data && data->U32(devicedata::kLanguageId) == kLanguageJapanese;
    const std::string id = GetId();
    const int32_t idValue = IsAlnumString(id.c_str(), letters ? 2 : 1);
    if (idValue < 1 || idValue > kLargestNumber) return kAccountBadId;
    // The code is judged by its value: a code too long for its text would otherwise be read as 0.
    if (GetCode() > uint32_t(kLargestNumber)) return kAccountBadCode;
    valid_ = !(id.empty() && GetCodeText().empty());
    return 0;
}

bool Account::Check(HWND owner) {
    status_ = 0;
    if (Validate() != 0) {
        status_ = kAccountCheckFailed;
        return false;
    }
    return VerifyWithDevice(owner);
}

CmModule* MakeAccount(UIDEVDATA* ctx) {
    try {
        return new Account(ctx, 0);
    } catch (...) {
        return nullptr;
    }
}
