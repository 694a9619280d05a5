// Device modes listed field by field, each by its name and in its unit. Values are found through
// the option table and the device mode's own section directory, as the stored layout places them,
// so a field the device mode does not hold shows as "-". Only the layout's headers are used: the
// program reaches the library through its exports alone.
#include "tools/devmode_listing.h"

#include "core/helpers/byte_view.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_option_table.h"
#include "tools/devmode_values.h"

#include <windows.h>

#include <cctype>
#include <cstddef>
#include <cstring>
#include <string>

namespace {

struct PublicField {
    const char* name;
    size_t offset;
    size_t width;
    FieldUnit unit;
};

const PublicField kPublicFields[] = {
    {"device name", offsetof(DEVMODEA, dmDeviceName), 32, FieldUnit::kText},
    {"spec version", offsetof(DEVMODEA, dmSpecVersion), 2, FieldUnit::kFlags},
    {"size", offsetof(DEVMODEA, dmSize), 2, FieldUnit::kNumber},
    {"driver extra", offsetof(DEVMODEA, dmDriverExtra), 2, FieldUnit::kNumber},
    {"fields", offsetof(DEVMODEA, dmFields), 4, FieldUnit::kFlags},
    {"orientation", offsetof(DEVMODEA, dmOrientation), 2, FieldUnit::kOrientation},
    {"paper size", offsetof(DEVMODEA, dmPaperSize), 2, FieldUnit::kPaperSize},
    {"paper length", offsetof(DEVMODEA, dmPaperLength), 2, FieldUnit::kTenthMm},
    {"paper width", offsetof(DEVMODEA, dmPaperWidth), 2, FieldUnit::kTenthMm},
    {"scale", offsetof(DEVMODEA, dmScale), 2, FieldUnit::kPercent},
    {"copies", offsetof(DEVMODEA, dmCopies), 2, FieldUnit::kNumber},
    {"paper source", offsetof(DEVMODEA, dmDefaultSource), 2, FieldUnit::kPaperSource},
    {"print quality", offsetof(DEVMODEA, dmPrintQuality), 2, FieldUnit::kDpi},
    {"colour", offsetof(DEVMODEA, dmColor), 2, FieldUnit::kColour},
    {"duplex", offsetof(DEVMODEA, dmDuplex), 2, FieldUnit::kDuplex},
    {"y resolution", offsetof(DEVMODEA, dmYResolution), 2, FieldUnit::kDpi},
    {"collate", offsetof(DEVMODEA, dmCollate), 2, FieldUnit::kYesNo},
    {"form name", offsetof(DEVMODEA, dmFormName), 32, FieldUnit::kText},
    {"private version", devmode::kOffPrivateVersion, 2, FieldUnit::kFlags},
    {"model section at", devmode::kOffModelSection, 2, FieldUnit::kNumber},
    {"PDL id", devmode::kOffPdlId, 2, FieldUnit::kFlags},
    {"model number", devmode::kOffModelNumber, 2, FieldUnit::kNumber},
    {"driver name", devmode::kOffDriverName, devmode::kDriverNameSize, FieldUnit::kText},
};

std::string PublicValue(const std::vector<uint8_t>& bytes, const PublicField& field) {
    std::vector<uint8_t> value(field.width);
    if (!ByteView(bytes.data(), bytes.size()).bytes(field.offset, value.data(), value.size())) return "-";
    return FieldValue(value.data(), value.size(), field.unit);
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
    const OptionReading* reading = FindOptionReading(row.id);
    return FieldValue(value.data(), value.size(), reading ? reading->unit : FieldUnit::kNumber);
}

// "paper size (114)": the option's reading and its number; an option of no known meaning by number and id.
std::string OptionName(const devmode::OptionRow& row) {
    const OptionReading* reading = FindOptionReading(row.id);
    char name[64];
    if (reading && row.number) std::snprintf(name, sizeof name, "%s (%u)", reading->name, row.number);
    else if (reading) std::snprintf(name, sizeof name, "%s (0x%05X)", reading->name, row.id);
    else if (row.number) std::snprintf(name, sizeof name, "option %u (0x%05X)", row.number, row.id);
    else std::snprintf(name, sizeof name, "option 0x%05X", row.id);
    return name;
}

// A difference is marked only between two device modes; a missing one differs in nothing.
void Row(std::FILE* out, const std::string& name, const std::string& left, const std::string& right, bool compare) {
    std::fprintf(out, "  %-32s %-30s %-30s%s\n", name.c_str(), left.c_str(), right.c_str(),
                 !compare || left == right ? "" : "  *");
}

}  // namespace

void ListDevmodes(std::FILE* out, const char* leftTitle, const std::vector<uint8_t>& left, const char* rightTitle,
                  const std::vector<uint8_t>& right) {
    std::fprintf(out, "  %-32s %-30s %-30s\n", "", leftTitle, rightTitle);
    const bool compare = !left.empty() && !right.empty();
    for (const PublicField& field : kPublicFields)
        Row(out, field.name, PublicValue(left, field), PublicValue(right, field), compare);
    for (size_t i = 0; i < devmode::kOptionCount; ++i)
        Row(out, OptionName(devmode::kOptionRows[i]), OptionValue(left, i), OptionValue(right, i), compare);
}

size_t ListDevmodeChanges(std::FILE* out, const char* leftTitle, const std::vector<uint8_t>& left,
                          const char* rightTitle, const std::vector<uint8_t>& right) {
    size_t changes = 0;
    auto row = [&](const std::string& name, const std::string& a, const std::string& b) {
        if (a == b) return;
        if (changes++ == 0) std::fprintf(out, "  %-32s %-30s %-30s\n", "", leftTitle, rightTitle);
        Row(out, name, a, b, false);
    };
    for (const PublicField& field : kPublicFields) row(field.name, PublicValue(left, field), PublicValue(right, field));
    for (size_t i = 0; i < devmode::kOptionCount; ++i)
        row(OptionName(devmode::kOptionRows[i]), OptionValue(left, i), OptionValue(right, i));
    return changes;
}
