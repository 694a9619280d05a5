// The Win32 value functions: query (with ERROR_MORE_DATA and the size written back), set,
// delete and enumerate. String values are stored with exactly one terminator.
#include "platform/registry/registry_state.h"

#include "platform/registry/regedit4.h"

#include <cstring>

using registry::Key;
using registry::Locked;
using registry::Value;

namespace {

std::string_view NameOf(LPCSTR name) { return name ? std::string_view(name) : std::string_view(); }

// Copies the value's type and data under the size rules shared by query and enumeration.
LONG CopyData(const Value& v, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    if (lpType) *lpType = v.type;
    DWORD size = static_cast<DWORD>(v.data.size());
    if (!lpcbData) return ERROR_SUCCESS;
    if (lpData && *lpcbData < size) {
        *lpcbData = size;
        return ERROR_MORE_DATA;
    }
    if (lpData && size) std::memcpy(lpData, v.data.data(), size);
    *lpcbData = size;
    return ERROR_SUCCESS;
}

}  // namespace

extern "C" LONG WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD /*lpReserved*/, LPDWORD lpType,
                                        LPBYTE lpData, LPDWORD lpcbData) {
    if (lpData && !lpcbData) return ERROR_INVALID_PARAMETER;
    Locked state;
    std::shared_ptr<Key> key;
    if (LONG rc = ResolveKey(*state, hKey, key)) return rc;
    const Value* v = key->FindValue(NameOf(lpValueName));
    if (!v) return ERROR_FILE_NOT_FOUND;
    return CopyData(*v, lpType, lpData, lpcbData);
}

extern "C" LONG WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD /*Reserved*/, DWORD dwType,
                                      const BYTE* lpData, DWORD cbData) {
    std::string_view name = NameOf(lpValueName);
    if (name.size() > registry::kMaxValueNameLength || name.find_first_of("\r\n") != std::string_view::npos)
        return ERROR_INVALID_PARAMETER;
    if (!lpData && cbData) return ERROR_NOACCESS;
    std::vector<BYTE> data;
    if (dwType == REG_SZ || dwType == REG_EXPAND_SZ) data = registry::StoredString(lpData, cbData);
    else if (dwType == REG_MULTI_SZ) data = registry::StoredMultiString(lpData, cbData);
    else if (cbData) data.assign(lpData, lpData + cbData);
    Locked state(registry::Access::kChange);
    std::shared_ptr<Key> key;
    if (LONG rc = ResolveKey(*state, hKey, key)) return rc;
    if (LONG status = state.ChangeStatus()) return status;
    key->SetValue(name, dwType, std::move(data));
    // A registry held in memory only keeps no journal, so its record (a hex list as long as
    // the value) is not written out for nothing.
    if (!(*state).files) return ERROR_SUCCESS;
    return Commit(*state, registry::ValueRecord(key->Path(), *key->FindValue(name)));
}

extern "C" LONG WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
    Locked state(registry::Access::kChange);
    std::shared_ptr<Key> key;
    if (LONG rc = ResolveKey(*state, hKey, key)) return rc;
    if (!key->FindValue(NameOf(lpValueName))) return ERROR_FILE_NOT_FOUND;
    if (LONG status = state.ChangeStatus()) return status;
    key->RemoveValue(NameOf(lpValueName));
    return Commit(*state, registry::DeletedValueRecord(key->Path(), NameOf(lpValueName)));
}

extern "C" LONG WINAPI RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName,
                                     LPDWORD /*lpReserved*/, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    if (!lpValueName || !lpcchValueName || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
    Locked state;
    std::shared_ptr<Key> key;
    if (LONG rc = ResolveKey(*state, hKey, key)) return rc;
    const Value* found = key->ValueAt(dwIndex);
    if (!found) return ERROR_NO_MORE_ITEMS;
    const Value& v = *found;
    if (v.name.size() + 1 > *lpcchValueName) return ERROR_MORE_DATA;
    std::memcpy(lpValueName, v.name.c_str(), v.name.size() + 1);
    *lpcchValueName = static_cast<DWORD>(v.name.size());
    return CopyData(v, lpType, lpData, lpcbData);
}
