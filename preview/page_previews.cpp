// The preview factory. The main pages' and the device page's pictures follow the model's row of
// the picture table; the quality, layout-option and staple pictures serve every model; the pop-up
// device picture is that of the wide family (the colour Kelvaro has its own).
#include "preview/page_previews.h"

#include "core/device/service_table.h"
#include "preview/model_previews.h"

#include <string_view>

namespace {

constexpr uint16_t kPopupSecondModel = 2071;

uint16_t ModelNumber(UIDEVDATA* ctx) {
    return ctx && ctx->svc && ctx->svc->GetDeviceDataValue2 ? static_cast<uint16_t>(ctx->svc->GetDeviceDataValue2(ctx))
                                                             : 0;
}

const ModelPictureRow* RowNamed(const char* code) {
    int count = 0;
    const ModelPictureRow* rows = ModelPictureRows(&count);
    for (int i = 0; i < count; ++i)
        if (std::string_view(rows[i].code) == code) return &rows[i];
    return ModelPictureOf(0);
}

CmBasicPreview* Make(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind) {
    switch (kind) {
    case kPageSetupPicture:
    case kFinishingPicture:
    case kPaperSourcePicture: {
        auto* p = new ModelSheetsPreview(control, ctx, settings, kind, ModelPictureOf(ModelNumber(ctx)));
        if (p) p->SetDrawFlags(kModeStrip | kStateIconStrip | kCaptionLine);
        return p;
    }
    case kQualityPicture: return new QualityPreview(control, ctx, settings, kind);
    case kDevicePicture:
        return new ModelDevicePreview(control, ctx, settings, kind, ModelPictureOf(ModelNumber(ctx)));
    case kLayoutOptionPicture: return new LayoutOptionPreview(control, ctx, settings, kind);
    case kStaplePicture: return new StaplePreview(control, ctx, settings, kind);
    case kPopupDevicePicture:
        return new PopupDevPreview(control, ctx, settings, kind,
                                                  RowNamed(ModelNumber(ctx) == kPopupSecondModel ? "K26" : "K14"));
    default: return nullptr;
    }
}

}  // namespace

PagePreview* CreatePreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind) {
    if (kind == 0 || !control || !ctx) return nullptr;
    CmBasicPreview* preview = nullptr;
    try {
        preview = Make(control, ctx, settings, kind);
    } catch (...) {
        return nullptr;  // the pool refused: the page shows the plain control
    }
    if (preview) preview->Update();
    return preview;
}

void RegisterPagePreviews() { RegisterPagePreviewMaker(CreatePreview); }
