// The root object: which module objects each request kind makes, in which order, and the
// working copies a sheet gets while device-mode work edits the request's own settings.
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "drvtest/fixture_device.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<DWORD> g_made;

template <DWORD Bit>
CmModule* MakeModule(UIDEVDATA*) {
    g_made.push_back(Bit);
    return new CmModule;
}

// Registers a recording factory for every bit for the life of the object.
class RecordingFactories {
public:
    RecordingFactories() {
        g_made.clear();
        Register<0>();
    }
    ~RecordingFactories() {
        for (int i = 0; i < kModuleCount; ++i) RegisterModuleFactory(static_cast<ModuleBit>(1u << i), nullptr);
    }

private:
    template <int I>
    void Register() {
        if constexpr (I < kModuleCount) {
            RegisterModuleFactory(static_cast<ModuleBit>(1u << I), MakeModule<1u << I>);
            Register<I + 1>();
        }
    }
};

TEST(UserData, EachKindMakesItsModulesInBitOrderAndGettersAnswerNullWithoutAFactory) {
    struct Case {
        int kind;
        DWORD mask;
    };
    for (const Case& c : {Case{kKindDriver, 0xFFF}, Case{kKindDevmode, 0xB99}, Case{kKindUserInterface, 0xFFF},
                          Case{kKindInstall, 0x284}}) {
        RecordingFactories factories;
        drvtest::FixtureDevice fixture(c.kind);
        ASSERT_NE(fixture.Device(), nullptr);
        std::vector<DWORD> expected;
        for (DWORD bit = 1; bit <= kModuleUtility; bit <<= 1)
            if ((c.mask | kModuleUtility) & bit) expected.push_back(bit);
        EXPECT_EQ(g_made, expected) << c.kind;
        CmUserData* user = fixture->svc->GetUserData(fixture.Device());
        EXPECT_EQ(user->GetConfiguration() != nullptr, (c.mask & kModuleConfiguration) != 0) << c.kind;
        EXPECT_NE(user->GetUtility(), nullptr);
    }
    drvtest::FixtureDevice bare(kKindUserInterface);
    CmUserData* user = bare->svc->GetUserData(bare.Device());
    EXPECT_EQ(user->GetMessage(), nullptr);
    EXPECT_EQ(user->GetPdlData(), nullptr);
    EXPECT_EQ(user->GetConflict(), nullptr);
    EXPECT_EQ(user->GetLocale(), nullptr);
}

TEST(UserData, SheetsWorkOnCopiesAndDeviceModeWorkOnTheRequest) {
    drvtest::FixtureDevice fixture(kKindDevmode);
    UIDEVDATA* sheet = fixture.Make(kKindUserInterface);
    ASSERT_NE(sheet, nullptr);
    CmUserData* direct = fixture->svc->GetUserData(fixture.Device());
    CmUserData* copying = sheet->svc->GetUserData(sheet);
    EXPECT_EQ(direct->GetSettingsSource(), fixture->svc->GetDevmode(fixture.Device(), 3));
    EXPECT_EQ(direct->GetDeviceOptionSource(), fixture->svc->GetDeviceOption(fixture.Device()));
    uint8_t* copy = copying->GetSettingsSource();
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, sheet->svc->GetDevmode(sheet, 3));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(copy), 20), std::string(reinterpret_cast<char*>(sheet->svc->GetDevmode(sheet, 3)), 20));
    EXPECT_NE(copying->GetDeviceOptionSource(), sheet->svc->GetDeviceOption(sheet));
    // Read-only while locked or in access modes 1 and 2.
    EXPECT_FALSE(copying->IsReadOnly());
    copying->SetAccessMode(2);
    EXPECT_TRUE(copying->IsReadOnly());
    copying->SetAccessMode(0);
    copying->SetLock(1);
    EXPECT_TRUE(copying->IsReadOnly());
}

}  // namespace
