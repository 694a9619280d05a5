// DefWindowProcA: what every window does with a message its own procedure leaves alone.
#include "platform/user/truncated_text.h"
#include "platform/user/window.h"

extern "C" LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    user::Window* w = user::Find(hwnd);
    if (!w) return 0;
    switch (msg) {
    case WM_NCCREATE:
        return TRUE;
    case WM_SETTEXT: {
        auto* text = reinterpret_cast<LPCSTR>(lParam);
        w->text = text ? text : "";
        return TRUE;
    }
    case WM_GETTEXT:
        return static_cast<LRESULT>(user::CopyTruncated(w->text, reinterpret_cast<LPSTR>(lParam), wParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_WINDOWPOSCHANGED: {
        auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!pos) return 0;
        if (!(pos->flags & SWP_NOMOVE)) {
            POINT origin{0, 0};
            MapWindowPoints(hwnd, w->parent, &origin, 1);
            SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
        }
        if (!(pos->flags & SWP_NOSIZE) && IsWindow(hwnd)) {
            RECT client;
            GetClientRect(hwnd, &client);
            SendMessageA(hwnd, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
        }
        return 0;
    }
    case WM_ERASEBKGND: {
        HBRUSH brush = w->cls->background;
        // A class background may name a system colour as its index plus one.
        auto value = reinterpret_cast<uintptr_t>(brush);
        if (value > 0 && value <= COLOR_INFOBK + 1) brush = GetSysColorBrush(static_cast<int>(value - 1));
        if (!brush || !wParam) return 0;
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        return 1;
    }
    case WM_NCPAINT:
        user::PaintFrame(hwnd);
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        // Fields and lists are white; everything else has the face colour of buttons.
        bool field = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
        auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(field ? COLOR_WINDOW : COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(field ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    case WM_NCHITTEST:
        return 1;  // HTCLIENT: the whole window is client area to a pointer
    case WM_MOUSEACTIVATE:
        return 1;  // MA_ACTIVATE
    case WM_HELP:
    case WM_CONTEXTMENU:
        // Children pass help and context-menu requests up to the window that can answer them.
        if (w->parent && (w->style & WS_CHILD)) return SendMessageA(w->parent, msg, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}
