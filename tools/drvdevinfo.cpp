// The device query tool: asks a printer's device for its record through the device-information
// library, as the driver's device settings do. Unlike the host program it is a diagnostic of the
// library's inner client, so it links the library's parts and attaches them itself.
#include "core/library/dll_main.h"
#include "core/library/exports_devicemode.h"
#include "platform/kernel/path_map.h"
#include "tools/configuration_command.h"
#include "tools/device_info_command.h"
#include "tools/driver_install.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char kUsage[] =
    "usage: drvdevinfo [--printer NAME] [--configuration] [--help]\n"
    "\n"
    "Asks the printer's device (the default printer unless --printer names one) for its record\n"
    "through the device-information library in the driver folder, and prints it. No printer is on\n"
    "the network here: when the driver folder holds no \"Zdsvc2.dll\" or \"Zdsvc.dll\", the simulated\n"
    "library of the tests is installed, which answers as the device described in\n"
    "data/simulated-device.txt. The bundled printers and the driver's files are installed first, as\n"
    "drvhost installs them.\n"
    "\n"
    "--configuration asks the device through the driver's configuration instead, as the printer's\n"
    "\"read the device\" does, and prints the installed options it wrote.\n";

}  // namespace

int main(int argc, char** argv) {
    std::string printer;
    bool configuration = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--printer") == 0 && i + 1 < argc) {
            printer = argv[++i];
            continue;
        }
        if (std::strcmp(argv[i], "--configuration") == 0) {
            configuration = true;
            continue;
        }
        const bool help = std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0;
        std::fputs(kUsage, help ? stdout : stderr);
        return help ? 0 : 2;
    }
    HINSTANCE self = GetModuleHandleA(nullptr);
    if (!DllMain(self, DLL_PROCESS_ATTACH, nullptr)) {
        std::fprintf(stderr, "drvdevinfo: the library did not attach\n");
        return 1;
    }
    int rc = 1;
    if (InstallBundledPrinters("drvdevinfo") && InstallDriverFiles("drvdevinfo")) {
        DWORD size = 0;
        HANDLE session = VomelDeviceModeInit(printer.empty() ? nullptr : printer.c_str(), nullptr, &size);
        if (!session) {
            std::fprintf(stderr, "drvdevinfo: the printer does not open (error %u)\n", GetLastError());
        } else {
            rc = configuration ? PrintDeviceConfiguration(static_cast<UIDEVDATA*>(session))
                               : PrintDeviceInfo(static_cast<UIDEVDATA*>(session));
            VomelDeviceModeTerm(session);
        }
    }
    DllMain(self, DLL_PROCESS_DETACH, nullptr);
    return rc;
}
