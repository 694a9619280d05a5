// Image lists: equally sized images taken from bitmap strips, each with an optional mask, drawn
// into a device context. The pixels are copied in when an image is added, so the caller keeps
// (and may delete) its bitmaps; a list handle is checked before it is used.
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

struct _IMAGELIST {
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
    int grow = 4;
    COLORREF bk = CLR_NONE;
    std::vector<std::vector<COLORREF>> pixels;  // per image, cx * cy, row by row
    std::vector<std::vector<bool>> masks;       // per image: true where the image is transparent
};

namespace {

std::mutex g_lock;
std::set<HIMAGELIST>& lists() {
    static auto* s = new std::set<HIMAGELIST>;
    return *s;
}

bool valid(HIMAGELIST list) {
    std::lock_guard<std::mutex> guard(g_lock);
    return list && lists().count(list);
}

bool masked(HIMAGELIST list) { return (list->flags & ILC_MASK) != 0; }

// Reads a bitmap's pixels; empty when the handle is not a bitmap.
std::vector<COLORREF> readBitmap(HBITMAP bitmap, int& width, int& height) {
    try {
        BITMAP info{};
        if (!bitmap || GetObjectA(bitmap, sizeof info, &info) != sizeof info || info.bmWidth <= 0 || info.bmHeight <= 0) return {};
        width = info.bmWidth;
        height = info.bmHeight;
        std::vector<COLORREF> out(static_cast<size_t>(width) * height);
        HDC dc = CreateCompatibleDC(nullptr);
        if (!dc) return {};
        HGDIOBJ old = SelectObject(dc, bitmap);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) out[static_cast<size_t>(y) * width + x] = GetPixel(dc, x, y) & 0xFFFFFF;
        SelectObject(dc, old);
        DeleteDC(dc);
        return out;
    } catch (...) {
        return {};  // memory refused
    }
}

// Cuts a strip into images of the list's size; `transparent` marks masked pixels (mask bitmap
// white, or the mask colour).
int addStrip(HIMAGELIST list, const std::vector<COLORREF>& image, int width, int height,
             const std::vector<COLORREF>* maskBits, bool useColour, COLORREF colour) {
    try {
        if (image.empty() || width < list->cx) return -1;
        int first = static_cast<int>(list->pixels.size());
        int count = width / list->cx;
        for (int n = 0; n < count; ++n) {
            std::vector<COLORREF> px(static_cast<size_t>(list->cx) * list->cy, 0);
            std::vector<bool> mask(px.size(), false);
            for (int y = 0; y < list->cy && y < height; ++y) {
                for (int x = 0; x < list->cx; ++x) {
                    size_t from = static_cast<size_t>(y) * width + n * list->cx + x;
                    size_t to = static_cast<size_t>(y) * list->cx + x;
                    px[to] = image[from];
                    if (useColour) mask[to] = image[from] == (colour & 0xFFFFFF);
                    else if (maskBits && from < maskBits->size()) mask[to] = ((*maskBits)[from] & 0xFFFFFF) != 0;
                    if (mask[to]) px[to] = 0;  // transparent pixels are black in the image, as on the original
                }
            }
            list->pixels.push_back(std::move(px));
            list->masks.push_back(std::move(mask));
        }
        return first;
    } catch (...) {
        return -1;  // memory refused
    }
}

}  // namespace

extern "C" HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
    try {
        if (cx <= 0 || cy <= 0 || cx > 4096 || cy > 4096 || initial < 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        auto list = std::make_unique<_IMAGELIST>();
        list->cx = cx;
        list->cy = cy;
        list->flags = flags;
        list->grow = std::max(grow, 1);
        list->pixels.reserve(static_cast<size_t>(std::min(initial, 1024)));
        std::lock_guard<std::mutex> guard(g_lock);
        lists().insert(list.get());
        return list.release();
    } catch (...) {
        return nullptr;  // memory refused
    }
}

extern "C" BOOL WINAPI ImageList_Destroy(HIMAGELIST list) {
    {
        std::lock_guard<std::mutex> guard(g_lock);
        if (!list || !lists().erase(list)) return FALSE;
    }
    delete list;
    return TRUE;
}

extern "C" int WINAPI ImageList_GetImageCount(HIMAGELIST list) {
    return valid(list) ? static_cast<int>(list->pixels.size()) : 0;
}

