// System queries: the version a test chooses, the size rules of the computer, user, locale
// and environment queries, and date conversions at their edges.
#include <drvtest/kernel.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

TEST(SystemVersion, TestsChooseTheReportedWindows) {
    struct Case { drvtest::WindowsVersion v; DWORD major, minor, platform; const char* csd; };
    for (auto c : {Case{drvtest::WindowsVersion::Windows95, 4, 0, VER_PLATFORM_WIN32_WINDOWS, ""},
                   Case{drvtest::WindowsVersion::Windows98, 4, 10, VER_PLATFORM_WIN32_WINDOWS, " "},
                   Case{drvtest::WindowsVersion::Windows98SE, 4, 10, VER_PLATFORM_WIN32_WINDOWS, " A "},
                   Case{drvtest::WindowsVersion::WindowsMe, 4, 90, VER_PLATFORM_WIN32_WINDOWS, " "},
                   Case{drvtest::WindowsVersion::WindowsNT4, 4, 0, VER_PLATFORM_WIN32_NT, "Service Pack 6"},
                   Case{drvtest::WindowsVersion::Windows2000, 5, 0, VER_PLATFORM_WIN32_NT, "Service Pack 4"}}) {
        drvtest::SetWindowsVersion(c.v);
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = 148;
        ASSERT_TRUE(GetVersionExA(&info));
        EXPECT_EQ(info.dwMajorVersion, c.major);
        EXPECT_EQ(info.dwMinorVersion, c.minor);
        EXPECT_EQ(info.dwPlatformId, c.platform);
        EXPECT_STREQ(info.szCSDVersion, c.csd);
        if (c.platform == VER_PLATFORM_WIN32_WINDOWS) {
            EXPECT_EQ(HIWORD(info.dwBuildNumber), MAKEWORD(c.minor, c.major));
        }
        OSVERSIONINFOEXA ex{};
        ex.dwOSVersionInfoSize = sizeof ex;
        EXPECT_EQ(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex)), c.platform == VER_PLATFORM_WIN32_NT);
    }
    drvtest::SetWindowsVersion(drvtest::WindowsVersion::Windows98);
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = 100;
    EXPECT_FALSE(GetVersionExA(&info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(SystemNames, NamesLocaleFactsAndVariablesFollowTheirOwnSizeRules) {
    char name[300];
    DWORD size = sizeof name;
    ASSERT_TRUE(GetComputerNameA(name, &size));
    DWORD length = size;
    EXPECT_EQ(length, std::strlen(name));  // the length, without the NUL
    EXPECT_LE(length, static_cast<DWORD>(MAX_COMPUTERNAME_LENGTH));
    size = length;
    EXPECT_FALSE(GetComputerNameA(name, &size));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));
    EXPECT_EQ(size, length + 1);

    size = 257;
    ASSERT_TRUE(GetUserNameA(name, &size));
    length = static_cast<DWORD>(std::strlen(name));
    EXPECT_EQ(size, length + 1);  // here the NUL counts
    size = length;
    EXPECT_FALSE(GetUserNameA(name, &size));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(size, length + 1);

    char buf[32];
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, sizeof buf), 2);
    EXPECT_STREQ(buf, ".");
    EXPECT_EQ(GetLocaleInfoA(0x0407, LOCALE_SDECIMAL | LOCALE_NOUSEROVERRIDE, buf, sizeof buf), 2);
    EXPECT_STREQ(buf, ",");
    EXPECT_EQ(GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SENGLANGUAGE, nullptr, 0), 8);
    EXPECT_EQ(GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SENGLANGUAGE, buf, 7), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(GetLocaleInfoA(0x0412, LOCALE_SDECIMAL, buf, sizeof buf), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, 0x7777, buf, sizeof buf), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
    drvtest::SetCodePage(932);
    EXPECT_EQ(GetUserDefaultLCID(), 0x0411u);
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, buf, sizeof buf), 4);
    EXPECT_STREQ(buf, "932");
    drvtest::SetCodePage(1252);
    EXPECT_EQ(GetUserDefaultLCID(), 0x0409u);

    setenv("DRVOPUI_TEST_VARIABLE", "value", 1);
    EXPECT_EQ(GetEnvironmentVariableA("DRVOPUI_TEST_VARIABLE", buf, 5), 6u);
    EXPECT_EQ(GetEnvironmentVariableA("DRVOPUI_TEST_VARIABLE", buf, 6), 5u);
    EXPECT_STREQ(buf, "value");
    EXPECT_EQ(GetEnvironmentVariableA("DRVOPUI_NO_SUCH_VARIABLE", buf, 8), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
}

TEST(SystemTime, ConversionsRoundTripAndRefuseBadDates) {
    struct Case { WORD y, m, d, h, mi, s, ms, dow; };
    for (auto c : {Case{1601, 1, 1, 0, 0, 0, 0, 1}, Case{2000, 2, 29, 23, 59, 59, 999, 2},
                   Case{1999, 12, 31, 12, 0, 0, 0, 5}, Case{2038, 1, 19, 3, 14, 8, 0, 2}, Case{30827, 12, 31, 0, 0, 0, 0, 5}}) {
        SYSTEMTIME st{c.y, c.m, 0, c.d, c.h, c.mi, c.s, c.ms}, back{};
        FILETIME ft;
        ASSERT_TRUE(SystemTimeToFileTime(&st, &ft)) << c.y;
        ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
        EXPECT_EQ(std::memcmp(&back.wYear, &st.wYear, 2), 0) << c.y;
        EXPECT_EQ(back.wMonth, c.m);
        EXPECT_EQ(back.wDay, c.d);
        EXPECT_EQ(back.wDayOfWeek, c.dow) << c.y;
        EXPECT_EQ(back.wMilliseconds, c.ms);
    }
    FILETIME ft;
    for (SYSTEMTIME bad : {SYSTEMTIME{1999, 2, 0, 29, 0, 0, 0, 0}, SYSTEMTIME{1600, 1, 0, 1, 0, 0, 0, 0},
                           SYSTEMTIME{2000, 13, 0, 1, 0, 0, 0, 0}, SYSTEMTIME{2000, 1, 0, 1, 24, 0, 0, 0}}) {
        EXPECT_FALSE(SystemTimeToFileTime(&bad, &ft));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    FILETIME huge{0, 0x80000000};
    SYSTEMTIME st;
    EXPECT_FALSE(FileTimeToSystemTime(&huge, &st));
    GetLocalTime(&st);
    EXPECT_GE(st.wYear, 2024);
}
