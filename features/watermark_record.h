// One watermark preset in memory (`WaterMarkRecord`) and in its stored form (138 bytes, the older
// form 136), and the mapping between a record and the device mode's watermark options. Stored
// bytes come from the registry or a printer context and are read through the checked view.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace watermark {

inline constexpr size_t kRegRecordSize = 138;
inline constexpr size_t kOldRegRecordSize = 136;  // the same fields without the kind word
inline constexpr size_t kFontSize = 50;
inline constexpr size_t kTextRoom = 33;  // name and text: 32 characters and the terminator
inline constexpr size_t kFaceRoom = 32;

// The options of the current watermark.
inline constexpr DWORD kOptFlags = 150, kOptName = 154, kOptText = 155, kOptFont = 156, kOptColour = 157,
                       kOptPosition = 158, kOptAngle = 159;
inline constexpr DWORD kOptTextSize = 32, kOptFontSize = 48;

inline constexpr uint32_t kKindBuiltIn = 1, kKindUser = 2;

// changeFlags of the working list.
inline constexpr uint16_t kChangeAdded = 0x1, kChangeEdited = 0x2, kChangeDeleted = 0x4;

// A 16-bit logical font, stored byte for byte (50 bytes). The face keeps a terminator of its own
// in memory so that a stored face of 32 characters is still read as a bounded text.
struct WaterMarkFont {
    int16_t height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
    uint8_t italic = 0, underline = 0, strikeOut = 0, charSet = 0;
    uint8_t outPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
    char faceName[kFaceRoom + 1] = {};
};

struct WaterMarkRecord {
    uint16_t id = 0;
    uint32_t kind = 0;
    char name[kTextRoom] = {};
    char text[kTextRoom] = {};
    int16_t x = 0, y = 0;
    int16_t angleWord = 0;     // -(360 + degrees) for a free angle, else 0
    int16_t rotationMode = 0;  // 0 none, 1 +45 degrees, 2 -45 degrees, 3 free
    uint32_t frameKind = 0, layerChoice = 0, flag = 0;
    uint32_t colour = 0;
    WaterMarkFont font;
    uint16_t changeFlags = 0;
    uint16_t extra = 0;
};

// The stored form. The kind and the three u32 fields are narrowed to 16 bits.
void PackRecord(const WaterMarkRecord& record, uint8_t out[kRegRecordSize]);
// Reads a value of exactly kRegRecordSize or kOldRegRecordSize bytes; false for any other size.
// Every text comes back terminated and changeFlags 0.
bool UnpackRecord(const uint8_t* data, size_t size, WaterMarkRecord& record);

// Equal in everything that is stored except the id.
bool SameContent(const WaterMarkRecord& a, const WaterMarkRecord& b);

// Copies at most room - 1 characters and terminates.
void CopyText(char* out, size_t room, const char* text);

// The fields taken from option 150 (and the free angle of option 159).
void ApplyOptionFlags(uint32_t flags, int16_t freeAngle, WaterMarkRecord& record);
// Option 150 for the record, from the option's current value.
uint32_t MakeOptionFlags(const WaterMarkRecord& record, uint32_t current);
// Tenths of a degree as the picture and option 159 take them.
uint16_t GetDrawAngle(const WaterMarkRecord& record);
// The font's escapement for the record's angle word: -((angleWord * 10) rem 3600).
int16_t EscapementOf(int16_t angleWord);

}  // namespace watermark
