// Field readings: the names of the private options (as the option table's rows describe them)
// and the value formats by unit. The paper and bin numbers are those of the public DEVMODE.
#include "tools/devmode_values.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

constexpr OptionReading kReadings[] = {
    {0x20001, "document-property flags", FieldUnit::kFlags},
    {0x20002, "applied profile", FieldUnit::kText},
    {0x20003, "job operation", FieldUnit::kNumber},
    {0x20010, "layout flags", FieldUnit::kFlags},
    {0x20011, "device category", FieldUnit::kNumber},
    {0x20012, "source paper id", FieldUnit::kPaperSize},
    {0x20013, "source paper code", FieldUnit::kPaperSize},
    {0x20014, "source paper size", FieldUnit::kSizePair},
    {0x20015, "source printable area", FieldUnit::kRectangle},
    {0x20016, "output paper id", FieldUnit::kPaperSize},
    {0x20017, "output paper code", FieldUnit::kPaperSize},
    {0x20018, "output paper size", FieldUnit::kSizePair},
    {0x20019, "output area", FieldUnit::kRectangle},
    {0x2001A, "binding edge", FieldUnit::kNumber},
    {0x2001B, "gutter margin", FieldUnit::kMm},
    {0x2001C, "layout mode", FieldUnit::kNumber},
    {0x2001D, "scaling", FieldUnit::kPercent},
    {0x2001E, "pages-per-sheet code", FieldUnit::kNumber},
    {0x2001F, "page order", FieldUnit::kNumber},
    {0x20020, "poster code", FieldUnit::kNumber},
    {0x20021, "user-paper kind", FieldUnit::kNumber},
    {0x20022, "booklet flags", FieldUnit::kFlags},
    {0x20023, "sheets per set", FieldUnit::kNumber},
    {0x20024, "binding location", FieldUnit::kNumber},
    {0x20025, "booklet margin", FieldUnit::kTenthMm},
    {0x20040, "quality flags", FieldUnit::kFlags},
    {0x20041, "print image code", FieldUnit::kNumber},
    {0x20042, "colour mode", FieldUnit::kNumber},
    {0x20043, "resolution", FieldUnit::kDpi},
    {0x20044, "resolution code", FieldUnit::kNumber},
    {0x20045, "bits per pixel", FieldUnit::kNumber},
    {0x20046, "surface bits per pixel", FieldUnit::kNumber},
    {0x20047, "mode switch", FieldUnit::kNumber},
    {0x30001, "edging", FieldUnit::kNumber},
    {0x30021, "date print position", FieldUnit::kFlags},
    {0x30022, "user print position", FieldUnit::kFlags},
    {0x30023, "page print position", FieldUnit::kFlags},
    {0x30024, "stamp colour", FieldUnit::kRgb},
    {0x30025, "stamp font", FieldUnit::kFontBlock},
    {0x30026, "job divide count", FieldUnit::kNumber},
    {0x30030, "watermark flags", FieldUnit::kFlags},
    {0x30031, "watermark name", FieldUnit::kText},
    {0x30032, "watermark text", FieldUnit::kText},
    {0x30033, "watermark font", FieldUnit::kFontBlock},
    {0x30034, "watermark colour", FieldUnit::kRgb},
    {0x30035, "watermark position", FieldUnit::kPosition},
    {0x30036, "watermark angle", FieldUnit::kTenthDegree},
    {0x40002, "pixel depth", FieldUnit::kNumber},
    {0x40010, "colour block", FieldUnit::kBlock},
    {0x50001, "overlay flags", FieldUnit::kFlags},
    {0x50002, "overlay mode", FieldUnit::kNumber},
    {0x50006, "overlay path", FieldUnit::kText},
    {0x50007, "overlay name", FieldUnit::kText},
    {0x50008, "overlay name 2", FieldUnit::kText},
    {0x60001, "finishing flags", FieldUnit::kFlags},
    {0x60002, "staple position", FieldUnit::kNumber},
    {0x60003, "punch edge", FieldUnit::kNumber},
    {0x60004, "finishing count", FieldUnit::kNumber},
    {0x70001, "source flags", FieldUnit::kFlags},
    {0x70002, "paper-selection mode", FieldUnit::kNumber},
    {0x70003, "sources per page kind", FieldUnit::kNumber},
    {0x70007, "source block", FieldUnit::kBlock},
    {0x70008, "media", FieldUnit::kNumber},
    {0x80002, "mail-box name", FieldUnit::kText},
    {0x80004, "mail-box number", FieldUnit::kNumber},
};

struct Named {
    int number;
    const char* name;
};

constexpr Named kPapers[] = {
    {1, "Letter"},         {2, "Letter Small"}, {3, "Tabloid"},     {4, "Ledger"},        {5, "Legal"},
    {6, "Statement"},      {7, "Executive"},    {8, "A3"},          {9, "A4"},            {10, "A4 Small"},
    {11, "A5"},            {12, "B4"},          {13, "B5"},         {14, "Folio"},        {15, "Quarto"},
    {16, "10x14"},         {17, "11x17"},       {18, "Note"},       {19, "Envelope #9"},  {20, "Envelope #10"},
    {21, "Envelope #11"},  {22, "Envelope #12"}, {23, "Envelope #14"}, {27, "Envelope DL"}, {28, "Envelope C5"},
    {29, "Envelope C3"},   {30, "Envelope C4"}, {31, "Envelope C6"}, {32, "Envelope C65"}, {33, "Envelope B4"},
    {34, "Envelope B5"},   {35, "Envelope B6"}, {37, "Envelope Monarch"}, {256, "user-defined"},
};

