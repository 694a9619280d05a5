// `CmSvProc`: the property page (or dialog) whose controls are setting items. Every event of a
// control goes to the sheet's item registry under the page's id (the common-page controls under
// set 0), so that a page needs no code of its own for its settings; the registry runs the rules
// and the page writes the controls they marked back. A user's event that changed the sheet's
// settings makes the sheet's Apply available.
#pragma once

#include "ui/cm_proc.h"

class CmSvConflict;
class PagePreview;

class CmSvProc : public CmProc {
public:
    CmSvProc() : CmProc(0, 0) {}
    CmSvProc(int pageId, int dialogKind) : CmProc(dialogKind, pageId) {}

    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;
    BOOL OnNotify(int id, NMHDR* header) override;
    BOOL OnDrawItem(int id, DRAWITEMSTRUCT* item) override;
    BOOL OnMeasureItem(int id, MEASUREITEMSTRUCT* item) override;
    BOOL OnHScroll(int code, int position, HWND control) override;
    BOOL OnVScroll(int code, int position, HWND control) override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnApply() override;
    BOOL OnReset() override;
    BOOL OnPageChanged(HWND from, PageMessageRecord* record) override;
    void OnDestroy() override;
    BOOL OnQueryNewPalette() override;
    BOOL OnPaletteChanged(HWND changer) override;

    // The preview key of a page message (kind, sub-code, the value of option 201); -1 when the
    // combination has none.
    static int PreviewKeyOf(DWORD kind, DWORD subCode, int16_t value);

protected:
    CmSvConflict* Registry() const;
    // The set of a control: the common-page controls stand on every page and belong to set 0.
    uint32_t SetOf(int controlId) const;

    // The page's live picture, when its template has the picture's control; null otherwise.
    PagePreview* Preview() const { return preview_; }

private:
    // Tells the picture that the settings may have changed.
    void UpdatePreview() const;

    PagePreview* preview_ = nullptr;
    // The command as the registry takes it; OnCommand adds the report of a change to the sheet.
    BOOL Command(WORD id, WORD code);
    BOOL Scroll(int code, bool horizontal);
};
