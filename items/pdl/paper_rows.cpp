// Paper rows from the printer's paper table.
#include "items/pdl/paper_rows.h"

#include "core/device/table_cursor_papers.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_ref.h"
#include "settings/rules/value_names.h"

#include <cstring>

namespace {

// `text`, then `number` in decimal when `withNumber`, cut and ended as snprintf cuts and ends
// them: a start names some thirty papers for each of three tables, and snprintf's parsing of
// its format costs several times the writing.
void WriteName(char* out, size_t size, const char* text, bool withNumber, unsigned number) {
    char digits[12];
    int count = 0;
    if (withNumber) {
        do {
            digits[count++] = static_cast<char>('0' + number % 10);
        } while (number /= 10);
    }
    size_t at = 0;
    for (; *text && at + 1 < size; ++text) out[at++] = *text;
    while (count > 0 && at + 1 < size) out[at++] = digits[--count];
    out[at] = '\0';
}

}  // namespace

void PaperRuleName(uint16_t code, bool userForm, char* out, size_t size) {
    if (!out || size == 0) return;
    const char* known = userForm ? nullptr : FindValueName(valuenames::kPaper, code);
    if (known)
        WriteName(out, size, known, false, 0);
    else
        WriteName(out, size, userForm ? "USER" : "PAPER", true, code);
}

void PaperRows::Build(UIDEVDATA* ctx, const CmSvOptionRecord* leading, size_t leadingCount) {
    rows_.clear();
    names_.clear();
    displays_.clear();
    for (size_t i = 0; i < leadingCount; ++i) rows_.push_back(leading[i]);
    TableCursorRef<PaperCursor> papers(ctx, kTablePapers);
    if (!papers) return;
    // One walk: each field the cursor gives is a search of the paper table.
    for (int more = papers->First(); more; more = papers->Next()) {
        if (papers->GetFlag(1)) continue;
        const uint16_t code = papers->GetWord(1);
        std::array<char, kNameSize> name{};
        PaperRuleName(code, papers->GetFlag(kUserFormFlag) != 0, name.data(), kNameSize);
        std::array<char, kDisplaySize> display{};
        papers->GetFormName(1, display.data(), kDisplaySize);
        display[kDisplaySize - 1] = 0;
        names_.push_back(name);
        displays_.push_back(display);
        rows_.push_back(CmSvOptionRecord{nullptr, nullptr, code, 0, 0, 1, 1, 0, 0, nullptr, 1, code, 1});
    }
    // The rows point into the texts, which stay where they are once all are gathered.
    for (size_t i = 0; i < names_.size(); ++i) {
        rows_[leadingCount + i].name = names_[i].data();
        rows_[leadingCount + i].display_text = displays_[i].data();
    }
}
