// The dialog registry's tables and the opening of a dialog by kind. Subsystems register static
// tables, so the registry keeps pointers to them, a few dozen at most.
#include "ui/dialog_registry.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "ui/sheet_data.h"

#include <commctrl.h>

#include <array>
#include <cstring>
#include <vector>

namespace {

struct Registered {
    const DialogEntry* table = nullptr;
    std::size_t count = 0;
};

// One table per subsystem and a few per feature; 64 leaves room.
std::array<Registered, 64> g_tables;

constexpr UINT kDialogType = 5;  // RT_DIALOG as a number

// A dialog's own copies of the sheet's settings and device-option block. While it lives, the
// sheet's items work on the copies; a dialog opened from a dialog copies its opener's copies.
// The sheet's blocks stay as they were unless the dialog ends with OK, and then only a block the
// dialog changed is copied back, so a dialog that never touched the device options leaves the
// sheet's block (and what was written into it meanwhile) alone.
class DialogCopies {
public:
    DialogCopies(CmUserData* user, DWORD deviceOptionSize) : user_(user) {
        if (!user_) return;
        previous_ = user_->GetDialogBlocks();
        settings_ = user_->GetSettingsSource();
        options_ = user_->GetDeviceOptionSource();
        if (settings_) settingsCopy_.assign(settings_, settings_ + user_->GetSettingsSourceSize());
        if (options_) optionsCopy_.assign(options_, options_ + deviceOptionSize);
        user_->SetDialogBlocks({settingsCopy_.empty() ? nullptr : settingsCopy_.data(),
                                optionsCopy_.empty() ? nullptr : optionsCopy_.data()});
    }
    ~DialogCopies() {
        if (user_) user_->SetDialogBlocks(previous_);
    }
    DialogCopies(const DialogCopies&) = delete;
    DialogCopies& operator=(const DialogCopies&) = delete;

    void CopyBackChanged() {
        CopyBack(settings_, settingsCopy_);
        CopyBack(options_, optionsCopy_);
    }

private:
    static void CopyBack(uint8_t* block, const std::vector<uint8_t>& copy) {
        if (block && !copy.empty() && std::memcmp(block, copy.data(), copy.size()) != 0)
            std::memcpy(block, copy.data(), copy.size());
    }

    CmUserData* user_;
    CmUserData::DialogBlocks previous_;
    uint8_t* settings_ = nullptr;
    uint8_t* options_ = nullptr;
    std::vector<uint8_t> settingsCopy_, optionsCopy_;
};

}  // namespace

bool RegisterDialogEntries(const DialogEntry* entries, std::size_t count) {
    if (!entries || count == 0) return false;
    for (Registered& r : g_tables)
        if (r.table == entries) {
            r.count = count;
            return true;
        }
    for (Registered& r : g_tables)
        if (!r.table) {
            r = {entries, count};
            return true;
        }
    return false;
}

void UnregisterDialogEntries(const DialogEntry* entries) {
    for (Registered& r : g_tables)
        if (r.table == entries) r = {};
}

const DialogEntry* FindDialogEntry(int kind) {
    // The latest registration wins, so a later table can replace an entry of an earlier one.
    const DialogEntry* found = nullptr;
    for (const Registered& r : g_tables)
        for (std::size_t i = 0; r.table && i < r.count; ++i)
            if (r.table[i].kind == kind) found = &r.table[i];
    return found;
}

namespace {

struct Opener {
    int kind;
    DialogOpener open;
};
constexpr size_t kOpenerCapacity = 8;
Opener g_openers[kOpenerCapacity];

DialogOpener FindOpener(int kind) {
    for (const Opener& o : g_openers)
        if (o.open && o.kind == kind) return o.open;
    return nullptr;
}

}  // namespace

bool RegisterDialogOpener(int kind, DialogOpener opener) {
    for (Opener& o : g_openers)
        if (o.open && o.kind == kind) {
            o.open = opener;
            return true;
        }
    if (!opener) return true;
    for (Opener& o : g_openers)
        if (!o.open) {
            o = {kind, opener};
            return true;
        }
    return false;
}

INT_PTR OpenDialogByKind(UIDEVDATA* ctx, HWND owner, int kind, LPARAM argument) {
    if (DialogOpener open = FindOpener(kind); open && ctx) return open(ctx, owner, argument);
    const DialogEntry* entry = FindDialogEntry(kind);
    if (!ctx || !entry || !entry->procedure) return 0;
    DWORD size = 0;
    auto* dialogTemplate =
        static_cast<LPCDLGTEMPLATEA>(ctx->svc->FindResource(ctx, entry->templateId, kDialogType, &size));
    if (!dialogTemplate) return 0;
    // Dialogs may hold common controls (list views, spin buttons), whose classes must exist
    // before the template is built, whoever opened the dialog.
    InitCommonControls();
    DialogCopies copies(ctx->svc->GetUserData(ctx), ctx->svc->GetDeviceOptionSize(ctx));
    SHEETDATA data{sizeof(SHEETDATA), ctx, argument, kSheetModalDialog};
    const INT_PTR result =
        DialogBoxIndirectParamA(nullptr, dialogTemplate, owner, entry->procedure, reinterpret_cast<LPARAM>(&data));
    if (result == IDOK) copies.CopyBackChanged();
    return result < 0 ? 0 : result;
}
