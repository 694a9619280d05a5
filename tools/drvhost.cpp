// The host program: plays the library's callers (applications, the spooler) on the bundled
// printers. It is linked to the platform alone, the system it runs on; the library itself is
// installed into the driver folder and loaded at run time with LoadLibraryA, and every request
// goes through the exports GetProcAddress finds, as a caller of the library has nothing else.
// The platform's shared object serves both, so the program and the library see one registry,
// one drive root and one last error.
#include "core/helpers/byte_view.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_option_table.h"
#include "core/library/exports_devicemode.h"
#include "platform/kernel/path_map.h"
#include "platform/registry/hive.h"
#include "tools/devmode_listing.h"
#include "tools/driver_install.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
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

const char kUsage[] =
    "usage: drvhost [--printer NAME] [--validate FILE] [--convert FILE OUT]\n"
    "               [--request KIND CODE [VALUE]]... [--set KEY=VALUE]... [--help]\n"
    "\n"
    "Runs the printer driver's user-interface library on the bundled printers, as its callers do.\n"
    "It installs the bundled printers (data/printers.reg) into the registry when it holds none, and\n"
    "puts their data files, the resource module and the library (DRVOPUI.DLL) into the driver\n"
    "folder. Then it loads the library, opens a session on the printer (the default printer unless\n"
    "--printer names one) and prints the printer's current settings field by field, beside the\n"
    "driver's defaults when the library hands them out.\n"
    "\n"
    "  --validate FILE     checks the device mode in FILE as the library checks a caller's\n"
    "  --convert FILE OUT  converts the device mode in FILE (an older or stored form) into the\n"
    "                      current form, as the library converts a printer's stored device mode,\n"
    "                      and writes it to OUT; what --validate refuses is refused here alike\n"
    "  --request KIND CODE [VALUE]\n"
    "                      sends one request of the application option interface on the\n"
    "                      printer's current settings, as an application does: KIND 0 size,\n"
    "                      1 count, 2 get, 3 set, 4 list, 6 default, 8 action; CODE from 0x10000\n"
    "                      (a driver code or an item's option key); VALUE a number (the 32-bit\n"
    "                      word of the data), text:WORDS (a text at the start of the data) or\n"
    "                      null (no data). Prints the answer, the data's first word, and after a\n"
    "                      set that answered 0 every field of the device mode that changed\n"
    "  --set KEY=VALUE     sets an item by its option key (e.g. 0x10040f=2, landscape) and\n"
    "                      prints what the rules changed in the device mode\n"
    "Requests and sets run in the order given, each on the settings the one before left; the\n"
    "program ends with 1 when one of them did not answer 0.\n"
    "\n"
    "The drive root is DRVOPUI_ROOT (else drvopui-root in the temporary folder); the registry is\n"
    "the file DRVOPUI_HIVE (else C:\\WINDOWS\\DRVOPUI.REG under the root). A data file that does\n"
    "not load is reported, with the library's account of it, and the program then ends with 1.\n";

constexpr char kLibraryName[] = "DRVOPUI.DLL";  // as the bundled drivers' "Dependent Files" name it
constexpr char kDriverFolder[] = "C:\\WINDOWS\\SYSTEM";
constexpr char kStoredDevmodeValue[] = "Default DevMode";
constexpr DWORD kApplicationInterfaceVersion = 0x10000;  // answered by every session, read-only
constexpr DWORD kResetToDefaults = 0x10001;
constexpr DWORD kRequestValue = 2, kRequestSetDefault = 6;
constexpr LONG kRefused = 3;

// One request of the application option interface from the command line.
struct OptionRequest {
    DWORD kind = 2;
    DWORD code = 0;
    std::string value;  // a number, text:..., null, or empty (a zero word)
};

struct Options {
    std::string printer;
    std::string validate;
    std::string convert, convertOut;
    std::vector<OptionRequest> requests;
};

// A number as C writes it (decimal, 0x hex, 0 octal), the whole text.
bool ParseNumber(const std::string& text, DWORD& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 0);
    if (errno || *end || value > 0xFFFFFFFFull) {
        // Negative values are words too (an angle, a position).
        const long long signedValue = std::strtoll(text.c_str(), &end, 0);
        if (*end || signedValue < INT32_MIN || signedValue > INT32_MAX) return false;
        out = static_cast<DWORD>(static_cast<int32_t>(signedValue));
        return true;
    }
    out = static_cast<DWORD>(value);
    return true;
}

