// The item sets in the sheet's registry over the bundled printers, as the sheet's start builds
// them: the finishing page's partners the option interface reaches through the registry (the
// booklet document value, the staple switch, the sheets per set, the margin switch), the
// finishing page's buttons gating the dialogs' requests and the staple points the binding edge
// allows; the paper-source, quality, device-settings and layout-options sets reached through the
// option interface's fan-out; and every item handed no device mode reading and writing nothing.
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/memory/pool_text.h"
#include "drvtest/fixture_device.h"
#include "items/common/booklet_items.h"
#include "items/common/gutter_margin.h"
#include "items/common/option_word.h"
#include "items/common/paper_source_items.h"
#include "items/common/public_devmode.h"
#include "items/common/quality_items.h"
#include "items/pdl/finishing_item_sets.h"
#include "items/pdl/pdl_conflict.h"
#include "items/pdl/pdl_user_data.h"
#include "items/pdl/quality_item_sets.h"
#include "pie/api/api.h"
#include "settings/items/sv_onoff.h"
#include "settings/registry/item_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class RegistrySets : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        ctx = fixture.Device();
        ASSERT_NE(ctx, nullptr);
        registry = PDLSvUserData::StartSheet(ctx);
        ASSERT_NE(registry, nullptr);
        settings = ctx->svc->GetUserData(ctx)->GetSettingsSource();
    }
    void TearDown() override { PDLSvUserData::EndSheet(ctx); }

    template <class T>
    T& Item(uint32_t id) {
        auto* item = dynamic_cast<T*>(registry->FindItem(id));
        EXPECT_NE(item, nullptr) << id;
        return *item;
    }

    drvtest::FixtureDevice fixture{kKindUserInterface, GetParam()};
    UIDEVDATA* ctx = nullptr;
    PDLSvConflict* registry = nullptr;
    uint8_t* settings = nullptr;
};

TEST_P(RegistrySets, CentreFoldStapleTakesTheBookletAlongOnlyThroughTheApplicationsKey) {
    auto& fold = Item<CmSvCK_CenterFoldStaple>(CmSvCK_CenterFoldStaple::kItemId);
    auto& booklet = Item<CmSvOnOff>(CmSvCK_CenterFoldStaple::kAppBookletItem);
    fold.enabled = 1;
    booklet.current = 0;
    uint32_t on = 1;
    EXPECT_EQ(fold.SetCurrent(ctx, CmSvCK_CenterFoldStaple::kSwitchKey, &on), 0);
    EXPECT_EQ(fold.current, 1);
    EXPECT_EQ(booklet.current, 0);
    EXPECT_EQ(registry->changed.count(&booklet), 0u);
    fold.current = 0;
    fold.enabled = 0;  // the application's request does not ask the page
    EXPECT_EQ(fold.SetCurrent(ctx, CmSvCK_CenterFoldStaple::kBookletKey, &on), 0);
    EXPECT_EQ(fold.current, 1);
    EXPECT_EQ(booklet.current, 1);
    EXPECT_EQ(registry->changed.count(&booklet), 1u);
    uint32_t two = 2;
    EXPECT_EQ(fold.SetCurrent(ctx, CmSvCK_CenterFoldStaple::kBookletKey, &two), 2);
    EXPECT_EQ(booklet.current, 1) << "a value it does not serve changes nothing";
    EXPECT_EQ(fold.Apply(ctx, CmSvCK_CenterFoldStaple::kBookletKey, nullptr), 0);
    EXPECT_EQ(fold.current, 0);
    EXPECT_EQ(booklet.current, 0);
    EXPECT_EQ(fold.Apply(ctx, CmSvCK_CenterFoldStaple::kSwitchKey, nullptr), 3);
    uint32_t size = 0;
    EXPECT_EQ(fold.GetValue(ctx, 0x10099, &size), 2);
    EXPECT_EQ(fold.GetValue(ctx, CmSvCK_CenterFoldStaple::kBookletKey, &size), 0);
    EXPECT_EQ(size, 4u);
}

