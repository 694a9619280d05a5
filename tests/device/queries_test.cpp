// The high-level queries against the simulated device: what each fills, the model checks, and
// that every failure, wherever it happens, still stops, disconnects, unloads and restores the
// current directory.
#include "device_fixture.h"

#include "device/devinfo_queries.h"
#include "device/model_names.h"
#include "device/reply_copies.h"

#include <drvtest/fixture_device.h>

#include <cstring>

namespace {

constexpr const char* kDevice =
    "attr 0 1056 text \"Kv C270-P1\"\n"
    "list 1015 4037 501 502\n"
    "attr 501 11804 text \"Finisher FS-1\"\n"
    "attr 501 11806 number 13 4\n"
    "attr 502 11804 text \"Inserter\"\n"
    "list 1002 4033 301 302\n"
    "attr 301 10601 text \"Drawer1\"\n"
    "attr 301 10617 number 3\n"
    "attr 302 10601 text \"Deck\"\n"
    "attr 302 10911 number 9 100 3 42\n"
    "list 1019 0 401\n"
    "attr 401 12502 text \"G-RAM\"\n"
    "attr 401 178 number 65536\n"
    "list 603 0 1 2\n"
    "attr 0 11608 number 0x0305\n"
    "attr 0 1664 number 1 3\n"
    "pair 11 12\ntextanswer 21 22 23\n";

}  // namespace

TEST_F(DeviceInfoTest, QueryDevice1ReadsTheAccessoryTableOfTheExpectedModel) {
    sim_->Describe(kDevice);
    auto record = std::make_unique<DeviceQueryRecord>();
    DevInfoStatus status{};
    EXPECT_EQ(DevInfo_QueryDevice1(client_, record.get(), printer_->Name().c_str(), "Kv C270-P1", &status), 0);
    EXPECT_EQ(status.status, 0);
    EXPECT_EQ(status.libraryCode, 0);
    ASSERT_EQ(record->tables[1].count, 2u);
    EXPECT_EQ(record->tables[1].ids[1], 502u);
    EXPECT_EQ(record->accessoryCount, 2u);
    EXPECT_STREQ(record->accessories[0].name, "Finisher FS-1");
    EXPECT_EQ(record->accessories[0].types[0], 13u);
    EXPECT_STREQ(record->accessories[1].name, "Inserter");
    EXPECT_EQ(sim_->Count("request 24 entries 2 501:11804,11806 502:11804,11806"), 1);
    DevInfoClient_FreeQueryRecord(client_, record.get());
    ExpectPairsClosed();
}

TEST_F(DeviceInfoTest, EveryFailureOfAQueryClosesWhatItOpened) {
    struct Case {
        const char* what;
        const char* library;  // null: none installed
        const char* description;
        const char* expectedName;
        DevInfoStatus expected;
    };
    for (auto c : {Case{"no library", nullptr, "", "", {-23, 0, 0}},
                   Case{"no ZDSV_GetInterface", SIM_ZDSVC2_WITHOUT_ZDSV, "", "", {-24, 0, 0}},
                   Case{"start refused", SIM_ZDSVC2, "fault start 3\n", "", {-26, 0, 0}},
                   Case{"device refuses information", SIM_ZDSVC2, "fault info 0xC098B001\n", "",
                        {-28, static_cast<int32_t>(0xC098B001), 0}},
                   Case{"no address", SIM_ZDSVC2, "address none\n", "", {-27, 0, 0}},
                   Case{"an address outside the block", SIM_ZDSVC2, "fault pointers stray\n", "", {-27, 0, 0}},
                   Case{"connection refused", SIM_ZDSVC2, "fault connect 0x77\n", "", {0, 0x77, 0}},
                   Case{"another model", SIM_ZDSVC2, "", "Kv C230-Q1", {-27, 0, 0}},
                   Case{"list refused", SIM_ZDSVC2, "fault refuse 25 -5\n", "", {0, -5, 0}},
                   Case{"attributes fail", SIM_ZDSVC2, "fault status 24 -6\n", "", {0, -6, 0}}}) {
        sim_->Remove("Zdsvc2.dll");
        if (c.library) sim_->Install(c.library, "Zdsvc2.dll");
        sim_->Describe(std::string(kDevice) + c.description);
        sim_->ClearLog();
        auto record = std::make_unique<DeviceQueryRecord>();
        DevInfoStatus status{};
        DevInfo_QueryDevice1(client_, record.get(), printer_->Name().c_str(), c.expectedName, &status);
        EXPECT_EQ(status.status, c.expected.status) << c.what;
        EXPECT_EQ(status.libraryCode, c.expected.libraryCode) << c.what;
        EXPECT_EQ(client_->state, nullptr) << c.what;
        ExpectPairsClosed();
        DevInfoClient_FreeQueryRecord(client_, record.get());
    }
}

TEST_F(DeviceInfoTest, QueryDevice3ReadsEveryTableOfADeviceAddressedDirectly) {
    sim_->Describe(kDevice);
    auto record = std::make_unique<DeviceQueryRecord>();
    const DevInfoAttributePair pairs[] = {{0, 11608}, {0, 1664}};
    DevInfoAttributeList list{2, pairs};
    DevInfoDeviceAddress address{{192, 168, 1, 20}, nullptr};
    DevInfoStatus status{};
    EXPECT_EQ(DevInfo_QueryDevice3(client_, record.get(), &list, "C:\\WINDOWS\\SYSTEM", &address, "Kv C270-P1", &status), 0);
    EXPECT_EQ(status.libraryCode, 0);
    EXPECT_EQ(record->version176, 0x0305);
    EXPECT_EQ(record->languageCount, 2u);
    EXPECT_EQ(record->languages[1], 3u);
    EXPECT_EQ(record->sourceCount, 2u);
    EXPECT_STREQ(record->sources[1].name, "Deck");
    EXPECT_EQ(record->sources[0].kind, 3u);
    EXPECT_EQ(record->sourceValues[1].mediaCode, 42u);
    EXPECT_EQ(record->memoryCount, 1u);
    EXPECT_EQ(record->memory[0].size, 65536u);
    EXPECT_EQ(record->tables[3].count, 2u);
    EXPECT_EQ(sim_->First("connect"), "connect - 0 c0000000a800000001000000140000001100000000000000000000000000000000000000000000000000000000000000000000000200");
    DevInfoClient_FreeQueryRecord(client_, record.get());
    ExpectPairsClosed();
}

