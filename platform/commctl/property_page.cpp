// Property sheet pages: CreatePropertySheetPageA keeps its own copy of the caller's record (the
// caller may append data of its own, so dwSize bytes are copied, and texts are copied too); the
// page's dialog is made from its template when the page is first shown, inside the sheet.
#include "platform/commctl/property_sheet.h"

#include <cstring>
#include <mutex>
#include <set>

#include "platform/user/dialog.h"

namespace commctl {
namespace {

// Callers append their own data to the record; a size beyond this is taken as a bad record.
constexpr DWORD kMaxPageRecord = 1 << 16;

std::mutex g_lock;
std::set<HPROPSHEETPAGE>& livePages() {
    static auto* s = new std::set<HPROPSHEETPAGE>;
    return *s;
}

UINT callBack(HPROPSHEETPAGE page, UINT message) {
    PROPSHEETPAGEA* p = page->copy();
    if (!(p->dwFlags & PSP_USECALLBACK) || !p->pfnCallback) return 1;
    return p->pfnCallback(nullptr, message, p);
}

}  // namespace

bool IsLivePage(HPROPSHEETPAGE page) {
    std::lock_guard<std::mutex> guard(g_lock);
    return page && livePages().count(page);
}

bool LoadPageTemplate(HPROPSHEETPAGE page) {
    if (page->loaded) return true;
    const PROPSHEETPAGEA* p = page->copy();
    if (p->dwFlags & PSP_DLGINDIRECT) {
        // An in-memory template carries no length; the caller vouches for it, as on the original.
        page->loaded = p->pResource && user::ParseDialogTemplate(reinterpret_cast<const uint8_t*>(p->pResource),
                                                                 size_t(1) << 20, page->tmpl);
    } else {
        page->loaded = user::LoadDialogTemplate(p->hInstance, p->pszTemplate, page->tmpl);
    }
    if (!page->loaded) return false;
    // A page lives inside the sheet: a child without a frame, shown by the sheet when chosen.
    DWORD& style = page->tmpl.style;
    style &= ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | WS_VISIBLE | WS_DISABLED);
    style |= WS_CHILD | DS_CONTROL | DS_3DLOOK;
    return true;
}

std::string PageTitle(HPROPSHEETPAGE page) {
    const PROPSHEETPAGEA* p = page->copy();
    if (!(p->dwFlags & PSP_USETITLE)) return page->loaded ? page->tmpl.title : std::string();
    if (!IS_INTRESOURCE(p->pszTitle)) return page->title;
    char text[256] = "";
    LoadStringA(p->hInstance, LOWORD(p->pszTitle), text, sizeof text);
    return text;
}

HWND CreatePageWindow(HPROPSHEETPAGE page, HWND sheet) {
    if (page->hwnd && IsWindow(page->hwnd)) return page->hwnd;
    if (!LoadPageTemplate(page) || !callBack(page, PSPCB_CREATE)) return nullptr;
    PROPSHEETPAGEA* p = page->copy();
    page->hwnd = user::CreateDialogFromTemplate(p->hInstance, page->tmpl, sheet, p->pfnDlgProc,
                                                reinterpret_cast<LPARAM>(p), false);
    return page->hwnd;
}

}  // namespace commctl

extern "C" HPROPSHEETPAGE WINAPI CreatePropertySheetPageA(LPCPROPSHEETPAGEA in) {
    if (!in || in->dwSize < sizeof(PROPSHEETPAGEA) || in->dwSize > commctl::kMaxPageRecord) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!(in->dwFlags & PSP_DLGINDIRECT) && !in->pszTemplate) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    try {
        auto page = std::make_unique<_PSP>();
        size_t words = (in->dwSize + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
        page->storage.reset(new std::max_align_t[words]);
        std::memcpy(page->storage.get(), in, in->dwSize);
        PROPSHEETPAGEA* p = page->copy();
        if ((p->dwFlags & PSP_USETITLE) && p->pszTitle && !IS_INTRESOURCE(p->pszTitle)) {
            page->title = p->pszTitle;
            p->pszTitle = page->title.c_str();
        }
        if (!(p->dwFlags & PSP_DLGINDIRECT) && !IS_INTRESOURCE(p->pszTemplate)) {
            page->templateName = p->pszTemplate;
            p->pszTemplate = page->templateName.c_str();
        }
        HPROPSHEETPAGE handle = page.release();
        {
            std::lock_guard<std::mutex> guard(commctl::g_lock);
            commctl::livePages().insert(handle);
        }
        if ((p->dwFlags & PSP_USEREFPARENT) && p->pcRefParent) ++*p->pcRefParent;
        commctl::callBack(handle, PSPCB_ADDREF);
        return handle;
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

extern "C" BOOL WINAPI DestroyPropertySheetPage(HPROPSHEETPAGE page) {
    {
        std::lock_guard<std::mutex> guard(commctl::g_lock);
        if (!page || !commctl::livePages().erase(page)) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
    }
    if (page->hwnd && IsWindow(page->hwnd)) DestroyWindow(page->hwnd);
    commctl::callBack(page, PSPCB_RELEASE);
    PROPSHEETPAGEA* p = page->copy();
    if ((p->dwFlags & PSP_USEREFPARENT) && p->pcRefParent && *p->pcRefParent) --*p->pcRefParent;
    delete page;
    return TRUE;
}
