// The up-down control (spin control): a position within a range, moved by its arrows, shown in a
// buddy window. Each step asks the parent first (UDN_DELTAPOS, which may refuse it), then moves,
// writes the buddy's text and reports WM_VSCROLL / WM_HSCROLL, as the original does.
#include "platform/commctl/common_control.h"
#include "platform/user/control_paint.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace commctl {
namespace {

constexpr int kScrollThumbPosition = 4;  // SB_THUMBPOSITION
constexpr int kScrollEnd = 8;            // SB_ENDSCROLL

struct UpDown {
    // The original's default range runs from 100 down to 0: the up arrow lowers the number.
    int lower = 100;
    int upper = 0;
    int pos = 0;
    int base = 10;
    HWND buddy = nullptr;
    std::vector<UDACCEL> accel{{0, 1}, {2, 5}, {5, 20}};
    bool pressed = false;
    bool pressedUp = false;  // which arrow the press is on, drawn pushed in
};

UpDown& state(HWND hwnd) { return *StateOf<UpDown>(hwnd); }

bool isEdit(HWND hwnd) {
    char name[16] = "";
    return hwnd && GetClassNameA(hwnd, name, sizeof name) && std::string(name) == "Edit";
}

int lowest(const UpDown& s) { return s.lower < s.upper ? s.lower : s.upper; }
int highest(const UpDown& s) { return s.lower < s.upper ? s.upper : s.lower; }
bool inRange(const UpDown& s, int v) { return v >= lowest(s) && v <= highest(s); }

std::string formatted(const UpDown& s, bool thousands) {
    char digits[32];
    if (s.base == 16) {
        std::snprintf(digits, sizeof digits, "0x%04X", static_cast<unsigned>(s.pos));
        return digits;
    }
    std::snprintf(digits, sizeof digits, "%d", s.pos);
    if (!thousands) return digits;
    const char* p = digits;
    std::string text;
    if (*p == '-') text += *p++;
    size_t left = std::strlen(p);
    for (; *p; ++p, --left) {
        text += *p;
        if (left > 1 && (left - 1) % 3 == 0) text += ',';
    }
    return text;
}

void showInBuddy(HWND hwnd) {
    UpDown& s = state(hwnd);
    if (!(StyleOf(hwnd) & UDS_SETBUDDYINT) || !IsWindow(s.buddy)) return;
    SetWindowTextA(s.buddy, formatted(s, !(StyleOf(hwnd) & UDS_NOTHOUSANDS)).c_str());
}

// Reads the buddy's number into the position; false when the text is not a number in range.
bool readBuddy(HWND hwnd) {
    UpDown& s = state(hwnd);
    if (!isEdit(s.buddy)) return true;
    char text[64] = "";
    GetWindowTextA(s.buddy, text, sizeof text);
    std::string digits;
    for (const char* p = text; *p; ++p)
        if (*p != ',') digits += *p;
    if (digits.empty()) return false;
    char* end = nullptr;
    long v = std::strtol(digits.c_str(), &end, s.base == 16 ? 16 : 10);
    if (*end || !inRange(s, static_cast<int>(v)) || v != static_cast<int>(v)) return false;
    s.pos = static_cast<int>(v);
    return true;
}

void placeNextToBuddy(HWND hwnd) {
    UpDown& s = state(hwnd);
    DWORD style = StyleOf(hwnd);
    if (!(style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)) || !IsWindow(s.buddy) || GetParent(s.buddy) != GetParent(hwnd)) return;
    RECT own, buddy;
    GetWindowRect(hwnd, &own);
    GetWindowRect(s.buddy, &buddy);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&buddy), 2);
    int width = own.right - own.left;
    int buddyWidth = buddy.right - buddy.left - width;
    if (buddyWidth < 0) buddyWidth = 0;
    int height = buddy.bottom - buddy.top;
    if (style & UDS_ALIGNLEFT) {
        MoveWindow(hwnd, buddy.left, buddy.top, width, height, TRUE);
        MoveWindow(s.buddy, buddy.left + width, buddy.top, buddyWidth, height, TRUE);
    } else {
        MoveWindow(s.buddy, buddy.left, buddy.top, buddyWidth, height, TRUE);
        MoveWindow(hwnd, buddy.left + buddyWidth, buddy.top, width, height, TRUE);
    }
}

