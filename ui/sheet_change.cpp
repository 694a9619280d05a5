// The settings page's report of a change to its sheet.
#include "ui/sheet_change.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "ui/sheet_data.h"

#include <commctrl.h>

#include <algorithm>

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

bool Same(const std::vector<uint8_t>& kept, const uint8_t* now, size_t size) {
    return kept.size() == (now ? size : 0) && std::equal(kept.begin(), kept.end(), now);
}

}  // namespace

SheetChangeWatch::SheetChangeWatch(UIDEVDATA* ctx, HWND page, DWORD sheetKind) {
    // A dialog of its own has no Apply: its opener's page learns of its changes when it ends.
    if (!ctx || !page || (sheetKind != kSheetPage && sheetKind != kSheetForeignPage)) return;
    const Blocks b = BlocksOf(ctx);
    ctx_ = ctx;
    page_ = page;
    if (b.settings) settings_.assign(b.settings, b.settings + b.settingsSize);
    if (b.options) options_.assign(b.options, b.options + b.optionsSize);
}

void SheetChangeWatch::Tell() const {
    if (!ctx_ || !IsWindow(page_)) return;
    const Blocks b = BlocksOf(ctx_);
    if (Same(settings_, b.settings, b.settingsSize) && Same(options_, b.options, b.optionsSize)) return;
    if (HWND sheet = GetParent(page_)) SendMessageA(sheet, PSM_CHANGED, reinterpret_cast<WPARAM>(page_), 0);
}
