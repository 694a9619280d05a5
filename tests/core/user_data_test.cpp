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

}  // namespace
