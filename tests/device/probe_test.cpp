// The settings summary's probe, the library's window and the overlay page's two questions, on the
// bundled printer with the simulated device-information library: what each asks the device, what
// it keeps, and that a library that cannot be used changes nothing.
#include "bridges_fixture.h"

#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "device/bridges/device_info_probe.h"
#include "device/device_operations.h"
#include "device/device_query_record.h"
#include "device/devinfo_queries.h"

#include <windows.h>

#include <cstring>

namespace {

const char* const kOverlayFailed = "The media library could not be read from the printer.";

std::string ThisComputer() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    GetComputerNameA(name, &size);
    return name;
}

TEST(LocalComputer, TheInformationsComputerIsComparedWithThisOne) {
    std::string self = ThisComputer();
    ZdsvDeviceInformation information{};
    EXPECT_EQ(DevInfo_IsLocalComputer(nullptr), -1);
    EXPECT_EQ(DevInfo_IsLocalComputer(&information), -1) << "no computer named";
    information.hostName = self.c_str();
    EXPECT_EQ(DevInfo_IsLocalComputer(&information), 1);
    information.hostName = "PRINTSERVER9";
    EXPECT_EQ(DevInfo_IsLocalComputer(&information), 0);
}

TEST_F(BridgeTest, TheProbeShowsTheValuesOnlyOfAnotherComputer) {
    struct Case {
        const char* what;
        std::string description;
        uint16_t before, after;
        const char* text;
        int remoteCalls;
    };
    for (const Case& c : {Case{"another computer", "host \"PRINTSERVER9\"\nremote 3 14", 0, 3, "Device 3.14", 1},
                          Case{"large values", "host \"PRINTSERVER9\"\nremote 65535 65535", 0, 3, "Device 65535.65535", 1},
                          Case{"this computer", "host \"" + ThisComputer() + "\"\nremote 3 14", 2, 1, "", 0},
                          Case{"no computer named", "remote 3 14", 2, 1, "", 0},
                          Case{"no address", "host \"PRINTSERVER9\"\naddress none", 2, 2, "", 0},
                          Case{"not started", "host \"PRINTSERVER9\"\nfault start -5", 2, 2, "", 0},
                          Case{"information refused", "host \"PRINTSERVER9\"\nfault info 0xC098B001", 2, 2, "", 0}}) {
        sim_->Describe(c.description);
        ClearLogs();
        DeviceInfoProbe probe{Ctx(), {}, c.before};
        DeviceInfoProbe_Query(&probe);
        EXPECT_EQ(DeviceInfoProbe_GetFlags(&probe), c.after) << c.what;
        char copy[kProbeCopySize];
        std::memset(copy, 'x', sizeof copy);
        DeviceInfoProbe_CopyText(&probe, copy);
        EXPECT_STREQ(copy, c.text) << c.what;
        EXPECT_EQ(sim_->Count("remote-info PRINTSERVER9 1 0"), c.remoteCalls) << c.what;
        EXPECT_EQ(sim_->Count("start"), sim_->Count("stop")) << c.what;
        EXPECT_EQ(sim_->Count("open-info"), sim_->Count("close-info")) << c.what;
        EXPECT_EQ(sim_->Count("attach"), sim_->Count("detach")) << c.what;
    }
}

TEST_F(BridgeTest, TheLibrarysWindowOpensForThePrinterAndWithoutTheLibraryNothingChanges) {
    sim_->Describe("");
    OpenDeviceInfoLibrary(Ctx());
    EXPECT_EQ(sim_->Count("show-window " + Printer() + " 0"), 1);
    EXPECT_EQ(sim_->Count("start"), 0) << "the window needs no started interface";
    EXPECT_EQ(sim_->Count("attach"), 1);
    EXPECT_EQ(sim_->Count("detach"), 1);
    sim_->Remove("Zdsvc2.dll");
    OpenDeviceInfoLibrary(Ctx());  // nothing to open, nothing reported
    EXPECT_TRUE(Messages().empty());
    for (uint16_t flags : {0, 1, 2, 3}) {  // a probe without the library leaves its flags
        DeviceInfoProbe probe{Ctx(), {}, flags};
        DeviceInfoProbe_Query(&probe);
        EXPECT_EQ(DeviceInfoProbe_GetFlags(&probe), flags);
    }
}

