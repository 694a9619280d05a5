// Device modes listed field by field. Values are found through the option table and the device
// mode's own section directory, as the stored layout places them, so a field the device mode
// does not hold shows as "-". Only the layout's headers are used: the program reaches the
// library through its exports alone.
#include "tools/devmode_listing.h"

#include "core/helpers/byte_view.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_option_table.h"

#include <windows.h>

#include <cctype>
#include <cstddef>
#include <cstring>
#include <string>

namespace {

struct PublicField {
    const char* name;
    size_t offset;
    int width;  // 2 signed, 4 unsigned, -2 and -4 hexadecimal, 0 a text of 32 bytes
};

const PublicField kPublicFields[] = {
    {"device name", offsetof(DEVMODEA, dmDeviceName), 0},
    {"spec version", offsetof(DEVMODEA, dmSpecVersion), -2},
    {"size", offsetof(DEVMODEA, dmSize), 2},
    {"driver extra", offsetof(DEVMODEA, dmDriverExtra), 2},
    {"fields", offsetof(DEVMODEA, dmFields), -4},
    {"orientation", offsetof(DEVMODEA, dmOrientation), 2},
    {"paper size", offsetof(DEVMODEA, dmPaperSize), 2},
    {"paper length", offsetof(DEVMODEA, dmPaperLength), 2},
    {"paper width", offsetof(DEVMODEA, dmPaperWidth), 2},
    {"scale", offsetof(DEVMODEA, dmScale), 2},
    {"copies", offsetof(DEVMODEA, dmCopies), 2},
    {"paper source", offsetof(DEVMODEA, dmDefaultSource), 2},
    {"print quality", offsetof(DEVMODEA, dmPrintQuality), 2},
    {"colour", offsetof(DEVMODEA, dmColor), 2},
    {"duplex", offsetof(DEVMODEA, dmDuplex), 2},
    {"y resolution", offsetof(DEVMODEA, dmYResolution), 2},
    {"collate", offsetof(DEVMODEA, dmCollate), 2},
    {"form name", offsetof(DEVMODEA, dmFormName), 0},
    {"private version", devmode::kOffPrivateVersion, -2},
    {"model section at", devmode::kOffModelSection, 2},
    {"PDL id", devmode::kOffPdlId, -2},
    {"model number", devmode::kOffModelNumber, 2},
    {"driver name", devmode::kOffDriverName, 0},
};

std::string Text(const std::vector<uint8_t>& bytes, size_t offset, size_t width) {
    std::string text;
    for (size_t i = offset; i < offset + width && i < bytes.size() && bytes[i]; ++i)
        text += std::isprint(bytes[i]) ? static_cast<char>(bytes[i]) : '?';
    return "\"" + text + "\"";
}

std::string PublicValue(const std::vector<uint8_t>& bytes, const PublicField& field) {
    ByteView view(bytes.data(), bytes.size());
    if (field.width == 0) {
        const size_t width = field.offset == devmode::kOffDriverName ? devmode::kDriverNameSize : 32;
        return view.contains(field.offset, width) ? Text(bytes, field.offset, width) : "-";
    }
    uint16_t u16 = 0;
    uint32_t u32 = 0;
    char hex[16];
    if (field.width == 2) return view.u16(field.offset, u16) ? std::to_string(static_cast<int16_t>(u16)) : "-";
    if (field.width == -2 && view.u16(field.offset, u16)) {
        std::snprintf(hex, sizeof hex, "0x%04X", u16);
        return hex;
    }
    if (field.width == -4 && view.u32(field.offset, u32)) {
        std::snprintf(hex, sizeof hex, "0x%08X", u32);
        return hex;
    }
    if (field.width < 0) return "-";
    return view.u32(field.offset, u32) ? std::to_string(u32) : "-";
}

// The option's bytes where the device mode's directory puts its section; false when the device
// mode holds no such section or a section too short for the option.
bool ReadOption(const std::vector<uint8_t>& bytes, size_t row, std::vector<uint8_t>& value) {
    const ByteView dm(bytes.data(), bytes.size());
    const devmode::OptionPlace& place = devmode::kOptionPlaces[row];
    uint16_t offset = 0, size = 0;
    char signature[devmode::kSignatureSize] = {};
    if (!dm.bytes(devmode::kOffSignature, signature, sizeof signature) ||
        std::memcmp(signature, devmode::kSignature, sizeof signature) != 0 ||
        !dm.u16(devmode::directoryEntry(place.section), offset) || !dm.u16(devmode::directoryEntry(place.section) + 2, size))
        return false;
    if (size_t{place.offset} + value.size() > size) return false;
    return dm.bytes(size_t{offset} + place.offset, value.data(), value.size());
}

std::string OptionValue(const std::vector<uint8_t>& bytes, size_t index) {
    const devmode::OptionRow& row = devmode::kOptionRows[index];
    std::vector<uint8_t> value(row.width);
    if (bytes.empty() || !ReadOption(bytes, index, value)) return "-";
    if (row.width == 2) return std::to_string(static_cast<int16_t>(value[0] | value[1] << 8));
    if (row.width == 4) return std::to_string(uint32_t(value[0]) | uint32_t(value[1]) << 8 | uint32_t(value[2]) << 16 | uint32_t(value[3]) << 24);
    bool zero = true, text = true;
    size_t length = 0;
    for (uint8_t b : value) zero = zero && b == 0;
    while (length < value.size() && value[length]) ++length;
    for (size_t i = 0; i < length; ++i) text = text && std::isprint(value[i]);
    if (zero) return "(" + std::to_string(row.width) + " zero bytes)";
    if (text && length > 0) return Text(value, 0, value.size());
    return "(" + std::to_string(row.width) + " bytes)";
}

// A difference is marked only between two device modes; a missing one differs in nothing.
void Row(std::FILE* out, const std::string& name, const std::string& left, const std::string& right, bool compare) {
    std::fprintf(out, "  %-22s %-26s %-26s%s\n", name.c_str(), left.c_str(), right.c_str(),
                 !compare || left == right ? "" : "  *");
}

}  // namespace

