// Main pages as children of the 16-bit driver's pages. The page's template is a property page's:
// it is copied with the style of a plain frameless child. It does not join the driver's page's
// tab order (the driver's dialogs are not ours to walk); the keys for its controls reach it
// through the hook of the hosting pages, and Tab cycles inside it.
#include "ui/hosted_page.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/helpers/byte_view.h"
#include "items/pdl/pdl_user_data.h"
#include "ui/main_pages.h"

#include <cstring>
#include <map>
#include <vector>

namespace {

constexpr UINT kDialogType = 5;  // RT_DIALOG as a number
constexpr uint32_t kExtendedSignature = 0xFFFF0001;  // dlgVer 1, signature 0xFFFF
constexpr size_t kExtendedStyleAt = 12, kPlainStyleAt = 0;

// Requests whose registry the hosted pages started, with the number of their pages alive.
std::map<UIDEVDATA*, int> g_started;

const MainPage* PageOfTemplate(LPARAM templateId) {
    std::size_t count = 0;
    const MainPage* pages = MainPages(&count);
    for (std::size_t i = 0; i < count; ++i)
        if (static_cast<LPARAM>(pages[i].templateId) == templateId) return &pages[i];
    return nullptr;
}

// The template with the style of a frameless, enabled child (a page's template is disabled until
// its sheet shows it); empty when too short.
std::vector<uint8_t> ChildTemplate(const void* bytes, DWORD size) {
    std::vector<uint8_t> copy(static_cast<const uint8_t*>(bytes), static_cast<const uint8_t*>(bytes) + size);
    MutableByteView view(copy.data(), copy.size());
    uint32_t first = 0, style = 0;
    if (!view.u32(0, first)) return {};
    const size_t at = first == kExtendedSignature ? kExtendedStyleAt : kPlainStyleAt;
    if (!view.u32(at, style)) return {};
    style = (style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE | WS_DISABLED | DS_CONTROL)) |
            WS_CHILD;
    view.put_u32(at, style);
    return copy;
}

}  // namespace

HWND CreateHostedPage(SHEETDATA* data, HWND parent) {
    UIDEVDATA* ctx = data ? data->ctx : nullptr;
    const MainPage* page = data ? PageOfTemplate(data->parameter) : nullptr;
    CmUserData* user = ctx ? ctx->svc->GetUserData(ctx) : nullptr;
    if (!page || !user || !IsWindow(parent)) return nullptr;
    DWORD size = 0;
    const void* bytes = ctx->svc->FindResource(ctx, page->templateId, kDialogType, &size);
    const std::vector<uint8_t> child = bytes ? ChildTemplate(bytes, size) : std::vector<uint8_t>{};
    if (child.empty()) return nullptr;
    const bool start = !user->GetConflict();
    if (start && !PDLSvUserData::StartSheet(ctx)) return nullptr;
    if (start || g_started.count(ctx)) ++g_started[ctx];
    HWND window = CreateDialogIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(child.data()), parent,
                                             page->procedure, reinterpret_cast<LPARAM>(data));
    if (!window) {
        DestroyHostedPage(nullptr, ctx);
        return nullptr;
    }
    RECT area;
    GetClientRect(parent, &area);
    SetWindowPos(window, nullptr, 0, 0, area.right, area.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, SW_SHOW);
    return window;
}

void DestroyHostedPage(HWND child, UIDEVDATA* ctx) {
    if (child) DestroyWindow(child);
    auto it = g_started.find(ctx);
    if (it == g_started.end() || --it->second > 0) return;
    g_started.erase(it);
    PDLSvUserData::EndSheet(ctx);
}
