// Department accounts verified by the device, through VomelDeviceMode with the simulated
// device-information library in the printer driver's folder: the device's answer decides, its
// refusal and a device that cannot be asked leave their status in the device mode, and every
// library, start and connection opened for the question is closed again.
#include "driver_option_fixture.h"

#include "core/devmode/model_section.h"
#include "drvtest/simulated_device.h"
#include "model/model_catalogue.h"
#include "settings/sdk/nonsv_operations.h"

#include <memory>

#ifdef SIM_ZDSVC2

namespace {

namespace model = devmode::model;

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

}  // namespace

#endif
