// Modules over host shared objects. A name without a folder is found as on the original: a
// module already loaded under that name, else the current, system and Windows folders, each
// looked up without regard to case; a name without an extension gets ".DLL". Modules are
// reference counted; the last FreeLibrary runs DllMain's detach and unloads the object.
#include "platform/kernel/module_table.h"

#include "platform/kernel/code_page.h"
#include "platform/kernel/elf_image.h"
#include "platform/kernel/path_map.h"
#include "platform/kernel/system_modules.h"

#include "platform/kernel/host_error.h"
#include <windows.h>

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>

namespace kernel {

namespace {

using DllEntry = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);

std::recursive_mutex g_lock;
std::map<ModuleRecord*, std::shared_ptr<ModuleRecord>> g_modules;

HMODULE HandleOf(ModuleRecord* record) { return reinterpret_cast<HMODULE>(record); }

// Called with g_lock held.
std::shared_ptr<ModuleRecord> MainModule() {
    static std::shared_ptr<ModuleRecord> main = [] {
        auto record = std::make_shared<ModuleRecord>();
        char self[4096] = {};
        ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
        record->hostPath = n > 0 ? std::string(self, static_cast<size_t>(n)) : "drvhost";
        std::string base = record->hostPath.substr(record->hostPath.rfind('/') + 1);
        if (base.find('.') == std::string::npos) base += ".EXE";
        record->windowsPath = std::string(kWindowsFolder) + "\\" + base;
        record->library = dlopen(nullptr, RTLD_NOW);
        record->references = 1;
        return record;
    }();
    return main;
}

// "ZDSVC2" becomes "ZDSVC2.DLL"; a trailing dot says the name has no extension.
std::string WithExtension(std::string name) {
    std::string_view base = std::string_view(name).substr(FileNameStart(name));
    if (!base.empty() && base.back() == '.') name.pop_back();
    else if (base.find('.') == std::string_view::npos) name += ".DLL";
    return name;
}

bool IsFile(const std::string& host) {
    struct stat st;
    return stat(host.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Finds the file; false with ERROR_MOD_NOT_FOUND when no place has it.
bool Locate(const std::string& name, std::string& full, std::string& host) {
    if (FileNameStart(name) > 0) {
        if (!FullWindowsPath(name, full) || !MapPath(full, host)) return false;
        if (IsFile(host)) return true;
    } else {
        for (std::string folder : {CurrentDirectory(), std::string(kSystemFolder), std::string(kWindowsFolder)}) {
            if (folder.back() != '\\') folder += '\\';
            if (FullWindowsPath(folder + name, full) && MapPath(full, host) && IsFile(host)) return true;
        }
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return false;
}

// Called with g_lock held. A data-file load may reuse a loaded library, not the other way round.
std::shared_ptr<ModuleRecord> Loaded(const std::string& name, const std::string* host, bool dataFile) {
    bool byBase = FileNameStart(name) == 0;
    for (auto& [raw, record] : g_modules) {
        if ((record->flags & LOAD_LIBRARY_AS_DATAFILE) && !dataFile) continue;
        bool same = host ? record->hostPath == *host
               : byBase ? EqualNoCase(std::string_view(record->windowsPath).substr(FileNameStart(record->windowsPath)), name)
                        : false;
        if (same) return record;
    }
    return nullptr;
}

bool LoadImage(ModuleRecord& record) {
    std::ifstream file(record.hostPath, std::ios::binary);
    record.image.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (!file.good() && !file.eof()) {
        SetLastError(ERROR_READ_FAULT);
        return false;
    }
    return true;
}

// The first entry of every compiled resource file: an empty resource with a 32-byte header.
constexpr BYTE kResourceFileStart[16] = {0, 0, 0, 0, 0x20, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};

// The head of the file (at most kElfHeadBytes) and the file's size.
bool ReadHead(const std::string& path, std::vector<uint8_t>& head, uint64_t& fileSize) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return false;
    const std::streamoff end = file.tellg();
    if (end < 0) return false;
    fileSize = static_cast<uint64_t>(end);
    head.resize(static_cast<size_t>(std::min<uint64_t>(fileSize, kElfHeadBytes)));
    file.seekg(0);
    return file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size())).good() ||
           head.empty();
}

bool LoadLibraryObject(ModuleRecord& record) {
    std::vector<uint8_t> head;
    uint64_t fileSize = 0;
    if (!ReadHead(record.hostPath, head, fileSize)) {
        SetLastError(ERROR_READ_FAULT);
        return false;
    }
    if (head.size() >= sizeof kResourceFileStart && std::memcmp(head.data(), kResourceFileStart, sizeof kResourceFileStart) == 0) {
        // A library of resources only: the stand-in is its compiled resource file.
        record.dataFile = true;
        return LoadImage(record);
    }
    // A damaged or truncated library is refused here: mapped as it is, it would bring the
    // process down on the first touch of a page past its end.
    if (!ElfImageFits(head.data(), head.size(), fileSize)) {
        SetLastError(ERROR_BAD_EXE_FORMAT);
        return false;
    }
    record.library = dlopen(record.hostPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!record.library) {
        SetLastError(ERROR_MOD_NOT_FOUND);  // as when a library it needs is missing
        return false;
    }
    if (auto entry = reinterpret_cast<DllEntry>(dlsym(record.library, "DllMain"))) {
        if (!entry(HandleOf(&record), DLL_PROCESS_ATTACH, nullptr)) {
            dlclose(record.library);
            SetLastError(ERROR_DLL_INIT_FAILED);
            return false;
        }
    }
    return true;
}

// The platform's own library of that name, named alone or in the system folder; null otherwise.
const SystemModule* SystemLibrary(const std::string& name) {
    const size_t start = FileNameStart(name);
    const SystemModule* module = FindSystemModule(std::string_view(name).substr(start));
    if (!module || start == 0) return module;
    std::string full;
    return FullWindowsPath(name, full) && EqualNoCase(std::string_view(full).substr(0, FileNameStart(full)),
                                                      std::string(kSystemFolder) + "\\")
               ? module
               : nullptr;
}

// Called with g_lock held.
std::shared_ptr<ModuleRecord> LoadedSystemLibrary(const SystemModule* module) {
    for (auto& [raw, record] : g_modules)
        if (record->system == module) return record;
    return nullptr;
}

}  // namespace

