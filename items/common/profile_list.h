// The profile list at the top of the page-setup page (combo box 10009): the printer's profiles by
// name, the applied one selected. Choosing one lays its settings over the sheet's, keeping what
// belongs to the job, and every item of the sheet reloads from them with the rules following.
#pragma once

#include "settings/controls/control.h"
#include "settings/items/sv.h"

#include <cstdint>
#include <string>

class CmSvCB_ProfileList : public CmSv, public CmSvControl {
public:
    CmSvControl* AsControl() override { return this; }
    static constexpr uint32_t kItemId = 1287;
    CmSvCB_ProfileList();

    // Lists the profiles of the request's store and selects the applied one.
    int ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) override;
    // Applies the chosen profile when the choice differs from the applied one; 1 when it did.
    int FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t id) override;
    // The list is owner-drawn: each entry is its name.
    int DrawItem(UIDEVDATA* ctx, HWND control, int32_t id, DRAWITEMSTRUCT* draw) override;

private:
    std::string shown_;  // the name selected when the list was last filled
};
