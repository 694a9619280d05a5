// Dialog creation from a template, in the original's order: the dialog window, WM_SETFONT, the
// controls (owner-drawn ones ask for their size with WM_MEASUREITEM while they are created, so the
// dialog procedure sees it before WM_INITDIALOG), WM_INITDIALOG, the focus, and last the showing.
#include "platform/resources/res_file.h"
#include "platform/user/controls.h"
#include "platform/user/dialog.h"
#include "platform/user/window.h"

namespace user {
namespace {

// The template's font, at the screen's 96 dots per inch; null when the template names none.
HFONT templateFont(const DialogTemplate& tmpl) {
    if (!tmpl.hasFont || tmpl.pointSize == 0 || tmpl.pointSize > 72) return nullptr;
    int height = -MulDivRound(tmpl.pointSize, 96, 72);
    return CreateFontA(height, 0, 0, 0, tmpl.weight ? tmpl.weight : FW_NORMAL, tmpl.italic, FALSE, FALSE,
                       tmpl.charset, 0, 0, 0, 0, tmpl.typeface.c_str());
}

// Base units of the dialog's font: the average width of the letters and the height of a line,
// as the original measures them; the system font's 8 by 16 without a font.
void setBaseUnits(DialogInfo& info, HFONT font) {
    info.baseX = 8;
    info.baseY = 16;
    if (!font) return;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    SIZE size{0, 0};
    const char* letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if (GetTextMetricsA(dc, &metrics) && GetTextExtentPoint32A(dc, letters, 52, &size) && size.cx > 0 &&
        metrics.tmHeight > 0) {
        info.baseX = (size.cx / 26 + 1) / 2;
        info.baseY = metrics.tmHeight;
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
}

const char* itemClass(const DialogItem& item) {
    if (item.windowClass.ordinal) return PredefinedClassName(item.windowClass.ordinal);
    return item.windowClass.text.c_str();
}

bool createControls(HWND dialog, HINSTANCE instance, const DialogTemplate& tmpl, const DialogInfo& info) {
    for (const DialogItem& item : tmpl.items) {
        const char* cls = itemClass(item);
        LPCSTR title = item.title.ordinal ? MAKEINTRESOURCEA(item.title.ordinal) : item.title.text.c_str();
        int x = DialogUnitsToPixelsX(info, item.x), y = DialogUnitsToPixelsY(info, item.y);
        int cx = DialogUnitsToPixelsX(info, item.cx), cy = DialogUnitsToPixelsY(info, item.cy);
        LPVOID data = item.creationData.empty() ? nullptr : const_cast<uint8_t*>(item.creationData.data());
        HWND control = cls ? CreateWindowExA(item.exStyle | WS_EX_NOPARENTNOTIFY, cls, title,
                                             (item.style | WS_CHILD) & ~WS_POPUP, x, y, cx, cy, dialog,
                                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance, data)
                           : nullptr;
        if (!IsWindow(dialog)) return false;
        if (!control) {
            if (tmpl.style & DS_NOFAILCREATE) continue;
            return false;
        }
        if (info.font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(info.font), FALSE);
    }
    return true;
}

}  // namespace

int MulDivRound(int value, int numerator, int denominator) {
    long long product = static_cast<long long>(value) * numerator;
    long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

int DialogUnitsToPixelsX(const DialogInfo& info, int units) { return MulDivRound(units, info.baseX, 4); }
int DialogUnitsToPixelsY(const DialogInfo& info, int units) { return MulDivRound(units, info.baseY, 8); }

bool LoadDialogTemplate(HINSTANCE instance, LPCSTR name, DialogTemplate& out) {
    HRSRC found = FindResourceA(instance, name, RT_DIALOG);
    if (!found) return false;
    auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(instance, found)));
    if (!bytes || !ParseDialogTemplate(bytes, SizeofResource(instance, found), out)) {
        SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    return true;
}

HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate& tmpl, HWND parent, DLGPROC proc, LPARAM param,
                              bool modal) {
    if (parent && !FromHandle(parent)) return nullptr;
    DialogInfo units;
    HFONT font = templateFont(tmpl);
    setBaseUnits(units, font);
    DWORD style = tmpl.style;
    DWORD exStyle = tmpl.exStyle;
    if (style & DS_CONTROL) {
        // A dialog inside another (a property page) has no frame and joins its tab order.
        style &= ~(WS_CAPTION | WS_SYSMENU | WS_POPUP);
        style |= WS_CHILD;
        exStyle |= WS_EX_CONTROLPARENT;
    }
    if (style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
    RECT rect{0, 0, DialogUnitsToPixelsX(units, tmpl.cx), DialogUnitsToPixelsY(units, tmpl.cy)};
    RECT in = FrameInsets(style, exStyle);
    int width = rect.right + in.left + in.right, height = rect.bottom + in.top + in.bottom;
    POINT at{DialogUnitsToPixelsX(units, tmpl.x), DialogUnitsToPixelsY(units, tmpl.y)};
    if (!(style & WS_CHILD)) {
        HWND owner = parent ? GetAncestor(parent, GA_ROOT) : nullptr;
        RECT area;
        GetWindowRect(owner ? owner : GetDesktopWindow(), &area);
        if (style & (DS_CENTER | DS_CENTERMOUSE)) {
            at = {area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
        } else if (owner && !(style & DS_ABSALIGN)) {
            ClientToScreen(owner, &at);
        }
    }
    const char* cls = kDialogClass;
    if (tmpl.windowClass.ordinal) cls = PredefinedClassName(tmpl.windowClass.ordinal);
    else if (!tmpl.windowClass.text.empty()) cls = tmpl.windowClass.text.c_str();
    HWND dialog = CreateWindowExA(exStyle, cls, tmpl.title.c_str(), style & ~WS_VISIBLE, at.x, at.y, width, height,
                                  parent, nullptr, instance, nullptr);
    DialogInfo* info = dialog ? InfoOf(dialog) : nullptr;
    if (!info) {
        if (dialog) DestroyWindow(dialog);
        if (font) DeleteObject(font);
        return nullptr;
    }
    info->ownedFont = font;
    info->font = font;
    info->baseX = units.baseX;
    info->baseY = units.baseY;
    info->modal = modal;
    SetWindowLongPtrA(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    if (font) SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    if (!IsWindow(dialog) || !createControls(dialog, instance, tmpl, *info)) {
        if (IsWindow(dialog)) DestroyWindow(dialog);
        return nullptr;
    }
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    LRESULT setFocus = SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
    if (!IsWindow(dialog)) return nullptr;
    bool show = modal || (tmpl.style & WS_VISIBLE);
    if (show && !(InfoOf(dialog) && InfoOf(dialog)->ended)) {
        ShowWindow(dialog, SW_SHOWNORMAL);
        UpdateWindow(dialog);
    }
    if (setFocus && first && IsWindow(first)) {
        if (show) {
            SetFocus(first);
            if (SendMessageA(first, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(first, EM_SETSEL, 0, -1);
        } else if (DialogInfo* i = InfoOf(dialog)) {
            i->savedFocus = first;
        }
    }
    return IsWindow(dialog) ? dialog : nullptr;
}

}  // namespace user

extern "C" HWND WINAPI CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA tmpl, HWND parent, DLGPROC proc,
                                                  LPARAM param) {
    user::DialogTemplate parsed;
    // An in-memory template carries no length; the caller vouches for it, as on the original.
    if (!tmpl || !user::ParseDialogTemplate(reinterpret_cast<const uint8_t*>(tmpl), size_t(1) << 20, parsed)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    return user::CreateDialogFromTemplate(instance, parsed, parent, proc, param, false);
}

extern "C" HWND WINAPI CreateDialogParamA(HINSTANCE instance, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param) {
    user::DialogTemplate parsed;
    if (!user::LoadDialogTemplate(instance, name, parsed)) return nullptr;
    return user::CreateDialogFromTemplate(instance, parsed, parent, proc, param, false);
}
