// The dialog-item functions: finding a control by id and reading or writing its text, number and
// check state through the control's own messages.
#include "platform/user/dialog.h"
#include "platform/user/window.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The controls GetDlgItem found last on this thread: a page's fan-out asks for the same controls
// again and again, and each ask walked the dialog's children. An answer stands while no list of
// children and no id changed since and its window lives.
struct FoundItem {
    uint64_t stamp = 0;
    HWND dialog = nullptr;
    WORD id = 0;
    HWND child = nullptr;
};
constexpr size_t kFoundItems = 128;
thread_local FoundItem t_found[kFoundItems];

// Another thread's dialog, which its thread may destroy meanwhile, or none.
[[gnu::noinline]] HWND foreignItem(HWND dialog, WORD id) {
    HWND child = nullptr;
    if (!user::ChildWithId(dialog, id, child) || !child) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return child;
}

}  // namespace

extern "C" HWND WINAPI GetDlgItem(HWND dialog, int id) {
    if (!user::FromHandle(dialog)) return nullptr;
    // Ids are compared in 16 bits, as templates store them and WM_COMMAND carries them.
    const auto key = static_cast<WORD>(id);
    const uint64_t stamp = user::ChildrenStamp();
    FoundItem& found = t_found[((reinterpret_cast<uintptr_t>(dialog) >> 2) ^ key) & (kFoundItems - 1)];
    if (found.dialog == dialog && found.id == key && found.stamp == stamp && user::Find(found.child))
        return found.child;
    // Only the dialog's own thread may walk its children unlocked.
    const user::Window* w = user::FindOwn(dialog);
    if (!w) return foreignItem(dialog, key);
    if (HWND child = user::FindWithId(w->children, key)) {
        found = {stamp, dialog, key, child};
        return child;
    }
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
}

extern "C" int WINAPI GetDlgCtrlID(HWND hwnd) {
    user::Window* w = user::FromHandle(hwnd);
    return w && (w->style & WS_CHILD) ? static_cast<int>(w->id) : 0;
}

extern "C" LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND control = GetDlgItem(dialog, id);
    return control ? SendMessageA(control, msg, wParam, lParam) : 0;
}

extern "C" BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    HWND control = GetDlgItem(dialog, id);
    return control ? SetWindowTextA(control, text) : FALSE;
}

extern "C" UINT WINAPI GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) {
        if (buffer && size > 0) buffer[0] = 0;
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(control, buffer, size));
}

extern "C" BOOL WINAPI SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
    char text[16];
    if (isSigned) std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    else std::snprintf(text, sizeof text, "%u", value);
    return SetDlgItemTextA(dialog, id, text);
}

// Leading spaces are skipped, an optional minus sign is taken when signed, and the digits are
// read up to the first other character; no digit, or a value out of range, is not translated.
extern "C" UINT WINAPI GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    if (translated) *translated = FALSE;
    HWND control = GetDlgItem(dialog, id);
    if (!control) return 0;
    int length = GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(control, text.data(), length + 1);
    const char* p = text.c_str();
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '-' && isSigned) {
        negative = true;
        ++p;
    } else if (*p == '+') {
        ++p;
    }
    if (*p < '0' || *p > '9') return 0;
    unsigned long long magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        magnitude = magnitude * 10 + static_cast<unsigned>(*p - '0');
        if (magnitude > UINT_MAX) return 0;
    }
    if (isSigned) {
        long long value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
        if (value < INT_MIN || value > INT_MAX) return 0;
        if (translated) *translated = TRUE;
        return static_cast<UINT>(static_cast<int>(value));
    }
    if (translated) *translated = TRUE;
    return static_cast<UINT>(magnitude);
}

extern "C" BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return FALSE;
    SendMessageA(control, BM_SETCHECK, check, 0);
    return TRUE;
}

extern "C" UINT WINAPI IsDlgButtonChecked(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control ? static_cast<UINT>(SendMessageA(control, BM_GETCHECK, 0, 0)) : 0;
}

extern "C" BOOL WINAPI CheckRadioButton(HWND dialog, int first, int last, int check) {
    user::Window* w = user::FromHandle(dialog);
    if (!w) return FALSE;
    for (HWND child : std::vector<HWND>(w->children)) {
        int id = GetDlgCtrlID(child);
        if (id >= first && id <= last) SendMessageA(child, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return TRUE;
}

extern "C" BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect) {
    user::DialogInfo* info = user::FromHandle(dialog) ? user::InfoOf(dialog) : nullptr;
    if (!info || !rect) return FALSE;
    rect->left = user::DialogUnitsToPixelsX(*info, rect->left);
    rect->right = user::DialogUnitsToPixelsX(*info, rect->right);
    rect->top = user::DialogUnitsToPixelsY(*info, rect->top);
    rect->bottom = user::DialogUnitsToPixelsY(*info, rect->bottom);
    return TRUE;
}

extern "C" LONG WINAPI GetDialogBaseUnits(void) { return MAKELONG(8, 16); }
