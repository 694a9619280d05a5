// DIBs: every supported depth decodes to the same picture, bottom-up and top-down; the source
// rectangle of a bottom-up DIB counts from its bottom; GetDIBits and SetDIBits round-trip; DIB
// sections share memory with the caller; forged headers are refused.
#include "drvtest/canvas.h"

#include "platform/gdi/dib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using drvtest::Canvas;

namespace {

constexpr COLORREF kColors[4] = {RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 255)};

// A 4 by 2 DIB whose pixel (x, y) (from the top) has colour kColors[(x + y) % 4]; 1-bit DIBs use
// black and white only.
std::vector<BYTE> makeDib(int bpp, bool topDown, std::vector<BYTE>* bitsOut) {
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 4 * (bpp <= 8 ? (1 << bpp) : 0));
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = 4;
    h.biHeight = topDown ? -2 : 2;
    h.biPlanes = 1;
    h.biBitCount = WORD(bpp);
    std::memcpy(info.data(), &h, sizeof h);
    auto* table = reinterpret_cast<RGBQUAD*>(info.data() + sizeof h);
    if (bpp == 1) {
        table[0] = {0, 0, 0, 0};
        table[1] = {255, 255, 255, 0};
    } else if (bpp <= 8) {
        for (int i = 0; i < 4; ++i) table[i] = {GetBValue(kColors[i]), GetGValue(kColors[i]), GetRValue(kColors[i]), 0};
    }
    std::size_t stride = (4 * std::size_t(bpp) + 31) / 32 * 4;
    bitsOut->assign(stride * 2, 0);
    for (int y = 0; y < 2; ++y) {
        BYTE* line = bitsOut->data() + stride * std::size_t(topDown ? y : 1 - y);
        for (int x = 0; x < 4; ++x) {
            int i = (x + y) % 4;
            if (bpp == 1) i = (i == 3) ? 1 : 0;
            COLORREF c = bpp == 1 ? (i ? kColors[3] : kColors[0]) : kColors[i];
            switch (bpp) {
            case 1: line[0] |= BYTE(i << (7 - x)); break;
            case 4: line[x / 2] |= BYTE(i << (x % 2 ? 0 : 4)); break;
            case 8: line[x] = BYTE(i); break;
            case 16: {
                WORD v = WORD((GetRValue(c) >> 3) << 10 | (GetGValue(c) >> 3) << 5 | (GetBValue(c) >> 3));
                std::memcpy(line + 2 * x, &v, 2);
                break;
            }
            default:
                line[x * (bpp / 8)] = GetBValue(c);
                line[x * (bpp / 8) + 1] = GetGValue(c);
                line[x * (bpp / 8) + 2] = GetRValue(c);
            }
        }
    }
    return info;
}

COLORREF expected(int bpp, int x, int y) {
    int i = (x + y) % 4;
    return bpp == 1 ? (i == 3 ? kColors[3] : kColors[0]) : kColors[i];
}

}  // namespace

TEST(GdiDib, EveryDepthAndOrientationDecodesAlikeAndBottomUpSourcesCountFromTheBottom) {
    for (int bpp : {1, 4, 8, 16, 24, 32})
        for (bool topDown : {false, true}) {
            std::vector<BYTE> bits;
            std::vector<BYTE> info = makeDib(bpp, topDown, &bits);
            Canvas c(4, 2, RGB(1, 2, 3));
            auto* bmi = reinterpret_cast<BITMAPINFO*>(info.data());
            EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 4, 2, 0, 0, 4, 2, bits.data(), bmi, DIB_RGB_COLORS, SRCCOPY), 2);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 4; ++x)
                    EXPECT_EQ(c.at(x, y), expected(bpp, x, y)) << bpp << (topDown ? " top-down " : " bottom-up ") << x << "," << y;
            Canvas d(4, 2, RGB(1, 2, 3));
            EXPECT_EQ(SetDIBitsToDevice(d.dc, 0, 0, 4, 2, 0, 0, 0, 2, bits.data(), bmi, DIB_RGB_COLORS), 2);
            EXPECT_EQ(d.at(3, 1), c.at(3, 1)) << bpp;
            EXPECT_EQ(d.at(0, 0), c.at(0, 0)) << bpp;
        }

    std::vector<BYTE> bits;
    std::vector<BYTE> info = makeDib(24, false, &bits);
    Canvas c(1, 1);
    // Row 0 from the bottom is the picture's lower row (y = 1): pixel (0, 1) is kColors[1].
    StretchDIBits(c.dc, 0, 0, 1, 1, 0, 0, 1, 1, bits.data(), reinterpret_cast<BITMAPINFO*>(info.data()),
                  DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(c.at(0, 0), kColors[1]);
}

