// The "Edit" class: a text with a selection, a length limit, read-only and number-only modes.
// Typing (WM_CHAR), EM_REPLACESEL and WM_SETTEXT change the text and tell the parent EN_UPDATE
// then EN_CHANGE; text beyond the limit is refused with EN_MAXTEXT.
#include "platform/user/control_paint.h"
#include "platform/user/control_state.h"
#include "platform/user/controls.h"
#include "platform/user/truncated_text.h"
#include "platform/user/window.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace user {
namespace {

constexpr size_t kSingleLineMaximum = 0x7FFFFFFE;

struct EditState {
    std::string text;
    size_t selStart = 0;
    size_t selEnd = 0;
    size_t limit = 30000;
    bool modified = false;
    char passwordChar = 0;
    HFONT font = nullptr;
};

bool readOnly(HWND hwnd) { return (StyleOf(hwnd) & ES_READONLY) != 0; }

void changed(HWND hwnd, EditState& s) {
    s.modified = true;
    InvalidateRect(hwnd, nullptr, TRUE);
    NotifyParent(hwnd, EN_UPDATE);
    NotifyParent(hwnd, EN_CHANGE);
}

std::string filtered(HWND hwnd, std::string text) {
    DWORD style = StyleOf(hwnd);
    if (style & ES_UPPERCASE)
        for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (style & ES_LOWERCASE)
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!(style & ES_MULTILINE)) text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }), text.end());
    return text;
}

// Replaces the selection with what fits of the text; false when nothing changed.
bool replaceSelection(HWND hwnd, EditState& s, std::string insert) {
    size_t from = std::min(s.selStart, s.selEnd), to = std::max(s.selStart, s.selEnd);
    size_t room = s.limit - std::min(s.limit, s.text.size() - (to - from));
    if (insert.size() > room) {
        insert.resize(room);
        NotifyParent(hwnd, EN_MAXTEXT);
    }
    if (insert.empty() && from == to) return false;
    s.text.replace(from, to - from, insert);
    s.selStart = s.selEnd = from + insert.size();
    return true;
}

void typeChar(HWND hwnd, EditState& s, char c) {
    if (readOnly(hwnd)) {
        MessageBeep(0);
        return;
    }
    if (c == '\b') {
        if (s.selStart == s.selEnd) {
            if (s.selStart == 0) return;
            s.selStart -= 1;
        }
        if (replaceSelection(hwnd, s, "")) changed(hwnd, s);
        return;
    }
    if (static_cast<unsigned char>(c) < 0x20 && !(c == '\r' && (StyleOf(hwnd) & ES_MULTILINE))) return;
    if ((StyleOf(hwnd) & ES_NUMBER) && !std::isdigit(static_cast<unsigned char>(c))) {
        MessageBeep(0);  // a number field takes digits only
        return;
    }
    std::string insert = c == '\r' ? std::string("\r\n") : filtered(hwnd, std::string(1, c));
    if (replaceSelection(hwnd, s, insert)) changed(hwnd, s);
}

void setSelection(EditState& s, LONG_PTR start, LONG_PTR end) {
    size_t n = s.text.size();
    if (start < 0) {  // -1 removes the selection, leaving the caret where it was
        s.selStart = s.selEnd;
        return;
    }
    if (end < 0) end = static_cast<LONG_PTR>(n);
    s.selStart = std::min(static_cast<size_t>(start), n);
    s.selEnd = std::min(static_cast<size_t>(end), n);
}

// Length of the line holding the character at this index, without its line break.
size_t lineLength(const std::string& text, size_t at) {
    at = std::min(at, text.size());
    size_t begin = at == 0 ? std::string::npos : text.rfind('\n', at - 1);
    begin = begin == std::string::npos ? 0 : begin + 1;
    size_t end = text.find_first_of("\r\n", begin);
    return (end == std::string::npos ? text.size() : end) - begin;
}

