// The built-in profiles of each bundled printer: which are offered, in which order, that each
// reads from its resource and carries the printer's defaults, and how a stored list is brought
// up to them (merged, or renamed when the language's name for the standard profile changed).
#include "profile_fixture.h"

#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_layout.h"
#include "core/helpers/byte_view.h"

#include <cstring>

namespace profiletest {
namespace {

struct BundledCase {
    const char* printer;
    uint16_t pdl;
    std::vector<std::string> names;
};

class BuiltInProfiles : public ProfileTest, public ::testing::WithParamInterface<BundledCase> {
protected:
    BuiltInProfiles() : ProfileTest(GetParam().printer) {}
};

TEST_P(BuiltInProfiles, AreListedStoredAndReadWithThePrintersDefaults) {
    auto store = Store();
    EXPECT_EQ(Names(*store), GetParam().names);
    // The first load stores the built-in list whole: eight entries' room, whatever is offered.
    const std::vector<uint8_t> stored = Value("UIProfileTBL", "DATA");
    ASSERT_EQ(stored.size(), 8u * 36);
    EXPECT_EQ(ListNames(stored), GetParam().names);
    EXPECT_EQ(Value("UIProfileTBL", "SIZE"), (std::vector<uint8_t>{32, 1, 0, 0}));

    for (const ProfileNode& node : store->Committed()) {
        EXPECT_EQ(node.type, profile::kTypeBuiltIn) << node.name;
        const ProfileRecord record = store->ReadBuiltInRecord(node.name);
        ASSERT_TRUE(CmProfile::IsSoundRecord(record.data(), record.size())) << node.name;
        const ByteView dm(record.data() + profile::kRecordDevmode, record.size() - profile::kRecordDevmode);
        EXPECT_EQ(devmode::checkDevmode(dm.data(), dm.size()).trust, devmode::Trust::Private) << node.name;
        uint16_t pdl = 0, model = 0;
        dm.u16(devmode::kOffPdlId, pdl);
        dm.u16(devmode::kOffModelNumber, model);
        EXPECT_EQ(pdl, GetParam().pdl) << node.name;
        EXPECT_EQ(model, static_cast<uint16_t>(Ctx()->svc->GetDeviceDataValue2(Ctx()))) << node.name;
        EXPECT_STREQ(reinterpret_cast<const char*>(record.data() + profile::kRecordName), node.name);
    }
}

TEST_P(BuiltInProfiles, TheModelsDefaultsDoNotDependOnTheProfile) {
    auto store = Store();
    // Options the model's defaults set, read from every built-in profile: all alike.
    const DWORD options[] = {131, 133, 150, 157, 158, 159, 190, 220, 222, 233};
    std::vector<std::vector<uint32_t>> seen;
    for (const ProfileNode& node : store->Committed()) {
        ProfileRecord record = store->ReadBuiltInRecord(node.name);
        std::vector<uint32_t> values;
        ASSERT_TRUE(store->EditRecordDevmode(record, [&](uint8_t* dm) {
            for (DWORD option : options) {
                uint32_t value = 0;
                Ctx()->svc->GetOption(Ctx(), dm, option, &value, sizeof value);
                values.push_back(value);
            }
        }));
        seen.push_back(values);
    }
    for (const auto& values : seen) EXPECT_EQ(values, seen.front());
}

INSTANTIATE_TEST_SUITE_P(
    Bundled, BuiltInProfiles,
    ::testing::Values(BundledCase{drvtest::kBundledPcl5ePrinter, 0x100,
                                  {"Factory settings", "Landscape", "Two-sided", "Default", "Two-sided, short edge",
                                   "Two copies"}},
                      // No profile-5 flag, and a colour printer does not offer profile 8.
                      BundledCase{drvtest::kBundledPcl5cPrinter, 0x110,
                                  {"Factory settings", "Landscape", "Default", "Two-sided, short edge"}}),
    [](const auto& info) { return info.index == 0 ? std::string("Pcl5e") : std::string("Pcl5c"); });

ProfileListEntry entry(const char* name, uint16_t type) {
    ProfileListEntry e;
    std::strncpy(e.name, name, sizeof e.name - 1);
    e.type = type;
    return e;
}

TEST_F(ProfileTest, AStoredListIsMergedWithTheBuiltInOnesAndKeepsItsUserProfiles) {
    struct Case {
        const char* what;
        std::vector<ProfileListEntry> stored;
        std::vector<std::string> expected;
    };
    const std::vector<std::string> builtIns = {"Factory settings", "Landscape", "Two-sided", "Default",
                                               "Two-sided, short edge", "Two copies"};
    const Case cases[] = {
        {"one built-in missing: rebuilt, built-ins first",
         {entry("Office", 4), entry("Factory settings", 1), entry("Landscape", 1)},
         {"Factory settings", "Landscape", "Two-sided", "Default", "Two-sided, short edge", "Two copies", "Office"}},
        {"every built-in there: the stored order stays",
         {entry("Landscape", 1), entry("Factory settings", 1), entry("Two-sided", 1), entry("Office", 4),
          entry("Default", 1), entry("Two-sided, short edge", 1), entry("Two copies", 1)},
         {"Landscape", "Factory settings", "Two-sided", "Office", "Default", "Two-sided, short edge", "Two copies"}},
    };
    {
        auto store = Store();
        ASSERT_TRUE(store->SaveProfile(UserRecord(*store, "Office")));
    }
    for (const Case& c : cases) {
        SetValue("UIProfileTBL", "DATA", REG_BINARY, CmProfile::MakeList(c.stored));
        SetSize("UIProfileTBL", static_cast<DWORD>((c.stored.size() + 1) * 36));
        auto store = Store();
        EXPECT_EQ(ListNames(store->GetBuffer()), c.expected) << c.what;
        EXPECT_EQ(ListNames(Value("UIProfileTBL", "DATA")), c.expected) << c.what;
    }
}

TEST_F(ProfileTest, TheOtherLanguagesStandardProfileIsShownUnderThisLanguagesName) {
    // A list stored while the printer's language was another: its "Standard" is this one's
    // "Default".
    const std::vector<ProfileListEntry> stored = {entry("Factory settings", 1), entry("Landscape", 1),
                                                  entry("Two-sided", 1),       entry("Standard", 1),
                                                  entry("Two-sided, short edge", 1), entry("Two copies", 1)};
    auto store = std::unique_ptr<Profile>(new Profile(Ctx(), 0));
    SetValue("UIProfileTBL", "DATA", REG_BINARY, CmProfile::MakeList(stored));
    SetSize("UIProfileTBL", static_cast<DWORD>((stored.size() + 1) * 36));
    ASSERT_TRUE(store->ReloadTable());
    EXPECT_EQ(ListNames(store->GetBuffer()), (std::vector<std::string>{"Factory settings", "Landscape", "Two-sided",
                                                                       "Default", "Two-sided, short edge", "Two copies"}));
}

}  // namespace
}  // namespace profiletest
