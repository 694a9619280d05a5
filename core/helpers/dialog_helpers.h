// Small helpers over dialog controls and their numbers, shared by the setting items, the
// settings page and the dialogs: show, enable, redraw and move a control by id, move the focus
// off a control that was just disabled, scale owner-drawn heights to the display and read a
// decimal number typed in hundredths.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

// Shows and enables the control, or hides and disables it; nothing when it is missing.
void ShowDlgItem(HWND dialog, int id, BOOL show);
// Enables or disables the control; nothing when it is missing.
void EnableDlgItem(HWND dialog, int id, BOOL enable);
// When the focused control is disabled, moves the focus (and, from a default push button, the
// default-button style) to the next enabled tab item of the dialog.
void FocusNextEnabledItem(HWND focused, HWND dialog);
// A visible control is hidden and shown again, which redraws it; nothing otherwise.
void RedrawDlgItem(HWND dialog, int id);
// Moves the control by (dx, dy) in the dialog's client coordinates; nothing when it is missing.
void OffsetDlgItem(HWND dialog, int id, int dx, int dy);

// The value scaled by the display percentage (the screen's logical pixels against the 96 of the
// layouts), for the heights of owner-drawn entries.
int ScaleBySettingPercent(UIDEVDATA* ctx, int value);

inline constexpr WORD kNotHundredths = 0xFFFF;
// The decimal number of the text in hundredths ("12.5" gives 1250): digits, at most one decimal
// separator followed by at most two digits, a "+" only as the first character. The separator is
// the one of string 4427 of the resource module, else ".". kNotHundredths when the text is not
// such a number or its value does not fit below kNotHundredths.
WORD ParseDecimalHundredths(UIDEVDATA* ctx, const char* text);
