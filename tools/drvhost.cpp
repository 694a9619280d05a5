// The host program: plays the library's callers (the 16-bit driver, applications) on the bundled
// printers. It links the library's parts statically rather than loading libDrvopui.so: the
// program also installs the printers, which needs the platform layer, and a loaded .so would
// bring a second copy of that layer (another registry, another drive root). The work itself
// goes through the exports (DllMain, VomelDeviceModeInit, VomelDeviceMode, VomelDeviceModeTerm);
// the session handle the exports give is the library's device object, whose service table the
// program uses for what no export offers yet (the driver's defaults, conversion).
#include "core/core_context.h"
#include "core/devmode_check.h"
#include "core/dll_main.h"
#include "core/exports_devicemode.h"
#include "core/service_table.h"
#include "platform/kernel/path_map.h"
#include "platform/registry/hive.h"
#include "tools/devmode_listing.h"
#include "tools/device_info_command.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: drvhost [--printer NAME] [--validate FILE] [--convert FILE OUT] [--device-info] [--help]\n"
    "\n"
    "Runs the printer driver's user-interface library on the bundled printers, as its callers do.\n"
    "It attaches the library, installs the bundled printers (data/printers.reg) into the registry\n"
    "when it holds none, and puts their data files and resource module into the driver folder.\n"
    "Then it opens a session on the printer (the default printer unless --printer names one) and\n"
    "prints the driver's default settings beside the printer's current settings, field by field.\n"
    "\n"
    "  --validate FILE     checks the device mode in FILE as the library checks a caller's\n"
    "  --convert FILE OUT  converts the device mode in FILE (an older or stored form) into the\n"
    "                      current form over the printer's settings and writes it to OUT\n"
    "  --device-info       asks the printer's device for its record through the device-information\n"
    "                      library (the simulated one of this build when the driver folder has none)\n"
    "\n"
    "The drive root is DRVOPUI_ROOT (else drvopui-root in the temporary folder); the registry is\n"
    "the file DRVOPUI_HIVE (else C:\\WINDOWS\\DRVOPUI.REG under the root).\n";

struct Options {
    std::string printer;
    std::string validate;
    std::string convert, convertOut;
    bool deviceInfo = false;
};

bool ParseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") return false;
        if (arg == "--printer" && i + 1 < argc) options.printer = argv[++i];
        else if (arg == "--validate" && i + 1 < argc) options.validate = argv[++i];
        else if (arg == "--device-info") options.deviceInfo = true;
        else if (arg == "--convert" && i + 2 < argc) {
            options.convert = argv[++i];
            options.convertOut = argv[++i];
        } else {
            std::fprintf(stderr, "drvhost: unknown or incomplete argument \"%s\"\n", arg.c_str());
            return false;
        }
    }
    return true;
}

// A hive without printers (a new drive root, say) gets the bundled ones, as a setup would
// install them; the bundled file itself is never written.
bool InstallBundledPrinters() {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 1, nullptr, 0, &needed, &count);
    if (needed) return true;
    const std::string bundled = DRVOPUI_SOURCE_DIR "/data/printers.reg";
    registry::HiveError error;
    std::printf("drvhost: no printers in the registry; installing the bundled ones\n");
    if (registry::ImportHiveFile(bundled, &error)) return true;
    std::fprintf(stderr, "drvhost: %s, line %zu: %s\n", bundled.c_str(), error.line, error.message.c_str());
    return false;
}

// The driver folder gets the files this build made: the data files and the resource module.
bool InstallDriverFiles() {
    const std::filesystem::path system = std::filesystem::path(kernel::RootFolder()) / "WINDOWS" / "SYSTEM";
    const std::filesystem::path built = DRVOPUI_BINARY_DIR "/data";
    std::error_code error;
    std::filesystem::create_directories(system, error);
    bool ok = true;
    for (auto [from, to] : {std::pair{built / "KELVAR5E.DAT", "KELVAR5E.DAT"}, std::pair{built / "KELVAR5C.DAT", "KELVAR5C.DAT"},
                            std::pair{built / "resources" / "drvopui.res", kResourceModuleName}}) {
        std::filesystem::copy_file(from, system / to, std::filesystem::copy_options::overwrite_existing, error);
        if (error) {
            std::fprintf(stderr, "drvhost: %s cannot be installed: %s\n", from.c_str(), error.message().c_str());
            ok = false;
        }
    }
    return ok;
}

// A device mode file; empty when it cannot be read or is larger than any device mode can be
// (dmSize and dmDriverExtra are 16-bit).
std::vector<uint8_t> ReadFile(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > 2 * 0xFFFF) return {};
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const char* TrustText(devmode::Trust trust) {
    switch (trust) {
    case devmode::Trust::Private: return "a device mode of this driver";
    case devmode::Trust::PublicOnly: return "a public DEVMODE without this driver's private part";
    default: return "refused (damaged, forged or of another driver or version)";
    }
}

