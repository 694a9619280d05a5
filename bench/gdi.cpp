// The painter against two reference libraries on one 1024 x 768 32-bit picture: fills, inverts
// and blits through our GDI and through pixman, text through our GDI and through cairo (same font
// file, same sizes). Before timing, every fill and blit is drawn once both ways and the pixels
// are compared; after the runs a table gives both times, the ratio and the ratio aimed at
// (run with --benchmark_repetitions=5 on a busy machine: the table takes each side's best).
#include <windows.h>

#include <benchmark/benchmark.h>
#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <pixman.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr COLORREF kFill = RGB(0x20, 0x80, 0xC0), kHatch = RGB(0x00, 0x80, 0x00);
constexpr const char* kFontFile = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";

std::uint32_t sourcePixel(int x, int y) { return std::uint32_t((x * 7) ^ (y * 13) ^ (x * y)) & 0xFFFFFF; }

// Our picture: a top-down DIB section in a memory DC, so its pixels can be read directly.
struct OurPicture {
    HDC dc = CreateCompatibleDC(nullptr);
    std::uint32_t* bits = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    OurPicture() {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* memory = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = static_cast<std::uint32_t*>(memory);
        old = SelectObject(dc, bitmap);
        reset();
    }
    ~OurPicture() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    void reset(bool pattern = false) {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) bits[y * kWidth + x] = pattern ? sourcePixel(x, y) : 0xFFFFFF;
    }
};

// The same picture for pixman and cairo: x8r8g8b8 in a buffer of our own.
struct RefPicture {
    std::vector<std::uint32_t> bits = std::vector<std::uint32_t>(std::size_t(kWidth) * kHeight, 0xFFFFFF);
    pixman_image_t* image = pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, bits.data(), kWidth * 4);
    RefPicture() = default;
    RefPicture(const RefPicture&) = delete;
    RefPicture& operator=(const RefPicture&) = delete;
    explicit RefPicture(bool pattern) {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) bits[std::size_t(y) * kWidth + x] = pattern ? sourcePixel(x, y) : 0xFFFFFF;
    }
    ~RefPicture() { pixman_image_unref(image); }
};

pixman_color_t colorOf(COLORREF c) {
    auto wide = [](int v) { return std::uint16_t(v * 0x101); };
    return {wide(GetRValue(c)), wide(GetGValue(c)), wide(GetBValue(c)), 0xFFFF};
}

// One operation of the table, drawn both ways.
struct Operation {
    const char* name;
    const char* reference;  // "pixman" or "cairo"
    double target;          // the ratio aimed at
    std::function<void(OurPicture&)> ours;
    std::function<void(RefPicture&)> theirs;
    // Where the reference's timed call cannot give our pixels, the call that does, for the check.
    std::function<void(RefPicture&)> equivalent = nullptr;
};

// The resources each side keeps across iterations, made once.
struct Tools {
    HBRUSH fill = CreateSolidBrush(kFill);
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, kHatch);
    OurPicture source;
    RefPicture refSource{true};
    pixman_image_t* whiteImage = nullptr;
    pixman_image_t* fillImage = nullptr;
    pixman_image_t* hatchImage = nullptr;
    std::uint32_t hatchBits[64];
    Tools() {
        source.reset(true);
        pixman_color_t w = colorOf(RGB(255, 255, 255));
        whiteImage = pixman_image_create_solid_fill(&w);
        pixman_color_t f = colorOf(kFill);
        fillImage = pixman_image_create_solid_fill(&f);
        // The 8 x 8 cell of the diagonal cross hatch on its white background.
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                hatchBits[y * 8 + x] = (x == y || x + y == 7) ? 0x008000 : 0xFFFFFF;
        hatchImage = pixman_image_create_bits(PIXMAN_x8r8g8b8, 8, 8, hatchBits, 32);
        pixman_image_set_repeat(hatchImage, PIXMAN_REPEAT_NORMAL);
    }
    ~Tools() {
        for (HGDIOBJ o : {HGDIOBJ(fill), HGDIOBJ(white), HGDIOBJ(hatch)}) DeleteObject(o);
        pixman_image_unref(whiteImage);
        pixman_image_unref(fillImage);
        pixman_image_unref(hatchImage);
    }
};

Tools& tools() {
    static Tools* t = new Tools;
    return *t;
}

// Text: the same lines through TextOutA and through cairo with the same font file.
struct TextRun {
    int size;
    int perLine;
    bool antialias;

