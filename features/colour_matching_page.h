// `CmColorMatchingProc2`: the colour matching dialog (dialog kind 53). The user chooses how
// colours are matched: the method (from the colour settings' method table), the source profile
// (from their profile list), a rendering option, and the three matching switches of the quality
// flags. Every change is written at once into all three groups of the colour block: which groups
// are in use concerns the colour balance only, and a matching chosen while none is stays chosen.
#pragma once

#include "features/colour_block.h"
#include "ui/cm_proc.h"
#include "ui/main_pages.h"  // the dialog's kind, which the quality page's button opens

#include <string>
#include <vector>

class CmColorSettings;

class CmColorMatchingProc2 : public CmProc {
public:
    CmColorMatchingProc2();

    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;
    const DialogButton* GetDialogButtonTable() override;
    void UpdateControls() override;

    // One choice of a list: its text (loaded from its string the first time when it has none),
    // its value and, for a profile, the file name the colour block keeps.
    struct Row {
        std::string text;
        uint32_t value = 0;
        uint32_t stringId = 0;
        bool offered = true;
        std::string valueText;
    };

private:
    bool MatchingOn() const;
    uint32_t Flags() const;
    void SetFlags(uint32_t flags);
    // The colour block and the first group in use (group 1 when none is).
    void ReadBlock(colourblock::Block block) const;
    void WriteBlock(const colourblock::Block block);
    size_t FirstGroup(const colourblock::Block block) const;
    // Writes a byte or the profile name into every group.
    void SetGroupByte(size_t offset, uint8_t value);
    void SetGroupProfile(const std::string& name);

    void FillMethodList();
    void FillMatchingList();
    void FillOptionList();
    void UpdateMethodControls();
    void UpdateCheckBoxes();
    void OnMethodChange();
    void OnCheck(WORD id);
    void Defaults();
    const Row* SelectedRow(int id, const std::vector<Row>& rows) const;

    CmColorSettings* settings_ = nullptr;
    std::vector<Row> methods_, profiles_, options_;
    bool filling_ = false;
};

bool RegisterColourMatchingDialog();
