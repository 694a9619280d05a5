// Typed registry reads and writes for the spooler's printer and driver keys.
#include "platform/spooler/reg_key.h"

#include <cstring>

namespace spooler {

LONG RegKey::Open(HKEY parent, const std::string& path) {
    Close();
    return RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key_);
}

LONG RegKey::Create(HKEY parent, const std::string& path) {
    Close();
    return RegCreateKeyExA(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
}

void RegKey::Close() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
}

bool RegKey::Read(const char* name, std::vector<BYTE>& data, DWORD* type) const {
    DWORD size = 0;
    if (!key_ || RegQueryValueExA(key_, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS) return false;
    data.resize(size);
    return RegQueryValueExA(key_, name, nullptr, type, data.data(), &size) == ERROR_SUCCESS;
}

std::string RegKey::String(const char* name, const std::string& fallback) const {
    std::vector<BYTE> data;
    DWORD type = 0;
    if (!Read(name, data, &type) || (type != REG_SZ && type != REG_EXPAND_SZ)) return fallback;
    return std::string(reinterpret_cast<const char*>(data.data()), strnlen(reinterpret_cast<const char*>(data.data()), data.size()));
}

DWORD RegKey::Dword(const char* name, DWORD fallback) const {
    std::vector<BYTE> data;
    DWORD type = 0;
    if (!Read(name, data, &type) || type != REG_DWORD || data.size() != 4) return fallback;
    return DWORD(data[0]) | DWORD(data[1]) << 8 | DWORD(data[2]) << 16 | DWORD(data[3]) << 24;
}

LONG RegKey::SetString(const char* name, const char* text) {
    return RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
}

LONG RegKey::SetDword(const char* name, DWORD value) {
    BYTE bytes[4] = {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
    return RegSetValueExA(key_, name, 0, REG_DWORD, bytes, 4);
}

}  // namespace spooler
