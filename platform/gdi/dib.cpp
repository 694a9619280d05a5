// Decoding and encoding of DIB rows. Every size is checked before it is used, so a forged header
// from a resource file is refused instead of read past its end.
#include "platform/gdi/dib.h"

#include <cstring>

namespace gdi {
namespace {

std::uint32_t le32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }

int shiftOf(std::uint32_t mask) {
    int s = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++s;
    }
    return s;
}

// Scales a masked channel to 8 bits.
std::uint32_t channel(std::uint32_t value, std::uint32_t mask) {
    if (!mask) return 0;
    int shift = shiftOf(mask);
    std::uint32_t max = mask >> shift;
    return ((value & mask) >> shift) * 255 / max;
}

std::uint32_t packChannel(std::uint32_t v8, std::uint32_t mask) {
    if (!mask) return 0;
    int shift = shiftOf(mask);
    std::uint32_t max = mask >> shift;
    return ((v8 * max + 127) / 255) << shift;
}

}  // namespace

bool ReadDibFormat(const BITMAPINFO* bmi, UINT usage, const Dc* dc, std::size_t available, DibFormat& out) {
    if (!bmi || (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS)) return false;
    const BYTE* raw = reinterpret_cast<const BYTE*>(bmi);
    if (available < sizeof(BITMAPINFOHEADER)) return false;
    BITMAPINFOHEADER h;
    std::memcpy(&h, raw, sizeof h);
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > 1024 || (available < h.biSize)) return false;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN || h.biPlanes != 1) return false;
    if ((long long)h.biWidth * (h.biHeight < 0 ? -(long long)h.biHeight : h.biHeight) > (1LL << 26)) return false;
    out.width = h.biWidth;
    out.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    out.topDown = h.biHeight < 0;
    out.bpp = h.biBitCount;
    out.compression = h.biCompression;
    switch (out.bpp) {
    case 1:
    case 4:
    case 8:
    case 24:
        if (out.compression != BI_RGB) return false;
        break;
    case 16:
    case 32:
        if (out.compression != BI_RGB && out.compression != BI_BITFIELDS) return false;
        break;
    default: return false;
    }
    out.stride = (std::size_t(out.width) * out.bpp + 31) / 32 * 4;
    std::size_t at = h.biSize;
    if (out.compression == BI_BITFIELDS) {
        // The masks follow a 40-byte header; later headers carry them inside.
        const BYTE* m = h.biSize >= 52 ? raw + 40 : raw + at;
        if (h.biSize < 52) {
            if (available < at + 12) return false;
            at += 12;
        }
        for (int i = 0; i < 3; ++i) out.masks[i] = le32(m + 4 * i);
    } else if (out.bpp == 16) {
        out.masks[0] = 0x7C00, out.masks[1] = 0x03E0, out.masks[2] = 0x001F;
    } else if (out.bpp == 32) {
        out.masks[0] = 0xFF0000, out.masks[1] = 0xFF00, out.masks[2] = 0xFF;
    }
    std::size_t count = out.bpp <= 8 ? (h.biClrUsed ? h.biClrUsed : 1u << out.bpp) : h.biClrUsed;
    if (out.bpp <= 8 && count > (1u << out.bpp)) return false;
    if (count > 256) return false;
    std::size_t entry = usage == DIB_PAL_COLORS ? 2 : 4;
    if (available < at + count * entry) return false;
    out.colors.assign(std::size_t(1) << (out.bpp <= 8 ? out.bpp : 0), 0);
    const Palette* pal = dc ? dc->palette() : nullptr;
    for (std::size_t i = 0; i < count && out.bpp <= 8; ++i) {
        const BYTE* e = raw + at + i * entry;
        if (usage == DIB_PAL_COLORS) out.colors[i] = pal ? pal->pixelAt(UINT(e[0] | (e[1] << 8))) : 0;
        else out.colors[i] = e[0] | (e[1] << 8) | (std::uint32_t(e[2]) << 16);
    }
    out.headerBytes = at + count * entry;
    return true;
}

