// The scripted user (see drvtest/scripted_user.h): it drives controls with the same messages the
// mouse and the keyboard produce, so the dialog procedure sees what it would see with a person.
#include "drvtest/scripted_user.h"

#include "platform/user/modal_observer.h"

#include <commctrl.h>

namespace drvtest {
namespace {

HWND usable(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control && IsWindowVisible(control) && IsWindowEnabled(control) ? control : nullptr;
}

void clickAt(HWND control, int x, int y) {
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

bool isCombo(HWND control) {
    char name[16] = "";
    GetClassNameA(control, name, sizeof name);
    return std::string(name) == "ComboBox";
}

bool isListView(HWND control) {
    char name[32] = "";
    GetClassNameA(control, name, sizeof name);
    return std::string(name) == WC_LISTVIEWA;
}


// A click on the row's first column, scrolled into view first.
bool clickListViewRow(HWND control, int row) {
    if (row < 0 || row >= int(SendMessageA(control, LVM_GETITEMCOUNT, 0, 0))) return false;
    SendMessageA(control, LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    if (!SendMessageA(control, LVM_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&r))) return false;
    clickAt(control, r.left + 2, (r.top + r.bottom) / 2);
    return true;
}

// A key as the dialog's loop would deliver it: through IsDialogMessageA, then to the control.
void key(HWND dialog, HWND control, UINT vk) {
    MSG down{control, WM_KEYDOWN, vk, 0, 0, {0, 0}};
    if (!IsDialogMessageA(dialog, &down)) SendMessageA(control, WM_KEYDOWN, vk, 0);
    if (!IsWindow(control)) return;
    MSG up{control, WM_KEYUP, vk, 0, 0, {0, 0}};
    if (!IsDialogMessageA(dialog, &up)) SendMessageA(control, WM_KEYUP, vk, 0);
}

}  // namespace

ScriptedUser::ScriptedUser() : observer_(std::make_unique<user::ModalObserver>()) {
    observer_->dialogShown = &ScriptedUser::dialogShown;
    observer_->messageBox = &ScriptedUser::messageBox;
    observer_->popupMenu = &ScriptedUser::popupMenu;
    observer_->context = this;
    previous_ = user::SetModalObserver(observer_.get());
}

ScriptedUser::~ScriptedUser() { user::SetModalObserver(previous_); }

void ScriptedUser::dialogShown(HWND dialog, void* self) {
    auto* me = static_cast<ScriptedUser*>(self);
    ++me->dialogsSeen_;
    if (me->scripts_.empty()) return;
    auto script = std::move(me->scripts_.front());
    me->scripts_.pop_front();
    script(dialog);
}

int ScriptedUser::messageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type, void* self) {
    auto* me = static_cast<ScriptedUser*>(self);
    me->boxes_.push_back({owner, text, caption, type});
    if (me->answers_.empty()) return 0;
    int answer = me->answers_.front();
    me->answers_.pop_front();
    return answer;
}

UINT ScriptedUser::popupMenu(HMENU, HWND, void* self) {
    auto* me = static_cast<ScriptedUser*>(self);
    if (me->commands_.empty()) return 0;
    UINT id = me->commands_.front();
    me->commands_.pop_front();
    return id;
}

bool Click(HWND dialog, int id) {
    HWND control = usable(dialog, id);
    if (!control) return false;
    clickAt(control, 1, 1);
    return true;
}

bool PressOk(HWND dialog) {
    if (GetDlgItem(dialog, IDOK)) return Click(dialog, IDOK);
    key(dialog, GetFocus() ? GetFocus() : dialog, VK_RETURN);
    return true;
}

bool PressCancel(HWND dialog) {
    if (GetDlgItem(dialog, IDCANCEL)) return Click(dialog, IDCANCEL);
    key(dialog, GetFocus() ? GetFocus() : dialog, VK_ESCAPE);
    return true;
}

bool SetCheck(HWND dialog, int id, UINT state) {
    for (int i = 0; i < 3; ++i) {
        if (IsDlgButtonChecked(dialog, id) == state) return true;
        if (!Click(dialog, id)) return false;
    }
    return IsDlgButtonChecked(dialog, id) == state;
}

bool ChooseEntry(HWND dialog, int id, int index) {
    HWND control = usable(dialog, id);
    if (!control) return false;
    if (isListView(control)) return clickListViewRow(control, index);
    bool combo = isCombo(control);
    LRESULT count = SendMessageA(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    if (index < 0 || index >= count) return false;
    // The entry is scrolled to the top of the list, then clicked.
    SendMessageA(control, combo ? CB_SETTOPINDEX : LB_SETTOPINDEX, index, 0);
    if (!combo) {
        clickAt(control, 1, 1);
        return true;
    }
    if (!SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0)) clickAt(control, 1, 1);
    RECT field;
    GetWindowRect(control, &field);
    clickAt(control, 1, field.bottom - field.top + 1);
    return true;
}

bool ChooseEntryByText(HWND dialog, int id, const char* text) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return false;
    if (isListView(control)) {
        for (int row = 0, n = int(SendMessageA(control, LVM_GETITEMCOUNT, 0, 0)); row < n; ++row)
            if (ReadCell(control, row, 0) == text) return ChooseEntry(dialog, id, row);
        return false;
    }
    bool combo = isCombo(control);
    auto index = SendMessageA(control, combo ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(text));
    return index >= 0 && ChooseEntry(dialog, id, static_cast<int>(index));
}

