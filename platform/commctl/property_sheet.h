// The records of property sheets: a page made by CreatePropertySheetPageA (its own copy of the
// caller's PROPSHEETPAGEA, extra bytes included, and its dialog once created) and a sheet on the
// screen. Handles of pages are checked before they are used.
#pragma once

#include <commctrl.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/user/dialog_template.h"

struct _PSP {
    std::unique_ptr<std::max_align_t[]> storage;  // the copy; the page procedure gets its address
    std::string title;
    std::string templateName;
    user::DialogTemplate tmpl;
    bool loaded = false;  // tmpl holds the page's template
    HWND hwnd = nullptr;
    bool changed = false;

    PROPSHEETPAGEA* copy() { return reinterpret_cast<PROPSHEETPAGEA*>(storage.get()); }
};

namespace commctl {

struct Sheet {
    PROPSHEETHEADERA header{};
    std::string caption;
    HWND hwnd = nullptr;
    HWND tab = nullptr;
    std::vector<HPROPSHEETPAGE> pages;
    int current = -1;
    RECT pageArea{};  // where pages stand, in the sheet's client coordinates
    bool ended = false;
    bool applied = false;  // an Apply or OK went through
    INT_PTR restart = 0;   // ID_PSRESTARTWINDOWS / ID_PSREBOOTSYSTEM asked by a page
    bool* adopted = nullptr;  // set once the sheet's window owns this record
};

// Control ids of the sheet's own controls, as the original numbers them.
inline constexpr int kTabId = 0x3020;
inline constexpr int kApplyId = 0x3021;

bool IsLivePage(HPROPSHEETPAGE page);
// Reads the page's template (once); false when it is missing or malformed.
bool LoadPageTemplate(HPROPSHEETPAGE page);
// The page's tab text: its own title, else its template's caption.
std::string PageTitle(HPROPSHEETPAGE page);
// Creates the page's dialog inside the sheet (asking PSPCB_CREATE first); null when refused.
HWND CreatePageWindow(HPROPSHEETPAGE page, HWND sheet);

// The sheet's dialog procedure and its frame; the frame's WM_INITDIALOG gets the Sheet.
INT_PTR CALLBACK SheetDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
user::DialogTemplate SheetFrameTemplate(const Sheet& sheet);
void LayOutSheet(Sheet& sheet);

}  // namespace commctl
