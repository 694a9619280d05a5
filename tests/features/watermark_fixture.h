// Shared by the watermark tests: the bundled printer with the watermark object the library
// registers for it, the printer's "WaterMark" registry values and the settings the object reads.
#pragma once

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/system/registry_helpers.h"
#include "drvtest/fixture_device.h"
#include "features/features_registration.h"
#include "features/pdl_watermark.h"
#include "profiles/profiles_registration.h"
#include "ui/dialog_framework.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace watermarktest {

// As the shared library does when it loads.
inline const bool g_registered = (RegisterDialogFramework(), RegisterProfiles(), RegisterFeatures(), true);

using Record = watermark::WaterMarkRecord;

class WaterMarkTest : public ::testing::Test {
protected:
    explicit WaterMarkTest(int kind = kKindDevmode) : fixture(kind) {}
    UIDEVDATA* Ctx() { return fixture.Device(); }
    uint8_t* Settings() { return Ctx()->svc->GetUserData(Ctx())->GetSettingsSource(); }
    std::unique_ptr<PDLWaterMark> Marks() { return std::make_unique<PDLWaterMark>(Ctx(), 0); }

    void SetName(const char* name) {
        char field[32] = {};
        std::memcpy(field, name, strnlen(name, sizeof field));
        Ctx()->svc->SetOption(Ctx(), Settings(), watermark::kOptName, field, sizeof field);
    }
    // The plain preset base: a watermark object would upgrade the values as it is made.
    std::string Base() { return CmPreset(Ctx(), 0).BuildRegistryPath(); }
    std::vector<uint8_t> Value(uint32_t index) {
        const std::string base = Base(), name = std::to_string(index);
        DWORD size = 0;
        if (!RegQueryValueRead(HKEY_LOCAL_MACHINE, base.c_str(), fixture.Printer().Name().c_str(), "WaterMark",
                               name.c_str(), nullptr, &size))
            return {};
        std::vector<uint8_t> data(size);
        RegQueryValueRead(HKEY_LOCAL_MACHINE, base.c_str(), fixture.Printer().Name().c_str(), "WaterMark", name.c_str(),
                          data.data(), &size);
        return data;
    }
    void SetValue(uint32_t index, const std::vector<uint8_t>& data) {
        const std::string base = Base(), name = std::to_string(index);
        ASSERT_TRUE(RegSetValueAll(HKEY_LOCAL_MACHINE, base.c_str(), fixture.Printer().Name().c_str(), "WaterMark",
                                   name.c_str(), REG_BINARY, data.data(), static_cast<DWORD>(data.size())));
    }
    void DeleteValue(uint32_t index) {
        const std::string base = Base();
        RegDeleteValueAll(HKEY_LOCAL_MACHINE, base.c_str(), fixture.Printer().Name().c_str(), "WaterMark",
                          std::to_string(index).c_str());
    }
    static std::vector<uint8_t> Packed(const Record& record) {
        std::vector<uint8_t> bytes(watermark::kRegRecordSize);
        watermark::PackRecord(record, bytes.data());
        return bytes;
    }
    static Record Preset(const char* name, uint32_t kind = watermark::kKindUser, uint32_t colour = 0x112233) {
        Record record;
        record.kind = kind;
        watermark::CopyText(record.name, sizeof record.name, name);
        watermark::CopyText(record.text, sizeof record.text, name);
        record.rotationMode = 1;
        record.colour = colour;
        record.font.height = 60;
        record.font.weight = 700;
        watermark::CopyText(record.font.faceName, sizeof record.font.faceName, "Courier New");
        return record;
    }
    static std::vector<std::string> Names(const std::vector<Record>& list) {
        std::vector<std::string> names;
        for (const Record& record : list) names.emplace_back(record.name);
        return names;
    }

    drvtest::FixtureDevice fixture;
};

}  // namespace watermarktest
