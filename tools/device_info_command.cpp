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
#include "tools/tool_paths.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace {

std::string SystemFolder() {
    return (std::filesystem::path(kernel::RootFolder()) / "WINDOWS" / "SYSTEM").string();
}

bool LibraryPresent() {
    std::error_code error;
    for (const char* name : {"Zdsvc2.dll", "Zdsvc.dll", "ZDSVC2.DLL", "ZDSVC.DLL"})
        if (std::filesystem::exists(std::filesystem::path(SystemFolder()) / name, error)) return true;
    return false;
}

}  // namespace

bool SayWhenDeviceLibraryIsAbsent() {
    if (LibraryPresent()) return false;
    std::printf("  no device-information library: the driver folder %s holds neither \"Zdsvc2.dll\" nor\n"
                "  \"Zdsvc.dll\" (the maker's library, which a setup installs; this build has no simulated\n"
                "  one: it comes with the test build)\n", SystemFolder().c_str());
    return true;
}

void InstallSimulatedDeviceLibrary() {
#ifdef DRVOPUI_SIMULATED_ZDSVC
    const std::filesystem::path system = std::filesystem::path(kernel::RootFolder()) / "WINDOWS" / "SYSTEM";
    std::error_code error;
    for (const char* name : {"Zdsvc2.dll", "Zdsvc.dll", "ZDSVC2.DLL", "ZDSVC.DLL"})
        if (std::filesystem::exists(system / name, error)) return;
    std::printf("drvdevinfo: no device-information library; installing the simulated one\n");
    std::filesystem::copy_file(DRVOPUI_SIMULATED_ZDSVC, system / "Zdsvc2.dll", error);
    if (!std::filesystem::exists(system / "ZDSVSIM.TXT", error))
        std::filesystem::copy_file(SourceDataFolder() + "/simulated-device.txt", system / "ZDSVSIM.TXT", error);
    if (error) std::fprintf(stderr, "drvdevinfo: the simulated library cannot be installed: %s\n", error.message().c_str());
#endif
}

namespace {

void Text(const char* label, const char* text) {
    if (*text) std::printf("  %-28s %s\n", label, text);
}

// The bits set in a word, by number: "none" when there are none.
std::string Bits(uint32_t word) {
    std::string bits;
    for (int bit = 0; bit < 32; ++bit)
        if (word & (1u << bit)) bits += (bits.empty() ? "" : ", ") + std::to_string(bit);
    return bits.empty() ? "none" : bits;
}

const char* StatusText(int32_t status) {
    if (status == 0) return "the device answered";
    return status < 0 ? "the device could not be asked" : "the device refused";
}

void PrintRecord(const DeviceInfoRecord& r) {
    std::printf("  %-28s %d (%s)\n", "status", r.status, StatusText(r.status));
    // The attributes asked for that did not come, by their attribute numbers, eight a line.
    std::string missing;
    int listed = 0;
    for (int word = 0; word < 3; ++word)
        for (int bit = 0; bit < 32; ++bit) {
            const uint32_t attribute = DeviceInfoAttributeForBit(word, bit);
            if (!(r.missingWords[word] & (1u << bit)) || attribute == 0) continue;
            char id[16];
            std::snprintf(id, sizeof id, "0x%X", attribute);
            missing += std::string(listed == 0 ? "" : listed % 8 == 0 ? ",\n                               " : ", ") + id;
            ++listed;
        }
    std::printf("  %-28s %s\n", "attributes not answered", missing.empty() ? "none" : missing.c_str());
    Text("device name", r.text10001);
    std::printf("  %-28s %u\n", "memory", r.number20006);
    Text("engine", r.text40026);
    Text("firmware", r.text4000C);
    Text("serial number", r.text70000002);
    Text("finisher", r.text40074);
    std::printf("  %-28s %s\n", "accessory units present", Bits(r.stateBits209).c_str());
    std::printf("  %-28s %s\n", "output units present", Bits(r.stateBits2228).c_str());
    for (int i = 0; i < 8; ++i)
        if (r.texts3000305[i][0])
            std::printf("  %-28s %s, size %u\n", i ? "" : "memory modules", r.texts3000305[i], r.numbers3000301[i]);
    for (int i = 0; i < 8; ++i)
        if (r.texts3000001[i][0])
            std::printf("  %-28s %s: paper %u, paper level %u, kind %u\n", i ? "" : "paper sources", r.texts3000001[i],
                        r.numbers3000002[i], r.numbers3000003[i], r.numbers3000005[i]);
    for (int i = 0; i < 7; ++i) {
        char label[32];
        std::snprintf(label, sizeof label, "attribute %d", 224 + i);
        if (r.numbers224[i] != -1) std::printf("  %-28s %d\n", label, r.numbers224[i]);
    }
}

}  // namespace

int PrintDeviceInfo(UIDEVDATA* ctx) {
    InstallSimulatedDeviceLibrary();
    const char* printer = ctx->svc->GetPrinterName(ctx);
    std::printf("\ndevice information of \"%s\":\n", printer);
    DevInfoClient* client = nullptr;
    if (!DevInfoClient_Create(&client)) return 1;
    int rc = 1;
    ZdsvInterface* iface = nullptr;
    bool started = false;
    ZdsvDeviceInformation* info = nullptr;
    if (int code = DevInfoClient_LoadLibrary(client, kZdsvLibraryName, kZdsvOldLibraryName, printer, 1)) {
        if (!SayWhenDeviceLibraryIsAbsent())
            std::printf("  the device-information library in %s does not load (%d)\n", SystemFolder().c_str(), code);
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
