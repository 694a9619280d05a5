// The simulated device-information library: a shared object that tests install under the names
// "Zdsvc2.dll" and "Zdsvc.dll" in the Windows system folder of the drive root. It answers as the
// device described in "ZDSVSIM.TXT" beside it would, calls back inline or from a thread of its
// own, and writes every call to "ZDSVSIM.LOG" beside it, one line each, for the tests to read.
// Reply memory is poisoned and freed as soon as the callback returns, so a caller that keeps a
// reply past its callback is caught by the sanitizers.
#include "sim_runtime.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using namespace simdev;

ZdsvInterface g_table768 = MakeTable768();
ZdsvInterface g_table784 = MakeTable784();

ZdsvInterface* TableFor(const char* exportName, uint32_t version) {
    LoadDevice();
    Log("%s %u", exportName, version);
    if (version == kZdsvVersionClient) return &g_table768;
    if (version == kZdsvVersionDirect) return &g_table784;
    return nullptr;
}

}  // namespace

// The entry point has the loader's exact type, HINSTANCE included, as the sanitizers check calls
// through function pointers.
struct HINSTANCE__;
EXPORT int DllMain(HINSTANCE__*, unsigned reason, void*) {
    if (reason == 1) Log("attach");
    if (reason == 0) {
        StopWorker();
        Log("detach");
    }
    return 1;
}

#ifndef SIM_WITHOUT_ZDSV
EXPORT ZdsvInterface* ZDSV_GetInterface(uint32_t version) { return TableFor("ZDSV_GetInterface", version); }
#endif

EXPORT ZdsvInterface* SS_GetInterface(uint32_t version) {
    return version == kZdsvVersionDirect ? TableFor("SS_GetInterface", version) : nullptr;
}
