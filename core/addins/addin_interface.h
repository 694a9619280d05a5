// The interface every add-in's COM class answers: the driver asks it for the pages it adds to
// the printing-preferences sheet. The add-in's module declares it as this header does.
#pragma once

#include <commctrl.h>
#include <objbase.h>

// {3C9A5E21-7D40-4B8E-9F13-6A2D5C8E0B47}
inline constexpr IID IID_IVomelAddIn = {0x3C9A5E21, 0x7D40, 0x4B8E, {0x9F, 0x13, 0x6A, 0x2D, 0x5C, 0x8E, 0x0B, 0x47}};

#pragma GCC visibility push(default)
struct IVomelAddIn : IUnknown {
    // Fills `page` with the add-in's page `index` (from 0), as PropertySheetA takes a page: the
    // record's size in dwSize, the template in memory (PSP_DLGINDIRECT), the add-in's own page
    // procedure. S_OK for a page, S_FALSE after the last one.
    virtual HRESULT GetPage(UINT index, PROPSHEETPAGEA* page) = 0;
};
#pragma GCC visibility pop
