// The items of sets 80 and 81 over the bundled printers: every id once, in order, each with its
// option key; loaded as the registry loads them, the "Spec$" items tell the printer's data
// file and the form and paper-source tables list the printer's forms and sources with their keys.
#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "drvtest/fixture_device.h"
#include "items/pdl/pdl_form_table.h"
#include "items/pdl/pdl_paper_source_table.h"
#include "items/pdl/value_item_sets.h"
#include "settings/sdk/sdk_binding.h"
#include "settings/items/sv_item.h"
#include "settings/items/sv_interfaces.h"
#include "settings/items/sv_numeric.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

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
