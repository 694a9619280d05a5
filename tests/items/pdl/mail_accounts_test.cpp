// Mail boxes, the secured user and department accounts through VomelDeviceMode: names and ids
// that do not fit are refused, a refused set changes nothing, and the account verification
// reports a device that could not be asked. With the simulated device-information library in the
// printer driver's folder the device's answer decides, its refusal and a device that cannot be
// asked leave their status in the device mode, and every library, start and connection opened for
// the question is closed again.
#include "driver_option_fixture.h"

#include "core/devmode/model_section.h"
#include "drvtest/simulated_device.h"
#include "model/model_catalogue.h"
#include "settings/sdk/nonsv_operations.h"

#include <algorithm>
#include <memory>

namespace {

namespace model = devmode::model;

TEST(AccountChecks, IdsPasswordsNamesAndPins) {
    struct Case { const char* id; const char* password; int valid; };
    for (Case c : {Case{"1", "", 1}, Case{"9999999", "0", 1}, Case{"0", "", 0}, Case{"10000000", "", 0},
                   Case{"4294967297", "", 0}, Case{"12a", "", 0}, Case{"", "", 0}, Case{"5", "9999999", 1},
                   Case{"5", "10000000", 0}, Case{"000000000000001", "", 1}, Case{"0000000000000001", "", 0}})
        EXPECT_EQ(nonsv::ValidateAccount(c.id, 32, c.password, 32), c.valid) << c.id << "/" << c.password;
    EXPECT_EQ(nonsv::ValidateAccount("7", 32, nullptr, 0), 1);
    EXPECT_EQ(nonsv::ValidateUserAndPin("user", 128, "1234567", 32), 1);
    EXPECT_EQ(nonsv::ValidateUserAndPin("user", 128, "12345678", 32), 0);
    EXPECT_EQ(nonsv::ValidateUserAndPin("user", 128, "12a4", 32), 0);
    EXPECT_EQ(nonsv::ValidateUserAndPin("", 128, "1", 32), 0);
    EXPECT_EQ(nonsv::ValidateUserAndPin(std::string(33, 'n').c_str(), 128, "1", 32), 0);
}

struct AccountRecord {
    uint16_t mode;
    uint16_t flag;
    char id[32];
    char password[32];
};
static_assert(sizeof(AccountRecord) == 68);

TEST_F(DriverOptions, AccountModeRefusedChangesNothingAndStoredIdsStayTerminated) {
    AccountRecord good{2, 1, "1234", "42"};
    ASSERT_EQ(Ask(3, 0x10032, &good), 0);
    EXPECT_EQ(Priv().data()[model::kAccountMode], 2);
    EXPECT_STREQ(reinterpret_cast<const char*>(Priv().data() + model::kDepartmentId), "1234");
    std::vector<uint8_t> before = devmode;
    for (AccountRecord bad : {AccountRecord{3, 0, "1", ""}, AccountRecord{2, 0, "0", ""},
                              AccountRecord{0, 2, "", ""}, AccountRecord{2, 0, "1234567890123456", ""}})
        EXPECT_NE(Ask(3, 0x10032, &bad), 0) << bad.mode << " " << bad.id;
    EXPECT_EQ(devmode, before);
    EXPECT_EQ(Ask(2, 0x10032, &good), 2);
}

TEST_F(DriverOptions, AccountDataIsStoredInTheDeviceOptionsAndVerifiedWithTheDevice) {
    uint8_t record[72] = {};
    MutableByteView r(record, sizeof record);
    r.put_u16(0, 1);
    EXPECT_EQ(Ask(3, 0x10061, record), 2) << "sub-mode 0";
    r.put_u16(2, 1);
    std::memcpy(record + 8, "5555", 5);
    std::memcpy(record + 40, "77", 3);
    ASSERT_EQ(Ask(3, 0x10061, record), 0);
    uint8_t read[72] = {};
    ASSERT_EQ(Ask(2, 0x10061, read), 0);
    EXPECT_EQ(read[0], 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(read + 8), "5555");
    EXPECT_STREQ(reinterpret_cast<const char*>(read + 40), "77");
    ASSERT_EQ(Ask(6, 0x10061, nullptr), 0);
    ASSERT_EQ(Ask(2, 0x10061, read), 0);
    EXPECT_EQ(read[0], 0);

    // An id that is no account is refused before any device is asked (status 1).
    uint8_t verify[68] = {'0'};
    EXPECT_EQ(Ask(8, 0x10060, verify), 1);
    EXPECT_EQ(verify[64], 1);
}

TEST_F(DriverOptions, MailBoxDestinationKeepsShortNamesAndOneByteBoxes) {
    DWORD top = 0;
    ASSERT_EQ(Ask(2, 0x100E8, &top), 0);
    EXPECT_EQ(top, 4u);
    DWORD count = 7;
    ASSERT_EQ(Ask(1, 0x100E7, &count), 0);
    EXPECT_EQ(count, 0u) << "no box has a name";

    uint8_t record[72] = {};
    MutableByteView r(record, sizeof record);
    r.put_u32(68, 2);
    std::memcpy(record + 4, std::string(24, 'b').c_str(), 24);
    EXPECT_EQ(Ask(3, 0x100E6, record), 3) << "job operation is not store";
    SetOption16(102, 4);
    ASSERT_EQ(Ask(3, 0x100E6, record), 0);
    uint8_t read[72] = {};
    ASSERT_EQ(Ask(2, 0x100E6, read), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(read + 4)), std::string(24, 'b'));
    EXPECT_EQ(ByteView(read, 72).data()[68], 2);
    std::vector<uint8_t> before = devmode;
    record[4 + 24] = 'b';
    EXPECT_EQ(Ask(3, 0x100E6, record), 2) << "25 characters";
    record[4 + 24] = 0;
    r.put_u32(68, 5);
    EXPECT_EQ(Ask(3, 0x100E6, record), 2) << "above the highest box";
    EXPECT_EQ(devmode, before);
    EXPECT_EQ(Ask(6, 0x100E6, nullptr), 0);
    ASSERT_EQ(Ask(2, 0x100E6, read), 0);
    EXPECT_EQ(read[4], 0);
    EXPECT_EQ(read[68], 0);
}

