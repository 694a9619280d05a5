// The pictures of a model's printer: the three main pages' picture, the device page's picture and
// the pop-up device picture, each drawing the model's row of the picture table with the options
// the device-option block says are installed, and the first two with the selected paper source
// marked and the sources clickable.
#pragma once

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
    const ModelPictureRow* row_;
};

// The pop-up device dialog's picture: the printer alone, a paper tray chosen by a click.
class PopupDevPreview : public ModelSheetsPreview {
public:
    PopupDevPreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind, const ModelPictureRow* row);
    BOOL HasPushButton() override { return FALSE; }
};

class ModelDevicePreview : public DevicePreview {
public:
    ModelDevicePreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind, const ModelPictureRow* row);
    BOOL BuildLayerList() override;

private:
    const ModelPictureRow* row_;
};
