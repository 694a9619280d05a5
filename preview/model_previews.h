// The pictures of a model's printer: the three main pages' picture, the device page's picture and
// the pop-up device picture, each drawing the model's row of the picture table with the options
// the device-option block says are installed, and the first two with the selected paper source
// marked and the sources clickable.
#pragma once

#include "preview/device_unit_tables.h"
#include "preview/model_picture_table.h"
#include "preview/page_picture_previews.h"

class ModelSheetsPreview : public Basic3SheetsPreview {
public:
    ModelSheetsPreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind, const ModelPictureRow* row);
    BOOL BuildLayerList() override;
    BOOL AddModelParts() override;
    // Gives each paper-source part its button look and hand cursor while a tray can be chosen.
    virtual void MarkTrayParts(int first);
    const ModelPictureRow& Row() const { return *row_; }

protected:
    void LayOut(ModelPictureLayout& layout);
    // The default model has a picture of its own, by its own rules.
    bool IsK07() const;
    const ModelPictureRow* row_;
};

// The pop-up device dialog's picture: the wide model's units side by side, centred in the
// control, the selected source framed, a paper tray chosen by a click.
class PopupDevPreview : public ModelSheetsPreview {
public:
    PopupDevPreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind, const ModelPictureRow* row);
    BOOL HasPushButton() override { return FALSE; }
    // The picture takes the control's whole client area.
    void InitPictureRect() override;
    BOOL BuildLayerList() override;
    BOOL AddModelParts() override;
    // The width the dialog gives the picture: the installed units and a margin.
    int GetPictureWidth() const;

private:
    POINT DeviceOffset(int total) const;
    const DeviceUnitTable* units_;
};

class ModelDevicePreview : public DevicePreview {
public:
    ModelDevicePreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind, const ModelPictureRow* row);
    BOOL BuildLayerList() override;
    // A wide model's device page is one low strip, 599 pixels across.
    void InitPictureRect() override;

private:
    const ModelPictureRow* row_;
    const DeviceUnitTable* units_;
};
