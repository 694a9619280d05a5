// `Proc`: the base of the secondary dialogs opened by kind. Their help-id table and title come
// from the dialog registry's entry of their kind, so a dialog class holds no tables of its own.
#pragma once

#include "ui/cm_proc.h"

class Proc : public CmProc {
public:
    Proc(int dialogKind, int pageId) : CmProc(dialogKind, pageId) {}

    const DWORD* GetHelpIdTable() override;
    const DialogEntry* GetDialogEntry() override;
};
