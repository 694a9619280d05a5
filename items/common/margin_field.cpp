// The margin fields' shared behaviour: the range from the device or the dialog, the field read and
// written in the unit shown, the spin steps and the option interface's millimetres.
#include "items/common/margin_field.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/helpers/dialog_helpers.h"
#include "core/helpers/units.h"
#include "items/common/dialog_gate.h"
#include "items/common/number_format.h"
#include "items/common/option_word.h"
#include "ui/cm_locale.h"

#include <algorithm>

namespace {

constexpr int kTextSize = 64;
constexpr UINT kRangeJoin = 4124, kRangeFormat = 4125, kInchFormat = 4428;

CmUserData* UserOf(UIDEVDATA* ctx) { return ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr; }

}  // namespace

CmSvDGT_MarginField::CmSvDGT_MarginField(const MarginFieldRow& row)
    : CmSvDigit(row.key, row.itemId, 0, 0, 0, row.editId, row.companions, 1, 1, 0, 0, row.spinId, 0),
      CmSvSdk_Numeric(row.sdkKey, 4, 0),
      row(row) {}

bool CmSvDGT_MarginField::InchMode(UIDEVDATA* ctx) {
    CmUserData* user = UserOf(ctx);
    return user && user->IsInchUnit();
}

int32_t CmSvDGT_MarginField::Shown(UIDEVDATA* ctx, int32_t millimetres) {
    return InchMode(ctx) ? TenthMmToHundredthInch(millimetres) : millimetres;
}

int32_t CmSvDGT_MarginField::FromShown(UIDEVDATA* ctx, int32_t shown) {
    return InchMode(ctx) ? HundredthInchToTenthMm(shown) : shown;
}

int CmSvDGT_MarginField::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    current = static_cast<int16_t>(ReadOptionShort(ctx, source, row.option));
    return 1;
}

int CmSvDGT_MarginField::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    WriteOptionShort(ctx, destination, row.option, static_cast<uint16_t>(current));
    return 1;
}

int CmSvDGT_MarginField::Init(UIDEVDATA* ctx, const uint8_t*) {
    const int32_t largest = MillimetreMaximum(ctx);
    millimetreMaximum_ = largest;
    minimum = 0;
    if (InchMode(ctx)) {
        maximum = TenthMmToHundredthInch(largest);
        textLimit = 3;
    } else {
        maximum = largest;
        textLimit = 2;
    }
    return 1;
}

bool CmSvDGT_MarginField::AcceptsRuleValue(int32_t value) const {
    return value >= 0 && value / row.unitsPerMm <= millimetreMaximum_;
}

bool CmSvDGT_MarginField::TakeMillimetres(int32_t millimetres) {
    const int32_t value = millimetres * row.unitsPerMm;
    if (value == current) return false;
    current = value;
    return true;
}

void CmSvDGT_MarginField::RangeFromSpin(HWND dialog) {
    if (!row.rangeFromSpin) return;
    if (HWND spin = GetDlgItem(dialog, spinId)) {
        const auto range = static_cast<DWORD>(SendMessageA(spin, UDM_GETRANGE, 0, 0));
        maximum = static_cast<int16_t>(LOWORD(range));
        minimum = static_cast<int16_t>(HIWORD(range));
    }
}

bool CmSvDGT_MarginField::ReadField(UIDEVDATA* ctx, HWND dialog, int32_t* shown) const {
    if (InchMode(ctx)) {
        char text[kTextSize + 1] = {};
        if (GetDlgItemTextA(dialog, controlId, text, sizeof text) <= 0) return false;
        const WORD hundredths = ParseDecimalHundredths(ctx, text);
        if (hundredths == kNotHundredths) return false;
        *shown = hundredths / 10;
        return true;
    }
    BOOL translated = FALSE;
    const UINT value = GetDlgItemInt(dialog, controlId, &translated, FALSE);
    if (!translated || value > 0x7FFFFFFFu) return false;
    *shown = static_cast<int32_t>(value);
    return true;
}

int CmSvDGT_MarginField::FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t) {
    RangeFromSpin(dialog);
    int32_t shown = 0;
    if (!ReadField(ctx, dialog, &shown) || shown < minimum || shown > maximum) return 0;
    return TakeMillimetres(FromShown(ctx, shown)) ? 1 : 0;
}

