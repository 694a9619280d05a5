// ImageList_LoadImageA: an image list cut from a bitmap strip of a module's resources, its mask
// made from a colour, as the driver's pages load their icon strips.
#include <commctrl.h>

extern "C" HIMAGELIST WINAPI ImageList_LoadImageA(HINSTANCE module, LPCSTR name, int cx, int grow, COLORREF mask,
                                                  UINT type, UINT flags) {
    if (type != IMAGE_BITMAP) {
        SetLastError(ERROR_NOT_SUPPORTED);  // icon strips are not offered by this platform
        return nullptr;
    }
    auto bitmap = static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, flags));
    BITMAP info{};
    if (!bitmap || GetObjectA(bitmap, sizeof info, &info) != sizeof info) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    if (cx <= 0) cx = info.bmHeight;  // square images when no width is given
    UINT kind = ILC_COLOR | (mask != CLR_NONE ? ILC_MASK : 0);
    HIMAGELIST list = ImageList_Create(cx, info.bmHeight, kind, cx > 0 ? info.bmWidth / cx : 0, grow);
    int first = -1;
    if (list) first = mask != CLR_NONE ? ImageList_AddMasked(list, bitmap, mask) : ImageList_Add(list, bitmap, nullptr);
    DeleteObject(bitmap);
    if (first < 0 && list) {
        ImageList_Destroy(list);
        return nullptr;
    }
    return list;
}
