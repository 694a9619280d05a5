// The "ScrollBar" class: a range, a page and a position, set by the program (SBM_ messages) and
// asked to change by a person. As on the original, a click or a key never moves the bar itself: it
// reports WM_HSCROLL or WM_VSCROLL with an SB_ code to the parent, which sets the new position;
// only a dragged thumb follows the pointer while the drag lasts (SB_THUMBTRACK, SB_THUMBPOSITION).
#include "platform/user/control_paint.h"
#include "platform/user/control_state.h"
#include "platform/user/controls.h"

#include <algorithm>
#include <limits>

namespace user {
namespace {

constexpr int kMinThumb = 8;  // pixels: a thumb never shrinks below what a pointer can grab

struct ScrollBarState {
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    bool tracking = false;
    int grabOffset = 0;  // where along the thumb the pointer took it
    UINT disabledArrows = ESB_ENABLE_BOTH;
    bool keyScrolled = false;
};

ScrollBarState& state(HWND hwnd) { return *StateOf<ScrollBarState>(hwnd); }
bool vertical(HWND hwnd) { return (StyleOf(hwnd) & SBS_VERT) != 0; }
bool sizeBox(HWND hwnd) { return (StyleOf(hwnd) & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0; }

// The highest position a person can reach: the last page ends at the range's end.
int highest(const ScrollBarState& s) {
    long long reach = static_cast<long long>(s.max) - std::max<long long>(static_cast<long long>(s.page) - 1, 0);
    return static_cast<int>(std::max<long long>(reach, s.min));
}

// Positions are counted from the range's start in 64 bits: a range may span every int.
long long stepsOf(const ScrollBarState& s) { return static_cast<long long>(highest(s)) - s.min; }

int clampPos(const ScrollBarState& s, int v) { return std::max(s.min, std::min(highest(s), v)); }

// Lengths along the bar: the whole bar, each arrow button, the track between them and the thumb.
struct Layout {
    int length;
    int arrow;
    int thumb;
    int thumbStart;  // from the bar's start, for a given position
};

Layout layoutFor(HWND hwnd, int pos) {
    RECT c;
    GetClientRect(hwnd, &c);
    bool v = vertical(hwnd);
    int length = v ? c.bottom : c.right;
    int thickness = v ? c.right : c.bottom;
    int arrow = std::min(thickness, length / 2);
    int track = length - 2 * arrow;
    const ScrollBarState& s = state(hwnd);
    long long span = static_cast<long long>(s.max) - s.min + 1;
    int thumb = s.page == 0 || span <= 0 ? thickness
                                         : static_cast<int>(std::min<long long>(track, track * static_cast<long long>(s.page) / span));
    thumb = std::max(thumb, std::min(kMinThumb, track));
    int travel = track - thumb;
    long long steps = stepsOf(s);
    int start = arrow + (steps > 0 ? static_cast<int>((static_cast<long long>(pos) - s.min) * travel / steps) : 0);
    return {length, arrow, thumb, start};
}

// Whether the thumb can be shown: a track long enough and a range to move over.
bool thumbShown(HWND hwnd, const Layout& l) {
    const ScrollBarState& s = state(hwnd);
    return IsWindowEnabled(hwnd) && stepsOf(s) > 0 && l.length - 2 * l.arrow >= l.thumb && l.thumb > 0;
}

void report(HWND hwnd, int code, int pos = 0) {
    WORD high = (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) ? static_cast<WORD>(pos) : 0;
    if (HWND parent = GetParent(hwnd))
        SendMessageA(parent, vertical(hwnd) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, high), reinterpret_cast<LPARAM>(hwnd));
}

// A rectangle across the bar from `from` to `to` along it.
RECT span(HWND hwnd, int from, int to) {
    RECT c;
    GetClientRect(hwnd, &c);
    return vertical(hwnd) ? RECT{0, from, c.right, to} : RECT{from, 0, to, c.bottom};
}

void paint(HWND hwnd) {
    PaintScope scope(hwnd);
    HDC dc = scope.dc();
    if (!dc) return;
    RECT all = scope.client();
    if (sizeBox(hwnd)) {
        FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    const ScrollBarState& s = state(hwnd);
    Layout l = layoutFor(hwnd, s.tracking ? s.trackPos : s.pos);
    bool v = vertical(hwnd), enabled = IsWindowEnabled(hwnd) != FALSE;
    RECT track = span(hwnd, l.arrow, l.length - l.arrow);
    FillRect(dc, &track, ParentBrush(hwnd, dc, WM_CTLCOLORSCROLLBAR));
    DrawArrowButton(dc, span(hwnd, 0, l.arrow), v ? Arrow::Up : Arrow::Left, enabled && !(s.disabledArrows & ESB_DISABLE_LTUP));
    DrawArrowButton(dc, span(hwnd, l.length - l.arrow, l.length), v ? Arrow::Down : Arrow::Right,
                    enabled && !(s.disabledArrows & ESB_DISABLE_RTDN));
    if (thumbShown(hwnd, l)) {
        RECT thumb = span(hwnd, l.thumbStart, l.thumbStart + l.thumb);
        DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
}

// Where a click along the bar fell: an arrow, the track before or after the thumb, or the thumb.
void pressed(HWND hwnd, int at) {
    ScrollBarState& s = state(hwnd);
    Layout l = layoutFor(hwnd, s.pos);
    if (at < l.arrow) {
        if (!(s.disabledArrows & ESB_DISABLE_LTUP)) report(hwnd, SB_LINEUP);
    } else if (at >= l.length - l.arrow) {
        if (!(s.disabledArrows & ESB_DISABLE_RTDN)) report(hwnd, SB_LINEDOWN);
    } else if (!thumbShown(hwnd, l)) {
        return;
    } else if (at < l.thumbStart) {
        report(hwnd, SB_PAGEUP);
    } else if (at >= l.thumbStart + l.thumb) {
        report(hwnd, SB_PAGEDOWN);
    } else {
        s.tracking = true;
        s.trackPos = s.pos;
        s.grabOffset = at - l.thumbStart;
        SetCapture(hwnd);
    }
}

// The position whose thumb starts nearest to a pixel.
int positionAt(HWND hwnd, int thumbStart) {
    const ScrollBarState& s = state(hwnd);
    Layout l = layoutFor(hwnd, s.min);
    int travel = l.length - 2 * l.arrow - l.thumb;
    long long steps = stepsOf(s);
    if (travel <= 0 || steps <= 0) return s.min;
    long long offset = static_cast<long long>(thumbStart - l.arrow) * steps;
    long long v = s.min + (offset + (offset >= 0 ? travel / 2 : -travel / 2)) / travel;
    return clampPos(s, static_cast<int>(std::max<long long>(std::numeric_limits<int>::min(), std::min<long long>(std::numeric_limits<int>::max(), v))));
}

bool keyCode(HWND hwnd, WPARAM key, int& code) {
    bool v = vertical(hwnd);
    switch (key) {
    case VK_UP: code = SB_LINEUP; return v;
    case VK_DOWN: code = SB_LINEDOWN; return v;
    case VK_LEFT: code = SB_LINEUP; return !v;
    case VK_RIGHT: code = SB_LINEDOWN; return !v;
    case VK_PRIOR: code = SB_PAGEUP; return true;
    case VK_NEXT: code = SB_PAGEDOWN; return true;
    case VK_HOME: code = SB_TOP; return true;
    case VK_END: code = SB_BOTTOM; return true;
    default: return false;
    }
}

// SBM_SETSCROLLINFO: the parts the mask names, then the position kept inside the new range.
int setInfo(HWND hwnd, const SCROLLINFO& in, bool redraw) {
    ScrollBarState& s = state(hwnd);
    if (in.fMask & SIF_RANGE) {
        s.min = in.nMin;
        s.max = std::max(in.nMin, in.nMax);
    }
    if (in.fMask & SIF_PAGE) {
        long long span = static_cast<long long>(s.max) - s.min + 1;
        s.page = static_cast<UINT>(std::min<long long>(in.nPage, span));
    }
    if (in.fMask & SIF_POS) s.pos = in.nPos;
    s.pos = clampPos(s, s.pos);
    if (redraw) InvalidateRect(hwnd, nullptr, TRUE);
    return s.pos;
}

LRESULT setPos(HWND hwnd, int pos, bool redraw) {
    ScrollBarState& s = state(hwnd);
    int old = s.pos;
    s.pos = clampPos(s, pos);
    if (redraw && s.pos != old) InvalidateRect(hwnd, nullptr, TRUE);
    return old;
}

LRESULT setRange(HWND hwnd, int min, int max, bool redraw) {
    ScrollBarState& s = state(hwnd);
    int old = s.pos;
    s.min = min;
    s.max = std::max(min, max);
    s.pos = clampPos(s, s.pos);
    if (redraw) InvalidateRect(hwnd, nullptr, TRUE);
    return s.pos != old ? old : 0;
}

}  // namespace

LRESULT CALLBACK ScrollBarWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ManageState<ScrollBarState>(hwnd, msg);
    if (!StateOf<ScrollBarState>(hwnd)) return DefWindowProcA(hwnd, msg, wParam, lParam);
    ScrollBarState& s = state(hwnd);
    switch (msg) {
    case SBM_GETPOS: return s.pos;
    case SBM_SETPOS: return setPos(hwnd, static_cast<int>(wParam), lParam != 0);
    case SBM_SETRANGE: return setRange(hwnd, static_cast<int>(wParam), static_cast<int>(lParam), false);
    case SBM_SETRANGEREDRAW: return setRange(hwnd, static_cast<int>(wParam), static_cast<int>(lParam), true);
    case SBM_GETRANGE:
        if (auto* low = reinterpret_cast<LPINT>(wParam)) *low = s.min;
        if (auto* high = reinterpret_cast<LPINT>(lParam)) *high = s.max;
        return 0;
    case SBM_ENABLE_ARROWS:
        s.disabledArrows = static_cast<UINT>(wParam) & ESB_DISABLE_BOTH;
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    case SBM_SETSCROLLINFO: {
        auto* in = reinterpret_cast<const SCROLLINFO*>(lParam);
        if (!in || (in->cbSize != sizeof(SCROLLINFO) && in->cbSize != sizeof(SCROLLINFO) - sizeof(int))) return s.pos;
        return setInfo(hwnd, *in, wParam != 0);
    }
    case SBM_GETSCROLLINFO: {
        auto* out = reinterpret_cast<SCROLLINFO*>(lParam);
        if (!out || !(out->fMask & SIF_ALL)) return FALSE;
        if (out->fMask & SIF_RANGE) out->nMin = s.min, out->nMax = s.max;
        if (out->fMask & SIF_PAGE) out->nPage = s.page;
        if (out->fMask & SIF_POS) out->nPos = s.pos;
        if ((out->fMask & SIF_TRACKPOS) && out->cbSize == sizeof(SCROLLINFO)) out->nTrackPos = s.tracking ? s.trackPos : s.pos;
        return TRUE;
    }
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return TRUE;  // the painting covers every pixel
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!IsWindowEnabled(hwnd) || sizeBox(hwnd)) return 0;
        if (StyleOf(hwnd) & WS_TABSTOP) SetFocus(hwnd);
        pressed(hwnd, vertical(hwnd) ? static_cast<short>(HIWORD(lParam)) : static_cast<short>(LOWORD(lParam)));
        if (IsWindow(hwnd) && !state(hwnd).tracking) report(hwnd, SB_ENDSCROLL);
        return 0;
    case WM_MOUSEMOVE: {
        if (!s.tracking) return 0;
        int at = vertical(hwnd) ? static_cast<short>(HIWORD(lParam)) : static_cast<short>(LOWORD(lParam));
        int v = positionAt(hwnd, at - s.grabOffset);
        if (v == s.trackPos) return 0;
        s.trackPos = v;
        InvalidateRect(hwnd, nullptr, TRUE);
        report(hwnd, SB_THUMBTRACK, v);
        return 0;
    }
    case WM_LBUTTONUP:
        if (!s.tracking) return 0;
        ReleaseCapture();
        report(hwnd, SB_THUMBPOSITION, s.trackPos);
        if (!IsWindow(hwnd)) return 0;
        state(hwnd).tracking = false;
        InvalidateRect(hwnd, nullptr, TRUE);
        report(hwnd, SB_ENDSCROLL);
        return 0;
    case WM_KEYDOWN: {
        int code = 0;
        if (!keyCode(hwnd, wParam, code)) break;
        s.keyScrolled = true;
        report(hwnd, code);
        return 0;
    }
    case WM_KEYUP:
        if (!s.keyScrolled) break;
        s.keyScrolled = false;
        report(hwnd, SB_ENDSCROLL);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace user
