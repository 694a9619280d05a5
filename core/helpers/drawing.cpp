// The drawing helpers: each picture is selected into a memory device context compatible with
// the target and copied with the raster operation its kind of drawing needs.
#include "core/helpers/drawing.h"

#include "core/device/service_table.h"

namespace {

// A resource picture selected into a memory DC for the life of the object.
class Picture {
public:
    Picture(UIDEVDATA* ctx, HDC target, UINT id) {
        if (!ctx || !target) return;
        bitmap_ = ctx->svc->LoadBitmap(ctx, id);
        if (!bitmap_) return;
        BITMAP info = {};
        dc_ = CreateCompatibleDC(target);
        if (!dc_ || !GetObjectA(bitmap_, sizeof info, &info)) return;
        width_ = info.bmWidth;
        height_ = info.bmHeight;
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Picture() {
        if (dc_) {
            if (previous_) SelectObject(dc_, previous_);
            DeleteDC(dc_);
        }
        if (bitmap_) DeleteObject(bitmap_);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    bool Ready() const { return previous_ != nullptr; }
    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

BOOL Copy(HDC dc, int x, int y, int width, int height, const Picture& picture, DWORD rop) {
    if (width == picture.Width() && height == picture.Height())
        return BitBlt(dc, x, y, width, height, picture.Dc(), 0, 0, rop);
    return StretchBlt(dc, x, y, width, height, picture.Dc(), 0, 0, picture.Width(), picture.Height(), rop);
}

BOOL Masked(UIDEVDATA* ctx, HDC dc, int x, int y, int width, int height, UINT bitmapId, UINT maskId) {
    Picture picture(ctx, dc, bitmapId), mask(ctx, dc, maskId);
    if (!picture.Ready() || !mask.Ready()) return FALSE;
    if (width <= 0 || height <= 0) {
        width = picture.Width();
        height = picture.Height();
    }
    // A monochrome mask takes the target's text colour for its 0 bits and its background colour
    // for its 1 bits: black and white, whatever the caller's entry colours are, keep it a mask.
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF background = SetBkColor(dc, RGB(255, 255, 255));
    const BOOL done = Copy(dc, x, y, width, height, mask, SRCAND) && Copy(dc, x, y, width, height, picture, SRCPAINT);
    SetTextColor(dc, text);
    SetBkColor(dc, background);
    return done;
}

}  // namespace

BOOL DrawMaskedBitmap(UIDEVDATA* ctx, HDC dc, int x, int y, UINT bitmapId, UINT maskId, int backgroundIndex) {
    if (backgroundIndex) {
        Picture picture(ctx, dc, bitmapId);
        if (!picture.Ready()) return FALSE;
        RECT area = {x, y, x + picture.Width(), y + picture.Height()};
        HBRUSH brush = CreateSolidBrush(GetSysColor(backgroundIndex));
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    }
    return Masked(ctx, dc, x, y, 0, 0, bitmapId, maskId);
}

BOOL DrawMaskedBitmapAt(UIDEVDATA* ctx, HDC dc, int x, int y, UINT bitmapId, UINT maskId) {
    return DrawMaskedBitmap(ctx, dc, x, y, bitmapId, maskId, 0);
}

BOOL DrawBitmap(UIDEVDATA* ctx, HDC dc, int x, int y, UINT bitmapId) {
    Picture picture(ctx, dc, bitmapId);
    return picture.Ready() && Copy(dc, x, y, picture.Width(), picture.Height(), picture, SRCCOPY);
}

BOOL DrawTransparentBitmap(UIDEVDATA* ctx, HDC dc, int x, int y, UINT bitmapId, COLORREF key) {
    Picture picture(ctx, dc, bitmapId);
    if (!picture.Ready()) return FALSE;
    const int width = picture.Width(), height = picture.Height();
    BITMAP info = {};
    GetObjectA(GetCurrentObject(picture.Dc(), OBJ_BITMAP), sizeof info, &info);
    if (info.bmBitsPixel == 1) {
        // A monochrome picture has no key colour to leave out: its pixels are black and white.
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column) {
                const COLORREF pixel = GetPixel(picture.Dc(), column, row);
                if (pixel != CLR_INVALID && pixel != key) SetPixelV(dc, x + column, y + row, pixel);
            }
        return TRUE;
    }
    // The key's pixels become the 1 bits of a monochrome mask (a colour-to-monochrome copy sets
    // the pixels of the source's background colour), and there the mask keeps the target.
    HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
    HDC maskDc = mask ? CreateCompatibleDC(dc) : nullptr;
    BOOL done = FALSE;
    if (maskDc) {
        HGDIOBJ previous = SelectObject(maskDc, mask);
        const COLORREF background = SetBkColor(picture.Dc(), key);
        done = BitBlt(maskDc, 0, 0, width, height, picture.Dc(), 0, 0, SRCCOPY);
        SetBkColor(picture.Dc(), background);
        SelectObject(maskDc, previous);
        DeleteDC(maskDc);
        constexpr DWORD kKeepTarget = 0x00AA0029;
        done = done && MaskBlt(dc, x, y, width, height, picture.Dc(), 0, 0, mask, 0, 0, MAKEROP4(kKeepTarget, SRCCOPY));
    }
    if (mask) DeleteObject(mask);
    return done;
}

BOOL DrawDibResourceSized(UIDEVDATA* ctx, HDC dc, int x, int y, int width, int height, UINT bitmapId) {
    Picture picture(ctx, dc, bitmapId);
    return picture.Ready() && width > 0 && height > 0 && Copy(dc, x, y, width, height, picture, SRCCOPY);
}

BOOL DrawMaskedDibResource(UIDEVDATA* ctx, HDC dc, int x, int y, int width, int height, UINT bitmapId, UINT maskId) {
    return width > 0 && height > 0 && Masked(ctx, dc, x, y, width, height, bitmapId, maskId);
}
