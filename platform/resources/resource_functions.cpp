// FindResourceA, LoadResource, LockResource, SizeofResource and FreeResource over the module's
// resource table. A resource handle is the entry itself; it is checked against the module's table
// before use, so a handle of another module or a forged one is refused.
#include "platform/resources/res_file.h"

namespace {

const res::ResourceEntry* entryOf(HMODULE module, HRSRC resource,
                                  std::shared_ptr<const res::ResourceTable>& table) {
    table = res::TableOf(module);
    auto* e = reinterpret_cast<const res::ResourceEntry*>(resource);
    if (!table || !e || !table->owns(e)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return e;
}

}  // namespace

extern "C" HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    auto table = res::TableOf(module);
    if (!table) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    if (!type || !name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (const res::ResourceEntry* e = table->find(type, name))
        return reinterpret_cast<HRSRC>(const_cast<res::ResourceEntry*>(e));
    bool typeKnown = false;
    for (const auto& e : table->entries()) typeKnown = typeKnown || e.type.matches(type);
    SetLastError(typeKnown ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

extern "C" HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource) {
    std::shared_ptr<const res::ResourceTable> table;
    const res::ResourceEntry* e = entryOf(module, resource, table);
    if (!e) return nullptr;
    // The bytes stay with the module's table, as a loaded module's resources stay mapped.
    return const_cast<uint8_t*>(table->dataOf(*e));
}

extern "C" LPVOID WINAPI LockResource(HGLOBAL loaded) { return loaded; }

extern "C" DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource) {
    std::shared_ptr<const res::ResourceTable> table;
    const res::ResourceEntry* e = entryOf(module, resource, table);
    return e ? e->size : 0;
}

extern "C" BOOL WINAPI FreeResource(HGLOBAL) { return FALSE; }  // nothing to free, as on 32-bit systems