int CmSvDGT_MarginField::OnDeltaPos(UIDEVDATA* ctx, HWND dialog, NMUPDOWN* updown) {
    if (!updown) return 0;
    RangeFromSpin(dialog);
    int32_t shown = 0;
    // A field that cannot be read steps from the value the item holds.
    if (!ReadField(ctx, dialog, &shown)) shown = Shown(ctx, Millimetres());
    shown = std::clamp(shown, minimum, std::max(minimum, maximum));
    shown += updown->iDelta > 0 ? 1 : -1;
    shown = std::clamp(shown, minimum, std::max(minimum, maximum));
    TakeMillimetres(FromShown(ctx, shown));
    if (InchMode(ctx)) {
        char text[kTextSize] = {};
        if (FormatShown(ctx, shown, text, sizeof text)) SetDlgItemTextA(dialog, controlId, text);
    } else {
        SetDlgItemInt(dialog, controlId, static_cast<UINT>(shown), FALSE);
    }
    return 1;
}

bool CmSvDGT_MarginField::FormatShown(UIDEVDATA* ctx, int32_t shown, char* text, size_t size) const {
    char format[kTextSize] = {};
    if (!ctx || !ctx->svc || ctx->svc->LoadString(ctx, kInchFormat, format, sizeof format) <= 0) return false;
    // The whole inches, then the tenths.
    if (!FormatTwoNumbers(text, size, format, shown / 10, shown % 10)) return false;
    CmUserData* user = UserOf(ctx);
    if (user && user->GetLocale()) user->GetLocale()->LocalizeNumberText(text);
    return true;
}

int CmSvDGT_MarginField::ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) {
    HWND edit = GetDlgItem(dialog, controlId);
    HWND spin = GetDlgItem(dialog, spinId);
    if (!edit || !spin) return 0;
    UpdateShow(ctx, dialog, onlyChanged, spinId);
    if (!onlyChanged) {
        SendMessageA(spin, UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(maximum), static_cast<WORD>(minimum)));
        SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(textLimit), 0);
    }
    char value[kTextSize] = {};
    char range[kTextSize] = {};
    if (InchMode(ctx)) {
        char low[kTextSize] = {};
        char high[kTextSize] = {};
        char join[kTextSize] = {};
        if (!FormatShown(ctx, Shown(ctx, Millimetres()), value, sizeof value) ||
            !FormatShown(ctx, minimum, low, sizeof low) || !FormatShown(ctx, maximum, high, sizeof high))
            return 0;
        ctx->svc->LoadString(ctx, kRangeJoin, join, sizeof join);
        if (!AppendBounded(range, sizeof range, low) || !AppendBounded(range, sizeof range, join) ||
            !AppendBounded(range, sizeof range, high))
            return 0;
        SetDlgItemTextA(dialog, controlId, value);
    } else {
        char format[kTextSize] = {};
        if (!ctx || !ctx->svc) return 0;
        ctx->svc->LoadString(ctx, kRangeFormat, format, sizeof format);
        if (!FormatTwoNumbers(range, sizeof range, format, minimum, maximum)) return 0;
        SetDlgItemInt(dialog, controlId, static_cast<UINT>(Millimetres()), (signedFlag & 1) ? TRUE : FALSE);
        CmUserData* user = UserOf(ctx);
        if (user && user->GetLocale()) user->GetLocale()->LocalizeNumberText(range);
    }
    SetDlgItemTextA(dialog, row.rangeId, range);
    UpdateEnable(ctx, dialog, onlyChanged, spinId);
    return 1;
}

int CmSvDGT_MarginField::Gate(UIDEVDATA* ctx, const void* data, bool needData) {
    return GateOn(ctx, *this, row.gateItem, data, needData);
}

int CmSvDGT_MarginField::GetCurrent(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = Gate(ctx, data, true)) return answer;
    *static_cast<int32_t*>(data) = Millimetres() * 100;
    return kSdkDone;
}

int CmSvDGT_MarginField::SetCurrent(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = Gate(ctx, data, true)) return answer;
    // Checked against the millimetre range whatever unit the dialog shows.
    const int32_t millimetres = *static_cast<const int32_t*>(data) / 100;
    if (millimetres < 0 || millimetres > MillimetreMaximum(ctx)) return kSdkNotSupported;
    TakeMillimetres(millimetres);
    return kSdkDone;
}
