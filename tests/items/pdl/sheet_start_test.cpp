// The sheet's start over the bundled printers: the user data makes the registry, the item sets
// of the device's capabilities and the request's values are registered with their items, the
// rules run over the real rule program and see the "Spec$" values, and the sheet's end takes it all
// down; a device-mode request of subtype 80 starts without a dialog.
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "drvtest/fixture_device.h"
#include "items/common/spec_lists.h"
#include "items/pdl/pdl_conflict.h"
#include "items/pdl/pdl_user_data.h"
#include "items/pdl/value_item_sets.h"
#include "pie/api/api.h"
#include "settings/items/sv_multi.h"
#include "settings/items/sv_onoff.h"
#include "settings/items/sv_string.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Printer {
    const char* name;
    const char* model;
    int32_t pdl;
};

class SheetStart : public ::testing::TestWithParam<Printer> {};

TEST_P(SheetStart, BuildsTheValueSetsAndTheRulesSeeTheCapabilities) {
    drvtest::FixtureDevice fixture(kKindUserInterface, GetParam().name);
    UIDEVDATA* ctx = fixture.Device();
    ASSERT_NE(ctx, nullptr);
    CmUserData* user = ctx->svc->GetUserData(ctx);
    ASSERT_NE(user, nullptr);

    PDLSvConflict* registry = PDLSvUserData::StartSheet(ctx);
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(user->GetConflict(), static_cast<void*>(static_cast<CmSvConflict*>(registry)));
    EXPECT_EQ(PDLSvUserData::StartSheet(ctx), nullptr);  // one registry per sheet
    EXPECT_EQ(registry->noDialog, 0);
    ASSERT_NE(registry->engine, nullptr);
    ASSERT_NE(registry->FindPage(kSpecItemSet), nullptr);
    ASSERT_NE(registry->FindPage(kAppDocItemSet), nullptr);

    auto* model = dynamic_cast<CmSvString*>(registry->FindItem(1190));
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(std::string(model->current), GetParam().model);
    auto* forms = dynamic_cast<CmSvMulti*>(registry->FindItem(1257));
    ASSERT_NE(forms, nullptr);
    EXPECT_GT(forms->count, 0u);
    // Every form is a choice the rules can name.
    EXPECT_NE(registry->FindChoice(std::string("FormTable@") + forms->Row(0)->name), nullptr);

    // The paper-type check reads the form table and the paper types through the registry.
    auto formNamed = [&](int32_t code) -> std::string {
        for (uint32_t i = 0; i < forms->count; ++i)
            if (forms->Row(i)->value == code) return forms->Row(i)->name;
        return {};
    };
    const std::string a4 = formNamed(9), legal = formNamed(5);
    ASSERT_FALSE(a4.empty());
    ASSERT_FALSE(legal.empty());
    auto* paper = dynamic_cast<CmSvMulti_Paper*>(registry->FindItem(1081));
    ASSERT_NE(paper, nullptr);
    auto check = [&](const std::string& form, const char* type) {
        const char* args[] = {"CHECKPAPERTYPE", form.c_str(), type};
        return paper->Action(ctx, 3, args, nullptr);
    };
    EXPECT_EQ(check(a4, "TRANSPARENCY"), 1);
    EXPECT_EQ(check(a4, "PLANE"), 1);
    EXPECT_EQ(check(legal, "TRANSPARENCY"), 0);
    EXPECT_EQ(check(a4, "ENVELOPE"), 0);  // not a paper type of this device
    EXPECT_EQ(check("NOSUCHFORM", "PLANE"), 0);

    const std::string rules = "DocProp$PresetPP(ON) :- Spec$PDLID(" + std::to_string(GetParam().pdl) + ").\n";
    ASSERT_EQ(PIE_main(registry->engine, rules.c_str()), 0);
    registry->ReevaluateAll(ctx);
    auto* preset = dynamic_cast<CmSvOnOff*>(registry->FindItem(1261));
    ASSERT_NE(preset, nullptr);
    EXPECT_EQ(preset->current, 1);

    PDLSvUserData::EndSheet(ctx);
    EXPECT_EQ(user->GetConflict(), nullptr);
    PDLSvUserData::EndSheet(ctx);
}

INSTANTIATE_TEST_SUITE_P(Bundled, SheetStart,
                         ::testing::Values(Printer{drvtest::kBundledPcl5ePrinter, "Kelvaro 2059", 256},
                                           Printer{drvtest::kBundledPcl5cPrinter, "Kelvaro 2071", 272}));

TEST(SheetStartWithoutDialog, DeviceModeRequestOfSubtype80HasNoDialog) {
    drvtest::FixtureDevice fixture;
    UIDEVDATA* request = fixture.Make(kKindDevmode, kSubtypeNoDialog);
    ASSERT_NE(request, nullptr);
    PDLSvConflict* registry = PDLSvUserData::StartSheet(request);
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(registry->noDialog, 1);
    EXPECT_NE(registry->FindItem(1075), nullptr);
    EXPECT_NE(registry->FindItem(1279), nullptr);
    PDLSvUserData::EndSheet(request);

    UIDEVDATA* plain = fixture.Make(kKindDevmode, 0);
    registry = PDLSvUserData::StartSheet(plain);
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(registry->noDialog, 0);
    PDLSvUserData::EndSheet(plain);
}

}  // namespace
