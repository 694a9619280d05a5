// `CmFont` (made as the request's `Font` module): the printer's device fonts and the screen's
// TrueType fonts with the device font that prints each, and the store of both the substitution
// table and the installed font sets. The two font pages work on it.
#pragma once

#include "core/device/user_data.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class FontSubstReader;

namespace font {

// Face names are copied into fields of this size, always terminated.
inline constexpr size_t kFaceField = 64;

// One TrueType face of the screen and what prints it.
struct TrueTypeEntry {
    char face[kFaceField] = {};
    char substitute[kFaceField] = {};
    int16_t deviceFontId = 0;  // 0: the default entry, printed as TrueType
    uint32_t ordinal = 0;      // its position, kept as the list line's data
    uint32_t changed = 0;      // 1 once the user chose its substitute
};

// An optional font set (font card) of the device data.
struct FontSet {
    std::string name;
    uint16_t id = 0;
    uint16_t memory = 0;
};

// Copies at most kFaceField - 1 characters of text into a face field.
void CopyFace(char (&field)[kFaceField], const char* text);

// The three installed font-set ids of a device-option block (0 for an empty slot).
using FontSetIds = std::array<uint16_t, 3>;

}  // namespace font

class CmFont : public CmModule {
public:
    explicit CmFont(UIDEVDATA* ctx) : ctx_(ctx) {}

    // An information context of the printer with this device mode (current form), made by the
    // printer's driver; null when the printer, its driver or the conversion fails.
    HDC CreateDeviceIC(const char* printer, const uint8_t* devmode);
    // A value of the printer driver's key; the registry's answer, 1 when the key's path does not
    // fit its buffer.
    LONG ReadDriverValue(const char* driver, const char* value, DWORD* type, void* buffer, DWORD size);

    // The device fonts (not TrueType) the printer reports for the current settings, with the
    // sheet's device options stored first so the driver sees the installed font sets.
    void FillDeviceFontList();
    // The screen's TrueType faces, each with its stored substitute when the combo box of device
    // fonts holds it (item data: the device font id), else the default entry with `defaultText`.
    void FillTrueTypeList(HWND deviceCombo, int queryKind, const char* defaultText);
    // Writes the substitution table (every entry with a device font, whether changed in this
    // visit or before) and the installed font sets with their memory sum; false when the table
    // could not be written.
    bool StoreSubstitutions(const font::FontSetIds& ids);

    const std::vector<std::string>& GetDeviceFontList() const { return deviceFonts_; }
    std::vector<font::TrueTypeEntry>& GetTrueTypeList() { return trueType_; }
    size_t GetTrueTypeCount() const { return trueType_.size(); }
    font::TrueTypeEntry* FindByOrdinal(uint32_t ordinal);
    void MarkChanged(font::TrueTypeEntry& entry) { entry.changed = 1; }
    // One more changed substitution for 1, one fewer for 0.
    void CountChange(int added) { changes_ += added ? 1 : -1; }
    int GetChangeCount() const { return changes_; }

    // The device data's font sets and the number of slots the device has for them.
    std::vector<font::FontSet> FontSets() const;
    int FontSetSlots() const;
    // The installed ids of a device-option block (null: the sheet's).
    font::FontSetIds InstalledSets(const uint8_t* block = nullptr) const;
    // The memory the sets of these ids take together.
    uint16_t MemoryOf(const font::FontSetIds& ids) const;
    // Writes the three ids and their memory sum into the sheet's device-option block.
    bool WriteInstalledSets(const font::FontSetIds& ids);

private:
    uint8_t* SheetBlock() const;

    UIDEVDATA* ctx_;
    std::vector<std::string> deviceFonts_;
    std::vector<font::TrueTypeEntry> trueType_;
    int changes_ = 0;
};

CmModule* MakeFont(UIDEVDATA* ctx);
// The request's font module, or null when the request made none.
CmFont* FontOf(UIDEVDATA* ctx);
