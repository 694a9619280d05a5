// The feature dialogs bound to setting items: each is a settings dialog over the item set whose
// number is its page id, opened by kind, adding only its own checks and controls to what the
// base does (binding controls to items, running the rules, keeping the settings on OK).
#pragma once

#include "core/helpers/byte_view.h"
#include "model/model_description.h"
#include "ui/page_preview.h"
#include "ui/sv_proc.h"

#include <memory>
#include <string>

inline constexpr int kFinishingAdjustDialogKind = 38;
inline constexpr int kInsertingSheetDialogKind = 41;
inline constexpr int kTabPositionDialogKind = 42;
inline constexpr int kFrontAndBackCoverDialogKind = 43;
inline constexpr int kPaperTypeDialogKind = 44;
inline constexpr int kMediaLibraryDialogKind = 46;
inline constexpr int kGraphicsOptionsDialogKind = 57;
inline constexpr int kGraphicsMiscDialogKind = 58;
inline constexpr int kPopupDevicePreviewDialogKind = 83;
inline constexpr int kJobOwnerNameDialogKind = 92;
inline constexpr int kTabPaperDetailsDialogKind = 93;

// Targets of the media dialog (its opener's argument).
inline constexpr int kMediaTargetMain = 0;
inline constexpr int kMediaTargetInserter = 4;
inline constexpr int kMediaTargetFrontCover = 5;
inline constexpr int kMediaTargetBackCover = 6;

// What the feature dialogs share: the settings they edit and their parts.
class PDLSvProc : public CmSvProc {
public:
    PDLSvProc(int dialogKind, int pageId) : CmSvProc(pageId, dialogKind) {}

protected:
    // The settings the dialog edits (its own copy while it runs).
    uint8_t* Settings() const;
    // Their model section; empty when the settings' header does not lead to one.
    MutableByteView Section() const;
    uint16_t Option(DWORD number) const;
    void SetOption(DWORD number, uint16_t value) const;
    std::string Text(int id) const;
    std::string String(UINT id) const;
    // The locale's decimal separator, else the module's.
    char DecimalSeparator() const;
    // Shows the message, gives the edit the focus with its text selected.
    void Refuse(UINT message, int edit) const;
    bool ReadOnly() const;
    bool Model(ModelDescription& out) const;
};

class InsertingSheetProc : public PDLSvProc {
public:
    InsertingSheetProc();
    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;
    BOOL OnNotify(int id, NMHDR* header) override;

private:
    int Kind() const;
    void ShowPages();
    void ShowMedia();
    void CheckText();
    void CheckNumber();
    void AddPages();
    void DeletePages();
    bool Apply();
};

class FrontAndBackCoverProc : public PDLSvProc {
public:
    FrontAndBackCoverProc();
    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;

private:
    void ShowSources();
    void ShowMedia();
    int shownPair_ = -1;
};

class TABPositionProc : public PDLSvProc {
public:
    TABPositionProc();
    BOOL OnCommand(WORD id, WORD code) override;
    const DialogButton* GetDialogButtonTable() override;
};

class TabPaperDetailsProc : public PDLSvProc {
public:
    TabPaperDetailsProc();
};

class JobOwnerNameProc : public PDLSvProc {
public:
    JobOwnerNameProc();
    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;

private:
    uint8_t* Block() const;
};

class GraphicsOptionsProc : public PDLSvProc {
public:
    GraphicsOptionsProc();
    BOOL OnCommand(WORD id, WORD code) override;
    const DialogButton* GetDialogButtonTable() override;
};

class GraphicsMiscProc : public PDLSvProc {
public:
    GraphicsMiscProc();
};

class PaperTypeProc : public PDLSvProc {
public:
    PaperTypeProc();
};

class FinishingAdjustProc : public PDLSvProc {
public:
    FinishingAdjustProc();
    BOOL OnCommand(WORD id, WORD code) override;
};

class MediaLibrarySettingsProc : public PDLSvProc {
public:
    MediaLibrarySettingsProc();
    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;

private:
    void FillMedia();
    bool Apply();
};

class PopupDevPrevProc : public PDLSvProc {
public:
    PopupDevPrevProc();
    BOOL OnInitDialog() override;
    void OnDestroy() override;

private:
    std::unique_ptr<PagePreview> picture_;
};

// Enters the eleven dialogs and their messages into the registries.
bool RegisterFeaturePages();
void UnregisterFeaturePages();
