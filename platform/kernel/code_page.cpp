// Active code page, lead-byte table and case folding of code page 1252. The code page is
// process-wide, as the system's ANSI code page is; tests switch it through drvtest/kernel.h.
#include "platform/kernel/code_page.h"

#include <atomic>

namespace kernel {

namespace {
std::atomic<UINT> g_codePage{1252};
}

UINT ActiveCodePage() { return g_codePage.load(std::memory_order_relaxed); }

void SetActiveCodePage(UINT codePage) { g_codePage.store(codePage == 932 ? 932 : 1252); }

bool IsLeadByteIn(UINT codePage, BYTE b) {
    return codePage == 932 && ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC));
}

// 1252 places its accented capitals 0x20 below the small letters, except the multiplication and
// division signs; a few letters of 0x8A-0x9F pair up 0x10 apart, and y diaeresis sits alone.
BYTE UpperByte(BYTE b) {
    if (b >= 'a' && b <= 'z') return static_cast<BYTE>(b - 0x20);
    if (ActiveCodePage() != 1252) return b;
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<BYTE>(b - 0x20);
    if (b == 0x9A || b == 0x9C || b == 0x9E) return static_cast<BYTE>(b - 0x10);
    if (b == 0xFF) return 0x9F;
    return b;
}

BYTE LowerByte(BYTE b) {
    if (b >= 'A' && b <= 'Z') return static_cast<BYTE>(b + 0x20);
    if (ActiveCodePage() != 1252) return b;
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<BYTE>(b + 0x20);
    if (b == 0x8A || b == 0x8C || b == 0x8E) return static_cast<BYTE>(b + 0x10);
    if (b == 0x9F) return 0xFF;
    return b;
}

int CompareNoCase(std::string_view a, std::string_view b) {
    UINT cp = ActiveCodePage();
    size_t i = 0;
    bool trail = false;
    for (; i < a.size() && i < b.size(); ++i) {
        BYTE x = static_cast<BYTE>(a[i]), y = static_cast<BYTE>(b[i]);
        if (!trail) {
            x = UpperByte(x);
            y = UpperByte(y);
        }
        if (x != y) return x < y ? -1 : 1;
        trail = !trail && IsLeadByteIn(cp, x);
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace kernel