// Names the configuration stored for boxes 1 and 3 before the session opened.
class NamedMailBoxes : public DriverOptions {
public:
    void SetUp() override {
        std::vector<uint8_t> value(7100, 0);
        std::memcpy(value.data() + 1 * 71, "Box A", 5);
        std::memcpy(value.data() + 3 * 71, std::string(67, 'C').c_str(), 67);  // no terminator
        std::memcpy(value.data() + 9 * 71, "Beyond the highest", 18);
        std::string key = std::string("System\\CurrentControlSet\\control\\Print\\Printers\\") +
                          drvtest::kBundledPcl5ePrinter + "\\PrinterDriverData\\DeviceOption";
        HKEY opened = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(opened, "BoxName", 0, REG_BINARY, value.data(), static_cast<DWORD>(value.size()));
        RegCloseKey(opened);
        DriverOptions::SetUp();
    }
};

TEST_F(NamedMailBoxes, TheListHoldsTheNamedBoxesOfTheDevicesRange) {
    DWORD count = 0;
    ASSERT_EQ(Ask(1, 0x100E7, &count), 0);
    EXPECT_EQ(count, 2u) << "boxes 1 and 3 of the four";
    // Box 3's name (66 characters) does not fit an entry's 64 bytes: the list answers 1 and
    // writes nothing rather than cutting a name.
    std::vector<uint8_t> list(68 * count + 16, 0xAB);
    EXPECT_EQ(Ask(4, 0x100E7, list.data()), 1);
    EXPECT_EQ(std::count(list.begin(), list.end(), 0xAB), static_cast<long>(list.size()));
    SetOption16(102, 4);
    uint8_t record[72] = {};
    MutableByteView(record, 72).put_u32(68, 2);
    record[4] = 'x';
    ASSERT_EQ(Ask(3, 0x100E6, record), 0);
    uint8_t current[68] = {};
    ASSERT_EQ(Ask(2, 0x100E7, current), 0);
    EXPECT_EQ(current[0], 2);
    EXPECT_STREQ(reinterpret_cast<const char*>(current + 4), "Box A") << "box 2 is record 1 from the lowest box 1";
}

