// The utility tip window: a small popup that previews use for tips they measure and paint
// themselves (several lines, their own font). The window only owns the place; the caller's paint
// procedure draws the caller's text record.
#pragma once

#include <windows.h>

// Draws the text record into the tip's client area.
using TipPaintProc = void (*)(HWND tip, HDC dc, const RECT& client, const void* textRecord);

struct UtilityTipRequest {
    HWND owner;
    int x;  // screen coordinates
    int y;
    int width;
    int height;
    const void* textRecord;  // must live as long as the window
    TipPaintProc paint;
};

// Registers the class on first use, creates the window and shows it without taking the
// activation; null on failure.
HWND CreateUtilityTipWindow(const UtilityTipRequest* request);
// Hides and destroys it.
void DestroyUtilityTipWindow(HWND tip);