std::shared_ptr<ModuleRecord> FindModule(HMODULE module) {
    std::lock_guard guard(g_lock);
    if (!module) return MainModule();
    auto it = g_modules.find(reinterpret_cast<ModuleRecord*>(module));
    return it == g_modules.end() ? nullptr : it->second;
}

}  // namespace kernel

static HMODULE LoadLibraryExABody(LPCSTR lpLibFileName, HANDLE hFile, DWORD dwFlags) {
    using namespace kernel;
    if (!lpLibFileName || !*lpLibFileName || hFile) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    bool dataFile = dwFlags & LOAD_LIBRARY_AS_DATAFILE;
    std::string name = WithExtension(lpLibFileName);
    std::lock_guard guard(g_lock);
    const SystemModule* system = dataFile ? nullptr : SystemLibrary(name);
    auto record = system ? LoadedSystemLibrary(system) : FileNameStart(name) == 0 ? Loaded(name, nullptr, dataFile) : nullptr;
    std::string full, host;
    if (system && !record) {
        try {
            record = std::make_shared<ModuleRecord>();
            record->windowsPath = std::string(kSystemFolder) + "\\" + system->fileName;
            record->system = system;
            record->references = 1;
            g_modules[record.get()] = record;
        } catch (const std::bad_alloc&) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        return HandleOf(record.get());
    }
    if (!record) {
        if (!Locate(name, full, host)) return nullptr;
        record = Loaded(name, &host, dataFile);
    }
    if (record) {
        ++record->references;
        return HandleOf(record.get());
    }
    try {
        record = std::make_shared<ModuleRecord>();
        record->windowsPath = full;
        record->hostPath = host;
        record->flags = dwFlags;
        record->dataFile = dataFile;
        record->references = 1;
        g_modules[record.get()] = record;  // DllMain may ask for its own handle
        if (!(dataFile ? LoadImage(*record) : LoadLibraryObject(*record))) {
            g_modules.erase(record.get());
            return nullptr;
        }
    } catch (const std::bad_alloc&) {
        if (record) g_modules.erase(record.get());
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return HandleOf(record.get());
}

extern "C" HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName) { return LoadLibraryExA(lpLibFileName, nullptr, 0); }

extern "C" BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
    using namespace kernel;
    std::lock_guard guard(g_lock);
    auto it = g_modules.find(reinterpret_cast<ModuleRecord*>(hLibModule));
    if (it == g_modules.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    auto record = it->second;
    if (--record->references > 0) return TRUE;
    if (record->library) {
        if (auto entry = reinterpret_cast<DllEntry>(dlsym(record->library, "DllMain")))
            entry(hLibModule, DLL_PROCESS_DETACH, nullptr);
        dlclose(record->library);
    }
    g_modules.erase(it);
    return TRUE;
}

extern "C" FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    auto record = kernel::FindModule(hModule);
    if (!record) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    // Host objects export by name only; an ordinal finds nothing.
    const bool byName = lpProcName && !IS_INTRESOURCE(lpProcName);
    void* address = !byName          ? nullptr
                    : record->system ? reinterpret_cast<void*>(kernel::SystemModuleExport(*record->system, lpProcName))
                    : record->library ? dlsym(record->library, lpProcName)
                                      : nullptr;
    if (!address) SetLastError(ERROR_PROC_NOT_FOUND);
    return reinterpret_cast<FARPROC>(address);
}

extern "C" HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
    using namespace kernel;
    std::lock_guard guard(g_lock);
    if (!lpModuleName) return HandleOf(MainModule().get());
    std::string name = WithExtension(lpModuleName), full;
    for (auto& [raw, record] : g_modules) {
        if (record->flags & LOAD_LIBRARY_AS_DATAFILE) continue;
        bool same = FileNameStart(name) == 0
                        ? EqualNoCase(std::string_view(record->windowsPath).substr(FileNameStart(record->windowsPath)), name)
                        : FullWindowsPath(name, full) && EqualNoCase(record->windowsPath, full);
        if (same) return HandleOf(raw);
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

extern "C" DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    auto record = kernel::FindModule(hModule);
    if (!record) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    const std::string& path = record->windowsPath;
    if (path.size() < nSize) {
        std::memcpy(lpFilename, path.c_str(), path.size() + 1);
        return static_cast<DWORD>(path.size());
    }
    // Too small: the name is cut, and still ends with a NUL, unlike the older systems.
    if (nSize > 0) {
        std::memcpy(lpFilename, path.data(), nSize - 1);
        lpFilename[nSize - 1] = '\0';
    }
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
}

extern "C" HMODULE WINAPI LoadLibraryExA(LPCSTR lpLibFileName, HANDLE hFile, DWORD dwFlags) {
    return kernel::NoThrow<HMODULE>(HMODULE{}, [&] {
        return LoadLibraryExABody(lpLibFileName, hFile, dwFlags);
    });
}
