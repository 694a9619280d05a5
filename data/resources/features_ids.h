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

/* The colour adjustment dialog: the colour map, the picture of the groups in use, the eight
   arrow buttons (up-left first, clockwise), the two track bars and the defaults */
#define IDD_COLOUR_ADJUST 132
#define IDC_CA_MAP 10378
#define IDC_CA_GROUPS 10379
#define IDC_CA_UP_LEFT 10399
#define IDC_CA_UP 10400
#define IDC_CA_UP_RIGHT 10401
#define IDC_CA_RIGHT 10402
#define IDC_CA_DOWN_RIGHT 10403
#define IDC_CA_DOWN 10404
#define IDC_CA_DOWN_LEFT 10405
#define IDC_CA_LEFT 10406
#define IDC_CA_SLIDER1 10423
#define IDC_CA_SLIDER2 10424
#define IDC_CA_CENTRE 10425
#define IDC_CA_DEFAULTS 9002
#define IDC_CA_VALUES 10426
#define IDB_CA_SPACE 4538
#define IDB_CA_GROUPS_1 4540
#define IDB_CA_GROUPS_2 4541
#define IDB_CA_GROUPS_3 4542
#define IDB_CA_GROUPS_12 4543
#define IDB_CA_GROUPS_13 4544
#define IDB_CA_GROUPS_23 4545
#define IDB_CA_GROUPS_123 4546
#define IDCUR_CA_OVER 4875
#define IDCUR_CA_DRAG 4876
#define IDCUR_CA_OUTSIDE 4877

/* The colour matching dialog */
#define IDD_COLOUR_MATCHING 133
#define IDC_CM_METHOD_LABEL 10331
#define IDC_CM_METHOD 10333
#define IDC_CM_PROFILE_LABEL 10334
#define IDC_CM_PROFILE 10335
#define IDC_CM_OPTION_LABEL 10336
#define IDC_CM_OPTION 10337
#define IDC_CM_GROUP 10350
#define IDC_CM_CHECK1 10352
#define IDC_CM_CHECK2 10353
#define IDC_CM_CHECK3 10354
#define IDC_CM_NOTE 10430
#define IDC_CM_ADJUST 10431
#define IDC_CM_DEFAULTS 9002
