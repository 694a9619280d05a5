// Building a device object: the printer opened by name while the spooler is still setting it up,
// a handle the caller owns left open, a pseudo-printer context served from defaults, and a
// printer that does not exist refused. When a sheet's working copies are read-only (that a sheet
// works on copies of the request's settings, the sheet tests show: their Cancel leaves the
// request as it was), and the request's item-restriction list: allow lists, deny lists and the
// open range of an allow list whose leading words are both 0.
#include "core/device/item_restriction.h"
#include "core/device/service_table.h"
#include "core/device/uidevdata.h"
#include "core/device/user_data.h"
#include "drvtest/fixture_device.h"
#include "drvtest/spooler_retry.h"
#include "platform/spooler/pseudo_printer.h"

#include <gtest/gtest.h>

namespace {

TEST(UiDevData, OpensItsPrinterThroughError87ClosesOnlyWhatItOpenedAndServesAPseudoPrinter) {
    drvtest::FixtureDevice fixture;
    drvtest::CountedSpoolerPauses pauses;
    drvtest::FailSpoolerCalls("OpenPrinterA", ERROR_INVALID_PARAMETER, 3);
    UiDevDataRequest request;
    request.printerName = drvtest::kBundledPcl5cPrinter;
    UIDEVDATA* ctx = CreateUiDevData(request);
    ASSERT_NE(ctx, nullptr);
    EXPECT_EQ(pauses.Count(), 3u);
    EXPECT_TRUE(ctx->ownsPrinter);
    EXPECT_EQ(ctx->svc->GetDeviceDataValue2(ctx), 2071u);
    EXPECT_TRUE(IsLiveUiDevData(ctx));
    DestroyUiDevData(ctx);
    EXPECT_FALSE(IsLiveUiDevData(ctx));

    request.printerHandle = fixture.Printer().Handle();
    ctx = CreateUiDevData(request);
    ASSERT_NE(ctx, nullptr);
    EXPECT_FALSE(ctx->ownsPrinter);
    DestroyUiDevData(ctx);
    DWORD needed = 0;
    GetPrinterA(fixture.Printer().Handle(), 2, nullptr, 0, &needed);
    EXPECT_GT(needed, 0u);  // the caller's handle is still open

    request.printerHandle = nullptr;
    request.printerName = "No Such Printer";
    EXPECT_EQ(CreateUiDevData(request), nullptr);
    drvtest::FailSpoolerCalls("OpenPrinterA", ERROR_ACCESS_DENIED, 1);
    request.printerName = drvtest::kBundledPcl5ePrinter;
    EXPECT_EQ(CreateUiDevData(request), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

    HANDLE pseudo = PseudoPrinterCreate(2);
    request = UiDevDataRequest{};
    request.printerHandle = pseudo;
    ctx = CreateUiDevData(request);
    ASSERT_NE(ctx, nullptr);
    EXPECT_NE(ctx->svc->GetDevmode(ctx, 3), nullptr);
    EXPECT_NE(ctx->svc->GetDeviceOption(ctx), nullptr);
    EXPECT_EQ(ctx->svc->LoadDeviceData(ctx), nullptr);
    EXPECT_TRUE(ctx->svc->IsPseudoPrinter(ctx, ctx->svc->GetPrinterHandle(ctx)));
    DestroyUiDevData(ctx);
    PseudoPrinterDestroy(pseudo);
}

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

TEST(ItemRestriction, AllowAndDenyLists) {
    UIDEVDATA ctx = {};
    EXPECT_TRUE(IsItemAllowed(nullptr, 5));
    EXPECT_TRUE(IsItemAllowed(&ctx, 5));  // no list
    WORD allow[] = {0, 0, 10, 0x500, 0};
    WORD allowClosed[] = {0, 1, 10, 0x500, 0};
    WORD deny[] = {1, 0, 10, 0x500, 0};
    struct Case {
        WORD* list;
        UINT id;
        BOOL allowed;
    };
    for (const Case& c : {Case{allow, 10, TRUE}, Case{allow, 11, FALSE}, Case{allow, 0x400, TRUE}, Case{allow, 0x501, TRUE},
                          Case{allowClosed, 0x500, TRUE}, Case{allowClosed, 0x501, FALSE}, Case{allowClosed, 11, FALSE},
                          Case{deny, 10, FALSE}, Case{deny, 0x500, FALSE}, Case{deny, 11, TRUE}, Case{deny, 0x501, TRUE}}) {
        ctx.itemBuffers[kItemRestrictionBuffer] = c.list;
        EXPECT_EQ(IsItemAllowed(&ctx, c.id), c.allowed) << c.list[0] << "/" << c.list[1] << " id " << c.id;
    }
}

}  // namespace
