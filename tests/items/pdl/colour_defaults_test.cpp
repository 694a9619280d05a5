// The bundled printers' default device modes through VomelDeviceModeInit, as an application gets
// one: the public colour field, the colour mode, the automatic-colour bit and the colour block's
// black-and-white byte all say the same colour, and the colour setting reads it back.
#include "core/devmode/devmode_options.h"
#include "core/library/exports_devicemode.h"
#include "drvtest/fixture_device.h"
#include "items/pdl/sdk.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

namespace {

struct Printer {
    const char* name;
    bool colour;
};

class ColourDefaults : public ::testing::TestWithParam<Printer> {};

TEST_P(ColourDefaults, EveryColourFieldSaysThePrintersColour) {
    drvtest::FixtureDevice fixture(kKindDevmode, GetParam().name);
    RegisterApplicationOptions();
    DWORD size = 0;
    HANDLE probe = VomelDeviceModeInit(GetParam().name, nullptr, &size);
    ASSERT_NE(probe, nullptr);
    VomelDeviceModeTerm(probe);
    std::vector<uint8_t> dm(size);
    auto* devmode = reinterpret_cast<LPDEVMODEA>(dm.data());
    HANDLE session = VomelDeviceModeInit(GetParam().name, devmode, &size);
    ASSERT_NE(session, nullptr);

    const bool colour = GetParam().colour;
    uint16_t mode = 0xFFFF;
    uint32_t flags = 0xFFFFFFFF;
    uint8_t block[130] = {};
    ASSERT_TRUE(devmode::GetOption(dm.data(), 222, &mode, sizeof mode));
    ASSERT_TRUE(devmode::GetOption(dm.data(), 220, &flags, sizeof flags));
    ASSERT_TRUE(devmode::GetOption(dm.data(), 250, block, sizeof block));
    EXPECT_EQ(devmode->dmColor, colour ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME);
    EXPECT_EQ(mode, colour ? 1 : 0);
    EXPECT_EQ(flags & (1u << 14), 0u);
    EXPECT_EQ(block[101], colour ? 0 : 1);
    DWORD shown = 0xABAB;
    EXPECT_EQ(VomelDeviceMode(session, devmode, 2, 0x10074, &shown), 0);
    EXPECT_EQ(shown, colour ? 2u : 1u) << "the option interface's colour and black and white";
    VomelDeviceModeTerm(session);
}

INSTANTIATE_TEST_SUITE_P(Bundled, ColourDefaults,
                         ::testing::Values(Printer{drvtest::kBundledPcl5ePrinter, false},
                                           Printer{drvtest::kBundledPcl5cPrinter, true}));

}  // namespace
