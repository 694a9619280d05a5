// Maps Windows paths onto the host's root folder. Paths are made absolute against the current
// directory and split on backslashes that are not trail bytes of double-byte characters; each
// existing component is then looked up without regard to case in its host directory.
#include "platform/kernel/path_map.h"

#include "platform/kernel/code_page.h"

#include <windows.h>

#include <dirent.h>
#include <pwd.h>
#include <unistd.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <mutex>
#include <vector>

namespace kernel {

namespace {

std::mutex g_lock;
std::string g_root;           // empty until chosen
bool g_prepared = false;      // the Windows folders exist under g_root
std::string g_current = "C:\\";

// The temporary folder is shared by the machine's users and the root is made with their own
// permissions: each user gets a root of their own, so that one user's root never stands in
// another's way.
std::string UserName() {
    const uid_t uid = geteuid();
    passwd entry{};
    passwd* found = nullptr;
    char buffer[1024];
    if (getpwuid_r(uid, &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_name && *found->pw_name &&
        !std::strchr(found->pw_name, '/'))
        return found->pw_name;
    return std::to_string(uid);
}

std::string DefaultRoot() {
    if (const char* root = std::getenv("DRVOPUI_ROOT"); root && *root) return root;
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/drvopui-root-" + UserName();
}

void MakeDirectories(const std::string& path) {
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') mkdir(path.substr(0, i).c_str(), 0777);
    }
}

// Splits on backslashes, keeping a double-byte character whole even when its trail byte is 0x5C.
std::vector<std::string> SplitComponents(std::string_view path) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < path.size(); ++i) {
        BYTE b = static_cast<BYTE>(path[i]);
        if (IsLeadByteHere(b) && i + 1 < path.size()) {
            parts.back() += path.substr(i, 2);
            ++i;
        } else if (b == '\\') {
            parts.emplace_back();
        } else {
            parts.back() += path[i];
        }
    }
    return parts;
}

bool ValidComponent(const std::string& name) {
    for (size_t i = 0; i < name.size(); ++i) {
        BYTE b = static_cast<BYTE>(name[i]);
        if (IsLeadByteHere(b) && i + 1 < name.size()) {
            ++i;
            continue;
        }
        if (b < 0x20 || std::string_view("<>:\"|?*").find(static_cast<char>(b)) != std::string_view::npos)
            return false;
    }
    return true;
}

// The entry of dir whose name equals name without regard to case: the exact name when it
// exists, else the first such entry in byte order, so that the answer does not depend on the
// order in which the host lists the directory.
bool FindEntry(const std::string& dir, const std::string& name, std::string& found) {
    struct stat st;
    if (lstat((dir + "/" + name).c_str(), &st) == 0) {
        found = name;
        return true;
    }
    DIR* d = opendir(dir.c_str());
    if (!d) return false;
    bool any = false;
    while (dirent* e = readdir(d)) {
        std::string_view entry = e->d_name;
        if (entry == "." || entry == "..") continue;
        if (EqualNoCase(entry, name) && (!any || entry < found)) {
            found = entry;
            any = true;
        }
    }
    closedir(d);
    return any;
}

std::string MapUnder(const std::string& root, const std::vector<std::string>& components) {
    std::string host = root;
    bool searching = true;
    for (const std::string& c : components) {
        if (c.empty()) continue;
        std::string found;
        if (searching && !FindEntry(host, c, found)) searching = false;
        host += '/';
        host += searching ? found : c;
    }
    return host;
}

// Called with g_lock held.
const std::string& PreparedRoot() {
    if (g_root.empty()) g_root = DefaultRoot();
    if (!g_prepared) {
        MakeDirectories(g_root);
        for (std::string_view folder : {kWindowsFolder, kSystemFolder, kTempFolder}) {
            auto parts = SplitComponents(folder.substr(3));
            mkdir(MapUnder(g_root, parts).c_str(), 0777);
        }
        g_prepared = true;
    }
    return g_root;
}

}  // namespace

std::string RootFolder() {
    std::lock_guard guard(g_lock);
    return PreparedRoot();
}

void SetRootFolder(std::string folder) {
    std::lock_guard guard(g_lock);
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    g_root = std::move(folder);
    g_prepared = false;
}

size_t FileNameStart(std::string_view path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsLeadByteHere(static_cast<BYTE>(path[i]))) ++i;
        else if (path[i] == '\\' || path[i] == '/' || path[i] == ':') start = i + 1;
    }
    return start;
}

std::string CurrentDirectory() {
    std::lock_guard guard(g_lock);
    return g_current;
}

void SetCurrentDirectoryPath(std::string fullPath) {
    std::lock_guard guard(g_lock);
    g_current = std::move(fullPath);
}

bool FullWindowsPath(std::string_view path, std::string& full) {
    if (path.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    std::string p(path);
    for (size_t i = 0; i < p.size(); ++i) {
        if (IsLeadByteHere(static_cast<BYTE>(p[i]))) ++i;
        else if (p[i] == '/') p[i] = '\\';
    }
    if (p.size() >= 2 && p[0] == '\\' && p[1] == '\\') {
        SetLastError(ERROR_BAD_PATHNAME);  // no network shares on this machine
        return false;
    }
    std::string current = CurrentDirectory();
    char drive = current[0];
    std::vector<std::string> parts;
    bool hasDrive = p.size() >= 2 && p[1] == ':' &&
                    ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'));
    if (hasDrive) {
        char given = static_cast<char>(UpperByte(static_cast<BYTE>(p[0])));
        p.erase(0, 2);
        // A drive-relative path ("D:X") starts from the current directory only on its drive.
        if (given == drive && (p.empty() || p[0] != '\\')) parts = SplitComponents(current.substr(3));
        drive = given;
    } else if (p[0] != '\\') {
        parts = SplitComponents(current.substr(3));
    }
    std::vector<std::string> given = SplitComponents(p);
    for (const std::string& c : given) {
        if (!ValidComponent(c)) {
            SetLastError(ERROR_INVALID_NAME);
            return false;
        }
    }
    std::vector<std::string> out;
    auto append = [&out](const std::vector<std::string>& from) {
        for (const std::string& c : from) {
            if (c.empty() || c == ".") continue;
            if (c == "..") {
                if (!out.empty()) out.pop_back();
                continue;
            }
            // Trailing dots and spaces are not part of a name ("NAME." is "NAME").
            size_t end = c.find_last_not_of(". ");
            if (end != std::string::npos) out.push_back(c.substr(0, end + 1));
        }
    };
    append(parts);
    append(given);
    std::string result = std::string(1, drive) + ":\\";
    for (size_t i = 0; i < out.size(); ++i) {
        if (i) result += '\\';
        result += out[i];
    }
    if (result.size() >= MAX_PATH) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    full = std::move(result);
    return true;
}

bool MapPath(std::string_view windowsPath, std::string& hostPath) {
    std::string full;
    if (!FullWindowsPath(windowsPath, full)) return false;
    std::string root = RootFolder();
    hostPath = MapUnder(root, SplitComponents(std::string_view(full).substr(3)));
    return true;
}

}  // namespace kernel
