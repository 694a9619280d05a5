// FindFirstFileA, FindNextFileA and FindClose. A search lists its folder once, in name order,
// and matches each name against the pattern without regard to case, with the original's rules
// for "*.*" and for patterns ending in "." or ".*".
#include "platform/kernel/file_search.h"

#include "platform/kernel/code_page.h"
#include "platform/kernel/file_time.h"
#include "platform/kernel/host_error.h"
#include "platform/kernel/path_map.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace kernel {

namespace {

// Characters of a text, a double-byte character counting as one.
std::vector<std::string_view> Characters(std::string_view s) {
    std::vector<std::string_view> out;
    for (size_t i = 0; i < s.size();) {
        size_t n = IsLeadByteHere(static_cast<BYTE>(s[i])) && i + 1 < s.size() ? 2 : 1;
        out.push_back(s.substr(i, n));
        i += n;
    }
    return out;
}

bool MatchWild(const std::vector<std::string_view>& name, size_t n, const std::vector<std::string_view>& pat,
               size_t p) {
    // Iterative match with one backtrack point for the last star.
    size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pat.size() && pat[p] == "*") {
            starP = p++;
            starN = n;
        } else if (p < pat.size() && (pat[p] == "?" || EqualNoCase(pat[p], name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pat.size() && pat[p] == "*") ++p;
    return p == pat.size();
}

bool Matches(std::string_view name, std::string_view pattern) {
    if (pattern == "*" || pattern == "*.*") return true;
    if (MatchWild(Characters(name), 0, Characters(pattern), 0)) return true;
    // "NAME.*" also finds "NAME", and "NAME." finds only names without an extension.
    if (pattern.size() > 2 && pattern.ends_with(".*"))
        return name.find('.') == std::string_view::npos && Matches(name, pattern.substr(0, pattern.size() - 2));
    if (pattern.size() > 1 && pattern.back() == '.' && name.find('.') == std::string_view::npos)
        return MatchWild(Characters(name), 0, Characters(pattern.substr(0, pattern.size() - 1)), 0);
    return false;
}

WIN32_FIND_DATAA EntryOf(const std::string& name, const struct stat& st) {
    WIN32_FIND_DATAA d{};
    d.dwFileAttributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!(st.st_mode & S_IWUSR)) d.dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
    d.ftCreationTime = FileTimeOf(st.st_ctim);
    d.ftLastAccessTime = FileTimeOf(st.st_atim);
    d.ftLastWriteTime = FileTimeOf(st.st_mtim);
    uint64_t size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
    d.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    d.nFileSizeLow = static_cast<DWORD>(size);
    std::memcpy(d.cFileName, name.data(), name.size());
    return d;
}

// Splits "DIR\PATTERN" at the last separator that is not a trail byte.
void SplitPattern(std::string_view path, std::string& folder, std::string& pattern) {
    size_t cut = std::string_view::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsLeadByteHere(static_cast<BYTE>(path[i]))) ++i;
        else if (path[i] == '\\' || path[i] == '/' || (i == 1 && path[i] == ':')) cut = i;
    }
    if (cut == std::string_view::npos) {
        folder = ".";
        pattern = path;
    } else {
        folder = path.substr(0, cut + 1);
        if (folder.size() == 2) folder += '.';  // "C:X" names X in the current folder of C:
        pattern = path.substr(cut + 1);
    }
}

}  // namespace

}  // namespace kernel

static HANDLE FindFirstFileABody(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
    using namespace kernel;
    if (!lpFileName || !lpFindFileData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string folder, pattern, host, full;
    SplitPattern(lpFileName, folder, pattern);
    if (pattern.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (!FullWindowsPath(folder, full) || !MapPath(full, host)) return INVALID_HANDLE_VALUE;
    DIR* dir = opendir(host.c_str());
    if (!dir) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto search = std::make_shared<FileSearch>();
    bool atRoot = full.size() == 3;  // a drive's root lists no "." and ".."
    while (dirent* e = readdir(dir)) {
        std::string name = e->d_name;
        if (atRoot && (name == "." || name == "..")) continue;
        if (name.size() >= MAX_PATH || !Matches(name, pattern)) continue;
        struct stat st;
        if (stat((host + "/" + name).c_str(), &st) != 0) continue;
        search->entries.push_back(EntryOf(name, st));
    }
    closedir(dir);
    if (search->entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::sort(search->entries.begin(), search->entries.end(), [](const auto& a, const auto& b) {
        return std::strcmp(a.cFileName, b.cFileName) < 0;
    });
    *lpFindFileData = search->entries[0];
    search->next = 1;
    HANDLE h = InsertHandle(search);
    return h ? h : INVALID_HANDLE_VALUE;
}

extern "C" BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
    auto search = kernel::ReferenceHandleAs<kernel::FileSearch>(hFindFile);
    if (!search || !lpFindFileData) {
        SetLastError(search ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard guard(search->lock);
    if (search->next >= search->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *lpFindFileData = search->entries[search->next++];
    return TRUE;
}

extern "C" BOOL WINAPI FindClose(HANDLE hFindFile) {
    if (!kernel::ReferenceHandleAs<kernel::FileSearch>(hFindFile) || !kernel::RemoveHandle(hFindFile)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

extern "C" HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
    return kernel::NoThrow<HANDLE>(INVALID_HANDLE_VALUE, [&] {
        return FindFirstFileABody(lpFileName, lpFindFileData);
    });
}