extern "C" BOOL WINAPI ImageList_SetImageCount(HIMAGELIST list, UINT count) {
    try {
        if (!valid(list) || count > 65536) return FALSE;
        size_t size = static_cast<size_t>(list->cx) * list->cy;
        list->pixels.resize(count, std::vector<COLORREF>(size, 0));
        list->masks.resize(count, std::vector<bool>(size, false));
        return TRUE;
    } catch (...) {
        return FALSE;  // memory refused
    }
}

extern "C" int WINAPI ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
    try {
        if (!valid(list)) return -1;
        int w = 0, h = 0, mw = 0, mh = 0;
        std::vector<COLORREF> px = readBitmap(image, w, h);
        std::vector<COLORREF> mk;
        if (masked(list) && mask) mk = readBitmap(mask, mw, mh);
        if (!mk.empty() && mw != w) mk.clear();
        return addStrip(list, px, w, h, mk.empty() ? nullptr : &mk, false, 0);
    } catch (...) {
        return -1;  // memory refused
    }
}

extern "C" int WINAPI ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColour) {
    try {
        if (!valid(list)) return -1;
        int w = 0, h = 0;
        std::vector<COLORREF> px = readBitmap(image, w, h);
        bool useColour = masked(list) && maskColour != CLR_NONE;
        if (maskColour == CLR_DEFAULT && !px.empty()) maskColour = px[0];  // the top-left pixel
        return addStrip(list, px, w, h, nullptr, useColour, maskColour);
    } catch (...) {
        return -1;  // memory refused
    }
}

extern "C" BOOL WINAPI ImageList_Replace(HIMAGELIST list, int i, HBITMAP image, HBITMAP mask) {
    try {
        if (!valid(list) || i < 0 || i >= static_cast<int>(list->pixels.size())) return FALSE;
        auto savedPixels = list->pixels;
        auto savedMasks = list->masks;
        int first = ImageList_Add(list, image, mask);
        if (first < 0) return FALSE;
        auto px = std::move(list->pixels[first]);
        auto mk = std::move(list->masks[first]);
        list->pixels = std::move(savedPixels);
        list->masks = std::move(savedMasks);
        list->pixels[i] = std::move(px);
        list->masks[i] = std::move(mk);
        return TRUE;
    } catch (...) {
        return FALSE;  // memory refused
    }
}

extern "C" BOOL WINAPI ImageList_Remove(HIMAGELIST list, int i) {
    if (!valid(list)) return FALSE;
    if (i == -1) {
        list->pixels.clear();
        list->masks.clear();
        return TRUE;
    }
    if (i < 0 || i >= static_cast<int>(list->pixels.size())) return FALSE;
    list->pixels.erase(list->pixels.begin() + i);
    list->masks.erase(list->masks.begin() + i);
    return TRUE;
}

extern "C" BOOL WINAPI ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
    if (!valid(list) || !cx || !cy) return FALSE;
    *cx = list->cx;
    *cy = list->cy;
    return TRUE;
}

extern "C" COLORREF WINAPI ImageList_SetBkColor(HIMAGELIST list, COLORREF bk) {
    if (!valid(list)) return CLR_NONE;
    COLORREF old = list->bk;
    list->bk = bk;
    return old;
}

extern "C" COLORREF WINAPI ImageList_GetBkColor(HIMAGELIST list) { return valid(list) ? list->bk : CLR_NONE; }

extern "C" BOOL WINAPI ImageList_Draw(HIMAGELIST list, int i, HDC dc, int x, int y, UINT style) {
    if (!valid(list) || !dc || i < 0 || i >= static_cast<int>(list->pixels.size())) return FALSE;
    const auto& px = list->pixels[i];
    const auto& mk = list->masks[i];
    // Masked pixels show what lies beneath, unless the list has a background colour and the
    // caller did not ask for transparency.
    bool transparent = masked(list) && ((style & ILD_TRANSPARENT) || list->bk == CLR_NONE);
    for (int row = 0; row < list->cy; ++row) {
        for (int col = 0; col < list->cx; ++col) {
            size_t at = static_cast<size_t>(row) * list->cx + col;
            bool hole = masked(list) && mk[at];
            if (style & ILD_MASK) {
                SetPixelV(dc, x + col, y + row, hole ? RGB(255, 255, 255) : RGB(0, 0, 0));
                continue;
            }
            if (hole && transparent) continue;
            SetPixelV(dc, x + col, y + row, hole ? list->bk : px[at]);
        }
    }
    return TRUE;
}
