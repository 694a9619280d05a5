// The "Button" class: push and default push buttons, check boxes of two and three states, radio
// buttons, group boxes and owner-drawn buttons. A click (mouse, space bar or BM_CLICK) changes the
// automatic kinds' state first and then tells the parent BN_CLICKED, as on the original.
#include "platform/user/control_paint.h"
#include "platform/user/control_state.h"
#include "platform/user/controls.h"
#include "platform/user/owner_draw.h"
#include "platform/user/window.h"

namespace user {
namespace {

struct ButtonState {
    UINT check = BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
    HANDLE image = nullptr;
    HFONT font = nullptr;
};

UINT kind(HWND hwnd) { return StyleOf(hwnd) & BS_TYPEMASK; }

bool isCheckKind(UINT k) {
    return k == BS_CHECKBOX || k == BS_AUTOCHECKBOX || k == BS_3STATE || k == BS_AUTO3STATE || k == BS_RADIOBUTTON ||
           k == BS_AUTORADIOBUTTON;
}

bool isRadio(UINT k) { return k == BS_RADIOBUTTON || k == BS_AUTORADIOBUTTON; }

UINT highestCheck(UINT k) {
    if (k == BS_3STATE || k == BS_AUTO3STATE) return BST_INDETERMINATE;
    return isCheckKind(k) ? BST_CHECKED : BST_UNCHECKED;
}

void setCheck(HWND hwnd, ButtonState& s, UINT check) {
    UINT k = kind(hwnd);
    if (!isCheckKind(k)) return;
    if (check > highestCheck(k)) check = highestCheck(k);
    if (s.check == check) return;
    s.check = check;
    // The checked radio button of a group is the one the Tab key reaches.
    if (isRadio(k)) {
        DWORD style = StyleOf(hwnd);
        SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(check ? style | WS_TABSTOP : style & ~WS_TABSTOP));
    }
    InvalidateRect(hwnd, nullptr, FALSE);
}

void uncheckGroupOthers(HWND hwnd) {
    HWND parent = GetParent(hwnd);
    if (!parent) return;
    HWND start = hwnd;
    for (HWND next = GetNextDlgGroupItem(parent, hwnd, FALSE); next && next != start;
         next = GetNextDlgGroupItem(parent, next, FALSE)) {
        if ((StyleOf(next) & BS_TYPEMASK) == BS_AUTORADIOBUTTON) SendMessageA(next, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void click(HWND hwnd, ButtonState& s) {
    switch (kind(hwnd)) {
    case BS_AUTOCHECKBOX:
        setCheck(hwnd, s, s.check ? BST_UNCHECKED : BST_CHECKED);
        break;
    case BS_AUTO3STATE:
        setCheck(hwnd, s, (s.check + 1) % 3);  // unchecked, checked, indeterminate, unchecked
        break;
    case BS_AUTORADIOBUTTON:
        setCheck(hwnd, s, BST_CHECKED);
        uncheckGroupOthers(hwnd);
        break;
    default:
        break;
    }
    NotifyParent(hwnd, BN_CLICKED);
}

void setPushed(HWND hwnd, ButtonState& s, bool pushed) {
    if (s.pushed == pushed) return;
    s.pushed = pushed;
    InvalidateRect(hwnd, nullptr, FALSE);
}

// The classic look: a raised face (sunken while pushed, framed when default), a 13-pixel box or
// circle for check boxes and radio buttons, an etched frame for group boxes.
void paintPush(HDC dc, RECT r, HWND hwnd, const ButtonState& s) {
    bool isDefault = kind(hwnd) == BS_DEFPUSHBUTTON;
    if (isDefault) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    RECT edge = r;
    if (s.pushed) FrameRect(dc, &edge, GetSysColorBrush(COLOR_BTNSHADOW));
    else DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    RECT text = r;
    if (s.pushed) OffsetRect(&text, 1, 1);
    DrawLabel(dc, TextOf(hwnd), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, IsWindowEnabled(hwnd));
    if (s.focused) {
        InflateRect(&r, -4, -4);
        DrawFocusRect(dc, &r);
    }
}

void paintCheck(HDC dc, RECT r, HWND hwnd, const ButtonState& s) {
    UINT k = kind(hwnd);
    FillRect(dc, &r, ParentBrush(hwnd, dc, WM_CTLCOLORSTATIC));
    constexpr int kBox = 13;
    RECT box{r.left, r.top + (r.bottom - r.top - kBox) / 2, r.left + kBox, 0};
    box.bottom = box.top + kBox;
    bool enabled = IsWindowEnabled(hwnd);
    bool grey = s.check == BST_INDETERMINATE;
    HBRUSH inside = GetSysColorBrush(s.pushed || !enabled || grey ? COLOR_BTNFACE : COLOR_WINDOW);
    if (isRadio(k)) {
        HGDIOBJ oldBrush = SelectObject(dc, inside);
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
        Ellipse(dc, box.left, box.top, box.right, box.bottom);
        if (s.check) {
            SelectObject(dc, GetStockObject(BLACK_BRUSH));
            Ellipse(dc, box.left + 4, box.top + 4, box.right - 4, box.bottom - 4);
        }
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
    } else {
        FillRect(dc, &box, inside);
        RECT edge = box;
        DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
        if (s.check) {
            HPEN pen = CreatePen(PS_SOLID, 2, GetSysColor(grey || !enabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
            HGDIOBJ old = SelectObject(dc, pen);
            MoveToEx(dc, box.left + 3, box.top + 6, nullptr);
            LineTo(dc, box.left + 5, box.top + 9);
            LineTo(dc, box.left + 10, box.top + 3);
            SelectObject(dc, old);
            DeleteObject(pen);
        }
    }
    RECT text{box.right + 4, r.top, r.right, r.bottom};
    DrawLabel(dc, TextOf(hwnd), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE, enabled);
    if (s.focused) DrawFocusRect(dc, &text);
}

void paintGroup(HDC dc, RECT r, HWND hwnd) {
    r.top += 6;
    DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
    std::string text = TextOf(hwnd);
    if (text.empty()) return;
    RECT label{r.left + 8, r.top - 6, r.right - 8, r.top + 8};
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    RECT gap{label.left - 2, label.top, label.left + size.cx + 2, label.bottom};
    FillRect(dc, &gap, ParentBrush(hwnd, dc, WM_CTLCOLORSTATIC));
    DrawLabel(dc, text, label, DT_LEFT | DT_TOP | DT_SINGLELINE, IsWindowEnabled(hwnd));
}

void paint(HWND hwnd, ButtonState& s) {
    PaintScope scope(hwnd);
    HDC dc = scope.dc();
    RECT r = scope.client();
    UINT k = kind(hwnd);
    if (k == BS_OWNERDRAW) {
        UINT state = (s.pushed ? ODS_SELECTED : 0) | (s.focused ? ODS_FOCUS : 0) | (IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED);
        DrawItem(hwnd, dc, ODT_BUTTON, 0, ODA_DRAWENTIRE, state, r, 0);
        return;
    }
    if (!dc) return;
    if (k == BS_GROUPBOX) paintGroup(dc, r, hwnd);
    else if (isCheckKind(k)) paintCheck(dc, r, hwnd, s);
    else paintPush(dc, r, hwnd, s);
}

LRESULT dialogCode(HWND hwnd) {
    switch (kind(hwnd)) {
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON:
    case BS_USERBUTTON:
    case BS_PUSHBOX:
    case BS_OWNERDRAW: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
    }
}

}  // namespace

LRESULT CALLBACK ButtonWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ManageState<ButtonState>(hwnd, msg);
    ButtonState* s = StateOf<ButtonState>(hwnd);
    if (!s) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (LRESULT answer = 0; ManageFont(hwnd, msg, wParam, lParam, s->font, answer)) return answer;
    switch (msg) {
    case BM_GETCHECK:
        return isCheckKind(kind(hwnd)) ? s->check : BST_UNCHECKED;
    case BM_SETCHECK:
        setCheck(hwnd, *s, static_cast<UINT>(wParam));
        return 0;
    case BM_GETSTATE:
        return s->check | (s->pushed ? BST_PUSHED : 0) | (s->focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
        setPushed(hwnd, *s, wParam != 0);
        return 0;
    case BM_SETSTYLE: {
        DWORD style = (StyleOf(hwnd) & ~BS_TYPEMASK) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
        SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(style));
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    case BM_CLICK:
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
        return 0;
    case BM_GETIMAGE:
        return reinterpret_cast<LRESULT>(s->image);
    case BM_SETIMAGE: {
        HANDLE old = s->image;
        s->image = reinterpret_cast<HANDLE>(lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETDLGCODE:
        return dialogCode(hwnd);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (kind(hwnd) == BS_GROUPBOX) return 0;
        SetFocus(hwnd);
        setPushed(hwnd, *s, true);
        SetCapture(hwnd);
        return 0;
    case WM_LBUTTONUP:
        if (!s->pushed) return 0;
        setPushed(hwnd, *s, false);
        if (GetCapture() == hwnd) ReleaseCapture();
        click(hwnd, *s);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && kind(hwnd) != BS_GROUPBOX) setPushed(hwnd, *s, true);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && s->pushed) {
            setPushed(hwnd, *s, false);
            click(hwnd, *s);
        }
        return 0;
    case WM_SETFOCUS:
        s->focused = true;
        InvalidateRect(hwnd, nullptr, FALSE);
        if (StyleOf(hwnd) & BS_NOTIFY) NotifyParent(hwnd, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        s->focused = false;
        setPushed(hwnd, *s, false);
        InvalidateRect(hwnd, nullptr, FALSE);
        if (StyleOf(hwnd) & BS_NOTIFY) NotifyParent(hwnd, BN_KILLFOCUS);
        return 0;
    case WM_SETTEXT:
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_PAINT:
        paint(hwnd, *s);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace user
