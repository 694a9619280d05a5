// The track bar (slider): a position in a range with line and page steps and tick marks. Set by
// messages silently; moved by keys and the mouse as a person would, each move reported to the
// parent as WM_HSCROLL (WM_VSCROLL when vertical) with a TB_ code, closed by TB_ENDTRACK.
#include "platform/commctl/common_control.h"
#include "platform/user/control_paint.h"

#include <algorithm>
#include <vector>

namespace commctl {
namespace {

constexpr int kChannelInset = 8;  // pixels between the control's edge and the first position
constexpr int kThumbHalf = 5;
constexpr int kTickLength = 3;

struct TrackBar {
    int min = 0;
    int max = 100;
    int pos = 0;
    int line = 1;
    int page = 20;
    int freq = 1;
    int selStart = 0;
    int selEnd = 0;
    std::vector<DWORD> ticks;  // set with TBM_SETTIC, kept sorted
    bool dragging = false;
    bool keyMoved = false;
};

TrackBar& state(HWND hwnd) { return *StateOf<TrackBar>(hwnd); }
bool vertical(HWND hwnd) { return (StyleOf(hwnd) & TBS_VERT) != 0; }
int clamp(const TrackBar& t, int v) { return std::max(t.min, std::min(t.max, v)); }
// The position `delta` away, kept in the range (counted in 64 bits: steps may reach past an int).
int offset(const TrackBar& t, long long delta) { return static_cast<int>(std::clamp<long long>(t.pos + delta, t.min, t.max)); }

void report(HWND hwnd, int code) {
    int pos = state(hwnd).pos;
    WORD high = (code == TB_THUMBPOSITION || code == TB_THUMBTRACK) ? static_cast<WORD>(pos) : 0;
    SendMessageA(GetParent(hwnd), vertical(hwnd) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, high),
                 reinterpret_cast<LPARAM>(hwnd));
}

void moveTo(HWND hwnd, int v, int code) {
    TrackBar& t = state(hwnd);
    v = clamp(t, v);
    if (v == t.pos && code != TB_THUMBPOSITION) return;
    t.pos = v;
    InvalidateRect(hwnd, nullptr, FALSE);
    report(hwnd, code);
}

// The channel's length in pixels along the bar and the pixel of a position on it.
int channelLength(HWND hwnd) {
    RECT c;
    GetClientRect(hwnd, &c);
    int length = (vertical(hwnd) ? c.bottom : c.right) - 2 * kChannelInset;
    return length > 1 ? length : 1;
}

int pixelOf(HWND hwnd, int v) {
    const TrackBar& t = state(hwnd);
    long long span = static_cast<long long>(t.max) - t.min;  // 64 bits: a range may span every int
    if (span <= 0) return kChannelInset;
    return kChannelInset + static_cast<int>((static_cast<long long>(v) - t.min) * channelLength(hwnd) / span);
}

int positionAt(HWND hwnd, int pixel) {
    const TrackBar& t = state(hwnd);
    long long span = static_cast<long long>(t.max) - t.min;
    long long offset = static_cast<long long>(pixel - kChannelInset) * span;
    int length = channelLength(hwnd);
    long long v = t.min + (offset + (offset >= 0 ? length / 2 : -length / 2)) / length;
    return clamp(t, static_cast<int>(std::clamp<long long>(v, t.min, t.max)));
}

int along(HWND hwnd, LPARAM point) {
    return vertical(hwnd) ? static_cast<short>(HIWORD(point)) : static_cast<short>(LOWORD(point));
}

// Every tick between the ends: those set one by one, or every `freq` steps with TBS_AUTOTICKS.
std::vector<DWORD> interiorTicks(HWND hwnd) {
    const TrackBar& t = state(hwnd);
    if (StyleOf(hwnd) & TBS_NOTICKS) return {};
    std::vector<DWORD> all = t.ticks;
    if ((StyleOf(hwnd) & TBS_AUTOTICKS) && t.freq > 0) {
        for (long v = static_cast<long>(t.min) + t.freq; v < t.max; v += t.freq) all.push_back(static_cast<DWORD>(v));
        std::sort(all.begin(), all.end(), [](DWORD a, DWORD b) { return static_cast<int>(a) < static_cast<int>(b); });
        all.erase(std::unique(all.begin(), all.end()), all.end());
    }
    return all;
}

bool keyStep(HWND hwnd, WPARAM key) {
    TrackBar& t = state(hwnd);
    switch (key) {
    case VK_LEFT:
    case VK_UP: moveTo(hwnd, offset(t, -static_cast<long long>(t.line)), TB_LINEUP); return true;
    case VK_RIGHT:
    case VK_DOWN: moveTo(hwnd, offset(t, t.line), TB_LINEDOWN); return true;
    case VK_PRIOR: moveTo(hwnd, offset(t, -static_cast<long long>(t.page)), TB_PAGEUP); return true;
    case VK_NEXT: moveTo(hwnd, offset(t, t.page), TB_PAGEDOWN); return true;
    case VK_HOME: moveTo(hwnd, t.min, TB_TOP); return true;
    case VK_END: moveTo(hwnd, t.max, TB_BOTTOM); return true;
    default: return false;
    }
}

RECT thumbRect(HWND hwnd) {
    RECT c;
    GetClientRect(hwnd, &c);
    int p = pixelOf(hwnd, state(hwnd).pos);
    return vertical(hwnd) ? RECT{0, p - kThumbHalf, c.right, p + kThumbHalf} : RECT{p - kThumbHalf, 0, p + kThumbHalf, c.bottom};
}

RECT channelRect(HWND hwnd) {
    RECT c;
    GetClientRect(hwnd, &c);
    return vertical(hwnd) ? RECT{c.right / 2 - 2, kChannelInset, c.right / 2 + 2, c.bottom - kChannelInset}
                          : RECT{kChannelInset, c.bottom / 2 - 2, c.right - kChannelInset, c.bottom / 2 + 2};
}

// A tick is a short line on the side away from the top (or left) edge, or on both sides; the
// thumb leaves that strip free for them.
void paint(HWND hwnd) {
    user::PaintScope scope(hwnd);
    HDC dc = scope.dc();
    if (!dc) return;
    RECT c = scope.client();
    FillRect(dc, &c, user::ParentBrush(hwnd, dc, WM_CTLCOLORSTATIC));
    RECT channel = channelRect(hwnd);
    DrawEdge(dc, &channel, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
    DWORD style = StyleOf(hwnd);
    bool ticks = !(style & TBS_NOTICKS), v = vertical(hwnd);
    bool before = ticks && (style & (TBS_TOP | TBS_BOTH)), after = ticks && (!(style & TBS_TOP) || (style & TBS_BOTH));
    if (ticks) {
        const TrackBar& t = state(hwnd);
        std::vector<int> at{pixelOf(hwnd, t.min), pixelOf(hwnd, t.max)};
        for (DWORD tick : interiorTicks(hwnd)) at.push_back(pixelOf(hwnd, static_cast<int>(tick)));
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
        HGDIOBJ old = SelectObject(dc, pen);
        int extent = v ? c.right : c.bottom;
        for (int p : at) {
            for (int side = 0; side < 2; ++side) {
                if (!(side ? after : before)) continue;
                int from = side ? extent - kTickLength : 0;
                if (v) {
                    MoveToEx(dc, from, p, nullptr);
                    LineTo(dc, from + kTickLength, p);
                } else {
                    MoveToEx(dc, p, from, nullptr);
                    LineTo(dc, p, from + kTickLength);
                }
            }
        }
        SelectObject(dc, old);
        DeleteObject(pen);
    }
    if (style & TBS_NOTHUMB) return;
    RECT thumb = thumbRect(hwnd);
    int room = kTickLength + 1;
    if (v) {
        thumb.left += before ? room : 0;
        thumb.right -= after ? room : 0;
    } else {
        thumb.top += before ? room : 0;
        thumb.bottom -= after ? room : 0;
    }
    DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

LRESULT setRange(HWND hwnd, int min, int max) {
    TrackBar& t = state(hwnd);
    t.min = min;
    t.max = max < min ? min : max;
    t.page = static_cast<int>(std::max<long long>(1, (static_cast<long long>(t.max) - t.min) / 5));
    t.pos = clamp(t, t.pos);
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

}  // namespace

static LRESULT trackBarBody(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (ManageState<TrackBar>(hwnd, msg, answer)) return answer;
    if (!StateOf<TrackBar>(hwnd)) return DefWindowProcA(hwnd, msg, wParam, lParam);
    TrackBar& t = state(hwnd);
    switch (msg) {
    case TBM_GETPOS: return t.pos;
    case TBM_GETRANGEMIN: return t.min;
    case TBM_GETRANGEMAX: return t.max;
    case TBM_SETPOS:
        t.pos = clamp(t, static_cast<int>(lParam));
        if (wParam) InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case TBM_SETRANGE: return setRange(hwnd, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    case TBM_SETRANGEMIN: return setRange(hwnd, static_cast<int>(lParam), t.max);
    case TBM_SETRANGEMAX: return setRange(hwnd, t.min, static_cast<int>(lParam));
    case TBM_SETLINESIZE: {
        int old = t.line;
        t.line = static_cast<int>(lParam);
        return old;
    }
    case TBM_GETLINESIZE: return t.line;
    case TBM_SETPAGESIZE: {
        int old = t.page;
        t.page = static_cast<int>(lParam);
        return old;
    }
    case TBM_GETPAGESIZE: return t.page;
    case TBM_SETTICFREQ:
        t.freq = static_cast<int>(wParam);
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case TBM_SETTIC: {
        int v = static_cast<int>(lParam);
        if (v <= t.min || v >= t.max) return FALSE;
        auto at = std::lower_bound(t.ticks.begin(), t.ticks.end(), static_cast<DWORD>(v),
                                   [](DWORD a, DWORD b) { return static_cast<int>(a) < static_cast<int>(b); });
        if (at == t.ticks.end() || *at != static_cast<DWORD>(v)) t.ticks.insert(at, static_cast<DWORD>(v));
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    }
    case TBM_CLEARTICS:
        t.ticks.clear();
        if (wParam) InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case TBM_GETNUMTICS:
        return (StyleOf(hwnd) & TBS_NOTICKS) ? 0 : static_cast<LRESULT>(interiorTicks(hwnd).size() + 2);
    case TBM_GETTIC: {
        auto all = interiorTicks(hwnd);
        return wParam < all.size() ? static_cast<int>(all[wParam]) : -1;
    }
    case TBM_GETTICPOS: {
        auto all = interiorTicks(hwnd);
        return wParam < all.size() ? pixelOf(hwnd, static_cast<int>(all[wParam])) : -1;
    }
    case TBM_SETSEL:
        t.selStart = static_cast<short>(LOWORD(lParam));
        t.selEnd = static_cast<short>(HIWORD(lParam));
        return 0;
    case TBM_SETSELSTART: t.selStart = static_cast<int>(lParam); return 0;
    case TBM_SETSELEND: t.selEnd = static_cast<int>(lParam); return 0;
    case TBM_GETSELSTART: return t.selStart;
    case TBM_GETSELEND: return t.selEnd;
    case TBM_CLEARSEL: t.selStart = t.selEnd = 0; return 0;
    case TBM_GETTHUMBRECT:
    case TBM_GETCHANNELRECT: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (!r) return 0;
        *r = msg == TBM_GETTHUMBRECT ? thumbRect(hwnd) : channelRect(hwnd);
        return 0;
    }
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return TRUE;  // the painting covers every pixel
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_KEYDOWN:
        if (!keyStep(hwnd, wParam)) break;
        state(hwnd).keyMoved = true;
        return 0;
    case WM_KEYUP:
        if (!t.keyMoved) break;
        t.keyMoved = false;
        report(hwnd, TB_ENDTRACK);
        return 0;
    case WM_LBUTTONDOWN: {
        if (!IsWindowEnabled(hwnd)) return 0;
        SetFocus(hwnd);
        int at = along(hwnd, lParam);
        int thumb = pixelOf(hwnd, t.pos);
        if (at >= thumb - kThumbHalf && at <= thumb + kThumbHalf) {
            t.dragging = true;
            SetCapture(hwnd);
            return 0;
        }
        // A click beside the thumb pages towards the click, as a person's click in the channel does.
        bool before = at < thumb;
        moveTo(hwnd, offset(t, before ? -static_cast<long long>(t.page) : t.page), before ? TB_PAGEUP : TB_PAGEDOWN);
        if (IsWindow(hwnd)) report(hwnd, TB_ENDTRACK);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (!t.dragging) return 0;
        if (int v = positionAt(hwnd, along(hwnd, lParam)); v != t.pos) {
            t.pos = v;
            InvalidateRect(hwnd, nullptr, FALSE);
            report(hwnd, TB_THUMBTRACK);
        }
        return 0;
    case WM_LBUTTONUP:
        if (!t.dragging) return 0;
        t.dragging = false;
        ReleaseCapture();
        t.pos = positionAt(hwnd, along(hwnd, lParam));
        report(hwnd, TB_THUMBPOSITION);
        if (IsWindow(hwnd)) report(hwnd, TB_ENDTRACK);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK TrackBarWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Guarded([&] { return trackBarBody(hwnd, msg, wParam, lParam); });
}

}  // namespace commctl
