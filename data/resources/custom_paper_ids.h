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

/* The user-defined paper dialog: the printer's forms and the custom size. It shares the unit,
   size and range controls above. */
#define IDD_USER_DEFINED_PAPER 141
#define IDB_PAPER_KINDS 4463

#define IDC_FORM_NAME 10187
#define IDC_FORM_LIST 10189
#define IDC_FORM_REGISTER 10190
#define IDC_FORM_DELETE 10191
#define IDC_PAPER_LENGTH_RANGE_INCH 10192
#define IDC_PAPER_WIDTH_RANGE_INCH 10193
