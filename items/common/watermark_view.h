// The sheet's watermark object as the stamp items read it: its stamps in list order, each with
// its id, name, text, font and the values it gives the stamp's settings. The watermark module
// of the document features implements it; a sheet whose user data holds none reads an object
// with no stamps.
#pragma once

#include "core/device/user_data.h"

#include <cstdint>

inline constexpr size_t kWaterMarkTextSize = 33;  // name and text, with the terminator
inline constexpr size_t kWaterMarkFontNameSize = 32;

// What the stamp's option 156 is built from: three numbers and the face name.
struct CmWaterMarkFont {
    uint16_t numbers[3] = {};
    char name[kWaterMarkFontNameSize + 2] = {};
};

// An interface beside the module object's own base: the object that implements it is also a
// preset store, whose base is the module object.
class CmWaterMark {
public:
    virtual ~CmWaterMark() = default;
    virtual uint32_t Count() const = 0;
    // Stamp i (0 is the first entry, Count() the end); every accessor answers its empty value
    // past the end.
    virtual uint16_t Id(uint32_t i) const = 0;
    virtual const char* Name(uint32_t i) const = 0;  // at most kWaterMarkTextSize bytes
    virtual const char* Text(uint32_t i) const = 0;
    virtual CmWaterMarkFont Font(uint32_t i) const = 0;
    virtual uint32_t Colour(uint32_t i) const = 0;      // setting 157
    virtual uint32_t Flags(uint32_t i) const = 0;       // setting 150
    virtual uint16_t Angle(uint32_t i) const = 0;       // setting 159
    virtual void Position(uint32_t i, uint16_t out[2]) const = 0;  // setting 158
    // Rebuilds the stamps from the settings and the stored presets (1: after a profile was
    // applied to the settings).
    virtual void Update(int) {}
};

// The sheet's watermark object, or one with no stamps when the user data holds none.
const CmWaterMark& WaterMarkOf(UIDEVDATA* ctx);
// The sheet's watermark object to rebuild; null when the user data holds none.
CmWaterMark* EditableWaterMarkOf(UIDEVDATA* ctx);
