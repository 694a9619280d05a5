// A registry key opened for the spooler's use, closed when it goes out of scope, with the
// typed reads the printer and driver keys need (a missing value gives the default).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace spooler {

class RegKey {
public:
    RegKey() = default;
    ~RegKey() { Close(); }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    LONG Open(HKEY parent, const std::string& path);
    LONG Create(HKEY parent, const std::string& path);
    void Close();
    HKEY Get() const { return key_; }

    // The value's bytes and type; false when it is missing.
    bool Read(const char* name, std::vector<BYTE>& data, DWORD* type = nullptr) const;
    std::string String(const char* name, const std::string& fallback = std::string()) const;
    DWORD Dword(const char* name, DWORD fallback = 0) const;
    LONG SetString(const char* name, const char* text);
    LONG SetDword(const char* name, DWORD value);

private:
    HKEY key_ = nullptr;
};

}  // namespace spooler
