// Ids of the window-manager tests' dialogs, shared by their resource script and the tests.
#pragma once

#define IDD_SETTINGS 100
#define IDD_PAGE 101
#define IDC_LABEL 1000
#define IDC_PAPER 1001
#define IDC_PROFILE 1002
#define IDC_GROUP 1003
#define IDC_PORTRAIT 1004
#define IDC_LANDSCAPE 1005
#define IDC_ROTATED 1006
#define IDC_COLLATE 1007
#define IDC_DUPLEX 1008
#define IDC_COPIES 1009
#define IDC_TRAYS 1010
#define IDC_LOCK 1011
#define IDC_NAME 1020
#define IDC_HIDDEN 1021
#define IDC_DISABLED 1022
#define IDC_APPLY 1023
