// The fixture of the device-information tests: a fresh drive root whose system folder holds the
// simulated library under the maker's name, the bundled printers in a temporary hive, the
// library's private heap and a client; and a helper that opens the simulated device as the
// queries do, for the tests of single requests.
#pragma once

#include "core/memory/private_heap.h"
#include "device/devinfo_client.h"
#include "device/devinfo_information.h"
#include "device/devinfo_library.h"

#include <drvtest/kernel.h>
#include <drvtest/simulated_device.h>
#include <drvtest/spooler.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

class DeviceInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/roots/" + info->test_suite_name() + "." + info->name();
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ + "/WINDOWS/TEMP");
        drvtest::SetRootFolder(root_);
        ASSERT_TRUE(CreatePrivateHeap());
        sim_ = std::make_unique<drvtest::SimulatedDevice>(root_ + "/WINDOWS/SYSTEM");
        sim_->Install(SIM_ZDSVC2, "Zdsvc2.dll");
        printer_ = std::make_unique<drvtest::FixturePrinter>();
        ASSERT_TRUE(SetCurrentDirectoryA("C:\\WINDOWS\\TEMP"));
        ASSERT_EQ(DevInfoClient_Create(&client_), 1);
    }
    void TearDown() override {
        Close();
        DevInfoClient_Destroy(client_);
        printer_.reset();
        DestroyPrivateHeap();
    }

    std::string CurrentDirectory() const {
        char folder[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, folder);
        return folder;
    }

    // Every start has its stop, every connection its disconnect, every load its unload.
    void ExpectPairsClosed() const {
        EXPECT_EQ(sim_->Count("start"), sim_->Count("stop"));
        EXPECT_EQ(sim_->Count("connect"), sim_->Count("disconnect"));
        EXPECT_EQ(sim_->Count("open-info"), sim_->Count("close-info"));
        EXPECT_EQ(sim_->Count("attach"), sim_->Count("detach"));
        EXPECT_EQ(CurrentDirectory(), "C:\\WINDOWS\\TEMP");
    }

    // Opens the simulated device through the version-768 table: load, start, connect.
    bool Open(uint32_t version = kZdsvVersionClient) {
        if (DevInfoClient_LoadLibrary(client_, kZdsvLibraryName, kZdsvOldLibraryName, printer_->Name().c_str(), 1))
            return false;
        auto get = DevInfoClient_GetEntryAs<ZdsvGetInterfaceProc>(client_, kZdsvGetInterfaceName);
        if (!get || !(iface_ = get(version))) return false;
        bool is768 = version == kZdsvVersionClient;
        if (ZdsvSlot<ZdsvStartProc>(iface_, 1)() != 0) return false;
        started_ = true;
        DevInfoStatus status{};
        info_ = DevInfoClient_QueryInfo(client_, printer_->Name().c_str(), is768 ? 1 : 2, iface_, &status);
        if (!info_ || !is768) return info_ != nullptr;
        ZdsvAddress address = *info_->address;
        return ZdsvSlot<ZdsvConnectProc>(iface_, zdsv768::kConnect)(info_->hostName, &address, nullptr, nullptr,
                                                                    info_->port, &connection_) == 0;
    }
    void Close() {
        if (connection_) ZdsvSlot<ZdsvDisconnectProc>(iface_, zdsv768::kDisconnect)(connection_);
        if (started_) ZdsvSlot<ZdsvStopProc>(iface_, 2)();
        PrivateFree(info_);
        DevInfoClient_FreeLibrary(client_);
        connection_ = nullptr;
        started_ = false;
        info_ = nullptr;
    }

    std::string root_;
    std::unique_ptr<drvtest::SimulatedDevice> sim_;
    std::unique_ptr<drvtest::FixturePrinter> printer_;
    DevInfoClient* client_ = nullptr;
    ZdsvInterface* iface_ = nullptr;
    ZdsvDeviceInformation* info_ = nullptr;
    void* connection_ = nullptr;
    bool started_ = false;
};
