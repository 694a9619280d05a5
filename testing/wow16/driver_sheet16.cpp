// The simulated 16-bit driver's sheet (see drvtest/driver_sheet16.h). Its pages are made from a
// template built here (an empty child page), and the hosting pages' procedure is the driver's:
// what it receives goes to the library converted into the 16-bit side's terms.
#include "drvtest/driver_sheet16.h"

#include <commctrl.h>

#include <cstring>
#include <string>

namespace drvtest {
namespace {

constexpr DWORD kPage16Size = 36;
constexpr DWORD kNotify16Size = 6;

struct SheetContext {
    SixteenBitSide* side;
    const DriverSheetExports* exports;
    DWORD notify16;  // the driver's NMHDR, reused for each notification
};

thread_local SheetContext* t_sheet = nullptr;

// An empty page template of the given title: DLGTEMPLATE, no menu, no class, the title in UTF-16.
std::vector<uint8_t> PageTemplate(const std::string& title) {
    std::vector<uint8_t> bytes;
    auto put16 = [&](uint16_t v) { bytes.insert(bytes.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)}); };
    auto put32 = [&](uint32_t v) { put16(static_cast<uint16_t>(v)), put16(static_cast<uint16_t>(v >> 16)); };
    put32(WS_CHILD | WS_CAPTION | DS_CONTROL);
    put32(0);
    put16(0);  // no controls
    for (uint16_t v : {0, 0, 280, 230}) put16(v);
    put16(0);
    put16(0);
    for (char c : title) put16(static_cast<uint8_t>(c));
    put16(0);
    while (bytes.size() % 4) bytes.push_back(0);
    return bytes;
}

INT_PTR CALLBACK DriverPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
    const DWORD record = static_cast<DWORD>(GetWindowLongPtrA(page, DWLP_USER));
    if (!t_sheet || !record) return FALSE;
    const DWORD h16 = SixteenBitSide::Window(page);
    const auto call = [&](DWORD lParam16) {
        return t_sheet->exports->sheetProcedure(h16, message, static_cast<DWORD>(wParam), lParam16);
    };
    switch (message) {
    case WM_INITDIALOG: return call(record) != 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        uint8_t* at = t_sheet->side->Flat(t_sheet->notify16);
        const uint16_t words[3] = {SixteenBitSide::Window(header->hwndFrom), static_cast<uint16_t>(header->idFrom),
                                   static_cast<uint16_t>(header->code)};
        std::memcpy(at, words, sizeof words);
        return call(t_sheet->notify16) != 0;
    }
    case WM_SIZE:
    case WM_DESTROY: return call(static_cast<DWORD>(lParam)) != 0;
    default: return FALSE;
    }
}

INT_PTR CALLBACK OwnPage(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

INT_PTR RunDriverSheet(SixteenBitSide& side, const DriverSheetExports& exports, const std::vector<DWORD>& records,
                       const char* caption) {
    SheetContext context{&side, &exports, side.Alloc(kNotify16Size)};
    std::vector<std::vector<uint8_t>> templates;
    templates.push_back(PageTemplate("Driver"));
    std::vector<PROPSHEETPAGEA> pages(1);
    std::vector<DWORD> records16;
    pages[0].dwSize = sizeof(PROPSHEETPAGEA);
    pages[0].dwFlags = PSP_DLGINDIRECT;
    pages[0].pfnDlgProc = OwnPage;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const DWORD page16 = side.Alloc(kPage16Size);
        std::memcpy(side.Flat(page16), &kPage16Size, sizeof kPage16Size);
        records16.push_back(page16);
        if (!exports.getPsp(records[i], page16)) {
            for (DWORD vp : records16) side.Free(vp);
            side.Free(context.notify16);
            return -1;
        }
        templates.push_back(PageTemplate("Hosted " + std::to_string(i + 1)));
        PROPSHEETPAGEA page{};
        page.dwSize = sizeof page;
        page.dwFlags = PSP_DLGINDIRECT;
        page.pfnDlgProc = DriverPage;
        page.lParam = page16;  // the 32-bit page carries the driver's 16-bit record
        pages.push_back(page);
    }
    for (std::size_t i = 0; i < pages.size(); ++i)
        pages[i].pResource = reinterpret_cast<LPCDLGTEMPLATEA>(templates[i].data());
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.pszCaption = caption;
    header.nPages = static_cast<UINT>(pages.size());
    header.ppsp = pages.data();
    SheetContext* previous = t_sheet;
    t_sheet = &context;
    const INT_PTR result = PropertySheetA(&header);
    t_sheet = previous;
    for (DWORD vp : records16) side.Free(vp);
    side.Free(context.notify16);
    return result;
}

}  // namespace drvtest