HWND setBuddy(HWND hwnd, HWND buddy) {
    UpDown& s = state(hwnd);
    HWND old = s.buddy;
    s.buddy = IsWindow(buddy) ? buddy : nullptr;
    placeNextToBuddy(hwnd);
    return old;
}

// One step of the arrows: up is towards `upper`, whatever the order of the two bounds.
void step(HWND hwnd, bool up) {
    UpDown& s = state(hwnd);
    readBuddy(hwnd);
    int delta = static_cast<int>(s.accel.empty() ? 1 : s.accel[0].nInc);
    if (!up) delta = -delta;
    if (s.upper < s.lower) delta = -delta;

    NMUPDOWN nm{};
    nm.iPos = s.pos;
    nm.iDelta = delta;
    if (Notify(hwnd, UDN_DELTAPOS, &nm.hdr) || !IsWindow(hwnd)) return;  // the parent refused

    UpDown& after = state(hwnd);
    long target = static_cast<long>(after.pos) + nm.iDelta;
    if (!inRange(after, static_cast<int>(target))) {
        if (StyleOf(hwnd) & UDS_WRAP) {
            target = target > highest(after) ? lowest(after) : highest(after);
        } else {
            target = target > highest(after) ? highest(after) : lowest(after);
        }
    }
    if (target == after.pos) return;
    after.pos = static_cast<int>(target);
    showInBuddy(hwnd);
    UINT scroll = (StyleOf(hwnd) & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
    SendMessageA(GetParent(hwnd), scroll, MAKEWPARAM(kScrollThumbPosition, static_cast<WORD>(after.pos)),
                 reinterpret_cast<LPARAM>(hwnd));
}

void endScroll(HWND hwnd) {
    UINT scroll = (StyleOf(hwnd) & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
    SendMessageA(GetParent(hwnd), scroll, MAKEWPARAM(kScrollEnd, static_cast<WORD>(state(hwnd).pos)),
                 reinterpret_cast<LPARAM>(hwnd));
}

// Which arrow a point of the client area falls on: the upper or right half is "up".
bool upArrowAt(HWND hwnd, LPARAM point) {
    RECT client;
    GetClientRect(hwnd, &client);
    int x = static_cast<short>(LOWORD(point)), y = static_cast<short>(HIWORD(point));
    if (StyleOf(hwnd) & UDS_HORZ) return x >= client.right / 2;
    return y < client.bottom / 2;
}

// Two arrow buttons splitting the control: up over down, or left beside right when horizontal.
void paint(HWND hwnd) {
    user::PaintScope scope(hwnd);
    HDC dc = scope.dc();
    if (!dc) return;
    RECT c = scope.client();
    const UpDown& s = state(hwnd);
    bool horizontal = (StyleOf(hwnd) & UDS_HORZ) != 0, enabled = IsWindowEnabled(hwnd) != FALSE;
    RECT first = c, second = c;
    if (horizontal) first.right = second.left = c.right / 2;
    else first.bottom = second.top = c.bottom / 2;
    // The first button is "down" when horizontal (left) and "up" when vertical (top).
    bool firstPushed = s.pressed && s.pressedUp != horizontal, secondPushed = s.pressed && s.pressedUp == horizontal;
    user::DrawArrowButton(dc, first, horizontal ? user::Arrow::Left : user::Arrow::Up, enabled, firstPushed);
    user::DrawArrowButton(dc, second, horizontal ? user::Arrow::Right : user::Arrow::Down, enabled, secondPushed);
}

int clampToShort(int v) { return v > 32767 ? 32767 : v < -32768 ? -32768 : v; }

}  // namespace

static LRESULT upDownBody(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (ManageState<UpDown>(hwnd, msg, answer)) return answer;
    if (!StateOf<UpDown>(hwnd)) return DefWindowProcA(hwnd, msg, wParam, lParam);
    UpDown& s = state(hwnd);
    switch (msg) {
    case WM_CREATE:
        if (StyleOf(hwnd) & UDS_AUTOBUDDY) setBuddy(hwnd, GetWindow(hwnd, GW_HWNDPREV));
        showInBuddy(hwnd);
        return 0;
    case UDM_SETRANGE:
        s.upper = static_cast<short>(LOWORD(lParam));
        s.lower = static_cast<short>(HIWORD(lParam));
        return 0;
    case UDM_GETRANGE:
        return MAKELONG(static_cast<WORD>(clampToShort(s.upper)), static_cast<WORD>(clampToShort(s.lower)));
    case UDM_SETRANGE32:
        s.lower = static_cast<int>(wParam);
        s.upper = static_cast<int>(lParam);
        return 0;
    case UDM_GETRANGE32:
        if (wParam) *reinterpret_cast<int*>(wParam) = s.lower;
        if (lParam) *reinterpret_cast<int*>(lParam) = s.upper;
        return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
        int old = s.pos;
        int v = msg == UDM_SETPOS ? static_cast<short>(LOWORD(lParam)) : static_cast<int>(lParam);
        s.pos = v < lowest(s) ? lowest(s) : v > highest(s) ? highest(s) : v;
        showInBuddy(hwnd);
        return msg == UDM_SETPOS ? static_cast<WORD>(clampToShort(old)) : old;
    }
    case UDM_GETPOS: {
        bool ok = readBuddy(hwnd);
        return MAKELONG(static_cast<WORD>(clampToShort(s.pos)), ok ? 0 : 1);
    }
    case UDM_GETPOS32: {
        bool ok = readBuddy(hwnd);
        if (lParam) *reinterpret_cast<BOOL*>(lParam) = ok ? FALSE : TRUE;
        return s.pos;
    }
    case UDM_SETBUDDY:
        return reinterpret_cast<LRESULT>(setBuddy(hwnd, reinterpret_cast<HWND>(wParam)));
    case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(s.buddy);
    case UDM_SETACCEL: {
        auto* table = reinterpret_cast<const UDACCEL*>(lParam);
        if (!table || wParam == 0 || wParam > 64) return FALSE;
        s.accel.assign(table, table + wParam);
        return TRUE;
    }
    case UDM_GETACCEL: {
        auto* out = reinterpret_cast<UDACCEL*>(lParam);
        size_t n = s.accel.size() < wParam ? s.accel.size() : wParam;
        for (size_t i = 0; out && i < n; ++i) out[i] = s.accel[i];
        return static_cast<LRESULT>(s.accel.size());
    }
    case UDM_SETBASE: {
        if (wParam != 10 && wParam != 16) return 0;
        int old = s.base;
        s.base = static_cast<int>(wParam);
        showInBuddy(hwnd);
        return old;
    }
    case UDM_GETBASE:
        return s.base;
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return TRUE;  // the two buttons cover every pixel
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN:
        if (!IsWindowEnabled(hwnd)) return 0;
        s.pressed = true;
        s.pressedUp = upArrowAt(hwnd, lParam);
        InvalidateRect(hwnd, nullptr, FALSE);
        step(hwnd, s.pressedUp);
        return 0;
    case WM_LBUTTONUP:
        if (!s.pressed) return 0;
        s.pressed = false;
        InvalidateRect(hwnd, nullptr, FALSE);
        endScroll(hwnd);
        return 0;
    case WM_KEYDOWN:
        if (!(StyleOf(hwnd) & UDS_ARROWKEYS) || (wParam != VK_UP && wParam != VK_DOWN)) break;
        step(hwnd, wParam == VK_UP);
        return 0;
    case WM_KEYUP:
        if (!(StyleOf(hwnd) & UDS_ARROWKEYS) || (wParam != VK_UP && wParam != VK_DOWN)) break;
        endScroll(hwnd);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK UpDownWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Guarded([&] { return upDownBody(hwnd, msg, wParam, lParam); });
}

}  // namespace commctl