// The library's exports, found by name.
struct Library {
    HMODULE module = nullptr;
    decltype(&VomelDeviceModeInit) init = nullptr;
    decltype(&VomelDeviceMode) request = nullptr;
    decltype(&VomelDeviceModeTerm) term = nullptr;
};

bool ParseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") return false;
        if (arg == "--printer" && i + 1 < argc) options.printer = argv[++i];
        else if (arg == "--validate" && i + 1 < argc) options.validate = argv[++i];
        else if (arg == "--request" && i + 2 < argc) {
            OptionRequest request;
            if (!ParseNumber(argv[i + 1], request.kind) || !ParseNumber(argv[i + 2], request.code)) {
                std::fprintf(stderr, "drvhost: --request wants a kind and a code, not \"%s %s\"\n", argv[i + 1], argv[i + 2]);
                return false;
            }
            i += 2;
            if (i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0) request.value = argv[++i];
            options.requests.push_back(request);
        } else if (arg == "--set" && i + 1 < argc) {
            const std::string pair = argv[++i];
            const size_t equals = pair.find('=');
            OptionRequest request;
            request.kind = 3;
            DWORD ignored = 0;
            if (equals == std::string::npos || !ParseNumber(pair.substr(0, equals), request.code) ||
                !ParseNumber(pair.substr(equals + 1), ignored)) {
                std::fprintf(stderr, "drvhost: --set wants KEY=VALUE, two numbers, not \"%s\"\n", pair.c_str());
                return false;
            }
            request.value = pair.substr(equals + 1);
            options.requests.push_back(request);
        }
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

template <typename Proc>
bool Find(HMODULE module, const char* name, Proc& proc) {
    proc = reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    if (!proc) std::fprintf(stderr, "drvhost: the library exports no %s (error %u)\n", name, GetLastError());
    return proc != nullptr;
}

bool LoadDriverLibrary(Library& library) {
    const std::string path = std::string(kDriverFolder) + "\\" + kLibraryName;
    library.module = LoadLibraryA(path.c_str());
    if (!library.module) {
        std::fprintf(stderr, "drvhost: %s does not load (error %u)\n", path.c_str(), GetLastError());
        return false;
    }
    return Find(library.module, "VomelDeviceModeInit", library.init) &&
           Find(library.module, "VomelDeviceMode", library.request) &&
           Find(library.module, "VomelDeviceModeTerm", library.term);
}

