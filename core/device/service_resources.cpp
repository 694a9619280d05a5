// The service table's resource operations: texts, pictures and raw resources of the printer's
// resource module (see CoreResourceModule). Without the module every operation answers its
// failure, and a text comes back empty.
#include "core/device/core_context.h"
#include "core/device/service_ops.h"

namespace service {

namespace {

HMODULE Module(UIDEVDATA* ctx) {
    CoreContext* context = Context(ctx);
    return context ? CoreResourceModule(*context) : nullptr;
}

// A menu, picture or cursor of the module by number; null without the module.
template <typename Handle>
Handle FromModule(UIDEVDATA* ctx, UINT id, Handle(WINAPI* load)(HINSTANCE, LPCSTR)) {
    HMODULE module = Module(ctx);
    return module ? load(module, MAKEINTRESOURCEA(id)) : nullptr;
}

}  // namespace

int LoadString(UIDEVDATA* ctx, UINT id, LPSTR buffer, int size) {
    if (!buffer || size <= 0) return 0;
    *buffer = 0;
    HMODULE module = Module(ctx);
    if (!module) return 0;
    const int length = LoadStringA(module, id, buffer, size);
    if (length <= 0) *buffer = 0;
    return length > 0 ? length : 0;
}

HMENU LoadMenu(UIDEVDATA* ctx, UINT id) { return FromModule(ctx, id, LoadMenuA); }
HBITMAP LoadBitmap(UIDEVDATA* ctx, UINT id) { return FromModule(ctx, id, LoadBitmapA); }
HICON LoadIcon(UIDEVDATA* ctx, UINT id) { return FromModule(ctx, id, LoadIconA); }
HCURSOR LoadCursor(UIDEVDATA* ctx, UINT id) { return FromModule(ctx, id, LoadCursorA); }

const void* FindResource(UIDEVDATA* ctx, UINT id, UINT type, DWORD* size) {
    if (size) *size = 0;
    HMODULE module = Module(ctx);
    HRSRC found = module ? FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type)) : nullptr;
    const void* bytes = found ? LockResource(LoadResource(module, found)) : nullptr;
    if (bytes && size) *size = SizeofResource(module, found);
    return bytes;
}

HIMAGELIST LoadImageList(UIDEVDATA* ctx, UINT bitmapId, int imageWidth, int grow, COLORREF mask) {
    HMODULE module = Module(ctx);
    return module ? ImageList_LoadImageA(module, MAKEINTRESOURCEA(bitmapId), imageWidth, grow, mask, IMAGE_BITMAP, 0)
                  : nullptr;
}

}  // namespace service
