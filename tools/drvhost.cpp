// The host program: plays the library's callers (applications, the spooler) on the bundled
// printers. It is linked to the platform alone, the system it runs on; the library itself is
// installed into the driver folder and loaded at run time with LoadLibraryA, and every request
// goes through the exports GetProcAddress finds, as a caller of the library has nothing else.
// The platform's shared object serves both, so the program and the library see one registry,
// one drive root and one last error.
#include "core/helpers/byte_view.h"
#include "core/devmode/devmode_layout.h"
#include "platform/kernel/path_map.h"
#include "platform/registry/hive.h"
#include "tools/devmode_listing.h"
#include "tools/driver16_command.h"
#include "tools/driver_install.h"
#include "tools/driver_library.h"
#include "tools/host_arguments.h"
#include "tools/option_catalogue.h"
#include "tools/option_commands.h"
#include "tools/profile_commands.h"
#include "tools/request_printing.h"
#include "tools/sheet_command.h"
#include "tools/summary_command.h"
#include "tools/tool_paths.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr char kLibraryName[] = "DRVOPUI.DLL";  // as the bundled drivers' "Dependent Files" name it
constexpr char kDriverFolder[] = "C:\\WINDOWS\\SYSTEM";
constexpr char kResourceModule[] = "DRVOPRES.DLL";  // the name the library loads it by
constexpr char kStoredDevmodeValue[] = "Default DevMode";
constexpr DWORD kApplicationInterfaceVersion = 0x10000;  // answered by every session, read-only
constexpr DWORD kResetToDefaults = 0x10001;
constexpr DWORD kRequestValue = 2, kRequestSetDefault = 6;
constexpr LONG kRefused = 3;

// A device mode file; empty when it cannot be read or is larger than any device mode can be
// (dmSize and dmDriverExtra are 16-bit).
std::vector<uint8_t> ReadFile(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > 2 * 0xFFFF) return {};
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What a device mode file is, in the words both commands print.
struct Verdict {
    bool accepted = false;
    std::string text;
    uint32_t declared = 0;  // dmSize + dmDriverExtra
};

bool OurSignature(const std::vector<uint8_t>& bytes) {
    char signature[devmode::kSignatureSize] = {};
    return ByteView(bytes.data(), bytes.size()).bytes(devmode::kOffSignature, signature, sizeof signature) &&
           std::memcmp(signature, devmode::kSignature, sizeof signature) == 0;
}

// The library is handed a device mode by pointer, as every caller hands it, and reads as far as
// the device mode declares: a file shorter than its own declaration is refused here, before the
// library could read past it. The rest is the library's own judgement, asked through the
// exports.
Verdict Judge(const Library& library, HANDLE session, const std::vector<uint8_t>& bytes) {
    Verdict verdict;
    const ByteView view(bytes.data(), bytes.size());
    uint16_t publicSize = 0, extra = 0;
    if (!view.u16(devmode::kOffSize, publicSize) || !view.u16(devmode::kOffDriverExtra, extra)) {
        verdict.text = "refused: too short to hold the sizes of a device mode";
        return verdict;
    }
    verdict.declared = uint32_t{publicSize} + extra;
    if (verdict.declared > bytes.size()) {
        verdict.text = "refused: it declares " + std::to_string(verdict.declared) + " bytes but holds " +
                       std::to_string(bytes.size());
        return verdict;
    }
    std::vector<uint8_t> copy(bytes);
    DWORD version = 0;
    if (library.request(session, reinterpret_cast<LPDEVMODEA>(copy.data()), kRequestValue, kApplicationInterfaceVersion,
                        &version) == kRefused) {
        verdict.text = publicSize == devmode::kPublicSize && OurSignature(bytes)
                           ? "refused (damaged, forged or of another version of this driver)"
                           : "refused: not a device mode of this driver (a public DEVMODE, or another driver's)";
        return verdict;
    }
    verdict.accepted = true;
    uint16_t privateVersion = 0, modelSize = 0;
    view.u16(devmode::kOffPrivateVersion, privateVersion);
    view.u16(devmode::directoryEntry(devmode::kModelSectionId) + 2, modelSize);
    char text[200];
    std::snprintf(text, sizeof text, "a device mode of this driver, %u bytes, private version 0x%04X", verdict.declared,
                  privateVersion);
    verdict.text = text;
    if (modelSize < devmode::kModelSectionMin) {
        std::snprintf(text, sizeof text, "\n  its model section is short (%u of %zu bytes): the rest takes the defaults", modelSize,
                      devmode::kModelSectionMin);
        verdict.text += text;
    }
    return verdict;
}

