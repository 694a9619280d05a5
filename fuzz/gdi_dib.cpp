// Packed DIBs as bitmap resources store them: any bytes must give a bitmap or a refusal, never
// a read past the end. A decoded bitmap is also drawn, stretched, into a small DC.
#include <windows.h>

#include "platform/gdi/dib.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    HBITMAP hbm = gdi::CreateBitmapFromPackedDib(data, size);
    if (!hbm) return 0;
    HDC src = CreateCompatibleDC(nullptr);
    HDC dst = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateBitmap(16, 16, 1, 32, nullptr);
    HGDIOBJ oldSrc = SelectObject(src, hbm);
    HGDIOBJ oldDst = SelectObject(dst, target);
    BITMAP bm;
    GetObjectA(hbm, sizeof bm, &bm);
    StretchBlt(dst, 0, 0, 16, 16, src, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    SelectObject(src, oldSrc);
    SelectObject(dst, oldDst);
    DeleteDC(src);
    DeleteDC(dst);
    DeleteObject(target);
    DeleteObject(hbm);
    return 0;
}
