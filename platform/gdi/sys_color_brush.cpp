// Brushes of the system colours: one per colour index, owned by the system like the stock
// objects (deleting one does nothing) and kept to the colour GetSysColor answers now. FillRect
// also takes a colour index plus one in place of a brush, as window classes do.
#include "platform/gdi/stock.h"
#include "platform/gdi/tools.h"

#include <mutex>

namespace gdi {

constexpr int kSysColors = 31;

HBRUSH SysColorBrush(int index) {
    static std::mutex lock;
    static Brush* brushes[kSysColors] = {};
    if (index < 0 || index >= kSysColors) return nullptr;
    std::lock_guard<std::mutex> guard(lock);
    COLORREF color = GetSysColor(index);
    if (!brushes[index]) {
        auto b = std::unique_ptr<Brush>(new (std::nothrow) Brush);
        if (!b) return nullptr;
        b->stock = true;
        b->color = color;
        brushes[index] = static_cast<Brush*>(Register(std::move(b)));
    }
    brushes[index]->color = color;
    return static_cast<HBRUSH>(static_cast<void*>(static_cast<Object*>(brushes[index])));
}

}  // namespace gdi

extern "C" HBRUSH WINAPI GetSysColorBrush(int nIndex) { return gdi::SysColorBrush(nIndex); }
