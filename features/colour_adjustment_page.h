// `CmColorAdjustmentProc`: the colour adjustment dialog (dialog kind 52). The user shifts the
// colour balance with the colour map (two values), the eight arrow buttons beside it and two
// track bars (the other two values); every change is written at once into each group of the
// colour block that is in use, and a picture shows which groups those are.
#pragma once

#include "features/colour_adjust_map.h"
#include "features/colour_block.h"
#include "ui/cm_proc.h"

inline constexpr int kColourAdjustmentDialogKind = 52;

class CmColorAdjustmentProc : public CmProc {
public:
    CmColorAdjustmentProc();
    ~CmColorAdjustmentProc() override;

    BOOL OnInitDialog() override;
    void OnDestroy() override;
    BOOL OnCommand(WORD id, WORD code) override;
    BOOL OnHScroll(int code, int position, HWND control) override;
    BOOL OnPageMessage(HWND from, PageMessageRecord* record) override;
    BOOL OnQueryNewPalette() override;
    BOOL OnPaletteChanged(HWND changer) override;

    CmColorAdjustMap* Map() const { return map_; }

private:
    // The four values from the first group in use (all zero when none is).
    void ReadValues();
    // The values into every group in use; the other groups' values become 0.
    void WriteValues();
    void Refresh();
    void ShowValues(int x, int y);
    void ShowGroups();
    void Defaults();

    CmColorAdjustMap* map_ = nullptr;
    CmColorAdjustMap::Values values_;
    int slider1_ = 0, slider2_ = 0;
    BYTE inUse_[colourblock::kGroupCount] = {};
    HBITMAP groups_ = nullptr;
};

bool RegisterColourAdjustmentDialog();