TEST(GdiDib, GetAndSetDibitsRoundTrip) {
    std::vector<BYTE> bits;
    std::vector<BYTE> info = makeDib(32, false, &bits);
    Canvas c(4, 2);
    HBITMAP hbm = CreateBitmap(4, 2, 1, 32, nullptr);
    EXPECT_EQ(SetDIBits(c.dc, hbm, 0, 2, bits.data(), reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS), 2);
    std::vector<BYTE> back(bits.size());
    BITMAPINFO out{};
    out.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    ASSERT_EQ(GetDIBits(c.dc, hbm, 0, 0, nullptr, &out, DIB_RGB_COLORS), 1);  // format only
    EXPECT_EQ(out.bmiHeader.biWidth, 4);
    EXPECT_EQ(out.bmiHeader.biBitCount, 32);
    EXPECT_EQ(GetDIBits(c.dc, hbm, 0, 2, back.data(), &out, DIB_RGB_COLORS), 2);
    EXPECT_EQ(back, bits);
    DeleteObject(hbm);
}

TEST(GdiDib, DibSectionSharesItsMemory) {
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, 2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP hbm = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(hbm, nullptr);
    ASSERT_NE(bits, nullptr);
    static_cast<std::uint32_t*>(bits)[0] = 0x00FF0000;  // bottom-up: first word is the lower left pixel
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, hbm);
    EXPECT_EQ(GetPixel(dc, 0, 1), RGB(255, 0, 0));
    SetPixel(dc, 2, 0, RGB(0, 0, 255));
    EXPECT_EQ(static_cast<std::uint32_t*>(bits)[5], 0x000000FFu);
    DIBSECTION ds;
    EXPECT_EQ(GetObjectA(hbm, sizeof ds, &ds), int(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(hbm);
    bmi.bmiHeader.biBitCount = 24;
    EXPECT_EQ(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
}

TEST(GdiDib, ForgedHeadersAreRefused) {
    std::vector<BYTE> bits;
    std::vector<BYTE> info = makeDib(8, false, &bits);
    std::vector<BYTE> packed = info;
    packed.insert(packed.end(), bits.begin(), bits.end());
    HBITMAP ok = gdi::CreateBitmapFromPackedDib(packed.data(), packed.size());
    EXPECT_NE(ok, nullptr);
    DeleteObject(ok);
    struct Case { std::size_t offset; std::uint32_t value; const char* what; };
    for (auto k : {Case{0, 12, "short header"}, Case{4, 0, "no width"}, Case{4, 0x7FFFFFFF, "huge width"},
                   Case{14, 7, "odd depth"}, Case{16, BI_RLE8, "compressed"}, Case{32, 300, "too many colours"}}) {
        std::vector<BYTE> bad = packed;
        if (k.offset == 14) bad[14] = BYTE(k.value);
        else std::memcpy(bad.data() + k.offset, &k.value, 4);
        EXPECT_EQ(gdi::CreateBitmapFromPackedDib(bad.data(), bad.size()), nullptr) << k.what;
    }
    EXPECT_EQ(gdi::CreateBitmapFromPackedDib(packed.data(), packed.size() - 1), nullptr) << "truncated bits";
    EXPECT_EQ(gdi::CreateBitmapFromPackedDib(packed.data(), 20), nullptr) << "truncated header";
}
