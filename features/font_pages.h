// The two font pages: `CmFontSubStitutionsProc` (kind 61) chooses the device font that prints
// each TrueType face, `CmOptionFontProc` (kind 62) chooses the installed font sets. Each works as
// a page of a sheet (stored on Apply) and as a dialog opened by kind (stored on OK).
#pragma once

#include "features/font.h"
#include "ui/cm_proc.h"
#include "ui/main_pages.h"

inline constexpr int kFontSubstitutionDialogKind = kFontSettingsDialogKind;
inline constexpr int kOptionFontDialogKind = 62;

class CmFontSubStitutionsProc : public CmProc {
public:
    CmFontSubStitutionsProc();

    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;
    BOOL OnSetActive() override;
    BOOL OnApply() override;
    // After the font-set dialog ended with OK: its sets may bring other device fonts.
    void UpdateControls() override;
    const DialogButton* GetDialogButtonTable() override;

private:
    CmFont* Font() const;
    // Rebuilds the device font combo when the installed sets differ from those it was built for.
    void BuildDeviceCombo();
    void FillFaces(int queryKind);
    void ShowSubstituteOfSelection();
    void ChangeSubstitute();
    bool Store();

    font::FontSetIds builtFor_;
    std::string defaultText_;
};

class CmOptionFontProc : public CmProc {
public:
    CmOptionFontProc();

    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;
    BOOL OnApply() override;

private:
    CmFont* Font() const;
    void Move(int from, int to);
    void UpdateButtons();
    bool Store();
};

// Enters both dialogs into the dialog registry; the font module's factory with them.
bool RegisterFontDialogs();
void UnregisterFontDialogs();
