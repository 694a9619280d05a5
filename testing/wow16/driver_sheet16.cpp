// The simulated 16-bit driver's sheet (see drvtest/driver_sheet16.h). Its pages are made from a
// template built here (an empty child page), and the hosting pages' procedure is the driver's:
// what it receives goes to the library converted into the 16-bit side's terms.
#include "drvtest/driver_sheet16.h"

#include <commctrl.h>

#include <wownt32.h>

#include <algorithm>
#include <cstring>
#include <deque>
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

void Put16(std::vector<uint8_t>& bytes, uint16_t v) {
    bytes.push_back(static_cast<uint8_t>(v));
    bytes.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& bytes, uint32_t v) {
    Put16(bytes, static_cast<uint16_t>(v));
    Put16(bytes, static_cast<uint16_t>(v >> 16));
}

// An empty page template: DLGTEMPLATE, no menu, no class, the title (and face) in UTF-16.
std::vector<uint8_t> PageTemplate(const std::string& title, DWORD style = WS_CHILD | WS_CAPTION, uint16_t cx = 280,
                                  uint16_t cy = 230, uint16_t pointSize = 0, const std::string& face = {}) {
    std::vector<uint8_t> bytes;
    Put32(bytes, style | DS_CONTROL);
    Put32(bytes, 0);
    Put16(bytes, 0);  // no controls
    for (uint16_t v : {uint16_t{0}, uint16_t{0}, cx, cy}) Put16(bytes, v);
    Put16(bytes, 0);
    Put16(bytes, 0);
    for (char c : title) Put16(bytes, static_cast<uint8_t>(c));
    Put16(bytes, 0);
    if (style & DS_SETFONT) {
        Put16(bytes, pointSize);
        for (char c : face) Put16(bytes, static_cast<uint8_t>(c));
        Put16(bytes, 0);
    }
    while (bytes.size() % 4) bytes.push_back(0);
    return bytes;
}

// What a 16:16 pointer reaches, to its segment's end: the driver reads the library's blocks as
// any other memory of its own.
std::vector<uint8_t> Read16(DWORD vp) {
    std::vector<uint8_t> bytes;
    for (DWORD at = LOWORD(vp); at < 0x10000; ++at) {
        const auto* byte = static_cast<const uint8_t*>(WOWGetVDMPointer((vp & 0xFFFF0000) | at, 1, TRUE));
        if (!byte) break;
        bytes.push_back(*byte);
    }
    return bytes;
}

// The 16-bit sheet makes its page from the Win16 template the library built (style, control
// count, size, menu, class, caption, font): here the same page in the 32-bit form. Empty when the
// template does not read.
std::vector<uint8_t> FromTemplate16(DWORD vp) {
    const std::vector<uint8_t> t = Read16(vp);
    if (t.size() < 15 || t[4] != 0 || t[13] != 0 || t[14] != 0) return {};
    const auto u16 = [&](std::size_t at) { return static_cast<uint16_t>(t[at] | t[at + 1] << 8); };
    const DWORD style = u16(0) | static_cast<DWORD>(u16(2)) << 16;
    std::size_t at = 15;
    const auto text = [&]() {
        std::string out;
        while (at < t.size() && t[at]) out.push_back(static_cast<char>(t[at++]));
        ++at;
        return out;
    };
    const std::string title = text();
    uint16_t pointSize = 0;
    std::string face;
    if (style & DS_SETFONT) {
        if (at + 2 > t.size()) return {};
        pointSize = u16(at);
        at += 2;
        face = text();
    }
    if (at > t.size()) return {};
    return PageTemplate(title, style, u16(9), u16(11), pointSize, face);
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
    std::deque<std::string> titles;
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
        // The library built the page: its template and title, in 16-bit memory.
        const uint8_t* record = side.Flat(page16);
        DWORD flags = 0, vpTemplate = 0, vpTitle = 0;
        std::memcpy(&flags, record + 4, 4);
        std::memcpy(&vpTemplate, record + 10, 4);
        std::memcpy(&vpTitle, record + 16, 4);
        std::vector<uint8_t> own = (flags & PSP_DLGINDIRECT) ? FromTemplate16(vpTemplate) : std::vector<uint8_t>();
        templates.push_back(own.empty() ? PageTemplate("Hosted") : own);
        PROPSHEETPAGEA page{};
        page.dwSize = sizeof page;
        page.dwFlags = PSP_DLGINDIRECT;
        if (flags & PSP_USETITLE) {
            std::vector<uint8_t> title = Read16(vpTitle);
            titles.emplace_back(title.begin(), std::find(title.begin(), title.end(), 0));
            page.dwFlags |= PSP_USETITLE;
        }
        page.pfnDlgProc = DriverPage;
        page.lParam = page16;  // the 32-bit page carries the driver's 16-bit record
        pages.push_back(page);
    }
    for (std::size_t i = 0, title = 0; i < pages.size(); ++i) {
        pages[i].pResource = reinterpret_cast<LPCDLGTEMPLATEA>(templates[i].data());
        if (pages[i].dwFlags & PSP_USETITLE) pages[i].pszTitle = titles[title++].c_str();
    }
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
