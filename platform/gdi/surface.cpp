// Allocation of pixel surfaces, with a size limit so that a forged header cannot ask for more
// memory than any picture of this library needs.
#include "platform/gdi/surface.h"

#include <new>

namespace gdi {

std::shared_ptr<Surface> Surface::Create(int width, int height, int bpp) {
    constexpr long long kMaxPixels = 1LL << 26;  // 64 Mpixel, 256 MB
    if (width <= 0 || height <= 0 || (long long)width * height > kMaxPixels) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    try {
        auto s = std::make_shared<Surface>();
        s->width = width;
        s->height = height;
        s->bpp = bpp;
        s->storage.assign(std::size_t(width) * height, 0);
        s->bits = s->storage.data();
        s->stride = width;
        return s;
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

}  // namespace gdi
