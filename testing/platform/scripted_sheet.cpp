// The scripted person of property sheets (see drvtest/scripted_sheet.h).
#include "drvtest/scripted_sheet.h"

#include <commctrl.h>

#include "drvtest/scripted_user.h"
#include "platform/commctl/property_sheet.h"
#include "platform/commctl/sheet_script.h"

namespace drvtest {
namespace {

HWND tabOf(HWND sheet) { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0)); }

}  // namespace

int SheetDriver::PageCount() const { return static_cast<int>(SendMessageA(tabOf(sheet_), TCM_GETITEMCOUNT, 0, 0)); }

int SheetDriver::CurrentIndex() const { return static_cast<int>(SendMessageA(tabOf(sheet_), TCM_GETCURSEL, 0, 0)); }

HWND SheetDriver::Page() const { return reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0)); }

std::string SheetDriver::PageTitle(int index) const {
    char text[128] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabOf(sheet_), TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

bool SheetDriver::SelectPage(int index) {
    HWND tab = tabOf(sheet_);
    RECT r;
    if (!IsOpen() || !IsWindowEnabled(tab) || !SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
        return false;
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    if (IsWindow(tab)) SendMessageA(tab, WM_LBUTTONUP, 0, at);
    return CurrentIndex() == index;
}

bool SheetDriver::PressOk() { return IsOpen() && Click(sheet_, IDOK); }
bool SheetDriver::PressCancel() { return IsOpen() && Click(sheet_, IDCANCEL); }
bool SheetDriver::PressApply() { return IsOpen() && Click(sheet_, commctl::kApplyId); }
bool SheetDriver::PressHelp() { return IsOpen() && Click(sheet_, IDHELP); }

bool SheetDriver::PressKey(int id, UINT virtualKey) {
    HWND control = IsOpen() ? GetDlgItem(Page(), id) : nullptr;
    if (!control || !IsWindowVisible(control) || !IsWindowEnabled(control)) return false;
    SetFocus(control);
    for (UINT msg : {WM_KEYDOWN, WM_KEYUP}) {
        MSG m{control, msg, virtualKey, 0, 0, {0, 0}};
        if (!IsDialogMessageA(sheet_, &m) && IsWindow(control)) SendMessageA(control, msg, virtualKey, 0);
        if (!IsWindow(control)) break;
    }
    return true;
}

bool SheetDriver::IsApplyEnabled() const {
    HWND apply = GetDlgItem(sheet_, commctl::kApplyId);
    return apply && IsWindowEnabled(apply) && IsWindowVisible(apply);
}

bool SheetDriver::IsOpen() const { return IsWindow(sheet_) && Page() != nullptr; }

ScriptedSheet::ScriptedSheet() : observer_(std::make_unique<commctl::SheetObserver>()) {
    observer_->sheetShown = &ScriptedSheet::sheetShown;
    observer_->context = this;
    previous_ = commctl::SetSheetObserver(observer_.get());
}

ScriptedSheet::~ScriptedSheet() { commctl::SetSheetObserver(previous_); }

void ScriptedSheet::sheetShown(HWND sheet, void* self) {
    auto* me = static_cast<ScriptedSheet*>(self);
    ++me->sheetsSeen_;
    if (me->scripts_.empty()) return;
    auto script = std::move(me->scripts_.front());
    me->scripts_.pop_front();
    SheetDriver driver(sheet);
    script(driver);
}

INT_PTR RunSheet(HMODULE module, const std::vector<SheetPage>& pages, const char* caption) {
    std::vector<PROPSHEETPAGEA> sheetPages(pages.size());
    for (size_t i = 0; i < pages.size(); ++i) {
        sheetPages[i].dwSize = sizeof sheetPages[i];
        sheetPages[i].hInstance = module;
        sheetPages[i].pszTemplate = MAKEINTRESOURCEA(pages[i].templateId);
        sheetPages[i].pfnDlgProc = pages[i].proc;
        sheetPages[i].lParam = pages[i].lParam;
    }
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hInstance = module;
    header.pszCaption = caption;
    header.nPages = static_cast<UINT>(sheetPages.size());
    header.ppsp = sheetPages.data();
    return PropertySheetA(&header);
}

}  // namespace drvtest
