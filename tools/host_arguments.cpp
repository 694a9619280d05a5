// Parsing the host program's command line, and its usage text.
#include "tools/host_arguments.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char kHostUsage[] =
    "usage: drvhost [--printer NAME] [--devmode FILE] [--options] [--set NAME=VALUE]...\n"
    "               [--request KIND CODE [VALUE]]... [--out FILE] [--validate FILE] [--list]\n"
    "               [--convert FILE OUT] [--profiles] [--apply-profile NAME]\n"
    "               [--import-profile FILE] [--export-profile NAME FILE]\n"
    "               [--sheet STEPS|@FILE [--dialog KIND]] [--summary] [--pictures DIR] [--driver16]\n"
    "               [--list-printers] [--version]\n"
    "               [--help]\n"
    "\n"
    "Runs the printer driver's user-interface library on the bundled printers, as its callers do.\n"
    "It installs the bundled printers (data/printers.reg) into the registry when it holds none, and\n"
    "puts their data files, the resource module and the library (DRVOPUI.DLL) into the driver\n"
    "folder. Then it loads the library, opens a session on the printer (the default printer unless\n"
    "--printer names one) and prints the printer's settings field by field, with names and units,\n"
    "beside the driver's defaults.\n"
    "\n"
    "  --list-printers     lists the installed printers and ends\n"
    "  --driver16          plays the 16-bit part of the driver through the generic thunks: makes a\n"
    "                      device object, copies and converts its device mode, opens the sheets,\n"
    "                      hosts the library's device-settings page in a sheet of its own and ends\n"
    "                      what it made, printing each step; then ends\n"
    "  --devmode FILE      works on the device mode in FILE instead of the printer's (as an\n"
    "                      application hands in the one it kept)\n"
    "  --options           lists every setting the option interface reaches, by page: its option\n"
    "                      key, its name and its choices ([current], (disabled), (hidden)) or its\n"
    "                      number range and value, and why the rules hold it\n"
    "  --set NAME=VALUE    sets a setting by its name or option key to a choice name, ON or OFF, a\n"
    "                      number or a text (e.g. Devmode$Orientation=LANDSCAPE, 0x10040f=2);\n"
    "                      a refused set says why, a set the rules answered names every other\n"
    "                      setting they changed, old -> new, and the device-mode fields\n"
    "  --request KIND CODE [VALUE]\n"
    "                      sends one request of the application option interface (CODE from\n"
    "                      0x10000: a driver code or an item's option key) or of the\n"
    "                      page-composition interface (CODE below it): KIND 0 size, 1 count,\n"
    "                      2 get, 3 set, 4 list, 6 default, 8 action, 11 describe; VALUE a\n"
    "                      number (the data's first word), text:WORDS (a text at the start of the\n"
    "                      data) or null (no data). Prints the answer and the whole answer data:\n"
    "                      every entry of a list, every field of a record\n"
    "  --out FILE          writes the device mode the session ends with (what an application\n"
    "                      keeps) to FILE\n"
    "  --validate FILE     checks the device mode in FILE as the library checks a caller's and\n"
    "                      prints the verdict (with --list the fields beside the printer's too)\n"
    "  --convert FILE OUT  converts the device mode in FILE (an older or stored form) into the\n"
    "                      current form, as the library converts a printer's stored device mode,\n"
    "                      and writes it to OUT; what --validate refuses is refused here alike\n"
    "  --profiles          lists the printer's profiles: built-in or the user's own, the applied one\n"
    "  --apply-profile NAME\n"
    "                      applies a profile to the settings and prints what changed\n"
    "  --import-profile FILE\n"
    "                      stores the profile file FILE as a user profile of the printer\n"
    "  --export-profile NAME FILE\n"
    "                      writes the user profile NAME to the profile file FILE\n"
    "  --sheet STEPS|@FILE opens the printing-preferences sheet as an application opens it, and\n"
    "                      acts in it as a person would, step by step: the steps separated by\n"
    "                      \";\" or, after \"@\", one a line in FILE. Prints the sheet's result and\n"
    "                      the device-mode fields it changed. The steps (a control named by its\n"
    "                      text, by the label before it or by its number; quotes hold spaces):\n"
    "                        page NAME              the sheet's page of that title (or number)\n"
    "                        type CONTROL TEXT      types over a field\n"
    "                        choose CONTROL ENTRY   picks an entry of a list\n"
    "                        check CONTROL, uncheck CONTROL\n"
    "                        click CONTROL          presses a button; the steps after it act in\n"
    "                                               the dialog it opens, until its ok or cancel\n"
    "                        ok, cancel, apply      the buttons of the dialog or sheet\n"
    "                        answer BUTTON          the answer to the next message box\n"
    "                      e.g. --sheet 'type Copies 3; click \"Page options...\";\n"
    "                      choose \"Page edging\" \"Dotted line\"; ok; page Finishing; check Punch; ok'\n"
    "  --dialog KIND       with --sheet, opens the library's dialog of that kind (20 custom paper,\n"
    "                      26 user-defined paper, ...) instead of the sheet, as the 16-bit driver\n"
    "                      opens it over a device object of its own, and runs the steps in it\n"
    "  --summary           prints the settings summary of the printer's current settings, as the\n"
    "                      View settings button shows it and its Copy button copies it\n"
    "  --pictures DIR      with --sheet or --summary, saves a PNG picture of every page and dialog as the\n"
    "                      steps leave it, numbered in order, into DIR\n"
    "  --list              prints the device-mode listing also where it is left out by default\n"
    "  --version           prints the version\n"
    "Sets and requests run in the order given, each on the settings the one before left, then the\n"
    "profile commands in theirs; the program ends with 1 when one of them did not succeed.\n"
    "\n"
    "The drive root is DRVOPUI_ROOT (else drvopui-root-USER in the temporary folder); the registry\n"
    "is the file DRVOPUI_HIVE (else C:\\WINDOWS\\DRVOPUI.REG under the root). A data file that does\n"
    "not load is reported, with the library's account of it, and the program then ends with 1.\n";

