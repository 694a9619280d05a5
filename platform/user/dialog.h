// The dialog manager's record of one dialog, kept behind the dialog's own window words, and the
// creation of a dialog from a parsed template.
#pragma once

#include <windows.h>

#include "platform/user/dialog_template.h"

namespace user {

struct DialogInfo {
    HFONT font = nullptr;
    HFONT ownedFont = nullptr;  // the template's font, made by the dialog and deleted with it
    int baseX = 8;  // dialog base units of the dialog's font, in pixels
    int baseY = 16;
    UINT defId = 0;  // 0: the template's default push button
    HWND savedFocus = nullptr;
    bool modal = false;
    bool ended = false;
    INT_PTR result = 0;
};

// Where DefDlgProcA keeps the record: the pointer-sized word after DWLP_USER.
inline constexpr int kDialogInfoOffset = static_cast<int>(DWLP_USER + sizeof(LONG_PTR));

// The record of a dialog window, or null for any other window.
DialogInfo* InfoOf(HWND dialog);

// Creates the dialog and its controls, sends WM_INITDIALOG and shows it when the template asks
// (a modal dialog is always shown). Null on failure.
HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate& tmpl, HWND parent, DLGPROC proc,
                              LPARAM param, bool modal);

// The template of a dialog resource of the module; false when missing or malformed.
bool LoadDialogTemplate(HINSTANCE instance, LPCSTR name, DialogTemplate& out);

// value * numerator / denominator, rounded to the nearest integer.
int MulDivRound(int value, int numerator, int denominator);

// Pixels of a length in dialog units of this dialog.
int DialogUnitsToPixelsX(const DialogInfo& info, int units);
int DialogUnitsToPixelsY(const DialogInfo& info, int units);

}  // namespace user
