// The tooltip text of one entry of the page-size or the output-size list: the paper's name and
// its size in millimetres and in inches. The page-setup page registers it as the text callback
// of its tooltip for the two lists; the tooltip copies the text and frees it.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

inline constexpr size_t kPaperTooltipSize = 256;

// A text of kPaperTooltipSize bytes from the library's private heap (the caller frees it with
// PrivateFree), holding as much of the tooltip as fits; empty when the entry names no paper;
// null only when the heap refuses.
char* PaperTooltipText(UIDEVDATA* ctx, HWND dialog, int controlId, int index);
