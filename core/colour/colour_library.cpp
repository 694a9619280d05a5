// Loading the colour-profile library by its file names and taking every function the profile
// list uses; a library missing one of them is not used at all, so no caller meets a null entry.
#include "core/colour/colour_library.h"

#include <cstring>

namespace {

void ReleaseTable(ColorLibraryTable* table) {
    if (!table || !table->module) return;
    if (table->Terminate) table->Terminate();
    FreeLibrary(table->module);
    std::memset(table, 0, sizeof *table);
}

template <typename T>
bool Take(HMODULE module, const char* name, T& entry) {
    // Through a plain function pointer: the entries have their own signatures, not FARPROC's.
    entry = reinterpret_cast<T>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    return entry != nullptr;
}

}  // namespace

BOOL LoadColorLibraryTable(int kind, ColorLibraryTable* table) {
    if (!table) return FALSE;
    std::memset(table, 0, sizeof *table);
    if (kind != 0) return FALSE;
    HMODULE module = nullptr;
    for (const char* name : kColorLibraryNames)
        if ((module = LoadLibraryA(name)) != nullptr) break;
    if (!module) return FALSE;
    ColorLibraryTable t{};
    t.module = module;
    t.Release = ReleaseTable;
    const bool complete = Take(module, "KRXDisposeProfileEnumerator", t.DisposeProfileEnumerator) &&
                          Take(module, "KRXCloseProfile", t.CloseProfile) &&
                          Take(module, "KRXGetTagText", t.GetTagText) &&
                          Take(module, "KRXGetProfileInfo", t.GetProfileInfo) &&
                          Take(module, "KRXOpenProfile", t.OpenProfile) &&
                          Take(module, "KRXGetProfileDescriptor", t.GetProfileDescriptor) &&
                          Take(module, "KRXGetProfileEnumerator", t.GetProfileEnumerator) &&
                          Take(module, "KRXGetSysProfilePath", t.GetSysProfilePath) &&
                          Take(module, "KRXInitialize", t.Initialize) && Take(module, "KRXTerminate", t.Terminate);
    if (!complete || !t.Initialize()) {
        FreeLibrary(module);
        return FALSE;
    }
    *table = t;
    return TRUE;
}
