// The finishing page and its three dialogs (booklet, gutter margin, staple position). Each is a
// settings page over the item set of the same number; the page's buttons open the dialogs by
// kind through the dialog registry, and a dialog's settings stay only when it ends with OK.
#pragma once

#include "ui/sv_proc.h"

inline constexpr int kFinishingPageId = 2;
inline constexpr int kBookletDialogKind = 30;
inline constexpr int kGutterMarginDialogKind = 31;
inline constexpr int kStaplePositionDialogKind = 34;

class FinishingPageProc : public CmSvProc {
public:
    FinishingPageProc() : CmSvProc(kFinishingPageId, 0) {}
    const DialogButton* GetDialogButtonTable() override;
};

// Enters the three dialogs into the dialog registry; answers false when it is full.
bool RegisterFinishingDialogs();
void UnregisterFinishingDialogs();
