// The progress bar: a position in a range, set by the program alone (a person cannot change it),
// painted as a row of blocks (or one smooth bar) in the highlight colour inside a sunken border,
// filling from the left, or from the bottom when vertical.
#include "platform/commctl/common_control.h"

#include <algorithm>

namespace commctl {
namespace {

struct Progress {
    int min = 0;
    int max = 100;
    int pos = 0;
    int step = 10;
    COLORREF bar = CLR_DEFAULT;
    COLORREF bk = CLR_DEFAULT;
};

Progress& state(HWND hwnd) { return *StateOf<Progress>(hwnd); }

int clamp(const Progress& p, int v) { return std::max(p.min, std::min(p.max, v)); }

LRESULT moveTo(HWND hwnd, int v) {
    Progress& p = state(hwnd);
    int old = p.pos;
    p.pos = clamp(p, v);
    if (p.pos != old) InvalidateRect(hwnd, nullptr, FALSE);
    return old;
}

LRESULT setRange(HWND hwnd, int min, int max) {
    Progress& p = state(hwnd);
    LRESULT old = MAKELONG(static_cast<WORD>(p.min), static_cast<WORD>(p.max));
    p.min = min;
    p.max = max < min ? min : max;
    p.pos = clamp(p, p.pos);
    InvalidateRect(hwnd, nullptr, FALSE);
    return old;
}

// The filled part's length in pixels out of `length`; counted in 64 bits, as a range may span every int.
int filled(const Progress& p, int length) {
    long long span = static_cast<long long>(p.max) - p.min;
    return span > 0 ? static_cast<int>((static_cast<long long>(p.pos) - p.min) * length / span) : 0;
}

void paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    const Progress& p = state(hwnd);
    RECT r;
    GetClientRect(hwnd, &r);
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    HBRUSH bk = p.bk == CLR_DEFAULT ? nullptr : CreateSolidBrush(p.bk);
    FillRect(dc, &r, bk ? bk : GetSysColorBrush(COLOR_BTNFACE));
    if (bk) DeleteObject(bk);
    InflateRect(&r, -1, -1);
    bool vertical = (StyleOf(hwnd) & PBS_VERTICAL) != 0;
    int length = vertical ? r.bottom - r.top : r.right - r.left;
    int done = filled(p, std::max(length, 0));
    HBRUSH brush = p.bar == CLR_DEFAULT ? nullptr : CreateSolidBrush(p.bar);
    HBRUSH use = brush ? brush : GetSysColorBrush(COLOR_HIGHLIGHT);
    // Blocks two thirds as long as the bar is thick, two pixels apart; the last one may be cut.
    int thickness = vertical ? r.right - r.left : r.bottom - r.top;
    bool smooth = (StyleOf(hwnd) & PBS_SMOOTH) != 0;
    int block = smooth ? done : std::max(2, thickness * 2 / 3);
    int gap = smooth ? 0 : 2;
    for (int at = 0; at < done; at += block + gap) {
        int end = std::min(done, at + block);
        RECT piece = vertical ? RECT{r.left, r.bottom - end, r.right, r.bottom - at} : RECT{r.left + at, r.top, r.left + end, r.bottom};
        FillRect(dc, &piece, use);
    }
    if (brush) DeleteObject(brush);
    EndPaint(hwnd, &ps);
}

}  // namespace

static LRESULT progressBody(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (ManageState<Progress>(hwnd, msg, answer)) return answer;
    if (!StateOf<Progress>(hwnd)) return DefWindowProcA(hwnd, msg, wParam, lParam);
    Progress& p = state(hwnd);
    switch (msg) {
    case PBM_SETRANGE: return setRange(hwnd, LOWORD(lParam), HIWORD(lParam));
    case PBM_SETRANGE32: return setRange(hwnd, static_cast<int>(wParam), static_cast<int>(lParam));
    case PBM_GETRANGE:
        if (auto* range = reinterpret_cast<PBRANGE*>(lParam)) *range = PBRANGE{p.min, p.max};
        return wParam ? p.min : p.max;
    case PBM_SETPOS: return moveTo(hwnd, static_cast<int>(wParam));
    case PBM_DELTAPOS: return moveTo(hwnd, static_cast<int>(std::clamp<long long>(static_cast<long long>(p.pos) + static_cast<int>(wParam), p.min, p.max)));
    case PBM_GETPOS: return p.pos;
    case PBM_SETSTEP: {
        int old = p.step;
        p.step = static_cast<int>(wParam);
        return old;
    }
    case PBM_STEPIT: {
        // Past the end the bar starts over from the beginning.
        long long next = static_cast<long long>(p.pos) + p.step, span = static_cast<long long>(p.max) - p.min;
        if (next > p.max) next = span > 0 ? p.min + (next - p.min) % span : p.min;
        return moveTo(hwnd, static_cast<int>(next));
    }
    case PBM_SETBARCOLOR:
    case PBM_SETBKCOLOR: {
        COLORREF& color = msg == PBM_SETBARCOLOR ? p.bar : p.bk;
        COLORREF old = color;
        color = static_cast<COLORREF>(lParam);
        InvalidateRect(hwnd, nullptr, FALSE);
        return old;
    }
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return TRUE;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ProgressWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Guarded([&] { return progressBody(hwnd, msg, wParam, lParam); });
}

}  // namespace commctl
