// LoadBitmapA and LoadImageA: bitmaps from a module's resources or from a .bmp file, each a new
// bitmap the caller deletes; icons and cursors through the icon loader.
#include "platform/resources/dib.h"
#include "platform/resources/icon.h"
#include "platform/resources/res_file.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace {

HBITMAP bitmapFromDib(const uint8_t* data, size_t size) {
    res::DibView dib;
    if (!res::ReadDib(data, size, false, dib)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    return res::BitmapFromDib(dib, true);
}

HBITMAP bitmapFromFile(LPCSTR path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    constexpr size_t kFileHeader = 14;  // "BM", size, two reserved words, offset of the bits
    if (bytes.size() < kFileHeader || bytes[0] != 'B' || bytes[1] != 'M') {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    return bitmapFromDib(bytes.data() + kFileHeader, bytes.size() - kFileHeader);
}

}  // namespace

extern "C" HBITMAP WINAPI LoadBitmapA(HINSTANCE instance, LPCSTR name) {
    auto table = res::TableOf(instance);
    const res::ResourceEntry* e = table && name ? table->find(MAKEINTRESOURCEA(2), name) : nullptr;
    if (!e) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return bitmapFromDib(table->dataOf(*e), e->size);
}

extern "C" HANDLE WINAPI LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int, int, UINT flags) {
    // The colour-mapping flags (LR_LOADTRANSPARENT, LR_LOADMAP3DCOLORS) leave the pixels as they are.
    switch (type) {
    case IMAGE_BITMAP:
        if (flags & LR_LOADFROMFILE) return name && !IS_INTRESOURCE(name) ? bitmapFromFile(name) : nullptr;
        return LoadBitmapA(instance, name);
    case IMAGE_ICON:
        return LoadIconA(instance, name);
    case IMAGE_CURSOR:
        return LoadCursorA(instance, name);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}
