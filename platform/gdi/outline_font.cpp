// FreeType faces over the font files of the system. One FT_Face per file is shared by every
// size (FreeType faces are not thread-safe, so a single lock guards them all); sized fonts are
// kept in a small cache because a DC asks for its face on every text call, and each keeps the
// glyphs it rendered, so text costs FreeType once per face, size, character (and angle).
#include "platform/gdi/outline_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <compare>
#include <cstring>
#include <map>
#include <mutex>
#include <new>
#include <string>
#include <strings.h>
#include <tuple>

namespace gdi {
namespace {

enum Family { Sans, Serif, Mono };

struct Alias {
    const char* name;
    Family family;
};

constexpr Alias kAliases[] = {
    {"Arial", Sans}, {"Helvetica", Sans}, {"MS Sans Serif", Sans}, {"MS Shell Dlg", Sans},
    {"MS Shell Dlg 2", Sans}, {"Tahoma", Sans}, {"Verdana", Sans}, {"Sans Serif", Sans},
    {"Times New Roman", Serif}, {"Times", Serif}, {"MS Serif", Serif}, {"Serif", Serif},
    {"Courier New", Mono}, {"Courier", Mono}, {"Fixedsys", Mono}, {"Terminal", Mono}, {"Monospace", Mono},
};

// Files of each family and style (regular, bold, italic, bold italic), in order of preference.
constexpr const char* kFiles[3][2][4] = {
    {{"liberation/LiberationSans-Regular.ttf", "liberation/LiberationSans-Bold.ttf",
      "liberation/LiberationSans-Italic.ttf", "liberation/LiberationSans-BoldItalic.ttf"},
     {"dejavu/DejaVuSans.ttf", "dejavu/DejaVuSans-Bold.ttf", "dejavu/DejaVuSans-Oblique.ttf",
      "dejavu/DejaVuSans-BoldOblique.ttf"}},
    {{"liberation/LiberationSerif-Regular.ttf", "liberation/LiberationSerif-Bold.ttf",
      "liberation/LiberationSerif-Italic.ttf", "liberation/LiberationSerif-BoldItalic.ttf"},
     {"dejavu/DejaVuSerif.ttf", "dejavu/DejaVuSerif-Bold.ttf", "dejavu/DejaVuSerif-Italic.ttf",
      "dejavu/DejaVuSerif-BoldItalic.ttf"}},
    {{"liberation/LiberationMono-Regular.ttf", "liberation/LiberationMono-Bold.ttf",
      "liberation/LiberationMono-Italic.ttf", "liberation/LiberationMono-BoldItalic.ttf"},
     {"dejavu/DejaVuSansMono.ttf", "dejavu/DejaVuSansMono-Bold.ttf", "dejavu/DejaVuSansMono-Oblique.ttf",
      "dejavu/DejaVuSansMono-BoldOblique.ttf"}},
};

// Windows-1252 bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

FT_ULong unicodeOf(unsigned char c) { return c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : c; }

// Glyphs of faces up to this many pixels are kept once rendered; bigger ones, which no dialog or
// preview draws often, would cost more memory than rendering them again.
constexpr int kKeptSize = 256;

struct Library {
    std::mutex lock;
    FT_Library ft = nullptr;
    std::string root = "/usr/share/fonts/truetype";
    std::map<std::string, FT_Face> faces;  // by path; null when the file would not open
    std::map<std::tuple<int, int, int, int, int>, std::shared_ptr<const OutlineFont>> sized;
};

Library& library() {
    static Library* lib = new Library;  // lives to the end: fonts may be drawn from atexit code
    return *lib;
}

FT_Face openFile(Library& lib, const std::string& path) {
    auto found = lib.faces.find(path);
    if (found != lib.faces.end()) return found->second;
    FT_Face face = nullptr;
    if (!lib.ft && FT_Init_FreeType(&lib.ft)) lib.ft = nullptr;
    if (lib.ft && FT_New_Face(lib.ft, path.c_str(), 0, &face)) face = nullptr;
    if (face && !FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        face = nullptr;
    }
    lib.faces[path] = face;
    return face;
}

class FreeTypeFont final : public OutlineFont {
public:
    // emX/emY: the em square in pixels; emboldenPx and slant stand in for missing style files.
    // A cell height above 0 is kept exactly, shared out in the proportions of the face.
    FreeTypeFont(FT_Face face, int emX, int emY, int cellHeight, double emboldenPx, double slant)
        : face_(face), emX_(emX), emY_(emY), embolden_(emboldenPx), slant_(slant) {
        FT_Set_Pixel_Sizes(face_, FT_UInt(emX_), FT_UInt(emY_));
        FT_Set_Transform(face_, nullptr, nullptr);
        double units = face_->units_per_EM, ascender = face_->ascender, descender = -face_->descender;
        if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2)); os2 && os2->usWinAscent) {
            ascender = os2->usWinAscent;
            descender = os2->usWinDescent;
        }
        double scale = emY_ / units;
        OutlineMetrics& m = metrics_;
        m.ascent = int(std::lround(ascender * scale));
        m.descent = int(std::lround(descender * scale));
        m.height = m.ascent + m.descent;
        if (cellHeight > 0) {
            m.height = cellHeight;
            m.ascent = int(std::lround(cellHeight * ascender / (ascender + descender)));
            m.descent = cellHeight - m.ascent;
        }
        m.internalLeading = std::max(0, m.height - emY_);
        m.underlineOffset = std::max(1, int(std::lround(-face_->underline_position * scale)));
        m.underlineThickness = std::max(1, int(std::lround(face_->underline_thickness * scale)));
        m.strikeOffset = std::max(1, int(std::lround(emY_ * 0.28)));
        int extra = int(std::lround(embolden_));
        for (int c = 0; c < 256; ++c) {
            FT_ULong u = unicodeOf((unsigned char)c);
            bool ok = u >= 32 && !FT_Load_Char(face_, u, FT_LOAD_TARGET_MONO);
            advances_[c] = ok ? int((face_->glyph->advance.x + 32) >> 6) + extra : 0;
            m.maxWidth = std::max(m.maxWidth, advances_[c]);
        }
        m.averageWidth = advances_['x'];
    }

    void drawGlyphs(const GlyphAt* glyphs, int count, double angle, GlyphSink& sink) const override {
        std::lock_guard<std::mutex> hold(library().lock);
        // The face is shared by every size: its size is set once for the run, and only when a
        // glyph has to be rendered (setting it re-runs the font's hinting program).
        bool sized = false;
        auto size = [&] {
            if (!sized) FT_Set_Pixel_Sizes(face_, FT_UInt(emX_), FT_UInt(emY_));
            sized = true;
        };
        GlyphImage scratch;
        try {
            for (int i = 0; i < count; ++i) {
                const GlyphAt& g = glyphs[i];
                if (unicodeOf(g.c) < 32) continue;
                double ix = std::floor(g.x), iy = std::floor(g.y);
                if (angle == 0 && ix == g.x && iy == g.y && emY_ <= kKeptSize && emX_ <= kKeptSize) {
                    std::unique_ptr<GlyphImage>& kept = cache_[g.c];
                    if (!kept) {
                        auto image = std::make_unique<GlyphImage>();
                        size();
                        render(g.c, 0, 0, 0, *image);
                        kept = std::move(image);
                    }
                    sink.glyph(int(ix), int(iy), *kept);
                    continue;
                }
                const double dx = g.x - ix, dy = g.y - iy;
                if (emY_ <= kKeptSize && emX_ <= kKeptSize) {
                    const TurnedKey key{g.c, angle, dx, dy};
                    auto found = turned_.find(key);
                    if (found == turned_.end()) {
                        if (turned_.size() >= kTurnedKept) turned_.clear();
                        GlyphImage image;
                        size();
                        render(g.c, dx, dy, angle, image);
                        found = turned_.emplace(key, std::move(image)).first;
                    }
                    sink.glyph(int(ix), int(iy), found->second);
                    continue;
                }
                size();
                scratch = GlyphImage{};
                render(g.c, dx, dy, angle, scratch);
                sink.glyph(int(ix), int(iy), scratch);
            }
        } catch (const std::bad_alloc&) {
            // Out of memory the rest of the run is left out; nothing half-made is kept.
        }
    }

