// Ids of the dialog with every common control (common_controls.rc).
#pragma once

#define IDD_COMMON_CONTROLS 300
#define IDC_LIST 301
#define IDC_TABS 302
#define IDC_SLIDER 303
#define IDC_COUNT 304
#define IDC_SPIN 305
#define IDC_PROGRESS 306
