// The gutter margin, whose largest value the device data gives, and its dialog's buttons.
#include "items/common/gutter_margin.h"

#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "data/resources/drvopui_ids.h"

#include <algorithm>

namespace {
const int32_t kGutterCompanions[] = {IDC_GUTTER_LABEL, IDC_GUTTER_RANGE, 0};
const MarginFieldRow kGutterRow{"Layout$MarginSet", CmSvDGT_MarginSet::kItemId, IDC_GUTTER, IDC_GUTTER_SPIN,
                                IDC_GUTTER_RANGE, kGutterCompanions, 0x10073, kOptGutterMargin, 1, false,
                                kMarginButton};
}  // namespace

CmSvDGT_MarginSet::CmSvDGT_MarginSet() : CmSvDGT_MarginField(kGutterRow) {}

int32_t CmSvDGT_MarginSet::MillimetreMaximum(UIDEVDATA* ctx) const {
    const DeviceData* data = ctx && ctx->svc ? ctx->svc->LoadDeviceData(ctx) : nullptr;
    if (!data) return 0;
    // A 16-bit option holds the margin; a larger figure cannot be stored.
    return static_cast<int32_t>(std::min<uint32_t>(data->U32(kMaximumField), INT16_MAX));
}

int CmSvDGT_MarginSet::Apply(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = Gate(ctx, data, false)) return answer;
    current = 0;
    return kSdkDone;
}

const PushButtonRow kPbMarginOK{"Magn$OK", CmSvPB_MarginOK::kItemId, IDOK, 0, 0};
const PushButtonRow kPbMarginCancel{"Magn$Cancel", CmSvPB_MarginCancel::kItemId, IDCANCEL, 0, 0};
