// The preview engine's life and paint: construction, the fitting of the picture into the control
// (the zoom), the paint through one off-screen bitmap and one blit, the halftone palette, and the
// helpers its parts share (reading options, asking the rules, the page message). Every paint
// deletes every GDI object it made before it returns.
#include "preview/basic_preview.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/helpers/byte_view.h"
#include "preview/paper_drawing_set.h"
#include "settings/registry/conflict.h"

#include <algorithm>

namespace {

// The picture's geometry, in picture pixels.
constexpr PreviewGeometry kGeometry = {{19, 162, 40, 19, 181, 240, 181, 181, 34, 40, 181, 19, 181, 19, 179, 179, 138, 110}};

bool IsPaletteDevice(HDC dc) { return dc && (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0; }

}  // namespace

CmBasicPreview::CmBasicPreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind)
    : CmPreview(control, ctx, settings, kind) {
    interactive_ = ComputeInteractive();
    RECT r{};
    GetWindowRect(control, &r);
    controlWidth_ = r.right - r.left;
    controlHeight_ = r.bottom - r.top;
    CmBasicPreview::InitPictureRect();
    CmBasicPreview::CreateButtonBitmaps();
    CmBasicPreview::CreatePalette();
}

CmBasicPreview::~CmBasicPreview() {
    HideTip();
    if (trackFlags_ & 1) ReleaseMouse();
    for (HBITMAP& b : buttonBitmaps_) {
        if (b) DeleteObject(b);
        b = nullptr;
    }
    if (memDC_) {
        if (oldBitmap_) SelectObject(memDC_, oldBitmap_);
        DeleteDC(memDC_);
    }
    if (memBitmap_) DeleteObject(memBitmap_);
    if (palette_) DeleteObject(palette_);
}

void CmBasicPreview::OnControlGone() {
    HideTip();
    trackFlags_ = 0;
    hotPart_ = -1;
}

void CmBasicPreview::InitPictureRect() { geometry_ = kGeometry; }

BOOL CmBasicPreview::ComputeInteractive() {
    CmUserData* user = devData_ && devData_->svc ? devData_->svc->GetUserData(devData_) : nullptr;
    return user && user->IsReadOnly() ? FALSE : TRUE;
}

BOOL CmBasicPreview::UseInches() {
    CmUserData* user = devData_->svc->GetUserData(devData_);
    return user && user->IsInchUnit() ? TRUE : FALSE;
}

int CmBasicPreview::Option16(DWORD number, int fallback) const {
    int16_t value = static_cast<int16_t>(fallback);
    devData_->svc->GetOption(devData_, settings_, number, &value, sizeof value);
    return value;
}

int32_t CmBasicPreview::Option32(DWORD number, int32_t fallback) const {
    int32_t value = fallback;
    devData_->svc->GetOption(devData_, settings_, number, &value, sizeof value);
    return value;
}

int CmBasicPreview::PublicWord(size_t offset) const {
    uint16_t value = 0;
    return ByteView(settings_, sizeof(DEVMODEA)).u16(offset, value) ? static_cast<int16_t>(value) : 0;
}

CmSvConflict* CmBasicPreview::Registry() const { return RegistryOf(devData_); }

int CmBasicPreview::AnyShown(uint32_t key) const {
    CmSvConflict* r = Registry();
    return r ? r->AnySdkControlShown(devData_, key) : 0;
}
int CmBasicPreview::AnyEnabled(uint32_t key) const {
    CmSvConflict* r = Registry();
    return r ? r->AnySdkControlEnabled(devData_, key) : 0;
}
int CmBasicPreview::ValueEnabled(uint32_t key, int value) const {
    CmSvConflict* r = Registry();
    return r ? r->IsSdkValueEnabled(devData_, key, value) : 0;
}
int CmBasicPreview::ValueShown(uint32_t key, int value) const {
    CmSvConflict* r = Registry();
    return r ? r->IsSdkValueShown(devData_, key, value) : 0;
}

BOOL CmBasicPreview::SendRequest(DWORD kind, DWORD first, DWORD second) {
    const PageMessageRecord record{0, 0, kPageChanged, kind, first, second};
    SendPageMessage(parent_, control_, record);
    return TRUE;
}

