// Test-only: what the picture tests read of the bundled sheet's pictures (the preview behind a
// page's picture control, its parts and layers, the sheet's settings a picture draws) and a window
// holding a picture control as a page holds one.
#pragma once

#include "bundled_sheet.h"

#include "core/helpers/byte_view.h"
#include "core/devmode/devmode_layout.h"
#include "drvtest/test_window.h"
#include "preview/basic_preview.h"
#include "preview/page_previews.h"

#include <memory>

namespace sheettest {

inline CmBasicPreview* PreviewOf(HWND page) {
    HWND control = GetDlgItem(page, IDC_PAGE_PREVIEW);
    return control ? reinterpret_cast<CmBasicPreview*>(GetWindowLongPtrA(control, GWLP_USERDATA)) : nullptr;
}

// The first part of the value whose flags hold all of the flags asked for; -1 when none does.
inline int PartOf(const CmBasicPreview& p, uint16_t value, uint16_t flags) {
    for (int i = 0; i < p.PartCount(); ++i)
        if (p.Part(i).value == value && (p.Part(i).flags & flags) == flags) return i;
    return -1;
}

inline bool HasLayer(const CmBasicPreview& p, uint16_t id) {
    for (int i = 0; i < p.LayerCount(); ++i)
        if (p.Layer(i).pictureId == id) return true;
    return false;
}

// Lets the picture handle what a click or a menu command posted.
inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

template <typename T>
void SetSheetOption(BundledSheet& sheet, DWORD option, const T& value) {
    sheet.ctx->svc->SetOption(sheet.ctx, sheet.user->GetSettingsSource(), option, &value, sizeof value);
}

inline int16_t SheetOption(BundledSheet& sheet, DWORD option) {
    int16_t value = -1;
    sheet.ctx->svc->GetOption(sheet.ctx, sheet.user->GetSettingsSource(), option, &value, sizeof value);
    return value;
}

// The private section of the sheet's settings, where the mixed-paper words live.
inline MutableByteView Private(BundledSheet& sheet) {
    uint8_t* dm = sheet.user->GetSettingsSource();
    const ByteView head(dm, sheet.user->GetSettingsSourceSize());
    int16_t section = 0;
    head.s16(devmode::kOffModelSection, section);
    return MutableByteView(dm + section, sheet.user->GetSettingsSourceSize() - static_cast<size_t>(section));
}

inline LRESULT CALLBACK PictureHostProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

// A window with a picture control of the page's size (or the one asked for) at (at, at).
struct PictureHost {
    explicit PictureHost(int width = 181, int height = 240, int at = 10)
        : parent(drvtest::MakeWindow("PictureHost", PictureHostProc, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 400)),
          control(CreateWindowA("Static", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, at, at, width, height, parent,
                                nullptr, nullptr, nullptr)) {}
    ~PictureHost() {
        if (IsWindow(parent)) DestroyWindow(parent);
    }
    PictureHost(const PictureHost&) = delete;
    PictureHost& operator=(const PictureHost&) = delete;
    HWND parent;
    HWND control;
};

// The picture of the kind in the host's control, over the sheet's settings.
inline std::unique_ptr<CmBasicPreview> MakePicture(PictureHost& host, BundledSheet& sheet, int kind) {
    return std::unique_ptr<CmBasicPreview>(
        static_cast<CmBasicPreview*>(CreatePreview(host.control, sheet.ctx, sheet.user->GetSettingsSource(), kind)));
}

}  // namespace sheettest
