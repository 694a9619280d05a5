// The paper tooltip. Each piece is appended only when it fits whole; the first that does not
// ends the text there.
#include "items/common/paper_tooltip.h"

#include "core/memory/pool_text.h"
#include "core/memory/private_heap.h"
#include "core/device/service_table.h"
#include "core/device/table_cursor_papers.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_ref.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "items/common/number_format.h"
#include "items/common/paper_size_items.h"
#include "items/common/sheet_items.h"
#include "ui/cm_locale.h"

#include <algorithm>

namespace {

constexpr size_t kLineSize = 64;

// Hundredths of an inch from tenths of a millimetre, rounded half up.
int32_t HundredthsOfInch(uint32_t tenthsMm) { return static_cast<int32_t>((uint64_t{tenthsMm} * 100 + 127) / 254); }

class Tooltip {
public:
    Tooltip(UIDEVDATA* ctx, char* result) : ctx_(ctx), result_(result) {
        CmUserData* user = ctx->svc->GetUserData(ctx);
        locale_ = user ? user->GetLocale() : nullptr;
        line_ = NewPoolText(kLineSize);
    }
    ~Tooltip() { FreePoolText(line_); }
    Tooltip(const Tooltip&) = delete;
    Tooltip& operator=(const Tooltip&) = delete;

    bool Ready() const { return line_ != nullptr; }
    bool Append(const char* text) { return AppendBounded(result_, kPaperTooltipSize, text); }
    bool AppendString(UINT id) {
        char text[kLineSize] = {};
        ctx_->svc->LoadString(ctx_, id, text, sizeof text);
        return Append(text);
    }
    // One number line from a format string of the resource module.
    bool AppendNumbers(UINT formatId, int32_t first, int32_t second) {
        char format[kLineSize] = {};
        ctx_->svc->LoadString(ctx_, formatId, format, sizeof format);
        std::fill(line_, line_ + kLineSize, '\0');
        if (!FormatTwoNumbers(line_, kLineSize, format, first, second)) return false;
        if (locale_) locale_->LocalizeNumberText(line_);
        return Append(line_);
    }

private:
    UIDEVDATA* ctx_;
    char* result_;
    CmLocale* locale_ = nullptr;
    char* line_ = nullptr;
};

}  // namespace

char* PaperTooltipText(UIDEVDATA* ctx, HWND dialog, int controlId, int index) {
    if (!ctx || !ctx->svc) return nullptr;
    auto* result = static_cast<char*>(PrivateAlloc(kPaperTooltipSize));
    if (!result) return nullptr;
    Tooltip tip(ctx, result);
    if (!tip.Ready()) return result;

    const LRESULT data = SendMessageA(GetDlgItem(dialog, controlId), CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    if (data == 0 || data == CB_ERR) return result;
    const auto* row = reinterpret_cast<const CmSvOptionRecord*>(data);
    int32_t paper = row->value;
    char name[kLineSize] = {};
    if (row->display_text) AppendBounded(name, sizeof name, row->display_text);
    if (paper == 0 && controlId == IDC_OUTPUT_SIZE) {
        // "Same as page size": the paper chosen in the page-size list.
        auto* pageSize = dynamic_cast<CmSvMulti*>(FindSheetItem(ctx, CmSvCB_PageSize::kItemId));
        const CmSvOptionRecord* chosen = pageSize ? pageSize->CurrentRow() : nullptr;
        if (!chosen) return result;
        paper = chosen->value;
        name[0] = 0;
        ctx->svc->LoadString(ctx, 4006, name, sizeof name);
    }
    if (!tip.Append(name) || !tip.AppendString(4906) || !tip.Append("\n")) return result;

    TableCursorRef<PaperCursor> papers(ctx, kTablePapers);
    uint32_t size[2] = {};
    if (!papers || !papers->Select(static_cast<uint16_t>(paper)) || !papers->GetFormSize(size, nullptr))
        return result;
    const int32_t width = static_cast<int32_t>(size[0]), length = static_cast<int32_t>(size[1]);
    const int32_t inchWidth = HundredthsOfInch(size[0]), inchLength = HundredthsOfInch(size[1]);
    (void)(tip.AppendNumbers(4435, width / 10, width % 10) && tip.AppendNumbers(4430, length / 10, length % 10) &&
           tip.Append("\n") && tip.AppendNumbers(4436, inchWidth / 100, inchWidth % 100) &&
           tip.AppendNumbers(4433, inchLength / 100, inchLength % 100));
    return result;
}
