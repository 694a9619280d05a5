// The secondary dialogs' tables, taken from the dialog registry by the dialog's kind.
#include "ui/proc.h"

#include "ui/dialog_registry.h"

const DialogEntry* Proc::GetDialogEntry() { return FindDialogEntry(DialogKind()); }

const DWORD* Proc::GetHelpIdTable() {
    const DialogEntry* entry = GetDialogEntry();
    return entry ? entry->helpIds : nullptr;
}