bool ParseNumber(const std::string& text, DWORD& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 0);
    if (errno || *end || value > 0xFFFFFFFFull || text[0] == '-') {
        errno = 0;
        const long long signedValue = std::strtoll(text.c_str(), &end, 0);
        if (errno || *end || signedValue < INT32_MIN || signedValue > INT32_MAX) return false;
        out = static_cast<DWORD>(static_cast<int32_t>(signedValue));
        return true;
    }
    out = static_cast<DWORD>(value);
    return true;
}

bool ParseHostArguments(int argc, char** argv, HostOptions& options) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            options.help = true;
            return true;
        }
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasOne = i + 1 < argc, hasTwo = i + 2 < argc;
        if (arg == "--printer" && hasOne) options.printer = argv[++i];
        else if (arg == "--devmode" && hasOne) options.devmodeIn = argv[++i];
        else if (arg == "--out" && hasOne) options.devmodeOut = argv[++i];
        else if (arg == "--validate" && hasOne) options.validate = argv[++i];
        else if (arg == "--options") options.options = true;
        else if (arg == "--list") options.listing = true;
        else if (arg == "--list-printers") options.listPrinters = true;
        else if (arg == "--driver16") options.driver16 = true;
        else if (arg == "--version") options.version = true;
        else if (arg == "--summary") options.summary = true;
        else if (arg == "--request" && hasTwo) {
            OptionRequest request;
            if (!ParseNumber(argv[i + 1], request.kind) || !ParseNumber(argv[i + 2], request.code)) {
                std::fprintf(stderr, "drvhost: --request wants a kind and a code, not \"%s %s\"\n", argv[i + 1], argv[i + 2]);
                return false;
            }
            i += 2;
            if (i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0) request.value = argv[++i];
            options.requests.push_back(request);
        } else if (arg == "--set" && hasOne) {
            const std::string pair = argv[++i];
            const size_t equals = pair.find('=');
            if (equals == std::string::npos || equals == 0) {
                std::fprintf(stderr, "drvhost: --set wants NAME=VALUE, not \"%s\"\n", pair.c_str());
                return false;
            }
            OptionRequest request;
            request.byName = true;
            request.kind = 3;
            request.name = pair.substr(0, equals);
            request.value = pair.substr(equals + 1);
            options.requests.push_back(request);
        } else if (arg == "--profiles") {
            options.profiles.push_back({ProfileCommand::List, "", ""});
        } else if (arg == "--apply-profile" && hasOne) {
            options.profiles.push_back({ProfileCommand::Apply, argv[++i], ""});
        } else if (arg == "--import-profile" && hasOne) {
            options.profiles.push_back({ProfileCommand::Import, "", argv[++i]});
        } else if (arg == "--export-profile" && hasTwo) {
            options.profiles.push_back({ProfileCommand::Export, argv[i + 1], argv[i + 2]});
            i += 2;
        } else if (arg == "--sheet" && hasOne) {
            std::string text, error;
            if (!ReadSheetScript(argv[++i], text, error) || !ParseSheetScript(text, options.sheetSteps, error)) {
                std::fprintf(stderr, "drvhost: --sheet: %s\n", error.c_str());
                return false;
            }
            options.sheet = true;
        } else if (arg == "--dialog" && hasOne) {
            if (!ParseNumber(argv[++i], options.dialogKind) || options.dialogKind == 0) {
                std::fprintf(stderr, "drvhost: --dialog wants a dialog kind, not \"%s\"\n", argv[i]);
                return false;
            }
        } else if (arg == "--pictures" && hasOne) {
            options.pictures = argv[++i];
        } else if (arg == "--convert" && hasTwo) {
            options.convert = argv[++i];
            options.convertOut = argv[++i];
        } else {
            std::fprintf(stderr, "drvhost: unknown or incomplete argument \"%s\" (drvhost --help tells the rest)\n", arg.c_str());
            return false;
        }
    }
    if (options.dialogKind && !options.sheet) {
        std::fprintf(stderr, "drvhost: --dialog goes with --sheet, the steps in the dialog\n");
        return false;
    }
    if (!options.pictures.empty() && !options.sheet && !options.summary) {
        std::fprintf(stderr, "drvhost: --pictures goes with --sheet or --summary\n");
        return false;
    }
    return true;
}
