// Bitmaps, icons and cursors of a resource module: the picture and the transparency come through,
// a group gives the image nearest the system size, and forged bitmap headers are refused.
#include <windows.h>

#include "data/resources/drvopui_ids.h"
#include "platform/resources/dib.h"
#include "platform/resources/res_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

const char* kResFile = DRVOPUI_BINARY_DIR "/tests/platform/resources/test_resources.res";

class Images : public ::testing::Test {
protected:
    void SetUp() override {
        module = res::OpenResourceFile(kResFile);
        ASSERT_NE(module, nullptr);
        screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        dc = CreateCompatibleDC(screen);
    }
    void TearDown() override {
        DeleteDC(dc);
        DeleteDC(screen);
        res::CloseResourceFile(module);
    }
    HMODULE module = nullptr;
    HDC screen = nullptr, dc = nullptr;
};

TEST_F(Images, BitmapKeepsItsPixelsFromResourceAndFile) {
    for (HBITMAP bitmap : {LoadBitmapA(module, MAKEINTRESOURCEA(22)),
                           static_cast<HBITMAP>(LoadImageA(nullptr, DRVOPUI_SOURCE_DIR "/tests/platform/resources/images/stripes.bmp",
                                                           IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE))}) {
        ASSERT_NE(bitmap, nullptr);
        BITMAP info{};
        GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, 5);
        EXPECT_EQ(info.bmHeight, 3);
        HGDIOBJ old = SelectObject(dc, bitmap);
        EXPECT_EQ(GetPixel(dc, 0, 2), RGB(0, 0, 0));  // rows are stored bottom-up
        EXPECT_EQ(GetPixel(dc, 1, 2), RGB(255, 0, 0));
        EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 255, 0));
        SelectObject(dc, old);
        DeleteObject(bitmap);
    }
    EXPECT_EQ(LoadBitmapA(module, MAKEINTRESOURCEA(23)), nullptr);
}

TEST_F(Images, IconsDrawTransparentAndAreShared) {
    HICON icon = LoadIconA(module, MAKEINTRESOURCEA(20));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(module, MAKEINTRESOURCEA(20)), icon);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 40, 40);
    HGDIOBJ old = SelectObject(dc, canvas);
    RECT all{0, 0, 40, 40};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_TRUE(DrawIcon(dc, 0, 0, icon));
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(255, 255, 255));   // outside the square: transparent
    EXPECT_EQ(GetPixel(dc, 16, 16), RGB(255, 0, 0));     // the 32-pixel image was chosen
    EXPECT_EQ(GetPixel(dc, 26, 26), RGB(255, 255, 255));
    SelectObject(dc, old);
    DeleteObject(canvas);
    EXPECT_TRUE(DestroyIcon(icon));  // shared: still there
    EXPECT_TRUE(DrawIcon(dc, 0, 0, icon));
    EXPECT_NE(LoadCursorA(module, MAKEINTRESOURCEA(21)), nullptr);
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    EXPECT_NE(LoadIconA(nullptr, IDI_ASTERISK), nullptr);
    EXPECT_FALSE(DestroyIcon(reinterpret_cast<HICON>(&all)));
}

