// The settings page's report of a change to its sheet.
#include "ui/sheet_change.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "ui/sheet_data.h"

#include <commctrl.h>

#include <cstring>

namespace {

struct Blocks {
    const uint8_t* settings = nullptr;
    size_t settingsSize = 0;
    const uint8_t* options = nullptr;
    size_t optionsSize = 0;
};

Blocks BlocksOf(UIDEVDATA* ctx) {
    Blocks b;
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    if (!user) return b;
    if ((b.settings = user->GetSettingsSource())) b.settingsSize = user->GetSettingsSourceSize();
    if ((b.options = user->GetDeviceOptionSource())) b.optionsSize = ctx->svc->GetDeviceOptionSize(ctx);
    return b;
}

}  // namespace

void SheetChangeWatch::Copy::Take(const uint8_t* bytes, size_t size) {
    size_ = bytes ? size : 0;
    if (size_ > kInPlace)
        spilled_.assign(bytes, bytes + size_);
    else if (size_)
        std::memcpy(inPlace_, bytes, size_);
}

bool SheetChangeWatch::Copy::Same(const uint8_t* now, size_t size) const {
    const size_t nowSize = now ? size : 0;
    return size_ == nowSize && (size_ == 0 || std::memcmp(Bytes(), now, size_) == 0);
}

SheetChangeWatch::SheetChangeWatch(UIDEVDATA* ctx, HWND page, DWORD sheetKind) {
    // A dialog of its own has no Apply: its opener's page learns of its changes when it ends.
    if (!ctx || !page || (sheetKind != kSheetPage && sheetKind != kSheetForeignPage)) return;
    const Blocks b = BlocksOf(ctx);
    ctx_ = ctx;
    page_ = page;
    settings_.Take(b.settings, b.settingsSize);
    options_.Take(b.options, b.optionsSize);
}

void SheetChangeWatch::Tell() const {
    if (!ctx_ || !IsWindow(page_)) return;
    const Blocks b = BlocksOf(ctx_);
    if (settings_.Same(b.settings, b.settingsSize) && options_.Same(b.options, b.optionsSize)) return;
    if (HWND sheet = GetParent(page_)) SendMessageA(sheet, PSM_CHANGED, reinterpret_cast<WPARAM>(page_), 0);
}
