// The summary's copy to the clipboard: heading, separator, each section under its title with a
// separator behind it, then the footer, as one text in a global block of exactly the size they
// need. The block is freed unless the clipboard took it.
#include "profiles/summary/view_settings.h"

#include "core/device/service_table.h"

#include <cstring>

namespace {

constexpr UINT kSectionTitles[kSummarySectionCount] = {8058, 8059, 8060, 8061, 8062};
constexpr size_t kTitleSize = 32;
constexpr size_t kTitleRoom = 34;  // a title and its CR LF

size_t LengthOf(const char* text) { return text ? std::strlen(text) : 0; }

}  // namespace

void ViewSettings::CopyToClipboard() {
    UIDEVDATA* ctx = Ctx();
    const bool withSection2 = !LeavesOutSection2();
    clipboardMode_ = true;
    HANDLE heap = ctx->svc->GetHeap(ctx);
    auto* title = static_cast<char*>(heap ? HeapAlloc(heap, HEAP_ZERO_MEMORY, kTitleSize) : nullptr);
    if (!title) {
        clipboardMode_ = false;
        return;
    }
    char* heading = GetSectionText(kSummaryHeading);
    char* sections[kSummarySectionCount] = {};
    for (int k = 0; k < kSummarySectionCount; ++k)
        if (k != 2 || withSection2) sections[k] = GetSectionText(k);
    char* footer = GetSectionText(kSummaryFooter);
    char* separator = GetSectionText(kSummarySeparator);

    const size_t sectionCount = withSection2 ? 5 : 4;
    size_t size = LengthOf(heading) + LengthOf(footer) + LengthOf(separator) * (sectionCount + 1);
    for (char* s : sections) size += LengthOf(s);
    size += kTitleRoom * sectionCount;

    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + 1);
    auto* text = static_cast<char*>(block ? GlobalLock(block) : nullptr);
    if (text) {
        summary::Append(text, size + 1, heading);
        summary::Append(text, size + 1, separator);
        for (int k = 0; k < kSummarySectionCount; ++k) {
            if (k == 2 && !withSection2) continue;
            std::memset(title, 0, kTitleSize);
            ctx->svc->LoadString(ctx, kSectionTitles[k], title, kTitleSize);
            summary::Append(text, size + 1, title, "\r\n");
            summary::Append(text, size + 1, sections[k]);
            summary::Append(text, size + 1, separator);
        }
        summary::Append(text, size + 1, footer);
        GlobalUnlock(block);
        bool placed = false;
        if (OpenClipboard(nullptr)) {
            placed = EmptyClipboard() && SetClipboardData(CF_TEXT, block) != nullptr;
            CloseClipboard();
        }
        if (placed) block = nullptr;  // the clipboard owns it now
    }
    if (block) GlobalFree(block);
    FreeText(heading);
    for (char* s : sections) FreeText(s);
    FreeText(footer);
    FreeText(separator);
    HeapFree(heap, 0, title);
    clipboardMode_ = false;
}
