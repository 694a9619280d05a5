// Painting helpers shared by the standard controls (see control_paint.h).
#include "platform/user/control_paint.h"

namespace user {

PaintScope::PaintScope(HWND hwnd) : hwnd_(hwnd) {
    BeginPaint(hwnd, &ps_);
    GetClientRect(hwnd, &client_);
    if (ps_.hdc) {
        if (auto font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0))) oldFont_ = SelectObject(ps_.hdc, font);
        SetBkMode(ps_.hdc, TRANSPARENT);
    }
}

PaintScope::~PaintScope() {
    if (ps_.hdc && oldFont_) SelectObject(ps_.hdc, oldFont_);
    EndPaint(hwnd_, &ps_);
}

HBRUSH ParentBrush(HWND control, HDC dc, UINT message) {
    HWND parent = GetParent(control);
    auto brush = parent ? reinterpret_cast<HBRUSH>(SendMessageA(parent, message, reinterpret_cast<WPARAM>(dc),
                                                                 reinterpret_cast<LPARAM>(control)))
                        : nullptr;
    if (brush) return brush;
    return reinterpret_cast<HBRUSH>(DefWindowProcA(control, message, reinterpret_cast<WPARAM>(dc),
                                                   reinterpret_cast<LPARAM>(control)));
}

void DrawLabel(HDC dc, const std::string& text, RECT rect, UINT format, bool enabled) {
    if (text.empty() || !dc) return;
    if (enabled) {
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
        return;
    }
    COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    RECT shifted = rect;
    OffsetRect(&shifted, 1, 1);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &shifted, format);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    SetTextColor(dc, old);
}

void DrawBitmapAt(HDC dc, HBITMAP bitmap, int x, int y) {
    BITMAP info{};
    if (!dc || !GetObjectA(bitmap, sizeof info, &info)) return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

void DrawPlainEntry(HDC dc, const RECT& rect, const std::string& text, bool selected, bool enabled) {
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    COLORREF old = SetTextColor(dc, GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT inset = rect;
    inset.left += 2;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &inset, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetTextColor(dc, old);
}

std::string TextOf(HWND hwnd) {
    int n = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), n + 1)));
    return text;
}

}  // namespace user
