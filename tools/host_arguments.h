// The host program's command line: what a person asked for, in the order given.
#pragma once

#include "tools/sheet_script.h"

#include <windows.h>

#include <string>
#include <vector>

// One request of the option interface, or a set by name, from the command line.
struct OptionRequest {
    bool byName = false;  // --set NAME=VALUE: `name` and `value` as given
    DWORD kind = 2;
    DWORD code = 0;
    std::string name;
    std::string value;  // a number, text:..., null, or empty (a zero word); a set's choice
};

// One profile command, run after the requests in the order given.
struct ProfileCommand {
    enum Kind { List, Apply, Import, Export } kind = List;
    std::string name;  // the profile, for Apply and Export
    std::string file;  // a host path, for Import and Export
};

struct HostOptions {
    bool help = false;
    bool version = false;
    bool listPrinters = false;
    bool options = false;  // --options
    bool listing = false;  // --list: the device modes field by field, also beside --validate
    std::string printer;
    std::string devmodeIn, devmodeOut;
    std::string validate;
    std::string convert, convertOut;
    std::vector<OptionRequest> requests;
    std::vector<ProfileCommand> profiles;
    bool sheet = false;  // --sheet: the steps of the person in the sheet
    bool summary = false;  // --summary: the settings summary as Copy puts it on the clipboard
    std::vector<SheetStep> sheetSteps;
    std::string pictures;  // --pictures: where the pages' pictures go
    bool driver16 = false;  // --driver16: the program plays the 16-bit driver
    DWORD dialogKind = 0;   // --dialog: the dialog of that kind instead of the sheet
};

// False, with the reason printed, when an argument is unknown or incomplete; --help anywhere
// wins over everything else.
bool ParseHostArguments(int argc, char** argv, HostOptions& options);

// A number as C writes it (decimal, 0x hex, 0 octal), the whole text; negative values are words
// too (an angle, a position).
bool ParseNumber(const std::string& text, DWORD& out);

extern const char kHostUsage[];
