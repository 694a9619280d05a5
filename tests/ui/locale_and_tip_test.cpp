// The locale's number texts and the utility tip window: a German user sees commas in numbers
// and nowhere else; a tip window shows what its paint procedure draws and goes without a trace.
#include "drvtest/kernel.h"
#include "ui/cm_locale.h"
#include "ui/utility_tip_window.h"
#include "ui_test_support.h"

#include <cstring>

namespace uitest {
namespace {

TEST(CmLocale, RewritesTheDecimalPointOfNumbersOnly) {
    struct Case {
        LCID locale;
        const char* text;
        const char* shown;
    };
    for (const Case& c : {Case{0x0407, "Width: 215.9 mm", "Width: 215,9 mm"},
                          Case{0x0407, "8.50 x 11.00 in.", "8,50 x 11,00 in."},
                          Case{0x0407, ".5 and 5. stay", ".5 and 5. stay"},
                          Case{0x0409, "Width: 215.9 mm", "Width: 215.9 mm"}}) {
        drvtest::SetUserLocale(c.locale);
        CmLocale locale;
        char text[64];
        std::strcpy(text, c.text);
        locale.LocalizeNumberText(text);
        EXPECT_STREQ(text, c.shown) << c.text;
    }
    drvtest::SetUserLocale(0x0409);
    CmLocale().LocalizeNumberText(nullptr);
}

struct Painted {
    int calls = 0;
    RECT client{};
    const void* record = nullptr;
};

void PaintTip(HWND, HDC dc, const RECT& client, const void* record) {
    auto* painted = static_cast<Painted*>(const_cast<void*>(record));
    ++painted->calls;
    painted->client = client;
    painted->record = record;
    HBRUSH brush = CreateSolidBrush(RGB(255, 255, 225));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
}

TEST_F(DialogTest, UtilityTipShowsWhatItsProcedurePaints) {
    Painted painted;
    UtilityTipRequest request{owner, 40, 50, 120, 36, &painted, PaintTip};
    HWND tip = CreateUtilityTipWindow(&request);
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(IsWindowVisible(tip));
    EXPECT_NE(GetActiveWindow(), tip);
    RECT place{};
    GetWindowRect(tip, &place);
    EXPECT_EQ(place.left, 40);
    EXPECT_EQ(place.top, 50);
    EXPECT_GE(painted.calls, 1);
    EXPECT_EQ(painted.record, &painted);
    EXPECT_EQ(painted.client.right, 120);
    EXPECT_EQ(painted.client.bottom, 36);
    DestroyUtilityTipWindow(tip);
    EXPECT_FALSE(IsWindow(tip));
    DestroyUtilityTipWindow(tip);  // twice is harmless

    for (UtilityTipRequest bad : {UtilityTipRequest{owner, 0, 0, 10, 10, nullptr, nullptr},
                                  UtilityTipRequest{owner, 0, 0, 0, 10, &painted, PaintTip}})
        EXPECT_EQ(CreateUtilityTipWindow(&bad), nullptr);
    EXPECT_EQ(CreateUtilityTipWindow(nullptr), nullptr);
    ExpectNothingLeft();
}

}  // namespace
}  // namespace uitest
