/* Ids of the dialog framework tests' resource script. */
#pragma once

#define IDD_TEST_DIALOG 300
#define IDD_TEST_PAGE 301

#define IDC_TEST_BUTTON 3001
#define IDC_TEST_OPEN 3002
#define IDC_TEST_DRAWN 3003
#define IDC_TEST_TRACK 3004
#define IDC_TEST_COMBO 3005
#define IDC_TEST_EDIT 3006