int Validate(const Library& library, HANDLE session, const std::vector<uint8_t>& printer, const std::string& path,
             bool listing) {
    const std::vector<uint8_t> bytes = ReadFile(path);
    const Verdict verdict = Judge(library, session, bytes);
    std::printf("\n%s: %zu bytes, %s\n", path.c_str(), bytes.size(), verdict.text.c_str());
    if (!verdict.accepted) return 1;
    if (!listing) return 0;
    std::printf("\n");
    ListDevmodes(stdout, "printer", printer, "the file", bytes);
    return 0;
}

// Conversion as the library does it for every printer: a device mode stored as the printer's
// "Default DevMode" is converted into the current form over the driver's defaults when a session
// opens. It is stored so in a copy of the registry held in memory, never in the files, so that
// no printer changes, whenever the program stops.
int Convert(const Library& library, HANDLE session, const std::string& name, const std::string& path,
            const std::string& out) {
    std::vector<uint8_t> bytes = ReadFile(path);
    const Verdict verdict = Judge(library, session, bytes);
    if (!verdict.accepted) {
        std::printf("\n%s: %zu bytes, %s\n", path.c_str(), bytes.size(), verdict.text.c_str());
        return 1;
    }
    bytes.resize(verdict.declared);
    const std::string hive = registry::HivePath();
    const std::string saved = registry::HiveText();
    if (!registry::UseHiveText(saved, nullptr)) {
        std::fprintf(stderr, "drvhost: the registry cannot be copied into memory\n");
        return 1;
    }
    std::vector<uint8_t> converted;
    HANDLE printer = nullptr;
    if (OpenPrinterA(const_cast<LPSTR>(name.c_str()), &printer, nullptr)) {
        if (SetPrinterDataA(printer, const_cast<LPSTR>(kStoredDevmodeValue), REG_BINARY, bytes.data(),
                            static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS)
            if (HANDLE fresh = OpenSession(library, name.c_str(), converted)) library.term(fresh);
        ClosePrinter(printer);
    }
    const DWORD conversionError = GetLastError();
    registry::HiveError error;
    if (!(hive.empty() ? registry::UseHiveText(saved, &error) : registry::UseHiveFile(hive, &error))) {
        std::fprintf(stderr, "drvhost: the registry %s does not read again: %s\n", hive.c_str(), error.message.c_str());
        return 1;
    }
    if (converted.empty()) {
        std::fprintf(stderr, "drvhost: %s: the library converted nothing (error %u)\n", path.c_str(), conversionError);
        return 1;
    }
    // What conversion writes must pass validation; the library is asked, not assumed.
    if (!Judge(library, session, converted).accepted) {
        std::fprintf(stderr, "drvhost: %s: the converted device mode is refused by the library itself\n", path.c_str());
        return 1;
    }
    std::ofstream file(out, std::ios::binary);
    file.write(reinterpret_cast<const char*>(converted.data()), static_cast<std::streamsize>(converted.size()));
    if (!file.flush()) {
        std::fprintf(stderr, "drvhost: %s cannot be written\n", out.c_str());
        return 1;
    }
    std::printf("\n%s: %s\n  converted into the current form (%zu bytes), written to %s\n", path.c_str(),
                verdict.text.c_str(), converted.size(), out.c_str());
    return 0;
}

// A file the command line names that is not there is said so, before a verdict on its bytes.
bool Exists(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) return true;
    std::fprintf(stderr, "drvhost: %s: no such file\n", path.c_str());
    return false;
}

