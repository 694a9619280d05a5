// Length conversions with their rounding, as the setting items compute them.
#include "core/helpers/units.h"

#include <gtest/gtest.h>

TEST(Units, ConvertsLengthsWithTheirRounding) {
    struct Case { LONG value, tenthMm, hundredthInch; };
    // tenthMm = HundredthInchToTenthMm(value); hundredthInch = TenthMmToHundredthInch(value)
    for (auto c : {Case{0, 0, 0}, Case{1, 3, 0}, Case{2, 5, 1}, Case{100, 254, 39}, Case{254, 645, 100},
                   Case{850, 2159, 335}, Case{2100, 5334, 827}, Case{2970, 7544, 1169},
                   Case{-1, -2, 0}, Case{-2, -4, 0}, Case{-100, -253, -38}, Case{-254, -644, -99},
                   Case{0x7FFFFFFF, 0x7FFFFFFF, 845466003}, Case{-0x7FFFFFFF - 1, -0x7FFFFFFF - 1, -845466002}}) {
        EXPECT_EQ(HundredthInchToTenthMm(c.value), c.tenthMm) << c.value;
        EXPECT_EQ(TenthMmToHundredthInch(c.value), c.hundredthInch) << c.value;
    }
}