// A 1-bit black-and-white resource is a monochrome bitmap, as on the original, so a blit onto
// colour takes the target's text colour for its 0 bits and its background colour for its 1 bits;
// a 1-bit picture of other colours keeps them. The module's masks are such pictures.
TEST_F(Images, OneBitPicturesLoadMonochromeAndBlitInTheTargetsColours) {
    HMODULE bundled = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/data/resources/drvopui.res");
    ASSERT_NE(bundled, nullptr);
    for (int id : {IDB_LOCK_OPEN_MASK, IDB_LOCK_OPEN_MASK + 2, IDB_ADD_PROFILE_MASK}) {
        HBITMAP mask = LoadBitmapA(bundled, MAKEINTRESOURCEA(id));
        ASSERT_NE(mask, nullptr) << id;
        BITMAP info{};
        GetObjectA(mask, sizeof info, &info);
        EXPECT_EQ(info.bmBitsPixel, 1) << id;
        DeleteObject(mask);
    }
    HBITMAP colour = LoadBitmapA(bundled, MAKEINTRESOURCEA(IDB_LOCK_OPEN));
    BITMAP info{};
    GetObjectA(colour, sizeof info, &info);
    EXPECT_GT(info.bmBitsPixel, 1);
    DeleteObject(colour);

    // The add-profile mask: white (1) at its corner, black (0) at its middle.
    HBITMAP mask = LoadBitmapA(bundled, MAKEINTRESOURCEA(IDB_ADD_PROFILE_MASK));
    HDC source = CreateCompatibleDC(screen);
    HGDIOBJ oldSource = SelectObject(source, mask);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(dc, canvas);
    SetTextColor(dc, RGB(200, 0, 0));
    SetBkColor(dc, RGB(0, 0, 200));
    EXPECT_TRUE(BitBlt(dc, 0, 0, 16, 16, source, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 200));
    EXPECT_EQ(GetPixel(dc, 8, 8), RGB(200, 0, 0));
    SelectObject(dc, old);
    SelectObject(source, oldSource);
    DeleteObject(canvas);
    DeleteDC(source);
    DeleteObject(mask);
    res::CloseResourceFile(bundled);

    // Red and blue in one bit: a colour picture.
    const std::string path = ::testing::TempDir() + "two_colours.bmp";
    {
        BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), 2, 1, 1, 1, BI_RGB, 4, 0, 0, 2, 0};
        const uint8_t table[8] = {0, 0, 255, 0, 255, 0, 0, 0};
        const uint8_t row[4] = {0x40, 0, 0, 0};  // red, then blue
        const uint32_t offset = 14 + sizeof header + sizeof table, total = offset + sizeof row;
        std::ofstream out(path, std::ios::binary);
        out.write("BM", 2);
        out.write(reinterpret_cast<const char*>(&total), 4);
        out.write("\0\0\0\0", 4);
        out.write(reinterpret_cast<const char*>(&offset), 4);
        out.write(reinterpret_cast<const char*>(&header), sizeof header);
        out.write(reinterpret_cast<const char*>(table), sizeof table);
        out.write(reinterpret_cast<const char*>(row), sizeof row);
    }
    HBITMAP twoColours = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(twoColours, nullptr);
    GetObjectA(twoColours, sizeof info, &info);
    EXPECT_GT(info.bmBitsPixel, 1);
    old = SelectObject(dc, twoColours);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 0, 255));
    SelectObject(dc, old);
    DeleteObject(twoColours);
}

TEST(Dib, RefusesForgedHeaders) {
    BITMAPINFOHEADER good{sizeof(BITMAPINFOHEADER), 4, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    struct Case {
        const char* what;
        void (*forge)(BITMAPINFOHEADER&);
    };
    std::vector<uint8_t> bytes(sizeof good + 2 * 12);
    std::memcpy(bytes.data(), &good, sizeof good);
    res::DibView view;
    EXPECT_TRUE(res::ReadDib(bytes.data(), bytes.size(), false, view));
    EXPECT_FALSE(res::ReadDib(bytes.data(), bytes.size() - 1, false, view));  // one byte of pixels short
    for (auto c : {Case{"depth", [](BITMAPINFOHEADER& h) { h.biBitCount = 7; }},
                   Case{"width", [](BITMAPINFOHEADER& h) { h.biWidth = -4; }},
                   Case{"huge", [](BITMAPINFOHEADER& h) { h.biHeight = 0x7FFFFFFF; }},
                   Case{"palette", [](BITMAPINFOHEADER& h) { h.biBitCount = 8, h.biClrUsed = 1000; }},
                   Case{"compression", [](BITMAPINFOHEADER& h) { h.biCompression = 1; }},
                   Case{"header", [](BITMAPINFOHEADER& h) { h.biSize = 12; }}}) {
        BITMAPINFOHEADER forged = good;
        c.forge(forged);
        std::memcpy(bytes.data(), &forged, sizeof forged);
        EXPECT_FALSE(res::ReadDib(bytes.data(), bytes.size(), false, view)) << c.what;
    }
}

}  // namespace
