// Number values: texts, comparison with a source (a number field also compares what is typed in
// its page while that page is being reset) and reference.
#include "settings/items/sv_numeric.h"

#include "core/memory/pool_text.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "settings/registry/conflict.h"
#include "settings/controls/digit.h"

#include <cstdio>

namespace {

// Room for every 32-bit value: sign, ten digits and the terminator.
constexpr size_t kNumberText = 12;

void FormatNumber(char (&text)[kNumberText], int32_t value) {
    std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
}

// While the registry's current dialog is the page being reset, the number typed in the digit's
// field is part of the value: a field that does not read, or reads outside the limits, differs.
bool TypedNumberAgrees(UIDEVDATA* ctx, const CmSvDigit& digit) {
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    auto* registry = user ? static_cast<CmSvConflict*>(user->GetConflict()) : nullptr;
    if (!registry || !registry->dialogWindow || registry->dialogWindow != registry->resetPageWindow) return true;
    BOOL translated = FALSE;
    const bool isSigned = (digit.signedFlag & 1) != 0;
    UINT raw = GetDlgItemInt(registry->dialogWindow, digit.controlId, &translated, isSigned ? TRUE : FALSE);
    if (!translated) return false;
    const int64_t typed = isSigned ? static_cast<int64_t>(static_cast<int32_t>(raw)) : static_cast<int64_t>(raw);
    return typed >= digit.minimum && typed <= digit.maximum;
}

}  // namespace

char* CmSvNumeric::GetValueText(UIDEVDATA*) {
    char text[kNumberText];
    FormatNumber(text, current);
    return CopyPoolText(text);
}

char* CmSvNumeric::GetChangeText(UIDEVDATA* ctx) {
    if (!(flags & kChangedByRules)) return GetValueText(ctx);
    SetReference(ctx, 1);
    char before[kNumberText], after[kNumberText];
    FormatNumber(before, reference);
    FormatNumber(after, current);
    return JoinChangeText(before, after);
}

int CmSvNumeric::IsSameAsSource(UIDEVDATA* ctx, int mode) {
    const uint8_t* source = SourceOfMode(ctx, mode);
    if (!source) return 0;
    const int32_t kept = current;
    if (Load(ctx, source) == 1 && current == kept) {
        const auto* digit = kind == kSvKindDigit ? static_cast<const CmSvDigit*>(this) : nullptr;
        return !digit || TypedNumberAgrees(ctx, *digit) ? 1 : 0;
    }
    current = kept;
    return 0;
}

int CmSvNumeric::GetTypedValue(UIDEVDATA*, PieValue* out) {
    if (!out) return 0;
    out->type = kSvTypeNumeric;
    out->value = current;
    return 1;
}

void CmSvNumeric::SetReference(UIDEVDATA* ctx, int mode) { SetNumberReference(ctx, mode, current, reference); }
