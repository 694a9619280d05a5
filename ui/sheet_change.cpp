// The settings page's report of a change to its sheet.
#include "ui/sheet_change.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "ui/sheet_data.h"

#include <commctrl.h>

#include <cstring>

namespace {

struct Block {
    const uint8_t* bytes = nullptr;
    size_t size = 0;
};

CmUserData* UserOf(UIDEVDATA* ctx) { return ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr; }

Block SettingsOf(CmUserData* user) {
    Block b;
    if (user && (b.bytes = user->GetSettingsSource())) b.size = user->GetSettingsSourceSize();
    return b;
}

Block OptionsOf(UIDEVDATA* ctx, CmUserData* user) {
    Block b;
    if (user && (b.bytes = user->GetDeviceOptionSource())) b.size = ctx->svc->GetDeviceOptionSize(ctx);
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
    CmUserData* user = UserOf(ctx);
    const Block settings = SettingsOf(user);
    const Block options = OptionsOf(ctx, user);
    ctx_ = ctx;
    page_ = page;
    settings_.Take(settings.bytes, settings.size);
    options_.Take(options.bytes, options.size);
}

void SheetChangeWatch::Tell() const {
    if (!ctx_ || !IsWindow(page_)) return;
    // Changed settings, which most events that change anything change, need no look at the options.
    CmUserData* user = UserOf(ctx_);
    const Block settings = SettingsOf(user);
    if (settings_.Same(settings.bytes, settings.size)) {
        const Block options = OptionsOf(ctx_, user);
        if (options_.Same(options.bytes, options.size)) return;
    }
    if (HWND sheet = GetParent(page_)) SendMessageA(sheet, PSM_CHANGED, reinterpret_cast<WPARAM>(page_), 0);
}
