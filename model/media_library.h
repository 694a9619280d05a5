// The media-library tests: whether a media may be used with a finishing or layout choice,
// judged on the media record's size class (word 8), media type (word 6) and source class
// (word 4). The rules are a table; a case no rule names is allowed.
#pragma once

#include <cstdint>

enum MediaLibraryOperation : int {
    kMediaOpLayout = 2,    // booklet layout or the first layout flag
    kMediaOpDuplex = 4,    // two-sided printing
    kMediaOpStaple = 6,
    kMediaOpPunch = 7,
    kMediaOpBooklet = 8,   // saddle binding
};

// Non-zero when the media may be used for the operation on the model.
int MediaLibrary_Dispatch(int operation, uint16_t model, uint16_t sizeClass, uint16_t mediaType, uint16_t sourceClass);