    const std::vector<std::string>& lines() const {
        static std::map<int, std::vector<std::string>> made;
        std::vector<std::string>& out = made[size];
        if (!out.empty()) return out;
        const std::string words = "Letter 8.5 x 11 in, 2 copies, collated; A4 duplex 600 dpi. Quick brown fox jumps! ";
        for (int done = 0, k = 0; done < 1000; done += perLine, ++k) {
            std::string line;
            for (int i = 0; i < perLine && done + i < 1000; ++i) line += words[std::size_t(k * 7 + i) % words.size()];
            out.push_back(line);
        }
        return out;
    }
    // Line k's top left: one column of long lines, or two of short ones, down the picture and
    // over again from the top, so every glyph lands inside it.
    POINT at(int k) const {
        int columns = perLine < 50 ? 2 : 1;
        return {4 + (k % columns) * (kWidth / 2 - 10), (k / columns * size) % (kHeight - 2 * size)};
    }
};

void ourText(OurPicture& p, const TextRun& run) {
    static std::map<int, HFONT> fonts;
    HFONT& font = fonts[run.size];
    if (!font) font = CreateFontA(-run.size, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ old = SelectObject(p.dc, font);
    SetBkMode(p.dc, TRANSPARENT);
    SetTextColor(p.dc, RGB(0, 0, 0));
    const auto& lines = run.lines();
    for (std::size_t k = 0; k < lines.size(); ++k) {
        POINT at = run.at(int(k));
        TextOutA(p.dc, at.x, at.y, lines[k].c_str(), int(lines[k].size()));
    }
    SelectObject(p.dc, old);
}

void cairoText(RefPicture& p, const TextRun& run) {
    static FT_Library library = [] {
        FT_Library l = nullptr;
        FT_Init_FreeType(&l);
        return l;
    }();
    static FT_Face face = [] {
        FT_Face f = nullptr;
        if (FT_New_Face(library, kFontFile, 0, &f)) f = nullptr;
        return f;
    }();
    static cairo_font_face_t* cairoFace = cairo_ft_font_face_create_for_ft_face(face, 0);
    cairo_surface_t* surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(p.bits.data()),
                                                                   CAIRO_FORMAT_RGB24, kWidth, kHeight, kWidth * 4);
    cairo_t* cr = cairo_create(surface);
    cairo_set_font_face(cr, cairoFace);
    cairo_set_font_size(cr, run.size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, run.antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
    cairo_set_font_options(cr, options);
    cairo_set_source_rgb(cr, 0, 0, 0);
    const auto& lines = run.lines();
    for (std::size_t k = 0; k < lines.size(); ++k) {
        POINT at = run.at(int(k));
        cairo_move_to(cr, at.x, at.y + run.size);
        cairo_show_text(cr, lines[k].c_str());
    }
    cairo_font_options_destroy(options);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

std::vector<Operation> operations() {
    Tools& k = tools();
    auto tiles = [](int size, auto&& f) {
        for (int y = 0; y + size <= kHeight; y += size)
            for (int x = 0; x + size <= kWidth; x += size) f(x, y);
    };
    auto fillRects = [](RefPicture& p, COLORREF c, int x, int y, int w, int h) {
        pixman_color_t color = colorOf(c);
        pixman_rectangle16_t r{std::int16_t(x), std::int16_t(y), std::uint16_t(w), std::uint16_t(h)};
        pixman_image_fill_rectangles(PIXMAN_OP_SRC, p.image, &color, 1, &r);
    };
    return {
        {"FillRect 16 x 16, 3,072 times", "pixman", 1.5,
         [&k, tiles](OurPicture& p) {
             tiles(16, [&](int x, int y) {
                 RECT r{x, y, x + 16, y + 16};
                 FillRect(p.dc, &r, k.fill);
             });
         },
         [fillRects, tiles](RefPicture& p) { tiles(16, [&](int x, int y) { fillRects(p, kFill, x, y, 16, 16); }); }},
        {"FillRect, whole picture", "pixman", 1.5,
         [&k](OurPicture& p) {
             RECT all{0, 0, kWidth, kHeight};
             FillRect(p.dc, &all, k.fill);
         },
         [fillRects](RefPicture& p) { fillRects(p, kFill, 0, 0, kWidth, kHeight); }},
        {"BitBlt SRCCOPY 256 x 256, 12 times", "pixman", 1.5,
         [&k, tiles](OurPicture& p) {
             tiles(256, [&](int x, int y) { BitBlt(p.dc, x, y, 256, 256, k.source.dc, x, y, SRCCOPY); });
         },
         [&k, tiles](RefPicture& p) {
             tiles(256, [&](int x, int y) {
                 pixman_image_composite32(PIXMAN_OP_SRC, k.refSource.image, nullptr, p.image, x, y, 0, 0, x, y, 256, 256);
             });
         }},
        {"PatBlt PATCOPY solid, whole picture", "pixman", 1.5,
         [&k](OurPicture& p) {
             HGDIOBJ old = SelectObject(p.dc, k.fill);
             PatBlt(p.dc, 0, 0, kWidth, kHeight, PATCOPY);
             SelectObject(p.dc, old);
         },
         [fillRects](RefPicture& p) { fillRects(p, kFill, 0, 0, kWidth, kHeight); }},
        // pixman has no bitwise XOR. Its read-modify-write of a solid colour over a picture is the
        // saturating add, which is timed; inverting with white is the difference from white, which
        // gives our pixels but takes pixman's slow general path, so it serves the check only.
        {"PatBlt PATINVERT, whole picture", "pixman", 1.5,
         [&k](OurPicture& p) {
             HGDIOBJ old = SelectObject(p.dc, k.white);
             PatBlt(p.dc, 0, 0, kWidth, kHeight, PATINVERT);
             SelectObject(p.dc, old);
         },
         [&k](RefPicture& p) {
             pixman_image_composite32(PIXMAN_OP_ADD, k.fillImage, nullptr, p.image, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
         },
         [&k](RefPicture& p) {
             pixman_image_composite32(PIXMAN_OP_DIFFERENCE, k.whiteImage, nullptr, p.image, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
         }},
        {"PatBlt hatch brush 256 x 256, 12 times", "pixman", 1.5,
         [&k, tiles](OurPicture& p) {
             HGDIOBJ old = SelectObject(p.dc, k.hatch);
             SetBkMode(p.dc, OPAQUE);
             SetBkColor(p.dc, RGB(255, 255, 255));
             tiles(256, [&](int x, int y) { PatBlt(p.dc, x, y, 256, 256, PATCOPY); });
             SelectObject(p.dc, old);
         },
         [&k, tiles](RefPicture& p) {
             tiles(256, [&](int x, int y) {
                 pixman_image_composite32(PIXMAN_OP_SRC, k.hatchImage, nullptr, p.image, x, y, 0, 0, x, y, 256, 256);
             });
         }},
        {"TextOutA, 1,000 glyphs at 13 px (cairo: no anti-aliasing)", "cairo", 2.0,
         [](OurPicture& p) { ourText(p, {13, 100, false}); }, [](RefPicture& p) { cairoText(p, {13, 100, false}); }},
        {"TextOutA, 1,000 glyphs at 48 px", "cairo", 2.0, [](OurPicture& p) { ourText(p, {48, 20, true}); },
         [](RefPicture& p) { cairoText(p, {48, 20, true}); }},
    };
}

// Fills and blits must give the reference's pixels, or the comparison means nothing.
std::string comparePixels(const Operation& op) {
    if (std::strcmp(op.reference, "pixman") != 0) return "not compared";
    OurPicture ours;
    ours.reset(true);
    RefPicture fresh(true);
    op.ours(ours);
    (op.equivalent ? op.equivalent : op.theirs)(fresh);
    long differ = 0;
    for (std::size_t i = 0; i < fresh.bits.size(); ++i) differ += (ours.bits[i] & 0xFFFFFF) != (fresh.bits[i] & 0xFFFFFF);
    return differ ? std::to_string(differ) + " pixels differ" : "identical";
}

// Keeps each case's best time per iteration (of its repetitions, when --benchmark_repetitions asks
// for several: the best is the least disturbed on a busy machine) for the table at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;  // microseconds
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.error_occurred || r.run_type != Run::RT_Iteration) continue;
            auto [at, added] = times.emplace(r.run_name.function_name, r.GetAdjustedRealTime());
            if (!added) at->second = std::min(at->second, r.GetAdjustedRealTime());
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::vector<Operation> ops = operations();
    std::vector<std::string> pixels;
    for (const Operation& op : ops) {
        pixels.push_back(comparePixels(op));
        benchmark::RegisterBenchmark((std::string(op.name) + "/ours").c_str(), [&op](benchmark::State& state) {
            OurPicture p;
            for (auto _ : state) op.ours(p);
        })->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string(op.name) + "/" + op.reference).c_str(), [&op](benchmark::State& state) {
            RefPicture p;
            for (auto _ : state) op.theirs(p);
        })->Unit(benchmark::kMicrosecond);
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-58s %10s %12s %7s %7s  %s\n", "operation", "ours us", "reference us", "ratio", "target", "pixels");
    for (std::size_t i = 0; i < ops.size(); ++i) {
        auto o = reporter.times.find(std::string(ops[i].name) + "/ours");
        auto r = reporter.times.find(std::string(ops[i].name) + "/" + ops[i].reference);
        if (o == reporter.times.end() || r == reporter.times.end()) continue;
        double ratio = o->second / r->second;
        std::printf("%-58s %10.1f %12.1f %6.2fx %6.1fx  %s, %s%s\n", ops[i].name, o->second, r->second, ratio,
                    ops[i].target, ops[i].reference, pixels[i].c_str(), ratio > ops[i].target ? "  ** over target" : "");
    }
    benchmark::Shutdown();
    return 0;
}
