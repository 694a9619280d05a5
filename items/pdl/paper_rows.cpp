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

namespace {

thread_local PaperWalk* tOpenWalk = nullptr;

// Reads every paper of the table; false when the request has none.
bool Walk(UIDEVDATA* ctx, PoolVector<PaperEntry>& papers) {
    papers.clear();
    TableCursorRef<PaperCursor> cursor(ctx, kTablePapers);
    if (!cursor) return false;
    for (int more = cursor->First(); more; more = cursor->Next()) {
        PaperEntry& paper = papers.emplace_back();
        paper.hidden = cursor->GetFlag(1) != 0;
        paper.code = cursor->GetWord(1);
        paper.userForm = cursor->GetFlag(kUserFormFlag) != 0;
        cursor->GetFormName(1, paper.name.data(), paper.name.size());
    }
    return true;
}

}  // namespace

PaperWalk::PaperWalk(UIDEVDATA* ctx) : ctx_(ctx), outer_(tOpenWalk) { tOpenWalk = this; }

PaperWalk::~PaperWalk() { tOpenWalk = outer_; }

const PoolVector<PaperEntry>* PaperWalk::Papers(UIDEVDATA* ctx, PoolVector<PaperEntry>& own) {
    PaperWalk* open = tOpenWalk;
    if (!open || open->ctx_ != ctx) return Walk(ctx, own) ? &own : nullptr;
    if (!open->walked_) {
        open->found_ = Walk(ctx, open->papers_);
        open->walked_ = true;
    }
    return open->found_ ? &open->papers_ : nullptr;
}

void PaperRows::Build(UIDEVDATA* ctx, const CmSvOptionRecord* leading, size_t leadingCount) {
    rows_.clear();
    names_.clear();
    displays_.clear();
    for (size_t i = 0; i < leadingCount; ++i) rows_.push_back(leading[i]);
    PoolVector<PaperEntry> own;
    const PoolVector<PaperEntry>* papers = PaperWalk::Papers(ctx, own);
    if (!papers) return;
    for (const PaperEntry& paper : *papers) {
        if (paper.hidden) continue;
        std::array<char, kNameSize> name{};
        PaperRuleName(paper.code, paper.userForm, name.data(), kNameSize);
        std::array<char, kDisplaySize> display = paper.name;
        display[kDisplaySize - 1] = 0;
        names_.push_back(name);
        displays_.push_back(display);
        rows_.push_back(CmSvOptionRecord{nullptr, nullptr, paper.code, 0, 0, 1, 1, 0, 0, nullptr, 1, paper.code, 1});
    }
    // The rows point into the texts, which stay where they are once all are gathered.
    for (size_t i = 0; i < names_.size(); ++i) {
        rows_[leadingCount + i].name = names_[i].data();
        rows_[leadingCount + i].display_text = displays_[i].data();
    }
}