TEST_P(RegistrySets, FinishingMethodIsTheStapleSwitch) {
    auto& staple = Item<CmSvCK_Staple>(CmSvCK_Staple::kItemId);
    auto& method = Item<CmSvMulti_FinishingMethod>(CmSvMulti_FinishingMethod::kItemId);
    staple.enabled = 1;
    staple.current = 0;
    uint32_t value = 0x00050003;  // stapled, with switches in the high half
    EXPECT_EQ(method.SetCurrent(ctx, CmSvMulti_FinishingMethod::kKey, &value), 0);
    EXPECT_EQ(staple.current, 1);
    int32_t now = 0;
    EXPECT_EQ(method.GetCurrent(ctx, CmSvMulti_FinishingMethod::kKey, &now), 0);
    EXPECT_EQ(now, 3);
    staple.current = 0;
    EXPECT_EQ(method.GetCurrent(ctx, CmSvMulti_FinishingMethod::kKey, &now), 0);
    EXPECT_EQ(now, 2);
    staple.enabled = 0;
    EXPECT_EQ(method.IsSdkValueEnabled(ctx, 3), 0);
    EXPECT_EQ(method.SetCurrent(ctx, CmSvMulti_FinishingMethod::kKey, &value), 3);
    EXPECT_EQ(staple.current, 0);
    value = 1;
    EXPECT_EQ(method.SetCurrent(ctx, CmSvMulti_FinishingMethod::kKey, &value), 2);
    // The staple point's requests follow the staple switch's availability.
    auto& position = Item<CmSvRB_Position>(CmSvRB_Position::kItemId);
    staple.available = 0;
    EXPECT_EQ(position.GetCurrent(ctx, 0x1006a, &now), 2);
    staple.available = 1;
    EXPECT_EQ(position.GetCurrent(ctx, 0x1006a, &now), 0);
}

TEST_P(RegistrySets, BindingEdgeNarrowsTheStaplePoints) {
    auto& binding = Item<CmSvCB_BindDirect>(CmSvCB_BindDirect::kItemId);
    auto& position = Item<CmSvRB_Position>(CmSvRB_Position::kItemId);
    auto pointOf = [&]() { return position.CurrentRow()->value; };
    auto enabledPoints = [&]() {
        std::vector<int32_t> points;
        for (uint32_t i = 0; i < position.count; ++i)
            if (position.Row(i)->enabled == 1) points.push_back(position.Row(i)->value);
        std::sort(points.begin(), points.end());
        return points;
    };
    const char* portrait[] = {"SET_TABLE", "PORTRAIT"};
    position.Action(ctx, 2, portrait, nullptr);
    binding.current = binding.FindValue(1);
    position.current = 0;  // point 9
    position.EnablePoints(ctx, 0xFF);
    EXPECT_EQ(enabledPoints(), (std::vector<int32_t>{11, 14, 17}));
    EXPECT_EQ(pointOf(), 11);

    binding.current = binding.FindValue(2);
    position.EnablePoints(ctx, 0xFF);
    position.current = 0;
    const char* disable[] = {"DISABLE_POINT", "1", "9"};
    EXPECT_EQ(position.Action(ctx, 3, disable, nullptr), 1);
    EXPECT_EQ(enabledPoints(), (std::vector<int32_t>{10, 11}));
    EXPECT_EQ(pointOf(), 10);
    uint32_t rows = 0;
    EXPECT_EQ(position.GetCount(ctx, 0x1006a, &rows), 0);
    EXPECT_EQ(rows, 2u);

    // Turned rows take the first point along the edge.
    binding.current = binding.FindValue(3);
    const char* landscape[] = {"LANDSCAPE"};
    EXPECT_EQ(position.Action(ctx, 1, landscape, nullptr), 1);
    EXPECT_EQ(pointOf(), 15);
}

