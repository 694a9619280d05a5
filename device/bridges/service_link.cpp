// Opening and closing the device-information library for one request: the folder, the load with
// its fallback name, the interface and its start, the information block; closed in reverse.
#include "device/bridges/service_link.h"

#include "core/memory/private_heap.h"
#include "device/devinfo_information.h"

ServiceLink::~ServiceLink() {
    if (started_)
        if (auto stop = ZdsvSlot<ZdsvStopProc>(iface_, zdsv784::kStop)) stop();
    PrivateFree(information_);
    if (library_) HelperDll_Destroy(library_);
}

int32_t ServiceLink::Fail(int32_t code) {
    status_ = {code, 0, 0};
    return code;
}

int32_t ServiceLink::Open(const char* printerName, const char* exportName, uint32_t version, int layout) {
    status_ = {-2, 0, 0};
    if (!client_ || !printerName || library_) return Fail(kDevInfoBadArgument);
    if (!(library_ = HelperDll_Create())) return Fail(kDevInfoNoMemory);
    if (HelperDll_GetFolder(library_->folder, sizeof library_->folder, printerName, kHelperFolderDriver) != kHelperDone)
        return Fail(kDevInfoNoDriverFolder);
    if (HelperDll_LoadWithFallback(library_, kZdsvLibraryName, kZdsvOldLibraryName) != kHelperDone)
        return Fail(kDevInfoNotLoadedMode1);
    auto get = reinterpret_cast<ZdsvGetInterfaceProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(library_->module, exportName)));
    if (!get) return Fail(-24);
    if (!(iface_ = get(version))) return Fail(-25);
    // Slot 1 starts and slot 2 stops in both tables.
    auto start = ZdsvSlot<ZdsvStartProc>(iface_, zdsv784::kStart);
    if (!start || start() != 0) return Fail(-26);
    started_ = true;
    if (!(information_ = DevInfoClient_QueryInfo(client_, printerName, layout, iface_, &status_))) {
        // The library's own answer stays beside the status.
        if (status_.status == 0) status_.status = kDevInfoBadArgument;
        return status_.status;
    }
    if (information_->addressCount == 0 || !information_->address) return Fail(-27);
    link_ = {information_, iface_};
    status_ = {0, 0, 0};
    return 0;
}
