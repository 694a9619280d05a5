// `CmWaterMarkProc`: the watermark dialog (dialog kind 25). The user picks a preset from the
// working list of the sheet's `PDLWaterMark`, edits its name, text, size, colour, place, angle,
// frame and layer, adds and deletes presets within the list's limits and sees the watermark on a
// page sample; OK stores the working list and writes the chosen watermark into the settings.
#pragma once

#include "features/pdl_watermark.h"
#include "ui/cm_proc.h"

#include <cstdint>
#include <string>

inline constexpr int kWaterMarkDialogKind = 25;

class CmWaterMarkProc : public CmProc {
public:
    CmWaterMarkProc();

    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;
    BOOL OnDrawItem(int id, DRAWITEMSTRUCT* item) override;
    BOOL OnHScroll(int code, int position, HWND control) override;

    // Draws the sample of a preset on a page into the rectangle (the dialog's sample control
    // draws through it, and so can a test).
    static void DrawSample(UIDEVDATA* ctx, HDC dc, const RECT& area, const watermark::WaterMarkRecord& record);

private:
    using Record = watermark::WaterMarkRecord;

    Record* Current();
    // The working entry the settings' watermark names, else the first one.
    void FindCurrentFromSettings();
    void FillList();
    void FillControls();
    void EnableControls();
    // Marks the current entry edited and shows the sample again.
    void Changed();
    bool Validate();
    void SelectCurrentInList();
    void OnNumberField(WORD id, WORD code);
    void OnTextField(WORD id);
    void Add();
    void Delete();
    void Reset();
    bool Ok();
    void SetNumber(int id, int value);
    std::string Text(int id) const;
    std::string Resource(UINT id) const;
    int ShowMessage(UINT id, const char* argument = nullptr) const;

    PDLWaterMark* marks_ = nullptr;
    size_t current_ = 0;  // index into the working list
    bool filling_ = false;
};

// Registers the dialog under its kind.
bool RegisterWaterMarkDialog();
