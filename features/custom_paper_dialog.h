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
    // A length below the width names the width edit and message 109.
    bool ReadSizes(uint32_t& length, uint32_t& width, int& badEdit, UINT& message);
    // Puts a size typed in `unit` into both unit fields of the entry.
    static void PutSizes(userpaper::Entry& e, uint16_t unit, uint32_t length, uint32_t width);
    bool Apply();
    void Refuse(int edit, UINT message);
    // The entry's size as the custom size of the page paper (options 114 and 115 and the
    // public paper size) or of the output paper (119 and 120).
    void WriteCustomSize(uint8_t* dm, const userpaper::Entry& e, bool pagePaper);

    CmCustomPaper* paper_ = nullptr;     // the request's table, or own_
    std::unique_ptr<CmCustomPaper> own_;  // for a request whose user data has no table
    int selected_ = 0;
    bool showing_ = false;  // edits being filled by the dialog, not typed
};

// Registers the dialog and its messages, and the user-defined paper dialog beside it (message
// 108, the size out of range, is theirs together); the page-setup button opens it by kind.
bool RegisterCustomPaperDialog();
void UnregisterCustomPaperDialog();
