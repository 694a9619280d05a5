// User profiles in the registry: saved, listed and read back byte for byte; a damaged stored
// record is refused and nothing stored changes; names match without regard to case and keep the
// letters they were listed with; deleting removes the record, the entry and the node together.
#include "profile_fixture.h"

#include "core/helpers/byte_view.h"

#include <algorithm>
#include <cstring>

namespace profiletest {
namespace {

TEST_F(ProfileTest, AUserProfileRoundTripsThroughTheRegistryByteForByte) {
    auto store = Store();
    ProfileRecord record = UserRecord(*store, "Office");
    ASSERT_TRUE(store->SaveProfile(record));

    const std::vector<uint8_t> data = Value("UIProfile\\Office", "DATA");
    ASSERT_EQ(data.size(), record.size());
    uint32_t size = 0;
    const std::vector<uint8_t> sizeValue = Value("UIProfile\\Office", "SIZE");
    ASSERT_EQ(sizeValue.size(), 4u);
    std::memcpy(&size, sizeValue.data(), 4);
    EXPECT_EQ(size, data.size());
    // Stamped with its own name before it was stored.
    char applied[32] = {};
    ProfileRecord stamped = data;
    ASSERT_TRUE(store->EditRecordDevmode(stamped, [&](uint8_t* dm) { Ctx()->svc->GetOption(Ctx(), dm, 101, applied, 32); }));
    EXPECT_STREQ(applied, "Office");

    // A new store reads the same bytes back, and lists the profile after the built-in ones.
    auto again = Store();
    EXPECT_EQ(again->ReadProfile("Office", profile::kTypeUser), data);
    ASSERT_EQ(again->Committed().size(), store->Committed().size());
    EXPECT_STREQ(again->Committed().back().name, "Office");
    EXPECT_EQ(again->Committed().back().type, profile::kTypeUser);
    EXPECT_EQ(again->Committed().back().devmode,
              std::vector<uint8_t>(data.begin() + profile::kRecordDevmode, data.end()));
    const ProfileListEntry last = CmProfile::EntryAt(Value("UIProfileTBL", "DATA"), 6);
    EXPECT_STREQ(last.name, "Office");
    EXPECT_EQ(last.type, profile::kTypeUser);
}

TEST_F(ProfileTest, ADamagedStoredRecordIsRefusedAndNothingStoredChanges) {
    {
        auto store = Store();
        ASSERT_TRUE(store->SaveProfile(UserRecord(*store, "Office")));
    }
    const std::vector<uint8_t> good = Value("UIProfile\\Office", "DATA");
    const std::vector<uint8_t> list = Value("UIProfileTBL", "DATA");
    auto put16 = [](std::vector<uint8_t> bytes, size_t at, uint16_t value) {
        MutableByteView(bytes.data(), bytes.size()).put_u16(at, value);
        return bytes;
    };
    struct Case {
        const char* fault;
        std::vector<uint8_t> data;
        DWORD size;
    };
    std::vector<uint8_t> truncated(good.begin(), good.begin() + 400);
    std::vector<uint8_t> oversized = good;
    oversized.resize(0x12000, 0);
    const Case cases[] = {
        {"SIZE larger than DATA", good, static_cast<DWORD>(good.size() + 10)},
        {"SIZE smaller than DATA", good, static_cast<DWORD>(good.size() - 10)},
        {"SIZE below a record's header", truncated, 200},
        {"DATA cut short, its own size still whole", truncated, static_cast<DWORD>(truncated.size())},
        {"its own size differs from SIZE", put16(good, 0, static_cast<uint16_t>(good.size() - 2)), static_cast<DWORD>(good.size())},
        {"a device mode larger than the record", put16(good, profile::kRecordDevmode + 38, 0xF000), static_cast<DWORD>(good.size())},
        {"a record of 0 bytes", put16(good, 0, 0), static_cast<DWORD>(good.size())},
        {"larger than any record", oversized, static_cast<DWORD>(oversized.size())},
    };
    for (const Case& c : cases) {
        SetValue("UIProfile\\Office", "DATA", REG_BINARY, c.data);
        SetSize("UIProfile\\Office", c.size);
        auto store = Store();
        EXPECT_TRUE(store->ReadProfile("Office", profile::kTypeUser).empty()) << c.fault;
        const std::vector<std::string> names = Names(*store);
        EXPECT_EQ(std::count(names.begin(), names.end(), "Office"), 0) << c.fault;
        // The profile stays listed and its bytes stay as they were: a record that did not read
        // this time is not thrown away.
        EXPECT_EQ(Value("UIProfileTBL", "DATA"), list) << c.fault;
        EXPECT_EQ(Value("UIProfile\\Office", "DATA"), c.data) << c.fault;
    }
}

TEST_F(ProfileTest, AProfileWhoseRecordIsGoneLeavesTheList) {
    {
        auto store = Store();
        ASSERT_TRUE(store->SaveProfile(UserRecord(*store, "Office")));
    }
    ASSERT_TRUE(RegDeleteKeyAll(HKEY_CURRENT_USER, Base().c_str(), (fixture.Printer().Name() + "\\UIProfile").c_str(),
                                nullptr, "Office"));
    auto store = Store();
    EXPECT_EQ(ListNames(Value("UIProfileTBL", "DATA")).size(), 6u);
}

TEST_F(ProfileTest, NamesMatchWithoutCaseAndKeepTheirListedLetters) {
    auto store = Store();
    ASSERT_TRUE(store->SaveProfile(UserRecord(*store, "Office")));
    // The same name in other letters replaces the record (one registry key) and keeps the entry.
    ASSERT_TRUE(store->SaveProfile(UserRecord(*store, "OFFICE")));
    std::vector<std::string> names = ListNames(store->GetBuffer());
    EXPECT_EQ(std::count(names.begin(), names.end(), "Office"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "OFFICE"), 0);
    EXPECT_EQ(names.size(), 7u);

    EXPECT_TRUE(store->DeleteProfile("office", profile::kTypeUser));
    EXPECT_TRUE(Value("UIProfile\\Office", "DATA").empty());
    EXPECT_EQ(ListNames(Value("UIProfileTBL", "DATA")).size(), 6u);
    EXPECT_EQ(store->Committed().size(), 6u);
    EXPECT_FALSE(store->DeleteProfile("office", profile::kTypeUser));
}

TEST_F(ProfileTest, OnlyUserProfilesAreWrittenAndAWriteNotMadeIsNotReportedDone) {
    auto store = Store();
    const ProfileRecord record = UserRecord(*store, "Shared");
    for (uint16_t type : {profile::kTypeBuiltIn, profile::kTypeShared, profile::kTypeSnapshot})
        EXPECT_FALSE(store->WriteProfileToRegistry("Shared", record, type)) << type;
    EXPECT_TRUE(Value("UIProfile\\Shared", "DATA").empty());
    EXPECT_TRUE(store->WriteProfileToRegistry("Shared", record, profile::kTypeUser));
}

TEST_F(ProfileTest, TheSaveDefaultSwitchIsOnOnlyFor999) {
    auto store = Store();
    for (DWORD value : {998u, 999u, 0u}) {
        ASSERT_TRUE(RegSetValueAll(HKEY_LOCAL_MACHINE, kPrintersKey, fixture.Printer().Name().c_str(), kDriverDataKey,
                                   "SaveDefProfile", REG_DWORD, &value, sizeof value));
        EXPECT_EQ(store->IsSaveDefProfile(), value == 999) << value;
    }
}

TEST_F(ProfileTest, ACommitRemovesRenamesAndKeepsEveryProfileWhenAWriteFails) {
    auto store = Store();
    for (const char* name : {"Office", "Home", "Draft"}) ASSERT_TRUE(store->SaveProfile(UserRecord(*store, name)));
    const std::vector<uint8_t> home = Value("UIProfile\\Home", "DATA");
    auto info = [&](const char* name) {
        ProfileInfo found;
        for (uint32_t i = 0; store->GetProfileInfo(i, 1, found); ++i)
            if (std::string(found.storedName) == name) return found;
        ADD_FAILURE() << name;
        return found;
    };

    // A rename to a name no write can store fails the commit: nothing stored goes.
    const std::vector<uint8_t> list = Value("UIProfileTBL", "DATA");
    ASSERT_TRUE(store->CopyChainToWork());
    ASSERT_TRUE(store->RemoveWorkNode(info("Office")));
    ProfileInfo renamed = info("Home");
    std::memset(renamed.name, 0, sizeof renamed.name);
    ASSERT_TRUE(store->UpdateWorkNode(renamed));
    EXPECT_FALSE(store->CommitWorkChain());
    EXPECT_FALSE(Value("UIProfile\\Office", "DATA").empty());
    EXPECT_EQ(Value("UIProfile\\Home", "DATA"), home);
    EXPECT_EQ(Value("UIProfileTBL", "DATA"), list);
    EXPECT_EQ(store->Committed().size(), 9u);

    // Deleting one, renaming one and changing another's letters only.
    ASSERT_TRUE(store->CopyChainToWork());
    ASSERT_TRUE(store->RemoveWorkNode(info("Office")));
    renamed = info("Home");
    std::strcpy(renamed.name, "House");
    ASSERT_TRUE(store->UpdateWorkNode(renamed));
    ProfileInfo recased = info("Draft");
    std::strcpy(recased.name, "DRAFT");
    ASSERT_TRUE(store->UpdateWorkNode(recased));
    ProfileInfo builtIn;
    ASSERT_TRUE(store->GetProfileInfo(0, 1, builtIn));
    EXPECT_FALSE(store->UpdateWorkNode(builtIn)) << "a built-in profile keeps its name";
    EXPECT_FALSE(store->RemoveWorkNode(builtIn));
    ASSERT_TRUE(store->CommitWorkChain());

    EXPECT_TRUE(Value("UIProfile\\Office", "DATA").empty());
    EXPECT_TRUE(Value("UIProfile\\Home", "DATA").empty());
    const std::vector<uint8_t> house = Value("UIProfile\\House", "DATA");
    ASSERT_EQ(house.size(), home.size());
    EXPECT_TRUE(std::equal(house.begin() + profile::kRecordDevmode, house.end(), home.begin() + profile::kRecordDevmode));
    EXPECT_STREQ(reinterpret_cast<const char*>(Value("UIProfile\\Draft", "DATA").data() + profile::kRecordName), "DRAFT");
    const std::vector<std::string> names = ListNames(Value("UIProfileTBL", "DATA"));
    EXPECT_EQ(std::vector<std::string>(names.end() - 2, names.end()), (std::vector<std::string>{"House", "DRAFT"}));
    auto again = Store();
    EXPECT_EQ(Names(*again), names);
}

}  // namespace
}  // namespace profiletest