private:
    // Renders the character with its origin (dx, dy) into its pixel, turned by angle; the face's
    // size must be set and the library locked.
    void render(unsigned char c, double dx, double dy, double angle, GlyphImage& out) const {
        double cosA = std::cos(angle), sinA = std::sin(angle);
        // Rotation after the italic slant, both in FreeType's y-up space.
        FT_Matrix matrix{FT_Fixed(std::lround(cosA * 65536)), FT_Fixed(std::lround((cosA * slant_ - sinA) * 65536)),
                         FT_Fixed(std::lround(sinA * 65536)), FT_Fixed(std::lround((sinA * slant_ + cosA) * 65536))};
        FT_Vector delta{FT_Pos(std::lround(dx * 64)), FT_Pos(std::lround(-dy * 64))};
        FT_Set_Transform(face_, &matrix, &delta);
        bool loaded = !FT_Load_Char(face_, unicodeOf(c), FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP);
        FT_GlyphSlot slot = face_->glyph;
        if (loaded && embolden_ > 0 && slot->format == FT_GLYPH_FORMAT_OUTLINE)
            FT_Outline_Embolden(&slot->outline, FT_Pos(std::lround(embolden_ * 64)));
        bool rendered = loaded && !FT_Render_Glyph(slot, FT_RENDER_MODE_MONO);
        FT_Set_Transform(face_, nullptr, nullptr);
        if (!rendered || slot->bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return;
        const FT_Bitmap& b = slot->bitmap;
        for (unsigned row = 0; row < b.rows; ++row) {
            const unsigned char* bits = b.buffer + long(row) * b.pitch;
            for (unsigned col = 0; col < b.width;) {
                if (!(bits[col >> 3] & (0x80 >> (col & 7)))) {
                    ++col;
                    continue;
                }
                unsigned end = col;
                while (end < b.width && (bits[end >> 3] & (0x80 >> (end & 7)))) ++end;
                out.add(int(row) - slot->bitmap_top, slot->bitmap_left + int(col), slot->bitmap_left + int(end));
                col = end;
            }
        }
    }

    FT_Face face_;
    int emX_, emY_;
    double embolden_, slant_;
    mutable std::array<std::unique_ptr<GlyphImage>, 256> cache_;  // upright glyphs, under the library lock
    // Turned glyphs and glyphs off the pixel grid, by character, angle and the pen's fraction of a
    // pixel, so that a watermark drawn again at the same angle costs FreeType nothing; rendered
    // from the same inputs, they are the same pixels. Emptied when it reaches its bound.
    struct TurnedKey {
        unsigned char c;
        double angle, dx, dy;
        auto operator<=>(const TurnedKey&) const = default;
    };
    static constexpr std::size_t kTurnedKept = 2048;
    mutable std::map<TurnedKey, GlyphImage> turned_;  // under the library lock
};

