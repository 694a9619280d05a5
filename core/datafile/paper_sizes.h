// The standard papers: name and size in tenths of a millimetre by paper code (the public
// DEVMODE's paper numbers). The driver data file names the papers a device takes by these codes.
#pragma once

#include <cstdint>

struct StandardPaper {
    uint16_t code;
    const char* name;
    uint32_t width;   // 0.1 mm, portrait
    uint32_t length;
};

inline constexpr uint16_t kCustomPaperCode = 256;

// The paper of that code, or null for a code the table does not know.
const StandardPaper* FindStandardPaper(uint16_t code);
// The paper of that name, compared without regard to case; null for a name the table does not
// know.
const StandardPaper* FindStandardPaperByName(const char* name);
