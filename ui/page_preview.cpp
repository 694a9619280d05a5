// The registered maker of page pictures.
#include "ui/page_preview.h"

namespace {

PagePreviewMaker g_maker = nullptr;

}  // namespace

void RegisterPagePreviewMaker(PagePreviewMaker maker) { g_maker = maker; }

PagePreview* CreatePagePreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind) {
    if (!g_maker || !control || !ctx || !settings) return nullptr;
    try {
        return g_maker(control, ctx, settings, kind);
    } catch (...) {
        return nullptr;  // the pool refused: the page shows no picture
    }
}
