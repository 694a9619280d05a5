// The settings summary's probe of the device-information library and the library's window: each
// loads the library for the one call and unloads it again. The summary line is formatted from
// the resource module's format into room of its own and then cut to the probe's text, so that a
// long format cannot write past the text.
#include "device/bridges/device_info_probe.h"

#include "core/device/service_table.h"
#include "core/system/helper_dll.h"
#include "device/bridges/service_link.h"

#include <windows.h>

#include <cstring>

namespace {

constexpr UINT kSummaryFormat = 10236;
constexpr size_t kRemoteRecordSize = 104;

bool CopyName(char (&to)[MAX_PATH], const char* from) {
    if (!from || std::strlen(from) >= sizeof to) return false;
    std::strcpy(to, from);
    return true;
}

// The two 16-bit values the serving computer reports, formatted into the probe's text.
void ReadRemoteValues(DeviceInfoProbe* probe, ZdsvInterface* iface, const ZdsvDeviceInformation* information) {
    auto remote = ZdsvSlot<ZdsvRemoteInformationProc>(iface, zdsv768::kRemoteInformation);
    uint8_t record[kRemoteRecordSize] = {};
    if (!remote || remote(information->hostName, 1, 0, record) < 0) {
        probe->flags &= static_cast<uint16_t>(~kProbeHasValues);
        return;
    }
    uint16_t first = 0, second = 0;
    std::memcpy(&first, record + 12, 2);
    std::memcpy(&second, record + 14, 2);
    char format[kProbeTextSize] = {};
    UIDEVDATA* ctx = probe->owner;
    ctx->svc->LoadString(ctx, kSummaryFormat, format, sizeof format);
    char line[1025] = {};  // wsprintfA writes at most 1,024 characters
    wsprintfA(line, format, first, second);
    lstrcpynA(probe->text, line, sizeof probe->text);
    probe->flags |= kProbeHasValues;
}

}  // namespace

int DevInfo_IsLocalComputer(const ZdsvDeviceInformation* information) {
    if (!information || !information->hostName) return -1;
    char self[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof self;
    if (!GetComputerNameA(self, &size)) return -1;
    return lstrcmpA(self, information->hostName) == 0 ? 1 : 0;
}

void DeviceInfoProbe_Query(DeviceInfoProbe* probe) {
    if (!probe || !probe->owner) return;
    char printer[MAX_PATH];
    if (!CopyName(printer, probe->owner->svc->GetPrinterName(probe->owner))) return;
    DevInfoClient* client = nullptr;
    if (DevInfoClient_Create(&client) != 1) return;
    {
        ServiceLink link(client);
        if (link.Open(printer, kZdsvGetInterfaceName, kZdsvVersionClient, 1) == 0) {
            if (DevInfo_IsLocalComputer(link.Information()) == 0)
                ReadRemoteValues(probe, link.Interface(), link.Information());
            else
                probe->flags &= static_cast<uint16_t>(~kProbeHasValues);
            probe->flags |= kProbeRan;
        }
    }
    DevInfoClient_Destroy(client);
}

uint16_t DeviceInfoProbe_GetFlags(const DeviceInfoProbe* probe) { return probe ? probe->flags : 0; }

void DeviceInfoProbe_CopyText(const DeviceInfoProbe* probe, char* buffer) {
    if (!buffer) return;
    buffer[0] = '\0';
    if (probe) lstrcpynA(buffer, probe->text, static_cast<int>(sizeof probe->text));
}

void OpenDeviceInfoLibrary(UIDEVDATA* ctx) {
    if (!ctx) return;
    char printer[MAX_PATH];
    if (!CopyName(printer, ctx->svc->GetPrinterName(ctx))) return;
    HelperDll* library = HelperDll_Create();
    if (!library) return;
    if (HelperDll_GetFolder(library->folder, sizeof library->folder, printer, kHelperFolderDriver) == kHelperDone &&
        HelperDll_LoadWithFallback(library, kZdsvLibraryName, kZdsvOldLibraryName) == kHelperDone) {
        auto get = reinterpret_cast<ZdsvGetInterfaceProc>(
            reinterpret_cast<void (*)()>(GetProcAddress(library->module, kZdsvGetInterfaceName)));
        ZdsvInterface* iface = get ? get(kZdsvVersionClient) : nullptr;
        if (auto show = ZdsvSlot<ZdsvShowWindowProc>(iface, zdsv768::kShowWindow)) show(printer, 0);
    }
    HelperDll_Destroy(library);
}
