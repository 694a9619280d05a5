// Tooltips: a popup that shows the text of the tool under the mouse. Tools are areas of a window
// or whole windows; their text is fixed or asked from the tool's window (TTN_GETDISPINFO) when
// the tip appears. Mouse messages reach the tooltip relayed by the owner (TTM_RELAYEVENT) or
// through a subclass of the tool's window (TTF_SUBCLASS). There are no delays on this machine:
// a tip shows as soon as the mouse rests on a tool. The tip's text is its window text.
#include "platform/commctl/common_control.h"
#include "platform/user/control_paint.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace commctl {
namespace {

// What TTM_GETTEXT copies when the caller gives no size, as the original's fixed buffer.
constexpr size_t kDefaultTextRoom = 80;

struct Tool {
    UINT flags = 0;
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    RECT rect{};
    HINSTANCE hinst = nullptr;
    std::string text;
    bool callback = false;
    LPARAM param = 0;
};

struct Tooltip {
    std::vector<Tool> tools;
    bool active = true;
    int current = -1;  // the tool whose tip is shown
    bool tracking = false;
    POINT trackAt{};
    int delays[4] = {500, 100, 5000, 500};
    COLORREF bk = 0xE1FFFF, text = 0;
    int maxWidth = -1;
    HFONT font = nullptr;
};

Tooltip& state(HWND hwnd) { return *StateOf<Tooltip>(hwnd); }

// ---- Subclassed tool windows ----
struct Subclass {
    WNDPROC old = nullptr;
    std::vector<HWND> tips;
};

std::mutex g_subLock;
std::map<HWND, Subclass>& subclasses() {
    static auto* m = new std::map<HWND, Subclass>;
    return *m;
}

LRESULT CALLBACK relayingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC old = nullptr;
    std::vector<HWND> tips;
    {
        std::lock_guard<std::mutex> guard(g_subLock);
        auto it = subclasses().find(hwnd);
        if (it == subclasses().end()) return DefWindowProcA(hwnd, msg, wParam, lParam);
        old = it->second.old;
        tips = it->second.tips;
    }
    bool mouse = (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST);
    if (mouse) {
        MSG m{hwnd, msg, wParam, lParam, 0, {}};
        for (HWND tip : tips)
            if (IsWindow(tip)) SendMessageA(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
    }
    LRESULT r = CallWindowProcA(old, hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        std::lock_guard<std::mutex> guard(g_subLock);
        subclasses().erase(hwnd);
    }
    return r;
}

HWND subclassTarget(const Tool& t) { return (t.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(t.id) : t.hwnd; }

void subclass(HWND tip, const Tool& t) {
    HWND target = subclassTarget(t);
    if (!(t.flags & TTF_SUBCLASS) || !IsWindow(target)) return;
    std::lock_guard<std::mutex> guard(g_subLock);
    auto it = subclasses().find(target);
    if (it == subclasses().end()) {
        Subclass s;
        s.old = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(target, GWLP_WNDPROC));
        it = subclasses().emplace(target, s).first;
        SetWindowLongPtrA(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(relayingProc));
    }
    auto& tips = it->second.tips;
    if (std::find(tips.begin(), tips.end(), tip) == tips.end()) tips.push_back(tip);
}

// The tooltip stops hearing a window's mouse when no tool of it needs that window any more. The
// subclass itself stays (another procedure may sit above it) and only passes messages on.
void unsubclass(HWND tip, HWND target) {
    if (tip && StateOf<Tooltip>(tip)) {
        for (const Tool& t : state(tip).tools)
            if ((t.flags & TTF_SUBCLASS) && subclassTarget(t) == target) return;
    }
    std::lock_guard<std::mutex> guard(g_subLock);
    auto it = subclasses().find(target);
    if (it == subclasses().end()) return;
    auto& tips = it->second.tips;
    tips.erase(std::remove(tips.begin(), tips.end(), tip), tips.end());
}

// ---- Tools ----
int findTool(HWND tip, HWND hwnd, UINT_PTR id) {
    const auto& tools = state(tip).tools;
    for (size_t i = 0; i < tools.size(); ++i)
        if (tools[i].hwnd == hwnd && tools[i].id == id) return static_cast<int>(i);
    return -1;
}

int findTool(HWND tip, const TTTOOLINFOA* info) { return info ? findTool(tip, info->hwnd, info->uId) : -1; }

// A text given as a string id is read from the tool's module.
std::string resourceText(HINSTANCE module, LPCSTR id) {
    char text[kDefaultTextRoom] = "";
    LoadStringA(module, LOWORD(id), text, sizeof text);
    return text;
}

void storeText(Tool& t, LPCSTR text) {
    t.callback = text == LPSTR_TEXTCALLBACKA;
    if (t.callback || !text) t.text.clear();
    else if (IS_INTRESOURCE(text)) t.text = resourceText(t.hinst, text);
    else t.text = text;
}

void copyText(const std::string& text, LPSTR out, size_t room) {
    if (!out || out == LPSTR_TEXTCALLBACKA || room == 0) return;
    size_t n = std::min(text.size(), room - 1);
    std::memcpy(out, text.data(), n);
    out[n] = 0;
}

void describe(const Tool& t, TTTOOLINFOA* out) {
    out->uFlags = t.flags;
    out->hwnd = t.hwnd;
    out->uId = t.id;
    out->rect = t.rect;
    out->hinst = t.hinst;
    if (t.callback) out->lpszText = LPSTR_TEXTCALLBACKA;
    else copyText(t.text, out->lpszText, kDefaultTextRoom);
    if (out->cbSize > TTTOOLINFOA_V1_SIZE) out->lParam = t.param;
}

LRESULT notifyTool(HWND tip, const Tool& t, UINT code, NMHDR* header) {
    header->hwndFrom = tip;
    header->idFrom = t.id;
    header->code = code;
    return IsWindow(t.hwnd) ? SendMessageA(t.hwnd, WM_NOTIFY, t.id, reinterpret_cast<LPARAM>(header)) : 0;
}

// The text a tool shows now: its own, or the one its window gives for the asking.
std::string textOf(HWND tip, int index) {
    Tool t = state(tip).tools[index];
    if (!t.callback) return t.text;
    NMTTDISPINFOA di{};
    di.uFlags = t.flags;
    di.lParam = t.param;
    notifyTool(tip, t, TTN_GETDISPINFOA, &di.hdr);
    di.szText[sizeof di.szText - 1] = 0;
    std::string text;
    if (di.lpszText && IS_INTRESOURCE(di.lpszText)) text = resourceText(di.hinst, di.lpszText);
    else if (di.lpszText && di.lpszText != LPSTR_TEXTCALLBACKA) text = di.lpszText;
    else if (!di.lpszText) text = di.szText;
    if ((di.uFlags & TTF_DI_SETITEM) && IsWindow(tip) && findTool(tip, t.hwnd, t.id) >= 0) {
        Tool& kept = state(tip).tools[findTool(tip, t.hwnd, t.id)];
        kept.callback = false;
        kept.text = text;
    }
    return text;
}

void pop(HWND tip) {
    Tooltip& s = state(tip);
    if (s.current < 0) return;
    Tool t = s.tools[s.current];
    s.current = -1;
    ShowWindow(tip, SW_HIDE);
    NMHDR h{};
    notifyTool(tip, t, TTN_POP, &h);
}

HFONT fontOf(HWND tip) {
    HFONT font = state(tip).font;
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// The tip's size: its text in its font with a margin and a one-pixel frame, no wider than asked.
SIZE tipSize(HWND tip, const std::string& text) {
    SIZE extent{static_cast<LONG>(text.size()) * 6, 13};
    if (HDC dc = GetDC(tip)) {
        HGDIOBJ old = SelectObject(dc, fontOf(tip));
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(tip, dc);
    }
    SIZE size{extent.cx + 8, extent.cy + 4};
    if (state(tip).maxWidth > 0 && size.cx > state(tip).maxWidth) size.cx = state(tip).maxWidth;
    return size;
}

// The tip's text on its background colour inside a thin frame in the text colour.
void paint(HWND tip) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(tip, &ps);
    if (!dc) return;
    const Tooltip& s = state(tip);
    RECT r;
    GetClientRect(tip, &r);
    HBRUSH back = CreateSolidBrush(s.bk), frame = CreateSolidBrush(s.text);
    FillRect(dc, &r, back);
    FrameRect(dc, &r, frame);
    DeleteObject(back);
    DeleteObject(frame);
    std::string text = user::TextOf(tip);
    HGDIOBJ old = SelectObject(dc, fontOf(tip));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, s.text);
    InflateRect(&r, -4, -2);
    UINT format = DT_SINGLELINE | DT_VCENTER | ((GetWindowLongA(tip, GWL_STYLE) & TTS_NOPREFIX) ? DT_NOPREFIX : 0);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    SelectObject(dc, old);
    EndPaint(tip, &ps);
}

