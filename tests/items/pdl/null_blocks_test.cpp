// Every item of the bundled printers' sheet handed no device mode to load from or store into:
// it answers that nothing was read or written and changes nothing, neither its own value nor the
// sheet's settings and device options.
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/memory/pool_text.h"
#include "drvtest/fixture_device.h"
#include "items/pdl/pdl_conflict.h"
#include "items/pdl/pdl_user_data.h"
#include "settings/items/sv_item.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class NullBlocks : public ::testing::TestWithParam<const char*> {};

std::string ValueText(UIDEVDATA* ctx, CmSvItem& item) {
    char* text = item.GetValueText(ctx);
    std::string value = text ? text : "(none)";
    if (text) FreePoolText(text);
    return value;
}

TEST_P(NullBlocks, NoDeviceModeReadsAndWritesNothing) {
    drvtest::FixtureDevice fixture(kKindUserInterface, GetParam());
    UIDEVDATA* ctx = fixture.Device();
    ASSERT_NE(ctx, nullptr);
    PDLSvConflict* registry = PDLSvUserData::StartSheet(ctx);
    ASSERT_NE(registry, nullptr);
    CmUserData* user = ctx->svc->GetUserData(ctx);
    const uint8_t* settings = user->GetSettingsSource();
    const uint8_t* options = user->GetDeviceOptionSource();
    const std::vector<uint8_t> settingsBefore(settings, settings + user->GetSettingsSourceSize());
    const std::vector<uint8_t> optionsBefore(options, options + ctx->svc->GetDeviceOptionSize(ctx));

    int items = 0;
    for (uint32_t id = 0; id < 0x10000; ++id) {
        auto* item = dynamic_cast<CmSvItem*>(registry->FindItem(id));
        if (!item) continue;
        ++items;
        const std::string before = ValueText(ctx, *item);
        EXPECT_EQ(item->Load(ctx, nullptr), 0) << item->key;
        EXPECT_EQ(ValueText(ctx, *item), before) << item->key;
        EXPECT_EQ(item->Store(ctx, nullptr), 0) << item->key;
    }
    EXPECT_GT(items, 100);
    EXPECT_EQ(std::vector<uint8_t>(settings, settings + settingsBefore.size()), settingsBefore);
    EXPECT_EQ(std::vector<uint8_t>(options, options + optionsBefore.size()), optionsBefore);
    PDLSvUserData::EndSheet(ctx);
}

INSTANTIATE_TEST_SUITE_P(Bundled, NullBlocks,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
