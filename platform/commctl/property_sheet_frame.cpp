// The sheet's own dialog: a tab control and the OK, Cancel, Apply and Help buttons, made from a
// template built here, then laid out in pixels around the largest page once it exists.
#include "platform/commctl/property_sheet.h"

#include <algorithm>

#include "platform/user/dialog.h"

namespace commctl {
namespace {

constexpr int kMargin = 7;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;

user::DialogItem item(const char* cls, const char* text, int id, DWORD style) {
    user::DialogItem it;
    it.windowClass.text = cls;
    it.title.text = text;
    it.id = static_cast<DWORD>(id);
    it.style = WS_CHILD | WS_VISIBLE | style;
    return it;
}

// A page's size in pixels, from its template and its font, as its dialog will have it.
SIZE pagePixels(const user::DialogTemplate& t) {
    int baseX = 8, baseY = 16;
    if (t.hasFont && t.pointSize > 0 && t.pointSize <= 72) {
        baseX = user::MulDivRound(6, t.pointSize, 8);
        baseY = user::MulDivRound(13, t.pointSize, 8);
    }
    return SIZE{user::MulDivRound(t.cx, baseX, 4), user::MulDivRound(t.cy, baseY, 8)};
}

bool hasHelp(const Sheet& sheet) {
    if (sheet.header.dwFlags & PSH_HASHELP) return true;
    for (HPROPSHEETPAGE p : sheet.pages)
        if (p->copy()->dwFlags & PSP_HASHELP) return true;
    return false;
}

}  // namespace

user::DialogTemplate SheetFrameTemplate(const Sheet& sheet) {
    user::DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT;
    if (!(sheet.header.dwFlags & PSH_NOCONTEXTHELP)) t.exStyle |= WS_EX_CONTEXTHELP;
    t.exStyle |= WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME;
    t.title = sheet.caption;
    t.hasFont = true;
    t.pointSize = 8;
    t.typeface = "MS Sans Serif";
    t.items.push_back(item(WC_TABCONTROLA, "", kTabId, WS_TABSTOP | WS_CLIPSIBLINGS));
    t.items.push_back(item("Button", "OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON));
    t.items.push_back(item("Button", "Cancel", IDCANCEL, WS_TABSTOP | BS_PUSHBUTTON));
    if (!(sheet.header.dwFlags & PSH_NOAPPLYNOW))
        t.items.push_back(item("Button", "&Apply", kApplyId, WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON));
    if (hasHelp(sheet)) t.items.push_back(item("Button", "Help", IDHELP, WS_TABSTOP | BS_PUSHBUTTON));
    return t;
}

// Places the tab control around the largest page and the buttons in a row below, right-aligned,
// and sizes the sheet to hold them; pageArea is where the pages stand.
void LayOutSheet(Sheet& sheet) {
    SIZE page{0, 0};
    for (HPROPSHEETPAGE p : sheet.pages) {
        if (!LoadPageTemplate(p)) continue;
        SIZE s = pagePixels(p->tmpl);
        page.cx = std::max(page.cx, s.cx);
        page.cy = std::max(page.cy, s.cy);
    }
    RECT tab{0, 0, page.cx, page.cy};
    SendMessageA(sheet.tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&tab));
    OffsetRect(&tab, kMargin - tab.left, kMargin - tab.top);
    sheet.pageArea = RECT{0, 0, page.cx, page.cy};
    SendMessageA(sheet.tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&sheet.pageArea));
    OffsetRect(&sheet.pageArea, tab.left, tab.top);
    MoveWindow(sheet.tab, tab.left, tab.top, tab.right - tab.left, tab.bottom - tab.top, FALSE);

    int buttons[] = {IDOK, IDCANCEL, kApplyId, IDHELP};
    int shown = 0;
    for (int id : buttons) shown += GetDlgItem(sheet.hwnd, id) ? 1 : 0;
    int rowWidth = shown * kButtonWidth + (shown - 1) * kButtonGap;
    int width = std::max<int>(tab.right + kMargin, rowWidth + 2 * kMargin);
    int y = tab.bottom + kMargin;
    int x = width - kMargin - rowWidth;
    for (int id : buttons) {
        HWND b = GetDlgItem(sheet.hwnd, id);
        if (!b) continue;
        MoveWindow(b, x, y, kButtonWidth, kButtonHeight, FALSE);
        x += kButtonWidth + kButtonGap;
    }
    RECT window, client;
    GetWindowRect(sheet.hwnd, &window);
    GetClientRect(sheet.hwnd, &client);
    int frameX = (window.right - window.left) - client.right, frameY = (window.bottom - window.top) - client.bottom;
    SetWindowPos(sheet.hwnd, nullptr, 0, 0, width + frameX, y + kButtonHeight + kMargin + frameY,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace commctl
