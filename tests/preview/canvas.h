// A white 32-bit picture the preview tests draw into, read back pixel by pixel and save as PNG.
#pragma once

#include "drvtest/gdi.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

class Canvas {
public:
    Canvas(int width, int height)
        : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateBitmap(width, height, 1, 32, nullptr)) {
        previous_ = SelectObject(dc_, bitmap_);
        Fill(RGB(255, 255, 255));
        width_ = width;
        height_ = height;
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    void Fill(COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all = {0, 0, 4096, 4096};
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    // Pixels within the rectangle that are not `colour`.
    int CountOther(int x, int y, int cx, int cy, COLORREF colour) const {
        int n = 0;
        for (int row = y; row < y + cy; ++row)
            for (int column = x; column < x + cx; ++column) n += At(column, row) != colour;
        return n;
    }
    void Save(const std::string& name) const {
        ASSERT_TRUE(drvtest::SavePng(dc_, std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/" + name + ".png")) << name;
    }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    int width_ = 0;
    int height_ = 0;
};
