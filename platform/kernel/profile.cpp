// The private-profile calls over profile text. A file name without a folder is in the Windows
// folder, as on the original. Every call reads the file afresh and a write replaces it whole;
// one lock keeps a read from seeing half of another thread's write.
#include "platform/kernel/profile_text.h"

#include "platform/kernel/host_error.h"
#include "platform/kernel/path_map.h"

#include <windows.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>

namespace kernel {

namespace {

std::mutex g_lock;

bool HostFileOf(LPCSTR fileName, std::string& host) {
    if (!fileName || !*fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    bool hasFolder = FileNameStart(fileName) > 0;
    return MapPath(hasFolder ? std::string(fileName) : std::string(kWindowsFolder) + "\\" + fileName, host);
}

// The text of the file; a missing file reads as empty text with ERROR_FILE_NOT_FOUND.
ProfileText Read(const std::string& host, bool& exists) {
    std::ifstream file(host, std::ios::binary);
    exists = file.is_open();
    if (!exists) return ProfileText("");
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return ProfileText(bytes);
}

bool Write(const std::string& host, const ProfileText& text) {
    struct stat st;
    if (stat(host.c_str(), &st) == 0 && !(st.st_mode & S_IWUSR)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    std::ofstream file(host, std::ios::binary | std::ios::trunc);
    if (!file.is_open()) {
        SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno));
        return false;
    }
    std::string bytes = text.Text();
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        SetLastError(ERROR_WRITE_FAULT);
        return false;
    }
    return true;
}

}  // namespace

}  // namespace kernel

static DWORD GetPrivateProfileStringABody(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                                 LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
    using namespace kernel;
    if (!lpReturnedString || nSize == 0) return 0;
    std::string host;
    bool exists = false;
    if (!HostFileOf(lpFileName, host)) {
        lpReturnedString[0] = '\0';
        return 0;
    }
    std::lock_guard guard(g_lock);
    ProfileText text = Read(host, exists);
    if (!lpAppName) return CopyProfileList(text.SectionNames(), lpReturnedString, nSize);
    if (!lpKeyName) return CopyProfileList(text.KeyNames(lpAppName), lpReturnedString, nSize);
    std::optional<std::string> value = text.Value(lpAppName, lpKeyName);
    if (!value) {
        // The default loses its trailing blanks, as on the original.
        std::string_view fallback = lpDefault ? lpDefault : "";
        while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
        value = std::string(fallback);
        SetLastError(ERROR_FILE_NOT_FOUND);
    }
    DWORD copied = CopyProfileValue(*value, lpReturnedString, nSize);
    if (copied < value->size()) SetLastError(ERROR_MORE_DATA);
    return copied;
}

static DWORD GetPrivateProfileSectionABody(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize,
                                                  LPCSTR lpFileName) {
    using namespace kernel;
    if (!lpReturnedString || nSize == 0) return 0;
    std::string host;
    bool exists = false;
    if (!lpAppName || !HostFileOf(lpFileName, host)) {
        if (!lpAppName) SetLastError(ERROR_INVALID_PARAMETER);
        return CopyProfileList({}, lpReturnedString, nSize);
    }
    std::lock_guard guard(g_lock);
    return CopyProfileList(Read(host, exists).SectionEntries(lpAppName), lpReturnedString, nSize);
}

static UINT GetPrivateProfileIntABody(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName) {
    using namespace kernel;
    std::string host;
    bool exists = false;
    if (!lpAppName || !lpKeyName || !HostFileOf(lpFileName, host)) return static_cast<UINT>(nDefault);
    std::unique_lock guard(g_lock);
    std::optional<std::string> value = Read(host, exists).Value(lpAppName, lpKeyName);
    guard.unlock();
    if (!value) return static_cast<UINT>(nDefault);
    // Leading digits count; "0x" starts a hexadecimal number; a value without digits is 0.
    const char* s = value->c_str();
    bool negative = *s == '-';
    if (negative) ++s;
    int base = (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) ? 16 : 10;
    if (base == 16) s += 2;
    UINT result = 0;
    for (;; ++s) {
        int digit = (*s >= '0' && *s <= '9') ? *s - '0'
                    : (base == 16 && *s >= 'a' && *s <= 'f') ? *s - 'a' + 10
                    : (base == 16 && *s >= 'A' && *s <= 'F') ? *s - 'A' + 10 : -1;
        if (digit < 0) break;
        result = result * static_cast<UINT>(base) + static_cast<UINT>(digit);
    }
    return negative ? 0u - result : result;
}

static BOOL WritePrivateProfileStringABody(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                                  LPCSTR lpFileName) {
    using namespace kernel;
    if (!lpAppName) {
        // All three null asks to flush a cache this layer does not keep.
        if (!lpKeyName && !lpString) return TRUE;
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string host;
    bool exists = false;
    if (!HostFileOf(lpFileName, host)) return FALSE;
    std::lock_guard guard(g_lock);
    ProfileText text = Read(host, exists);
    if (!lpKeyName || !lpString) {
        bool removed = lpKeyName ? text.DeleteKey(lpAppName, lpKeyName) : text.DeleteSection(lpAppName);
        return removed ? Write(host, text) : TRUE;  // nothing to remove: the file is left alone
    }
    text.SetValue(lpAppName, lpKeyName, lpString);
    return Write(host, text);
}

extern "C" DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                                 LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
    return kernel::NoThrow<DWORD>(DWORD{0}, [&] {
        return GetPrivateProfileStringABody(lpAppName, lpKeyName, lpDefault, lpReturnedString, nSize, lpFileName);
    });
}

extern "C" DWORD WINAPI GetPrivateProfileSectionA(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize,
                                                  LPCSTR lpFileName) {
    return kernel::NoThrow<DWORD>(DWORD{0}, [&] {
        return GetPrivateProfileSectionABody(lpAppName, lpReturnedString, nSize, lpFileName);
    });
}

extern "C" UINT WINAPI GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName) {
    return kernel::NoThrow<UINT>(static_cast<UINT>(nDefault), [&] {
        return GetPrivateProfileIntABody(lpAppName, lpKeyName, nDefault, lpFileName);
    });
}

extern "C" BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                                  LPCSTR lpFileName) {
    return kernel::NoThrow<BOOL>(BOOL{FALSE}, [&] {
        return WritePrivateProfileStringABody(lpAppName, lpKeyName, lpString, lpFileName);
    });
}
