// The summary's pages: `CmViewSettingsProc` shows one section of the summary as a two-column
// list (label, value) with a button that copies the whole summary; `ViewSettingsProc` chooses
// the section by its dialog kind. The settings summary (kind 112) is a sheet of these pages.
#pragma once

#include "ui/cm_proc.h"

#include <cstddef>

inline constexpr int kSummaryDialogKind = 112;
inline constexpr int kSummarySectionKind = 100;  // 100 to 104: sections 0 to 4

class CmViewSettingsProc : public CmProc {
public:
    CmViewSettingsProc(int kind, int pageId) : CmProc(kind, pageId) {}

    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;
    // The summary shows; it changes nothing.
    BOOL OnApply() override { return TRUE; }

    // Splits the text into rows: a label ends at ':', TAB or CR, its value runs to the next CR.
    void FillList(HWND list, const char* text, int unused);
    static void InsertLabel(HWND list, const char* text, int row);
    static void SetValue(HWND list, const char* text, int row);

protected:
    virtual void ChooseSection() { section_ = 0; }
    int section_ = 0;
};

class ViewSettingsProc : public CmViewSettingsProc {
public:
    ViewSettingsProc(int kind) : CmViewSettingsProc(kind, kind) {}

protected:
    void ChooseSection() override;
};

// Shows the summary sheet (kind 112) of the request's current settings; answers 1 for OK.
INT_PTR OpenSettingsSummary(UIDEVDATA* ctx, HWND owner, LPARAM argument);
