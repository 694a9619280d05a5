// The simulated 16-bit side's memory and windows (see drvtest/sixteen_bit_side.h), over the
// platform's selector table and 16-bit handles.
#include "drvtest/sixteen_bit_side.h"

#include "platform/wow/vdm_segments.h"

#include <wownt32.h>

#include <algorithm>
#include <cstring>

namespace drvtest {

SixteenBitSide::~SixteenBitSide() {
    for (const Block& block : blocks_) wow::UnmapSegment(block.selector);
}

DWORD SixteenBitSide::Alloc(DWORD size) {
    if (size == 0 || size > wow::kSegmentLimit) return 0;
    Block block{0, std::vector<uint8_t>(size)};
    block.selector = wow::MapSegment(block.bytes.data(), size);
    if (!block.selector) return 0;
    blocks_.push_back(std::move(block));
    return MAKELONG(0, blocks_.back().selector);
}

DWORD SixteenBitSide::Place(const void* bytes, DWORD size) {
    const DWORD vp = Alloc(size);
    if (vp) std::memcpy(Flat(vp), bytes, size);
    return vp;
}

DWORD SixteenBitSide::Text(const std::string& text) { return Place(text.c_str(), static_cast<DWORD>(text.size() + 1)); }

bool SixteenBitSide::Free(DWORD vp) {
    auto it = std::find_if(blocks_.begin(), blocks_.end(), [&](const Block& b) { return b.selector == HIWORD(vp); });
    if (it == blocks_.end() || !wow::UnmapSegment(it->selector)) return false;
    blocks_.erase(it);
    return true;
}

uint8_t* SixteenBitSide::Flat(DWORD vp) {
    for (Block& block : blocks_)
        if (block.selector == HIWORD(vp) && LOWORD(vp) < block.bytes.size()) return block.bytes.data() + LOWORD(vp);
    return nullptr;
}

std::vector<uint8_t> SixteenBitSide::Read(DWORD vp, DWORD size) {
    for (const Block& block : blocks_) {
        if (block.selector != HIWORD(vp) || LOWORD(vp) >= block.bytes.size()) continue;
        const std::size_t length = std::min<std::size_t>(size, block.bytes.size() - LOWORD(vp));
        return std::vector<uint8_t>(block.bytes.begin() + LOWORD(vp), block.bytes.begin() + LOWORD(vp) + length);
    }
    return {};
}

WORD SixteenBitSide::Window(HWND hwnd) { return WOWHandle16(hwnd, WOW_TYPE_HWND); }

std::size_t SixteenBitSide::Blocks() const { return blocks_.size(); }

}  // namespace drvtest
