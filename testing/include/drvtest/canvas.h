// Test-only: a memory DC over a fresh bitmap (32 bits by default) for the tests that draw, with
// pixel reads and a PNG dump into the test output folder that fails the test when the file cannot
// be written.
#pragma once

#include <windows.h>

#include "drvtest/gdi.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace drvtest {

struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    int width = 0, height = 0;

    Canvas(int w, int h, COLORREF colour = RGB(255, 255, 255), int bpp = 32) : width(w), height(h) {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateBitmap(width, height, 1, UINT(bpp), nullptr);
        old = SelectObject(dc, bitmap);
        fill(colour);
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void fill(COLORREF colour) {
        RECT all{0, 0, width, height};
        HBRUSH b = CreateSolidBrush(colour);
        FillRect(dc, &all, b);
        DeleteObject(b);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
    // Pixels within the rectangle that are not `colour`, and the colours found there.
    int countOther(int x, int y, int cx, int cy, COLORREF colour) const {
        int n = 0;
        for (int row = y; row < y + cy; ++row)
            for (int column = x; column < x + cx; ++column) n += at(column, row) != colour;
        return n;
    }
    std::set<COLORREF> colours(int x, int y, int cx, int cy) const {
        std::set<COLORREF> seen;
        for (int row = y; row < y + cy; ++row)
            for (int column = x; column < x + cx; ++column) seen.insert(at(column, row));
        return seen;
    }
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

    // Bounding box of the pixels in the area (the whole canvas unless given) that are not the
    // background; empty when none are.
    RECT inkBox() const { return inkBox(RECT{0, 0, width, height}); }
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

}  // namespace drvtest
