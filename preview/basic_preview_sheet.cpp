// Where the sheet stands in the picture and what the page picture is drawn from: the drawn sheet
// size by the paper's length between the printer's shortest and longest papers, the orientation
// the layout gives the sheet, and the settings block of the paper drawing set.
#include "preview/basic_preview.h"

#include "core/device/service_table.h"
#include "core/device/table_cursor_papers.h"
#include "core/device/table_cursor_ref.h"
#include "preview/paper_drawing_set.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr int kDefaultSheetWidth = 88;
constexpr int kDefaultSheetHeight = 115;
constexpr int kTablePapers = 0;

// The layout gives the sheet its long side across: booklets, and two pages (or four or more
// turned) on one sheet.
bool LayoutTurnsSheet(int layout, int pagesCode) {
    return layout == 2 || (layout == 3 && (pagesCode == 0 || pagesCode == 2 || pagesCode == 3));
}

}  // namespace

void CmBasicPreview::PaperLengthLimits(int* largest, int* smallest) {
    if (largestLength_ < 0) {
        int high = 0, low = 0;
        TableCursorRef<PaperCursor> papers(devData_, kTablePapers);
        if (papers) {
            for (int more = papers->First(); more; more = papers->Next()) {
                if (papers->IsCustom(1)) continue;
                uint32_t size[2] = {};
                if (!papers->GetFormSize(size, nullptr) || size[1] == 0) continue;
                const int length = static_cast<int>(std::min<uint32_t>(size[1], 0x7FFFFFFF));
                high = std::max(high, length);
                low = low == 0 ? length : std::min(low, length);
            }
        }
        largestLength_ = high;
        smallestLength_ = low;
    }
    *largest = largestLength_;
    *smallest = smallestLength_;
}

void CmBasicPreview::MapValueToPosition(int largest, int smallest, int* width, int* height) {
    uint16_t size[2] = {};
    devData_->svc->GetOption(devData_, settings_, 119, size, sizeof size);
    const int w = size[0], l = size[1];
    int sheetW = kDefaultSheetWidth, sheetH = kDefaultSheetHeight;
    if (w != 0 && l != 0) {
        const int longMax = Word(kSheetLongMax), longMin = Word(kSheetLongMin);
        const int steps = longMax - longMin;
        const int span = largest - smallest;
        const int step = steps > 0 ? span / steps : 0;
        // The quotients become 0 for close limits or a short paper; the product form then keeps
        // the same proportion without dividing by them.
        if (step != 0) {
            sheetH = (l - smallest) / step + longMin;
        } else if (span > 0 && steps > 0) {
            sheetH = longMin + static_cast<int>(static_cast<long long>(l - smallest) * steps / span);
        } else {
            sheetH = longMax;
        }
        sheetH = std::clamp(sheetH, 1, std::max(1, longMax));
        const int ratio = l / sheetH;
        sheetW = ratio != 0 ? w / ratio : static_cast<int>(static_cast<long long>(w) * sheetH / l);
        sheetW = std::clamp(sheetW, 1, std::max(1, longMax));
    }
    if (LayoutTurnsSheet(Option16(124), Option16(126))) {
        const int longer = std::max(sheetW, sheetH), shorter = std::min(sheetW, sheetH);
        sheetW = longer;
        sheetH = shorter;
    }
    if (PublicWord(offsetof(DEVMODEA, dmOrientation)) == DMORIENT_LANDSCAPE) std::swap(sheetW, sheetH);
    *width = sheetW;
    *height = sheetH;
}

int CmBasicPreview::EffectiveOrientation(int layout, int pagesCode, int orientation) {
    if (LayoutTurnsSheet(layout, pagesCode)) return orientation == 1 ? 2 : 1;
    return orientation;
}

void CmBasicPreview::GetSheetRect(RECT* rect) {
    int largest = 0, smallest = 0, width = 0, height = 0;
    PaperLengthLimits(&largest, &smallest);
    MapValueToPosition(largest, smallest, &width, &height);
    const int left = (Word(kLayerAreaWidth) - width) / 2;
    int top = (Word(kLayerAreaBottom) - height) / 2;
    if (drawFlags_ & kModeStrip) top += Word(kModeStripHeight) / 2;
    *rect = {left, top, left + width, top + height};
}

int CmBasicPreview::MapSetting112(int paper) {
    switch (paper) {
    case 1: return 3;    // letter: tabloid
    case 6: return 1;    // statement: letter
    case 9: return 8;    // A4: A3
    case 11: return 9;   // A5: A4
    case 13: return 12;  // B5: B4
    default: return 0;
    }
}

