// PropertySheetA: gathers the pages, makes the sheet's dialog and, for a modal sheet, runs its own
// message loop until OK or Cancel ends it, as the original does. Nothing waits for a person: the
// sheet observer (a scripted user) acts once the sheet is shown, and a sheet still open after it
// and the queue have run is cancelled.
#include "platform/commctl/property_sheet.h"
#include "platform/commctl/sheet_script.h"

#include <cstring>

#include "platform/user/dialog.h"

namespace commctl {
namespace {

// The original's limit of pages in one sheet.
constexpr UINT kMaxPages = 100;

thread_local const SheetObserver* t_observer = nullptr;

bool ended(HWND sheet) {
    auto* s = reinterpret_cast<Sheet*>(GetWindowLongPtrA(sheet, DWLP_USER));
    return !s || s->ended;
}

// Runs what is queued for the thread; false when WM_QUIT arrived (posted again for the outer loop).
bool pump(HWND sheet) {
    MSG msg;
    while (IsWindow(sheet) && !ended(sheet) && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (!IsDialogMessageA(sheet, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

// Takes the caller's pages: records walked by their own size, or handles that must be live.
bool gatherPages(const PROPSHEETHEADERA& h, Sheet& s) {
    if (h.dwFlags & PSH_PROPSHEETPAGE) {
        auto* at = reinterpret_cast<const BYTE*>(h.ppsp);
        for (UINT i = 0; at && i < h.nPages; ++i) {
            auto* record = reinterpret_cast<LPCPROPSHEETPAGEA>(at);
            if (record->dwSize < sizeof(PROPSHEETPAGEA)) return false;
            if (HPROPSHEETPAGE page = CreatePropertySheetPageA(record)) s.pages.push_back(page);
            at += record->dwSize;
        }
    } else {
        for (UINT i = 0; h.phpage && i < h.nPages; ++i)
            if (IsLivePage(h.phpage[i])) s.pages.push_back(h.phpage[i]);
    }
    // A page whose template cannot be read cannot be shown; the sheet goes on without it.
    for (size_t i = 0; i < s.pages.size();) {
        if (LoadPageTemplate(s.pages[i])) {
            ++i;
            continue;
        }
        DestroyPropertySheetPage(s.pages[i]);
        s.pages.erase(s.pages.begin() + static_cast<long>(i));
    }
    return !s.pages.empty();
}

std::string captionOf(const PROPSHEETHEADERA& h) {
    std::string caption;
    if (h.pszCaption && IS_INTRESOURCE(h.pszCaption)) {
        char text[256] = "";
        LoadStringA(h.hInstance, LOWORD(h.pszCaption), text, sizeof text);
        caption = text;
    } else if (h.pszCaption) {
        caption = h.pszCaption;
    }
    if (h.dwFlags & PSH_PROPTITLE) caption += " Properties";
    return caption;
}

void releaseAll(Sheet* s) {
    for (HPROPSHEETPAGE page : s->pages) DestroyPropertySheetPage(page);
    delete s;
}

INT_PTR run(LPCPROPSHEETHEADERA h) {
    if (!h || h->dwSize < sizeof(PROPSHEETHEADERA) || h->nPages == 0 || h->nPages > kMaxPages ||
        (h->dwFlags & PSH_WIZARD)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    InitCommonControls();
    auto* s = new Sheet;
    s->header = *h;
    if (!gatherPages(*h, *s)) {
        releaseAll(s);
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    s->caption = captionOf(*h);
    if ((h->dwFlags & PSH_USECALLBACK) && h->pfnCallback) h->pfnCallback(nullptr, PSCB_PRECREATE, 0);

    bool modeless = (h->dwFlags & PSH_MODELESS) != 0;
    HWND owner = h->hwndParent ? GetAncestor(h->hwndParent, GA_ROOT) : nullptr;
    bool disabledOwner = !modeless && owner && IsWindowEnabled(owner);
    if (disabledOwner) EnableWindow(owner, FALSE);
    user::DialogTemplate frame = SheetFrameTemplate(*s);
    // Once its dialog has started, the sheet's window owns the record and its pages (released on
    // WM_NCDESTROY); a dialog that failed before that leaves them here.
    bool adopted = false;
    s->adopted = &adopted;
    HWND sheet = user::CreateDialogFromTemplate(h->hInstance, frame, owner, SheetDialogProc, reinterpret_cast<LPARAM>(s),
                                                !modeless);
    if (!adopted) {
        releaseAll(s);
        if (sheet) DestroyWindow(sheet);
        sheet = nullptr;
    }
    if (!sheet) {
        if (disabledOwner && IsWindow(owner)) EnableWindow(owner, TRUE);
        return -1;
    }
    ShowWindow(sheet, SW_SHOWNORMAL);
    if (modeless) return reinterpret_cast<INT_PTR>(sheet);

    if (!ended(sheet) && t_observer && t_observer->sheetShown) t_observer->sheetShown(sheet, t_observer->context);
    bool quit = IsWindow(sheet) && !pump(sheet);
    if (IsWindow(sheet) && !ended(sheet) && !quit) {
        SendMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(sheet, IDCANCEL)));
        if (IsWindow(sheet)) pump(sheet);
    }
    INT_PTR result = 0;
    if (IsWindow(sheet)) {
        auto* record = reinterpret_cast<Sheet*>(GetWindowLongPtrA(sheet, DWLP_USER));
        if (record) result = record->restart ? record->restart : (record->applied ? 1 : 0);
        DestroyWindow(sheet);
    }
    if (disabledOwner && IsWindow(owner)) EnableWindow(owner, TRUE);
    if (owner && IsWindow(owner)) SetActiveWindow(owner);
    return result;
}

}  // namespace

const SheetObserver* SetSheetObserver(const SheetObserver* observer) {
    const SheetObserver* old = t_observer;
    t_observer = observer;
    return old;
}

}  // namespace commctl

extern "C" INT_PTR WINAPI PropertySheetA(LPCPROPSHEETHEADERA header) {
    try {
        return commctl::run(header);
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return -1;
    }
}