void show(HWND tip, int index, POINT screen) {
    if (state(tip).current == index) return;
    pop(tip);
    if (!IsWindow(tip) || index < 0 || static_cast<size_t>(index) >= state(tip).tools.size()) return;
    std::string text = textOf(tip, index);
    if (!IsWindow(tip) || text.empty() || index >= static_cast<int>(state(tip).tools.size())) return;
    state(tip).current = index;
    SetWindowTextA(tip, text.c_str());
    SIZE size = tipSize(tip, text);
    SetWindowPos(tip, HWND_TOPMOST, screen.x, screen.y + 20, size.cx, size.cy, SWP_NOACTIVATE);
    NMHDR h{};
    notifyTool(tip, state(tip).tools[index], TTN_SHOW, &h);
    if (IsWindow(tip)) ShowWindow(tip, SW_SHOWNOACTIVATE);
}

// The tool under a point of a window's client area, or -1.
int toolAt(HWND tip, HWND hwnd, POINT pt) {
    const auto& tools = state(tip).tools;
    for (size_t i = 0; i < tools.size(); ++i) {
        const Tool& t = tools[i];
        if (t.flags & TTF_TRACK) continue;
        if (t.flags & TTF_IDISHWND) {
            if (reinterpret_cast<HWND>(t.id) == hwnd) return static_cast<int>(i);
        } else if (t.hwnd == hwnd && PtInRect(&t.rect, pt)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void relay(HWND tip, const MSG* m) {
    if (!m || !state(tip).active) return;
    switch (m->message) {
    case WM_MOUSEMOVE: {
        POINT pt{static_cast<short>(LOWORD(m->lParam)), static_cast<short>(HIWORD(m->lParam))};
        int index = toolAt(tip, m->hwnd, pt);
        if (index < 0) {
            pop(tip);
            return;
        }
        POINT screen = pt;
        ClientToScreen(m->hwnd, &screen);
        show(tip, index, screen);
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        pop(tip);
        return;
    default:
        return;
    }
}

LRESULT addTool(HWND tip, const TTTOOLINFOA* info) {
    if (!info || info->cbSize < TTTOOLINFOA_V1_SIZE) return FALSE;
    Tool t;
    t.flags = info->uFlags;
    t.hwnd = info->hwnd;
    t.id = info->uId;
    t.rect = info->rect;
    t.hinst = info->hinst;
    storeText(t, info->lpszText);
    if (info->cbSize > TTTOOLINFOA_V1_SIZE) t.param = info->lParam;
    int existing = findTool(tip, t.hwnd, t.id);
    if (existing >= 0) state(tip).tools[existing] = t;
    else state(tip).tools.push_back(t);
    subclass(tip, t);
    return TRUE;
}

void deleteTool(HWND tip, int index) {
    if (index < 0) return;
    Tooltip& s = state(tip);
    if (s.current == index) pop(tip);
    if (!IsWindow(tip) || static_cast<size_t>(index) >= state(tip).tools.size()) return;
    Tool gone = state(tip).tools[index];
    if (state(tip).current > index) --state(tip).current;
    state(tip).tools.erase(state(tip).tools.begin() + index);
    if (gone.flags & TTF_SUBCLASS) unsubclass(tip, subclassTarget(gone));
}

}  // namespace

static LRESULT tooltipBody(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (msg == WM_NCDESTROY && StateOf<Tooltip>(hwnd)) {
        std::vector<Tool> tools = state(hwnd).tools;
        state(hwnd).tools.clear();
        for (const Tool& t : tools)
            if (t.flags & TTF_SUBCLASS) unsubclass(hwnd, subclassTarget(t));
    }
    if (ManageState<Tooltip>(hwnd, msg, answer)) return answer;
    if (!StateOf<Tooltip>(hwnd)) return DefWindowProcA(hwnd, msg, wParam, lParam);
    Tooltip& s = state(hwnd);
    if (user::ManageFont(hwnd, msg, wParam, lParam, s.font, answer)) return answer;
    auto* info = reinterpret_cast<TTTOOLINFOA*>(lParam);
    switch (msg) {
    case TTM_ADDTOOLA: return addTool(hwnd, info);
    case TTM_DELTOOLA: deleteTool(hwnd, findTool(hwnd, info)); return 0;
    case TTM_NEWTOOLRECTA:
        if (int i = findTool(hwnd, info); i >= 0) s.tools[i].rect = info->rect;
        return 0;
    case TTM_GETTOOLINFOA:
        if (int i = findTool(hwnd, info); i >= 0) {
            describe(s.tools[i], info);
            return TRUE;
        }
        return FALSE;
    case TTM_SETTOOLINFOA:
        if (int i = findTool(hwnd, info); i >= 0) {
            Tool& t = s.tools[i];
            t.flags = info->uFlags;
            t.rect = info->rect;
            t.hinst = info->hinst;
            storeText(t, info->lpszText);
            if (info->cbSize > TTTOOLINFOA_V1_SIZE) t.param = info->lParam;
        }
        return 0;
    case TTM_GETTEXTA:
        if (int i = findTool(hwnd, info); i >= 0 && !s.tools[i].callback)
            copyText(s.tools[i].text, info->lpszText, wParam ? wParam : kDefaultTextRoom);
        return 0;
    case TTM_UPDATETIPTEXTA:
        if (int i = findTool(hwnd, info); i >= 0) {
            if (IS_INTRESOURCE(info->lpszText)) s.tools[i].hinst = info->hinst;
            storeText(s.tools[i], info->lpszText);
            if (s.current == i) SetWindowTextA(hwnd, textOf(hwnd, i).c_str());
        }
        return 0;
    case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(s.tools.size());
    case TTM_ENUMTOOLSA:
        if (!info || wParam >= s.tools.size()) return FALSE;
        describe(s.tools[wParam], info);
        return TRUE;
    case TTM_GETCURRENTTOOLA:
        if (s.current < 0) return FALSE;
        if (info) describe(s.tools[s.current], info);
        return TRUE;
    case TTM_HITTESTA: {
        auto* hit = reinterpret_cast<TTHITTESTINFOA*>(lParam);
        if (!hit) return FALSE;
        int i = toolAt(hwnd, hit->hwnd, hit->pt);
        if (i < 0) return FALSE;
        describe(s.tools[i], &hit->ti);
        return TRUE;
    }
    case TTM_ACTIVATE:
        s.active = wParam != 0;
        if (!s.active) pop(hwnd);
        return 0;
    case TTM_RELAYEVENT: relay(hwnd, reinterpret_cast<const MSG*>(lParam)); return 0;
    case TTM_POP: pop(hwnd); return 0;
    case TTM_UPDATE:
        if (s.current >= 0) SetWindowTextA(hwnd, textOf(hwnd, s.current).c_str());
        return 0;
    case TTM_TRACKACTIVATE: {
        int i = findTool(hwnd, info);
        if (!wParam) {
            if (i >= 0 && s.current == i) pop(hwnd);
            s.tracking = false;
            return 0;
        }
        if (i < 0 || !(s.tools[i].flags & TTF_TRACK)) return 0;
        s.tracking = true;
        show(hwnd, i, s.trackAt);
        return 0;
    }
    case TTM_TRACKPOSITION:
        s.trackAt = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (s.tracking && s.current >= 0) SetWindowPos(hwnd, nullptr, s.trackAt.x, s.trackAt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    case TTM_SETDELAYTIME:
        if (wParam <= TTDT_INITIAL) s.delays[wParam] = static_cast<short>(LOWORD(lParam));
        return 0;
    case TTM_GETDELAYTIME: return wParam <= TTDT_INITIAL ? s.delays[wParam] : 0;
    case TTM_SETTIPBKCOLOR: s.bk = static_cast<COLORREF>(wParam); return 0;
    case TTM_SETTIPTEXTCOLOR: s.text = static_cast<COLORREF>(wParam); return 0;
    case TTM_SETMAXTIPWIDTH: {
        int old = s.maxWidth;
        s.maxWidth = static_cast<int>(lParam);
        return old;
    }
    case TTM_GETMAXTIPWIDTH: return s.maxWidth;
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return TRUE;  // the painting covers every pixel
    case WM_MOUSEMOVE: pop(hwnd); return 0;  // the mouse reached the tip itself
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK TooltipWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Guarded([&] { return tooltipBody(hwnd, msg, wParam, lParam); });
}

}  // namespace commctl
