// The font-substitution reader and writer over the stored table.
#include "core/datafile/font_subst_cursor.h"

#include <strings.h>

#include <cstring>

FontSubstReader::FontSubstReader(const std::string& printer) { ReadFontSubstTable(printer, entries_); }

int FontSubstReader::Find(const char* face, int mode) {
    current_ = nullptr;
    if (!face) return 0;
    for (const FontSubstEntry& e : entries_) {
        bool same = mode == 1 ? strcasecmp(e.face.c_str(), face) == 0 : e.face == face;
        if (same) {
            current_ = &e;
            return 1;
        }
    }
    return 0;
}

const char* FontSubstReader::GetField(int k) const {
    if (!current_) return nullptr;
    if (k == 1) return current_->face.c_str();
    if (k == 2) return current_->substitute.c_str();
    return nullptr;
}

uint32_t FontSubstReader::DeviceFontId() const { return current_ ? current_->deviceFontId : 0; }

int FontSubstWriter::Start(uint32_t count) {
    if (count > kMaxFontSubstEntries) return kTableRefused;
    entries_.clear();
    entries_.reserve(count);
    limit_ = count;
    started_ = true;
    return kTableDone;
}

int FontSubstWriter::Add(const char* face, const char* substitute, uint32_t deviceFontId) {
    if (!started_ || !face || !*face || !substitute) return kTableRefused;
    if (std::strlen(face) >= kFontFaceField || std::strlen(substitute) >= kFontFaceField) return kTableRefused;
    for (FontSubstEntry& e : entries_)
        if (e.face == face) {
            e.substitute = substitute;
            e.deviceFontId = deviceFontId;
            return kTableDone;
        }
    if (entries_.size() >= limit_) return kTableRefused;
    entries_.push_back(FontSubstEntry{face, substitute, deviceFontId});
    return kTableDone;
}

int FontSubstWriter::Write() {
    if (!started_ || !WriteFontSubstTable(printer_, entries_)) return kTableRefused;
    return kTableDone;
}
