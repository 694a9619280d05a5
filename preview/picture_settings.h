// The records a page picture is drawn from: the sheet and its settings (`PaperPictureSettings`),
// the watermark as the picture draws it (`PictureWatermark`) and the rectangles the drawing
// passes around. They live in memory only, filled by the preview engine from the settings.
#pragma once

#include <windows.h>

#include <cstdint>

// A rectangle as the page picture keeps it: origin and size.
struct PvRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

struct PictureWatermark {
    char text[32];             // not always terminated: at most 32 characters are read
    int32_t horizontalOffset;  // percent of the page, 0 the centre
    int32_t verticalOffset;
    int16_t angleMode;         // 1 along the diagonal, 2 along the other one, else the font's own
    int16_t onTop;             // 0 behind the page content
    int16_t frameStyle;        // 0 none, 1 circle, 2 box
    int16_t firstPageOnly;
    COLORREF colour;
    LOGFONTA font;
    int16_t scaleDivisor;      // 0 reads as 100
};

struct PaperPictureSettings {
    int16_t x, y, width, height;  // the sheet in picture coordinates
    int16_t horizontalScale, verticalScale;  // percent; the smaller is used, 0 counts as 1
    int16_t unused;
    int16_t scaling;       // the user's scaling, percent
    int16_t centre;        // 1: a scaled single page is centred
    int16_t colour;        // nonzero: colour printing
    int16_t booklet;       // 0 none, 2 one page above the other, other values side by side
    int16_t saddleStitch;  // 1: two staples on the fold
    int16_t centreStrip;   // 0 none, 1 vertical, 2 horizontal
    int16_t poster;        // 0 none, 1 to 3: 2 x 2 to 4 x 4
    int16_t sampleSheet;   // 1: nine cells of colour schemes
    int16_t contentDirection;  // quarter turns 0 to 3
    int16_t mirror;        // 1 left-right, 2 top-bottom
    int16_t turn;          // 1 inverts both mirror senses
    int16_t marginEdge, marginWidth;
    int16_t borderKind;    // 0 none, 1 to 10
    int16_t watermark;     // nonzero: draw the watermark
    PictureWatermark* watermarkRecord;  // owned by the drawing set
    int16_t layout;        // n-up code 0 to 9
    int16_t order;         // 0 to 3 for two pages, 4 to 7 for more
    int16_t foldOverEdge, stripWidth;  // 1 top, 2 left, 3 bottom, 4 right
    int16_t foldOverBackPage;
    int16_t staplePosition;  // 1 to 8
    int16_t punchEdge, punchKind;
};
