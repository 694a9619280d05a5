// The sheet's dialog procedure. It speaks to the pages in the original's order: switching pages
// asks the page being left (PSN_KILLACTIVE, which may keep it), then creates the new page on its
// first showing and tells it PSN_SETACTIVE; OK and Apply ask the current page to let go, then send
// PSN_APPLY to every page created so far (any may refuse), Apply then reactivates the current page;
// Cancel asks the current page (PSN_QUERYCANCEL) and sends PSN_RESET to every page created.
#include "platform/commctl/property_sheet.h"

#include <algorithm>

namespace commctl {
namespace {

Sheet* sheetOf(HWND hwnd) { return reinterpret_cast<Sheet*>(GetWindowLongPtrA(hwnd, DWLP_USER)); }

bool validIndex(const Sheet& s, int i) { return i >= 0 && static_cast<size_t>(i) < s.pages.size(); }

HWND pageWindow(const Sheet& s, int i) {
    HWND page = validIndex(s, i) ? s.pages[i]->hwnd : nullptr;
    return page && IsWindow(page) ? page : nullptr;
}

LRESULT notifyPage(Sheet& s, int i, UINT code, LPARAM lParam) {
    HWND page = pageWindow(s, i);
    if (!page) return 0;
    PSHNOTIFY n{};
    n.hdr.hwndFrom = s.hwnd;
    n.hdr.idFrom = 0;
    n.hdr.code = code;
    n.lParam = lParam;
    return SendMessageA(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
}

bool killCurrent(Sheet& s) { return s.current < 0 || notifyPage(s, s.current, PSN_KILLACTIVE, 0) == 0; }

// Shows page i in place of the current one; the page being left has already agreed.
bool showPage(Sheet& s, int i) {
    if (!validIndex(s, i)) return false;
    bool fresh = !pageWindow(s, i);
    HWND page = CreatePageWindow(s.pages[i], s.hwnd);
    if (!page || !IsWindow(s.hwnd)) return false;
    if (fresh) {
        MoveWindow(page, s.pageArea.left, s.pageArea.top, s.pageArea.right - s.pageArea.left,
                   s.pageArea.bottom - s.pageArea.top, FALSE);
        SetWindowPos(page, s.tab, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);  // tab order after the tabs
    }
    int old = s.current;
    s.current = i;
    notifyPage(s, i, PSN_SETACTIVE, 0);
    if (!IsWindow(s.hwnd) || !IsWindow(page)) return false;
    ShowWindow(page, SW_SHOW);
    if (old != i) {
        if (HWND left = pageWindow(s, old)) ShowWindow(left, SW_HIDE);
    }
    SendMessageA(s.tab, TCM_SETCURSEL, static_cast<WPARAM>(i), 0);
    return true;
}

bool select(Sheet& s, int i) {
    if (!validIndex(s, i)) return false;
    if (i == s.current) return true;
    return killCurrent(s) && showPage(s, i);
}

void end(Sheet& s) {
    s.ended = true;
    ShowWindow(s.hwnd, SW_HIDE);
}

bool apply(Sheet& s, bool ok) {
    if (!killCurrent(s)) return false;
    for (int i = 0; i < static_cast<int>(s.pages.size()); ++i) {
        LRESULT r = notifyPage(s, i, PSN_APPLY, ok ? TRUE : FALSE);
        if (!IsWindow(s.hwnd)) return false;
        if (r == PSNRET_INVALID) {
            if (i != s.current) showPage(s, i);
            return false;
        }
        if (r == PSNRET_INVALID_NOCHANGEPAGE) return false;
    }
    s.applied = true;
    for (HPROPSHEETPAGE p : s.pages) p->changed = false;
    if (HWND button = GetDlgItem(s.hwnd, kApplyId)) EnableWindow(button, FALSE);
    if (!ok) notifyPage(s, s.current, PSN_SETACTIVE, 0);
    return true;
}

void cancel(Sheet& s, bool closeBox) {
    if (notifyPage(s, s.current, PSN_QUERYCANCEL, 0)) return;
    for (int i = 0; i < static_cast<int>(s.pages.size()) && IsWindow(s.hwnd); ++i)
        notifyPage(s, i, PSN_RESET, closeBox ? TRUE : FALSE);
    if (IsWindow(s.hwnd)) end(s);
}

void command(Sheet& s, int id) {
    if (s.ended) return;
    switch (id) {
    case IDOK:
        if (apply(s, true) && IsWindow(s.hwnd)) end(s);
        break;
    case IDCANCEL: cancel(s, false); break;
    case kApplyId: apply(s, false); break;
    case IDHELP: notifyPage(s, s.current, PSN_HELP, 0); break;
    default: break;
    }
}

int indexOfWindow(const Sheet& s, HWND page) {
    for (size_t i = 0; i < s.pages.size(); ++i)
        if (page && s.pages[i]->hwnd == page) return static_cast<int>(i);
    return -1;
}

int indexOfPage(const Sheet& s, HPROPSHEETPAGE page) {
    auto it = std::find(s.pages.begin(), s.pages.end(), page);
    return it == s.pages.end() ? -1 : static_cast<int>(it - s.pages.begin());
}

void markChanged(Sheet& s, HWND page, bool changed) {
    int i = indexOfWindow(s, page);
    if (i < 0) return;
    s.pages[i]->changed = changed;
    bool any = std::any_of(s.pages.begin(), s.pages.end(), [](HPROPSHEETPAGE p) { return p->changed; });
    if (HWND button = GetDlgItem(s.hwnd, kApplyId)) EnableWindow(button, any);
}

void insertTab(Sheet& s, int i) {
    std::string title = PageTitle(s.pages[i]);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = title.data();
    SendMessageA(s.tab, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
}

bool removePage(Sheet& s, int i) {
    if (!validIndex(s, i)) return false;
    if (i == s.current) {
        int next = validIndex(s, i + 1) ? i + 1 : i - 1;
        if (next >= 0) showPage(s, next);
        else s.current = -1;
    }
    HPROPSHEETPAGE page = s.pages[i];
    s.pages.erase(s.pages.begin() + i);
    if (s.current > i) --s.current;
    SendMessageA(s.tab, TCM_DELETEITEM, static_cast<WPARAM>(i), 0);
    if (s.current >= 0) SendMessageA(s.tab, TCM_SETCURSEL, static_cast<WPARAM>(s.current), 0);
    DestroyPropertySheetPage(page);
    return true;
}

int startPage(const Sheet& s) {
    if (s.header.dwFlags & PSH_USEPSTARTPAGE) {
        for (size_t i = 0; i < s.pages.size(); ++i) {
            LPCSTR wanted = s.header.pStartPage;
            if (wanted && !IS_INTRESOURCE(wanted) && PageTitle(s.pages[i]) == wanted) return static_cast<int>(i);
        }
        return 0;
    }
    return s.header.nStartPage < s.pages.size() ? static_cast<int>(s.header.nStartPage) : 0;
}

void initialise(HWND hwnd, Sheet& s) {
    if (s.adopted) *s.adopted = true;
    s.adopted = nullptr;
    s.hwnd = hwnd;
    s.tab = GetDlgItem(hwnd, kTabId);
    for (int i = 0; i < static_cast<int>(s.pages.size()); ++i) insertTab(s, i);
    LayOutSheet(s);
    if ((s.header.dwFlags & PSH_USECALLBACK) && s.header.pfnCallback) s.header.pfnCallback(hwnd, PSCB_INITIALIZED, 0);
    if (IsWindow(hwnd)) showPage(s, startPage(s));
}

// Answers a PSM_ message; false for any other message.
bool sheetMessage(Sheet& s, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
    switch (msg) {
    case PSM_SETCURSEL: {
        int i = lParam ? indexOfPage(s, reinterpret_cast<HPROPSHEETPAGE>(lParam)) : static_cast<int>(wParam);
        answer = select(s, i);
        return true;
    }
    case PSM_SETCURSELID: {
        int found = -1;
        for (size_t i = 0; i < s.pages.size() && found < 0; ++i) {
            const PROPSHEETPAGEA* p = s.pages[i]->copy();
            if (!(p->dwFlags & PSP_DLGINDIRECT) && IS_INTRESOURCE(p->pszTemplate) && LOWORD(p->pszTemplate) == lParam)
                found = static_cast<int>(i);
        }
        answer = select(s, found);
        return true;
    }
    case PSM_CHANGED: markChanged(s, reinterpret_cast<HWND>(wParam), true); answer = 0; return true;
    case PSM_UNCHANGED: markChanged(s, reinterpret_cast<HWND>(wParam), false); answer = 0; return true;
    case PSM_PRESSBUTTON: {
        static const int ids[] = {-1, -1, -1, IDOK, kApplyId, IDCANCEL, IDHELP};
        if (wParam < sizeof ids / sizeof ids[0] && ids[wParam] > 0) command(s, ids[wParam]);
        answer = 0;
        return true;
    }
    case PSM_APPLY: answer = apply(s, false); return true;
    case PSM_GETCURRENTPAGEHWND:
        // A sheet that has ended has no current page; a modeless sheet's owner learns the end so.
        answer = s.ended ? 0 : reinterpret_cast<LRESULT>(pageWindow(s, s.current));
        return true;
    case PSM_GETTABCONTROL: answer = reinterpret_cast<LRESULT>(s.tab); return true;
    case PSM_INDEXTOHWND: answer = reinterpret_cast<LRESULT>(pageWindow(s, static_cast<int>(wParam))); return true;
    case PSM_SETTITLEA: {
        std::string title = lParam && !IS_INTRESOURCE(lParam) ? reinterpret_cast<LPCSTR>(lParam) : "";
        if (wParam & PSH_PROPTITLE) title += " Properties";
        SetWindowTextA(s.hwnd, title.c_str());
        answer = 0;
        return true;
    }
    case PSM_QUERYSIBLINGS:
        answer = 0;
        for (int i = 0; i < static_cast<int>(s.pages.size()) && !answer; ++i)
            if (HWND page = pageWindow(s, i)) answer = SendMessageA(page, PSM_QUERYSIBLINGS, wParam, lParam);
        return true;
    case PSM_CANCELTOCLOSE:
        if (HWND cancel = GetDlgItem(s.hwnd, IDCANCEL)) EnableWindow(cancel, FALSE);
        if (HWND ok = GetDlgItem(s.hwnd, IDOK)) SetWindowTextA(ok, "Close");
        answer = 0;
        return true;
    case PSM_RESTARTWINDOWS: s.restart = std::max<INT_PTR>(s.restart, ID_PSRESTARTWINDOWS); answer = 0; return true;
    case PSM_REBOOTSYSTEM: s.restart = ID_PSREBOOTSYSTEM; answer = 0; return true;
    case PSM_ISDIALOGMESSAGE: {
        auto* m = reinterpret_cast<MSG*>(lParam);
        answer = m && IsDialogMessageA(s.hwnd, m);
        return true;
    }
    case PSM_ADDPAGE: {
        auto page = reinterpret_cast<HPROPSHEETPAGE>(lParam);
        answer = FALSE;
        if (!IsLivePage(page) || indexOfPage(s, page) >= 0 || !LoadPageTemplate(page)) return true;
        s.pages.push_back(page);
        insertTab(s, static_cast<int>(s.pages.size()) - 1);
        answer = TRUE;
        return true;
    }
    case PSM_REMOVEPAGE: {
        int i = lParam ? indexOfPage(s, reinterpret_cast<HPROPSHEETPAGE>(lParam)) : static_cast<int>(wParam);
        answer = removePage(s, i);
        return true;
    }
    default:
        return false;
    }
}

INT_PTR answered(HWND hwnd, LRESULT value) {
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, value);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK SheetDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* s = reinterpret_cast<Sheet*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        initialise(hwnd, *s);
        return TRUE;
    }
    Sheet* s = sheetOf(hwnd);
    if (!s) return FALSE;
    if (msg == WM_NCDESTROY) {
        // The sheet owns its pages from PropertySheetA on: each is released with it.
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        for (HPROPSHEETPAGE page : s->pages) DestroyPropertySheetPage(page);
        delete s;
        return FALSE;
    }
    LRESULT answer = 0;
    if (sheetMessage(*s, msg, wParam, lParam, answer)) return answered(hwnd, answer);
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED || lParam == 0) command(*s, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        if (!s->ended) cancel(*s, true);
        return TRUE;
    case WM_NOTIFY: {
        auto* h = reinterpret_cast<const NMHDR*>(lParam);
        if (!h || h->hwndFrom != s->tab) return FALSE;
        if (h->code == TCN_SELCHANGING) return answered(hwnd, killCurrent(*s) ? FALSE : TRUE);
        if (h->code == TCN_SELCHANGE) {
            int i = static_cast<int>(SendMessageA(s->tab, TCM_GETCURSEL, 0, 0));
            if (!showPage(*s, i) && IsWindow(hwnd)) SendMessageA(s->tab, TCM_SETCURSEL, static_cast<WPARAM>(s->current), 0);
        }
        return answered(hwnd, 0);
    }
    default:
        return FALSE;
    }
}

}  // namespace commctl
