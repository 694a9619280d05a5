// The paper-source list (kind 60, the device settings page's Paper sources... button): one record
// per source of the core's source table, read once, shown, and written back through the table on
// OK.
#include "features/job_dialogs.h"

#include "core/device/service_table.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_ref.h"
#include "core/device/table_cursor_sources.h"
#include "data/resources/drvopui_ids.h"
#include "features/list_view_rows.h"

#include <cstring>
#include <iterator>
#include <utility>

namespace {

constexpr UINT kColumns[] = {9690, 9691, 9692, 9693, 9694};
constexpr int kWidths[] = {110, 80, 50, 50, 60};
constexpr size_t kNameLimit = 35, kTrayLimit = 19;
constexpr int kPaperSize = 2, kOrientation = 3, kRemaining = 4, kMediaType = 5;

}  // namespace

PaperSourceSetProc::PaperSourceSetProc() : Proc(kPaperSourceSetDialogKind, 0) {}

std::vector<PaperSourceRecord> PaperSourceSetProc::ReadSources(UIDEVDATA* ctx) {
    std::vector<PaperSourceRecord> records;
    TableCursorRef<PaperSourceCursor> sources(ctx, kTableSources);
    if (!sources) return records;
    for (int more = sources->First(); more; more = sources->Next()) {
        PaperSourceRecord r;
        char text[kSourceTextSize] = {};
        sources->GetText(2, 0, text);
        std::memcpy(r.name, text, strnlen(text, kNameLimit));
        std::memset(text, 0, sizeof text);
        sources->GetText(1, 0, text);
        std::memcpy(r.tray, text, strnlen(text, kTrayLimit));
        r.id = uint16_t(sources->GetNumber(1));
        r.paperSize = uint16_t(sources->GetNumber(kPaperSize));
        r.orientation = uint16_t(sources->GetNumber(kOrientation));
        r.mediaType = uint16_t(sources->GetNumber(kMediaType));
        r.remaining = uint16_t(sources->GetNumber(kRemaining));
        records.push_back(r);
    }
    return records;
}

BOOL PaperSourceSetProc::OnInitDialog() {
    const BOOL answer = Proc::OnInitDialog();
    UIDEVDATA* ctx = Request();
    HWND list = GetDlgItem(Dialog(), IDC_PS_LIST);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (size_t i = 0; i < std::size(kColumns); ++i) {
        char title[64] = {};
        ctx->svc->LoadString(ctx, kColumns[i], title, sizeof title);
        AddListColumn(list, int(i), title, kWidths[i]);
    }
    records_ = ReadSources(ctx);
    for (const PaperSourceRecord& r : records_)
        AddListRow(list,
                   {r.name, r.tray, std::to_string(r.paperSize), std::to_string(r.mediaType),
                    std::to_string(int16_t(r.remaining))},
                   LPARAM(r.id));
    return answer;
}

void PaperSourceSetProc::Store() {
    TableCursorRef<PaperSourceCursor> sources(Request(), kTableSources);
    if (!sources) return;
    // The table takes back the numbers it keeps in the device options; the texts and the
    // orientation are the device's and stay as they are. Only a number that differs from the
    // table's is written, so that OK on an unchanged list writes nothing.
    for (const PaperSourceRecord& r : records_) {
        if (!sources->Select(r.id)) continue;
        const std::pair<int, int32_t> numbers[] = {
            {kPaperSize, r.paperSize}, {kMediaType, r.mediaType}, {kRemaining, int16_t(r.remaining)}};
        for (auto [k, value] : numbers)
            if (sources->GetNumber(k) != value) sources->SetNumber(k, value);
    }
}

BOOL PaperSourceSetProc::OnCommand(WORD id, WORD code) {
    if (id == IDOK) Store();
    return Proc::OnCommand(id, code);
}