TEST_F(DeviceInfoTest, QueryDevice2AsksEachEntryAndSingleValuesComeOnAnOpenConnection) {
    sim_->Describe("attr 0 1056 text \"Kv C270-P1\"\nattr 77 1 text \"Glossy\"\nattr 78 1 text \"Bond\"\n");
    const DevInfoEntryRequest requests[] = {{77, 1, 0}, {78, 1, 0}};
    DevInfoAnswer answers[2] = {};
    DevInfoDeviceAddress address{{0, 0, 0, 0}, "PRN-0042"};
    DevInfoStatus status{};
    EXPECT_EQ(DevInfo_QueryDevice2(client_, 2, requests, nullptr, &address, "Kv C270-P1", answers, &status), 0);
    EXPECT_EQ(status.libraryCode, 0);
    ASSERT_EQ(answers[1].count, 1u);
    auto* reply = static_cast<const ZdsvGroupReply*>(answers[1].replies[0]);
    EXPECT_STREQ(reinterpret_cast<const char*>(reply->groups[0].attributes[0].values[0].value), "Bond");
    EXPECT_NE(sim_->First("connect - 0 00000000" "50524e2d30303432").size(), 0u);
    DevInfo_FreeAnswers(client_, answers, 2);

    address.name = "A-NAME-LONGER-THAN-20-CHARACTERS";
    DevInfo_QueryDevice2(client_, 2, requests, nullptr, &address, nullptr, answers, &status);
    EXPECT_EQ(status.status, -27);
    ExpectPairsClosed();

    sim_->Describe(kDevice);
    ASSERT_TRUE(Open());
    uint32_t value = 0;
    EXPECT_EQ(DevInfo_QueryDevice5(client_, iface_, connection_, &value, 1, 2, &status), 0);
    EXPECT_EQ(value, 11u);
    EXPECT_EQ(DevInfo_SendText(client_, iface_, connection_, &value, "STATUS", &status), 0);
    EXPECT_EQ(value, 21u);
    EXPECT_EQ(DevInfo_SendText(client_, iface_, connection_, &value, nullptr, &status), -1);
    EXPECT_EQ(status.status, -1);
}

TEST(DeviceModelNames, ExpectedNamesByModelAndLanguage) {
    struct Case {
        uint32_t model, locale;
        const char* name;
        bool expected;
    };
    for (auto c : {Case{1027, 1033, "Kv C270-P1", true}, Case{1027, 1033, "Kv 270C EUR-P1", false},
                   Case{1027, 0x411, "Kv 270C EUR-P1", true}, Case{2056, 0x407, "Kv C260-R1", true},
                   Case{2056, 0x407, "Kv C270-P1", false}, Case{2059, 1033, "Model From Data", true},
                   Case{2059, 1033, "Kv C270-P1", false}})
        EXPECT_EQ(DevInfo_IsExpectedModelName(c.model, c.locale, c.name, "Model From Data"), c.expected)
            << c.model << " " << c.name;
    EXPECT_TRUE(DevInfo_IsSpecialModelName(2060, "Kv115-T1"));
    EXPECT_FALSE(DevInfo_IsSpecialModelName(2059, "Kv115-T1"));

    uint8_t entries[3][88] = {};
    const uint32_t ids[3] = {5, 9, 9};
    for (int i = 0; i < 3; ++i) std::memcpy(entries[i], &ids[i], 4);
    EXPECT_EQ(DevInfo_FindEntry88(entries, 3, 9), 1);
    EXPECT_EQ(DevInfo_FindEntry88(entries, 1, 9), -1);
    EXPECT_EQ(DevInfo_FindEntry88(entries, 3, 0), -1);
    EXPECT_EQ(DevInfo_FindEntry88(entries, 0, 5), -1);
}

TEST(DeviceQuery4, TheModelCheckAcceptsTheExpectedName) {
    drvtest::FixtureDevice device;
    ASSERT_NE(device.Device(), nullptr);
    drvtest::SimulatedDevice sim(device.Root() + "/WINDOWS/SYSTEM");
    sim.Install(SIM_ZDSVC2, "Zdsvc2.dll");
    sim.Describe(kDevice);
    DevInfoClient* client = nullptr;
    ASSERT_EQ(DevInfoClient_Create(&client), 1);
    const std::string printer = device.Printer().Name();
    for (auto [expected, status] : {std::pair<const char*, int>{"Kv C270-P1", 0}, {"Kv C230-Q1", -27}}) {
        auto record = std::make_unique<DeviceQueryRecord>();
        DevInfoStatus result{};
        DevInfo_QueryDevice4(client, record.get(), nullptr, printer.c_str(), expected, &result, device.Device());
        EXPECT_EQ(result.status, status) << expected;
        EXPECT_EQ(record->accessoryCount, status == 0 ? 2u : 0u) << expected;
        DevInfoClient_FreeQueryRecord(client, record.get());
    }
    EXPECT_EQ(sim.Count("start"), sim.Count("stop"));
    EXPECT_EQ(sim.Count("attach"), sim.Count("detach"));
    DevInfoClient_Destroy(client);
}
