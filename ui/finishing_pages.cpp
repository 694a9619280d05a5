// The finishing page's button table and its dialogs' registry entries.
#include "ui/finishing_pages.h"

#include "data/resources/drvopui_ids.h"
#include "ui/dialog_registry.h"

#include <iterator>

namespace {

// A dialog over the item set whose number is its kind.
template <int Kind>
class FinishingDialogProc : public CmSvProc {
public:
    FinishingDialogProc() : CmSvProc(Kind, Kind) {}
};

const DialogButton kButtons[] = {{IDC_BOOKLET_OPTIONS, kBookletDialogKind},
                                 {IDC_MARGIN, kGutterMarginDialogKind},
                                 {IDC_STAPLE_POSITION, kStaplePositionDialogKind},
                                 {0, 0}};

const DialogEntry kEntries[] = {
    {kBookletDialogKind, CmProc::DialogProcFor<FinishingDialogProc<kBookletDialogKind>>, 0, IDD_BOOKLET, nullptr},
    {kGutterMarginDialogKind, CmProc::DialogProcFor<FinishingDialogProc<kGutterMarginDialogKind>>, 0,
     IDD_GUTTER_MARGIN, nullptr},
    {kStaplePositionDialogKind, CmProc::DialogProcFor<FinishingDialogProc<kStaplePositionDialogKind>>, 0,
     IDD_STAPLE_POSITION, nullptr},
};

}  // namespace

const DialogButton* FinishingPageProc::GetDialogButtonTable() { return kButtons; }

bool RegisterFinishingDialogs() { return RegisterDialogEntries(kEntries, std::size(kEntries)); }

void UnregisterFinishingDialogs() { UnregisterDialogEntries(kEntries); }
