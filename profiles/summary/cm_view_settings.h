// `CmViewSettings`: the common builder of the settings summary. It loads label and value texts
// from the resource module by string id, appends rows (label, TAB, value, CR LF) to a caller's
// text, asks the sheet whether a setting is shown, and holds the row groups of the common
// settings (paper, copies, layout, watermark, stamps, colour). `ViewSettings` arranges them.
#pragma once

#include "core/device/user_data.h"
#include "profiles/summary/summary_text.h"

#include <windows.h>

#include <cstdint>

class CmViewSettings : public CmModule {
public:
    explicit CmViewSettings(UIDEVDATA* ctx) : ctx_(ctx) {}
    ~CmViewSettings() override = default;
    CmViewSettings(const CmViewSettings&) = delete;
    CmViewSettings& operator=(const CmViewSettings&) = delete;

    // Takes the sheet's current settings from the user data; answers 0.
    int Init();

    // Text by string id into the label buffer (valid until the next load); null for id 0.
    char* LoadString(UINT id);
    // As LoadString, indented: flag 0x10 by two blanks, else flag 0x20 by four.
    char* LoadLabel(UINT id, DWORD flags);
    static void AppendLabel(char* text, const char* label) { summary::Append(text, summary::kTextSize, label, "\t"); }
    static void AppendValue(char* text, const char* value) { summary::Append(text, summary::kTextSize, value, "\r\n"); }
    // 1 when a control bound to the SDK key is shown, or when no sheet is open; else 0.
    int IsItemShown(uint32_t sdkKey);

    // Row groups of the common settings, each appending its rows to text.
    void WatermarkDetailRows(char* text);
    void PageSizeRow(char* text);
    void PageSizeLines(char* text);
    void OutputSizeRow(char* text);
    void OutputSizeLines(char* text);
    void CopiesRow(char* text);
    void OrientationRow(char* text);
    void PageLayoutRow(char* text);
    void PageOrderRow(char* text);
    void ScalingRatioRows(char* text);
    void WatermarkRow(char* text);
    void Setting140Row(char* text);
    virtual void Setting141Row(char* text);
    virtual void Setting142Row(char* text);
    virtual void Setting143Row(char* text);
    void FontDetailRows(char* text);
    virtual void Setting124ModeRow(char* text);
    virtual void RotationRow(char* text);
    void Setting122Row(char* text);
    virtual void BookletRows(char* text);
    void Setting190Rows(char* text);
    virtual void Setting200Rows(char* text);
    void ColorModeRow(char* text);
    void Setting220Rows(char* text);
    void Setting250Rows(char* text);
    void Setting250SubRows(char* text);
    void Setting220SubRow(char* text);

    // The string id naming a colour (0x00BBGGRR); 0 for a colour without a name.
    static UINT ColorNameId(uint32_t color);

protected:
    UIDEVDATA* Ctx() const { return ctx_; }
    const uint8_t* Devmode() const { return devmode_; }
    DWORD DevmodeSize() const { return devmodeSize_; }
    // A setting by option number; 0 when it cannot be read.
    int32_t Option16(DWORD number) const;
    uint32_t Option32(DWORD number) const;
    // A field of the public device mode (16-bit); 0 outside the device mode.
    int16_t PublicField(size_t offset) const;
    // A row: label by id and flags, then the value text (null for an empty value).
    void Row(char* text, UINT labelId, DWORD flags, const char* value);
    // A row whose value is a string id (0 for an empty value).
    void RowId(char* text, UINT labelId, DWORD flags, UINT valueId);
    // A number formatted by the format string of that id.
    void FormatNumber(char* out, UINT formatId, long value);
    // The name of a paper code of the paper table, the model's default paper's when the table
    // does not know it; empty when neither has a name.
    void PaperName(int16_t code, char* out, size_t size);
    // Width and length of a paper; false when the paper table has neither it nor the default.
    bool PaperDimensions(int16_t code, uint32_t sizeSetting, uint32_t& width, uint32_t& length);
    void SizeLines(char* text, DWORD paperOption, DWORD sizeOption);
    // The name of a paper source of the device data (the last entry of that id); empty when none.
    void PaperSourceName(uint16_t id, char* out, size_t size);

    char label_[summary::kBufferSize] = {};
    char scratch_[summary::kBufferSize] = {};

private:
    UIDEVDATA* ctx_;
    const uint8_t* devmode_ = nullptr;
    DWORD devmodeSize_ = 0;
    void* registry_ = nullptr;
    bool registryTaken_ = false;
};