int Validate(UIDEVDATA* ctx, const std::string& path) {
    std::vector<uint8_t> bytes = ReadFile(path);
    const devmode::CheckedDevmode checked = devmode::checkDevmode(bytes.data(), bytes.size());
    std::printf("\n%s: %zu bytes, %s\n", path.c_str(), bytes.size(), TrustText(checked.trust));
    if (checked.trust == devmode::Trust::Refused) return 1;
    if (checked.trust == devmode::Trust::Private)
        std::printf("  declares %u bytes, private version 0x%04X\n", checked.totalSize, checked.version);
    std::vector<uint8_t> merged(ctx->svc->GetDevmode(ctx, 3), ctx->svc->GetDevmode(ctx, 3) + ctx->svc->GetDevmodeSize(ctx, 1));
    if (!ctx->svc->ValidateDevmode(ctx, bytes.data(), merged.data())) {
        std::printf("  its values are refused\n");
        return 1;
    }
    std::printf("  accepted; merged over the printer's settings:\n");
    ListDevmodes(stdout, "printer", std::vector<uint8_t>(ctx->svc->GetDevmode(ctx, 3), ctx->svc->GetDevmode(ctx, 3) + merged.size()),
                 "with the file", merged);
    return 0;
}

int Convert(UIDEVDATA* ctx, const std::string& path, const std::string& out) {
    std::vector<uint8_t> bytes = ReadFile(path);
    std::vector<uint8_t> current(ctx->svc->GetDevmodeSize(ctx, 1));
    if (bytes.empty() || !ctx->svc->ConvertDevmode(ctx, current.data(), bytes.data(), 1)) {
        std::printf("\n%s: cannot be converted\n", path.c_str());
        return 1;
    }
    std::ofstream(out, std::ios::binary).write(reinterpret_cast<const char*>(current.data()), static_cast<std::streamsize>(current.size()));
    std::printf("\n%s: converted into the current form (%zu bytes), written to %s\n", path.c_str(), current.size(), out.c_str());
    return 0;
}

int Run(const Options& options) {
    if (!InstallBundledPrinters() || !InstallDriverFiles()) return 1;
    DWORD size = 0;
    LPCSTR name = options.printer.empty() ? nullptr : options.printer.c_str();
    HANDLE probe = VomelDeviceModeInit(name, nullptr, &size);
    if (!probe) {
        std::fprintf(stderr, "drvhost: the printer \"%s\" does not open (error %u)\n", name ? name : "(default)", GetLastError());
        return 1;
    }
    VomelDeviceModeTerm(probe);
    std::vector<uint8_t> current(size);
    HANDLE session = VomelDeviceModeInit(name, reinterpret_cast<LPDEVMODEA>(current.data()), &size);
    if (!session) {
        std::fprintf(stderr, "drvhost: no session (error %u)\n", GetLastError());
        return 1;
    }
    auto* ctx = static_cast<UIDEVDATA*>(session);
    const uint8_t* defaults = ctx->svc->GetDevmode(ctx, 1);
    std::printf("drvhost: printer \"%s\", model %u (%s), driver folder %s\n\n", ctx->svc->GetPrinterName(ctx),
                ctx->svc->GetDeviceDataValue2(ctx), ctx->svc->GetModelBlockB(ctx) ? ctx->svc->GetModelBlockB(ctx) : "no data file",
                ctx->svc->GetDriverDirectory(ctx));
    ListDevmodes(stdout, "driver default", std::vector<uint8_t>(defaults, defaults + size), "printer current", current);
    int rc = 0;
    if (!options.validate.empty()) rc |= Validate(ctx, options.validate);
    if (!options.convert.empty()) rc |= Convert(ctx, options.convert, options.convertOut);
    if (options.deviceInfo) rc |= PrintDeviceInfo(ctx);
    VomelDeviceModeTerm(session);
    return rc;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseArguments(argc, argv, options)) {
        std::fputs(kUsage, argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) ? stdout : stderr);
        return argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) ? 0 : 2;
    }
    HINSTANCE self = GetModuleHandleA(nullptr);
    if (!DllMain(self, DLL_PROCESS_ATTACH, nullptr)) {
        std::fprintf(stderr, "drvhost: the library did not attach\n");
        return 1;
    }
    std::string hive = registry::HivePath();
    std::printf("drvhost: library attached; drive root %s, registry %s\n", kernel::RootFolder().c_str(),
                hive.empty() ? "(in memory)" : hive.c_str());
    const int rc = Run(options);
    DllMain(self, DLL_PROCESS_DETACH, nullptr);
    return rc;
}
