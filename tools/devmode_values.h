// How the fields of a device mode read for a person: each with its name and its value in its
// unit (a paper size by its form name, lengths in millimetres, a rectangle as a rectangle), so
// that a listing shows settings rather than bare numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class FieldUnit {
    kNumber,       // a signed number
    kFlags,        // bits, in hexadecimal
    kOrientation,  // 1 portrait, 2 landscape
    kPaperSize,    // a paper number with its form name
    kTenthMm,      // a length in 0.1 mm
    kMm,           // a length in mm
    kPercent,
    kDpi,
    kColour,       // 1 monochrome, 2 colour
    kDuplex,       // 1 one-sided, 2 long edge, 3 short edge
    kYesNo,
    kPaperSource,  // a bin number with its name
    kSizePair,     // width (low half) and length (high half) in 0.1 mm
    kRectangle,    // four signed 16-bit values: left, top, right, bottom in 0.1 mm
    kTenthDegree,
    kRgb,          // red in the low byte, then green and blue
    kPosition,     // two signed 16-bit halves: x (low) and y (high)
    kFontBlock,    // size at 0, weight at 8, italic at 12, face from 13
    kText,         // a NUL-terminated text inside the field
    kBlock,        // bytes of no reading of their own
};

// The name and unit of a private option by its id; null name for an option of no known meaning.
struct OptionReading {
    uint32_t id;
    const char* name;
    FieldUnit unit;
};
const OptionReading* FindOptionReading(uint32_t id);

// The value of `width` bytes (little-endian) read in `unit`.
std::string FieldValue(const uint8_t* bytes, size_t width, FieldUnit unit);