bool Type(HWND dialog, int id, const char* text) {
    HWND control = usable(dialog, id);
    if (!control || !text) return false;
    clickAt(control, 1, 1);
    if (isCombo(control)) {
        for (int n = GetWindowTextLengthA(control); n > 0; --n) SendMessageA(control, WM_CHAR, '\b', 0);
    } else {
        SendMessageA(control, EM_SETSEL, 0, -1);
        if (*text == 0) SendMessageA(control, WM_CHAR, '\b', 0);
    }
    for (const char* p = text; *p && IsWindow(control); ++p) SendMessageA(control, WM_CHAR, static_cast<unsigned char>(*p), 0);
    return true;
}

bool PressKey(HWND dialog, int id, UINT virtualKey) {
    HWND control = usable(dialog, id);
    if (!control) return false;
    SetFocus(control);
    key(dialog, control, virtualKey);
    return true;
}

std::string ReadText(HWND dialog, int id) {
    char text[1024] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::vector<std::string> ScriptedUser::messageTexts() const {
    std::vector<std::string> texts;
    for (const MessageBoxSeen& box : boxes_) texts.push_back(box.text);
    return texts;
}

std::string ReadCell(HWND listView, int row, int column) {
    char text[1024] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(listView, LVM_GETITEMTEXTA, WPARAM(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

std::vector<std::string> ReadEntries(HWND dialog, int id) {
    std::vector<std::string> texts;
    HWND control = GetDlgItem(dialog, id);
    if (!control) return texts;
    if (isListView(control)) {
        for (int row = 0, n = int(SendMessageA(control, LVM_GETITEMCOUNT, 0, 0)); row < n; ++row)
            texts.push_back(ReadCell(control, row, 0));
        return texts;
    }
    const bool combo = isCombo(control);
    for (LRESULT i = 0, n = SendMessageA(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0); i < n; ++i) {
        char text[256] = {};
        SendMessageA(control, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        texts.emplace_back(text);
    }
    return texts;
}

std::string ReadSelectedEntry(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return "-";
    const bool combo = isCombo(control);
    const LRESULT at = SendMessageA(control, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
    if (at < 0) return "-";
    char text[256] = {};
    SendMessageA(control, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace drvtest

namespace drvtest {
namespace {

bool mouse(HWND window, int x, int y, UINT msg, WPARAM keys) {
    if (!IsWindow(window)) return false;
    POINT at{x, y};
    ClientToScreen(window, &at);
    SetCursorPos(at.x, at.y);
    SendMessageA(window, msg, keys, MAKELPARAM(x, y));
    return true;
}

}  // namespace

bool MoveMouse(HWND window, int x, int y) { return mouse(window, x, y, WM_MOUSEMOVE, 0); }

bool ClickMouse(HWND window, int x, int y) {
    return MoveMouse(window, x, y) && mouse(window, x, y, WM_LBUTTONDOWN, MK_LBUTTON) &&
           (mouse(window, x, y, WM_LBUTTONUP, 0) || true);
}

bool DragMouse(HWND window, POINT from, POINT to, WPARAM keys, int steps) {
    if (!MoveMouse(window, from.x, from.y) || !mouse(window, from.x, from.y, WM_LBUTTONDOWN, keys | MK_LBUTTON))
        return false;
    steps = steps < 1 ? 1 : steps;
    for (int i = 1; i <= steps; ++i) {
        const int x = from.x + (to.x - from.x) * i / steps, y = from.y + (to.y - from.y) * i / steps;
        if (!mouse(window, x, y, WM_MOUSEMOVE, keys | MK_LBUTTON)) return false;
    }
    return mouse(window, to.x, to.y, WM_LBUTTONUP, keys);
}

bool RightClickMouse(HWND window, int x, int y) {
    return MoveMouse(window, x, y) && mouse(window, x, y, WM_RBUTTONDOWN, MK_RBUTTON) &&
           (mouse(window, x, y, WM_RBUTTONUP, 0) || true);
}

}  // namespace drvtest
