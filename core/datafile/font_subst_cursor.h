// The font-substitution interfaces of `UiServiceTable::Query`: the reader (kinds 2 and 4), which
// finds a TrueType face and gives its substitute, and the writer (kind 5), which collects entries
// and stores them as the printer's table.
#pragma once

#include "core/device/core_interface.h"
#include "core/datafile/font_subst_table.h"

#include <string>
#include <vector>

class FontSubstReader : public CoreInterface {
public:
    // Reads the printer's table; a missing or damaged one reads as empty.
    explicit FontSubstReader(const std::string& printer);

    // Makes the entry of the face current: mode 1 compares without regard to case, any other
    // mode exactly. Non-zero when found; without a match there is no current entry.
    int Find(const char* face, int mode);
    // Field k of the current entry: 1 the face, 2 the substitute; null without a current entry
    // or for another k.
    const char* GetField(int k) const;
    // The current entry's device font id; 0 without one.
    uint32_t DeviceFontId() const;
    size_t Count() const { return entries_.size(); }

private:
    std::vector<FontSubstEntry> entries_;
    const FontSubstEntry* current_ = nullptr;
};

class FontSubstWriter : public CoreInterface {
public:
    explicit FontSubstWriter(const std::string& printer) : printer_(printer) {}

    // Begins a new table of at most count entries (kTableRefused above kMaxFontSubstEntries).
    int Start(uint32_t count);
    // Adds one entry; a face added twice keeps the later substitute. kTableRefused before
    // Start, past the count, for an empty face, or for a name that does not fit its field.
    int Add(const char* face, const char* substitute, uint32_t deviceFontId);
    // Stores the entries added since Start; kTableRefused before Start or when the write failed.
    int Write();

private:
    std::string printer_;
    bool started_ = false;
    uint32_t limit_ = 0;
    std::vector<FontSubstEntry> entries_;
};
