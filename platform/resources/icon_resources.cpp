// LoadIconA, LoadCursorA, DestroyIcon and DestroyCursor: icon and cursor groups of a module
// (the image nearest the system size is chosen from the group), or the system's own when the
// module is null. Module icons are shared, as on the original: loaded once, never destroyed.
#include "platform/resources/byte_reader.h"
#include "platform/resources/dib.h"
#include "platform/resources/icon.h"
#include "platform/resources/res_file.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <utility>

namespace res {
namespace {

std::mutex g_lock;
std::set<Icon*>& live() {
    static auto* s = new std::set<Icon*>;
    return *s;
}
// Shared icons by resource entry; each keeps its module's table alive, so that an entry's address
// can never be reused by another module's resources while the icon is cached.
struct SharedIcon {
    HICON icon;
    std::shared_ptr<const ResourceTable> table;
};
std::map<std::pair<const void*, bool>, SharedIcon>& sharedIcons() {
    static auto* m = new std::map<std::pair<const void*, bool>, SharedIcon>;
    return *m;
}

// The id of the group entry nearest the wanted size (the largest not above it, else the smallest).
bool pickFromGroup(const uint8_t* data, size_t size, bool cursor, int wanted, uint16_t& id) {
    ByteReader r(data, size);
    uint16_t reserved, type, count;
    if (!r.u16(reserved) || !r.u16(type) || !r.u16(count) || type != (cursor ? 2 : 1) || count == 0) return false;
    int bestScore = -1;
    for (uint16_t i = 0; i < count; ++i) {
        uint8_t w, h, colors, skip;
        uint16_t planes, bits, entryId;
        uint32_t bytes;
        if (!r.u8(w) || !r.u8(h) || !r.u8(colors) || !r.u8(skip) || !r.u16(planes) || !r.u16(bits) || !r.u32(bytes) ||
            !r.u16(entryId))
            return false;
        int side = cursor ? w : (w == 0 ? 256 : w);  // a cursor entry stores its height doubled
        int score = side <= wanted ? 1000 + side : 1000 - side;
        if (score > bestScore) {
            bestScore = score;
            id = entryId;
        }
    }
    return bestScore >= 0;
}

HICON iconFromImage(const uint8_t* data, size_t size, bool cursor) {
    POINT hot{0, 0};
    if (cursor) {
        ByteReader r(data, size);
        uint16_t x, y;
        if (!r.u16(x) || !r.u16(y)) return nullptr;
        hot = {x, y};
        data += 4;
        size -= 4;
    }
    DibView dib;
    const uint8_t* mask = nullptr;
    if (!ReadDib(data, size, true, dib, &mask)) return nullptr;
    auto* icon = new Icon;
    icon->color = BitmapFromDib(dib);
    icon->mask = MaskFromDib(dib, mask);
    icon->width = dib.width;
    icon->height = dib.height;
    icon->hotSpot = hot;
    icon->cursor = cursor;
    if (!icon->color || !icon->mask) {
        if (icon->color) DeleteObject(icon->color);
        if (icon->mask) DeleteObject(icon->mask);
        delete icon;
        return nullptr;
    }
    return AddIcon(icon);
}

// A system icon: a disc of the icon's colour on a transparent square; a system cursor has no
// picture (nothing draws the pointer here).
HICON systemIcon(LPCSTR name, bool cursor) {
    static std::map<std::pair<uintptr_t, bool>, HICON> made;
    std::lock_guard<std::mutex> guard(g_lock);
    auto key = std::make_pair(reinterpret_cast<uintptr_t>(name), cursor);
    if (auto it = made.find(key); it != made.end()) return it->second;
    auto* icon = new Icon;
    icon->cursor = cursor;
    icon->shared = true;
    icon->width = icon->height = 32;
    if (!cursor) {
        COLORREF color = RGB(0, 0, 255);
        switch (LOWORD(reinterpret_cast<uintptr_t>(name))) {
        case 32513: color = RGB(255, 0, 0); break;    // hand (error)
        case 32514: color = RGB(0, 128, 0); break;    // question
        case 32515: color = RGB(255, 255, 0); break;  // exclamation
        default: break;
        }
        HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        HDC dc = CreateCompatibleDC(screen);
        icon->color = CreateCompatibleBitmap(screen, 32, 32);
        icon->mask = CreateBitmap(32, 32, 1, 1, nullptr);
        HGDIOBJ old = SelectObject(dc, icon->mask);
        RECT all{0, 0, 32, 32};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SelectObject(dc, GetStockObject(BLACK_BRUSH));
        Ellipse(dc, 2, 2, 30, 30);
        SelectObject(dc, icon->color);
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        HBRUSH brush = CreateSolidBrush(color);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        Ellipse(dc, 2, 2, 30, 30);
        SelectObject(dc, oldBrush);
        DeleteObject(brush);
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteDC(screen);
    }
    HICON handle;
    {
        live().insert(icon);
        handle = reinterpret_cast<HICON>(icon);
    }
    made[key] = handle;
    return handle;
}

HICON loadShared(HINSTANCE module, LPCSTR name, bool cursor) {
    if (!module && IS_INTRESOURCE(name)) return systemIcon(name, cursor);
    auto table = TableOf(module);
    const ResourceEntry* group = table ? table->find(MAKEINTRESOURCEA(cursor ? 12 : 14), name) : nullptr;
    if (!group) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    {
        std::lock_guard<std::mutex> guard(g_lock);
        auto it = sharedIcons().find({group, cursor});
        if (it != sharedIcons().end()) return it->second.icon;
    }
    uint16_t id = 0;
    if (!pickFromGroup(table->dataOf(*group), group->size, cursor, 32, id)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    const ResourceEntry* image = table->find(MAKEINTRESOURCEA(cursor ? 1 : 3), MAKEINTRESOURCEA(id));
    HICON icon = image ? iconFromImage(table->dataOf(*image), image->size, cursor) : nullptr;
    if (!icon) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(g_lock);
    reinterpret_cast<Icon*>(icon)->shared = true;
    sharedIcons()[{group, cursor}] = SharedIcon{icon, table};
    return icon;
}

bool destroy(HICON handle) {
    std::lock_guard<std::mutex> guard(g_lock);
    auto* icon = reinterpret_cast<Icon*>(handle);
    if (!live().count(icon)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    if (icon->shared) return true;
    live().erase(icon);
    if (icon->color) DeleteObject(icon->color);
    if (icon->mask) DeleteObject(icon->mask);
    delete icon;
    return true;
}

}  // namespace

HICON AddIcon(Icon* icon) {
    std::lock_guard<std::mutex> guard(g_lock);
    live().insert(icon);
    return reinterpret_cast<HICON>(icon);
}

const Icon* IconOf(HICON handle) {
    std::lock_guard<std::mutex> guard(g_lock);
    auto* icon = reinterpret_cast<Icon*>(handle);
    return live().count(icon) ? icon : nullptr;
}

}  // namespace res

extern "C" HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) { return res::loadShared(instance, name, false); }

extern "C" HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) { return res::loadShared(instance, name, true); }

extern "C" BOOL WINAPI DestroyIcon(HICON icon) { return res::destroy(icon); }

extern "C" BOOL WINAPI DestroyCursor(HCURSOR cursor) { return res::destroy(cursor); }
