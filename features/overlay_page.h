// `CmOverlayProc`: the form overlay dialog (dialog kind 22). The user chooses no overlay, printing
// with an overlay file or creating one, picks the file from the recent lists or with the file
// dialogs (a file to use must be an overlay of this printer), and OK writes the overlay options
// and keeps the chosen file in front of its recent list.
#pragma once

#include "features/overlay.h"
#include "ui/cm_proc.h"

inline constexpr int kOverlayDialogKind = 22;

class CmOverlayProc : public CmProc {
public:
    CmOverlayProc();

    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;

private:
    uint16_t Option(DWORD option) const;
    void SetOption(DWORD option, uint16_t value);
    void Refresh();
    void FillFiles();
    void Browse();
    void Defaults();
    bool Ok();
    const Overlay::List& Files() const;

    Overlay* overlay_ = nullptr;
    bool filling_ = false;
};

bool RegisterOverlayDialog();
