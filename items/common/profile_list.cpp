// The page-setup page's profile list: filled from the request's profile store, and applying the
// chosen profile to the sheet's settings as the page does: the profile's kind marked in option
// 100, the job's own values kept, the current paper kept while the job fixes it, and a user
// profile without a watermark keeping the current one. The result passes the device-mode checks
// before it replaces the sheet's settings; then the items reload and the rules run.
#include "items/common/profile_list.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "items/common/watermark_view.h"
#include "settings/registry/conflict.h"
#include "settings/sdk/profile_store.h"

#include <cstring>
#include <vector>

namespace {

constexpr DWORD kOptionFlags = 100, kOptionAppliedName = 101, kOptionJob = 102;
constexpr uint32_t kBuiltInFlag = 0x40, kSnapshotFlag = 0x20, kSharedFlag = 0x04;
constexpr uint32_t kKeptPaperBits = 0x3800, kKeptJobBits = 0x3800 | 0xC0000000;
constexpr uint16_t kSnapshotType = 16;

uint32_t Flags(UIDEVDATA* ctx, const uint8_t* devmode) {
    uint32_t flags = 0;
    ctx->svc->GetOption(ctx, devmode, kOptionFlags, &flags, sizeof flags);
    return flags;
}

// The option's bytes copied from one device mode into the other, when both hold it.
void CarryOption(UIDEVDATA* ctx, const uint8_t* from, uint8_t* to, DWORD option, DWORD width) {
    uint8_t buffer[64] = {};
    if (width <= sizeof buffer && ctx->svc->GetOption(ctx, from, option, buffer, width))
        ctx->svc->SetOption(ctx, to, option, buffer, width);
}

uint32_t MarkedFlags(uint32_t flags, uint16_t type) {
    flags &= ~(kBuiltInFlag | kSnapshotFlag | kSharedFlag);
    if (type == kProfileBuiltIn) flags |= kBuiltInFlag;
    if (type == kSnapshotType) flags |= kSnapshotFlag;
    return flags;
}

}  // namespace

CmSvCB_ProfileList::CmSvCB_ProfileList()
    : CmSv(kSvTypeNone, kSvKindComboBox, nullptr, kItemId), CmSvControl(IDC_PROFILE, nullptr, 1, 1) {}

int CmSvCB_ProfileList::ToDialog(UIDEVDATA* ctx, HWND dialog, int) {
    HWND combo = GetDlgItem(dialog, controlId);
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    if (!combo || !user) return 0;
    char applied[kProfileNameSize + 1] = {};
    ctx->svc->GetOption(ctx, user->GetSettingsSource(), kOptionAppliedName, applied, kProfileNameSize);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    LRESULT selected = CB_ERR;
    ProfileStoreHold store(ctx);
    CmProfileNode node;
    for (uint32_t i = 0; store->GetProfileNode(i, node); ++i, node = CmProfileNode{}) {
        const LRESULT at = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(node.name));
        if (at >= 0 && applied[0] && std::strncmp(node.name, applied, kProfileNameSize) == 0) selected = at;
    }
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    shown_ = selected == CB_ERR ? std::string() : std::string(applied);
    return 1;
}

