// The plain push buttons.
#include "items/common/push_buttons.h"

#include "data/resources/drvopui_ids.h"

const PushButtonRow kPbAddProfile{"AddPreset", 1280, IDC_ADD_PROFILE, IDB_ADD_PROFILE, IDB_ADD_PROFILE_MASK};
const PushButtonRow kPbEditProfile{"EditPreset", 1281, IDC_EDIT_PROFILE, IDB_EDIT_PROFILE, IDB_EDIT_PROFILE_MASK};
const PushButtonRow kPbViewSettings{"ViewSetting", 1282, IDC_VIEW_SETTINGS, 0, 0};
const PushButtonRow kPbStatusMonitor{"StatusMonitor", 1283, IDC_STATUS_MONITOR, 0, 0};
const PushButtonRow kPbJobOperationsDetailSetting{"JobOperationsDetailSetting", 1285, IDC_JOB_OPERATION_DETAILS, 0, 0};
const PushButtonRow kPbPaperSourceSettings{"Dev$PaperSourceSettings", 1008, IDC_PAPER_SOURCE_SETTINGS, 0, 0};
const PushButtonRow kPbFontSettings{"Dev$FontSettings", 1009, IDC_FONT_SETTINGS, 0, 0};
const PushButtonRow kPbAbout{"Dev$About", 1010, IDC_ABOUT, 0, 0};
const PushButtonRow kPbEditStamp{"Page$EditStamp", 1045, IDC_EDIT_STAMP, 0, 0};
const PushButtonRow kPbCustomPaper{"Page$CustomPaper", 1046, IDC_CUSTOM_PAPER, 0, 0};
const PushButtonRow kPbPageOptions{"Page$PageOptions", 1047, IDC_PAGE_OPTIONS, 0, 0};
const PushButtonRow kPbPageDefault{"Page$Default", 1048, IDC_PAGE_DEFAULT, 0, 0};

CmSvPB_Plain::CmSvPB_Plain(const PushButtonRow& row)
    : CmSvPushButton(row.key, row.itemId, row.controlId, nullptr, 1, 1) {
    bitmapId = row.bitmapId;
    maskId = row.maskId;
}