// A printer that does not open: its name, and the names that would.
void ReportUnknownPrinter(const char* name) {
    const DWORD error = GetLastError();
    const std::vector<std::string> printers = InstalledPrinters();
    bool installed = false;
    for (const std::string& printer : printers) installed = installed || (name && printer == name);
    if (name && !installed) std::fprintf(stderr, "drvhost: no printer is named \"%s\"; the installed printers:\n", name);
    else std::fprintf(stderr, "drvhost: the printer \"%s\" does not open (error %u); the installed printers:\n",
                      name ? name : "(default)", error);
    for (const std::string& printer : printers) std::fprintf(stderr, "  %s\n", printer.c_str());
}

bool WriteDevmode(const std::string& path, const std::vector<uint8_t>& devmode) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(devmode.data()), static_cast<std::streamsize>(devmode.size()));
    if (file.flush()) return true;
    std::fprintf(stderr, "drvhost: %s cannot be written\n", path.c_str());
    return false;
}

// The device mode a caller hands in: accepted by the library as its own, or the reason why not.
bool HandIn(const Library& library, HANDLE session, const std::string& path, std::vector<uint8_t>& current) {
    std::vector<uint8_t> bytes = ReadFile(path);
    const Verdict verdict = Judge(library, session, bytes);
    std::printf("drvhost: device mode %s: %s\n", path.c_str(), verdict.text.c_str());
    if (!verdict.accepted) return false;
    bytes.resize(verdict.declared);
    current = std::move(bytes);
    return true;
}

int Run(const HostOptions& options, const Library& library) {
    LPCSTR name = options.printer.empty() ? nullptr : options.printer.c_str();
    std::vector<uint8_t> current;
    HANDLE session = OpenSession(library, name, current);
    if (!session) {
        ReportUnknownPrinter(name);
        return 1;
    }
    const DWORD dataFileError = GetLastError();
    const std::string printer = name ? std::string(name) : DefaultPrinterName();
    uint16_t model = 0;
    ByteView(current.data(), current.size()).u16(devmode::kOffModelNumber, model);
    std::printf("drvhost: printer \"%s\", model %u, driver folder %s\n", printer.c_str(), model, kDriverFolder);
    int rc = 0;
    if (dataFileError) {
        std::fprintf(stderr, "drvhost: the printer's data file does not load (error %u; the library's account is above); "
                             "the driver's built-in defaults stand in for it\n", dataFileError);
        rc = 1;
    }
    if (!options.devmodeIn.empty() && (!Exists(options.devmodeIn) || !HandIn(library, session, options.devmodeIn, current))) {
        library.term(session);
        return 1;
    }
    // The device-mode listing is the run's answer when nothing else was asked.
    const bool asked = options.options || !options.validate.empty() || !options.convert.empty() || !options.requests.empty() ||
                       !options.profiles.empty() || options.sheet || options.summary;
    if (options.listing || !asked) {
        // The driver's defaults, when the library answers the application request that hands them out.
        std::vector<uint8_t> defaults = current;
        if (library.request(session, reinterpret_cast<LPDEVMODEA>(defaults.data()), kRequestSetDefault, kResetToDefaults,
                            nullptr) != 0)
            defaults.clear();
        std::printf("\n");
        ListDevmodes(stdout, defaults.empty() ? "driver default (not offered)" : "driver default", defaults,
                     options.devmodeIn.empty() ? "printer current" : "handed in", current);
    }
    if (!options.validate.empty())
        rc |= Exists(options.validate) ? Validate(library, session, current, options.validate, options.listing) : 1;
    if (!options.convert.empty())
        rc |= Exists(options.convert) ? Convert(library, session, printer, options.convert, options.convertOut) : 1;
    if (!options.requests.empty()) rc |= SendRequests(library, session, current, options.requests);
    if (!options.profiles.empty()) rc |= RunProfileCommands(library.request, session, current, printer, options.profiles);
    if (options.sheet) rc |= RunSheetScript(library, session, current, options.sheetSteps, options.pictures);
    // The summary follows the listing when nothing else was asked, as the main job shows it.
    if (options.summary || !asked) rc |= PrintSettingsSummary(library, session, current, options.pictures);
    if (options.options) ListOptions(stdout, ReadCatalogue(library, session, current));
    if (!options.devmodeOut.empty()) {
        if (WriteDevmode(options.devmodeOut, current))
            std::printf("\ndrvhost: the device mode (%zu bytes) written to %s\n", current.size(), options.devmodeOut.c_str());
        else
            rc = 1;
    }
    library.term(session);
    return rc;
}

