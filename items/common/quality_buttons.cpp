// The rows of the quality, layout-options and paper-source buttons.
#include "items/common/quality_buttons.h"

#include "data/resources/drvopui_ids.h"

const PushButtonRow kPbLayoutDefault{"Lyop$Default", 1018, IDC_PAGE_DEFAULT, 0, 0};
const PushButtonRow kPbFormatSettings{"Lyop$FormatSettings", 1288, IDC_FORMAT_SETTINGS, 0, 0};
const PushButtonRow kPbDetailSetting{"Qual$DetailSetting", 1027, IDC_QUALITY_DETAILS, 0, 0};
const PushButtonRow kPbColorSetting{"Qual$ColorSetting", 1028, IDC_COLOUR_SETTINGS, 0, 0};
const PushButtonRow kPbVersion{"Qual$Version", 1030, IDC_VERSION, 0, 0};
const PushButtonRow kPbPaperDefault{"Pape$Default", 1074, IDC_PAGE_DEFAULT, 0, 0};
