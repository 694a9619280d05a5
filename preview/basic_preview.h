// `CmBasicPreview`: the engine under every picture of the pages. It draws a fixed-size picture
// off screen (the sheet or device picture, with its optional mode strip, state-icon strip and
// caption line), scales it into the control with one blit, keeps the halftone palette, lays out
// the parts of the picture a person can point at and click (`PicturePart`), shows their tool
// tips and the context menu, and asks the page for every change of a setting by the page message:
// the engine itself writes no setting.
#pragma once

#include "preview/cm_preview.h"
#include "preview/draw_tools.h"
#include "preview/picture_layer.h"
#include "core/helpers/byte_view.h"
#include "ui/page_message.h"
#include "ui/utility_tip_window.h"

#include <cstddef>

class CmPvPaperDrawingSet;
class CmDrawPaperTools;
class CmSvConflict;

// Part flags: the action a release of the left button runs, and how the part looks.
enum PartFlag : uint16_t {
    kPartMode = 0x0001,        // a mode button: switches the picture
    kPartButtonLook = 0x0002,
    kPartPressedLook = 0x0004,  // drawn pressed while the button is down
    kPartClick = 0x0008,        // asks the page for the setting of the part kind
    kPartStateA = 0x0010,
    kPartStateB = 0x0020,
    kPartCommand = 0x0040,      // presses a dialog control of the page
    kPartButton = 0x0080,
    kPartToggle = 0x0100,
    kPartFramed = 0x0200,       // framed in blue while hot
    kPartTipBelow = 0x0400,
    kPartTipOver = 0x0800,      // the caption's tip, when the caption does not fit
};

struct PicturePart {
    uint16_t flags;
    RECT hitRect;   // control pixels
    RECT drawRect;  // picture pixels
    uint16_t reserved;
    uint16_t cursorId;  // 0: the arrow
    uint16_t value;
    int32_t extra;
};

// A tool tip's text: the font, then up to ten lines; the first empty line ends the text.
struct TipTextRecord {
    static constexpr int kLines = 10;
    static constexpr int kLineSize = 288;
    LOGFONTA font;
    char lines[kLines][kLineSize];
};

// Geometry words of the picture, in picture pixels.
enum GeometryWord {
    kSetWord0, kSetWord1, kSetWord2, kSetWord3,
    kPictureWidth0, kPictureHeightMax, kQualityAreaWidth, kSheetAreaHeight, kSpare1, kIconStripHeight,
    kSpare2, kModeStripHeight, kCaptionWidth, kCaptionHeight, kLayerAreaWidth, kLayerAreaBottom,
    kSheetLongMax, kSheetLongMin,
};

// Bits of `drawFlags`: the strips around the picture.
enum DrawFlag : uint16_t { kStateIconStrip = 1, kModeStrip = 2, kCaptionLine = 4 };

class CmBasicPreview : public CmPreview {
public:
    static constexpr int kMaxParts = 50;
    static constexpr int kMaxLayers = 50;

    CmBasicPreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind);
    ~CmBasicPreview() override;

    LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMouse(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL Render(HDC dc) override;
    void Update() override;
    void CancelTracking() override;
    void SetMode(int mode) override;
    void SetSubMode(int subMode) override;
    int GetMode() const override { return mode_; }
    int GetSubMode() const override { return subMode_; }
    BOOL OnQueryNewPalette() override;
    BOOL OnPaletteChanged(HWND changer) override;

    virtual void InitPictureRect();
    virtual BOOL ShowContextMenu(int x, int y);
    virtual BOOL OnLButtonDown(int x, int y);
    virtual BOOL OnLButtonUp(int x, int y);
    virtual BOOL OnOtherMouse(UINT, int, int) { return FALSE; }
    virtual BOOL OnMenuCommand(UINT id);
    virtual BOOL DrawByMode(HDC dc);
    virtual void DrawPagePicture(HDC dc);
    virtual void DrawDevicePicture(HDC dc);
    // Fills the layer list of the device picture; the engine's leaves it empty.
    virtual BOOL BuildLayerList() { return FALSE; }
    virtual void DrawQualityPicture(HDC) {}
    virtual BOOL HasPushButton() { return FALSE; }
    virtual int GetPartState();
    virtual void DrawFocusFrame(HDC dc);
    virtual void DrawModeStrip(HDC dc);
    virtual BOOL GetStripIcons(UINT* ids, int* count);
    virtual void DrawStripIcons(HDC dc, const UINT* ids, int count);
    virtual UINT GetSheetPictureId();
    virtual UINT GetDevicePictureId();
    virtual void DrawCaption(HDC dc, const char* text);
    // A text from the pool (freed with FreeText), or null.
    virtual char* BuildCaptionText();
    virtual int MapSetting112(int paper);
    virtual BOOL IsStateIconAShown();
    virtual int GetStateA();
    virtual UINT GetStateIconId(int state);
    virtual void DrawStateIconA(HDC dc);
    virtual BOOL IsStateIconBShown();
    virtual void DrawStateIconB(HDC dc);
    virtual int GetStateB();
    virtual UINT GetStateIconIdB(int state);
    virtual CmPvPaperDrawingSet* CreatePaperDrawingSet();
    virtual CmDrawTools* CreateDrawTools();
    virtual void MapValueToPosition(int largest, int smallest, int* width, int* height);
    virtual void ReadSettings(CmPvPaperDrawingSet* set);
    // The watermark flag and record of the settings block, from the stamp options.
    virtual void ReadWatermark(CmPvPaperDrawingSet* set);
    virtual void GetPunchHoleKind(int16_t* kind) { *kind = 2; }
    virtual int EffectiveOrientation(int layout, int layoutKind, int orientation);
    virtual BOOL RestoreMode() { return FALSE; }
    virtual BOOL KeepSubModeOnModeChange() { return FALSE; }
    virtual BOOL LayoutParts();
    virtual int CheckSubMode(int kind);
    virtual BOOL AddFrameParts();
    virtual BOOL AddSheetPart();
    virtual BOOL AddButtonPart();
    virtual BOOL AddBindingParts();
    virtual BOOL AddStaplePositionParts();
    virtual BOOL AddFinishingZoneParts();
    virtual BOOL AddFinishingParts();
    virtual BOOL AddNavigationParts();
    virtual void GetSheetRect(RECT* rect);
    virtual BOOL AddModelParts() { return FALSE; }
    virtual int HitTest(int x, int y) const;
    virtual BOOL IsLeftControlEnabled();
    virtual BOOL IsRightControlEnabled();
    virtual BOOL AddStateAPart();
    virtual BOOL AddStateBPart();
    virtual void UpdateCursor(int part);
    virtual HMENU BuildContextMenu();
    virtual void InitContextMenu(HMENU menu, UINT id);
    virtual void UpdateMenuItems(HMENU menu);
    virtual BOOL OnPartClicked();
    virtual BOOL OnSheetPartClicked();
    virtual BOOL OnBindingPartClicked();
    virtual BOOL OnPositionPartClicked();
    virtual BOOL OnNavigationPartClicked();
    virtual BOOL OnFinishingPartClicked();
    virtual BOOL ToggleStateA();
    virtual BOOL CycleStateB();
    virtual BOOL ResetSubMode();
    virtual BOOL OnButtonPart();
    virtual BOOL OnTogglePart();
    virtual BOOL OnCommandPart();
    virtual BOOL ShowTooltip(int part);
    virtual BOOL PlaceTipBelow(int part);
    virtual BOOL PlaceTipOver(int part);
    virtual BOOL BuildPartTipText(int part, TipTextRecord* record);
    virtual BOOL BuildCaptionTipText(TipTextRecord* record);
    virtual SIZE MeasureTipText(TipTextRecord* record);
    virtual void DrawPushButton(HDC dc, int state);
    virtual void CreateButtonBitmaps();
    virtual void DrawTextBox(HDC dc, const char* text, int state, CmDrawTools* tools);
    virtual BOOL FitToWindow();
    virtual SIZE GetPictureSize();
    virtual void GetLayerOrigin(int* x, int* y);
    virtual void OnButtonPressed(int) {}
    virtual BOOL ComputeInteractive();
    virtual void CreatePalette();
    virtual void ComputeZoom();
    virtual BOOL UseInches();

    static void FreeText(char* text);

    // What tests and the page read back.
    int Zoom() const { return zoom_; }
    SIZE ShownSize() const { return {shownWidth_, shownHeight_}; }
    int PartCount() const { return partCount_; }
    const PicturePart& Part(int index) const { return parts_[index]; }
    int HotPart() const { return hotPart_; }
    HWND TipWindow() const { return tipWindow_; }
    BOOL Interactive() const { return interactive_; }
    uint16_t DrawFlags() const { return drawFlags_; }
    void SetDrawFlags(uint16_t flags) { drawFlags_ = flags; }
    const int32_t* Geometry() const { return geometry_.values; }
    int LayerCount() const { return layerCount_; }
    const PictureLayer& Layer(int index) const { return layers_[index]; }

protected:
    void OnControlGone() override;
    // Reads a 16-bit or 32-bit option of the page's device mode; `fallback` when it holds none.
    int Option16(DWORD number, int fallback = 0) const;
    int32_t Option32(DWORD number, int32_t fallback = 0) const;
    // A 16-bit field of the public part (dmOrientation, dmDefaultSource); 0 when not held.
    int PublicWord(size_t offset) const;
    // The request's item registry; null before the sheet's rules start.
    CmSvConflict* Registry() const;
    int AnyShown(uint32_t key) const;
    int AnyEnabled(uint32_t key) const;
    int ValueEnabled(uint32_t key, int value) const;
    int ValueShown(uint32_t key, int value) const;
    BOOL SendRequest(DWORD kind, DWORD first, DWORD second = 0);
    // The data part of the device-option block, bounded by the block's own size; empty without one.
    ByteView DeviceOptions() const;
    // Null when the list is full: a builder never grows it past its bound.
    PictureLayer* AddLayer(uint16_t flags, uint16_t pictureId, int16_t style, int32_t x, int32_t y);
    PicturePart* AddPart(uint16_t flags, const RECT& rect, uint16_t cursorId, uint16_t value, int32_t extra = 0);
    void InvalidatePart(int index, bool pressed);
    void HideTip();
    void ReleaseMouse();
    int Word(GeometryWord word) const { return geometry_.values[word]; }
    // The geometry the background is drawn with: frame width, the two heights, the separator line
    // and the free picture area.
    PreviewGeometry BackgroundGeometry() const;

    BOOL interactive_ = FALSE;
    int mode_ = 0;
    int subMode_ = 0;
    uint16_t drawFlags_ = 0;
    uint8_t trackFlags_ = 0;  // bit 0 captured, bit 1 left button down, bit 2 tip shown
    int fittedMode_ = -1;
    int fittedFlags_ = -1;
    HDC memDC_ = nullptr;
    HBITMAP memBitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HWND tipWindow_ = nullptr;
    UtilityTipRequest tipRequest_ = {};
    int partCount_ = 0;
    int layerCount_ = 0;
    PictureLayer layers_[kMaxLayers] = {};
    PicturePart parts_[kMaxParts] = {};
    int hotPart_ = -1;
    int buttonWidth_ = 0;
    int buttonHeight_ = 0;
    SIZE buttonTextSize_ = {};
    HBITMAP buttonBitmaps_[3] = {};
    PreviewGeometry geometry_ = {};
    HPALETTE palette_ = nullptr;
    int lastMouseX_ = 0;
    int lastMouseY_ = 0;
    int zoom_ = 100;
    int controlWidth_ = 0;
    int controlHeight_ = 0;
    int shownWidth_ = 0;
    int shownHeight_ = 0;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;

private:
    // The longest and shortest paper lengths of the printer's paper table (0.1 mm), read once.
    void PaperLengthLimits(int* largest, int* smallest);
    int largestLength_ = -1;
    int smallestLength_ = -1;
};

// Page-message request kinds the pictures send.
enum PreviewRequest : DWORD {
    kRequestLayout = 0,
    kRequestFoldOver = 1,
    kRequestBinding = 2,
    kRequestPosition = 3,
    kRequestTray = 4,
    kRequestToggle = 5,
    kRequestCommand = 6,
    kRequestColour = 8,
};