SIZE CmBasicPreview::GetPictureSize() {
    int height = Word(kSheetAreaHeight);
    if (drawFlags_ & kStateIconStrip) height += Word(kIconStripHeight);
    if (drawFlags_ & kCaptionLine) height += Word(kCaptionHeight);
    return {Word(kPictureWidth0), height};
}

void CmBasicPreview::ComputeZoom() {
    const SIZE size = GetPictureSize();
    // Starts from the natural size each time, so that a picture shrunk for a large strip set
    // grows back when the strips go; a zero size leaves nothing to scale.
    int zoom = 100;
    if (size.cx > 0 && size.cy > 0) {
        const int across = size.cx > controlWidth_ ? controlWidth_ * 100 / size.cx : 100;
        const int down = size.cy > controlHeight_ ? controlHeight_ * 100 / size.cy : 100;
        zoom = std::max(0, std::min(across, down));
    }
    zoom_ = zoom;
    shownWidth_ = zoom_ * size.cx / 100;
    shownHeight_ = zoom_ * size.cy / 100;
    pictureWidth_ = size.cx;
    pictureHeight_ = size.cy;
}

BOOL CmBasicPreview::FitToWindow() {
    if (mode_ == fittedMode_ && drawFlags_ == fittedFlags_) return FALSE;
    if (!control_) return FALSE;
    RECT r{};
    GetWindowRect(control_, &r);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&r), 2);
    ComputeZoom();
    MoveWindow(control_, r.left, r.top, shownWidth_, shownHeight_, TRUE);
    fittedMode_ = mode_;
    fittedFlags_ = drawFlags_;
    return TRUE;
}

void CmBasicPreview::Update() {
    if (!control_) return;
    LayoutParts();
    FitToWindow();
    InvalidateRect(control_, nullptr, FALSE);
    UpdateWindow(control_);
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(control_, &at);
    UpdateCursor(HitTest(at.x, at.y));
}

void CmBasicPreview::SetMode(int mode) {
    mode_ = mode;
    Update();
}

void CmBasicPreview::SetSubMode(int subMode) {
    subMode_ = subMode;
    Update();
}

void CmBasicPreview::HideTip() {
    if (tipWindow_) DestroyUtilityTipWindow(tipWindow_);
    tipWindow_ = nullptr;
    trackFlags_ &= static_cast<uint8_t>(~4u);
}

void CmBasicPreview::ReleaseMouse() {
    if (GetCapture() == control_) ReleaseCapture();
    trackFlags_ &= static_cast<uint8_t>(~1u);
}

void CmBasicPreview::CancelTracking() {
    HideTip();
    ReleaseMouse();
    trackFlags_ = 0;
    hotPart_ = -1;
}

CmDrawTools* CmBasicPreview::CreateDrawTools() { return new CmDrawTools; }

CmPvPaperDrawingSet* CmBasicPreview::CreatePaperDrawingSet() {
    return new CmPvPaperDrawingSet(control_, &geometry_, palette_);
}

LRESULT CmBasicPreview::OnPaint(WPARAM, LPARAM) {
    if (!control_) return 0;
    CmDrawTools* tools = CreateDrawTools();
    if (!tools) return 0;
    LayoutParts();
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(control_, &ps);
    HPALETTE oldPalette = nullptr;
    if (dc && palette_ && tools->GetDisplayColorBits() < 9 && IsPaletteDevice(dc)) {
        oldPalette = SelectPalette(dc, palette_, FALSE);
        RealizePalette(dc);
    }
    if (dc && Render(dc)) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, shownWidth_, shownHeight_, memDC_, 0, 0, pictureWidth_, pictureHeight_, SRCCOPY);
    }
    if (memDC_) {
        SelectObject(memDC_, oldBitmap_);
        DeleteDC(memDC_);
    }
    if (memBitmap_) DeleteObject(memBitmap_);
    memDC_ = nullptr;
    memBitmap_ = nullptr;
    oldBitmap_ = nullptr;
    if (oldPalette) SelectPalette(dc, oldPalette, FALSE);
    EndPaint(control_, &ps);
    delete tools;
    return 1;
}

