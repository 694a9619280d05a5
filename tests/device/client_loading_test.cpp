// Loading the device-information library: by the printer driver's or the system folder, the
// older name when the newer is missing, the caller's directory restored on unload, the codes of
// each failure, and the information block read through either table.
#include "device_fixture.h"

#include <fstream>
#include <string>

TEST_F(DeviceInfoTest, OlderNameLoadsWhenNewerIsMissingAndUnloadRestoresTheDirectory) {
    sim_->Remove("Zdsvc2.dll");
    sim_->Install(SIM_ZDSVC, "Zdsvc.dll");
    ASSERT_EQ(DevInfoClient_LoadLibrary(client_, "Zdsvc2.dll", "Zdsvc.dll", printer_->Name().c_str(), 1), 0);
    EXPECT_EQ(CurrentDirectory(), "C:\\WINDOWS\\SYSTEM");  // the library's folder while it is loaded
    EXPECT_STREQ(client_->state->folder, "C:\\WINDOWS\\SYSTEM");
    EXPECT_NE(DevInfoClient_GetEntry(client_, "ZDSV_GetInterface"), nullptr);
    EXPECT_EQ(DevInfoClient_GetEntry(client_, nullptr), nullptr);
    // One state, one library: a second load is refused until the first is undone.
    EXPECT_EQ(DevInfoClient_LoadLibrary(client_, "Zdsvc2.dll", "Zdsvc.dll", printer_->Name().c_str(), 1), -1);
    DevInfoClient_FreeLibrary(client_);
    EXPECT_EQ(client_->state, nullptr);
    DevInfoClient_FreeLibrary(client_);  // twice does nothing
    EXPECT_EQ(DevInfoClient_GetEntry(client_, "ZDSV_GetInterface"), nullptr);
    ExpectPairsClosed();
    ASSERT_FALSE(sim_->Libraries().empty());
    EXPECT_EQ(sim_->Libraries()[0], "Zdsvc");
}

TEST_F(DeviceInfoTest, EachLoadFailureHasItsCodeUnloadingStillRestoresAndTheCallersFolderServes) {
    struct Case {
        const char* what;
        bool installed;
        const char* printer;
        int mode;
        int code;
    };
    const std::string name = printer_->Name();
    for (auto c : {Case{"driver folder, nothing there", false, name.c_str(), 1, -23},
                   Case{"system folder, nothing there", false, name.c_str(), 2, -33},
                   Case{"mode 3, nothing there", false, name.c_str(), 3, -33},
                   Case{"mode 4, nothing there", false, name.c_str(), 4, -43},
                   Case{"mode 0", true, name.c_str(), 0, -1},
                   Case{"mode 5", true, name.c_str(), 5, -1},
                   Case{"no printer name, even for the system folder", true, nullptr, 2, -1},
                   Case{"a printer that does not exist", true, "No Such Printer", 1, -21},
                   Case{"system folder ignores the printer", true, "No Such Printer", 2, 0}}) {
        if (c.installed) sim_->Install(SIM_ZDSVC2, "Zdsvc2.dll");
        else sim_->Remove("Zdsvc2.dll");
        EXPECT_EQ(DevInfoClient_LoadLibrary(client_, "Zdsvc2.dll", "Zdsvc.dll", c.printer, c.mode), c.code) << c.what;
        DevInfoClient_FreeLibrary(client_);
        EXPECT_EQ(client_->state, nullptr) << c.what;
        EXPECT_EQ(CurrentDirectory(), "C:\\WINDOWS\\TEMP") << c.what;
    }
    EXPECT_EQ(DevInfoClient_LoadLibraryByName(nullptr, "Zdsvc2.dll", name.c_str(), 1), -1);
    EXPECT_EQ(DevInfoClient_LoadLibraryByName(client_, nullptr, name.c_str(), 1), -1);

    EXPECT_EQ(DevInfoClient_LoadLibraryFromFolder(client_, "Zdsvc2.dll", nullptr, std::string(300, 'X').c_str(), 1), -2);
    DevInfoClient_FreeLibrary(client_);
    EXPECT_EQ(DevInfoClient_LoadLibraryFromFolder(client_, "Zdsvc2.dll", nullptr, "C:\\NOWHERE", 1), -2);
    DevInfoClient_FreeLibrary(client_);
    EXPECT_EQ(DevInfoClient_LoadLibraryFromFolder(client_, "Zdsvc2.dll", "Zdsvc.dll", "C:\\WINDOWS\\SYSTEM", 1), 0);
    DevInfoClient_FreeLibrary(client_);
    ExpectPairsClosed();
}

