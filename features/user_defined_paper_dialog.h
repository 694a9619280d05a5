// `UserDefinedPaperProc`, the user-defined paper dialog (kind 26): lists the printer's papers with
// their sizes, and registers, changes or deletes the user's forms in the printer's form list (or
// sets the custom size), each checked against the model's range first. The device mode's paper
// sizes follow a changed form.
#pragma once

#include "features/form_size_rules.h"
#include "ui/cm_proc.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kUserDefinedPaperDialogKind = 26;

class UserDefinedPaperProc : public CmProc {
public:
    UserDefinedPaperProc() : CmProc(kUserDefinedPaperDialogKind, 0) {}

    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;
    BOOL OnNotify(int id, NMHDR* header) override;

    // One paper of the list: its name, paper id and size (0.1 mm).
    struct Row {
        std::string name;
        uint16_t paperId = 0;
        uint32_t width = 0, length = 0;
        bool standard = false;
    };

private:
    std::string LoadText(UINT id) const;
    char Separator() const;  // the first character of the decimal separator's text
    // Refills the list from the paper table in the current unit; the row of that name (if any)
    // is chosen again without touching the edits.
    void FillList(const std::string& keep);
    void ShowRanges();
    void ShowSize(uint32_t width, uint32_t length);
    void UpdateButtons();
    void SelectRow(int index);
    void SwitchUnit(int unit);
    // Shows the message with the focus and the whole text in the edit; the message's answer.
    int Refuse(UINT message, int edit, const char* argument = nullptr);
    bool Register();
    void Delete();
    // The size of the form of that name into the paper and output sizes that use it.
    void ApplyFormToDevmode(const std::string& name);
    bool EndWith(bool ok);

    formsize::Limits limits_;
    uint16_t model_ = 0;
    std::vector<Row> rows_;
    int selected_ = -1;
    std::string defaultName_;
    int unit_ = formsize::kUnitMm;
    int unitAtOpen_ = formsize::kUnitMm;
    uint32_t changed_ = 0;  // bit 0 width edited, bit 1 length edited, bit 2 name edited
    bool formsChanged_ = false;
    bool showing_ = false;  // edits being filled by the dialog, not typed
    bool filling_ = false;  // the list being filled: its selection changes are the dialog's own
};

bool RegisterUserDefinedPaperDialog();
void UnregisterUserDefinedPaperDialog();
