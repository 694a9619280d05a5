// Control ids of the setting-item test dialog.
#pragma once

#define ITD_ITEMS 200
#define ITC_LOCK 1001
#define ITC_COLLATE 1002
#define ITC_COLLATE_NOTE 1003
#define ITC_COLOR_GROUP 1010
#define ITC_MONO 1011
#define ITC_COLOR 1012
#define ITC_AUTO 1013
#define ITC_ORDER 1020
#define ITC_ORDER_LABEL 1021
#define ITC_EDGE 1030
#define ITC_SCALE 1040
#define ITC_SCALE_SPIN 1041
#define ITC_SCALE_LABEL 1042
#define ITC_SHADE 1045
#define ITC_SHADE_SPIN 1046
#define ITC_NAME 1050
