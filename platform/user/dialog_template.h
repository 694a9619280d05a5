// Dialog templates, extended (DLGTEMPLATEEX) and plain (DLGTEMPLATE), read from resource bytes
// into a record that dialog creation walks. Lengths are dialog units.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace user {

// A class or title field: absent, a 16-bit ordinal, or a text.
struct TemplateName {
    uint16_t ordinal = 0;  // non-zero: the ordinal form
    std::string text;
};

struct DialogItem {
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    TemplateName windowClass;
    TemplateName title;
    std::vector<uint8_t> creationData;  // with its leading 16-bit size, as WM_CREATE receives it
};

struct DialogTemplate {
    bool extended = false;
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    TemplateName menu;
    TemplateName windowClass;
    std::string title;
    bool hasFont = false;
    uint16_t pointSize = 0;
    uint16_t weight = 0;
    uint8_t italic = 0;
    uint8_t charset = 0;
    std::string typeface;
    std::vector<DialogItem> items;
};

// False when the bytes are not a whole template (nothing else is promised about out then).
bool ParseDialogTemplate(const uint8_t* data, size_t size, DialogTemplate& out);

// The class name of a predefined control ordinal (0x80 Button ... 0x85 ComboBox), or null.
const char* PredefinedClassName(uint16_t ordinal);

}  // namespace user
