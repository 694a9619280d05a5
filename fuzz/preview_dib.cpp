// Feeds any bytes to the previews as an 8-bit picture resource of a model-extension library: the
// bytes are drawn in grey into a memory DC, the way DrawDibResource draws what the library holds.
#include "preview/dib_resource.h"
#include "preview/draw_tools.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static HDC dc = [] {
        HDC memory = CreateCompatibleDC(nullptr);
        SelectObject(memory, CreateBitmap(32, 32, 1, 32, nullptr));
        return memory;
    }();
    static CmDrawTools tools;
    DrawGreyDib(tools, dc, 0, 0, 32, 32, data, size, GetProcessHeap(), nullptr);
    return 0;
}
