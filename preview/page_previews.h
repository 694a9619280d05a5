// The preview factory: pages and dialogs name the picture they show by its kind, and the factory
// picks the class from the kind and the printer's model. Registered with the pages when the library
// loads.
#pragma once

#include "ui/page_preview.h"

// Preview kinds: the three main pages (page setup, finishing, paper source), the quality page,
// the device page, the layout-option dialog, the staple and punch dialog, the pop-up device dialog.
inline constexpr int kPageSetupPicture = 1;
inline constexpr int kFinishingPicture = 2;
inline constexpr int kPaperSourcePicture = 3;
inline constexpr int kQualityPicture = 4;
inline constexpr int kDevicePicture = 5;
inline constexpr int kLayoutOptionPicture = 21;
inline constexpr int kStaplePicture = 34;
inline constexpr int kPopupDevicePicture = 83;

// Makes the picture of a control and shows it; null for a kind without a picture or when the
// pool refuses.
PagePreview* CreatePreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind);
void RegisterPagePreviews();
