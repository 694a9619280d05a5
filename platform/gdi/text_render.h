// Drawing text with a Face: glyph pixels become rectangles (upright text) or parallelograms
// (italic or rotated text) placed about the reference point by the DC's alignment flags.
#pragma once

#include "platform/gdi/dc.h"
#include "platform/gdi/font.h"

namespace gdi {

struct TextPlacement {
    int x = 0, y = 0;  // reference point, surface coordinates
    UINT align = TA_LEFT | TA_TOP;
    bool opaque = false;  // fill the text cell with the background colour first
    const INT* dx = nullptr;  // per-character advances, or null
};

// Draws the text and answers its advance width in pixels.
int RenderText(Dc& dc, const Target& t, const Face& face, const TextPlacement& at, const char* text, int count);

// The face of the DC's selected font.
Face FaceOfDc(const Dc& dc);

}  // namespace gdi
