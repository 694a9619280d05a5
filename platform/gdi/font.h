// Fonts: the logical font as the caller described it, and the Face that draws it. A face is an
// outline font from the system's font files when one can be opened, else the built-in bitmap
// face (5 by 7 glyphs with descenders in a 10-row cell) scaled to the requested height; weight,
// italic, underline, strike-out and escapement are applied when drawing.
#pragma once

#include "platform/gdi/object.h"
#include "platform/gdi/outline_font.h"

#include <cstdint>
#include <memory>

namespace gdi {

struct Font : Object {
    using Handle = HFONT;
    static constexpr Kind kKind = Kind::Font;
    Font() : Object(kKind) {}

    LOGFONTA logical{};
};

// The built-in glyphs: 9 rows of 5 bits (bit 4 is the left column) for characters 32 to 126;
// rows 0 to 6 stand on the baseline, rows 7 and 8 are descenders.
constexpr int kGlyphRows = 9;
constexpr int kGlyphFirst = 32, kGlyphLast = 126;
const std::uint8_t* GlyphRows(unsigned char c);  // characters outside the set draw as '?'

// Design units of the cell: 1 row of leading above the 7 glyph rows, 2 rows of descent.
constexpr int kCellRows = 10;
constexpr int kAscentRows = 8;

struct Face {
    double scaleY = 1.3;     // device pixels per design row
    double scaleX = 1.3;     // device pixels per design column
    int height = 13;         // cell height in pixels
    int ascent = 10;
    int descent = 3;
    int internalLeading = 1;
    int boldExtra = 0;       // extra pixels added to every stroke and advance
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int escapement = 0;      // tenths of a degree, counterclockwise
    LONG weight = FW_NORMAL;
    std::shared_ptr<const OutlineFont> outline;  // null: the built-in glyphs

    // Pixels from the pen position of the character to the next one.
    int advance(unsigned char c) const;
    int textWidth(const char* text, int count) const;
    int averageWidth() const { return outline ? outline->metrics().averageWidth : advance('x'); }
    int maxWidth() const { return outline ? outline->metrics().maxWidth : advance('W'); }
    // The glyph's first used design column (glyphs are drawn from there).
    static int firstColumn(unsigned char c);
};

Face FaceOf(const LOGFONTA& lf);

}  // namespace gdi
