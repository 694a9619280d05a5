// What the preview engine draws around the picture: the mode strip with its two mode buttons,
// the icon strip with the sheet and device icons and the two state icons, the caption line, the
// frame of the hot part and the push button of the device pictures (made once as three bitmaps).
#include "preview/basic_preview.h"

#include "core/device/service_table.h"
#include "core/helpers/drawing.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr UINT kModeIconPage = 4696;
constexpr UINT kModeIconDevice = 4698;
constexpr UINT kStripPlate = 4621;
constexpr UINT kButtonText = 4407;
constexpr COLORREF kFrameNavy = RGB(0, 0, 128);
constexpr COLORREF kFocusBlue = RGB(0, 0, 255);
constexpr COLORREF kGreenKey = RGB(0, 128, 0);
constexpr uint32_t kKeyFoldOver = 0x10068;
constexpr uint32_t kKeyColour = 0x10074;

// Plate of a state icon: normal, pressed, hot, disabled.
UINT PlateOf(int state) {
    switch (state) {
    case 1: return 4622;
    case 2: return 4624;
    case 3: return 4623;
    case 4: return 4625;
    default: return 0;
    }
}

void FillStock(HDC dc, int left, int top, int right, int bottom, int stock) {
    const RECT r{left, top, right, bottom};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(stock)));
}

}  // namespace

void CmBasicPreview::DrawModeStrip(HDC dc) {
    if (HICON page = devData_->svc->LoadIcon(devData_, kModeIconPage)) DrawIconEx(dc, 1, 2, page, 0, 0, 0, nullptr, DI_NORMAL);
    if (HICON device = devData_->svc->LoadIcon(devData_, kModeIconDevice))
        DrawIconEx(dc, 19, 2, device, 0, 0, 0, nullptr, DI_NORMAL);
    const int x = mode_ == 0 ? 0 : mode_ == 2 ? 18 : mode_ == 1 ? 36 : 54;
    HBRUSH navy = CreateSolidBrush(kFrameNavy);
    if (!navy) return;
    const RECT strokes[4] = {{x, 0, x + 18, 2}, {x, 16, x + 18, 18}, {x, 0, x + 2, 18}, {x + 16, 0, x + 18, 18}};
    for (const RECT& r : strokes) FillRect(dc, &r, navy);
    DeleteObject(navy);
}

BOOL CmBasicPreview::GetStripIcons(UINT* ids, int* count) {
    if (mode_ < 0 || mode_ > 2) return FALSE;
    ids[0] = GetSheetPictureId();
    ids[1] = GetDevicePictureId();
    *count += 2;
    return TRUE;
}

void CmBasicPreview::DrawStripIcons(HDC dc, const UINT* ids, int count) {
    int x = 12;
    // Each icon keeps its place in the strip, drawn or not.
    for (int i = 0; i < count; ++i, x += 42) {
        if (!ids[i]) continue;
        DrawTransparentBitmap(devData_, dc, x - 3, Word(kSheetAreaHeight), kStripPlate, preview_colour::kMagenta);
        if (HICON icon = devData_->svc->LoadIcon(devData_, ids[i])) DrawIcon(dc, x, Word(kSheetAreaHeight) + 3, icon);
    }
}

