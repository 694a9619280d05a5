// Test-only: a sample add-in, an in-process COM server whose one class answers the driver's
// add-in interface with one page ("Sample Add-In": a line of text and a check box), its template
// built in memory. Tests sign a copy of it, describe it in a ".CPI" file and register its class;
// it counts its live objects and the times its page was initialised, so that a test sees the page
// was shown and every object released.
#include "core/addins/addin_interface.h"
#include "drvtest/com_standin.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))

// {7E2B9C14-0A53-4D6F-8B21-3C4D5E6F7A81}
constexpr CLSID CLSID_SampleAddIn = {0x7E2B9C14, 0x0A53, 0x4D6F, {0x8B, 0x21, 0x3C, 0x4D, 0x5E, 0x6F, 0x7A, 0x81}};
constexpr WORD kSampleCheckId = 3001;

namespace {

int g_live = 0;
int g_pagesShown = 0;

// A page template: DLGTEMPLATE and its items, each item on a 4-byte boundary, texts in UTF-16.
class Template {
public:
    Template(const char* title, short cx, short cy, WORD items) {
        Put32(WS_CHILD | WS_CAPTION | DS_CONTROL);
        Put32(0);
        Put16(items);
        for (short v : {short{0}, short{0}, cx, cy}) Put16(static_cast<uint16_t>(v));
        Put16(0);  // no menu
        Put16(0);  // the dialog class
        Text(title);
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, const char* text) {
        while (bytes_.size() % 4) bytes_.push_back(0);
        Put32(WS_CHILD | WS_VISIBLE | style);
        Put32(0);
        for (short v : {x, y, cx, cy}) Put16(static_cast<uint16_t>(v));
        Put16(id);
        Put16(0xFFFF);
        Put16(classAtom);
        Text(text);
        Put16(0);  // no creation data
    }
    const void* Data() const { return bytes_.data(); }

private:
    void Put16(uint16_t v) {
        bytes_.push_back(static_cast<uint8_t>(v));
        bytes_.push_back(static_cast<uint8_t>(v >> 8));
    }
    void Put32(uint32_t v) {
        Put16(static_cast<uint16_t>(v));
        Put16(static_cast<uint16_t>(v >> 16));
    }
    void Text(const char* text) {
        for (const char* c = text; *c; ++c) Put16(static_cast<uint8_t>(*c));
        Put16(0);
    }
    std::vector<uint8_t> bytes_;
};

const Template& PageTemplate() {
    static const Template page = [] {
        Template t("Sample Add-In", 252, 218, 3);
        t.Item(SS_LEFT, 7, 7, 238, 20, 0xFFFF, 0x0082, "This page comes from the sample add-in, signed by the maker.");
        t.Item(BS_AUTOCHECKBOX | WS_TABSTOP, 7, 34, 200, 10, kSampleCheckId, 0x0080, "Staple every copy");
        t.Item(SS_LEFT, 7, 52, 238, 10, 0xFFFF, 0x0082, "Sample add-in 1.0");
        return t;
    }();
    return page;
}

INT_PTR CALLBACK SamplePage(HWND, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        ++g_pagesShown;
        return TRUE;
    }
    return FALSE;
}

class SampleAddIn : public drvtest::CountedObject<IVomelAddIn, IID_IVomelAddIn, g_live> {
public:
    HRESULT GetPage(UINT index, PROPSHEETPAGEA* page) override {
        if (!page) return E_POINTER;
        if (index > 0) return S_FALSE;
        *page = PROPSHEETPAGEA{};
        page->dwSize = sizeof *page;
        page->dwFlags = PSP_DLGINDIRECT;
        page->pResource = static_cast<LPCDLGTEMPLATEA>(PageTemplate().Data());
        page->pfnDlgProc = SamplePage;
        return S_OK;
    }
};

}  // namespace

STANDIN_EXPORT HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* out) {
    return drvtest::GetClassObject<SampleAddIn>(CLSID_SampleAddIn, rclsid, riid, out);
}

STANDIN_EXPORT int StandinAddInLiveObjects() { return g_live; }
STANDIN_EXPORT int StandinAddInPagesShown() { return g_pagesShown; }
