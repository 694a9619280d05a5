// The template of a page of the 16-bit driver's sheet that hosts a page of this library: an empty
// 16-bit dialog template with the hosted page's size, font and title, in 16-bit memory that the
// page record owns. With it the driver's page has room for the hosted page and its tab shows the
// hosted page's title, as the library's own sheet would show it.
#pragma once

#include "core/device/sheet_data_record.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

struct PageTemplate16 {
    DWORD vpTemplate = 0;  // the 16-bit DLGTEMPLATE
    DWORD vpTitle = 0;     // its caption, a NUL-terminated text inside the same block
};

// The record's template (made on the first call, the same block after); false when the hosted
// page's template is not in the resource module or does not read.
bool PageTemplateFor(SHEETDATA* record, PageTemplate16& out);
// Frees the record's template, if it has one.
void ReleasePageTemplate(const SHEETDATA* record);

// The Win16 template for a hosted page's template (`hosted`, in either form): false when it does
// not read whole; `titleOffset` is where the caption starts in `out`.
bool Win16PageTemplate(const void* hosted, DWORD size, std::vector<uint8_t>& out, std::size_t& titleOffset);
