// The device query. No printer is on the network here and the maker's library is not
// on this machine, so when the driver folder holds neither "Zdsvc2.dll" nor "Zdsvc.dll" the
// command installs the simulated library of this build with the bundled description of a device
// (data/simulated-device.txt), as a setup would install the maker's. Then it runs the direct
// device query: load, start, read the device information, fill the device record, close.
#include "tools/device_info_command.h"

#include "core/memory/private_heap.h"
#include "core/device/service_table.h"
#include "core/device/uidevdata.h"
#include "device/device_info_record.h"
#include "device/device_operations.h"
#include "device/devinfo_client.h"
#include "device/devinfo_information.h"
#include "device/devinfo_library.h"
#include "platform/kernel/path_map.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace {

void InstallSimulatedLibrary() {
#ifdef DRVOPUI_SIMULATED_ZDSVC
    const std::filesystem::path system = std::filesystem::path(kernel::RootFolder()) / "WINDOWS" / "SYSTEM";
    std::error_code error;
    for (const char* name : {"Zdsvc2.dll", "Zdsvc.dll", "ZDSVC2.DLL", "ZDSVC.DLL"})
        if (std::filesystem::exists(system / name, error)) return;
    std::printf("drvdevinfo: no device-information library; installing the simulated one\n");
    std::filesystem::copy_file(DRVOPUI_SIMULATED_ZDSVC, system / "Zdsvc2.dll", error);
    if (!std::filesystem::exists(system / "ZDSVSIM.TXT", error))
        std::filesystem::copy_file(DRVOPUI_SOURCE_DIR "/data/simulated-device.txt", system / "ZDSVSIM.TXT", error);
    if (error) std::fprintf(stderr, "drvdevinfo: the simulated library cannot be installed: %s\n", error.message().c_str());
#endif
}

void Text(const char* label, const char* text) {
    if (*text) std::printf("  %-28s %s\n", label, text);
}

void PrintRecord(const DeviceInfoRecord& r) {
    std::printf("  %-28s %d\n", "status", r.status);
    std::printf("  %-28s %08X %08X %08X\n", "missing", r.missingWords[0], r.missingWords[1], r.missingWords[2]);
    Text("device name (0x10001)", r.text10001);
    std::printf("  %-28s %u\n", "memory (0x20006)", r.number20006);
    Text("engine (0x40026)", r.text40026);
    Text("firmware (0x4000C)", r.text4000C);
    Text("serial (0x70000002)", r.text70000002);
    Text("finisher (0x40074)", r.text40074);
    std::printf("  %-28s %02X\n", "accessory states (209)", r.stateBits209);
    std::printf("  %-28s %02X\n", "output states (2228)", r.stateBits2228);
    for (int i = 0; i < 8; ++i)
        if (r.texts3000305[i][0]) std::printf("  %-28s %s, %u\n", i ? "" : "memory entries", r.texts3000305[i], r.numbers3000301[i]);
    for (int i = 0; i < 8; ++i)
        if (r.texts3000001[i][0])
            std::printf("  %-28s %s: paper %u, level %u, kind %u\n", i ? "" : "paper sources", r.texts3000001[i],
                        r.numbers3000002[i], r.numbers3000003[i], r.numbers3000005[i]);
    for (int i = 0; i < 7; ++i) {
        char label[32];
        std::snprintf(label, sizeof label, "value %d", 224 + i);
        if (r.numbers224[i] != -1) std::printf("  %-28s %d\n", label, r.numbers224[i]);
    }
}

}  // namespace

int PrintDeviceInfo(UIDEVDATA* ctx) {
    InstallSimulatedLibrary();
    const char* printer = ctx->svc->GetPrinterName(ctx);
    std::printf("\ndevice information of \"%s\":\n", printer);
    DevInfoClient* client = nullptr;
    if (!DevInfoClient_Create(&client)) return 1;
    int rc = 1;
    ZdsvInterface* iface = nullptr;
    bool started = false;
    ZdsvDeviceInformation* info = nullptr;
    if (int code = DevInfoClient_LoadLibrary(client, kZdsvLibraryName, kZdsvOldLibraryName, printer, 1)) {
        std::printf("  the device-information library does not load (%d)\n", code);
    } else if (auto get = DevInfoClient_GetEntryAs<ZdsvGetInterfaceProc>(client, kZdsvGetInterfaceName);
               !get || !(iface = get(kZdsvVersionDirect))) {
        std::printf("  the library has no interface\n");
    } else if (!(started = ZdsvSlot<ZdsvStartProc>(iface, zdsv784::kStart)() == 0)) {
        std::printf("  the library does not start\n");
    } else {
        DevInfoStatus status{};
        info = DevInfoClient_QueryInfo(client, printer, 0, iface, &status);
        if (!info || !info->address) {
            std::printf("  no device information (%d, 0x%08X)\n", status.status, static_cast<uint32_t>(status.libraryCode));
        } else {
            auto record = std::make_unique<DeviceInfoRecord>();
            record->printerHandle = 0;
            lstrcpynA(record->printerName, printer, sizeof record->printerName);
            for (uint32_t& word : record->requestWords) word = 0xFFFFFFFF;
            const uint32_t p288 = 277, p296 = 2;
            const uint16_t p300 = 1;
            std::memcpy(record->requestParameters + 0, &p288, 4);
            std::memcpy(record->requestParameters + 8, &p296, 4);
            std::memcpy(record->requestParameters + 12, &p300, 2);
            DevInfoDeviceLink link{info, iface};
            int code = DevInfoClient_GetHandler(client, &link, record.get(), 1);
            std::printf("  %-28s %s\n", "served by", info->hostName ? info->hostName : "this computer");
            PrintRecord(*record);
            rc = code == 0 && record->status == 0 ? 0 : 1;
        }
    }
    if (started) ZdsvSlot<ZdsvStopProc>(iface, zdsv784::kStop)();
    PrivateFree(info);
    DevInfoClient_Destroy(client);
    return rc;
}
