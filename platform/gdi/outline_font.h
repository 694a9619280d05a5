// Faces drawn by FreeType from the font files of the system: a logical font's face name maps to
// a sans, serif or monospaced file (unknown names to the sans one), sized in pixels; glyphs are
// rendered one bit per pixel so text looks the same on every run, and kept per face and size.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

namespace gdi {

struct OutlineMetrics {
    int height = 0, ascent = 0, descent = 0, internalLeading = 0;
    int averageWidth = 0, maxWidth = 0;
    int underlineOffset = 1, underlineThickness = 1;  // below the baseline, pixels
    int strikeOffset = 1;                             // above the baseline, pixels
};

// A rendered glyph: its runs of set pixels, row by row, relative to the pixel of its origin.
struct GlyphImage {
    struct Run {
        int y, x0, x1;  // x1 exclusive
    };
    std::vector<Run> runs;
    int left = 0, top = 0, right = 0, bottom = 0;  // bounding box of the runs, right and bottom exclusive

    void add(int y, int x0, int x1);
};

// One character of a run of text and where its origin lies on the surface.
struct GlyphAt {
    unsigned char c;
    double x, y;
};

// Receives the glyphs of a run as they are rendered: each with the surface pixel of its origin.
class GlyphSink {
public:
    virtual void glyph(int x, int y, const GlyphImage& image) = 0;

protected:
    ~GlyphSink() = default;
};

class OutlineFont {
public:
    virtual ~OutlineFont() = default;
    const OutlineMetrics& metrics() const { return metrics_; }
    int advance(unsigned char c) const { return advances_[c]; }
    // Renders the characters at their origins, turned counterclockwise by angle (radians), and
    // hands each to the sink. Upright glyphs on whole pixels are rendered once and kept (up to a
    // size far above any dialog's).
    virtual void drawGlyphs(const GlyphAt* glyphs, int count, double angle, GlyphSink& sink) const = 0;

protected:
    OutlineMetrics metrics_;
    std::array<int, 256> advances_{};
};

// The outline face for the logical font, or null when no font file can be used.
std::shared_ptr<const OutlineFont> OpenOutlineFont(const LOGFONTA& lf);

// The folder font files are looked for in (null: the system's); fonts already made stay usable.
void SetFontDirectory(const char* path);

}  // namespace gdi
