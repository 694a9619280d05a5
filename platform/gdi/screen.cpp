// The screen: one shared surface of 1024 by 768 pixels, of 32 bits per pixel unless a test asked
// for an 8-bit palette display, so that the palette paths of the previews can be exercised.
#include "platform/gdi/dc.h"

#include <mutex>

namespace gdi {
namespace {

struct Screen {
    std::mutex lock;
    int bpp = 32;
    std::shared_ptr<Surface> surface;
};

Screen& screen() {
    static Screen* s = new Screen;
    return *s;
}

}  // namespace

int ScreenBpp() {
    Screen& s = screen();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.bpp;
}

void SetScreenBpp(int bpp) {
    Screen& s = screen();
    std::lock_guard<std::mutex> guard(s.lock);
    int wanted = bpp == 8 ? 8 : 32;
    if (wanted != s.bpp) {
        s.bpp = wanted;
        s.surface.reset();  // DCs made before keep the old surface
    }
}

std::shared_ptr<Surface> ScreenSurface() {
    Screen& s = screen();
    std::lock_guard<std::mutex> guard(s.lock);
    if (!s.surface) s.surface = Surface::Create(1024, 768, s.bpp);
    return s.surface;
}

}  // namespace gdi