std::string OverlayDevice(const char* deviceName) {
    return std::string("attr 0 1056 text \"") + deviceName + "\"\n" +
           "list 1015 4037 501\nattr 501 11804 text \"Form A\"\nattr 501 11806 number 13 4\n";
}

TEST_F(BridgeTest, TheOverlayPagesDeviceQueryAsksThisPrintersModel) {
    DeviceData* data = Ctx()->svc->LoadDeviceData(Ctx());
    ASSERT_NE(data, nullptr);
    const char* model = data->TextAt(devicedata::kDeviceNameHandle);
    ASSERT_NE(model, nullptr);
    Configuration configuration(Ctx());
    for (auto [device, result] : {std::pair<std::string, int>{model, 1}, {"Another model", 0}}) {
        sim_->Describe(OverlayDevice(device.c_str()));
        DevInfoClient* client = nullptr;
        ASSERT_EQ(DevInfoClient_Create(&client), 1);
        auto record = std::make_unique<DeviceQueryRecord>();
        const size_t shown = Messages().size();
        EXPECT_EQ(configuration.QueryForOverlayPage(nullptr, client, record.get()), result) << device;
        EXPECT_EQ(record->accessoryCount, result ? 1u : 0u) << device;
        EXPECT_EQ(Messages().size(), shown + (result ? 0 : 1)) << device;
        if (!result) {
            EXPECT_EQ(Messages().back(), kOverlayFailed);
        }
        DevInfoClient_FreeQueryRecord(client, record.get());
        DevInfoClient_Destroy(client);
    }
    EXPECT_EQ(sim_->Count("attach"), sim_->Count("detach"));
}

TEST_F(BridgeTest, TheOverlayPagesEntriesComeForItsIdsInBatches) {
    Configuration configuration(Ctx());
    sim_->Describe("");
    std::vector<uint32_t> ids(150);
    for (uint32_t i = 0; i < ids.size(); ++i) ids[i] = 1000 + i;
    std::vector<uint8_t> entries(ids.size() * kFormEntrySize, 0xEE);
    DevInfoListRequest request{};
    request.kind = kListOverlayForms;
    request.count = static_cast<uint32_t>(ids.size());
    request.ids = ids.data();
    request.entries = entries.data();
    request.entryBytes = static_cast<uint32_t>(entries.size());
    EXPECT_EQ(configuration.RequestForOverlayPage(nullptr, &request), 1);
    EXPECT_STREQ(request.printerName, Printer().c_str());
    EXPECT_STREQ(reinterpret_cast<char*>(&entries[149 * kFormEntrySize + 4]), "Entry 1149");
    EXPECT_EQ(sim_->Count("SS_GetInterface 784"), 1);
    EXPECT_EQ(sim_->Count("request 36 list 1015 attribute 4037 count 100 first 1000"), 1);
    EXPECT_EQ(sim_->Count("request 36 list 1015 attribute 4037 count 50 first 1100"), 1);
    EXPECT_TRUE(Messages().empty());

    sim_->Describe("fault refuse 36 -7");
    EXPECT_EQ(configuration.RequestForOverlayPage(nullptr, &request), 0);
    sim_->Remove("Zdsvc2.dll");
    EXPECT_EQ(configuration.RequestForOverlayPage(nullptr, &request), 0);
    EXPECT_EQ(Messages(), (std::vector<std::string>{kOverlayFailed, kOverlayFailed}));
    EXPECT_EQ(sim_->Count("start"), sim_->Count("stop"));
    EXPECT_EQ(sim_->Count("connect"), sim_->Count("disconnect"));
    EXPECT_EQ(sim_->Count("attach"), sim_->Count("detach"));
}

}  // namespace
