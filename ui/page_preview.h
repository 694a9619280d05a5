// The live picture a settings page shows in one of its controls, as the page sees it: the page
// makes it when it initialises, tells it of every change of the settings, of its deactivation
// and of palette changes, and deletes it when it goes. The pictures live in a layer above the
// pages, which registers their maker here when the library loads.
#pragma once

#include "core/device/uidevdata.h"
#include "core/memory/pool_object.h"

#include <windows.h>

#include <cstdint>

class PagePreview : public PoolObject {
public:
    virtual ~PagePreview() = default;
    // A setting the picture shows may have changed.
    virtual void Update() = 0;
    // The page is left: no tip, no capture, no highlighted part.
    virtual void CancelTracking() = 0;
    virtual BOOL OnQueryNewPalette() = 0;
    virtual BOOL OnPaletteChanged(HWND changer) = 0;

protected:
    PagePreview() = default;
};

// Makes the picture of a page's control (kind: the picture the page shows) over the settings the
// page edits; null when it cannot.
using PagePreviewMaker = PagePreview* (*)(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind);

void RegisterPagePreviewMaker(PagePreviewMaker maker);
// Null without a registered maker or when the maker refused.
PagePreview* CreatePagePreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind);
