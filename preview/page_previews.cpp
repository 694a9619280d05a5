// The pages' pictures: the page picture with the strips and the clickable parts that suit each
// page (the sheet's layout on the page-setup page, the binding edges on the finishing page, the
// colour mode's state icon on the quality page).
#include "preview/page_previews.h"

#include "preview/basic_preview.h"

namespace {

constexpr int kPartsNone = 0, kPartsSheet = 1, kPartsBinding = 3;

}  // namespace

PagePreview* MakePagePreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind) {
    uint16_t flags = 0;
    int parts = kPartsNone;
    switch (kind) {
    case kPageSetupPicture:
        flags = kStateIconStrip | kCaptionLine;
        parts = kPartsSheet;
        break;
    case kFinishingPicture:
        flags = kStateIconStrip | kCaptionLine;
        parts = kPartsBinding;
        break;
    case kQualityPicture:
        flags = kStateIconStrip | kCaptionLine;
        break;
    default: return nullptr;
    }
    auto* preview = new CmBasicPreview(control, ctx, settings, kind);
    preview->SetDrawFlags(flags);
    preview->SetSubMode(parts);  // lays the parts out, fits the control and paints
    return preview;
}

void RegisterPagePreviews() { RegisterPagePreviewMaker(MakePagePreview); }
