// Printer values through a printer handle: round trips, fallbacks, the retry on error 87 (with
// the pauses counted instead of slept) and the pseudo-printer context, through which nothing is
// written.
#include "core/system/printer_values.h"
#include "core/system/spooler_retry.h"
#include "platform/spooler/pseudo_printer.h"

#include <drvtest/spooler.h>
#include <drvtest/spooler_retry.h>
#include <gtest/gtest.h>

#include <string>

TEST(PrinterValues, TextsAndDwordsRoundTrip) {
    drvtest::FixturePrinter printer;
    HANDLE h = printer.Handle();
    char name[8];
    EXPECT_FALSE(ReadPrinterString(h, "PPCurPName", name, sizeof name, "Default settings"));
    EXPECT_STREQ(name, "Default");  // the fallback, cut to the buffer
    ASSERT_TRUE(WritePrinterStringId8(h, "PPCurPName", "Mine"));
    ASSERT_TRUE(SetPrinterDword(h, "PPCurPFlg", 2));
    EXPECT_TRUE(ReadPrinterString(h, "PPCurPName", name, sizeof name, "x"));
    EXPECT_STREQ(name, "Mine");
    EXPECT_FALSE(ReadPrinterString(h, "PPCurPFlg", name, sizeof name, nullptr));  // not a text
    EXPECT_STREQ(name, "");
    EXPECT_EQ(GetPrinterDword(h, "PPCurPFlg", 9), 2u);
    EXPECT_EQ(GetPrinterDword(h, "PPCurPName", 9), 9u);
    ASSERT_TRUE(WritePrinterStringId8(h, "PPCurPName", "Much too long"));
    EXPECT_FALSE(ReadPrinterString(h, "PPCurPName", name, sizeof name, "x"));
    EXPECT_NE(printer.Hive().FileText().find("\"PPCurPFlg\"=dword:00000002"), std::string::npos);
}

TEST(PrinterValues, RetriesOnError87UntilSuccessOrAThousandTriesAndThePseudoPrinterWritesNothing) {
    drvtest::FixturePrinter printer;
    HANDLE h = printer.Handle();
    struct Case { DWORD error; unsigned failures; DWORD answer; unsigned calls; };
    for (auto c : {Case{ERROR_INVALID_PARAMETER, 5, ERROR_SUCCESS, 6}, Case{ERROR_INVALID_PARAMETER, 5000, 87, 1000},
                   Case{ERROR_ACCESS_DENIED, 5, ERROR_ACCESS_DENIED, 1}}) {
        drvtest::ClearSpoolerFailures();
        drvtest::CountedSpoolerPauses pauses;
        drvtest::FailSpoolerCalls("SetPrinterDataA", c.error, c.failures);
        DWORD value = 1;
        EXPECT_EQ(SetPrinterDriverData(h, "Tried", REG_DWORD, &value, sizeof value), c.answer) << c.failures;
        EXPECT_EQ(drvtest::SpoolerCallCount("SetPrinterDataA"), c.calls);
        EXPECT_EQ(pauses.Count(), c.calls - 1);
        EXPECT_EQ(pauses.Milliseconds(), (c.calls - 1) * kSpoolerRetryPause);
    }
    drvtest::ClearSpoolerFailures();

    const std::string before = printer.Hive().FileText();
    HANDLE pseudo = PseudoPrinterCreate(2);
    DWORD count = 17;
    ASSERT_TRUE(PseudoPrinterSetData(pseudo, 10, &count, sizeof count));
    EXPECT_EQ(SetPrinterDriverData(pseudo, "UserPaper", REG_BINARY, "x", 1), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(WritePrinterStringId8(pseudo, "PPCurPName", "Mine"));
    EXPECT_FALSE(SetPrinterDword(pseudo, "PPCurPFlg", 1));
    EXPECT_EQ(GetPrinterDword(pseudo, "PPCurPFlg", 5), 5u);
    EXPECT_EQ(GetPrinterDwordKey(pseudo, HKEY_CURRENT_USER, "Software", "MediaCount", 0xFFFFFFFF, 10), 17u);
    EXPECT_EQ(GetPrinterDwordKey(pseudo, HKEY_CURRENT_USER, "Software", "MediaCount", 0xFFFFFFFF, 11), 0xFFFFFFFFu);
    EXPECT_EQ(drvtest::SpoolerCallCount("SetPrinterDataA"), 0u);
    EXPECT_EQ(printer.Hive().FileText(), before);
    PseudoPrinterDestroy(pseudo);
}
