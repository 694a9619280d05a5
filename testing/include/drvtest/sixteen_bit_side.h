// Test-only: the 16-bit part of the driver, simulated. Its memory is a set of segments the
// generic thunks map (each block of its own selector, so that a pointer past a block's end is a
// pointer past a segment's limit), its windows are known by 16-bit handles, and it calls the
// library's `GTF_` exports with 16:16 pointers as the driver does. Tests and the host program
// share it; it needs the platform alone.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace drvtest {

class SixteenBitSide {
public:
    SixteenBitSide() = default;
    ~SixteenBitSide();  // unmaps and frees every block it still holds
    SixteenBitSide(const SixteenBitSide&) = delete;
    SixteenBitSide& operator=(const SixteenBitSide&) = delete;

    // A zero-filled block of `size` bytes (1 to 64 KiB) in a segment of its own: its 16:16
    // pointer, offset 0; 0 when the size is out of range.
    DWORD Alloc(DWORD size);
    // A block holding a copy of the bytes, or of the text with its terminating NUL.
    DWORD Place(const void* bytes, DWORD size);
    DWORD Text(const std::string& text);
    // Frees the block the pointer lies in; false when it is not one of this side's.
    bool Free(DWORD vp);

    // The bytes at a 16:16 pointer as this side sees them (null when the pointer is not its own):
    // for the test to fill and read back what the library wrote.
    uint8_t* Flat(DWORD vp);
    std::vector<uint8_t> Read(DWORD vp, DWORD size);  // cut at the block's end

    // The 16-bit handle of a window, as the 16-bit side knows it.
    static WORD Window(HWND hwnd);

    std::size_t Blocks() const;

private:
    struct Block {
        WORD selector;
        std::vector<uint8_t> bytes;
    };
    std::vector<Block> blocks_;
};

}  // namespace drvtest
