// The root object: the working copies a sheet gets while device-mode work edits the request's
// own settings, and when those copies are read-only.
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "drvtest/fixture_device.h"

#include <gtest/gtest.h>

#include <string>

namespace {

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
