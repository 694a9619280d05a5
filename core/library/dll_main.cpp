// Start-up and shut-down of the library. The pool is a static object constructed before this
// runs and destroyed after the detach (see core/memory/chunk_pool.h); in between, attach brings up the
// private heap, the core lock, the export lock, the data-file cache and the driver's capability
// entry, and detach takes them down in the reverse order, after what the layers above hold there.
#include "core/library/dll_main.h"

#include "core/datafile/data_file_cache.h"
#include "core/library/detach_release.h"
#include "core/library/device_capabilities_entry.h"
#include "core/library/locks.h"
#include "core/memory/private_heap.h"
#include "platform/spooler/driver_registry.h"

HINSTANCE g_hInstance = nullptr;

namespace {

bool g_attached = false;
void (*g_observer)(const char* step) = nullptr;
void (*g_release)() noexcept = nullptr;

void Step(const char* name) {
    if (g_observer) g_observer(name);
}

BOOL Attach(HINSTANCE instance) {
    g_hInstance = instance;
    Step("instance kept");
    if (!CreatePrivateHeap()) return FALSE;
    Step("heap created");
    InitializeCriticalSection(&g_coreLock);
    Step("core lock initialised");
    InitializeCriticalSection(&g_exportLock);
    Step("export lock initialised");
    ClearDataFileCache();
    Step("data-file cache cleared");
    // The spooler answers DeviceCapabilitiesA of our printers through the driver; on the original
    // it finds the driver by loading it, here the loaded library tells it where it is.
    spooler::DriverEntryPoints entry;
    entry.deviceCapabilities = DriverDeviceCapabilities;
    spooler::RegisterDriver(nullptr, entry);
    g_attached = true;
    return TRUE;
}

// The loader also detaches a library whose attach failed; then there is nothing to take down.
void Detach() {
    if (!g_attached) return;
    g_attached = false;
    spooler::UnregisterDriver(nullptr);
    if (g_release) g_release();
    FreeDataFileCache();
    Step("data-file cache freed");
    DeleteCriticalSection(&g_exportLock);
    Step("export lock deleted");
    DeleteCriticalSection(&g_coreLock);
    Step("core lock deleted");
    DestroyPrivateHeap();
    Step("heap destroyed");
}

}  // namespace

void RegisterDetachRelease(void (*release)() noexcept) noexcept { g_release = release; }

// Declared in the test-only header drvtest/lifecycle_observer.h.
void ObserveLifecycle(void (*observer)(const char* step)) noexcept { g_observer = observer; }

DRVOPUI_EXPORT BOOL WINAPI DllMain(HINSTANCE hinstDLL, DWORD fdwReason, LPVOID /*lpvReserved*/) {
    switch (fdwReason) {
    case DLL_PROCESS_ATTACH:
        return Attach(hinstDLL);
    case DLL_PROCESS_DETACH:
        Detach();
        return TRUE;
    default:
        return TRUE;
    }
}
