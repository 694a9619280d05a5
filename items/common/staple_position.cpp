// Staple point rows by orientation, the rules' actions on them and the option interface; the
// dialog's buttons.
#include "items/common/staple_position.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/helpers/units.h"
#include "data/resources/drvopui_ids.h"
#include "items/common/choice_select.h"
#include "items/common/finishing_items.h"
#include "items/common/item_links.h"
#include "items/common/option_word.h"
#include "items/common/oriented_rows.h"
#include "items/common/page_layout_items.h"
#include "items/common/public_devmode.h"
#include "settings/items/sv_multi.h"
#include "settings/registry/conflict.h"

#include <cstring>

namespace {

constexpr CmSvOptionRecord Point(const char* name, int32_t value, int32_t button, int32_t optionValue) {
    return CmSvOptionRecord{name, nullptr, value, 0, button, 1, 1, 0, 0, nullptr, 1, optionValue, 1};
}

// The construction table is the portrait one.
const CmSvOptionRecord kPortrait[CmSvRB_Position::kRowCount] = {
    Point("UPPER_LEFT_S", 9, IDC_STAPLE_UPPER_LEFT, 1),   Point("TOP_W", 10, IDC_STAPLE_TOP, 2),
    Point("UPPER_RIGHT_S", 11, IDC_STAPLE_UPPER_RIGHT, 3), Point("LEFT_W", 12, IDC_STAPLE_LEFT, 4),
    Point("RIGHT_W", 14, IDC_STAPLE_RIGHT, 5),            Point("LOWER_LEFT_S", 15, IDC_STAPLE_LOWER_LEFT, 6),
    Point("LOWER_RIGHT_S", 17, IDC_STAPLE_LOWER_RIGHT, 8), Point("BOTTOM_W", 16, IDC_STAPLE_BOTTOM, 7)};
const CmSvOptionRecord kLandscape[CmSvRB_Position::kRowCount] = {
    Point("UPPER_LEFT_S", 15, IDC_STAPLE_UPPER_LEFT, 1),  Point("UPPER_RIGHT_S", 9, IDC_STAPLE_UPPER_RIGHT, 3),
    Point("RIGHT_W", 10, IDC_STAPLE_RIGHT, 5),            Point("LOWER_RIGHT_S", 11, IDC_STAPLE_LOWER_RIGHT, 8),
    Point("TOP_W", 12, IDC_STAPLE_TOP, 2),                Point("LEFT_W", 16, IDC_STAPLE_LEFT, 4),
    Point("LOWER_LEFT_S", 17, IDC_STAPLE_LOWER_LEFT, 6),  Point("BOTTOM_W", 14, IDC_STAPLE_BOTTOM, 7)};
const int32_t kCompanions[] = {IDC_STAPLE_GROUP, IDC_STAPLE_PICTURE, 0};

// The staple points by mask bit.
constexpr int32_t kPoints[CmSvRB_Position::kRowCount] = {9, 10, 11, 12, 14, 15, 16, 17};

uint32_t BitOf(int32_t value) {
    for (uint32_t k = 0; k < CmSvRB_Position::kRowCount; ++k)
        if (kPoints[k] == value) return 1u << k;
    return 0;
}

// The points along each binding edge: left, right, top, bottom.
uint32_t EdgeMask(int32_t edge) {
    switch (edge) {
    case 0: return BitOf(9) | BitOf(12) | BitOf(15);
    case 1: return BitOf(11) | BitOf(14) | BitOf(17);
    case 2: return BitOf(9) | BitOf(10) | BitOf(11);
    case 3: return BitOf(15) | BitOf(16) | BitOf(17);
    default: return 0xFF;
    }
}

const CmSvOptionRecord* ByButton(const CmSvOptionRecord* rows, int32_t button) {
    for (uint32_t i = 0; i < CmSvRB_Position::kRowCount; ++i)
        if (rows[i].control_id == button) return &rows[i];
    return nullptr;
}

// The orientation the page prints in, turned when the layout puts it on its side.
// Only pages per sheet turns by its count, so the count is read for that mode alone: this runs
// on every evaluate, and each option read locates its section anew.
LONG EffectiveOrientation(UIDEVDATA* ctx, const uint8_t* settings) {
    const auto mode = static_cast<int16_t>(ReadOptionShort(ctx, settings, kOptLayoutMode));
    const auto pages =
        mode == kModePagesPerSheet ? static_cast<int16_t>(ReadOptionShort(ctx, settings, kOptPagesPerSheet)) : 0;
    return MapRotationCode(mode, pages, static_cast<int16_t>(publicdm::U16(settings, publicdm::kOrientation)));
}

const CmSvOptionRecord* BindingRow(UIDEVDATA* ctx) {
    auto* binding = PartnerItem<CmSvMulti>(ctx, CmSvCB_BindDirect::kItemId);
    return binding ? binding->CurrentRow() : nullptr;
}

}  // namespace