TEST_F(DeviceInfoTest, InformationBlockThroughEitherTableItsRefusalsAndThisComputer) {
    sim_->Describe("host \"PRINTSERVER\"\nport 515\naddress 10.0.0.7\n");
    for (uint32_t version : {kZdsvVersionClient, kZdsvVersionDirect}) {
        ASSERT_TRUE(Open(version)) << version;
        EXPECT_EQ(info_->port, 515u);
        EXPECT_EQ(info_->addressCount, 1u);
        EXPECT_EQ(info_->address->bytes[12], 7);
        EXPECT_STREQ(info_->hostName, "PRINTSERVER");
        EXPECT_EQ(DevInfoClient_IsThisComputer(client_, info_), 0);
        Close();
    }
    EXPECT_EQ(DevInfoClient_IsThisComputer(client_, nullptr), -1);

    struct Case {
        const char* description;
        int32_t status;
        int32_t code;
    };
    for (auto c : {Case{"fault info 0xC098B001\n", -28, static_cast<int32_t>(0xC098B001)},
                   Case{"fault info 0xC0001234\n", 0, static_cast<int32_t>(0xC0001234)}}) {
        sim_->Describe(c.description);
        ASSERT_EQ(DevInfoClient_LoadLibrary(client_, "Zdsvc2.dll", nullptr, printer_->Name().c_str(), 1), 0);
        auto get = DevInfoClient_GetEntryAs<ZdsvGetInterfaceProc>(client_, "ZDSV_GetInterface");
        ZdsvInterface* iface = get(768);
        ASSERT_EQ(ZdsvSlot<ZdsvStartProc>(iface, 1)(), 0);
        DevInfoStatus status{};
        EXPECT_EQ(DevInfoClient_QueryInfo(client_, printer_->Name().c_str(), 1, iface, &status), nullptr);
        EXPECT_EQ(status.status, c.status) << c.description;
        EXPECT_EQ(status.libraryCode, c.code) << c.description;
        EXPECT_EQ(DevInfoClient_QueryInfo(client_, std::string(300, 'P').c_str(), 1, iface, &status), nullptr);
        EXPECT_EQ(status.status, -12);
        ZdsvSlot<ZdsvStopProc>(iface, 2)();
        DevInfoClient_FreeLibrary(client_);
    }
    ExpectPairsClosed();

    char self[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof self;
    ASSERT_TRUE(GetComputerNameA(self, &size));
    for (auto [host, expected] : {std::pair<std::string, int>{"", 1}, {self, 1}, {"ELSEWHERE", 0}}) {
        sim_->Describe("host \"" + host + "\"\n");
        ASSERT_TRUE(Open()) << host;
        EXPECT_EQ(DevInfoClient_IsThisComputer(client_, info_), expected) << host;
        Close();
    }
}

// A library cut short in the driver folder (its first 4 KiB) is a load failure of its own code,
// not the end of the process, and the caller's directory comes back.
TEST_F(DeviceInfoTest, ATruncatedLibraryFailsToLoadAndTheProcessGoesOn) {
    std::ifstream in(SIM_ZDSVC2, std::ios::binary);
    std::string head(4096, '\0');
    ASSERT_TRUE(in.read(head.data(), static_cast<std::streamsize>(head.size())));
    const std::string cut = ::testing::TempDir() + "zdsvc2_cut.so";
    std::ofstream(cut, std::ios::binary) << head;
    sim_->Install(cut, "Zdsvc2.dll");
    EXPECT_LT(DevInfoClient_LoadLibrary(client_, "Zdsvc2.dll", "Zdsvc.dll", printer_->Name().c_str(), 1), 0);
    DevInfoClient_FreeLibrary(client_);
    EXPECT_EQ(client_->state, nullptr);
    EXPECT_EQ(CurrentDirectory(), "C:\\WINDOWS\\TEMP");
}
