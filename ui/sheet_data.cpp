// Finding the start-up record of a page or dialog in the parameter of its WM_INITDIALOG.
#include "ui/sheet_data.h"

#include <commctrl.h>

#include <cstring>

static_assert(sizeof(SHEETDATA) < sizeof(PROPSHEETPAGEA), "the size word must tell the two records apart");

SHEETDATA* SheetDataFromInitParam(LPARAM lParam) {
    if (!lParam) return nullptr;
    // Both records start with their own size, which tells them apart.
    DWORD size = 0;
    std::memcpy(&size, reinterpret_cast<const void*>(lParam), sizeof size);
    if (size == sizeof(SHEETDATA)) return reinterpret_cast<SHEETDATA*>(lParam);
    if (size >= sizeof(PROPSHEETPAGEA)) {
        auto* page = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        if (!page->lParam) return nullptr;
        std::memcpy(&size, reinterpret_cast<const void*>(page->lParam), sizeof size);
        return size == sizeof(SHEETDATA) ? reinterpret_cast<SHEETDATA*>(page->lParam) : nullptr;
    }
    return nullptr;
}
