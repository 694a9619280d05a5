// The paper-source items in a registry of their own (set 3 of the bundled printers, no rules):
// the source lists of every page kind, the lists that share one stored source, the selection
// record of the option interface, and the interleaf switch.
#include "settings_fixture.h"

#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_sources.h"
#include "items/common/paper_source_items.h"
#include "items/common/public_devmode.h"
#include "items/pdl/item_set_registry.h"
#include "items/pdl/quality_item_sets.h"
#include "settings/registry/conflict.h"
#include "settings/registry/item_set.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(const CmSvMulti& item) {
    std::vector<std::string> names;
    for (uint32_t i = 0; i < item.count; ++i) names.emplace_back(item.Row(i)->name);
    return names;
}

struct SelectionRecord {
    uint32_t mode = 0;
    uint16_t first = 0, second = 0, other = 0, last = 0, interleaf = 0, spare = 0;
};
static_assert(sizeof(SelectionRecord) == kSelectionRecordSize);

class PaperSourceItems : public ItemSettings<::testing::TestWithParam<const char*>> {
protected:
    void SetUp() override {
        ItemSettings::SetUp();
        user = Ctx()->svc->GetUserData(Ctx());
        user->SetConflict(&registry);
        set = CreateItemSet3(Ctx(), registry);
    }
    void TearDown() override {
        user->SetConflict(nullptr);
        DestroyItemSet(set);
    }
    CmSvMulti* List(uint32_t id) { return dynamic_cast<CmSvMulti*>(registry.FindItem(id)); }
    CmSvCB_PaperSelection* Selection() { return dynamic_cast<CmSvCB_PaperSelection*>(registry.FindItem(1061)); }

    CmUserData* user = nullptr;
    CmSvConflict registry;
    CmSvItemSet* set = nullptr;
};

TEST_P(PaperSourceItems, ListsThatShareASourceFollowTheOneThatStoredIt) {
    struct Case {
        uint32_t storing;
        const char* source;
        std::vector<uint32_t> following;
        std::vector<uint32_t> staying;
    };
    for (const Case& c : {Case{1064, "CASSETTE2", {1062, 1068, 1071}, {1063, 1065}},
                          Case{1062, "CASSETTE4", {1064, 1068, 1071}, {1063}},
                          Case{1071, "CASSETTE1", {1062, 1064}, {1070}},
                          Case{1063, "CASSETTE3", {1066, 1070}, {1062, 1065}},
                          Case{1070, "MANUAL", {1063, 1066}, {1071}},
                          Case{1065, "CASSETTE1", {1069}, {1063, 1064}},
                          Case{1069, "CASSETTE4", {1065}, {1066}}}) {
        std::vector<std::string> before;
        for (uint32_t id : c.staying) before.push_back(Current(*List(id)));
        auto* item = dynamic_cast<CmSvItem*>(registry.FindItem(c.storing));
        Choose(*List(c.storing), c.source);
        EXPECT_EQ(item->Store(Ctx(), dm), 1);
        for (uint32_t id : c.following) EXPECT_EQ(Current(*List(id)), c.source) << c.storing << " -> " << id;
        for (size_t i = 0; i < c.staying.size(); ++i)
            EXPECT_EQ(Current(*List(c.staying[i])), before[i]) << c.storing << " kept " << c.staying[i];
    }
    EXPECT_EQ(publicdm::U16(dm, kPublicDefaultSource), 1);  // CASSETTE1, from 1071
    EXPECT_EQ(Short(kOptFirstPageSource), 4);
    EXPECT_EQ(Short(kOptLastPageSource), 264);
}

