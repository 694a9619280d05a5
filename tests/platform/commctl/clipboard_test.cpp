// Global memory, the clipboard and help requests: the services a summary copy and a help button
// rely on, with the ownership rules of the original.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "drvtest/help_requests.h"
#include "drvtest/test_window.h"

namespace {

HGLOBAL textBlock(const char* text) {
    SIZE_T n = std::strlen(text) + 1;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, n);
    if (!h) return nullptr;
    std::memcpy(GlobalLock(h), text, n);
    GlobalUnlock(h);
    return h;
}

TEST(GlobalMemory, MoveableBlocksCountLocksAndTheClipboardOwnsWhatItIsGiven) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 10);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 10u);
    auto* p = static_cast<char*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    EXPECT_NE(static_cast<void*>(p), h);
    EXPECT_EQ(p[9], 0);
    EXPECT_EQ(GlobalLock(h), p);
    EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 2u);
    EXPECT_TRUE(GlobalUnlock(h));   // still locked once
    EXPECT_FALSE(GlobalUnlock(h));  // now unlocked
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(GlobalFree(h), h);
    EXPECT_EQ(GlobalSize(h), 0u);

    HGLOBAL fixed = GlobalAlloc(GPTR, 4);
    EXPECT_EQ(GlobalLock(fixed), fixed);
    HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
    EXPECT_EQ(GlobalLock(empty), nullptr);
    EXPECT_EQ(GlobalFlags(empty), static_cast<UINT>(GMEM_DISCARDED));
    GlobalFree(fixed);
    GlobalFree(empty);
    EXPECT_EQ(GlobalAlloc(0x8000, 4), nullptr);

    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL first = textBlock("first");
    EXPECT_EQ(SetClipboardData(CF_TEXT, first), first);
    HGLOBAL second = textBlock("Page size:\tA4\r\n");
    EXPECT_EQ(SetClipboardData(CF_TEXT, second), second);  // replaces and frees the first
    EXPECT_EQ(GlobalSize(first), 0u);
    EXPECT_TRUE(CloseClipboard());

    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);  // not open
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE got = GetClipboardData(CF_TEXT);
    ASSERT_EQ(got, second);
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(got))), "Page size:\tA4\r\n");
    GlobalUnlock(got);
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_EQ(GlobalSize(second), 0u);  // freed by the clipboard
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(CloseClipboard());

    EXPECT_FALSE(CloseClipboard());
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));
    EXPECT_FALSE(OpenClipboard(reinterpret_cast<HWND>(0x1234)));

    HWND a = drvtest::MakeWindow("ClipboardOwner", DefWindowProcA, 0, 10, 10);
    HWND b = drvtest::MakeWindow("ClipboardOwner", DefWindowProcA, 0, 10, 10);
    ASSERT_TRUE(OpenClipboard(a));
    EXPECT_FALSE(OpenClipboard(b));  // another window holds it
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardOwner(), a);
    EXPECT_TRUE(CloseClipboard());
    DestroyWindow(a);
    DestroyWindow(b);
    EXPECT_EQ(GetClipboardOwner(), nullptr);
}

TEST(WinHelp, RecordsTheRequestAndCopiesWhatItPointsTo) {
    drvtest::ForgetHelpRequests();
    char keyword[] = "Paper";
    DWORD ids[] = {10018, 4001, 10020, 4002, 0, 0};
    EXPECT_TRUE(WinHelpA(nullptr, "drv.hlp", HELP_KEY, reinterpret_cast<ULONG_PTR>(keyword)));
    EXPECT_TRUE(WinHelpA(nullptr, "drv.hlp", HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(ids)));
    EXPECT_TRUE(WinHelpA(nullptr, "drv.hlp", HELP_CONTEXT, 77));
    EXPECT_FALSE(WinHelpA(nullptr, nullptr, HELP_CONTEXT, 77));
    keyword[0] = 'X';
    auto log = drvtest::HelpRequests();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].key, "Paper");
    EXPECT_EQ(log[1].ids, (std::vector<DWORD>{10018, 4001, 10020, 4002}));
    EXPECT_EQ(log[2].command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(log[2].data, 77u);
}

}  // namespace
