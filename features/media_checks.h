// Whether a media chosen in the media dialog suits the current settings: each setting that passes
// the sheet through a unit (layout, two-sided, staple, punch, saddle binding) asks the media
// library's test of that unit, in turn; and the pair test of the main paper's media.
#pragma once

#include "model/media_record.h"

#include <cstdint>

// The settings the checks read.
struct MediaCheckSettings {
    uint16_t model = 0;
    uint16_t option110 = 0;  // bit 0: the first layout flag
    uint16_t option124 = 0;  // 2: booklet layout
    uint16_t option130 = 0;  // bit 0: saddle binding
    uint16_t option190 = 0;  // bits 0 two-sided, 0x10 staple, 0x20 punch, 0x80 restricted media
    uint16_t flags = 0;      // the settings' flag word; 0x40 lets any media print two-sided
    uint8_t currentPaper = 0;
};

// True when every condition the settings raise allows the media.
bool MediaSuitsSettings(const MediaCheckSettings& s, const MediaRecord& media);

// The pair test of the main paper's media: non-zero when the model may print the media type with
// the media of its further paper slots. No rule is known to refuse a pair: a model and type the
// table does not name are allowed.
int MediaLibrary_PairTest(uint16_t model, uint16_t mediaType);