Family familyOf(const LOGFONTA& lf) {
    char name[LF_FACESIZE];
    std::memcpy(name, lf.lfFaceName, LF_FACESIZE);
    name[LF_FACESIZE - 1] = 0;
    for (const Alias& a : kAliases)
        if (strcasecmp(a.name, name) == 0) return a.family;
    return Sans;
}

}  // namespace

void GlyphImage::add(int y, int x0, int x1) {
    if (runs.empty()) left = x0, top = y, right = x1, bottom = y + 1;
    left = std::min(left, x0), right = std::max(right, x1);
    top = std::min(top, y), bottom = std::max(bottom, y + 1);
    runs.push_back({y, x0, x1});
}

std::shared_ptr<const OutlineFont> OpenOutlineFont(const LOGFONTA& lf) {
    Library& lib = library();
    std::lock_guard<std::mutex> hold(lib.lock);
    Family family = familyOf(lf);
    bool bold = lf.lfWeight >= FW_SEMIBOLD, italic = lf.lfItalic != 0;
    FT_Face face = nullptr;
    bool styled = false;
    for (const auto& files : kFiles[family]) {
        int style = (bold ? 1 : 0) | (italic ? 2 : 0);
        if ((face = openFile(lib, lib.root + "/" + files[style]))) {
            styled = true;
            break;
        }
        if ((face = openFile(lib, lib.root + "/" + files[0]))) break;
    }
    if (!face) return nullptr;

    // A positive height is the cell (ascent and descent), a negative one the em; 0 the default.
    double units = face->units_per_EM, cellUnits = face->ascender - face->descender;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)); os2 && os2->usWinAscent)
        cellUnits = os2->usWinAscent + os2->usWinDescent;
    double cell = lf.lfHeight > 0 ? std::fmin(lf.lfHeight, 4000) : lf.lfHeight == 0 ? 13 : 0;
    int emY = lf.lfHeight < 0 ? int(std::fmin(-double(lf.lfHeight), 4000)) : int(std::lround(cell * units / cellUnits));
    emY = std::max(emY, 1);
    int emX = emY;
    double embolden = bold && !styled ? std::max(1.0, emY / 16.0) : 0;
    double slant = italic && !styled ? 0.2 : 0;
    auto key = std::make_tuple(int(family), int(bold), int(italic), int(std::lround(cell)) - emY * 8192,
                              int(std::fmin(lf.lfWidth, 4000)));
    if (auto found = lib.sized.find(key); found != lib.sized.end()) return found->second;
    if (lf.lfWidth > 0) {
        // The width asked for is the average character width: scale the em to match it.
        FreeTypeFont natural(face, emY, emY, 0, embolden, slant);
        int average = std::max(1, natural.metrics().averageWidth);
        emX = std::clamp(int(std::lround(double(emY) * std::fmin(lf.lfWidth, 4000) / average)), 1, 16000);
    }
    if (lib.sized.size() >= 64) lib.sized.clear();
    auto font = std::make_shared<FreeTypeFont>(face, emX, emY, int(std::lround(cell)), embolden, slant);
    lib.sized[key] = font;
    return font;
}

void SetFontDirectory(const char* path) {
    Library& lib = library();
    std::lock_guard<std::mutex> hold(lib.lock);
    lib.root = path ? path : "/usr/share/fonts/truetype";
    lib.sized.clear();
}

}  // namespace gdi
