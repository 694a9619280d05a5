/* Ids of the two font dialogs: the substitution of TrueType faces by device fonts and the
   installed font sets. */
#pragma once

#define IDD_FONT_SUBSTITUTION 150
#define IDD_OPTION_FONTS 151

#define IDC_FS_RESTORE 9002
#define IDC_FS_FACES 10291
#define IDC_FS_PRINT_AS 10293
#define IDC_FS_DEVICE_FONTS 10294
#define IDC_FS_FONT_SETS 10295

#define IDC_OF_REMOVE_ALL 9002
#define IDC_OF_SLOTS 10296
#define IDC_OF_INSTALLED 10298
#define IDC_OF_AVAILABLE 10299
#define IDC_OF_REMOVE 10300
#define IDC_OF_ADD 10301
