// `CustomPaperProc`, the custom paper dialog (kind 20): lists the printer's user papers, shows
// the selected one's name, unit and sizes with the printer's ranges, refuses sizes outside them
// and, on OK, stores the table and makes the selected paper the device mode's custom size.
#pragma once

#include "features/custom_paper.h"
#include "ui/cm_proc.h"
#include "ui/main_pages.h"

#include <memory>
#include <string>

class CustomPaperProc : public CmProc {
public:
    CustomPaperProc() : CmProc(kCustomPaperDialogKind, 0) {}

    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;

private:
    userpaper::Entry* Selected();
    void ShowSelection();
    void ShowRanges(uint16_t unit);
    // The typed sizes of the selected paper, in its unit; false with the offending edit when a
    // text is no number or lies outside the printer's range.
    bool ReadSizes(uint32_t& length, uint32_t& width, int& badEdit);
    // Puts a size typed in `unit` into both unit fields of the entry.
    static void PutSizes(userpaper::Entry& e, uint16_t unit, uint32_t length, uint32_t width);
    bool Apply();
    void Refuse(int edit);

    std::unique_ptr<CmCustomPaper> paper_;
    int selected_ = 0;
    bool showing_ = false;  // edits being filled by the dialog, not typed
};

// Registers the dialog and its messages; the page-setup button opens it by kind.
bool RegisterCustomPaperDialog();
void UnregisterCustomPaperDialog();
