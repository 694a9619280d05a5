// Painting helpers shared by the standard controls (see control_paint.h).
#include "platform/user/control_paint.h"

#include <algorithm>

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

void DrawPlainEntry(HDC dc, const RECT& rect, const std::string& text, bool selected, bool enabled, int tabStop) {
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    COLORREF old = SetTextColor(dc, GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT inset = rect;
    inset.left += 2;
    const size_t tab = tabStop > 0 ? text.find('\t') : std::string::npos;
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (tab == std::string::npos) {
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &inset, format);
    } else {
        RECT first = inset, second = inset;
        first.right = std::min<LONG>(inset.right, inset.left + tabStop - 2);
        second.left = inset.left + tabStop;
        DrawTextA(dc, text.c_str(), static_cast<int>(tab), &first, format);
        DrawTextA(dc, text.c_str() + tab + 1, static_cast<int>(text.size() - tab - 1), &second, format);
    }
    SetTextColor(dc, old);
}

void DrawArrowButton(HDC dc, RECT box, Arrow direction, bool enabled, bool pushed) {
    if (!dc) return;
    if (pushed) {
        FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
        FrameRect(dc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
        OffsetRect(&box, 1, 1);
    } else {
        DrawEdge(dc, &box, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
    }
    int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    int half = std::max<int>(1, std::min<int>(box.right - box.left, box.bottom - box.top) / 4);
    int d = direction == Arrow::Up || direction == Arrow::Left ? -1 : 1;
    POINT tip[3];
    if (direction == Arrow::Up || direction == Arrow::Down) {
        tip[0] = {cx, cy + d * half / 2 + d};
        tip[1] = {cx - half, cy - d * half / 2};
        tip[2] = {cx + half, cy - d * half / 2};
    } else {
        tip[0] = {cx + d * half / 2 + d, cy};
        tip[1] = {cx - d * half / 2, cy - half};
        tip[2] = {cx - d * half / 2, cy + half};
    }
    int color = enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT;
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(color));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(color));
    Polygon(dc, tip, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

std::string TextOf(HWND hwnd) {
    int n = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), n + 1)));
    return text;
}

}  // namespace user
