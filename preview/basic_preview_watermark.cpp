// The watermark of the page picture: the stamp options of the settings (text, colour, position,
// frame, placement, font and angle) turned into the drawing set's watermark record, made once per
// set and kept with it; without the stamp switch the set keeps no record.
#include "preview/basic_preview.h"

#include "core/device/service_table.h"
#include "core/helpers/byte_view.h"
#include "core/memory/chunk_pool.h"
#include "preview/paper_drawing_set.h"

#include <cstring>

namespace {

// The font description of the stamp: height, escapement and weight as 32-bit numbers, then the
// face name.
constexpr size_t kFontDescriptionSize = 48;
constexpr size_t kFaceOffset = 12;
constexpr size_t kFaceSize = 32;
constexpr int kFullLength = 2970;  // the length the stamp's size is given for: A3, in 0.1 mm

// The angle of the stamp in tenths of a degree, as the font's escapement: a turn counted the other
// way round, kept within one turn.
LONG Escapement(int angle) { return -(((-360 - angle / 10) * 10) % 3600); }

}  // namespace

void CmBasicPreview::ReadWatermark(CmPvPaperDrawingSet* set) {
    PaperPictureSettings& s = set->Settings();
    const uint32_t flags = static_cast<uint32_t>(Option32(150));
    if (!(flags & 1)) {
        s.watermark = 0;
        set->SetWatermark(nullptr);
        return;
    }
    PictureWatermark* mark = s.watermarkRecord;
    if (!mark) {
        mark = static_cast<PictureWatermark*>(g_chunkPool.Alloc(sizeof(PictureWatermark)));
        set->SetWatermark(mark);
    }
    std::memset(mark, 0, sizeof *mark);
    s.watermark = 1;

    devData_->svc->GetOption(devData_, settings_, 155, mark->text, sizeof mark->text);
    mark->colour = static_cast<COLORREF>(Option32(157));
    int16_t position[2] = {};
    devData_->svc->GetOption(devData_, settings_, 158, position, sizeof position);
    mark->horizontalOffset = position[0];
    mark->verticalOffset = position[1];
    mark->frameStyle = (flags & 0x80) ? 1 : (flags & 0x100) ? 2 : 0;
    mark->onTop = (flags & 0x08) ? 1 : 0;
    mark->angleMode = (flags & 0x20) ? ((flags & 0x40) ? 1 : 2) : 0;
    mark->firstPageOnly = (flags & 0x400) ? 1 : 0;
    uint16_t output[2] = {};
    devData_->svc->GetOption(devData_, settings_, 119, output, sizeof output);
    // A sheet shorter than 30 would give 0, which the drawing divides by.
    const int scale = output[1] * 100 / kFullLength;
    mark->scaleDivisor = static_cast<int16_t>(scale > 0 ? scale : 100);

    uint8_t description[kFontDescriptionSize] = {};
    devData_->svc->GetOption(devData_, settings_, 156, description, sizeof description);
    const ByteView font(description, sizeof description);
    int32_t height = 0, weight = 0;
    font.s32(0, height);
    font.s32(8, weight);
    LOGFONTA& lf = mark->font;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfEscapement = lf.lfOrientation = Escapement(Option16(159));
    lf.lfCharSet = DEFAULT_CHARSET;
    std::memcpy(lf.lfFaceName, description + kFaceOffset, kFaceSize - 1);
    lf.lfFaceName[kFaceSize - 1] = '\0';
}
