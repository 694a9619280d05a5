// The PNG writer over libpng. libpng reports a failure by a long jump back into the function that
// set it up, so that function holds nothing with a destructor: the rows are prepared before, and
// the file and the write structures are released after, whichever way it ends.
#include "platform/gdi/png_file.h"

#include "platform/gdi/surface.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace gdi {
namespace {

// The part that libpng may jump out of: plain pointers only.
bool WriteRows(std::FILE* file, int width, int height, png_bytep* rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool SavePngFile(const Surface& surface, const char* path) {
    if (!path || surface.width <= 0 || surface.height <= 0 || !surface.bits) return false;
    const auto width = static_cast<std::size_t>(surface.width);
    std::vector<png_byte> pixels(width * 3 * static_cast<std::size_t>(surface.height));
    std::vector<png_bytep> rows(static_cast<std::size_t>(surface.height));
    for (int y = 0; y < surface.height; ++y) {
        png_bytep out = pixels.data() + static_cast<std::size_t>(y) * width * 3;
        rows[static_cast<std::size_t>(y)] = out;
        const std::uint32_t* in = surface.row(y);
        for (std::size_t x = 0; x < width; ++x) {
            *out++ = static_cast<png_byte>(in[x] >> 16);
            *out++ = static_cast<png_byte>(in[x] >> 8);
            *out++ = static_cast<png_byte>(in[x]);
        }
    }
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    const bool written = WriteRows(file, surface.width, surface.height, rows.data());
    const bool closed = std::fclose(file) == 0;
    if (written && closed) return true;
    std::remove(path);  // half a picture is no picture
    return false;
}

bool SaveBitmapPng(HBITMAP bitmap, const char* path) {
    const std::shared_ptr<Surface> surface = SurfaceOfBitmap(bitmap);
    return surface && SavePngFile(*surface, path);
}

bool SaveDCPng(HDC dc, const char* path) {
    const std::shared_ptr<Surface> surface = SurfaceOf(dc);
    return surface && SavePngFile(*surface, path);
}

}  // namespace gdi
