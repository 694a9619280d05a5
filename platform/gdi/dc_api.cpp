// Creation, deletion, saving and restoring of device contexts.
#include "platform/gdi/dc.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <utility>

using namespace gdi;

namespace {

HDC makeDc(Dc::Type type, std::shared_ptr<Surface> surface, const RECT& area) {
    auto dc = std::unique_ptr<Dc>(new (std::nothrow) Dc(type));
    if (!dc) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    dc->surface = std::move(surface);
    dc->area = area;
    Dc* raw = dc.get();
    HDC h = static_cast<HDC>(Register(std::move(dc)));
    if (h) InitDcState(*raw);
    return h;
}

RECT screenRect() {
    auto s = ScreenSurface();
    return RECT{0, 0, s ? s->width : 0, s ? s->height : 0};
}

}  // namespace

namespace gdi {

HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, const RECT& area) {
    if (!surface) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return makeDc(Dc::Type::Surface, std::move(surface), area);
}

BOOL SetSurfaceDCArea(HDC hdc, const RECT& area) {
    Dc* dc = DcOf(hdc);
    if (!dc || dc->type == Dc::Type::Memory) return FALSE;
    dc->area = area;
    dc->clipChanged();
    return TRUE;
}

BOOL SetSurfaceDCSystemClip(HDC hdc, const RECT* rects, int count) {
    Dc* dc = DcOf(hdc);
    if (!dc || dc->type == Dc::Type::Memory || count < 0 || (count > 0 && !rects)) return FALSE;
    try {
        Region r;
        for (int i = 0; i < count; ++i) r = Region::Combine(r, Region(rects[i]), RGN_OR);
        dc->systemClip = std::move(r);
        dc->hasSystemClip = count > 0;
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    dc->clipChanged();
    return TRUE;
}

HDC CreateScreenDC() {
    auto s = ScreenSurface();
    if (!s) return nullptr;
    return makeDc(Dc::Type::Surface, s, screenRect());
}

bool IsSurfaceDC(HDC hdc) {
    Dc* dc = DcOf(hdc);
    return dc && dc->type == Dc::Type::Surface;
}

std::shared_ptr<Surface> SurfaceOf(HDC hdc) {
    Dc* dc = DcOf(hdc);
    if (!dc) return nullptr;
    if (dc->type == Dc::Type::Memory) {
        auto* bm = As<Bitmap>(dc->state.bitmap);
        return bm ? bm->surface : nullptr;
    }
    return dc->surface;
}

std::shared_ptr<Surface> SurfaceOfBitmap(HBITMAP hbm) {
    auto* bm = As<Bitmap>(hbm);
    return bm ? bm->surface : nullptr;
}

}  // namespace gdi

extern "C" HDC WINAPI CreateCompatibleDC(HDC hdc) {
    if (hdc && !DcOf(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return makeDc(Dc::Type::Memory, nullptr, RECT{0, 0, 0, 0});
}

static HDC createDisplay(LPCSTR driver, LPCSTR device, Dc::Type type) {
    // Only the display exists on this machine; printers are reached through the spooler.
    const char* name = driver ? driver : device;
    if (!name || (std::strcmp(name, "DISPLAY") != 0 && std::strcmp(name, "display") != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto s = ScreenSurface();
    if (!s) return nullptr;
    return makeDc(type, s, screenRect());
}

extern "C" HDC WINAPI CreateDCA(LPCSTR pszDriver, LPCSTR pszDevice, LPCSTR, const struct _devicemodeA*) {
    return createDisplay(pszDriver, pszDevice, Dc::Type::Display);
}

// An installed printer answers questions about its fonts; it has no surface of its own, so its
// context measures like the screen's.
static bool isInstalledPrinter(LPCSTR device) {
    if (!device || !*device || std::strchr(device, '\\')) return false;
    std::string path = "System\\CurrentControlSet\\control\\Print\\Printers\\";
    path += device;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

extern "C" HDC WINAPI CreateICA(LPCSTR pszDriver, LPCSTR pszDevice, LPCSTR, const struct _devicemodeA*) {
    const char* name = pszDriver ? pszDriver : pszDevice;
    const bool display = name && (std::strcmp(name, "DISPLAY") == 0 || std::strcmp(name, "display") == 0);
    if (display || !isInstalledPrinter(pszDevice)) return createDisplay(pszDriver, pszDevice, Dc::Type::Info);
    auto s = ScreenSurface();
    if (!s) return nullptr;
    HDC hdc = makeDc(Dc::Type::Info, s, screenRect());
    if (Dc* dc = DcOf(hdc)) dc->printer = true;
    return hdc;
}

extern "C" BOOL WINAPI DeleteDC(HDC hdc) {
    Dc* dc = DcOf(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Destroy(dc);
    return TRUE;
}

extern "C" int WINAPI SaveDC(HDC hdc) {
    Dc* dc = DcOf(hdc);
    if (!dc) return 0;
    try {
        dc->saved.push_back(dc->state);
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    return int(dc->saved.size());
}

extern "C" BOOL WINAPI RestoreDC(HDC hdc, int nSavedDC) {
    Dc* dc = DcOf(hdc);
    if (!dc) return FALSE;
    int count = int(dc->saved.size());
    int level = nSavedDC < 0 ? count + nSavedDC + 1 : nSavedDC;
    if (level < 1 || level > count) return FALSE;
    DcState restored = std::move(dc->saved[std::size_t(level - 1)]);
    dc->saved.resize(std::size_t(level - 1));
    // Objects go back through selection so that their counts stay right; one deleted since the
    // save is left out and the current one stays.
    for (HGDIOBJ h : {HGDIOBJ(restored.pen), HGDIOBJ(restored.brush), HGDIOBJ(restored.font),
                      HGDIOBJ(restored.palette), HGDIOBJ(restored.bitmap)})
        if (Object* o = LookupAny(h)) Select(*dc, o);
    restored.pen = dc->state.pen;
    restored.brush = dc->state.brush;
    restored.font = dc->state.font;
    restored.palette = dc->state.palette;
    restored.bitmap = dc->state.bitmap;
    dc->state = std::move(restored);
    dc->clipChanged();
    return TRUE;
}
