// The items of the gutter-margin dialog: the margin kept in millimetres, up to the device's largest,
// and the dialog's OK and Cancel. The option interface reaches the margin only while the
// finishing page's margin button is enabled.
#pragma once

#include "items/common/margin_field.h"
#include "items/common/push_buttons.h"

#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kOptGutterMargin = 122;   // 16-bit millimetres

inline constexpr uint32_t kMarginButton = 1058;

class CmSvDGT_MarginSet : public CmSvDGT_MarginField {
public:
    static constexpr uint32_t kItemId = 1019;
    static constexpr size_t kMaximumField = 2168;  // u32: the device's largest gutter margin (mm)
    CmSvDGT_MarginSet();
    int32_t MillimetreMaximum(UIDEVDATA* ctx) const override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

extern const PushButtonRow kPbMarginOK, kPbMarginCancel;
DRV_DIALOG_BUTTON(CmSvPB_MarginOK, kPbMarginOK, 1020)
DRV_DIALOG_BUTTON(CmSvPB_MarginCancel, kPbMarginCancel, 1021)
