// The Win32 key functions: opening, creating, closing, deleting and enumerating keys, and the
// key summary of RegQueryInfoKeyA, with the original's error codes and size rules.
#include "platform/registry/registry_state.h"

#include "platform/registry/regedit4.h"

#include <algorithm>
#include <cstring>

using registry::Key;
using registry::Locked;

namespace {

bool Empty(LPCSTR s) { return !s || !*s; }

// Walks the path below `key`; creates missing keys when `create` is set.
LONG Walk(std::shared_ptr<Key>& key, LPCSTR path, bool create, bool* created) {
    // Kept from call to call (Walk runs under the registry's lock and never within itself): a
    // list made for every open was a good part of its cost. Never destroyed, as a key may be
    // opened while the process's statics go.
    static auto& parts = *new std::vector<std::string_view>;
    if (!registry::SplitKeyPath(path ? path : "", parts)) return ERROR_BAD_PATHNAME;
    if (created) *created = false;
    for (std::string_view part : parts) {
        std::shared_ptr<Key> next = key->SharedSubkey(part);
        if (!next) {
            if (!create) return ERROR_FILE_NOT_FOUND;
            next = key->AddSubkey(part);
            if (!next) return ERROR_BAD_PATHNAME;
            if (created) *created = true;
        }
        key = std::move(next);
    }
    return ERROR_SUCCESS;
}

LONG Open(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult, bool sameHandleWhenEmpty) {
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    Locked state;
    std::shared_ptr<Key> key;
    if (LONG rc = ResolveKey(*state, hKey, key)) return rc;
    if (Empty(lpSubKey) && sameHandleWhenEmpty) {
        *phkResult = hKey;
        return ERROR_SUCCESS;
    }
    if (LONG rc = Walk(key, lpSubKey, false, nullptr)) return rc;
    *phkResult = NewHandle(*state, std::move(key));
    return ERROR_SUCCESS;
}

LONG Create(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult, LPDWORD lpdwDisposition, bool sameHandleWhenEmpty) {
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    Locked state(registry::Access::kChange);
    std::shared_ptr<Key> key;
    if (LONG rc = ResolveKey(*state, hKey, key)) return rc;
    if (Empty(lpSubKey) && sameHandleWhenEmpty) {
        *phkResult = hKey;
        if (lpdwDisposition) *lpdwDisposition = REG_OPENED_EXISTING_KEY;
        return ERROR_SUCCESS;
    }
    // An existing key opens even where nothing may be written (a read-only hive).
    std::shared_ptr<Key> existing = key;
    LONG rc = Walk(existing, lpSubKey, false, nullptr);
    bool created = false;
    if (rc == ERROR_SUCCESS) {
        key = std::move(existing);
    } else {
        if (rc != ERROR_FILE_NOT_FOUND) return rc;
        if (LONG status = state.ChangeStatus()) return status;
        if (LONG walked = Walk(key, lpSubKey, true, &created)) return walked;
        // A key that could not reach the hive file is reported, and no handle is left to leak.
        if (LONG written = Commit(*state, registry::KeyRecord(key->Path()))) return written;
    }
    *phkResult = NewHandle(*state, std::move(key));
    if (lpdwDisposition) *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

// Copies a name with its terminator when it fits in `capacity` characters.
bool CopyName(const std::string& name, LPSTR out, DWORD capacity) {
    if (name.size() + 1 > capacity) return false;
    std::memcpy(out, name.c_str(), name.size() + 1);
    return true;
}

}  // namespace

extern "C" LONG WINAPI RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
    return Open(hKey, lpSubKey, phkResult, true);
}

extern "C" LONG WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD /*ulOptions*/, REGSAM /*samDesired*/,
                                     PHKEY phkResult) {
    return Open(hKey, lpSubKey, phkResult, false);
}

extern "C" LONG WINAPI RegCreateKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
    return Create(hKey, lpSubKey, phkResult, nullptr, true);
}

extern "C" LONG WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD /*Reserved*/, LPSTR /*lpClass*/,
                                       DWORD /*dwOptions*/, REGSAM /*samDesired*/,
                                       LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/, PHKEY phkResult,
                                       LPDWORD lpdwDisposition) {
    return Create(hKey, lpSubKey, phkResult, lpdwDisposition, false);
}

