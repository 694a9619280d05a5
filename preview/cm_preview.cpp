// The preview control: the subclass procedure and the router of the picture's messages. The
// object's pointer is kept at full width in the control's user data; the control may be
// destroyed before the page deletes the picture, so the picture lets go of it on its last message.
#include "preview/cm_preview.h"

CmPreview::CmPreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind)
    : devData_(ctx), settings_(settings), kind_(kind) {
    SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    oldProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CmPreview::WindowProc)));
    control_ = control;
    parent_ = GetParent(control);
}

CmPreview::~CmPreview() {
    if (!control_ || !IsWindow(control_)) return;
    if (GetWindowLongPtrA(control_, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this))
        SetWindowLongPtrA(control_, GWLP_USERDATA, 0);
    // A later subclass over ours keeps its chain; our procedure then passes everything on.
    if (GetWindowLongPtrA(control_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CmPreview::WindowProc))
        SetWindowLongPtrA(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
}

LRESULT CmPreview::OnCommand(WPARAM, LPARAM) { return 0; }
LRESULT CmPreview::OnPaint(WPARAM, LPARAM) { return 0; }
LRESULT CmPreview::OnMouse(UINT, WPARAM, LPARAM) { return 0; }
BOOL CmPreview::Render(HDC) { return FALSE; }

LRESULT CmPreview::OnMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: return OnPaint(wParam, lParam);
    case WM_COMMAND: return OnCommand(wParam, lParam);
    default: break;
    }
    // A control that is only hovered while another application is in front takes no part.
    if (msg >= WM_MOUSEMOVE && msg <= WM_RBUTTONDBLCLK) return GetActiveWindow() ? OnMouse(msg, wParam, lParam) : 0;
    return 0;
}

LRESULT CALLBACK CmPreview::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CmPreview*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, msg, wParam, lParam);
    const WNDPROC old = self->oldProc_;
    const bool routed = msg == WM_DESTROY || msg == WM_PAINT || msg == WM_COMMAND ||
                        (msg >= WM_MOUSEMOVE && msg <= WM_RBUTTONDBLCLK);
    if (routed) {
        LRESULT handled = 0;
        try {
            handled = self->OnMessage(window, msg, wParam, lParam);
        } catch (...) {
            handled = 0;  // the pool refused: the control's own procedure takes the message
        }
        if (handled) return 1;
    }
    if (msg == WM_NCDESTROY) {
        // The window is going: the picture no longer reaches it, and the control's own procedure
        // sees its last message.
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->OnControlGone();
        self->control_ = nullptr;
    }
    return old ? CallWindowProcA(old, window, msg, wParam, lParam) : DefWindowProcA(window, msg, wParam, lParam);
}
