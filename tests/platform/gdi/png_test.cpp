// The PNG helper writes what the surface holds: the file is decoded here (zlib inflate of the
// IDAT data) and compared pixel for pixel, and a picture that cannot be written fails the test.
// Also: GDI objects are counted, so leaks show, and device contexts die only by their own call.
#include "drvtest/canvas.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <vector>

using drvtest::Canvas;

namespace {

std::uint32_t be32(const unsigned char* p) { return std::uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

// Decodes the 8-bit RGB, filter-0 PNG files the helper writes; empty on anything else.
std::vector<unsigned char> decodeRgb(const std::string& path, int& width, int& height) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return {};
    std::vector<unsigned char> file;
    for (int ch; (ch = std::fgetc(f)) != EOF;) file.push_back((unsigned char)ch);
    std::fclose(f);
    std::vector<unsigned char> packed;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        std::uint32_t length = be32(&file[at]);
        std::string type(file.begin() + long(at) + 4, file.begin() + long(at) + 8);
        const unsigned char* data = &file[at + 8];
        if (crc32(crc32(0, &file[at + 4], 4), data, length) != be32(data + length)) return {};
        if (type == "IHDR") {
            width = int(be32(data));
            height = int(be32(data + 4));
        }
        if (type == "IDAT") packed.insert(packed.end(), data, data + length);
        at += 12 + length;
    }
    std::vector<unsigned char> raw(std::size_t(height) * (1 + 3 * std::size_t(width)));
    uLongf size = uLongf(raw.size());
    if (uncompress(raw.data(), &size, packed.data(), uLong(packed.size())) != Z_OK || size != raw.size()) return {};
    return raw;
}

void saveIntoMissingFolder() {
    Canvas c(3, 3);
    c.save("no-such-folder/picture");
}

}  // namespace

TEST(GdiPng, APictureThatCannotBeWrittenFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(saveIntoMissingFolder(), "the picture was not written");
    EXPECT_FALSE(drvtest::SavePng(HBITMAP(nullptr), std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/none.png"));
}

TEST(GdiPng, SavedPictureDecodesToTheSamePixels) {
    Canvas c(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) SetPixel(c.dc, x, y, RGB(x * 30, y * 50, 200 - x * y));
    std::string path = std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/round_trip.png";
    ASSERT_TRUE(drvtest::SavePng(c.bitmap, path));
    int w = 0, h = 0;
    std::vector<unsigned char> raw = decodeRgb(path, w, h);
    ASSERT_EQ(w, 7);
    ASSERT_EQ(h, 5);
    ASSERT_FALSE(raw.empty());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            const unsigned char* p = &raw[std::size_t(y) * (1 + 21) + 1 + 3 * std::size_t(x)];
            EXPECT_EQ(RGB(p[0], p[1], p[2]), c.at(x, y)) << x << "," << y;
        }
}

TEST(GdiObjects, LiveCountCatchesLeaksAndSelectedObjectsDieOnRelease) {
    std::size_t before = drvtest::LiveGdiObjects();
    {
        Canvas c(4, 4);
        HPEN pen = CreatePen(PS_SOLID, 1, 0);
        HGDIOBJ old = SelectObject(c.dc, pen);
        EXPECT_TRUE(DeleteObject(pen));  // deferred while selected
        EXPECT_EQ(GetObjectType(pen), DWORD(OBJ_PEN));
        SelectObject(c.dc, old);
        EXPECT_EQ(GetObjectType(pen), 0u);  // gone once released
        EXPECT_FALSE(DeleteObject(c.bitmap));  // a bitmap in use stays
        HBRUSH leaked = CreateSolidBrush(0);
        EXPECT_EQ(drvtest::LiveGdiObjects(), before + 3);  // DC, bitmap, brush
        DeleteObject(leaked);
    }
    EXPECT_EQ(drvtest::LiveGdiObjects(), before);
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));  // stock objects stay
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), DWORD(OBJ_BRUSH));
}

TEST(GdiObjects, CompatibleBitmapsFollowTheSelectedBitmap) {
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAP bm{};
    HBITMAP fromNewDc = CreateCompatibleBitmap(mem, 5, 3);  // still holds its 1x1 monochrome bitmap
    ASSERT_EQ(GetObjectA(fromNewDc, sizeof bm, &bm), int(sizeof bm));
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidthBytes, 2);
    HBITMAP fromScreen = CreateCompatibleBitmap(screen, 5, 3);
    GetObjectA(fromScreen, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmWidth, 5);
    HDC other = CreateCompatibleDC(screen);
    SelectObject(mem, fromScreen);
    EXPECT_EQ(SelectObject(other, fromScreen), nullptr);  // one DC at a time
    for (HDC dc : {mem, other, screen}) DeleteDC(dc);
    DeleteObject(fromNewDc);
    DeleteObject(fromScreen);
}

TEST(GdiObjects, ReleaseDCFreesOnlyTheContextsOfWindows) {
    // A memory or created DC is the caller's to delete: ReleaseDC answers 0 and leaves it.
    HDC memory = CreateCompatibleDC(nullptr);
    HDC created = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    EXPECT_EQ(ReleaseDC(nullptr, memory), 0);
    EXPECT_EQ(GetObjectType(memory), DWORD(OBJ_MEMDC));
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_EQ(ReleaseDC(nullptr, nullptr), 0);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    EXPECT_EQ(GetObjectType(screen), 0u);
    EXPECT_EQ(ReleaseDC(nullptr, created), 0);
    EXPECT_TRUE(DeleteDC(created));
}
