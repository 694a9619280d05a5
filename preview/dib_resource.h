// 8-bit DIB resources of the resource module or a model-extension library, as the previews draw
// them: a resource's header, colour table and bits are checked against the bytes it holds before
// any of them is read, and a picture is drawn in grey from a copy on the library's heap.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

class CmDrawTools;

struct DibLayout {
    int32_t width = 0;
    int32_t height = 0;  // negative for a top-down picture
    uint32_t headerSize = 0;
    uint32_t colours = 0;  // entries in the colour table, at most 256
    size_t bitsOffset = 0;
    size_t totalSize = 0;  // header, table and bits
};

// True for an uncompressed 8-bit DIB whose every part lies within the size bytes.
bool ReadDibLayout(const void* bytes, size_t size, DibLayout& out);

// Stretches the picture to (x, y, width, height) with every colour turned grey, through the
// palette when the screen is a palette display; false when the bytes are not such a picture or
// the heap refuses the copy.
bool DrawGreyDib(CmDrawTools& tools, HDC dc, int x, int y, int width, int height, const void* bytes, size_t size,
                 HANDLE heap, HPALETTE palette);