#ifdef SIM_ZDSVC2
class AccountVerification : public DriverOptions {
public:
    void SetUp() override {
        DriverOptions::SetUp();
        sim = std::make_unique<drvtest::SimulatedDevice>(fixture.Root() + "/WINDOWS/SYSTEM");
        sim->Install(SIM_ZDSVC2, "Zdsvc2.dll");
    }
    void TearDown() override {
        sim->Remove("Zdsvc2.dll");
        DriverOptions::TearDown();
    }
    LONG Verify(const char* id, const char* password, uint32_t& status) {
        uint8_t record[68] = {};
        std::memcpy(record, id, std::strlen(id));
        std::memcpy(record + 32, password, std::strlen(password));
        LONG answer = Ask(8, 0x10060, record);
        ByteView(record, sizeof record).u32(64, status);
        return answer;
    }
    std::unique_ptr<drvtest::SimulatedDevice> sim;
};

TEST_F(AccountVerification, TheDevicesAnswerDecidesAndItsRefusalIsKept) {
    uint32_t status = 77;
    sim->Describe("pair 1 0\n");
    EXPECT_EQ(Verify("1234", "42", status), 0);
    EXPECT_NE(sim->First("request 21").find("d20400002a000000"), std::string::npos)
        << "the id and password reach the device as numbers: " << sim->First("request 21");
    EXPECT_EQ(Priv().data()[model::kVerificationByte], 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(Priv().data() + model::kVerificationId), "1234");

    sim->Describe("pair 0 0\n");
    EXPECT_EQ(Verify("1234", "43", status), 1);
    EXPECT_EQ(status, 9u) << "refused by the device";
    EXPECT_EQ(sim->Count("start"), sim->Count("stop"));
    EXPECT_EQ(sim->Count("connect"), sim->Count("disconnect"));
    EXPECT_EQ(sim->Count("attach"), sim->Count("detach"));

    sim->Remove("Zdsvc2.dll");
    EXPECT_EQ(Verify("1234", "42", status), 1);
    EXPECT_EQ(status, 10u) << "no library to ask the device with";
    sim->Install(SIM_ZDSVC2, "Zdsvc2.dll");
}

// Models without the device-information flag ask through the helper loader and the account
// service of the library's direct table.
TEST_F(AccountVerification, TheAccountServiceChecksTheStoredPair) {
    auto description = std::make_unique<ModelDescription>();
    DescribeModel(2059, *description);
    description->deviceInfoFlag = 0;
    NonSvHost host;
    host.ctx = Ctx();
    host.devmode = devmode.data();
    host.model = description.get();
    host.modelCode = 2059;
    auto verify = [&](const char* id, const char* password) {
        Priv().fill(model::kVerificationId, 0, 32);
        std::memcpy(Priv().data() + model::kVerificationId, id, std::strlen(id));
        std::memcpy(Priv().data() + model::kVerificationPassword, password, std::strlen(password));
        Priv().put_u32(model::kVerificationStatus, 0);
        return nonsv::QueryAccountFromDevice(host);
    };
    auto status = [&] {
        uint32_t v = 0;
        Priv().u32(model::kVerificationStatus, v);
        return v;
    };
    sim->Describe("account 1234 42\n");
    EXPECT_EQ(verify("1234", "42"), 1);
    EXPECT_EQ(sim->First("account"), "account 1234 42");
    EXPECT_EQ(status(), 0u);
    EXPECT_EQ(verify("1234", "43"), 0);
    EXPECT_EQ(status(), 9u);
    EXPECT_EQ(verify("12x", "42"), 0) << "a stored id that is no number reaches the device as -1";
    EXPECT_NE(sim->First("account 4294967295"), "");
    EXPECT_EQ(sim->Count("start"), sim->Count("stop"));
    sim->Remove("Zdsvc2.dll");
    EXPECT_EQ(verify("1234", "42"), 0);
    EXPECT_EQ(status(), 10u);
    sim->Install(SIM_ZDSVC2, "Zdsvc2.dll");
}

#endif

}  // namespace