void CmBasicPreview::DrawCaption(HDC dc, const char* text) {
    CmDrawTools* tools = CreateDrawTools();
    if (!tools) return;
    LOGFONTA lf{};
    HFONT font = tools->GetWindowFont(parent_, &lf) ? CreateFontIndirectA(&lf) : nullptr;
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    const COLORREF oldColour = SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    int top = Word(kSheetAreaHeight);
    if (drawFlags_ & kStateIconStrip) top += Word(kIconStripHeight);
    RECT r{4, top, Word(kPictureWidth0) - 2, top + Word(kCaptionHeight)};
    DrawTextA(dc, text, -1, &r, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
    if (font) {
        SelectObject(dc, oldFont);
        DeleteObject(font);
    }
    delete tools;
}

BOOL CmBasicPreview::IsStateIconAShown() {
    return mode_ == 0 && Registry() && AnyShown(kKeyFoldOver) && Option16(124) != 2;
}

int CmBasicPreview::GetStateA() {
    if (!IsStateIconAShown()) return 0;
    if (!interactive_ || !AnyEnabled(kKeyFoldOver)) return 4;
    const bool hot = hotPart_ >= 0 && (parts_[hotPart_].flags & kPartStateA);
    if (hot) return (trackFlags_ & 2) ? 2 : 3;
    return 1;
}

UINT CmBasicPreview::GetStateIconId(int state) {
    if (state == 0) return 0;
    const UINT base = (Option32(110) & 1) ? 4630 : 4626;
    return state == 4 ? base + 2 : base;
}

void CmBasicPreview::DrawStateIconA(HDC dc) {
    const int state = GetStateA();
    if (!state) return;
    const int top = Word(kSheetAreaHeight);
    DrawTransparentBitmap(devData_, dc, 135, top, PlateOf(state), preview_colour::kMagenta);
    if (const UINT overlay = GetStateIconId(state))
        DrawTransparentBitmap(devData_, dc, state == 2 ? 139 : 138, top + (state == 2 ? 4 : 3), overlay,
                              preview_colour::kMagenta);
}

BOOL CmBasicPreview::IsStateIconBShown() { return mode_ == 0 && AnyShown(kKeyColour); }

int CmBasicPreview::GetStateB() {
    if (!IsStateIconBShown()) return 0;
    if (!interactive_ || !AnyEnabled(kKeyColour)) return 4;
    const bool hot = hotPart_ >= 0 && (parts_[hotPart_].flags & kPartStateB);
    if (hot) return (trackFlags_ & 2) ? 2 : 3;
    return 1;
}

UINT CmBasicPreview::GetStateIconIdB(int state) {
    if (state == 0) return 0;
    UINT id = 0;
    switch (Option16(222)) {
    case 0: id = 4642; break;
    case 1: id = 4640; break;
    case 2: id = 4638; break;
    default: return 0;
    }
    return state == 4 ? id + 1 : id;
}

void CmBasicPreview::DrawStateIconB(HDC dc) {
    const int state = GetStateB();
    if (!state) return;
    const int top = Word(kSheetAreaHeight);
    DrawTransparentBitmap(devData_, dc, 93, top, PlateOf(state), preview_colour::kMagenta);
    if (const UINT overlay = GetStateIconIdB(state))
        DrawTransparentBitmap(devData_, dc, state == 2 ? 97 : 96, top + (state == 2 ? 4 : 3), overlay,
                              state == 4 ? preview_colour::kMagenta : kGreenKey);
}

void CmBasicPreview::DrawFocusFrame(HDC dc) {
    if (hotPart_ < 0 || hotPart_ >= partCount_ || !(parts_[hotPart_].flags & kPartFramed)) return;
    const RECT& r = parts_[hotPart_].drawRect;
    HRGN region = CreateRectRgn(r.left + 2, r.top + 2, r.right + 2, r.bottom + 2);
    HBRUSH blue = CreateSolidBrush(kFocusBlue);
    if (region && blue) FrameRgn(dc, region, blue, 2, 2);
    if (blue) DeleteObject(blue);
    if (region) DeleteObject(region);
}

int CmBasicPreview::GetPartState() {
    if (hotPart_ >= 0 && (parts_[hotPart_].flags & kPartPressedLook) && (trackFlags_ & 2)) return 3;
    auto selected = [&](DWORD option) { return Option16(option) == 7 ? 2 : 1; };
    switch (subMode_) {
    case 7: case 14: {
        // 7 is the automatic selection.
        return PublicWord(offsetof(DEVMODEA, dmDefaultSource)) == 7 ? 2 : 1;
    }
    case 8: case 11: return selected(202);
    case 9: return selected(203);
    case 10: return selected(204);
    case 12: return selected(205);
    case 13: return selected(208);
    default: return 1;
    }
}

void CmBasicPreview::DrawTextBox(HDC dc, const char* text, int state, CmDrawTools* tools) {
    const int w = buttonWidth_, h = buttonHeight_;
    const int d = state == 1 ? 1 : 0;
    FillStock(dc, 0, 0, w, h, LTGRAY_BRUSH);
    FillStock(dc, 1, 1, w, h, BLACK_BRUSH);
    FillStock(dc, 2 - d, 2 - d, w - d, h - d, WHITE_BRUSH);
    FillStock(dc, 2, 2, w - 1, h - 1, GRAY_BRUSH);
    FillStock(dc, 3 - d, 3 - d, w - d - 1, h - d - 1, LTGRAY_BRUSH);
    if (state == 2 && tools) tools->FillPatternRect(dc, 3, 3, w - 4, h - 4, RGB(191, 191, 191), RGB(255, 255, 255), 0, -1);
    const int e = state == 3 ? 2 : 0;
    const int m = (h - buttonTextSize_.cy) / 2;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
    COLORREF old = SetTextColor(dc, state == 2 ? RGB(128, 128, 128) : RGB(255, 255, 255));
    RECT shade{e + 1, m + 1 + e, w + e + 1, h - m + 1 + e};
    DrawTextA(dc, text, -1, &shade, format);
    SetTextColor(dc, state == 2 ? RGB(0, 0, 255) : RGB(0, 0, 0));
    RECT face{e, m + e, w + e, h - m + e};
    DrawTextA(dc, text, -1, &face, format);
    SetTextColor(dc, old);
    SetBkMode(dc, oldMode);
}

void CmBasicPreview::CreateButtonBitmaps() {
    if (buttonBitmaps_[0] && buttonBitmaps_[1] && buttonBitmaps_[2]) return;
    char text[64] = "";
    devData_->svc->LoadString(devData_, kButtonText, text, sizeof text);
    CmDrawTools* tools = CreateDrawTools();
    if (!tools) return;
    HDC screen = GetDC(nullptr);
    HDC dc = screen ? CreateCompatibleDC(screen) : nullptr;
    LOGFONTA lf{};
    HFONT font = nullptr;
    if (dc && tools->GetWindowFont(parent_, &lf)) {
        lf.lfWeight = 800;
        font = CreateFontIndirectA(&lf);
    }
    HGDIOBJ oldFont = font && dc ? SelectObject(dc, font) : nullptr;
    if (dc) {
        SIZE extent{};
        GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &extent);
        buttonTextSize_ = {extent.cx, std::min<LONG>(extent.cy, 20)};
        buttonWidth_ = std::min<int>(extent.cx * 16 / 10, (Word(kLayerAreaWidth) - 2) / 2);
        buttonHeight_ = 20;
        const int states[3] = {1, 3, 2};  // normal, pressed, selected
        for (int i = 0; i < 3; ++i) {
            if (buttonBitmaps_[i] || buttonWidth_ <= 0) continue;
            buttonBitmaps_[i] = CreateCompatibleBitmap(screen, buttonWidth_, buttonHeight_);
            if (!buttonBitmaps_[i]) continue;
            HGDIOBJ old = SelectObject(dc, buttonBitmaps_[i]);
            DrawTextBox(dc, text, states[i], tools);
            SelectObject(dc, old);
        }
    }
    if (oldFont) SelectObject(dc, oldFont);
    if (font) DeleteObject(font);
    if (dc) DeleteDC(dc);
    if (screen) ReleaseDC(nullptr, screen);
    delete tools;
}

void CmBasicPreview::DrawPushButton(HDC dc, int state) {
    HBITMAP picture = buttonBitmaps_[state == 2 ? 2 : state == 3 ? 1 : 0];
    if (!picture) return;
    HDC source = CreateCompatibleDC(dc);
    if (!source) return;
    HGDIOBJ old = SelectObject(source, picture);
    const int bottom = (drawFlags_ & kStateIconStrip) ? Word(kSheetAreaHeight) + Word(kIconStripHeight)
                                                      : Word(kLayerAreaBottom);
    BitBlt(dc, Word(kLayerAreaWidth) - buttonWidth_, bottom - buttonHeight_, buttonWidth_, buttonHeight_, source, 0, 0,
           SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}
