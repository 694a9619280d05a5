// The settings summary's text pieces that need no sheet: bounded appends, the file time's clock,
// the operating system's names, multi-line values and the list's reading of rows.
#include "profiles/summary/summary_page.h"
#include "profiles/summary/summary_text.h"
#include "drvtest/scripted_user.h"
#include "profiles/summary/view_settings.h"

#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(SummaryText, AFullTextKeepsItsStartAndNeverEndsInHalfASeparator) {
    struct Case {
        size_t filled;  // characters already in the text
        const char* part;
        const char* tail;
        std::string wantedEnd;
        bool whole;
    };
    const size_t usable = summary::kTextSize - 1;
    for (const Case& c : {Case{usable - 5, "abc", "\r\n", "abc\r\n", true},
                          Case{usable - 4, "abc", "\r\n", "abc", false},  // CR LF does not fit whole: none of it
                          Case{usable - 2, "abc", "\t", "ab", false},     // the part is cut, no TAB
                          Case{usable, "abc", "\r\n", "x", false}}) {
        std::vector<char> text(summary::kTextSize, 0);
        std::memset(text.data(), 'x', c.filled);
        EXPECT_EQ(summary::Append(text.data(), text.size(), c.part, c.tail), c.whole) << c.filled;
        const std::string result(text.data());
        EXPECT_LE(result.size(), usable);
        EXPECT_EQ(result.substr(result.size() - c.wantedEnd.size()), c.wantedEnd) << c.filled;
        EXPECT_EQ(text[summary::kTextSize - 1], 0);
    }
}

TEST(SummaryText, FileTimesShowTwelveForNoonAndMidnight) {
    struct Case {
        WORD year, month, day, hour, minute;
        const char* text;
    };
    for (const Case& c : {Case{2006, 3, 9, 12, 5, "\t\t\t\t03/09/06 12:05 PM"}, Case{2006, 3, 9, 0, 5, "\t\t\t\t03/09/06 12:05 AM"},
                          Case{2026, 12, 31, 23, 59, "\t\t\t\t12/31/26 11:59 PM"}, Case{2000, 1, 1, 11, 0, "\t\t\t\t01/01/00 11:00 AM"},
                          Case{2001, 7, 4, 13, 30, "\t\t\t\t07/04/01 01:30 PM"}}) {
        SYSTEMTIME time{};
        time.wYear = c.year;
        time.wMonth = c.month;
        time.wDay = c.day;
        time.wHour = c.hour;
        time.wMinute = c.minute;
        char out[summary::kBufferSize] = {};
        ViewSettings::FormatFileTime(time, out);
        EXPECT_STREQ(out, c.text);
    }
}

TEST(SummaryText, OperatingSystemNamesByPlatformAndVersion) {
    struct Case {
        DWORD platform, major, minor;
        const char* pack;
        const char* name;
    };
    for (const Case& c : {Case{VER_PLATFORM_WIN32_WINDOWS, 4, 0, "", "Microsoft Windows 95"},
                          Case{VER_PLATFORM_WIN32_WINDOWS, 4, 10, " A ", "Microsoft Windows 98 SE "},
                          Case{VER_PLATFORM_WIN32_WINDOWS, 4, 10, "", "Microsoft Windows 98 "},
                          Case{VER_PLATFORM_WIN32_WINDOWS, 3, 0, "", ""},
                          Case{VER_PLATFORM_WIN32_NT, 4, 0, "Service Pack 6", "Microsoft Windows NT 4.0 Service Pack 6"},
                          Case{VER_PLATFORM_WIN32_NT, 5, 1, "Service Pack 2", "Microsoft Windows XP Service Pack 2"},
                          Case{VER_PLATFORM_WIN32_NT, 5, 2, "", "Microsoft Windows Server 2003 "},
                          Case{VER_PLATFORM_WIN32_NT, 6, 0, "Service Pack 1", "Service Pack 1"},
                          Case{7, 1, 0, "", "--"}}) {
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof info;
        info.dwPlatformId = c.platform;
        info.dwMajorVersion = c.major;
        info.dwMinorVersion = c.minor;
        std::strcpy(info.szCSDVersion, c.pack);
        char name[summary::kBufferSize] = {};
        ViewSettings::OsName(info, name, sizeof name);
        EXPECT_STREQ(name, c.name) << c.platform << " " << c.major << "." << c.minor;
    }
}

TEST(SummaryText, MultiLineValuesLoseNoCharacterAndStayInTheirBuffer) {
    struct Case {
        std::string in, out;
    };
    for (const Case& c : {Case{"Name\tSmith\r\n", "Name: Smith"}, Case{"Owner\t:Jones", "Owner :Jones"},
                          Case{"a\nb\nc", "a\n\tb\n\tc"}, Case{"ends in a tab\t", "ends in a tab: "},
                          Case{"no line end", "no line end"}}) {
        char value[summary::kBufferSize] = {};
        std::strcpy(value, c.in.c_str());
        ViewSettings::FlattenMultiLine(value);
        EXPECT_EQ(std::string(value), c.out) << c.in;
    }
    // A full buffer of TABs grows and is cut at its last character, not past it.
    char full[summary::kBufferSize + 8];
    std::memset(full, '\t', summary::kBufferSize - 1);
    full[summary::kBufferSize - 1] = 0;
    std::memset(full + summary::kBufferSize, 0x55, 8);
    ViewSettings::FlattenMultiLine(full);
    EXPECT_EQ(std::strlen(full), summary::kBufferSize - 1);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(full[summary::kBufferSize + i], 0x55);
}

// A list view of two columns, as the summary page has it.
class SummaryList : public ::testing::Test {
protected:
    void SetUp() override {
        InitCommonControls();
        parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 320, 220, nullptr, nullptr, nullptr, nullptr);
        list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 300, 200, parent, nullptr, nullptr, nullptr);
        ASSERT_NE(list, nullptr);
        for (int column = 0; column < 2; ++column) {
            LVCOLUMNA c{};
            c.mask = LVCF_WIDTH | LVCF_SUBITEM;
            c.cx = 100;
            c.iSubItem = column;
            SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
        }
    }
    void TearDown() override { DestroyWindow(parent); }
    std::vector<std::pair<std::string, std::string>> Rows() {
        std::vector<std::pair<std::string, std::string>> rows;
        const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) rows.emplace_back(drvtest::ReadCell(list, i, 0), drvtest::ReadCell(list, i, 1));
        return rows;
    }
    HWND parent = nullptr, list = nullptr;
    ViewSettingsProc page{kSummarySectionKind};
};

TEST_F(SummaryList, RowsSplitAtTheLabelsEndAndKeepTheValueWhole) {
    using RowList = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        const char* text;
        RowList rows;
    };
    for (const Case& c : {Case{"X:Y\tZ\r\n", {{"X", "Y\tZ"}}},
                          Case{"Copies\t\r\nPage size\tA4\r\n", {{"Copies", ""}, {"Page size", "A4"}}},
                          Case{"Vomel Kelvaro :\t--\r\n", {{"Vomel Kelvaro ", "--"}}},
                          Case{"Version\t", {{"Version", ""}}},
                          Case{"", {}}}) {
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        page.FillList(list, c.text, 0);
        EXPECT_EQ(Rows(), c.rows) << c.text;
    }
    // A label longer than the page's buffer is cut at 511 characters.
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    const std::string longLabel(700, 'L');
    page.FillList(list, (longLabel + "\tv\r\n").c_str(), 0);
    ASSERT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Rows()[0].first, std::string(511, 'L'));
    EXPECT_EQ(Rows()[0].second, "v");
}

}  // namespace
