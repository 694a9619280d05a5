// The paper-source, quality, device-settings and layout-options sets in the sheet's registry as
// the sheet's start builds them, reached through the option interface's fan-out under the bundled
// printers' rules: what a request answers and what reaches the sheet's settings.
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "drvtest/fixture_device.h"
#include "items/common/option_word.h"
#include "items/common/paper_source_items.h"
#include "items/common/public_devmode.h"
#include "items/common/quality_items.h"
#include "items/pdl/pdl_conflict.h"
#include "items/pdl/pdl_user_data.h"
#include "items/pdl/quality_item_sets.h"
#include "settings/registry/item_set.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class QualitySets : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        ASSERT_NE(ctx, nullptr);
        registry = PDLSvUserData::StartSheet(ctx);
        ASSERT_NE(registry, nullptr);
        settings = ctx->svc->GetUserData(ctx)->GetSettingsSource();
    }
    void TearDown() override { PDLSvUserData::EndSheet(ctx); }
    bool Colour() const { return std::string(GetParam()) == drvtest::kBundledPcl5cPrinter; }

    drvtest::FixtureDevice fixture{kKindUserInterface, GetParam()};
    UIDEVDATA* ctx = fixture.Device();
    PDLSvConflict* registry = nullptr;
    uint8_t* settings = nullptr;
};

TEST_P(QualitySets, TheSheetBuildsTheSetsAndTheOptionInterfaceReachesThem) {
    for (uint32_t setId : {kPaperSourceSetId, kQualitySetId, kDeviceSettingsSetId, kLayoutOptionsSetId})
        ASSERT_NE(registry->FindPage(setId), nullptr) << setId;

    // Paper selection: the first, other and last pages' sources in one record.
    struct {
        uint32_t mode;
        uint16_t first, second, other, last, interleaf, spare;
    } record{1, 3, 0, 1, 264, 0, 0};
    static_assert(sizeof record == kSelectionRecordSize);
    EXPECT_EQ(registry->SdkSetValue(ctx, 0x10082, &record), kSdkDone);
    EXPECT_EQ(ReadOptionShort(ctx, settings, kOptPaperSelection), kSelectFirstOtherLast);
    EXPECT_EQ(ReadOptionShort(ctx, settings, kOptFirstPageSource), 3);
    EXPECT_EQ(publicdm::U16(settings, kPublicDefaultSource), 1);
    EXPECT_EQ(ReadOptionShort(ctx, settings, kOptLastPageSource), 264);
    record = {};
    EXPECT_EQ(registry->SdkRequest(ctx, 2, 0x10082, &record), kSdkDone);
    EXPECT_EQ(record.mode, 1u);
    EXPECT_EQ(record.last, 264);
    // A mode no row serves is refused and changes nothing.
    record.mode = 5;
    EXPECT_EQ(registry->SdkSetValue(ctx, 0x10082, &record), kSdkNotSupported);
    EXPECT_EQ(ReadOptionShort(ctx, settings, kOptPaperSelection), kSelectFirstOtherLast);
    EXPECT_EQ(registry->SdkApply(ctx, 0x10082, nullptr), kSdkDone);
    EXPECT_EQ(ReadOptionShort(ctx, settings, kOptPaperSelection), kSelectOneSource);

    // Colour: automatic only where the device chooses colour; a monochrome engine refuses.
    int32_t automatic = 0;
    EXPECT_EQ(registry->SdkSetValue(ctx, 0x10074, &automatic), Colour() ? kSdkDone : kSdkRefused);
    EXPECT_EQ(ReadOptionShort(ctx, settings, kOptColour), Colour() ? 2 : 0);
    int32_t image = 2;
    EXPECT_EQ(registry->SdkSetValue(ctx, 0x100402, &image), kSdkDone);
    EXPECT_EQ(ReadOptionShort(ctx, settings, kOptPrintImage), 2);
    // The catalogue is on; four pages per sheet would end it.
    uint32_t on = 1;
    EXPECT_EQ(registry->SdkSetValue(ctx, 0x10057, &on), kSdkDone);
    EXPECT_EQ(ReadOptionShort(ctx, settings, 124), kModeCatalog);
    int32_t dateAtLowerRight = 6;
    EXPECT_EQ(registry->SdkSetValue(ctx, 0x10022, &dateAtLowerRight), kSdkDone);
    EXPECT_EQ(ReadOptionShort(ctx, settings, 141), 0x1020);
}

INSTANTIATE_TEST_SUITE_P(BundledPrinters, QualitySets,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
