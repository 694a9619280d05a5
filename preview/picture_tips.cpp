// Tool tips of picture parts: a part's tip below it, and the caption's tip over it when the
// caption is wider than the picture. The text lives in one static record per placement (only one
// tip window exists at a time) and is painted by the tip procedure below.
#include "preview/basic_preview.h"

#include <algorithm>
#include <cstring>

namespace {

TipTextRecord g_belowRecord;
TipTextRecord g_overRecord;

void PaintTip(HWND, HDC dc, const RECT& client, const void* textRecord) {
    const auto* record = static_cast<const TipTextRecord*>(textRecord);
    HBRUSH back = GetSysColorBrush(COLOR_INFOBK);
    HBRUSH frame = GetSysColorBrush(COLOR_WINDOWFRAME);
    if (back) FillRect(dc, &client, back);
    if (frame) FrameRect(dc, &client, frame);
    if (!record) return;
    HFONT font = CreateFontIndirectA(&record->font);
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    const COLORREF oldColour = SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    SIZE first{};
    GetTextExtentPoint32A(dc, "X", 1, &first);
    for (int i = 0; i < TipTextRecord::kLines && record->lines[i][0]; ++i) {
        const int length = static_cast<int>(strnlen(record->lines[i], TipTextRecord::kLineSize));
        if (i == 0) GetTextExtentPoint32A(dc, record->lines[0], length, &first);
        TextOutA(dc, 2, 2 + i * (first.cy + 2), record->lines[i], length);
    }
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
    if (font) {
        SelectObject(dc, old);
        DeleteObject(font);
    }
}

}  // namespace

BOOL CmBasicPreview::ShowTooltip(int part) {
    if (part < 0 || part >= partCount_ || !control_) return FALSE;
    BOOL placed = FALSE;
    if (parts_[part].flags & kPartTipBelow) placed = PlaceTipBelow(part);
    else if (parts_[part].flags & kPartTipOver) placed = PlaceTipOver(part);
    if (!placed) return FALSE;
    HideTip();
    tipWindow_ = CreateUtilityTipWindow(&tipRequest_);
    if (!tipWindow_) return FALSE;  // no tip, and no capture for it
    SetCapture(control_);
    trackFlags_ |= 1 | 4;
    return TRUE;
}

BOOL CmBasicPreview::BuildPartTipText(int, TipTextRecord* record) {
    MeasureTipText(record);
    return FALSE;  // the engine's parts carry no text of their own
}

BOOL CmBasicPreview::PlaceTipBelow(int part) {
    std::memset(&g_belowRecord, 0, sizeof g_belowRecord);
    if (!BuildPartTipText(part, &g_belowRecord) || !g_belowRecord.lines[0][0]) return FALSE;
    const SIZE size = MeasureTipText(&g_belowRecord);
    POINT at{parts_[part].hitRect.right + 5, parts_[part].hitRect.bottom + 10};
    ClientToScreen(control_, &at);
    tipRequest_ = {parent_, at.x, at.y, size.cx, size.cy, &g_belowRecord, PaintTip};
    return TRUE;
}

BOOL CmBasicPreview::BuildCaptionTipText(TipTextRecord* record) {
    char* caption = BuildCaptionText();
    if (!caption) return FALSE;
    std::strncpy(record->lines[0], caption, TipTextRecord::kLineSize - 1);
    FreeText(caption);
    MeasureTipText(record);
    return TRUE;
}

BOOL CmBasicPreview::PlaceTipOver(int part) {
    std::memset(&g_overRecord, 0, sizeof g_overRecord);
    if (!BuildCaptionTipText(&g_overRecord)) return FALSE;
    const SIZE size = MeasureTipText(&g_overRecord);
    // Only a caption that does not fit in the picture needs its tip.
    if (size.cx - 2 < Word(kPictureWidth0)) return FALSE;
    POINT at{parts_[part].hitRect.left + 1, parts_[part].hitRect.top + 1};
    ClientToScreen(control_, &at);
    tipRequest_ = {parent_, at.x, at.y, size.cx, size.cy, &g_overRecord, PaintTip};
    return TRUE;
}

SIZE CmBasicPreview::MeasureTipText(TipTextRecord* record) {
    SIZE size{4, 2};
    CmDrawTools* tools = CreateDrawTools();
    if (!tools) return size;
    tools->GetWindowFont(parent_, &record->font);
    delete tools;
    HDC screen = GetDC(nullptr);
    if (!screen) return size;
    HFONT font = CreateFontIndirectA(&record->font);
    HGDIOBJ old = font ? SelectObject(screen, font) : nullptr;
    for (int i = 0; i < TipTextRecord::kLines && record->lines[i][0]; ++i) {
        SIZE line{};
        GetTextExtentPoint32A(screen, record->lines[i], static_cast<int>(strnlen(record->lines[i], TipTextRecord::kLineSize)),
                              &line);
        size.cx = std::max<LONG>(size.cx, line.cx + 4);
        size.cy += line.cy + 2;
    }
    if (font) {
        SelectObject(screen, old);
        DeleteObject(font);
    }
    ReleaseDC(nullptr, screen);
    return size;
}