TEST_P(PaperSourceItems, TheSelectionRecordChangesAllOfAModeOrNothing) {
    CmSvCB_PaperSelection& selection = *Selection();
    Choose(selection, "INTERLEAF");
    Choose(*List(1072), "CASSETTE3");
    SelectionRecord record;
    EXPECT_EQ(selection.GetCurrent(Ctx(), 0x10082, &record), kSdkDone);
    EXPECT_EQ(record.mode, 4u);
    EXPECT_EQ(record.interleaf, 2);

    // Two-sided: four lists take their sources.
    record = SelectionRecord{2, 1, 2, 3, 264, 0, 0};
    EXPECT_EQ(selection.SetCurrent(Ctx(), 0x10082, &record), kSdkDone);
    EXPECT_EQ(Current(selection), "TWOSIDED");
    EXPECT_EQ(Current(*List(1066)), "CASSETTE1");
    EXPECT_EQ(Current(*List(1067)), "CASSETTE3");
    EXPECT_EQ(Current(*List(1068)), "CASSETTE2");
    EXPECT_EQ(Current(*List(1069)), "CASSETTE4");
    SelectionRecord back;
    EXPECT_EQ(selection.GetCurrent(Ctx(), 0x10082, &back), kSdkDone);
    EXPECT_EQ(std::memcmp(&back, &record, sizeof back), 0);

    // Refusals change nothing: a mode no row serves, a source a list lacks, a disabled mode.
    const std::string firstBefore = Current(*List(1063));
    for (SelectionRecord bad : {SelectionRecord{5, 1, 0, 1, 1, 0, 0}, SelectionRecord{1, 1, 0, 999, 1, 0, 0},
                                SelectionRecord{3, 500, 0, 1, 0, 0, 0}}) {
        EXPECT_EQ(selection.SetCurrent(Ctx(), 0x10082, &bad), kSdkNotSupported) << bad.mode;
        EXPECT_EQ(Current(*List(1063)), firstBefore);
        EXPECT_EQ(Current(*List(1070)), Current(*List(1063)));
    }
    // The refused source put the selection back as the settings have it.
    EXPECT_EQ(Current(selection), "ONESOURCE");
    selection.Row(4)->enabled = 0;
    SelectionRecord cover{3, 1, 0, 1, 0, 0, 0};
    EXPECT_EQ(selection.SetCurrent(Ctx(), 0x10082, &cover), kSdkRefused);
    selection.Row(4)->enabled = 1;
    EXPECT_EQ(selection.SetCurrent(Ctx(), 0x10082, &cover), kSdkDone);
    EXPECT_EQ(Current(*List(1070)), "CASSETTE1");
    EXPECT_EQ(selection.SetCurrent(Ctx(), 0x10082, nullptr), kSdkNoItem);
    selection.enabled = 0;
    EXPECT_EQ(selection.SetCurrent(Ctx(), 0x10082, &cover), kSdkRefused);
    selection.enabled = 1;

    // The default: one source, the default device mode's.
    Choose(*List(1062), "CASSETTE4");
    EXPECT_EQ(selection.Apply(Ctx(), 0x10082, nullptr), kSdkDone);
    EXPECT_EQ(Current(selection), "ONESOURCE");
    EXPECT_EQ(List(1062)->CurrentRow()->value,
              publicdm::U16(Ctx()->svc->GetDevmode(Ctx(), 1), kPublicDefaultSource));

    // Without the lists of the mode the record is refused whole.
    user->SetConflict(nullptr);
    record = SelectionRecord{0, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(selection.SetCurrent(Ctx(), 0x10082, &record), kSdkNoItem);
    user->SetConflict(&registry);
}

TEST_P(PaperSourceItems, InterleafSwitchAndPicturePoints) {
    auto* interleaf = dynamic_cast<CmSvCK_InterLeafPrint*>(registry.FindItem(1073));
    ASSERT_NE(interleaf, nullptr);
    SetWord(kOptSourceFlags, 0x80000001u);
    interleaf->current = 1;
    EXPECT_EQ(interleaf->Store(Ctx(), dm), 1);
    EXPECT_EQ(Word(kOptSourceFlags), 0x80000003u);
    interleaf->current = 0;
    EXPECT_EQ(interleaf->Load(Ctx(), dm), 1);
    EXPECT_EQ(interleaf->current, 1);
    EXPECT_EQ(interleaf->Apply(Ctx(), 0x1006e, nullptr), kSdkDone);
    EXPECT_EQ(interleaf->current, 0);

    // The page picture names a source in its third argument.
    auto* last = dynamic_cast<CmSvPreview*>(registry.FindItem(1065));
    Choose(*List(1065), "AUTO");
    EXPECT_EQ(last->previewKey, 12u);
    EXPECT_EQ(last->Preview(Ctx(), 0, 0, 264, 0), 1);
    EXPECT_EQ(Current(*List(1065)), "CASSETTE4");
    EXPECT_EQ(last->Preview(Ctx(), 0, 0, 264, 0), 0);
    List(1065)->Row(0)->enabled = 0;
    EXPECT_EQ(last->Preview(Ctx(), 0, 0, 7, 0), 0);
    EXPECT_EQ(Current(*List(1065)), "CASSETTE4");
}

INSTANTIATE_TEST_SUITE_P(BundledPrinters, PaperSourceItems,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

// A device with more sources than a list holds, some the lists never offer, and numbers no name
// is known for.
std::shared_ptr<const SourceTable> g_sources;
UiServiceTable g_services;

BOOL QueryOurSources(UIDEVDATA*, int kind, int, void** out) {
    *out = kind == kTableSources ? new PaperSourceCursor(g_sources, nullptr, 0) : nullptr;
    return *out != nullptr;
}

TEST(PaperSourceLists, ListsStopAtTheirCapacityAndNameUnknownSources) {
    drvtest::FixtureDevice fixture;
    ASSERT_NE(fixture.Device(), nullptr);
    std::vector<DeviceSource> sources;
    for (uint16_t id : {uint16_t{500}, uint16_t{300}, uint16_t{4}, uint16_t{5}, uint16_t{270}, uint16_t{1}})
        sources.push_back(DeviceSource{"Source " + std::to_string(id), id, {1}, false});
    for (uint16_t id = 1000; id < 1120; ++id) sources.push_back(DeviceSource{"More", id, {1}, false});
    g_sources = std::make_shared<SourceTable>(sources, nullptr);
    g_services = *fixture.Device()->svc;
    g_services.Query = QueryOurSources;
    UIDEVDATA ours = *fixture.Device();
    ours.svc = &g_services;

    CmSvCB_OtherPage other;
    EXPECT_EQ(other.Init(&ours, nullptr), 1);
    ASSERT_EQ(other.count, SourceRows::kCapacity);
    EXPECT_EQ(Names(other)[0], "UNDEFINED300");
    EXPECT_STREQ(other.Row(0)->display_text, "Source 300");
    EXPECT_EQ(Names(other)[1], "MANUAL");
    EXPECT_EQ(Names(other)[2], "ENVELOPE");
    EXPECT_EQ(Names(other)[3], "MPTRAY");
    EXPECT_EQ(other.Row(99)->value, 1094);

    CmSvCB_Interleaf interleaf;
    EXPECT_EQ(interleaf.Init(&ours, nullptr), 1);
    ASSERT_EQ(interleaf.count, SourceRows::kCapacity);
    EXPECT_EQ(Names(interleaf)[0], "UNDEFINED300");
    EXPECT_EQ(Names(interleaf)[1], "CASSETTE1");

    // A second build reuses the rows; a device without a cursor keeps the list it had.
    EXPECT_EQ(other.Init(&ours, nullptr), 1);
    EXPECT_EQ(other.count, SourceRows::kCapacity);
    g_services.Query = [](UIDEVDATA*, int, int, void** out) -> BOOL {
        *out = nullptr;
        return FALSE;
    };
    EXPECT_EQ(other.Init(&ours, nullptr), 0);
    EXPECT_EQ(other.count, SourceRows::kCapacity);
    g_sources.reset();
}

}  // namespace
