// The printer's paper lists and job operations.
#include "items/pdl/page_setup_items.h"

#include <cstring>
#include <iterator>

namespace {

constexpr CmSvOptionRecord kSameAsPageSize{"DRAFT", nullptr, 0, 4006, 0, 1, 1, 0, 0, nullptr, 1, 0, 1};

constexpr CmSvOptionRecord Job(const char* name, int32_t value, int32_t textId) {
    return CmSvOptionRecord{name, nullptr, value, textId, 0, 1, 1, 0, 0, nullptr, 1, value, 1};
}
const CmSvOptionRecord kJobRows[] = {Job("PRINT", 1, 4168),   Job("PROOF", 2, 4169), Job("SECURE", 4, 4170),
                                     Job("STORE", 8, 4171),   Job("HOLD", 16, 4172), Job("COMPOSE", 32, 4173)};

}  // namespace

int PDLSvCB_PageSize::Init(UIDEVDATA* ctx, const uint8_t*) {
    papers_.Build(ctx, nullptr, 0);
    UseTable(papers_.Rows(), papers_.Count());
    return 1;
}

int PDLSvCB_PageSize::Action(UIDEVDATA*, int, const char* const*, PieValue*) { return 0; }

int PDLSvCB_OutPutSize::Init(UIDEVDATA* ctx, const uint8_t*) {
    // The list loaded the first row's text once; the renewed row keeps it.
    char* loaded = count && table[0].value == 0 ? table[0].display_text : nullptr;
    papers_.Build(ctx, &kSameAsPageSize, 1);
    if (papers_.Count()) papers_.Rows()[0].display_text = loaded;
    UseTable(papers_.Rows(), papers_.Count());
    return 1;
}

int PDLSvCB_JobOperation::Init(UIDEVDATA*, const uint8_t*) {
    if (!table) {
        std::memcpy(rows_, kJobRows, sizeof rows_);
        UseTable(rows_, static_cast<uint32_t>(std::size(rows_)));
    }
    return 1;
}

int PDLSvCB_JobOperation::Action(UIDEVDATA*, int, const char* const*, PieValue*) { return 0; }
