// The PNG writer writes what the surface holds: the file is decoded here by libpng's reader and
// compared pixel for pixel, and a picture that cannot be written fails the test.
// Also: GDI objects are counted, so leaks show, and device contexts die only by their own call.
#include "drvtest/canvas.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <vector>

using drvtest::Canvas;

namespace {

// Decodes a PNG file with libpng's own reader into rows of 8-bit RGB; empty when it does not read.
std::vector<unsigned char> decodeRgb(const std::string& path, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
    width = int(image.width);
    height = int(image.height);
    return pixels;
}

void saveIntoMissingFolder() {
    Canvas c(3, 3);
    c.save("no-such-folder/picture");
}

}  // namespace

TEST(GdiPng, SavedPictureDecodesToTheSamePixelsAndOneNotWrittenFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(saveIntoMissingFolder(), "the picture was not written");
    EXPECT_FALSE(drvtest::SavePng(HBITMAP(nullptr), std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/none.png"));

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
            const unsigned char* p = &raw[std::size_t(y) * 21 + 3 * std::size_t(x)];
            EXPECT_EQ(RGB(p[0], p[1], p[2]), c.at(x, y)) << x << "," << y;
        }
}

TEST(GdiObjects, ObjectsAreCountedAndDieOnlyByTheirOwnCall) {
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

    // A memory or created DC is the caller's to delete: ReleaseDC answers 0 and leaves it.
    HDC memory = CreateCompatibleDC(nullptr);
    HDC created = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    EXPECT_EQ(ReleaseDC(nullptr, memory), 0);
    EXPECT_EQ(GetObjectType(memory), DWORD(OBJ_MEMDC));
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_EQ(ReleaseDC(nullptr, nullptr), 0);
    HDC desktop = GetDC(nullptr);
    EXPECT_EQ(ReleaseDC(nullptr, desktop), 1);
    EXPECT_EQ(GetObjectType(desktop), 0u);
    EXPECT_EQ(ReleaseDC(nullptr, created), 0);
    EXPECT_TRUE(DeleteDC(created));
}
