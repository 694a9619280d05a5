// The pictures the pages and dialogs show, over the preview engine: `BasicPreview` (the page
// picture with the private section's rules), `Basic3SheetsPreview` (the three main pages' picture,
// which switches between the sheet and the printer and keeps per page what was shown),
// `DevicePreview` (the device page's printer), and the small pictures of the quality page and the
// finishing and layout-option dialogs.
#pragma once

#include "core/device/user_data.h"
#include "preview/basic_preview.h"

#include <cstddef>

struct ModelDescription;

class BasicPreview : public CmBasicPreview {
public:
    BasicPreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind);
    void DrawPagePicture(HDC dc) override;
    void ReadSettings(CmPvPaperDrawingSet* set) override;
    BOOL IsStateIconAShown() override;
    // Sources drawn as a fixed picture (the model's tray-picture flag) are no buttons.
    BOOL AddButtonPart() override;
    void MapValueToPosition(int largest, int smallest, int* width, int* height) override;

protected:
    // The sheet's copy of the model description; null when the sheet made no model tables.
    ModelDescription* Model() const;
    bool MixedPaper() const;
    // Draws the four sheets of a mixed-paper job instead of the one sheet.
    void DrawMixedPaper(HDC dc);
    // A 16-bit or 32-bit word of the device mode's private section; false when the device mode
    // holds none there.
    bool PrivateU16(size_t at, uint16_t& value) const;
    bool PrivateU32(size_t at, uint32_t& value) const;
    bool SampleSheet() const;
    // The private flags say the job takes no paper tray of the picture's choosing: no tray is
    // marked selected and none is a button.
    bool TrayChoiceLocked() const;
    // The punch edge follows the binding edge while punching is on.
    void FollowBindingWithPunch();
    void DeviceGetPunchHoleKind(int16_t* kind);
};

// Paper-tray commands of the device picture's menu and what each shows.
inline constexpr UINT kFirstTrayCommand = 22815, kLastTrayCommand = 22822;

class Basic3SheetsPreview : public BasicPreview {
public:
    Basic3SheetsPreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind);
    void CancelTracking() override;
    BOOL RestoreMode() override;
    BOOL KeepSubModeOnModeChange() override;
    int CheckSubMode(int kind) override;
    BOOL OnMenuCommand(UINT id) override;
    UINT GetDevicePictureId() override;
    BOOL HasPushButton() override;
    void GetPunchHoleKind(int16_t* kind) override { DeviceGetPunchHoleKind(kind); }
    void OnButtonPressed(int flag) override;
    HMENU BuildContextMenu() override;
    void InitContextMenu(HMENU menu, UINT id) override;
    BOOL GetStripIcons(UINT* ids, int* count) override;
    UINT GetSheetPictureId() override;
    BOOL BuildPartTipText(int part, TipTextRecord* record) override;
    // Enables, checks and removes the finishing commands of the printer menus.
    virtual void InitFinishingCommands(HMENU menu);
    virtual void SelectTray(UINT command);
    // The paper-source value the picture marks selected; -1 for none.
    int SelectedSource();
    uint16_t TrayCommand() const { return trayCommand_; }
    uint16_t ThirdCommand() const { return thirdCommand_; }

protected:
    // The part kind a tray command shows; 0 for a command that names no tray.
    static int SubModeOfTray(UINT command);
    // The part kind this page shows on the sheet picture.
    int SheetSubMode() const;
    PageStateGroup* PageGroup() const;
    // Keeps the tray shown in the model description, where the tray lists read it.
    void KeepCurrentTray();
    uint16_t trayCommand_ = 22817;
    uint16_t secondCommand_ = 22800;
    uint16_t thirdCommand_ = 22803;
};

class DevicePreview : public CmBasicPreview {
public:
    DevicePreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind);
    BOOL GetStripIcons(UINT* ids, int* count) override;
};

class QualityPreview : public BasicPreview {
public:
    QualityPreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind);
    void DrawQualityPicture(HDC dc) override;
};

class StaplePreview : public BasicPreview {
public:
    StaplePreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind);
    void DrawPagePicture(HDC dc) override;
    void GetPunchHoleKind(int16_t* kind) override { DeviceGetPunchHoleKind(kind); }
    // The sheet's bound edge as the picture draws it (1 top, 2 left, 3 bottom, 4 right); the
    // output is left as it was for an edge the settings do not name.
    virtual void GetEdgeDirection(int* edge);
};

class LayoutOptionPreview : public BasicPreview {
public:
    LayoutOptionPreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind);
    void GetPunchHoleKind(int16_t* kind) override { DeviceGetPunchHoleKind(kind); }
};