constexpr Named kSources[] = {
    {1, "upper tray"},  {2, "lower tray"},     {3, "middle tray"}, {4, "manual feed"},  {5, "envelope"},
    {6, "envelope, manual"}, {7, "automatic"}, {8, "tractor"},     {9, "small format"}, {10, "large format"},
    {11, "large capacity"}, {14, "cassette"},  {15, "form source"},
};

template <size_t N>
const char* NameOf(const Named (&table)[N], int number) {
    for (const Named& entry : table)
        if (entry.number == number) return entry.name;
    return nullptr;
}

int32_t S16(const uint8_t* b) { return static_cast<int16_t>(b[0] | b[1] << 8); }
uint32_t U32(const uint8_t* b) { return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24; }

std::string Format(const char* format, double a, double b = 0, double c = 0, double d = 0) {
    char text[96];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

std::string Text(const uint8_t* bytes, size_t width) {
    std::string text;
    for (size_t i = 0; i < width && bytes[i]; ++i) text += std::isprint(bytes[i]) ? static_cast<char>(bytes[i]) : '?';
    return "\"" + text + "\"";
}

std::string Number(const uint8_t* bytes, size_t width) {
    if (width == 1) return std::to_string(bytes[0]);
    if (width == 2) return std::to_string(S16(bytes));
    return std::to_string(static_cast<int32_t>(U32(bytes)));
}

std::string Block(const uint8_t* bytes, size_t width) {
    size_t used = 0;
    for (size_t i = 0; i < width; ++i)
        if (bytes[i]) used = i + 1;
    if (!used) return "(" + std::to_string(width) + " zero bytes)";
    // The bytes that are set, by offset: a block is mostly zeros.
    std::string text = "(" + std::to_string(width) + " bytes;";
    size_t shown = 0;
    for (size_t i = 0; i < used && shown < 8; ++i)
        if (bytes[i]) text += " +" + std::to_string(i) + "=" + std::to_string(bytes[i]), ++shown;
    return text + (shown == 8 ? " ...)" : ")");
}

}  // namespace

const OptionReading* FindOptionReading(uint32_t id) {
    for (const OptionReading& reading : kReadings)
        if (reading.id == id) return &reading;
    return nullptr;
}

std::string FieldValue(const uint8_t* b, size_t width, FieldUnit unit) {
    const bool two = width == 2, four = width == 4;
    switch (unit) {
    case FieldUnit::kFlags: {
        char text[16];
        std::snprintf(text, sizeof text, two ? "0x%04X" : "0x%08X", two ? static_cast<unsigned>(b[0] | b[1] << 8) : U32(b));
        return four || two ? std::string(text) : Block(b, width);
    }
    case FieldUnit::kOrientation:
        return S16(b) == 1 ? "portrait" : S16(b) == 2 ? "landscape" : Number(b, width) + " (unknown)";
    case FieldUnit::kPaperSize: {
        const char* name = NameOf(kPapers, S16(b));
        return Number(b, width) + (name ? std::string(" (") + name + ")" : "");
    }
    case FieldUnit::kPaperSource: {
        const char* name = NameOf(kSources, S16(b));
        return Number(b, width) + (name ? std::string(" (") + name + ")" : S16(b) >= 256 ? " (the printer's own)" : "");
    }
    case FieldUnit::kTenthMm: return Format("%.1f mm", S16(b) / 10.0);
    case FieldUnit::kMm: return Number(b, width) + " mm";
    case FieldUnit::kPercent: return Number(b, width) + " %";
    case FieldUnit::kDpi: return Number(b, width) + " dpi";
    case FieldUnit::kColour: return S16(b) == 1 ? "monochrome" : S16(b) == 2 ? "colour" : Number(b, width);
    case FieldUnit::kDuplex:
        return S16(b) == 1 ? "one-sided" : S16(b) == 2 ? "two-sided, long edge" : S16(b) == 3 ? "two-sided, short edge" : Number(b, width);
    case FieldUnit::kYesNo: return S16(b) == 0 ? "no" : S16(b) == 1 ? "yes" : Number(b, width);
    case FieldUnit::kSizePair:
        return four ? Format("%.1f x %.1f mm", S16(b) / 10.0, S16(b + 2) / 10.0) : Block(b, width);
    case FieldUnit::kRectangle:
        return width == 8 ? Format("(%.1f, %.1f)-(%.1f, %.1f) mm", S16(b) / 10.0, S16(b + 2) / 10.0, S16(b + 4) / 10.0, S16(b + 6) / 10.0)
                          : Block(b, width);
    case FieldUnit::kTenthDegree: return Format("%.1f degrees", S16(b) / 10.0);
    case FieldUnit::kRgb:
        return four ? "red " + std::to_string(b[0]) + ", green " + std::to_string(b[1]) + ", blue " + std::to_string(b[2])
                    : Block(b, width);
    case FieldUnit::kPosition: return four ? "x " + std::to_string(S16(b)) + ", y " + std::to_string(S16(b + 2)) : Block(b, width);
    case FieldUnit::kFontBlock:
        if (width < 48) return Block(b, width);
        if (std::all_of(b, b + width, [](uint8_t v) { return v == 0; })) return "(none)";
        return Text(b + 13, 32) + ", " + std::to_string(static_cast<int32_t>(U32(b))) + " pt, weight " +
               std::to_string(static_cast<int32_t>(U32(b + 8))) + (b[12] ? ", italic" : "");
    case FieldUnit::kText: return Text(b, width);
    case FieldUnit::kBlock: return Block(b, width);
    case FieldUnit::kNumber:
    default: return width <= 4 && width != 3 ? Number(b, width) : Block(b, width);
    }
}
