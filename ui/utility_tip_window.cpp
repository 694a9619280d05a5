// The utility tip window's class: it keeps the caller's record and paint procedure and calls it
// for each WM_PAINT.
#include "ui/utility_tip_window.h"

#include "core/memory/pool_object.h"

namespace {

constexpr char kTipClass[] = "CmUtilityTip";

struct TipData : PoolObject {
    const void* record = nullptr;
    TipPaintProc paint = nullptr;
};

LRESULT CALLBACK TipProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* data = reinterpret_cast<TipData*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client{};
        GetClientRect(hwnd, &client);
        if (dc && data && data->paint) data->paint(hwnd, dc, client, data->record);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // the paint procedure fills the whole window
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete data;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

bool RegisterTipClass() {
    WNDCLASSA existing{};
    if (GetClassInfoA(nullptr, kTipClass, &existing)) return true;
    WNDCLASSA c{};
    c.style = CS_SAVEBITS;
    c.lpfnWndProc = TipProc;
    c.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    c.lpszClassName = kTipClass;
    return RegisterClassA(&c) != 0;
}

}  // namespace

HWND CreateUtilityTipWindow(const UtilityTipRequest* request) {
    if (!request || !request->paint || request->width <= 0 || request->height <= 0) return nullptr;
    if (!RegisterTipClass()) return nullptr;
    TipData* data = nullptr;
    try {
        data = new TipData;
    } catch (...) {
        return nullptr;
    }
    data->record = request->textRecord;
    data->paint = request->paint;
    HWND tip = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kTipClass, nullptr, WS_POPUP, request->x, request->y,
                               request->width, request->height, request->owner, nullptr, nullptr, nullptr);
    if (!tip) {
        delete data;
        return nullptr;
    }
    // The window owns the data from here; WM_NCDESTROY frees it.
    SetWindowLongPtrA(tip, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
    ShowWindow(tip, SW_SHOWNOACTIVATE);
    UpdateWindow(tip);
    return tip;
}

void DestroyUtilityTipWindow(HWND tip) {
    if (!tip || !IsWindow(tip)) return;
    ShowWindow(tip, SW_HIDE);
    DestroyWindow(tip);
}
