// The root object: when a sheet's working copies are read-only. That a sheet works on copies of
// the request's settings, the sheet tests show: their Cancel leaves the request as it was.
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "drvtest/fixture_device.h"

#include <gtest/gtest.h>

namespace {

TEST(UserData, TheCopiesAreReadOnlyWhileLockedOrInAccessModesOneAndTwo) {
    drvtest::FixtureDevice fixture(kKindDevmode);
    UIDEVDATA* sheet = fixture.Make(kKindUserInterface);
    ASSERT_NE(sheet, nullptr);
    CmUserData* copying = sheet->svc->GetUserData(sheet);
    EXPECT_FALSE(copying->IsReadOnly());
    copying->SetAccessMode(2);
    EXPECT_TRUE(copying->IsReadOnly());
    copying->SetAccessMode(0);
    copying->SetLock(1);
    EXPECT_TRUE(copying->IsReadOnly());
}

// The first ask makes the copies; every later one must answer them, a dialog's blocks meanwhile.
TEST(UserData, ASheetWorksOnOneCopyOfEachBlockAndADialogOnItsOwn) {
    drvtest::FixtureDevice fixture(kKindDevmode);
    UIDEVDATA* direct = fixture.Device();
    UIDEVDATA* sheet = fixture.Make(kKindUserInterface);
    ASSERT_NE(sheet, nullptr);
    CmUserData* user = sheet->svc->GetUserData(sheet);
    uint8_t* settings = user->GetSettingsSource();
    uint8_t* options = user->GetDeviceOptionSource();
    EXPECT_NE(settings, sheet->svc->GetDevmode(sheet, 3));
    EXPECT_NE(options, sheet->svc->GetDeviceOption(sheet));
    uint8_t dialogSettings[4], dialogOptions[4];
    user->SetDialogBlocks({dialogSettings, dialogOptions});
    EXPECT_EQ(user->GetSettingsSource(), dialogSettings);
    EXPECT_EQ(user->GetDeviceOptionSource(), dialogOptions);
    user->SetDialogBlocks({});
    EXPECT_EQ(user->GetSettingsSource(), settings);
    EXPECT_EQ(user->GetDeviceOptionSource(), options);
    CmUserData* own = direct->svc->GetUserData(direct);
    for (int ask = 0; ask < 2; ++ask) {
        EXPECT_EQ(own->GetSettingsSource(), direct->svc->GetDevmode(direct, 3));
        EXPECT_EQ(own->GetDeviceOptionSource(), direct->svc->GetDeviceOption(direct));
    }
}

}  // namespace