// The version a file name ends in: libDrvopui.so.1.0.0 gives 1.0.0.
std::string LibraryVersion() {
    const std::string name = std::filesystem::path(LibraryFile()).filename().string();
    const size_t at = name.find(".so.");
    return at == std::string::npos ? "(unversioned)" : name.substr(at + 4);
}

// The file version of the resource module's version resource, as the system reads it.
std::string ResourceModuleVersion() {
    const std::string path = std::string(kDriverFolder) + "\\" + kResourceModule;
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return "(none)";
    std::string version = "(none)";
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16));
    const auto* bytes = found ? static_cast<const uint8_t*>(LockResource(LoadResource(module, found))) : nullptr;
    const DWORD size = found ? SizeofResource(module, found) : 0;
    // The fixed file information follows the block's head (three words and "VS_VERSION_INFO" in
    // UTF-16, padded to four bytes), found by its signature.
    for (DWORD at = 0; bytes && at + 16 <= size; at += 4) {
        uint32_t word[4];
        std::memcpy(word, bytes + at, sizeof word);
        if (word[0] != 0xFEEF04BD) continue;
        version = std::to_string(word[2] >> 16) + "." + std::to_string(word[2] & 0xFFFF) + "." + std::to_string(word[3] >> 16);
        break;
    }
    FreeLibrary(module);
    return version;
}

void ListPrinters() {
    const std::string preferred = DefaultPrinterName();
    for (const std::string& printer : InstalledPrinters())
        std::printf("%s%s\n", printer.c_str(), printer == preferred ? "  (default)" : "");
}

}  // namespace

int main(int argc, char** argv) {
    HostOptions options;
    if (!ParseHostArguments(argc, argv, options)) return 2;
    if (options.help) {
        std::fputs(kHostUsage, stdout);
        return 0;
    }
    // The library tells what it cannot do in debug output; this program is where it is read.
    setenv("DRVOPUI_DEBUG_OUTPUT", "1", 0);
    std::string hive = registry::HivePath();
    if (!InstallBundledPrinters("drvhost")) return 1;
    if (options.listPrinters) {
        ListPrinters();
        return 0;
    }
    std::printf("drvhost: drive root %s, registry %s\n", kernel::RootFolder().c_str(), hive.empty() ? "(in memory)" : hive.c_str());
    if (!InstallDriverFiles("drvhost", {{LibraryFile(), kLibraryName}})) return 1;
    if (options.version) {
        std::printf("drvhost %s (the library %s, the resource module %s)\n", DRVOPUI_VERSION, LibraryVersion().c_str(),
                    ResourceModuleVersion().c_str());
        return 0;
    }
    Library library;
    const std::string path = std::string(kDriverFolder) + "\\" + kLibraryName;
    if (!LoadDriverLibrary(path.c_str(), library)) {
        if (library.module) FreeLibrary(library.module);
        return 1;
    }
    std::printf("drvhost: %s loaded\n", path.c_str());
    const char* printer = options.printer.empty() ? nullptr : options.printer.c_str();
    const int rc = options.driver16 ? RunDriver16(library.module, printer)
                   : options.dialogKind
                       ? RunDialogScript(library.module, printer, options.dialogKind, options.sheetSteps, options.pictures)
                       : Run(options, library);
    FreeLibrary(library.module);
    return rc;
}
