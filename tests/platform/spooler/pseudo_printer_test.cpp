// Pseudo-printer contexts: their words and data slots, their acceptance by every spooler call
// that takes a handle (reads find nothing, writes are refused and reach no file), and the
// refusal of stale or made-up handles.
#include <windows.h>

#include "drvtest/spooler.h"
#include "platform/spooler/pseudo_printer.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(PseudoPrinter, HoldsItsWordsAndDataSlotsAndTheSpoolerWritesNothingThroughIt) {
    HANDLE p = PseudoPrinterCreate(4);
    EXPECT_TRUE(IsPseudoPrinter(p));
    EXPECT_EQ(*static_cast<DWORD*>(p), 12096u);
    EXPECT_EQ(PseudoPrinterGetField8(p), 4u);
    PseudoPrinterSetField24(p, 2);
    EXPECT_EQ(PseudoPrinterGetField24(p), 2u);
    EXPECT_TRUE(PseudoPrinterSetData(p, 11, "192.168.0.7", 12));
    char ip[16];
    std::memset(ip, 'x', sizeof ip);
    EXPECT_TRUE(PseudoPrinterGetData(p, 11, ip, sizeof ip));
    EXPECT_STREQ(ip, "192.168.0.7");
    EXPECT_EQ(ip[15], 0);  // zero-filled past the block
    DWORD count = 7;
    EXPECT_FALSE(PseudoPrinterGetData(p, 3, &count, sizeof count));  // empty slot
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(PseudoPrinterSetData(p, 32, "x", 1));
    PseudoPrinterDestroy(p);

    DWORD fake[8] = {12096};  // the right first word alone does not make a context
    for (HANDLE h : {p, static_cast<HANDLE>(fake), static_cast<HANDLE>(nullptr), reinterpret_cast<HANDLE>(8)}) {
        EXPECT_FALSE(IsPseudoPrinter(h));
        EXPECT_EQ(PseudoPrinterGetField8(h), 0u);
        EXPECT_FALSE(PseudoPrinterSetData(h, 1, "x", 1));
        EXPECT_FALSE(ClosePrinter(h));
        EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    }

    drvtest::FixturePrinter fixture;
    std::string before = fixture.Hive().FileText();
    p = PseudoPrinterCreate(2);
    BYTE data[4] = {1, 2, 3, 4};
    DWORD needed = 0, type = 0;
    LPSTR name = const_cast<LPSTR>("DeviceOption");
    EXPECT_EQ(SetPrinterDataA(p, name, REG_BINARY, data, 4), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_EQ(GetPrinterDataA(p, name, &type, data, 4, &needed), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(SetPrinterA(p, 0, nullptr, PRINTER_CONTROL_PAUSE));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(GetPrinterA(p, 2, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_SUPPORTED));
    EXPECT_FALSE(GetPrinterDriverA(p, nullptr, 2, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_SUPPORTED));
    EXPECT_TRUE(ClosePrinter(p));  // closing leaves the context to its owner
    EXPECT_TRUE(IsPseudoPrinter(p));
    EXPECT_EQ(fixture.Hive().FileText(), before);
    PseudoPrinterDestroy(p);
}
