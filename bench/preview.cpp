// Page pictures as the preview repaints them on every setting change: a typical single page, and
// the worst case (16 numbered cells with borders, a watermark turned along the diagonal drawn
// twice per cell, and a strip folded over with the back pages drawn a second time).
#include "preview/paper_drawing_set.h"

#include "core/memory/chunk_pool.h"
#include "drvtest/fixture_device.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

struct Picture {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(180, 220, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    ~Picture() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

void Compose(benchmark::State& state, bool worst) {
    drvtest::FixtureDevice fixture(kKindUserInterface);
    Picture picture;
    PreviewGeometry geometry = {};
    geometry.values[6] = 180;
    geometry.values[7] = 220;
    for (auto _ : state) {
        CmPvPaperDrawingSet drawing(nullptr, &geometry);
        PaperPictureSettings& s = drawing.Settings();
        s.x = 20;
        s.y = 20;
        s.width = 120;
        s.height = 160;
        s.horizontalScale = s.verticalScale = s.scaling = 100;
        if (worst) {
            s.layout = 9;
            s.order = 4;
            s.borderKind = 9;
            s.colour = 1;
            s.watermark = 1;
            s.foldOverEdge = 4;
            s.stripWidth = 40;
            s.foldOverBackPage = 1;
            auto* mark = static_cast<PictureWatermark*>(g_chunkPool.Alloc(sizeof(PictureWatermark)));
            std::memset(mark, 0, sizeof *mark);
            std::memcpy(mark->text, "CONFIDENTIAL", 12);
            mark->angleMode = 1;
            mark->frameStyle = 1;
            mark->colour = RGB(255, 0, 0);
            mark->font.lfHeight = -400;
            mark->scaleDivisor = 100;
            drawing.SetWatermark(mark);
        }
        drawing.DrawPicture(fixture.Device(), picture.dc);
    }
}

void TypicalPage(benchmark::State& state) { Compose(state, false); }
void WorstPage(benchmark::State& state) { Compose(state, true); }

BENCHMARK(TypicalPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(WorstPage)->Unit(benchmark::kMicrosecond);

}  // namespace
