// The picture of a mixed-paper job: four sheets in a two-by-two grid, drawn one after the other
// through one mixed-paper set. Sheet 1 is the job's own paper, sheets 2 to 4 the device's small,
// medium and large size classes (a class with no size shows the job's paper, so that four sheets
// are always drawn); each sheet has its own page layout, four bits of the mixed-paper layout word
// per sheet. All four are drawn at one scale, so that their sizes compare.
#include "preview/page_picture_previews.h"

#include "core/device/service_table.h"
#include "core/devmode/model_section.h"
#include "preview/mixed_paper_drawing_set.h"

#include <algorithm>

namespace {

constexpr int kSheets = 4;
// The width and length words of the size classes in the private section, small, medium, large.
constexpr size_t kClassSizes[kSheets - 1][2] = {{1175, 1177}, {1171, 1173}, {1179, 1181}};
constexpr int kCellMargin = 10;

}  // namespace

void BasicPreview::DrawMixedPaper(HDC dc) {
    uint16_t output[2] = {};
    devData_->svc->GetOption(devData_, settings_, 119, output, sizeof output);
    int sizes[kSheets][2] = {{output[0], output[1]}};
    for (int n = 1; n < kSheets; ++n) {
        uint16_t w = 0, l = 0;
        const bool set = PrivateU16(kClassSizes[n - 1][0], w) && PrivateU16(kClassSizes[n - 1][1], l) &&
                         static_cast<int16_t>(w) > 0 && static_cast<int16_t>(l) > 0;
        sizes[n][0] = set ? w : output[0];
        sizes[n][1] = set ? l : output[1];
    }
    int widest = 1, longest = 1;
    for (const auto& s : sizes) {
        widest = std::max(widest, s[0]);
        longest = std::max(longest, s[1]);
    }
    const bool landscape = PublicWord(offsetof(DEVMODEA, dmOrientation)) == DMORIENT_LANDSCAPE;
    const int top = (drawFlags_ & kModeStrip) ? Word(kModeStripHeight) : 0;
    const int cellW = Word(kLayerAreaWidth) / 2, cellH = (Word(kLayerAreaBottom) - top) / 2;
    // Across and down as the sheets stand in the picture.
    const int roomAcross = (landscape ? cellH : cellW) - kCellMargin, roomDown = (landscape ? cellW : cellH) - kCellMargin;
    // Pictures pixels per 0.1 mm as a fraction num / den, the smaller of the two fits.
    long long num = roomAcross, den = widest;
    if (static_cast<long long>(roomDown) * den < num * longest) {
        num = roomDown;
        den = longest;
    }
    if (num <= 0) return;

    uint32_t layouts = 0;
    PrivateU32(devmode::model::kMixedPaperLayoutA, layouts);
    PvMixedPaperDrawingSet* set = nullptr;
    try {
        set = new PvMixedPaperDrawingSet(control_, &geometry_, palette_);
    } catch (...) {
        return;  // the pool refused: the picture stays empty
    }
    for (int n = 0; n < kSheets; ++n) {
        ReadSettings(set);
        PaperPictureSettings& s = set->Settings();
        int w = std::max(1, static_cast<int>(sizes[n][0] * num / den));
        int h = std::max(1, static_cast<int>(sizes[n][1] * num / den));
        if (landscape) std::swap(w, h);
        const int cellX = (n % 2) * cellW, cellY = top + (n / 2) * cellH;
        s.x = static_cast<int16_t>(cellX + (cellW - w) / 2);
        s.y = static_cast<int16_t>(cellY + (cellH - h) / 2);
        s.width = static_cast<int16_t>(w);
        s.height = static_cast<int16_t>(h);
        const int layout = static_cast<int>((layouts >> (4 * n)) & 0xF);
        s.layout = static_cast<int16_t>(layout <= 9 ? layout : 0);
        s.booklet = s.poster = s.sampleSheet = s.centreStrip = 0;
        s.marginEdge = s.marginWidth = s.order = 0;
        s.foldOverEdge = s.stripWidth = s.foldOverBackPage = 0;
        s.watermark = 0;
        s.borderKind = 0;
        set->DrawPicture(devData_, dc);
    }
    delete set;
}
