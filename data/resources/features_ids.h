/* Ids of the watermark and overlay dialogs and of their messages' texts. */
#pragma once

#define IDD_WATERMARK 130

#define IDC_WM_SAMPLE 10194
#define IDC_WM_X_SLIDER 10196
#define IDC_WM_Y_SLIDER 10198
#define IDC_WM_X 10201
#define IDC_WM_Y 10204
#define IDC_WM_CENTRE 10206
#define IDC_WM_ANGLE 10208
#define IDC_WM_ANGLE_SLIDER 10209
#define IDC_WM_LIST 10211
#define IDC_WM_ADD 10212
#define IDC_WM_DELETE 10213
#define IDC_WM_TEXT 10215
#define IDC_WM_SIZE 10221
#define IDC_WM_COLOUR 10225
#define IDC_WM_FRAME_BOX 10227
#define IDC_WM_FRAME_CIRCLE 10228
#define IDC_WM_FRAME_NONE 10229
#define IDC_WM_LAYER_BEHIND 10231
#define IDC_WM_LAYER_FRONT 10232
#define IDC_WM_FIRST_PAGE 10234
#define IDC_WM_NAME 10236
#define IDC_WM_DIAGONAL_UP 10237
#define IDC_WM_DIAGONAL_DOWN 10238
#define IDC_WM_FREE_ANGLE 10239
#define IDC_WM_RESET 9002

/* The colour list's names, in the list's order */
#define IDS_WM_COLOUR_FIRST 4760

/* The overlay dialog */
#define IDD_OVERLAY 131
#define IDC_OV_NONE 10147
#define IDC_OV_USE 10148
#define IDC_OV_CREATE 10149
#define IDC_OV_FILES 10158
#define IDC_OV_BROWSE 10160
#define IDC_OV_NAME1 10161
#define IDC_OV_NAME2 10163
#define IDC_OV_EVERY_PAGE 10165
#define IDC_OV_BOTH_SIDES 10166
#define IDC_OV_DEFAULTS 9002
