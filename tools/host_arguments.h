// The host program's command line: what a person asked for, in the order given.
#pragma once

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
};

// False, with the reason printed, when an argument is unknown or incomplete; --help anywhere
// wins over everything else.
bool ParseHostArguments(int argc, char** argv, HostOptions& options);

// A number as C writes it (decimal, 0x hex, 0 octal), the whole text; negative values are words
// too (an angle, a position).
bool ParseNumber(const std::string& text, DWORD& out);

extern const char kHostUsage[];