PreviewGeometry CmBasicPreview::BackgroundGeometry() const {
    PreviewGeometry g = geometry_;
    g.values[0] = Word(kPictureWidth0);
    g.values[1] = Word(kSheetAreaHeight);
    g.values[2] = Word(kIconStripHeight);
    g.values[3] = Word(kModeStripHeight);
    return g;
}

BOOL CmBasicPreview::Render(HDC dc) {
    CmDrawTools* tools = CreateDrawTools();
    if (!tools) return FALSE;
    if (pictureWidth_ <= 0 || pictureHeight_ <= 0) ComputeZoom();
    memBitmap_ = pictureWidth_ > 0 && pictureHeight_ > 0 ? CreateCompatibleBitmap(dc, pictureWidth_, pictureHeight_)
                                                        : nullptr;
    memDC_ = memBitmap_ ? CreateCompatibleDC(dc) : nullptr;
    if (!memBitmap_ || !memDC_) {
        if (memBitmap_) DeleteObject(memBitmap_);
        if (memDC_) DeleteDC(memDC_);
        memBitmap_ = nullptr;
        memDC_ = nullptr;
        delete tools;
        return FALSE;
    }
    oldBitmap_ = SelectObject(memDC_, memBitmap_);
    const RECT picture{0, 0, pictureWidth_, pictureHeight_};
    tools->DrawBackground(memDC_, picture, drawFlags_, BackgroundGeometry());
    if (drawFlags_ & kModeStrip) DrawModeStrip(memDC_);
    if (drawFlags_ & kStateIconStrip) {
        UINT ids[2] = {};
        int count = 0;
        if (GetStripIcons(ids, &count) && count > 0) DrawStripIcons(memDC_, ids, std::min(count, 2));
        DrawStateIconA(memDC_);
        DrawStateIconB(memDC_);
    }
    if (drawFlags_ & kCaptionLine) {
        if (char* text = BuildCaptionText()) {
            DrawCaption(memDC_, text);
            FreeText(text);
        }
    }
    DrawByMode(memDC_);
    DrawFocusFrame(memDC_);
    delete tools;
    return TRUE;
}

BOOL CmBasicPreview::DrawByMode(HDC dc) {
    switch (mode_) {
    case 0: case 1: case 5: case 6: DrawPagePicture(dc); return TRUE;
    case 2: case 3: DrawDevicePicture(dc); return TRUE;
    case 4: DrawQualityPicture(dc); return TRUE;
    default: return FALSE;
    }
}

void CmBasicPreview::DrawPagePicture(HDC dc) {
    CmPvPaperDrawingSet* set = CreatePaperDrawingSet();
    if (!set) return;
    ReadSettings(set);
    set->DrawPicture(devData_, dc);
    delete set;
}

void CmBasicPreview::CreatePalette() {
    if (palette_) DeleteObject(palette_);
    palette_ = nullptr;
    if (!control_) return;
    HDC dc = GetDC(control_);
    if (IsPaletteDevice(dc)) palette_ = CreateHalftonePalette(dc);
    if (dc) ReleaseDC(control_, dc);
}

BOOL CmBasicPreview::OnQueryNewPalette() {
    if (!control_ || !palette_) return FALSE;
    HDC dc = GetDC(control_);
    BOOL answer = FALSE;
    if (IsPaletteDevice(dc)) {
        HPALETTE old = SelectPalette(dc, palette_, FALSE);
        RealizePalette(dc);
        SelectPalette(dc, old, FALSE);
        answer = TRUE;
    }
    if (dc) ReleaseDC(control_, dc);
    if (answer) Update();
    return answer;
}

BOOL CmBasicPreview::OnPaletteChanged(HWND changer) {
    if (changer == parent_ || IsChild(parent_, changer)) return FALSE;
    return OnQueryNewPalette();
}

LRESULT CmBasicPreview::OnCommand(WPARAM wParam, LPARAM) { return OnMenuCommand(LOWORD(wParam)); }

void CmBasicPreview::FreeText(char* text) { delete[] text; }