void DecodeDibLine(const DibFormat& f, const BYTE* p, std::uint32_t* out) {
    switch (f.bpp) {
    case 1:
        for (int x = 0; x < f.width; ++x) out[x] = f.colors[(p[x >> 3] >> (7 - (x & 7))) & 1];
        return;
    case 4:
        for (int x = 0; x < f.width; ++x) out[x] = f.colors[(p[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
        return;
    case 8:
        for (int x = 0; x < f.width; ++x) out[x] = f.colors[p[x]];
        return;
    case 24:
        for (int x = 0; x < f.width; ++x) out[x] = p[3 * x] | (p[3 * x + 1] << 8) | (std::uint32_t(p[3 * x + 2]) << 16);
        return;
    case 16:
        for (int x = 0; x < f.width; ++x) {
            std::uint32_t v = p[2 * x] | (p[2 * x + 1] << 8);
            out[x] = (channel(v, f.masks[0]) << 16) | (channel(v, f.masks[1]) << 8) | channel(v, f.masks[2]);
        }
        return;
    default:
        if (f.compression == BI_RGB) {
            for (int x = 0; x < f.width; ++x) out[x] = le32(p + 4 * x) & 0xFFFFFF;
            return;
        }
        for (int x = 0; x < f.width; ++x) {
            std::uint32_t v = le32(p + 4 * x);
            out[x] = (channel(v, f.masks[0]) << 16) | (channel(v, f.masks[1]) << 8) | channel(v, f.masks[2]);
        }
        return;
    }
}

void EncodeDibLine(const DibFormat& f, const std::uint32_t* in, BYTE* p) {
    std::memset(p, 0, f.stride);
    auto index = [&](std::uint32_t px) {
        // The nearest entry of the colour table.
        std::size_t best = 0;
        int bestDistance = 1 << 30;
        for (std::size_t i = 0; i < f.colors.size(); ++i) {
            int dr = int(px >> 16 & 0xFF) - int(f.colors[i] >> 16 & 0xFF);
            int dg = int(px >> 8 & 0xFF) - int(f.colors[i] >> 8 & 0xFF);
            int db = int(px & 0xFF) - int(f.colors[i] & 0xFF);
            int d = dr * dr + dg * dg + db * db;
            if (d < bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
        return unsigned(best);
    };
    for (int x = 0; x < f.width; ++x) {
        std::uint32_t px = in[x] & 0xFFFFFF;
        switch (f.bpp) {
        case 1: p[x >> 3] |= BYTE((index(px) & 1) << (7 - (x & 7))); break;
        case 4: p[x >> 1] |= BYTE((index(px) & 0xF) << ((x & 1) ? 0 : 4)); break;
        case 8: p[x] = BYTE(index(px)); break;
        case 24:
            p[3 * x] = BYTE(px);
            p[3 * x + 1] = BYTE(px >> 8);
            p[3 * x + 2] = BYTE(px >> 16);
            break;
        case 16: {
            std::uint32_t v = packChannel(px >> 16 & 0xFF, f.masks[0]) | packChannel(px >> 8 & 0xFF, f.masks[1]) |
                              packChannel(px & 0xFF, f.masks[2]);
            p[2 * x] = BYTE(v);
            p[2 * x + 1] = BYTE(v >> 8);
            break;
        }
        default: {
            std::uint32_t v = f.compression == BI_RGB ? px
                                                      : packChannel(px >> 16 & 0xFF, f.masks[0]) |
                                                            packChannel(px >> 8 & 0xFF, f.masks[1]) |
                                                            packChannel(px & 0xFF, f.masks[2]);
            std::memcpy(p + 4 * x, &v, 4);
            break;
        }
        }
    }
}

std::shared_ptr<Surface> DecodeDib(const DibFormat& f, const BYTE* bits) {
    auto s = Surface::Create(f.width, f.height, 32);
    if (!s) return nullptr;
    for (int y = 0; y < f.height; ++y) DecodeDibLine(f, DibRow(f, bits, y), s->row(y));
    return s;
}

HBITMAP CreateBitmapFromPackedDib(const void* data, std::size_t size) {
    DibFormat f;
    if (!data || !ReadDibFormat(static_cast<const BITMAPINFO*>(data), DIB_RGB_COLORS, nullptr, size, f) ||
        size - f.headerBytes < f.imageBytes()) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    auto s = DecodeDib(f, static_cast<const BYTE*>(data) + f.headerBytes);
    if (!s) return nullptr;
    if (f.bpp == 1) {
        s->bpp = 1;
        ColorMap mono{ColorMap::Mono, nullptr};
        for (int y = 0; y < s->height; ++y)
            for (int x = 0; x < s->width; ++x) s->row(y)[x] = mono(s->row(y)[x]);
    } else if (ScreenBpp() <= 8) {
        s->bpp = 8;
    }
    return MakeBitmap(std::move(s));
}

}  // namespace gdi
