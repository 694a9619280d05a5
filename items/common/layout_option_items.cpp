// Page edging and the three print positions.
#include "items/common/layout_option_items.h"

#include "data/resources/drvopui_ids.h"
#include "items/common/choice_select.h"
#include "items/common/option_word.h"

#include <iterator>

namespace {

constexpr CmSvOptionRecord Row(const char* name, int32_t value, int32_t textId, int32_t optionValue) {
    return CmSvOptionRecord{name, nullptr, value, textId, 0, 1, 1, 0, 0, nullptr, 1, optionValue, 1};
}

const int32_t kEdgingCompanions[] = {IDC_EDGING_LABEL, 0};
const CmSvOptionRecord kEdgingRows[CmSvCB_Edging::kRowCount] = {
    Row("NONE", 1, 4041, 0),           Row("SOLIDLINE", 2, 4042, 1),  Row("DASHLINE", 3, 4043, 2),
    Row("DOTTEDLINE", 4, 4044, 3),     Row("DASHDOT", 5, 4045, 4),    Row("DASHDOTDOT", 6, 4046, 5),
    Row("SHADESOLIDLINE", 7, 4047, 6), Row("TRANSPARENCY", 8, 4048, 7), Row("DOUBLELINE", 9, 4049, 8),
    Row("PAGEBORDER", 10, 4050, 9),    Row("CORNER", 11, 4051, 10)};
constexpr uint16_t kEdgingFirstIcon = 4727;

const CmSvOptionRecord kPositionRows[CmSvCB_PrintPosition::kRowCount] = {
    Row("NONE", 0, 4052, 0),       Row("UPPERLEFT", 1, 4053, 1),   Row("UPPERCENTER", 2, 4054, 2),
    Row("UPPERRIGHT", 4, 4055, 3), Row("LOWERLEFT", 8, 4056, 4),   Row("LOWERCENTER", 16, 4057, 5),
    Row("LOWERRIGHT", 32, 4058, 6)};

const int32_t kDateCompanions[] = {IDC_DATE_POSITION_LABEL, 0};
const int32_t kUserCompanions[] = {IDC_USER_POSITION_LABEL, 0};
const int32_t kPageCompanions[] = {IDC_PAGE_NUMBER_POSITION_LABEL, 0};

}  // namespace

const PrintPositionRow kPrintDatePosition{"Layout$PrintDatePosition", 1015, IDC_DATE_POSITION, kDateCompanions,
                                          0x10022, kOptDatePosition};
const PrintPositionRow kPrintUserPosition{"Layout$PrintUserPosition", 1016, IDC_USER_POSITION, kUserCompanions,
                                          0x10023, kOptUserPosition};
const PrintPositionRow kPrintPagePosition{"Layout$PrintPagePosition", 1017, IDC_PAGE_NUMBER_POSITION,
                                          kPageCompanions, 0x10024, kOptPageNumberPosition};

// --- edging ----------------------------------------------------------------------------------

CmSvCB_Edging::CmSvCB_Edging()
    : CmSvComboBox("Layout$Edging", kItemId, 0, kRowCount, kEdgingRows, IDC_EDGING, kEdgingCompanions, 1, 1, 33,
                   kIconImage, 1),
      CmSvSdk_Multi(0x10021, 4, 0) {
    for (uint32_t i = 0; i < kRowCount; ++i) {
        pictures_[i][0] = static_cast<uint16_t>(kEdgingFirstIcon + i);
        table[i].images = pictures_[i];
    }
}

int CmSvCB_Edging::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    return LoadRowFromShort(ctx, *this, source, kOptEdging);
}

int CmSvCB_Edging::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    return StoreRowAsShort(ctx, *this, destination, kOptEdging);
}

int CmSvCB_Edging::Apply(UIDEVDATA*, uint32_t, void* data) {
    if (int refused = SetGuard(data ? data : this)) return refused;
    return SelectRowByValue(*this, 1);
}

// --- print positions -------------------------------------------------------------------------

CmSvCB_PrintPosition::CmSvCB_PrintPosition(const PrintPositionRow& row)
    : CmSvComboBox(row.key, row.itemId, 0, 0, nullptr, row.controlId, row.companions, 1, 1, 15, kNoImage, 0),
      CmSvSdk_Multi(row.sdkKey, 4, 0),
      option_(row.option) {}

int CmSvCB_PrintPosition::Init(UIDEVDATA*, const uint8_t*) {
    if (!table) {
        rows_.assign(std::begin(kPositionRows), std::end(kPositionRows));
        UseTable(rows_.data(), static_cast<uint32_t>(rows_.size()));
    }
    return 0;
}

int CmSvCB_PrintPosition::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    const uint16_t word = ReadOptionShort(ctx, source, option_);
    const int32_t place = (word & kPrintsBit) ? static_cast<int16_t>(word & ~kPrintsBit) : 0;
    return LoadRowByValue(*this, place);
}

int CmSvCB_PrintPosition::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    const CmSvOptionRecord* row = CurrentRow();
    if (!row) return 0;
    const uint16_t word = ReadOptionShort(ctx, destination, option_);
    WriteOptionShort(ctx, destination, option_,
                     row->value == 0 ? static_cast<uint16_t>(word & ~kPrintsBit)
                                     : static_cast<uint16_t>(row->value | kPrintsBit));
    return 1;
}

int CmSvCB_PrintPosition::GetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    const CmSvOptionRecord* row = CurrentRow();
    if (!row) return kSdkNotSupported;
    *static_cast<int32_t*>(data) = row->option_value;
    return kSdkDone;
}

int CmSvCB_PrintPosition::SetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = SetGuard(data)) return answer;
    return SelectOfferedRowByOptionValue(*this, *static_cast<const int32_t*>(data));
}

int CmSvCB_PrintPosition::Apply(UIDEVDATA*, uint32_t, void* data) {
    if (int refused = SetGuard(data ? data : this)) return refused;
    return SelectOfferedRowByOptionValue(*this, 0);
}
