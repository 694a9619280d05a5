// The push buttons of the quality page, the layout-options dialog and the paper-source page:
// rows of the plain button, whose press is the change and whose page decides what it opens.
#pragma once

#include "items/common/push_buttons.h"

extern const PushButtonRow kPbLayoutDefault, kPbFormatSettings, kPbDetailSetting, kPbColorSetting, kPbVersion,
    kPbPaperDefault;

DRV_PLAIN_BUTTON(CmSvPB_LayoutDefault, kPbLayoutDefault)
DRV_PLAIN_BUTTON(CmSvPB_FormatSettings, kPbFormatSettings)
DRV_PLAIN_BUTTON(CmSvPB_DetailSetting, kPbDetailSetting)
DRV_PLAIN_BUTTON(CmSvPB_ColorSetting, kPbColorSetting)
DRV_PLAIN_BUTTON(CmSvPB_Version, kPbVersion)
DRV_PLAIN_BUTTON(CmSvPB_PaperDefault, kPbPaperDefault)