int CmSvCB_ProfileList::FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t) {
    HWND combo = GetDlgItem(dialog, controlId);
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    const LRESULT at = combo ? SendMessageA(combo, CB_GETCURSEL, 0, 0) : CB_ERR;
    if (!user || at == CB_ERR) return 0;
    char chosen[kProfileNameSize] = {};
    if (SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(at), 0) >= static_cast<LRESULT>(sizeof chosen)) return 0;
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(chosen));
    if (shown_ == chosen) return 0;  // the focus or the list opening, not a new choice

    ProfileStoreHold store(ctx);
    CmProfileNode node;
    bool found = false;
    for (uint32_t i = 0; !found && store->GetProfileNode(i, node); ++i)
        found = std::strncmp(node.name, chosen, kProfileNameSize) == 0;
    uint8_t* settings = user->GetSettingsSource();
    const DWORD size = user->GetSettingsSourceSize();
    if (!found || !settings || node.devmode.empty() || size != ctx->svc->GetDevmodeSize(ctx, 1)) return 0;
    std::vector<uint8_t> next(size, 0);
    // The node holds the device mode in the extended form the store keeps: its own sizes are
    // checked by the conversion, which reads no further than they say.
    if (!ctx->svc->ConvertDevmode(ctx, next.data(), node.devmode.data(), 1)) return 0;

    const uint32_t current = Flags(ctx, settings);
    uint32_t flags = MarkedFlags(Flags(ctx, next.data()), node.type);
    flags = (flags & ~kKeptJobBits) | (current & kKeptJobBits);
    ctx->svc->SetOption(ctx, next.data(), kOptionFlags, &flags, sizeof flags);
    CarryOption(ctx, settings, next.data(), kOptionJob, 2);
    if (current & kKeptPaperBits)
        for (const auto& [option, width] : {std::pair<DWORD, DWORD>{111, 2}, {112, 2}, {114, 4}, {115, 8}, {116, 2},
                                            {117, 2}, {119, 4}, {120, 8}, {123, 2}, {129, 2}})
            CarryOption(ctx, settings, next.data(), option, width);
    uint32_t watermark = 0;
    char stamp[32] = {};
    ctx->svc->GetOption(ctx, next.data(), 150, &watermark, sizeof watermark);
    ctx->svc->GetOption(ctx, next.data(), 154, stamp, sizeof stamp);
    if (node.type != kProfileBuiltIn && node.type != kSnapshotType && !(watermark & 1) && !stamp[0])
        for (const auto& [option, width] : {std::pair<DWORD, DWORD>{150, 4}, {154, 32}, {155, 32}, {156, 48},
                                            {157, 4}, {158, 4}, {159, 2}})
            CarryOption(ctx, settings, next.data(), option, width);
    // The list shows the profile the settings came from.
    char name[kProfileNameSize] = {};
    std::memcpy(name, chosen, strnlen(chosen, kProfileNameSize - 1));
    ctx->svc->SetOption(ctx, next.data(), kOptionAppliedName, name, sizeof name);

    std::vector<uint8_t> validated(settings, settings + size);
    if (!ctx->svc->ValidateDevmode(ctx, next.data(), validated.data())) return 0;
    std::memcpy(settings, validated.data(), size);
    shown_ = chosen;
    // The profile may have brought its own watermark: the stamps follow the new settings.
    if (CmWaterMark* marks = EditableWaterMarkOf(ctx)) marks->Update(1);
    if (CmSvConflict* registry = RegistryOf(ctx)) registry->RevertAll(ctx);
    needsRedisplay = 1;
    return 1;
}

int CmSvCB_ProfileList::DrawItem(UIDEVDATA*, HWND control, int32_t, DRAWITEMSTRUCT* draw) {
    if (!control || !draw || !draw->hDC) return 0;
    const bool selected = (draw->itemState & ODS_SELECTED) != 0;
    HDC dc = draw->hDC;
    HBRUSH background = GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    FillRect(dc, &draw->rcItem, background);
    if (draw->itemID == static_cast<UINT>(-1)) return 1;
    char name[kProfileNameSize] = {};
    if (SendMessageA(control, CB_GETLBTEXTLEN, draw->itemID, 0) < static_cast<LRESULT>(sizeof name))
        SendMessageA(control, CB_GETLBTEXT, draw->itemID, reinterpret_cast<LPARAM>(name));
    const COLORREF oldColor = SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    RECT text = draw->rcItem;
    text.left += 2;
    DrawTextA(dc, name, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (draw->itemState & ODS_FOCUS) DrawFocusRect(dc, &draw->rcItem);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    return 1;
}
