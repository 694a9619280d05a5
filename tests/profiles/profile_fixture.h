// Shared by the profile tests: the bundled printer with its request, the profile store the
// library registers for it, its registry values and files in the fixture's drive root, and the
// scripted person who sees the messages.
#pragma once

#include "core/device/service_table.h"
#include "core/system/registry_helpers.h"
#include "drvtest/fixture_device.h"
#include "drvtest/scripted_user.h"
#include "profiles/profile.h"
#include "profiles/profiles_registration.h"
#include "ui/dialog_framework.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace profiletest {

// As the shared library does when it loads.
inline const bool g_registered = (RegisterDialogFramework(), RegisterProfiles(), true);

class ProfileTest : public ::testing::Test {
protected:
    explicit ProfileTest(const char* printer = drvtest::kBundledPcl5ePrinter) : fixture(kKindDevmode, printer) {}

    UIDEVDATA* Ctx() { return fixture.Device(); }
    // A store as a request makes it: list loaded, chain built.
    std::unique_ptr<Profile> Store() {
        auto store = std::unique_ptr<Profile>(new Profile(Ctx(), 0));
        store->ReloadTable();
        return store;
    }
    std::vector<std::string> Names(const CmProfile& store) {
        std::vector<std::string> names;
        for (const ProfileNode& node : store.Committed()) names.emplace_back(node.name);
        return names;
    }
    static std::vector<std::string> ListNames(const ProfileList& list) {
        std::vector<std::string> names;
        for (uint32_t i = 0; i < CmProfile::CountEntries(list); ++i) names.emplace_back(CmProfile::EntryAt(list, i).name);
        return names;
    }

    // Registry values below the printer's profile keys ("UIProfileTBL" or "UIProfile\<name>").
    std::string Base() { return Profile(Ctx(), 0).BuildRegistryPath(); }
    std::vector<uint8_t> Value(const std::string& key, const char* name) {
        DWORD size = 0;
        const std::string base = Base();
        if (!RegQueryValueRead(HKEY_CURRENT_USER, base.c_str(), fixture.Printer().Name().c_str(), key.c_str(), name,
                               nullptr, &size))
            return {};
        std::vector<uint8_t> data(size);
        RegQueryValueRead(HKEY_CURRENT_USER, base.c_str(), fixture.Printer().Name().c_str(), key.c_str(), name,
                          data.data(), &size);
        return data;
    }
    void SetValue(const std::string& key, const char* name, DWORD type, const std::vector<uint8_t>& data) {
        const std::string base = Base();
        ASSERT_TRUE(RegSetValueAll(HKEY_CURRENT_USER, base.c_str(), fixture.Printer().Name().c_str(), key.c_str(), name,
                                   type, data.data(), static_cast<DWORD>(data.size())));
    }
    void SetSize(const std::string& key, DWORD size) {
        SetValue(key, "SIZE", REG_DWORD, std::vector<uint8_t>(reinterpret_cast<uint8_t*>(&size), reinterpret_cast<uint8_t*>(&size) + 4));
    }

    // Files of the drive root, named as the library sees them ("C:\name").
    void WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(fixture.Root() + "/" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<uint8_t> ReadFile(const std::string& name) {
        std::ifstream in(fixture.Root() + "/" + name, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static std::string Path(const std::string& name) { return "C:\\" + name; }

    // A user profile record made from a built-in one, as the add dialog makes one.
    ProfileRecord UserRecord(CmProfile& store, const char* name) {
        ProfileRecord record = store.ReadProfile(store.Committed().front().name, profile::kTypeBuiltIn);
        std::fill(record.begin() + profile::kRecordName, record.begin() + profile::kRecordName + 32, 0);
        std::copy(name, name + std::strlen(name), record.begin() + profile::kRecordName);
        record[profile::kRecordType] = profile::kTypeUser;
        return record;
    }

    drvtest::FixtureDevice fixture;
    drvtest::ScriptedUser person;
};

}  // namespace profiletest
