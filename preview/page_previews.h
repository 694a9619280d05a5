// The pictures of the settings pages: which picture each page shows, registered with the pages
// when the library loads.
#pragma once

#include "ui/page_preview.h"

// Picture kinds of the pages: the page-setup page, the finishing page, the quality page.
inline constexpr int kPageSetupPicture = 1;
inline constexpr int kFinishingPicture = 2;
inline constexpr int kQualityPicture = 4;

// Makes the picture of a page's control and shows it; null for a kind without a picture.
PagePreview* MakePagePreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind);
void RegisterPagePreviews();
