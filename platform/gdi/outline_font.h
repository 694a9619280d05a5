// Faces drawn by FreeType from the font files of the system: a logical font's face name maps to
// a sans, serif or monospaced file (unknown names to the sans one), sized in pixels; glyphs are
// rendered one bit per pixel so text looks the same on every run.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>

namespace gdi {

struct OutlineMetrics {
    int height = 0, ascent = 0, descent = 0, internalLeading = 0;
    int averageWidth = 0, maxWidth = 0;
    int underlineOffset = 1, underlineThickness = 1;  // below the baseline, pixels
    int strikeOffset = 1;                             // above the baseline, pixels
};

class OutlineFont {
public:
    virtual ~OutlineFont() = default;
    const OutlineMetrics& metrics() const { return metrics_; }
    int advance(unsigned char c) const { return advances_[c]; }
    // Renders the character with its origin at (x, y) on the surface, turned counterclockwise by
    // angle (radians), and hands every run of set pixels to the sink as (y, x0, x1).
    virtual void drawGlyph(unsigned char c, double x, double y, double angle,
                           const std::function<void(int, int, int)>& sink) const = 0;

protected:
    OutlineMetrics metrics_;
    std::array<int, 256> advances_{};
};

// The outline face for the logical font, or null when no font file can be used.
std::shared_ptr<const OutlineFont> OpenOutlineFont(const LOGFONTA& lf);

// The folder font files are looked for in (null: the system's); fonts already made stay usable.
void SetFontDirectory(const char* path);

}  // namespace gdi
