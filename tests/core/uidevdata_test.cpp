// Building a device object: the printer opened by name while the spooler is still setting it up,
// a handle the caller owns left open, a pseudo-printer context served from defaults, and a
// printer that does not exist refused.
#include "core/device/service_table.h"
#include "core/device/uidevdata.h"
#include "drvtest/fixture_device.h"
#include "drvtest/spooler_retry.h"
#include "platform/spooler/pseudo_printer.h"

#include <gtest/gtest.h>

namespace {

TEST(UiDevData, OpensItsPrinterThroughError87AndClosesOnlyWhatItOpened) {
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
}

TEST(UiDevData, APseudoPrinterIsServedFromDefaults) {
    drvtest::FixtureDevice fixture;
    HANDLE pseudo = PseudoPrinterCreate(2);
    UiDevDataRequest request;
    request.printerHandle = pseudo;
    UIDEVDATA* ctx = CreateUiDevData(request);
    ASSERT_NE(ctx, nullptr);
    EXPECT_NE(ctx->svc->GetDevmode(ctx, 3), nullptr);
    EXPECT_NE(ctx->svc->GetDeviceOption(ctx), nullptr);
    EXPECT_EQ(ctx->svc->LoadDeviceData(ctx), nullptr);
    EXPECT_TRUE(ctx->svc->IsPseudoPrinter(ctx, ctx->svc->GetPrinterHandle(ctx)));
    DestroyUiDevData(ctx);
    PseudoPrinterDestroy(pseudo);
}

}  // namespace