void CmBasicPreview::ReadSettings(CmPvPaperDrawingSet* set) {
    PaperPictureSettings& s = set->Settings();
    RECT sheet{};
    GetSheetRect(&sheet);
    s.x = static_cast<int16_t>(sheet.left);
    s.y = static_cast<int16_t>(sheet.top);
    s.width = static_cast<int16_t>(sheet.right - sheet.left);
    s.height = static_cast<int16_t>(sheet.bottom - sheet.top);

    uint16_t output[2] = {}, source[2] = {};
    devData_->svc->GetOption(devData_, settings_, 119, output, sizeof output);
    devData_->svc->GetOption(devData_, settings_, 114, source, sizeof source);
    s.horizontalScale = static_cast<int16_t>(source[0] ? output[0] * 100 / source[0] : 100);
    s.verticalScale = static_cast<int16_t>(source[1] ? output[1] * 100 / source[1] : 100);
    const int layout = Option16(124);
    const int32_t flags = Option32(110);
    const int32_t finishing = Option32(190);
    const int pagesCode = Option16(126);
    const int orientation = PublicWord(offsetof(DEVMODEA, dmOrientation));
    const int o = EffectiveOrientation(layout, pagesCode, orientation);
    s.unused = layout == 1 ? 1 : 0;
    s.scaling = static_cast<int16_t>(Option16(125, 100));
    s.centre = 0;
    const int colour = Option16(222);
    s.colour = colour == 1 || colour == 2 ? 1 : 0;
    s.booklet = layout == 2 ? (s.width > s.height ? 1 : 2) : 0;
    if (layout == 2) s.saddleStitch = static_cast<int16_t>(Option32(130) & 1);
    if (layout == 5) {
        const int poster = Option16(128);
        s.poster = static_cast<int16_t>(poster >= 0 && poster <= 2 ? poster + 1 : 0);
    }
    s.sampleSheet = layout == 4 ? 1 : 0;
    s.contentDirection = 0;
    s.mirror = s.turn = 0;
    if (layout == 2 || layout == 5) {
        s.marginEdge = 0;
        s.marginWidth = 0;
    } else {
        switch (Option16(121)) {
        case 0: s.marginEdge = o == 1 ? 1 : 2; break;
        case 1: s.marginEdge = o == 1 ? 3 : 4; break;
        case 2: s.marginEdge = o == 1 ? 2 : 3; break;
        case 3: s.marginEdge = o == 1 ? 4 : 1; break;
        default: s.marginEdge = 0; break;
        }
        s.marginWidth = 3;
    }
    const int border = Option16(140);
    s.borderKind = static_cast<int16_t>(border >= 1 && border <= 11 ? border - 1 : 0);
    s.layout = 0;
    if (layout == 3) {
        switch (pagesCode) {
        case 0: s.layout = orientation == 1 ? 1 : 2; break;
        case 1: s.layout = 3; break;
        case 2: s.layout = orientation == 1 ? 4 : 5; break;
        case 3: s.layout = orientation == 1 ? 6 : 7; break;
        case 4: s.layout = 8; break;
        case 5: s.layout = 9; break;
        default: break;
        }
    }
    s.order = 0;
    if ((flags & 1) && layout != 2) {
        static const int16_t kFoldEdge[5] = {0, 4, 3, 2, 1};
        s.foldOverEdge = s.marginEdge >= 1 && s.marginEdge <= 4 ? kFoldEdge[s.marginEdge] : 0;
        s.stripWidth = 20;
        s.foldOverBackPage = 1;
    } else {
        s.foldOverEdge = s.stripWidth = s.foldOverBackPage = 0;
    }
    s.staplePosition = 0;
    if (finishing & 0x10) {
        static const int16_t kTableA[9] = {1, 6, 3, 5, 0, 7, 2, 8, 4};
        static const int16_t kTableB[9] = {3, 7, 4, 6, 0, 8, 1, 5, 2};
        bool useA = orientation == 1;
        if (LayoutTurnsSheet(layout, pagesCode) && layout == 3) useA = !useA;
        const int code = Option16(191);
        if (code >= 9 && code <= 17) s.staplePosition = (useA ? kTableA : kTableB)[code - 9];
    }
    s.punchEdge = 0;
    s.punchKind = 2;
    if (finishing & 0x20) {
        switch (Option16(193)) {
        case 0: s.punchEdge = o == 1 ? 2 : 1; break;
        case 1: s.punchEdge = o == 1 ? 4 : 3; break;
        case 2: s.punchEdge = o == 1 ? 1 : 4; break;
        case 3: s.punchEdge = o == 1 ? 3 : 2; break;
        default: break;
        }
        GetPunchHoleKind(&s.punchKind);
    }
    ReadWatermark(set);
}
