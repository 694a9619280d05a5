// The drawing helpers on the fixture printer's pictures: masked, opaque and keyed drawing put
// the picture's pixels where the mask or key lets them, a missing picture draws nothing, and no
// GDI object is left behind.
#include "core/helpers/drawing.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/canvas.h"
#include "drvtest/fixture_device.h"

#include <gtest/gtest.h>

#include <set>

using drvtest::Canvas;

namespace {

constexpr COLORREF kGrey = RGB(0x80, 0x80, 0x80);

TEST(Drawing, PicturesLandWhereTheirMaskOrKeyLetsThemAndMissingOnesDrawNothing) {
    drvtest::FixtureDevice fixture(kKindUserInterface);
    const size_t objects = drvtest::LiveGdiObjects();
    {
        Canvas surface(40, 20, kGrey);
        EXPECT_TRUE(DrawBitmap(fixture.Device(), surface.dc, 0, 0, IDB_ADD_PROFILE));
        EXPECT_TRUE(DrawMaskedBitmapAt(fixture.Device(), surface.dc, 20, 0, IDB_ADD_PROFILE, IDB_ADD_PROFILE_MASK));
        Canvas mask(40, 20, kGrey);
        EXPECT_TRUE(DrawBitmap(fixture.Device(), mask.dc, 0, 0, IDB_ADD_PROFILE_MASK));
        EXPECT_EQ(surface.colours(0, 0, 16, 16).count(kGrey), 0u);  // an opaque copy covers the background
        // AND the mask into the background, then OR the picture.
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(GetPixel(surface.dc, 20 + x, y), (kGrey & GetPixel(mask.dc, x, y)) | GetPixel(surface.dc, x, y))
                    << x << "," << y;
        surface.save("drawing");
        // The colours of a selected list entry leave the mask a mask.
        Canvas selected(40, 20, kGrey);
        SetTextColor(selected.dc, RGB(255, 255, 255));
        SetBkColor(selected.dc, RGB(0, 0, 128));
        EXPECT_TRUE(DrawMaskedBitmapAt(fixture.Device(), selected.dc, 20, 0, IDB_ADD_PROFILE, IDB_ADD_PROFILE_MASK));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(GetPixel(selected.dc, 20 + x, y), GetPixel(surface.dc, 20 + x, y)) << x << "," << y;
        EXPECT_EQ(GetTextColor(selected.dc), RGB(255, 255, 255));

        Canvas untouched(40, 20, kGrey);
        EXPECT_FALSE(DrawBitmap(fixture.Device(), untouched.dc, 0, 0, 1));
        EXPECT_FALSE(DrawMaskedBitmapAt(fixture.Device(), untouched.dc, 0, 0, IDB_ADD_PROFILE, 1));
        EXPECT_FALSE(DrawTransparentBitmap(nullptr, untouched.dc, 0, 0, IDB_ADD_PROFILE, RGB(255, 0, 255)));
        EXPECT_FALSE(DrawDibResourceSized(fixture.Device(), untouched.dc, 0, 0, 0, 10, IDB_ADD_PROFILE));
        EXPECT_EQ(untouched.colours(0, 0, 40, 20), std::set<COLORREF>{kGrey});

        // Every colour of the picture is its key: nothing lands.
        const COLORREF corner = GetPixel(surface.dc, 0, 0);
        EXPECT_TRUE(DrawTransparentBitmap(fixture.Device(), untouched.dc, 0, 0, IDB_ADD_PROFILE, corner));
        EXPECT_EQ(untouched.colours(0, 0, 16, 16).count(corner), 0u);
        EXPECT_TRUE(DrawDibResourceSized(fixture.Device(), untouched.dc, 0, 0, 32, 16, IDB_ADD_PROFILE));
        EXPECT_EQ(untouched.colours(0, 0, 32, 16).count(kGrey), 0u);
    }
    EXPECT_EQ(drvtest::LiveGdiObjects(), objects);
}

}  // namespace