// A session on the printer, with its device mode in `devmode`: one call, with room for any device
// mode (dmSize and dmDriverExtra are 16-bit), so that the library opens the printer once. The
// last error is the library's account of the opening.
HANDLE OpenSession(const Library& library, LPCSTR name, std::vector<uint8_t>& devmode) {
    devmode.assign(2 * 0xFFFF, 0);
    DWORD size = static_cast<DWORD>(devmode.size());
    SetLastError(ERROR_SUCCESS);
    HANDLE session = library.init(name, reinterpret_cast<LPDEVMODEA>(devmode.data()), &size);
    devmode.resize(session ? size : 0);
    return session;
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

int Validate(const Library& library, HANDLE session, const std::vector<uint8_t>& printer, const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFile(path);
    const Verdict verdict = Judge(library, session, bytes);
    std::printf("\n%s: %zu bytes, %s\n", path.c_str(), bytes.size(), verdict.text.c_str());
    if (!verdict.accepted) return 1;
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

const char* AnswerText(LONG answer) {
    switch (answer) {
    case 0: return "done";
    case 1: return "no data, no such item or the action failed";
    case 2: return "not supported";
    case 3: return "refused";
    case 7: return "forbidden by another setting";
    default: return "unknown answer";
    }
}

// Sends the requests in order on the caller's settings, as an application does; a set that
// answered 0 has changed the caller's device mode, and what changed is printed.
int SendRequests(const Library& library, HANDLE session, std::vector<uint8_t>& settings,
                 const std::vector<OptionRequest>& requests) {
    int rc = 0;
    for (const OptionRequest& request : requests) {
        // Room for any answer of the interface (lists of names, the batch query).
        std::vector<uint8_t> data(0x10000, 0);
        void* pointer = data.data();
        if (request.value == "null") {
            pointer = nullptr;
        } else if (request.value.rfind("text:", 0) == 0) {
            const std::string text = request.value.substr(5);
            std::memcpy(data.data(), text.data(), std::min(text.size(), data.size() - 1));
        } else if (!request.value.empty()) {
            DWORD word = 0;
            ParseNumber(request.value, word);
            std::memcpy(data.data(), &word, sizeof word);
        }
        const std::vector<uint8_t> before = settings;
        const LONG answer =
            library.request(session, reinterpret_cast<LPDEVMODEA>(settings.data()), request.kind, request.code, pointer);
        std::printf("\nrequest kind %u, code 0x%X%s%s: answer %d (%s)\n", request.kind, request.code,
                    request.value.empty() ? "" : ", data ", request.value.c_str(), static_cast<int>(answer),
                    AnswerText(answer));
        if (answer != 0) rc = 1;
        if (answer == 0 && pointer && request.kind != 3 && request.kind != 6 && request.kind != 8) {
            uint32_t word = 0;
            std::memcpy(&word, data.data(), sizeof word);
            std::printf("  data word 0x%08X (%d)\n", word, static_cast<int32_t>(word));
            size_t length = 0;
            while (length < 256 && data[length] && std::isprint(data[length])) ++length;
            if (length >= 2 && data[length] == 0)
                std::printf("  data text \"%.*s\"\n", static_cast<int>(length), reinterpret_cast<const char*>(data.data()));
        }
        if (answer == 0 && (request.kind == 3 || request.kind == 6 || request.kind == 8)) {
            if (ListDevmodeChanges(stdout, "before", before, "after", settings) == 0)
                std::printf("  the device mode did not change\n");
        }
    }
    return rc;
}

// The printer a session without a name opens: the spooler's default, kept in the registry.
std::string DefaultPrinterName() {
    HKEY key = nullptr;
    char name[MAX_PATH] = {};
    DWORD size = sizeof name - 1, type = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\control\\Print\\Printers", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return {};
    const bool ok = RegQueryValueExA(key, "Default", nullptr, &type, reinterpret_cast<LPBYTE>(name), &size) == ERROR_SUCCESS &&
                    type == REG_SZ;
    RegCloseKey(key);
    return ok ? std::string(name) : std::string();
}

int Run(const Options& options, const Library& library) {
    LPCSTR name = options.printer.empty() ? nullptr : options.printer.c_str();
    std::vector<uint8_t> current;
    HANDLE session = OpenSession(library, name, current);
    if (!session) {
        std::fprintf(stderr, "drvhost: the printer \"%s\" does not open (error %u)\n", name ? name : "(default)", GetLastError());
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
    // The driver's defaults, when the library answers the application request that hands them out.
    std::vector<uint8_t> defaults = current;
    if (library.request(session, reinterpret_cast<LPDEVMODEA>(defaults.data()), kRequestSetDefault, kResetToDefaults,
                        nullptr) != 0)
        defaults.clear();
    std::printf("\n");
    ListDevmodes(stdout, defaults.empty() ? "driver default (not offered)" : "driver default", defaults, "printer current",
                 current);
    if (!options.validate.empty()) rc |= Validate(library, session, current, options.validate);
    if (!options.convert.empty()) rc |= Convert(library, session, printer, options.convert, options.convertOut);
    if (!options.requests.empty()) rc |= SendRequests(library, session, current, options.requests);
    library.term(session);
    return rc;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseArguments(argc, argv, options)) {
        const bool help = argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0);
        std::fputs(kUsage, help ? stdout : stderr);
        return help ? 0 : 2;
    }
    // The library tells what it cannot do in debug output; this program is where it is read.
    setenv("DRVOPUI_DEBUG_OUTPUT", "1", 0);
    std::string hive = registry::HivePath();
    std::printf("drvhost: drive root %s, registry %s\n", kernel::RootFolder().c_str(), hive.empty() ? "(in memory)" : hive.c_str());
    if (!InstallBundledPrinters("drvhost") || !InstallDriverFiles("drvhost", {{DRVOPUI_LIBRARY_FILE, kLibraryName}})) return 1;
    Library library;
    if (!LoadDriverLibrary(library)) {
        if (library.module) FreeLibrary(library.module);
        return 1;
    }
    std::printf("drvhost: %s\\%s loaded\n", kDriverFolder, kLibraryName);
    const int rc = Run(options, library);
    FreeLibrary(library.module);
    return rc;
}