extern "C" LONG WINAPI RegCloseKey(HKEY hKey) {
    if (registry::IsPredefined(hKey)) return ERROR_SUCCESS;
    Locked state;
    return state->handles.erase(reinterpret_cast<uintptr_t>(hKey)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

extern "C" LONG WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
    Locked state(registry::Access::kChange);
    std::shared_ptr<Key> key;
    if (LONG rc = ResolveKey(*state, hKey, key)) return rc;
    std::vector<std::string_view> parts;
    if (Empty(lpSubKey) || !registry::SplitKeyPath(lpSubKey, parts)) return ERROR_BAD_PATHNAME;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        key = key->SharedSubkey(parts[i]);
        if (!key) return ERROR_FILE_NOT_FOUND;
    }
    const Key* doomed = key->FindSubkey(parts.back());
    if (!doomed) return ERROR_FILE_NOT_FOUND;
    if (LONG status = state.ChangeStatus()) return status;
    std::string record = registry::DeletedKeyRecord(doomed->Path());
    key->RemoveSubkey(parts.back());
    return Commit(*state, record);
}

// Writes everything of the hive's journal into the hive itself and syncs it, so that the whole
// registry is in the one file and survives a crash of the machine.
extern "C" LONG WINAPI RegFlushKey(HKEY hKey) {
    Locked state(registry::Access::kChange);
    std::shared_ptr<Key> key;
    if (LONG rc = ResolveKey(*state, hKey, key)) return rc;
    if (!state->files || !state->files->HasUnfolded()) return ERROR_SUCCESS;
    if (LONG status = state.ChangeStatus()) return status;
    return state->files->Fold(state->tree);
}

extern "C" LONG WINAPI RegEnumKeyA(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName) {
    if (!lpName) return ERROR_INVALID_PARAMETER;
    Locked state;
    std::shared_ptr<Key> key;
    if (LONG rc = ResolveKey(*state, hKey, key)) return rc;
    const Key* sub = key->SubkeyAt(dwIndex);
    if (!sub) return ERROR_NO_MORE_ITEMS;
    return CopyName(sub->Name(), lpName, cchName) ? ERROR_SUCCESS : ERROR_MORE_DATA;
}

extern "C" LONG WINAPI RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName,
                                     LPDWORD /*lpReserved*/, LPSTR lpClass, LPDWORD lpcchClass,
                                     PFILETIME lpftLastWriteTime) {
    if (!lpName || !lpcchName) return ERROR_INVALID_PARAMETER;
    Locked state;
    std::shared_ptr<Key> key;
    if (LONG rc = ResolveKey(*state, hKey, key)) return rc;
    const Key* sub = key->SubkeyAt(dwIndex);
    if (!sub) return ERROR_NO_MORE_ITEMS;
    const std::string& name = sub->Name();
    if (!CopyName(name, lpName, *lpcchName)) return ERROR_MORE_DATA;
    *lpcchName = static_cast<DWORD>(name.size());
    if (lpClass && lpcchClass && *lpcchClass) *lpClass = 0;
    if (lpcchClass) *lpcchClass = 0;
    if (lpftLastWriteTime) *lpftLastWriteTime = FILETIME{0, 0};
    return ERROR_SUCCESS;
}

extern "C" LONG WINAPI RegQueryInfoKeyA(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD /*lpReserved*/,
                                        LPDWORD lpcSubKeys, LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen,
                                        LPDWORD lpcValues, LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                                        LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime) {
    Locked state;
    std::shared_ptr<Key> key;
    if (LONG rc = ResolveKey(*state, hKey, key)) return rc;
    size_t maxSubkey = 0, maxName = 0, maxData = 0;
    for (const auto& entry : key->AllSubkeys()) maxSubkey = std::max(maxSubkey, entry.second->Name().size());
    for (const auto& v : key->Values()) {
        maxName = std::max(maxName, v.name.size());
        maxData = std::max(maxData, v.data.size());
    }
    if (lpClass && lpcchClass && *lpcchClass) *lpClass = 0;
    if (lpcchClass) *lpcchClass = 0;
    if (lpcSubKeys) *lpcSubKeys = static_cast<DWORD>(key->SubkeyCount());
    if (lpcbMaxSubKeyLen) *lpcbMaxSubKeyLen = static_cast<DWORD>(maxSubkey);
    if (lpcbMaxClassLen) *lpcbMaxClassLen = 0;
    if (lpcValues) *lpcValues = static_cast<DWORD>(key->ValueCount());
    if (lpcbMaxValueNameLen) *lpcbMaxValueNameLen = static_cast<DWORD>(maxName);
    if (lpcbMaxValueLen) *lpcbMaxValueLen = static_cast<DWORD>(maxData);
    if (lpcbSecurityDescriptor) *lpcbSecurityDescriptor = 0;
    if (lpftLastWriteTime) *lpftLastWriteTime = FILETIME{0, 0};
    return ERROR_SUCCESS;
}
