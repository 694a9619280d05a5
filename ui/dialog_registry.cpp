// The dialog registry's tables and the opening of a dialog by kind. Subsystems register static
// tables, so the registry keeps pointers to them, a few dozen at most.
#include "ui/dialog_registry.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "ui/sheet_data.h"

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

// The bytes of one settings block as they were when a dialog opened, put back unless it ends
// with OK: a dialog edits the sheet's blocks in place, and Cancel must leave them as they were.
class BlockSnapshot {
public:
    BlockSnapshot(uint8_t* block, std::size_t size) : block_(block) {
        if (block_ && size) saved_.assign(block_, block_ + size);
    }
    void Restore() {
        if (block_ && !saved_.empty()) std::memcpy(block_, saved_.data(), saved_.size());
    }

private:
    uint8_t* block_;
    std::vector<uint8_t> saved_;
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

INT_PTR OpenDialogByKind(UIDEVDATA* ctx, HWND owner, int kind, LPARAM argument) {
    const DialogEntry* entry = FindDialogEntry(kind);
    if (!ctx || !entry || !entry->procedure) return 0;
    DWORD size = 0;
    auto* dialogTemplate =
        static_cast<LPCDLGTEMPLATEA>(ctx->svc->FindResource(ctx, entry->templateId, kDialogType, &size));
    if (!dialogTemplate) return 0;
    CmUserData* user = ctx->svc->GetUserData(ctx);
    BlockSnapshot settings(user ? user->GetSettingsSource() : nullptr, user ? user->GetSettingsSourceSize() : 0);
    BlockSnapshot deviceOptions(user ? user->GetDeviceOptionSource() : nullptr, ctx->svc->GetDeviceOptionSize(ctx));
    SHEETDATA data{sizeof(SHEETDATA), ctx, argument, kSheetModalDialog};
    const INT_PTR result =
        DialogBoxIndirectParamA(nullptr, dialogTemplate, owner, entry->procedure, reinterpret_cast<LPARAM>(&data));
    if (result != IDOK) {
        settings.Restore();
        deviceOptions.Restore();
    }
    return result < 0 ? 0 : result;
}
