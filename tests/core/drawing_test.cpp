// The drawing helpers on the fixture printer's pictures: masked, opaque and keyed drawing put
// the picture's pixels where the mask or key lets them, a missing picture draws nothing, and no
// GDI object is left behind.
#include "core/helpers/drawing.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/fixture_device.h"
#include "drvtest/gdi.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr COLORREF kGrey = RGB(0x80, 0x80, 0x80);

// A 40 x 20 grey surface; the test draws into it and reads it back.
class Surface {
public:
    Surface() : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateBitmap(40, 20, 1, 32, nullptr)) {
        previous_ = SelectObject(dc_, bitmap_);
        RECT all = {0, 0, 40, 20};
        HBRUSH grey = CreateSolidBrush(kGrey);
        FillRect(dc_, &all, grey);
        DeleteObject(grey);
    }
    ~Surface() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    // The colours within the rectangle.
    std::set<COLORREF> Colours(int x, int y, int cx, int cy) const {
        std::set<COLORREF> seen;
        for (int row = y; row < y + cy; ++row)
            for (int column = x; column < x + cx; ++column) seen.insert(GetPixel(dc_, column, row));
        return seen;
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

TEST(Drawing, PicturesLandWhereTheirMaskOrKeyLetsThemAndMissingOnesDrawNothing) {
    drvtest::FixtureDevice fixture(kKindUserInterface);
    const size_t objects = drvtest::LiveGdiObjects();
    {
        Surface surface;
        EXPECT_TRUE(DrawBitmap(fixture.Device(), surface.Dc(), 0, 0, IDB_ADD_PROFILE));
        EXPECT_TRUE(DrawMaskedBitmapAt(fixture.Device(), surface.Dc(), 20, 0, IDB_ADD_PROFILE, IDB_ADD_PROFILE_MASK));
        Surface mask;
        EXPECT_TRUE(DrawBitmap(fixture.Device(), mask.Dc(), 0, 0, IDB_ADD_PROFILE_MASK));
        EXPECT_EQ(surface.Colours(0, 0, 16, 16).count(kGrey), 0u);  // an opaque copy covers the background
        // AND the mask into the background, then OR the picture.
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(GetPixel(surface.Dc(), 20 + x, y), (kGrey & GetPixel(mask.Dc(), x, y)) | GetPixel(surface.Dc(), x, y))
                    << x << "," << y;
        EXPECT_TRUE(drvtest::SavePng(surface.Dc(), DRVOPUI_TEST_OUTPUT_DIR "/drawing.png"));

        Surface untouched;
        EXPECT_FALSE(DrawBitmap(fixture.Device(), untouched.Dc(), 0, 0, 1));
        EXPECT_FALSE(DrawMaskedBitmapAt(fixture.Device(), untouched.Dc(), 0, 0, IDB_ADD_PROFILE, 1));
        EXPECT_FALSE(DrawTransparentBitmap(nullptr, untouched.Dc(), 0, 0, IDB_ADD_PROFILE, RGB(255, 0, 255)));
        EXPECT_FALSE(DrawDibResourceSized(fixture.Device(), untouched.Dc(), 0, 0, 0, 10, IDB_ADD_PROFILE));
        EXPECT_EQ(untouched.Colours(0, 0, 40, 20), std::set<COLORREF>{kGrey});

        // Every colour of the picture is its key: nothing lands.
        const COLORREF corner = GetPixel(surface.Dc(), 0, 0);
        EXPECT_TRUE(DrawTransparentBitmap(fixture.Device(), untouched.Dc(), 0, 0, IDB_ADD_PROFILE, corner));
        EXPECT_EQ(untouched.Colours(0, 0, 16, 16).count(corner), 0u);
        EXPECT_TRUE(DrawDibResourceSized(fixture.Device(), untouched.Dc(), 0, 0, 32, 16, IDB_ADD_PROFILE));
        EXPECT_EQ(untouched.Colours(0, 0, 32, 16).count(kGrey), 0u);
    }
    EXPECT_EQ(drvtest::LiveGdiObjects(), objects);
}

}  // namespace
