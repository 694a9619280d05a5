// 16:16 pointers to flat pointers. Selectors are local-descriptor values (index, table bit,
// privilege 3), as the 16-bit side's would be. Every conversion is checked against the segment's
// limit: a selector that maps nothing or a block that runs past the limit converts to null,
// never to an address beside the segment.
#include "platform/wow/vdm_segments.h"

#include <wownt32.h>

#include <cstdint>
#include <mutex>
#include <vector>

namespace {

constexpr WORD kSelectorLow = 7;  // table bit and privilege 3
constexpr std::size_t kMaxSegments = 8191;

struct Segment {
    uint8_t* base = nullptr;
    DWORD size = 0;
    unsigned fixed = 0;
};

std::mutex g_lock;
std::vector<Segment> g_segments(1);  // index 0 is never handed out: a null selector maps nothing

// The segment a selector names, or null. Called with g_lock held.
Segment* Find(WORD selector) {
    if ((selector & kSelectorLow) != kSelectorLow) return nullptr;
    const std::size_t index = selector >> 3;
    if (index == 0 || index >= g_segments.size() || !g_segments[index].base) return nullptr;
    return &g_segments[index];
}

// The block's flat address, when the segment holds it whole; a zero-byte request still needs its
// first byte inside. Called with g_lock held.
uint8_t* Resolve(DWORD vp, DWORD bytes, BOOL protectedMode, Segment** found) {
    // There is no real-mode memory in this process: only protected-mode pointers convert.
    if (!protectedMode) return nullptr;
    Segment* segment = Find(HIWORD(vp));
    const DWORD offset = LOWORD(vp);
    const DWORD needed = bytes ? bytes : 1;
    if (!segment || offset >= segment->size || needed > segment->size - offset) return nullptr;
    if (found) *found = segment;
    return segment->base + offset;
}

}  // namespace

namespace wow {

WORD MapSegment(void* base, DWORD size) {
    if (!base || size == 0 || size > kSegmentLimit) return 0;
    std::lock_guard<std::mutex> lock(g_lock);
    std::size_t index = 1;
    while (index < g_segments.size() && g_segments[index].base) ++index;
    if (index > kMaxSegments) return 0;
    if (index == g_segments.size()) g_segments.emplace_back();
    g_segments[index] = Segment{static_cast<uint8_t*>(base), size, 0};
    return static_cast<WORD>((index << 3) | kSelectorLow);
}

bool UnmapSegment(WORD selector) {
    std::lock_guard<std::mutex> lock(g_lock);
    Segment* segment = Find(selector);
    if (!segment || segment->fixed) return false;
    *segment = Segment{};
    return true;
}

unsigned FixCount(WORD selector) {
    std::lock_guard<std::mutex> lock(g_lock);
    const Segment* segment = Find(selector);
    return segment ? segment->fixed : 0;
}

}  // namespace wow

extern "C" LPVOID WINAPI WOWGetVDMPointer(DWORD vp, DWORD dwBytes, BOOL fProtectedMode) {
    std::lock_guard<std::mutex> lock(g_lock);
    return Resolve(vp, dwBytes, fProtectedMode, nullptr);
}

extern "C" LPVOID WINAPI WOWGetVDMPointerFix(DWORD vp, DWORD dwBytes, BOOL fProtectedMode) {
    std::lock_guard<std::mutex> lock(g_lock);
    Segment* segment = nullptr;
    uint8_t* flat = Resolve(vp, dwBytes, fProtectedMode, &segment);
    if (flat) ++segment->fixed;
    return flat;
}

extern "C" VOID WINAPI WOWGetVDMPointerUnfix(DWORD vp) {
    std::lock_guard<std::mutex> lock(g_lock);
    Segment* segment = Find(HIWORD(vp));
    if (segment && segment->fixed) --segment->fixed;
}
