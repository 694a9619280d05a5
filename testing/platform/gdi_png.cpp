// The test helpers of the GDI: screen format, font folder, live object count, and a small PNG writer (one
// IDAT chunk compressed by zlib, filter 0 on every row) over a surface.
#include "drvtest/gdi.h"

#include "platform/gdi/dc.h"
#include "platform/gdi/outline_font.h"
#include "platform/gdi/surface.h"

#include <zlib.h>

#include <cstdio>
#include <vector>

namespace drvtest {
namespace {

void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back((unsigned char)(v >> shift));
}

void chunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& data) {
    put32(out, std::uint32_t(data.size()));
    std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0, out.data() + start, uInt(out.size() - start));
    put32(out, std::uint32_t(crc));
}

bool writeSurface(const gdi::Surface* s, const std::string& path) {
    if (!s) return false;
    std::vector<unsigned char> raw;
    raw.reserve(std::size_t(s->height) * (1 + 3 * std::size_t(s->width)));
    for (int y = 0; y < s->height; ++y) {
        raw.push_back(0);
        const std::uint32_t* row = s->row(y);
        for (int x = 0; x < s->width; ++x) {
            raw.push_back((unsigned char)(row[x] >> 16));
            raw.push_back((unsigned char)(row[x] >> 8));
            raw.push_back((unsigned char)row[x]);
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<unsigned char> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 6) != Z_OK) return false;
    packed.resize(packedSize);

    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    put32(header, std::uint32_t(s->width));
    put32(header, std::uint32_t(s->height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no filter choice, no interlace
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", packed);
    chunk(png, "IEND", {});

    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

void SetScreenBitsPerPixel(int bpp) { gdi::SetScreenBpp(bpp); }

void SetFontDirectory(const char* path) { gdi::SetFontDirectory(path); }

std::size_t LiveGdiObjects() { return gdi::LiveCount(); }

bool SavePng(HDC hdc, const std::string& path) { return writeSurface(gdi::SurfaceOf(hdc).get(), path); }

bool SavePng(HBITMAP hbm, const std::string& path) { return writeSurface(gdi::SurfaceOfBitmap(hbm).get(), path); }

}  // namespace drvtest
