// The generic thunks' conversions as the 16-bit side's callers meet them: a 16:16 pointer becomes
// a flat pointer only inside its segment, and a 16-bit window handle names only a live window.
#include "drvtest/sixteen_bit_side.h"
#include "drvtest/test_window.h"
#include "platform/wow/vdm_segments.h"

#include <gtest/gtest.h>
#include <wownt32.h>

namespace {

using drvtest::SixteenBitSide;

DWORD Vp(int offset, int selector) { return static_cast<DWORD>(MAKELONG(offset, selector)); }

TEST(VdmPointer, ConvertsOnlyBlocksInsideALiveSegment) {
    SixteenBitSide side;
    const DWORD block = side.Alloc(100);
    ASSERT_NE(block, 0u);
    const WORD selector = HIWORD(block);
    struct Case {
        const char* what;
        DWORD vp;
        DWORD bytes;
        BOOL protectedMode;
        bool converts;
    };
    const Case cases[] = {
        {"the whole block", block, 100, TRUE, true},
        {"its last byte", Vp(99, selector), 1, TRUE, true},
        {"zero bytes at its start", block, 0, TRUE, true},
        {"one byte more than the block", block, 101, TRUE, false},
        {"a block straddling the limit", Vp(60, selector), 41, TRUE, false},
        {"an offset at the limit", Vp(100, selector), 0, TRUE, false},
        {"an offset far past the limit", Vp(0xFFFF, selector), 1, TRUE, false},
        {"a size that wraps the offset", Vp(10, selector), 0xFFFFFFFF, TRUE, false},
        {"a null pointer", 0, 1, TRUE, false},
        {"a selector of the global table", Vp(0, selector & ~4), 1, TRUE, false},
        {"a selector that maps nothing", Vp(0, selector + 0x800), 1, TRUE, false},
        {"a real-mode pointer", block, 1, FALSE, false},
    };
    for (const Case& c : cases) {
        void* flat = WOWGetVDMPointer(c.vp, c.bytes, c.protectedMode);
        EXPECT_EQ(flat != nullptr, c.converts) << c.what;
        if (flat) {
            EXPECT_EQ(flat, side.Flat(c.vp)) << c.what;
        }
    }

    const DWORD freed = side.Text("Vomel");
    ASSERT_NE(WOWGetVDMPointer(freed, 6, TRUE), nullptr);
    ASSERT_TRUE(side.Free(freed));
    EXPECT_EQ(WOWGetVDMPointer(freed, 1, TRUE), nullptr);
    EXPECT_FALSE(side.Free(freed));
}

// Memory the library hands to the 16-bit side: zero-filled, a segment of its own, and freed only
// by its own pointer.
TEST(Global16, ABlockIsASegmentOfItsOwnAndAFixedOneStaysUntilUnfixed) {
    HMEM16 handle = 0;
    const DWORD vp = WOWGlobalAllocLock16(0, 100, &handle);
    ASSERT_NE(vp, 0u);
    EXPECT_EQ(LOWORD(vp), 0);
    EXPECT_EQ(handle, HIWORD(vp));
    const auto* bytes = static_cast<const uint8_t*>(WOWGetVDMPointer(vp, 100, TRUE));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[0] | bytes[99], 0);
    EXPECT_EQ(WOWGetVDMPointer(vp, 101, TRUE), nullptr) << "past the block's end";
    EXPECT_EQ(WOWGlobalUnlockFree16(vp + 1), vp + 1) << "a pointer into the block";
    EXPECT_EQ(WOWGlobalUnlockFree16(vp), 0u);
    EXPECT_EQ(WOWGetVDMPointer(vp, 1, TRUE), nullptr);
    EXPECT_EQ(WOWGlobalUnlockFree16(vp), vp) << "freed already";
    EXPECT_EQ(WOWGlobalAllocLock16(0, 0, &handle), 0u);
    EXPECT_EQ(WOWGlobalAllocLock16(0, 0x10001, &handle), 0u);
    EXPECT_EQ(handle, 0);

    SixteenBitSide side;
    const DWORD block = side.Alloc(16);
    EXPECT_EQ(WOWGetVDMPointerFix(block, 20, TRUE), nullptr);  // refused: fixes nothing
    EXPECT_EQ(wow::FixCount(HIWORD(block)), 0u);
    ASSERT_NE(WOWGetVDMPointerFix(block, 16, TRUE), nullptr);
    EXPECT_EQ(wow::FixCount(HIWORD(block)), 1u);
    EXPECT_FALSE(side.Free(block)) << "a fixed segment is not taken away";
    WOWGetVDMPointerUnfix(block);
    EXPECT_EQ(wow::FixCount(HIWORD(block)), 0u);
    WOWGetVDMPointerUnfix(block);  // an unbalanced unfix changes nothing
    EXPECT_TRUE(side.Free(block));
    EXPECT_EQ(side.Alloc(0), 0u);
    EXPECT_EQ(side.Alloc(0x10001), 0u);
    const DWORD largest = side.Alloc(0x10000);
    ASSERT_NE(largest, 0u);
    EXPECT_NE(WOWGetVDMPointer(Vp(0xFFFF, HIWORD(largest)), 1, TRUE), nullptr);
}

TEST(WowHandle, NamesALiveWindowOnly) {
    HWND window = drvtest::MakeWindow("WowHandleTest", DefWindowProcA, WS_OVERLAPPEDWINDOW, 100, 100);
    ASSERT_NE(window, nullptr);
    const WORD h16 = SixteenBitSide::Window(window);
    ASSERT_NE(h16, 0);
    EXPECT_EQ(SixteenBitSide::Window(window), h16) << "a window keeps its number";
    EXPECT_EQ(WOWHandle32(h16, WOW_TYPE_HWND), window);
    EXPECT_EQ(WOWHandle32(h16, WOW_TYPE_FULLHWND), window);
    EXPECT_EQ(WOWHandle32(h16, WOW_TYPE_HDC), nullptr) << "a window number is not a device context";
    EXPECT_EQ(WOWHandle32(static_cast<WORD>(h16 + 2), WOW_TYPE_HWND), nullptr);
    EXPECT_EQ(WOWHandle32(0, WOW_TYPE_HWND), nullptr);
    DestroyWindow(window);
    EXPECT_EQ(WOWHandle32(h16, WOW_TYPE_HWND), nullptr);
    EXPECT_EQ(WOWHandle16(window, WOW_TYPE_HWND), 0) << "a destroyed window gets no number";
}

}  // namespace
