// Ids of the resource script of an ordinary Win32 program (typical_program.rc), as its editor
// would write them.
#pragma once

#define IDR_MAINMENU 101
#define IDR_ACCELERATORS 102
#define IDD_ABOUT 103
#define IDD_OPTIONS 104
#define IDD_OPENHOOK 105
#define IDD_BROWSER 106
#define IDC_ZOOM 1001
#define IDC_ZOOMVALUE 1002
#define IDC_PAN 1003
#define IDC_NAME 1004
#define IDC_KIND 1005
#define IDC_ITEMS 1006
#define IDC_SMOOTH 1007
#define IDC_LAYOUT 1008
#define IDC_VERSION 1009
#define IDC_TREE 1010
#define IDC_STATUS 1011
#define IDC_WHEN 1012
#define IDM_OPEN 40001
#define IDM_SAVE 40002
#define IDM_EXIT 40003
#define IDM_ZOOMIN 40004
#define IDM_ZOOMOUT 40005
#define IDM_HELP 40006
#define IDM_DELETE 40007
#define IDS_APPNAME 201
#define IDS_READY 202
