/* Ids of the bundled printer's resource module: dialog templates (the numbers are this module's
   own choice), the controls the pages and dialogs use, bitmaps and strings. Shared by the resource
   script and by the library. */
#pragma once

#include "finishing_ids.h"
#include "features_ids.h"
#include "custom_paper_ids.h"
#include "fonts_ids.h"
#include "feature_pages_ids.h"

/* Dialog templates */
#define IDD_PAGE_SETUP 100
#define IDD_DEVICE_SETTINGS 101
#define IDD_SETTINGS_SUMMARY 102
#define IDD_ADD_PROFILE 103
#define IDD_PROFILE_PAGE 104

/* Controls on every page (item set 0) */
#define IDC_ADD_PROFILE 10010
#define IDC_EDIT_PROFILE 10011
#define IDC_VIEW_SETTINGS 10012
#define IDC_STATUS_MONITOR 10013
#define IDC_JOB_OPERATION_LABEL 10042
#define IDC_JOB_OPERATION 10436
#define IDC_JOB_OPERATION_DETAILS 10437
#define IDC_LOCK 10438

/* Page setup */
#define IDC_PROFILE 10009
#define IDC_PAGE_SIZE_LABEL 10017
#define IDC_PAGE_SIZE 10018
#define IDC_OUTPUT_SIZE_LABEL 10019
#define IDC_OUTPUT_SIZE 10020
#define IDC_COPIES_LABEL 10021
#define IDC_COPIES 10022
#define IDC_COPIES_SPIN 10023
#define IDC_COPIES_RANGE 10024
#define IDC_ORIENTATION_GROUP 10025
#define IDC_PORTRAIT 10026
#define IDC_LANDSCAPE 10027
#define IDC_LAYOUT_LABEL 10028
#define IDC_LAYOUT 10029
#define IDC_SCALING 10030
#define IDC_SCALING_RATIO 10031
#define IDC_SCALING_SPIN 10032
#define IDC_SCALING_LABEL 10033
#define IDC_STAMP 10034
#define IDC_STAMP_SELECT 10035
#define IDC_EDIT_STAMP 10037
#define IDC_CUSTOM_PAPER 10038
#define IDC_PAGE_OPTIONS 10039
#define IDC_PAGE_ORDER_LABEL 10040
#define IDC_PAGE_ORDER 10041
#define IDC_SCALING_RANGE 10044
#define IDC_ORIENTATION_PICTURE 10045
/* The live picture of the page-setup, finishing and quality pages */
#define IDC_PAGE_PREVIEW 10046
#define IDC_PAGE_DEFAULT 9002

/* Device settings */
#define IDC_PAPER_SOURCE_SETTINGS 10128
#define IDC_FONT_SETTINGS 10129
#define IDC_ABOUT 10131
#define IDC_SPOOL_LABEL 10133
#define IDC_SPOOL 10134

/* Quality page */
#define IDD_QUALITY 120
#define IDC_PRINT_IMAGE_LABEL 10114
#define IDC_PRINT_IMAGE 10115
#define IDC_QUALITY_DETAILS 10116
#define IDC_PRINT_IMAGE_NOTE 10117
#define IDC_COLOUR_LABEL 10120
#define IDC_COLOUR 10121
#define IDC_COLOUR_MODE 10122
#define IDC_CATALOG 10123
#define IDC_COLOUR_SETTINGS 10124
#define IDC_VERSION 10125

/* Layout-options dialog */
#define IDD_LAYOUT_OPTIONS 121
#define IDC_EDGING_LABEL 10135
#define IDC_EDGING 10136
#define IDC_DATE_POSITION 10140
#define IDC_USER_POSITION 10141
#define IDC_PAGE_NUMBER_POSITION 10142
#define IDC_DATE_POSITION_LABEL 10143
#define IDC_USER_POSITION_LABEL 10144
#define IDC_PAGE_NUMBER_POSITION_LABEL 10145
#define IDC_FORMAT_SETTINGS 10483

/* Paper-source page: each source list's label is the list's id minus one */
#define IDD_PAPER_SOURCE 122
#define IDC_PAPER_SELECTION_LABEL 10074
#define IDC_SOURCE_ALL 10082
#define IDC_SOURCE_FIRST 10084
#define IDC_SOURCE_OTHER 10086
#define IDC_SOURCE_LAST 10088
#define IDC_SOURCE_FIRST_2ND 10090
#define IDC_SOURCE_SECOND_2ND 10092
#define IDC_SOURCE_OTHER_2ND 10094
#define IDC_SOURCE_LAST_2ND 10096
#define IDC_SOURCE_INTERLEAF 10098
#define IDC_INTERLEAF_PRINT 10099
#define IDC_SOURCE_COVER 10103
#define IDC_SOURCE_OTHER_COVER 10105
#define IDC_SOURCE_ALL_LABEL 10108
#define IDC_PAPER_SELECTION 10110

/* Settings summary */
#define IDC_SUMMARY_LIST 10439
#define IDC_SUMMARY_COPY 10440

/* Profiles */
#define IDC_PROFILE_NAME 10300
#define IDC_PROFILE_COMMENT 10301
#define IDC_PROFILE_LIST 10310
#define IDC_PROFILE_UP 10319
#define IDC_PROFILE_DOWN 10320

/* Bitmaps: a picture and its mask, each followed by its selected, focused and disabled forms */
#define IDB_ADD_PROFILE 4467
#define IDB_ADD_PROFILE_MASK 4471
#define IDB_EDIT_PROFILE 4475
#define IDB_EDIT_PROFILE_MASK 4479
#define IDB_PROFILE_UP 4483
#define IDB_PROFILE_DOWN 4487
/* The page-composition lock: open, pressed, locked, focused open, focused locked; masks 5 on */
#define IDB_LOCK_OPEN 4453
#define IDB_LOCK_OPEN_MASK 4458

/* Page-picture bitmaps: 8-bit pictures on the magenta key colour */
#define IDB_BOOKLET_FOLD_TOP 4553
#define IDB_BOOKLET_FOLD_BOTTOM 4554
#define IDB_BOOKLET_LEFT_TOP 4555
#define IDB_BOOKLET_LEFT_BOTTOM 4556
#define IDB_BOOKLET_RIGHT_TOP 4557
#define IDB_BOOKLET_RIGHT_BOTTOM 4558
#define IDB_BOOKLET_FOLD_LEFT 4559
#define IDB_BOOKLET_FOLD_RIGHT 4560
#define IDB_BOOKLET_TOP_LEFT 4561
#define IDB_BOOKLET_TOP_RIGHT 4562
#define IDB_BOOKLET_BOTTOM_LEFT 4563
#define IDB_BOOKLET_BOTTOM_RIGHT 4564
#define IDB_FOLD_RIGHT_A 4577
#define IDB_FOLD_RIGHT_B 4579
#define IDB_FOLD_LEFT_A 4581
#define IDB_FOLD_LEFT_B 4583
#define IDB_FOLD_TOP_B 4585
#define IDB_FOLD_TOP_A 4587
#define IDB_FOLD_BOTTOM_B 4589
#define IDB_FOLD_BOTTOM_A 4591
#define IDB_PUNCH_HOLE 4593
#define IDB_PUNCH_HOLE_SMALL 4595
#define IDB_OVERLAY_PICTURE 4596
#define IDB_OVERLAY_SIZE 4597
#define IDB_STRIP_BOTTOM 4901
#define IDB_STRIP_TOP 4902
#define IDB_STRIP_LEFT 4903
#define IDB_STRIP_RIGHT 4904
