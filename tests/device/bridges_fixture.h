// The fixture of the library bridges' tests: the bundled printer's device object with the
// dialog framework and the device's messages registered, the stand-ins of the import and request
// libraries and the simulated device-information library installed in the system folder (the
// printer driver's folder too), a scripted user that records the messages, and the call logs.
#pragma once

#include "device/config/configuration.h"
#include "ui/dialog_framework.h"

#include <drvtest/fixture_device.h>
#include <drvtest/scripted_user.h>
#include <drvtest/simulated_device.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

class BridgeTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterDialogFramework();
        RegisterDeviceConfiguration();
        device_ = std::make_unique<drvtest::FixtureDevice>();
        ASSERT_NE(device_->Device(), nullptr);
        system_ = device_->Root() + "/WINDOWS/SYSTEM";
        sim_ = std::make_unique<drvtest::SimulatedDevice>(system_);
        sim_->Install(SIM_ZDSVC2, "Zdsvc2.dll");
        Install(STANDIN_TARQEN, "TARQEN.dll");
        Install(STANDIN_PELOM, "PELOM.dll");
        user_ = std::make_unique<drvtest::ScriptedUser>();
    }
    void TearDown() override {
        user_.reset();
        sim_.reset();
        device_.reset();
        RegisterModuleFactory(kModuleConfiguration, nullptr);
    }

    UIDEVDATA* Ctx() const { return device_->Device(); }
    std::string Printer() const { return device_->Printer().Name(); }
    void Install(const char* built, const char* name) const {
        std::filesystem::copy_file(built, system_ + "/" + name, std::filesystem::copy_options::overwrite_existing);
    }
    void Remove(const char* name) const { std::filesystem::remove(system_ + "/" + name); }
    void Describe(const char* file, const std::string& text) const {
        std::ofstream(system_ + "/" + file, std::ios::binary | std::ios::trunc) << text;
    }
    // The stand-in's log, one call a line.
    std::vector<std::string> Log(const char* file) const {
        std::vector<std::string> lines;
        std::ifstream in(system_ + "/" + file);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    int Count(const char* file, const std::string& prefix) const {
        int n = 0;
        for (const std::string& line : Log(file)) n += line.rfind(prefix, 0) == 0;
        return n;
    }
    void ClearLogs() const {
        std::filesystem::remove(system_ + "/PELOMSIM.LOG");
        std::filesystem::remove(system_ + "/TARQENSIM.LOG");
        sim_->ClearLog();
    }
    // The texts of the messages shown so far.
    std::vector<std::string> Messages() const { return user_->messageTexts(); }

    std::unique_ptr<drvtest::FixtureDevice> device_;
    std::string system_;
    std::unique_ptr<drvtest::SimulatedDevice> sim_;
    std::unique_ptr<drvtest::ScriptedUser> user_;
};
