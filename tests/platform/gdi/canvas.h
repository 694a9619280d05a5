// A memory DC over a fresh 32-bit bitmap for the GDI tests, with pixel reads and a PNG dump into
// the test output folder that fails the test when the file cannot be written.
#pragma once

#include <windows.h>

#include "drvtest/gdi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;

    Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255), int bpp = 32) {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateBitmap(width, height, 1, UINT(bpp), nullptr);
        old = SelectObject(dc, bitmap);
        RECT all{0, 0, width, height};
        HBRUSH b = CreateSolidBrush(fill);
        FillRect(dc, &all, b);
        DeleteObject(b);
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
    // Every pixel, row by row from the top, read in one call.
    std::vector<COLORREF> pixels() const {
        BITMAP info{};
        GetObjectA(bitmap, sizeof info, &info);
        BITMAPINFO header{};
        header.bmiHeader = {sizeof(BITMAPINFOHEADER), info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<COLORREF> out(std::size_t(info.bmWidth) * std::size_t(info.bmHeight));
        GetDIBits(dc, bitmap, 0, UINT(info.bmHeight), out.data(), &header, DIB_RGB_COLORS);
        for (COLORREF& p : out) p = RGB(GetBValue(p), GetGValue(p), GetRValue(p));  // DIB order is blue first
        return out;
    }
    // A picture that cannot be written fails the test: one that drew nothing must not pass unseen.
    void save(const std::string& name) const {
        std::string path = std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/" + name + ".png";
        if (!drvtest::SavePng(dc, path)) ADD_FAILURE() << "the picture was not written: " << path;
    }

    // Bounding box of the pixels in the area that are not the background; empty when none are.
    RECT inkBox(const RECT& area, COLORREF background = RGB(255, 255, 255)) const {
        RECT r{area.right, area.bottom, area.left, area.top};
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (at(x, y) != background) {
                    r.left = x < r.left ? x : r.left;
                    r.top = y < r.top ? y : r.top;
                    r.right = x + 1 > r.right ? x + 1 : r.right;
                    r.bottom = y + 1 > r.bottom ? y + 1 : r.bottom;
                }
        return r;
    }

    // The row as a string of one letter per pixel from the legend (colour -> letter), '?' else.
    std::string row(int y, int x0, int x1, COLORREF on, char onLetter = '#', char offLetter = '.') const {
        std::string s;
        for (int x = x0; x < x1; ++x) s += at(x, y) == on ? onLetter : offLetter;
        return s;
    }
};
