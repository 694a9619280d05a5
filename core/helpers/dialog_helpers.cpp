// Control helpers of the object layer. They act through the Win32 calls a dialog procedure
// would make, so the controls send their usual notifications.
#include "core/helpers/dialog_helpers.h"

#include "core/device/service_table.h"

#include <cstring>

namespace {

constexpr UINT kDecimalSeparatorText = 4427;
constexpr int kLayoutPixelsPerInch = 96;

}  // namespace

void ShowDlgItem(HWND dialog, int id, BOOL show) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return;
    ShowWindow(control, show ? SW_SHOW : SW_HIDE);
    EnableWindow(control, show ? TRUE : FALSE);
}

void EnableDlgItem(HWND dialog, int id, BOOL enable) {
    HWND control = GetDlgItem(dialog, id);
    if (control) EnableWindow(control, enable ? TRUE : FALSE);
}

void FocusNextEnabledItem(HWND focused, HWND dialog) {
    if (!focused || !dialog || IsWindowEnabled(focused)) return;
    HWND next = GetNextDlgTabItem(dialog, focused, FALSE);
    if (!next || next == focused || !IsWindowEnabled(next)) return;
    // A disabled default button cannot answer Enter; the default moves with the focus when the
    // next item is a push button that can take it.
    bool wasDefault = (SendMessageA(focused, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0;
    bool nextIsButton = (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON) != 0;
    if (wasDefault && nextIsButton) SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(next)), 0);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
}

void RedrawDlgItem(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (!control || !IsWindowVisible(control)) return;
    ShowWindow(control, SW_HIDE);
    ShowWindow(control, SW_SHOW);
}

void OffsetDlgItem(HWND dialog, int id, int dx, int dy) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return;
    RECT r;
    if (!GetWindowRect(control, &r)) return;
    POINT topLeft{r.left, r.top};
    ScreenToClient(dialog, &topLeft);
    SetWindowPos(control, nullptr, topLeft.x + dx, topLeft.y + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int ScaleBySettingPercent(UIDEVDATA*, int value) {
    HDC screen = GetDC(nullptr);
    int pixels = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    int percent = pixels > 0 ? pixels * 100 / kLayoutPixelsPerInch : 100;
    return static_cast<int>(static_cast<long long>(value) * percent / 100);
}

WORD ParseDecimalHundredths(UIDEVDATA* ctx, const char* text) {
    if (!text) return kNotHundredths;
    char separator[8] = {};
    if (!ctx || !ctx->svc || ctx->svc->LoadString(ctx, kDecimalSeparatorText, separator, sizeof separator) <= 0 ||
        !separator[0])
        std::strcpy(separator, ".");
    const size_t separatorLength = std::strlen(separator);

    const char* p = text;
    if (*p == '+') ++p;
    unsigned long whole = 0, fraction = 0;
    int wholeDigits = 0, fractionDigits = 0;
    bool seenSeparator = false;
    while (*p) {
        if (*p >= '0' && *p <= '9') {
            if (seenSeparator) {
                if (++fractionDigits > 2) return kNotHundredths;
                fraction = fraction * 10 + static_cast<unsigned long>(*p - '0');
            } else {
                ++wholeDigits;
                whole = whole * 10 + static_cast<unsigned long>(*p - '0');
                if (whole > kNotHundredths) return kNotHundredths;
            }
            ++p;
        } else if (!seenSeparator && std::strncmp(p, separator, separatorLength) == 0) {
            seenSeparator = true;
            p += separatorLength;
        } else {
            return kNotHundredths;
        }
    }
    if (wholeDigits == 0 && fractionDigits == 0) return kNotHundredths;
    if (fractionDigits == 1) fraction *= 10;
    unsigned long value = whole * 100 + fraction;
    return value < kNotHundredths ? static_cast<WORD>(value) : kNotHundredths;
}
