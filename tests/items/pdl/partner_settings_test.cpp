// Settings one item changes in another on an application's request through VomelDeviceMode:
// the partner reads back its new value and the device mode handed back holds it too.
#include "driver_option_fixture.h"

#include "core/devmode/devmode_options.h"

namespace {

class PartnerSettings : public DriverOptions {
protected:
    uint32_t Option(uint32_t number) {
        uint32_t value = 0;
        devmode::GetOption(devmode.data(), number, &value, sizeof value);
        return value;
    }
};

TEST_F(PartnerSettings, ThePartnersValueReachesTheCallersDeviceMode) {
    constexpr uint32_t kUseMargin = 1u << 2, kCentreFold = 1u << 0, kAppBooklet = 1u << 19;
    ASSERT_EQ(Set(0x10057, 1), 0) << "a booklet, so that its options may be set";

    // The booklet margin turns "use a margin" on, and off again with no margin.
    ASSERT_EQ(Set(0x10089, 2500), 0);
    EXPECT_EQ(Option(133) & 0xFFFF, 250u);
    EXPECT_EQ(Option(130) & kUseMargin, kUseMargin);
    ASSERT_EQ(Set(0x10089, 99), 0);
    EXPECT_EQ(Option(130) & kUseMargin, 0u);

    // Dividing into sets carries the number of sheets per set.
    DWORD method[2] = {1, 7};
    ASSERT_EQ(Ask(3, 0x10006, method), 0);
    DWORD readBack[2] = {};
    ASSERT_EQ(Ask(2, 0x10006, readBack), 0);
    EXPECT_EQ(readBack[1], 7u);
    EXPECT_EQ(Option(131) & 0xFFFF, 7u);

    // The application's booklet request turns the centre-fold staple and the application booklet
    // together.
    for (DWORD on : {1u, 0u}) {
        ASSERT_EQ(Set(0x10031, on), 0) << on;
        EXPECT_EQ(Option(130) & kCentreFold, on ? kCentreFold : 0u) << on;
        EXPECT_EQ(Option(110) & kAppBooklet, on ? kAppBooklet : 0u) << on;
    }
}

}  // namespace
