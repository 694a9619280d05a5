// The print-image rows and the paper-selection rows.
#include "items/pdl/pdl_quality_items.h"

#include <cstring>

namespace {

constexpr CmSvOptionRecord Row(const char* name, int32_t value, int32_t textId, int32_t optionValue) {
    return CmSvOptionRecord{name, nullptr, value, textId, 0, 1, 1, 0, 0, nullptr, 1, optionValue, 1};
}

const CmSvOptionRecord kPrintImageRows[PDLSvLB_PrintImage::kRowCount] = {
    Row("STANDARD", 0, 4145, 0), Row("PHOTO", 1, 4146, 1), Row("GRAPHICS", 2, 4147, 2), Row("TEXT", 3, 4148, 3)};

const CmSvOptionRecord kSelectionRows[PDLSvCB_PaperSelection::kRowCount] = {
    Row("ONESOURCE", kSelectOneSource, 4140, 0), Row("FIRSTOTHERLAST", kSelectFirstOtherLast, 4141, 1),
    Row("TWOSIDED", kSelectTwoSided, 4142, 2), Row("INTERLEAF", kSelectInterleaf, 4143, 4),
    Row("COVER", kSelectCover, 4144, 3)};

}  // namespace

int PDLSvLB_PrintImage::Init(UIDEVDATA*, const uint8_t*) {
    if (!table) {
        std::memcpy(rows_, kPrintImageRows, sizeof rows_);
        UseTable(rows_, kRowCount);
    }
    return 1;
}

int PDLSvCB_PaperSelection::Init(UIDEVDATA*, const uint8_t*) {
    if (!table) {
        std::memcpy(rows_, kSelectionRows, sizeof rows_);
        UseTable(rows_, kRowCount);
    }
    return 1;
}
