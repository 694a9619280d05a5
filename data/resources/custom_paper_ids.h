/* Ids of the custom paper dialog, which edits the printer's user papers. */
#pragma once

#define IDD_CUSTOM_PAPER 140

#define IDC_USER_PAPER_LIST 10171
#define IDC_USER_PAPER_NAME 10173
#define IDC_UNIT_MM 10175
#define IDC_UNIT_INCH 10176
#define IDC_PAPER_LENGTH 10179
#define IDC_PAPER_LENGTH_RANGE 10180
#define IDC_PAPER_WIDTH 10182
#define IDC_PAPER_WIDTH_RANGE 10183
