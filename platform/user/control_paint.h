// What every standard control does to paint itself in the classic look: a painting scope over
// BeginPaint with the control's font selected, the background brush its parent chooses with
// WM_CTLCOLOR*, and text drawn greyed when the control is disabled.
#pragma once

#include <windows.h>

#include <string>

namespace user {

class PaintScope {
public:
    explicit PaintScope(HWND hwnd);
    ~PaintScope();
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC dc() const { return ps_.hdc; }
    const RECT& client() const { return client_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    RECT client_{};
    HGDIOBJ oldFont_ = nullptr;
};

// The brush the parent gives for this control (WM_CTLCOLORSTATIC, WM_CTLCOLORBTN...), which also
// sets the DC's colours; the system's default when the parent gives none.
HBRUSH ParentBrush(HWND control, HDC dc, UINT ctlColorMessage);

// Text in the control's colours, or greyed (embossed) when disabled.
void DrawLabel(HDC dc, const std::string& text, RECT rect, UINT format, bool enabled);

// A bitmap at its own size with its top left corner at (x, y).
void DrawBitmapAt(HDC dc, HBITMAP bitmap, int x, int y);

// One entry of a list drawn by the control itself: highlighted when selected, text inset.
// With a tab stop (pixels from the entry's text start), the text after a tab starts there.
void DrawPlainEntry(HDC dc, const RECT& rect, const std::string& text, bool selected, bool enabled, int tabStop = 0);

// A square button with a filled triangle pointing one way, as scroll bars and spin controls have:
// raised, or flat and pushed in while pressed; the triangle greyed when disabled.
enum class Arrow { Up, Down, Left, Right };
void DrawArrowButton(HDC dc, RECT box, Arrow direction, bool enabled, bool pushed = false);

// The window's text as WM_GETTEXT gives it.
std::string TextOf(HWND hwnd);

}  // namespace user
