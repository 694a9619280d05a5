// Which module handle holds which resource table: a table attached to a handle (by a test or the
// host program), else the resources of a module the kernel loaded as a data file, parsed from its
// bytes on first use and kept with the module. The resource functions only ever ask TableOf.
#include "platform/resources/res_file.h"

#include "platform/kernel/module_table.h"

#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <set>

namespace res {
namespace {

struct Registry {
    std::mutex lock;
    std::map<HMODULE, std::shared_ptr<const ResourceTable>> tables;
    std::set<HMODULE> fileModules;  // handles made by OpenResourceFile
};

Registry& registry() {
    static auto* r = new Registry;
    return *r;
}

}  // namespace

std::shared_ptr<const ResourceTable> TableOf(HMODULE module) {
    {
        auto& r = registry();
        std::lock_guard<std::mutex> guard(r.lock);
        auto it = r.tables.find(module);
        if (it != r.tables.end()) return it->second;
    }
    auto record = kernel::FindModule(module);
    if (!record || !record->dataFile || record->image.empty()) return nullptr;
    if (!record->resources) {
        std::shared_ptr<const ResourceTable> parsed = ResourceTable::Parse(record->image.data(), record->image.size());
        if (!parsed) return nullptr;  // not a resource file: the module simply has no resources
        record->resources = std::const_pointer_cast<ResourceTable>(parsed);
    }
    return std::static_pointer_cast<const ResourceTable>(record->resources);
}

bool AttachResources(HMODULE module, std::shared_ptr<const ResourceTable> table) {
    if (!table) return false;
    auto& r = registry();
    std::lock_guard<std::mutex> guard(r.lock);
    return r.tables.emplace(module, std::move(table)).second;
}

void DetachResources(HMODULE module) {
    auto& r = registry();
    std::lock_guard<std::mutex> guard(r.lock);
    r.tables.erase(module);
}

HMODULE OpenResourceFile(const char* path) {
    if (!path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto table = ResourceTable::Parse(bytes.data(), bytes.size());
    if (!table) {
        SetLastError(ERROR_BAD_FORMAT);
        return nullptr;
    }
    // The handle is the address of a byte of our own, so it can never collide with another module.
    auto module = reinterpret_cast<HMODULE>(new char);
    auto& r = registry();
    std::lock_guard<std::mutex> guard(r.lock);
    r.tables.emplace(module, std::move(table));
    r.fileModules.insert(module);
    return module;
}

bool CloseResourceFile(HMODULE module) {
    auto& r = registry();
    std::lock_guard<std::mutex> guard(r.lock);
    if (!r.fileModules.erase(module)) return false;
    r.tables.erase(module);
    delete reinterpret_cast<char*>(module);
    return true;
}

}  // namespace res