size_t lineCount(const std::string& text) { return 1 + static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

void paint(HWND hwnd, const EditState& s) {
    PaintScope scope(hwnd);
    HDC dc = scope.dc();
    if (!dc) return;
    RECT r = scope.client();
    // A read-only or disabled field shows the face colour, as the original's static look.
    bool enabled = IsWindowEnabled(hwnd);
    UINT message = enabled && !readOnly(hwnd) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
    FillRect(dc, &r, ParentBrush(hwnd, dc, message));
    std::string shown = s.passwordChar ? std::string(s.text.size(), s.passwordChar) : s.text;
    RECT text = r;
    InflateRect(&text, -1, -1);
    DWORD style = StyleOf(hwnd);
    UINT format = DT_NOPREFIX | ((style & ES_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER) |
                  ((style & ES_CENTER) ? DT_CENTER : (style & ES_RIGHT) ? DT_RIGHT : DT_LEFT);
    DrawLabel(dc, shown, text, format, enabled);
}

}  // namespace

LRESULT CALLBACK EditWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ManageState<EditState>(hwnd, msg);
    EditState* s = StateOf<EditState>(hwnd);
    if (!s) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (LRESULT answer = 0; ManageFont(hwnd, msg, wParam, lParam, s->font, answer)) return answer;
    switch (msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) s->text = filtered(hwnd, cs->lpszName);
        if (StyleOf(hwnd) & ES_PASSWORD) s->passwordChar = '*';
        return TRUE;
    }
    case WM_SETTEXT: {
        auto* text = reinterpret_cast<LPCSTR>(lParam);
        s->text = filtered(hwnd, text ? text : "");
        s->selStart = s->selEnd = 0;
        InvalidateRect(hwnd, nullptr, TRUE);
        s->modified = false;
        // A single-line field reports text set by the program too; a multi-line one does not.
        if (!(StyleOf(hwnd) & ES_MULTILINE)) {
            NotifyParent(hwnd, EN_UPDATE);
            NotifyParent(hwnd, EN_CHANGE);
        }
        return TRUE;
    }
    case WM_GETTEXT:
        return static_cast<LRESULT>(CopyTruncated(s->text, reinterpret_cast<LPSTR>(lParam), wParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(s->text.size());
    case WM_CHAR:
        typeChar(hwnd, *s, static_cast<char>(wParam));
        return 0;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_DELETE:
            if (readOnly(hwnd)) return 0;
            if (s->selStart == s->selEnd) s->selEnd = std::min(s->selEnd + 1, s->text.size());
            if (replaceSelection(hwnd, *s, "")) changed(hwnd, *s);
            return 0;
        case VK_LEFT: s->selStart = s->selEnd = s->selEnd > 0 ? s->selEnd - 1 : 0; return 0;
        case VK_RIGHT: s->selStart = s->selEnd = std::min(s->selEnd + 1, s->text.size()); return 0;
        case VK_HOME: s->selStart = s->selEnd = 0; return 0;
        case VK_END: s->selStart = s->selEnd = s->text.size(); return 0;
        default: return 0;
        }
    case WM_CLEAR:
        if (!readOnly(hwnd) && replaceSelection(hwnd, *s, "")) changed(hwnd, *s);
        return 0;
    case EM_GETSEL: {
        auto start = static_cast<DWORD>(std::min(s->selStart, s->selEnd));
        auto end = static_cast<DWORD>(std::max(s->selStart, s->selEnd));
        if (wParam) *reinterpret_cast<DWORD*>(wParam) = start;
        if (lParam) *reinterpret_cast<DWORD*>(lParam) = end;
        return MAKELRESULT(std::min<DWORD>(start, 0xFFFF), std::min<DWORD>(end, 0xFFFF));
    }
    case EM_SETSEL:
        setSelection(*s, static_cast<LONG_PTR>(static_cast<INT_PTR>(wParam)), lParam);
        return 0;
    case EM_REPLACESEL: {
        auto* text = reinterpret_cast<LPCSTR>(lParam);
        if (replaceSelection(hwnd, *s, filtered(hwnd, text ? text : ""))) changed(hwnd, *s);
        return 0;
    }
    case EM_LIMITTEXT:
        s->limit = wParam ? static_cast<size_t>(wParam) : kSingleLineMaximum;
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(s->limit);
    case EM_SETREADONLY: {
        DWORD style = StyleOf(hwnd);
        SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(wParam ? style | ES_READONLY : style & ~ES_READONLY));
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    case EM_GETMODIFY:
        return s->modified;
    case EM_SETMODIFY:
        s->modified = wParam != 0;
        return 0;
    case EM_GETLINECOUNT:
        return static_cast<LRESULT>(lineCount(s->text));
    case EM_LINELENGTH:
        if (!(StyleOf(hwnd) & ES_MULTILINE)) return static_cast<LRESULT>(s->text.size());
        return static_cast<LRESULT>(lineLength(s->text, static_cast<INT_PTR>(wParam) < 0 ? s->selStart : wParam));
    case EM_CANUNDO:
    case EM_UNDO:
        return FALSE;  // no undo buffer is kept
    case EM_EMPTYUNDOBUFFER:
        return 0;
    case EM_SETPASSWORDCHAR:
        s->passwordChar = static_cast<char>(wParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case EM_GETPASSWORDCHAR:
        return static_cast<unsigned char>(s->passwordChar);
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        return (StyleOf(hwnd) & ES_MULTILINE) ? code | DLGC_WANTALLKEYS : code;
    }
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
    case WM_SETFOCUS:
        NotifyParent(hwnd, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        NotifyParent(hwnd, EN_KILLFOCUS);
        return 0;
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_PAINT:
        paint(hwnd, *s);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace user
