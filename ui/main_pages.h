// The main pages of the printing-preferences sheet (page setup, finishing, paper source, quality,
// device settings), each a settings page over the item set of its number, with the buttons that
// open the dialogs of built subsystems, and the layout-options dialog the page-setup page opens.
#pragma once

#include "ui/cm_tooltip.h"
#include "ui/sv_proc.h"

#include <windows.h>

#include <cstddef>

inline constexpr int kLayoutOptionsDialogKind = 21;
// Registered by the document features: the page-setup button opens it once they have.
inline constexpr int kCustomPaperDialogKind = 20;
// Registered by the document features: the device settings page's buttons open them.
inline constexpr int kPaperSourceSetDialogKind = 60;
inline constexpr int kFontSettingsDialogKind = 61;
// Registered by the document features: the layout options' Format... button opens it.
inline constexpr int kFormatSettingsDialogKind = 27;

// The base of the main pages: a settings page over the item set whose number is its page id.
class PDLSvBsProc : public CmSvProc {
public:
    explicit PDLSvBsProc(int pageId) : CmSvProc(pageId, 0) {}
};

// The page-setup page: its two paper lists show each paper's size in a tip while dropped.
class PageSetupProc : public PDLSvBsProc {
public:
    PageSetupProc();
    ~PageSetupProc() override;
    BOOL OnInitDialog() override;
    void OnDestroy() override;
    const DialogButton* GetDialogButtonTable() override;
    // After a dialog a button opened ended with OK: the stamp list renews its rows from the
    // watermark presets, and the page shows the settings the dialog left.
    void UpdateControls() override;
    CmTooltip* Tooltip() const { return tooltip_; }

private:
    CmTooltip* tooltip_ = nullptr;
};

class PaperSourceProc : public PDLSvBsProc {
public:
    PaperSourceProc();
};

// Colour settings... opens the colour matching dialog once the document features registered it.
inline constexpr int kColourMatchingDialogKind = 53;
class QualityProc : public PDLSvBsProc {
public:
    QualityProc();
    const DialogButton* GetDialogButtonTable() override;
};

class DeviceSettingsProc : public PDLSvBsProc {
public:
    DeviceSettingsProc();
    const DialogButton* GetDialogButtonTable() override;
};

// One page of the sheet: its dialog template in the resource module and its dialog procedure.
struct MainPage {
    UINT templateId;
    DLGPROC procedure;
};
// The pages in the order the sheet shows them.
const MainPage* MainPages(std::size_t* count);

// Enters the dialogs the main pages open into the dialog registry (with the finishing page's);
// answers false when it is full.
bool RegisterMainPageDialogs();
void UnregisterMainPageDialogs();
