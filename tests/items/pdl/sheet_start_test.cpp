// The sheet's start over the bundled printers: the user data makes the registry, the item sets
// of the device's capabilities and the request's values are registered with their items, the
// rules run over the real rule program and see the "Spec$" values, and the sheet's end takes it all
// down; a device-mode request of subtype 80 starts without a dialog. The items of sets 80 and 81:
// every id once, in order, each with its option key; loaded as the registry loads them, the
// "Spec$" items tell the printer's data file and the form and paper-source tables list the
// printer's forms and sources with their keys.
#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "drvtest/fixture_device.h"
#include "items/common/spec_lists.h"
#include "items/pdl/pdl_conflict.h"
#include "items/pdl/pdl_form_table.h"
#include "items/pdl/pdl_paper_source_table.h"
#include "items/pdl/pdl_user_data.h"
#include "items/pdl/value_item_sets.h"
#include "pie/api/api.h"
#include "settings/items/sv_interfaces.h"
#include "settings/items/sv_item.h"
#include "settings/items/sv_multi.h"
#include "settings/items/sv_numeric.h"
#include "settings/items/sv_onoff.h"
#include "settings/items/sv_string.h"
#include "settings/sdk/sdk_binding.h"

#include <gtest/gtest.h>

#include <set>
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

struct Items {
    PoolVector<CmSv*> all;
    ~Items() {
        for (CmSv* item : all) delete item;
    }
    CmSv* Find(const std::string& key) const {
        for (CmSv* item : all)
            if (key == item->key) return item;
        return nullptr;
    }
    // As the registry adds an item: its table built, then its value loaded.
    void LoadAll(UIDEVDATA* ctx, const uint8_t* settings) {
        for (CmSv* item : all) {
            if (auto* init = dynamic_cast<CmSvInit*>(item)) init->Init(ctx, settings);
            if (auto* value = dynamic_cast<CmSvItem*>(item)) value->Load(ctx, settings);
        }
    }
};

TEST(ValueItemSets, CapabilitySetHoldsEveryIdOnceInOrder) {
    Items items;
    ASSERT_TRUE(MakeSpecItems(items.all));
    ASSERT_EQ(items.all.size(), 144u);
    std::set<std::string> keys;
    for (size_t i = 0; i < items.all.size(); ++i) {
        CmSv* item = items.all[i];
        EXPECT_EQ(item->itemId, 1075 + i);
        EXPECT_EQ(std::string(item->key).rfind("Spec$", 0), 0u) << item->key;
        EXPECT_EQ(item->kind, kSvKindValueOnly) << item->key;
        EXPECT_TRUE(keys.insert(item->key).second) << item->key;
        auto* sdk = dynamic_cast<CmSvSdk*>(item);
        ASSERT_NE(sdk, nullptr) << item->key;
        EXPECT_TRUE(sdk->HasKey(kSdkItemKeyBase + item->itemId)) << item->key;
        EXPECT_EQ(dynamic_cast<CmSvItem*>(item)->Store(nullptr, nullptr), 0) << item->key;
    }
}

class BundledPrinters : public ::testing::TestWithParam<const char*> {};

TEST_P(BundledPrinters, SetsLoadThePrintersCapabilitiesFormsAndSources) {
    drvtest::FixtureDevice fixture(kKindDevmode, GetParam());
    UIDEVDATA* ctx = fixture.Device();
    ASSERT_NE(ctx, nullptr);
    const DeviceData* data = ctx->svc->LoadDeviceData(ctx);
    ASSERT_NE(data, nullptr);
    Items spec, app;
    ASSERT_TRUE(MakeSpecItems(spec.all));
    ASSERT_TRUE(MakeAppDocItems(app.all));
    const uint8_t* settings = ctx->svc->GetDevmode(ctx, 3);
    spec.LoadAll(ctx, settings);
    app.LoadAll(ctx, settings);

    auto* pdl = dynamic_cast<CmSvNumeric*>(spec.Find("Spec$PDLID"));
    ASSERT_NE(pdl, nullptr);
    EXPECT_EQ(static_cast<uint32_t>(pdl->current), data->U32(devicedata::kPdlId));
    auto* copies = dynamic_cast<CmSvNumeric*>(spec.Find("Spec$MaxCopies"));
    EXPECT_EQ(static_cast<uint32_t>(copies->current), data->U32(devicedata::kMaxCopies));
    auto* sources = dynamic_cast<CmSvMulti*>(spec.Find("Spec$PaperSource"));
    EXPECT_EQ(sources->count, data->ListAt(devicedata::kPaperSourceHandle).count);

    auto* forms = dynamic_cast<PDLSvMulti_FormTable*>(app.Find("FormTable"));
    ASSERT_NE(forms, nullptr);
    ASSERT_GT(forms->count, 0u);
    EXPECT_EQ(forms->EntryCount(), forms->count);
    EXPECT_EQ(forms->KeyCount(), 7u);
    std::set<std::string> formNames;
    for (uint32_t i = 0; i < forms->count; ++i) formNames.insert(forms->Row(i)->name);

    auto* trays = dynamic_cast<PDLSvMulti_PaperSourceTable*>(app.Find("PaperSourceTable"));
    ASSERT_NE(trays, nullptr);
    ASSERT_GT(trays->count, 0u);
    EXPECT_EQ(trays->KeyCount(), 6u);
    int sized = 0;
    for (uint32_t i = 0; i < trays->count; ++i) {
        CmSvKeyEntry* entry = trays->FindProperty(trays->Row(i)->name);
        ASSERT_NE(entry, nullptr);
        PieValue v{6, 0};
        if (trays->FindKey("PaperSize")->GetValue(ctx, entry->entry, &v) == 1) {
            ++sized;
            EXPECT_EQ(v.type, 2);
            EXPECT_EQ(formNames.count(reinterpret_cast<const char*>(v.value)), 1u) << reinterpret_cast<const char*>(v.value);
        }
        EXPECT_EQ(trays->FindKey("PaperRemain")->GetValue(ctx, entry->entry, &v), 1);
        EXPECT_EQ(v.type, 3);
    }
    EXPECT_GT(sized, 0);
}

INSTANTIATE_TEST_SUITE_P(Pcl, BundledPrinters,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