CmSvRB_Position::CmSvRB_Position()
    : CmSvRadioButton("Finishing$Position", kItemId, 0, kRowCount, kPortrait, IDC_STAPLE_UPPER_LEFT, kCompanions, 1, 1),
      CmSvSdk_Multi(0x1006a, 4, 0) {
    previewKey = 4;
}

int CmSvRB_Position::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    return LoadRowFromShort(ctx, *this, source, kOptStaplePoint);
}

int CmSvRB_Position::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    return StoreRowAsShort(ctx, *this, destination, kOptStaplePoint);
}

int CmSvRB_Position::Init(UIDEVDATA* ctx, const uint8_t* settings) {
    if (!haveRows_) {
        std::memcpy(rows_, kPortrait, sizeof rows_);
        haveRows_ = true;
        UseTable(rows_, kRowCount);
    }
    if (!settings) return 1;
    const LONG orientation = EffectiveOrientation(ctx, settings);
    if (orientation != DMORIENT_PORTRAIT && orientation != DMORIENT_LANDSCAPE) return 1;
    const CmSvOptionRecord* copy = orientation == DMORIENT_PORTRAIT ? kPortrait : kLandscape;
    for (CmSvOptionRecord& row : rows_)
        if (const CmSvOptionRecord* same = ByButton(copy, row.control_id)) row = *same;
    portrait = orientation == DMORIENT_PORTRAIT;
    landscape = !portrait;
    UseTable(rows_, kRowCount);
    return 1;
}

int CmSvRB_Position::Follow(UIDEVDATA* ctx, const uint8_t* settings) {
    if (!haveRows_) return 0;
    const LONG orientation = EffectiveOrientation(ctx, settings);
    if (orientation != DMORIENT_PORTRAIT && orientation != DMORIENT_LANDSCAPE) return 0;
    const bool toPortrait = orientation == DMORIENT_PORTRAIT;
    if (toPortrait ? portrait : landscape) return 0;
    const CmSvOptionRecord* row = CurrentRow();
    const bool hadRow = row != nullptr;
    const int32_t point = hadRow ? row->value : 0;
    for (CmSvOptionRecord& mine : rows_)
        if (const CmSvOptionRecord* same = ByButton(toPortrait ? kPortrait : kLandscape, mine.control_id)) {
            const CmSvOptionRecord before = mine;
            mine = *same;
            KeepRuleWords(mine, before);
        }
    UseTable(rows_, kRowCount);
    if (hadRow) LoadRowByValue(*this, point);
    portrait = toPortrait;
    landscape = !toPortrait;
    return 1;
}

void CmSvRB_Position::EnablePoints(UIDEVDATA* ctx, uint32_t mask) {
    const CmSvOptionRecord* edge = BindingRow(ctx);
    if (!edge || !table) return;
    mask &= EdgeMask(edge->value);
    const CmSvOptionRecord* row = CurrentRow();
    int32_t point = row ? row->value : 0;
    if (!(mask & BitOf(point))) {
        for (int32_t candidate : kPoints)
            if (mask & BitOf(candidate)) {
                point = candidate;
                break;
            }
    }
    for (uint32_t i = 0; i < count; ++i) table[i].enabled = (mask & BitOf(table[i].value)) ? 1 : 0;
    LoadRowByValue(*this, point);
}

void CmSvRB_Position::DefaultPointForBinding(UIDEVDATA* ctx) {
    const CmSvOptionRecord* edge = BindingRow(ctx);
    if (!edge) return;
    switch (edge->value) {
    case 0:
    case 2: LoadRowByValue(*this, 9); break;
    case 1: LoadRowByValue(*this, 11); break;
    case 3: LoadRowByValue(*this, 15); break;
    default: break;
    }
}

void CmSvRB_Position::AfterOrientation(UIDEVDATA*) {}

