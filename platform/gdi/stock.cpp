// Stock objects of GetStockObject and the default bitmap of memory DCs. They are built on first
// use under a lock and registered as stock, so DeleteObject leaves them alone.
#include "platform/gdi/stock.h"

#include "platform/gdi/bitmap.h"
#include "platform/gdi/font.h"
#include "platform/gdi/palette.h"
#include "platform/gdi/tools.h"

#include <cstring>
#include <mutex>

namespace gdi {
namespace {

constexpr int kStockCount = DEFAULT_GUI_FONT + 1;

Object* makeBrush(UINT style, COLORREF c) {
    auto* b = new Brush;
    b->style = style;
    b->color = c;
    return b;
}

Object* makePen(int style, COLORREF c) {
    auto* p = new Pen;
    p->style = UINT(style);
    p->color = c;
    return p;
}

Object* makeFont(const char* face, int height, int pitch) {
    auto* f = new Font;
    f->logical.lfHeight = height;
    f->logical.lfWeight = FW_NORMAL;
    f->logical.lfPitchAndFamily = BYTE(pitch);
    std::strncpy(f->logical.lfFaceName, face, LF_FACESIZE - 1);
    return f;
}

Object* build(int index) {
    switch (index) {
    case WHITE_BRUSH: return makeBrush(BS_SOLID, RGB(255, 255, 255));
    case LTGRAY_BRUSH: return makeBrush(BS_SOLID, RGB(192, 192, 192));
    case GRAY_BRUSH: return makeBrush(BS_SOLID, RGB(128, 128, 128));
    case DKGRAY_BRUSH: return makeBrush(BS_SOLID, RGB(64, 64, 64));
    case BLACK_BRUSH: return makeBrush(BS_SOLID, RGB(0, 0, 0));
    case NULL_BRUSH: return makeBrush(BS_NULL, 0);
    case WHITE_PEN: return makePen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN: return makePen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN: return makePen(PS_NULL, 0);
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT: return makeFont("Monospace", 13, FIXED_PITCH | FF_MODERN);
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT: return makeFont("System", 16, VARIABLE_PITCH | FF_SWISS);
    case DEFAULT_GUI_FONT: return makeFont("Sans Serif", -11, VARIABLE_PITCH | FF_SWISS);
    case DEFAULT_PALETTE: {
        auto* p = new Palette;
        p->entries = StaticColors();
        return p;
    }
    default: return nullptr;
    }
}

struct Stock {
    std::mutex lock;
    Object* objects[kStockCount] = {};
    HBITMAP bitmap = nullptr;
};

Stock& stock() {
    static Stock* s = new Stock;
    return *s;
}

}  // namespace

Object* StockObject(int index) {
    if (index < 0 || index >= kStockCount) return nullptr;
    Stock& s = stock();
    std::lock_guard<std::mutex> guard(s.lock);
    if (!s.objects[index]) {
        std::unique_ptr<Object> o(build(index));
        if (!o) return nullptr;
        o->stock = true;
        s.objects[index] = static_cast<Object*>(Register(std::move(o)));
    }
    return s.objects[index];
}

HBITMAP StockBitmap() {
    Stock& s = stock();
    std::lock_guard<std::mutex> guard(s.lock);
    if (!s.bitmap) {
        auto b = std::make_unique<Bitmap>();
        b->surface = Surface::Create(1, 1, 1);
        b->stock = true;
        if (!b->surface) return nullptr;
        s.bitmap = static_cast<HBITMAP>(Register(std::move(b)));
    }
    return s.bitmap;
}

}  // namespace gdi

extern "C" HGDIOBJ WINAPI GetStockObject(int i) { return gdi::StockObject(i); }