void ListDevmodes(std::FILE* out, const char* leftTitle, const std::vector<uint8_t>& left, const char* rightTitle,
                  const std::vector<uint8_t>& right) {
    std::fprintf(out, "  %-22s %-26s %-26s\n", "", leftTitle, rightTitle);
    const bool compare = !left.empty() && !right.empty();
    for (const PublicField& field : kPublicFields)
        Row(out, field.name, PublicValue(left, field), PublicValue(right, field), compare);
    for (size_t i = 0; i < devmode::kOptionCount; ++i) {
        const devmode::OptionRow& row = devmode::kOptionRows[i];
        char name[32];
        if (row.number) std::snprintf(name, sizeof name, "option %u (0x%05X)", row.number, row.id);
        else std::snprintf(name, sizeof name, "option 0x%05X", row.id);
        Row(out, name, OptionValue(left, i), OptionValue(right, i), compare);
    }
}

size_t ListDevmodeChanges(std::FILE* out, const char* leftTitle, const std::vector<uint8_t>& left,
                          const char* rightTitle, const std::vector<uint8_t>& right) {
    size_t changes = 0;
    auto row = [&](const std::string& name, const std::string& a, const std::string& b) {
        if (a == b) return;
        if (changes++ == 0) std::fprintf(out, "  %-22s %-26s %-26s\n", "", leftTitle, rightTitle);
        Row(out, name, a, b, false);
    };
    for (const PublicField& field : kPublicFields) row(field.name, PublicValue(left, field), PublicValue(right, field));
    for (size_t i = 0; i < devmode::kOptionCount; ++i) {
        const devmode::OptionRow& option = devmode::kOptionRows[i];
        char name[32];
        if (option.number) std::snprintf(name, sizeof name, "option %u (0x%05X)", option.number, option.id);
        else std::snprintf(name, sizeof name, "option 0x%05X", option.id);
        row(name, OptionValue(left, i), OptionValue(right, i));
    }
    return changes;
}