int CmSvRB_Position::Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) {
    if (!haveRows_ || argumentCount < 1 || !arguments) return 0;
    if (Named(arguments[0], "DISABLE_POINT")) {
        uint32_t mask = 0xFF;
        for (int i = 1; i < argumentCount; ++i) {
            const char* digit = arguments[i];
            if (digit && digit[0] >= '1' && digit[0] <= '8' && digit[1] == '\0') mask &= ~(1u << (digit[0] - '1'));
        }
        EnablePoints(ctx, mask);
        flags |= CmSvItem::kChangedByRules;
        return 1;
    }
    const bool setTable = argumentCount == 2 && Named(arguments[0], "SET_TABLE");
    const char* orientation = setTable ? arguments[1] : argumentCount == 1 ? arguments[0] : nullptr;
    const bool toPortrait = Named(orientation, "PORTRAIT");
    if (!toPortrait && !Named(orientation, "LANDSCAPE")) return 0;
    const CmSvOptionRecord* copy = toPortrait ? kPortrait : kLandscape;
    if (setTable) {
        if (toPortrait ? portrait : landscape) return 0;
        const CmSvOptionRecord* before = CurrentRow();
        const int32_t point = before ? before->value : 0;
        std::memcpy(rows_, copy, sizeof rows_);
        UseTable(rows_, kRowCount);
        LoadRowByValue(*this, point);
    } else {
        for (CmSvOptionRecord& row : rows_)
            if (const CmSvOptionRecord* same = ByButton(copy, row.control_id)) {
                const int32_t shownWord = row.shown, enabledWord = row.enabled;
                row = *same;
                row.shown = shownWord;
                row.enabled = enabledWord;
            }
        UseTable(rows_, kRowCount);
        AfterOrientation(ctx);
    }
    portrait = toPortrait;
    landscape = !toPortrait;
    flags |= CmSvItem::kChangedByRules;
    if (out) {
        const CmSvOptionRecord* row = CurrentRow();
        out->type = kSvTypeString;
        out->value = reinterpret_cast<intptr_t>(row ? row->name : nullptr);
    }
    return 1;
}

int CmSvRB_Position::Preview(UIDEVDATA*, intptr_t a, intptr_t, intptr_t, intptr_t) {
    if (third == 1 || a < 0 || a >= static_cast<intptr_t>(kRowCount)) return 0;
    const int32_t point = kPoints[a];
    for (uint32_t i = 0; i < count; ++i)
        if (table[i].value == point) {
            if (i == current) return 0;
            current = i;
            return 1;
        }
    return 0;
}

int CmSvRB_Position::SdkGuard(UIDEVDATA* ctx, const void* data) {
    CmSvConflict* registry = RegistryOf(ctx);
    if (!registry || registry->GetSdkItemAvailability(ctx, kStapleKey) == 0) return kSdkNotSupported;
    return data ? kSdkDone : kSdkNoItem;
}

int CmSvRB_Position::GetValue(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = SdkGuard(ctx, data)) return answer;
    *static_cast<uint32_t*>(data) = 4;
    return kSdkDone;
}

int CmSvRB_Position::GetCount(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = SdkGuard(ctx, data)) return answer;
    uint32_t enabledRows = 0;
    for (uint32_t i = 0; i < count; ++i) enabledRows += table[i].enabled == 1 ? 1 : 0;
    *static_cast<uint32_t*>(data) = enabledRows;
    return kSdkDone;
}

int CmSvRB_Position::GetCurrent(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = SdkGuard(ctx, data)) return answer;
    const CmSvOptionRecord* row = CurrentRow();
    if (!row) return kSdkNotSupported;
    *static_cast<int32_t*>(data) = row->option_value;
    return kSdkDone;
}

int CmSvRB_Position::GetList(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = SdkGuard(ctx, data)) return answer;
    auto* out = static_cast<int32_t*>(data);
    for (uint32_t i = 0; i < count; ++i)
        if (table[i].enabled == 1) *out++ = table[i].option_value;
    return kSdkDone;
}

int CmSvRB_Position::Apply(UIDEVDATA*, uint32_t, void*) {
    if (available == 0) return kSdkNotSupported;
    if (enabled == 0) return kSdkRefused;
    for (uint32_t i = 0; i < count; ++i) {
        if (table[i].value != 9) continue;
        if (table[i].enabled != 1) return kSdkRefused;
        current = i;
        return kSdkDone;
    }
    return kSdkNotSupported;
}

const PushButtonRow kPbStapleOK{"Stpl$OK", CmSvPB_StapleOK::kItemId, IDOK, 0, 0};
const PushButtonRow kPbStapleCancel{"Stpl$Cancel", CmSvPB_StapleCancel::kItemId, IDCANCEL, 0, 0};
