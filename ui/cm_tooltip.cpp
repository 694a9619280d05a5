// The combo-box tooltip. The combo box is subclassed: after each of its messages the tooltip
// looks whether the list is dropped and which entry is highlighted, and asks the callback only
// when that entry changes. The tip is a tracking tool of a common tooltip control, placed beside
// the highlighted entry.
#include "ui/cm_tooltip.h"

#include "core/memory/private_heap.h"

#include <commctrl.h>

#include <array>
#include <cstring>

namespace {

// The controls subclassed by any tooltip: a page has a handful.
struct Subclassed {
    HWND control = nullptr;
    CmTooltip* owner = nullptr;
    int tool = -1;
    WNDPROC previous = nullptr;
};
std::array<Subclassed, 64> g_subclassed;

Subclassed* FindSubclassed(HWND control) {
    for (Subclassed& s : g_subclassed)
        if (s.control == control) return &s;
    return nullptr;
}

TTTOOLINFOA ToolInfo(HWND dialog, HWND control, LPSTR text) {
    TTTOOLINFOA info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    info.hwnd = dialog;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = text;
    return info;
}

// Where the highlighted entry's row of the dropped list begins, on the screen.
POINT EntryPlace(HWND combo, int index) {
    RECT field{};
    GetWindowRect(combo, &field);
    const int top = static_cast<int>(SendMessageA(combo, CB_GETTOPINDEX, 0, 0));
    const int height = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
    const int row = index > top ? index - top : 0;
    return POINT{field.right + 2, field.bottom + row * (height > 0 ? height : 0)};
}

}  // namespace

CmTooltip::CmTooltip(HWND dialog) : dialog_(dialog) {}

CmTooltip::~CmTooltip() {
    for (int i = 0; i < count_; ++i) Release(tools_[i]);
    if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
}

BOOL CmTooltip::AddTool(const CmToolDescription& tool) {
    if (tool.type != kToolComboBox || !tool.callback || count_ >= kMaxTools || !dialog_) return FALSE;
    HWND control = GetDlgItem(dialog_, tool.controlId);
    if (!control || FindSubclassed(control)) return FALSE;
    Subclassed* slot = FindSubclassed(nullptr);
    if (!slot) return FALSE;
    if (!tip_) {
        InitCommonControls();
        tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                               0, 0, dialog_, nullptr, nullptr, nullptr);
        if (!tip_) return FALSE;
    }
    char empty[1] = "";
    TTTOOLINFOA info = ToolInfo(dialog_, control, empty);
    if (!SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info))) return FALSE;
    Tool& added = tools_[count_];
    added = Tool{};
    added.description = tool;
    added.control = control;
    *slot = Subclassed{control, this, count_, nullptr};
    slot->previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CmTooltip::ComboProc)));
    ++count_;
    return TRUE;
}

LRESULT CALLBACK CmTooltip::ComboProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Subclassed* s = FindSubclassed(hwnd);
    if (!s) return DefWindowProcA(hwnd, msg, wParam, lParam);
    const WNDPROC previous = s->previous;
    if (msg == WM_NCDESTROY) {
        if (s->owner) s->owner->Release(s->owner->tools_[s->tool]);
        if ((s = FindSubclassed(hwnd))) *s = Subclassed{};
        return CallWindowProcA(previous, hwnd, msg, wParam, lParam);
    }
    const LRESULT answer = CallWindowProcA(previous, hwnd, msg, wParam, lParam);
    // The message may have ended the tooltip or the control.
    if ((s = FindSubclassed(hwnd)) && s->owner && !s->owner->busy_) s->owner->Follow(s->owner->tools_[s->tool]);
    return answer;
}

void CmTooltip::Follow(Tool& tool) {
    busy_ = true;
    const bool dropped = SendMessageA(tool.control, CB_GETDROPPEDSTATE, 0, 0) != 0;
    const int index = dropped ? static_cast<int>(SendMessageA(tool.control, CB_GETCURSEL, 0, 0)) : -1;
    if (index < 0) {
        Hide(tool);
        tool.askedIndex = -1;
    } else if (index != tool.askedIndex) {
        tool.askedIndex = index;
        const CmToolDescription& d = tool.description;
        LPSTR text = d.callback(d.argument, dialog_, d.controlId, index);
        char copy[kMaxText] = "";
        if (text) {
            lstrcpynA(copy, text, static_cast<int>(sizeof copy));
            PrivateFree(text);
        }
        if (copy[0]) Show(tool, index, copy);
        else Hide(tool);
    }
    busy_ = false;
}

void CmTooltip::Show(Tool& tool, int index, LPCSTR text) {
    if (!tip_ || !IsWindow(tip_)) return;
    char buffer[kMaxText];
    lstrcpynA(buffer, text, static_cast<int>(sizeof buffer));
    TTTOOLINFOA info = ToolInfo(dialog_, tool.control, buffer);
    SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    const POINT at = EntryPlace(tool.control, index);
    SendMessageA(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    if (!tool.shown) SendMessageA(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
    tool.shown = true;
}

void CmTooltip::Hide(Tool& tool) {
    if (!tool.shown) return;
    tool.shown = false;
    if (!tip_ || !IsWindow(tip_)) return;
    TTTOOLINFOA info = ToolInfo(dialog_, tool.control, nullptr);
    SendMessageA(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
}

void CmTooltip::Release(Tool& tool) {
    Subclassed* s = FindSubclassed(tool.control);
    if (!s || s->owner != this) return;
    Hide(tool);
    if (tip_ && IsWindow(tip_)) {
        TTTOOLINFOA info = ToolInfo(dialog_, tool.control, nullptr);
        SendMessageA(tip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
    // With a later subclass on top of ours, taking ours out would cut the chain: the entry then
    // only passes messages on until the control goes.
    const bool alive = IsWindow(tool.control) != FALSE;
    if (alive && GetWindowLongPtrA(tool.control, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&CmTooltip::ComboProc)) {
        s->owner = nullptr;
        return;
    }
    if (alive) SetWindowLongPtrA(tool.control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s->previous));
    *s = Subclassed{};
}