TEST_P(RegistrySets, BookletRequestsWaitForTheBookletButtonAndChangeNothingWhenRefused) {
    auto& button = Item<CmSvControl>(kBookletOptionsButton);
    auto& method = Item<CmSvRB_PrintingMethod>(CmSvRB_PrintingMethod::kItemId);
    auto& sheets = Item<CmSvDGT_SheetPerSets>(CmSvDGT_SheetPerSets::kItemId);
    auto& margin = Item<CmSvDGT_BookletMargin>(CmSvDGT_BookletMargin::kItemId);
    auto& useMargin = Item<CmSvCK_UseMargin>(CmSvCK_UseMargin::kItemId);
    button.enabled = 1;
    method.current = 0;
    sheets.current = 15;

    int32_t request[2] = {1, 4};
    EXPECT_EQ(method.SetCurrent(ctx, 0x10006, request), 0);
    EXPECT_EQ(method.current, 1u);
    EXPECT_EQ(sheets.current, 4);
    int32_t now[2] = {};
    EXPECT_EQ(method.GetCurrent(ctx, 0x10006, now), 0);
    EXPECT_EQ(now[0], 1);
    EXPECT_EQ(now[1], 4);

    method.current = 0;
    method.Row(1)->enabled = 0;
    request[1] = 6;
    EXPECT_EQ(method.SetCurrent(ctx, 0x10006, request), 3);
    EXPECT_EQ(method.current, 0u);
    EXPECT_EQ(sheets.current, 4) << "a refused request leaves the sheets per set";
    method.Row(1)->enabled = 1;
    request[1] = 16;
    EXPECT_EQ(method.SetCurrent(ctx, 0x10006, request), 2);
    EXPECT_EQ(sheets.current, 4);

    int32_t millimetres = 2500;
    useMargin.current = 0;
    EXPECT_EQ(margin.SetCurrent(ctx, 0x10089, &millimetres), 0);
    EXPECT_EQ(margin.current, 250);
    EXPECT_EQ(useMargin.current, 1);
    int32_t reported = 0;
    EXPECT_EQ(margin.GetCurrent(ctx, 0x10089, &reported), 0);
    EXPECT_EQ(reported, 2500);
    millimetres = 99;
    EXPECT_EQ(margin.SetCurrent(ctx, 0x10089, &millimetres), 0);
    EXPECT_EQ(margin.current, 0);
    EXPECT_EQ(useMargin.current, 0);
    millimetres = 3100;
    EXPECT_EQ(margin.SetCurrent(ctx, 0x10089, &millimetres), 2);

    button.enabled = 0;
    millimetres = 1000;
    EXPECT_EQ(margin.SetCurrent(ctx, 0x10089, &millimetres), 3);
    EXPECT_EQ(method.Apply(ctx, 0x10006, nullptr), 3);
    EXPECT_EQ(margin.current, 0);

    // The gutter margin waits for its own button, in millimetres whatever the dialog shows.
    auto& gutter = Item<CmSvDGT_MarginSet>(CmSvDGT_MarginSet::kItemId);
    Item<CmSvControl>(kMarginButton).enabled = 1;
    ctx->svc->GetUserData(ctx)->SetInchUnit(TRUE);
    gutter.Init(ctx, nullptr);
    millimetres = 2000;
    EXPECT_EQ(gutter.SetCurrent(ctx, 0x10073, &millimetres), 0);
    EXPECT_EQ(gutter.current, 20);
    Item<CmSvControl>(kMarginButton).enabled = 0;
    EXPECT_EQ(gutter.GetCurrent(ctx, 0x10073, &reported), 3);
}

TEST_P(RegistrySets, RulesGiveTheBookletMarginInTenthsOfAMillimetre) {
    auto& useMargin = Item<CmSvCK_UseMargin>(CmSvCK_UseMargin::kItemId);
    auto& margin = Item<CmSvDGT_BookletMargin>(CmSvDGT_BookletMargin::kItemId);
    const char* rules = "Booklet$Margin(250) :- Booklet$UseMargin(ON).\n"
                        "Booklet$Margin(310) :- Booklet$UseMargin(OFF).\n";
    ASSERT_EQ(PIE_main(registry->engine, rules), 0);
    useMargin.current = 1;
    registry->ReevaluateAll(ctx);
    EXPECT_EQ(margin.current, 250) << "25 mm lies within the 30 mm the field shows";
    useMargin.current = 0;
    registry->ReevaluateAll(ctx);
    EXPECT_EQ(margin.current, 250) << "31 mm is past the largest margin";
}

TEST_P(RegistrySets, TheSheetBuildsTheSetsAndTheOptionInterfaceReachesThem) {
    const bool colour = std::string(GetParam()) == drvtest::kBundledPcl5cPrinter;
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
    EXPECT_EQ(registry->SdkSetValue(ctx, 0x10074, &automatic), colour ? kSdkDone : kSdkRefused);
    EXPECT_EQ(ReadOptionShort(ctx, settings, kOptColour), colour ? 2 : 0);
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

std::string ValueText(UIDEVDATA* ctx, CmSvItem& item) {
    char* text = item.GetValueText(ctx);
    std::string value = text ? text : "(none)";
    if (text) FreePoolText(text);
    return value;
}

// Every item handed no device mode to load from or store into answers that nothing was read or
// written and changes nothing, neither its own value nor the sheet's settings and device options.
TEST_P(RegistrySets, NoDeviceModeReadsAndWritesNothing) {
    CmUserData* user = ctx->svc->GetUserData(ctx);
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
}

INSTANTIATE_TEST_SUITE_P(Bundled, RegistrySets,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
