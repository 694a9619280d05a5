// Profiles in the registry of the current user: the list under "UIProfileTBL" and one key per
// profile under "UIProfile", each with a "SIZE" and a "DATA" value. Stored bytes are believed
// only after their sizes agree; a pseudo-printer context keeps its profiles in memory and is
// never written.
#include "profiles/cm_profile.h"

#include "core/device/service_table.h"
#include "core/helpers/byte_view.h"
#include "core/system/registry_helpers.h"

#include <cstring>

using namespace profile;

namespace {

// Reads a "SIZE" and "DATA" pair below key; empty when either is missing or they disagree.
std::vector<uint8_t> ReadSizedData(const std::string& base, const std::string& printer, const std::string& key,
                                   size_t limit) {
    DWORD size = 0, room = sizeof size;
    if (!RegQueryValueRead(HKEY_CURRENT_USER, base.c_str(), printer.c_str(), key.c_str(), kSizeValue, &size, &room) ||
        room != sizeof size || size == 0 || size > limit)
        return {};
    std::vector<uint8_t> data(size, 0);
    DWORD length = size;
    if (!RegQueryValueRead(HKEY_CURRENT_USER, base.c_str(), printer.c_str(), key.c_str(), kDataValue, data.data(),
                           &length) ||
        length != size)
        return {};
    return data;
}

bool WriteSizedData(const std::string& base, const std::string& printer, const std::string& key,
                    const std::vector<uint8_t>& data) {
    const DWORD size = static_cast<DWORD>(data.size());
    return RegSetValueAll(HKEY_CURRENT_USER, base.c_str(), printer.c_str(), key.c_str(), kSizeValue, REG_DWORD, &size,
                          sizeof size) &&
           RegSetValueAll(HKEY_CURRENT_USER, base.c_str(), printer.c_str(), key.c_str(), kDataValue, REG_BINARY,
                          data.data(), size);
}

}  // namespace

bool CmProfile::InPseudoPrinter() const {
    UIDEVDATA* ctx = Owner();
    return ctx && ctx->svc && ctx->svc->IsPseudoPrinter(ctx, PrinterHandle());
}

std::string CmProfile::BuildProfileKeyName(const char* name) const {
    std::string key = kProfileKey;
    key += '\\';
    key.append(name, strnlen(name, kNameSize - 1));
    return key;
}

ProfileRecord CmProfile::ReadProfileFromRegistry(const char* name, uint16_t type) {
    if (type != kTypeUser || !name || !*name || baseKey_.empty()) return {};
    const std::vector<uint8_t> stored = ReadSizedData(baseKey_, PrinterKeyName(), BuildProfileKeyName(name), kRecordLimit);
    uint16_t ownSize = 0;
    if (!ByteView(stored.data(), stored.size()).u16(kRecordSize, ownSize) || ownSize != stored.size()) return {};
    return GrownAndConverted(stored.data(), stored.size());
}

bool CmProfile::WriteProfileToRegistry(const char* name, const ProfileRecord& record, uint16_t type) {
    // Only user profiles live here; built-in and shared ones are never written to this store,
    // and saying otherwise would report a write that did not happen.
    if (type != kTypeUser || InPseudoPrinter() || baseKey_.empty() || !name || !*name) return false;
    if (!IsSoundRecord(record.data(), record.size())) return false;
    return WriteSizedData(baseKey_, PrinterKeyName(), BuildProfileKeyName(name), record);
}

bool CmProfile::DeleteProfileFromRegistry(const char* name, uint16_t type) {
    if (type != kTypeUser) return true;  // nothing of a built-in profile is stored
    if (InPseudoPrinter() || baseKey_.empty() || !name || !*name) return false;
    const std::string key(name, strnlen(name, kNameSize - 1));
    const std::string parent = PrinterKeyName() + "\\" + kProfileKey;
    return RegDeleteKeyAll(HKEY_CURRENT_USER, baseKey_.c_str(), parent.c_str(), nullptr, key.c_str());
}

ProfileList CmProfile::ReadStoredTable(uint16_t type) {
    if ((type != kTypeUser && type != kTypeBuiltIn) || InPseudoPrinter() || baseKey_.empty()) return {};
    ProfileList list = ReadSizedData(baseKey_, PrinterKeyName(), kTableKey, kRecordLimit);
    // A list is whole entries ending in the empty one; anything else is not a list of ours.
    if (list.empty() || list.size() % kEntrySize != 0 || list[list.size() - kEntrySize] != 0) return {};
    list.resize((CountEntries(list) + 1) * kEntrySize);
    return list;
}

bool CmProfile::WriteProfileTable(const ProfileList& list, uint16_t type) {
    if ((type != kTypeUser && type != kTypeBuiltIn) || InPseudoPrinter() || baseKey_.empty()) return false;
    // An empty list is stored as its end entry alone.
    return WriteSizedData(baseKey_, PrinterKeyName(), kTableKey, list.empty() ? ProfileList(kEntrySize, 0) : list);
}

bool CmProfile::DeleteProfileTable(uint16_t type) {
    if (type != kTypeUser || InPseudoPrinter() || baseKey_.empty()) return false;
    const std::string key = PrinterKeyName() + "\\" + kTableKey;
    return RegDeleteValueAll(HKEY_CURRENT_USER, baseKey_.c_str(), key.c_str(), nullptr, kSizeValue) &&
           RegDeleteValueAll(HKEY_CURRENT_USER, baseKey_.c_str(), key.c_str(), nullptr, kDataValue);
}

bool CmProfile::IsSaveDefProfile() const {
    if (InPseudoPrinter()) return false;
    DWORD value = 0, size = sizeof value;
    return RegQueryValueRead(HKEY_LOCAL_MACHINE, kPrintersKey, PrinterKeyName().c_str(), kDriverDataKey, kSaveDefValue,
                             &value, &size) &&
           size == sizeof value && value == kSaveDefOn;
}

bool CmProfile::IsRecordStored(const char* name) const {
    if (!name || !*name || baseKey_.empty() || InPseudoPrinter()) return false;
    DWORD size = 0;
    return RegQueryValueRead(HKEY_CURRENT_USER, baseKey_.c_str(), PrinterKeyName().c_str(),
                             BuildProfileKeyName(name).c_str(), kSizeValue, nullptr, &size) != FALSE;
}
