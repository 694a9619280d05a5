// String functions: wsprintfA's formats and its 1,024-byte limit, lstrcpynA's cut, and the
// order lstrcmpA and lstrcmpiA give.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

TEST(Wsprintf, FormatsCopiesCutsAndComparesLikeTheOriginal) {
    char buf[1100];
    struct Case { const char* expected; int n; };
    auto check = [&](Case c) {
        EXPECT_STREQ(buf, c.expected);
        EXPECT_EQ(c.n, static_cast<int>(std::string(c.expected).size())) << c.expected;
    };
    check({"42 -7 4294967295", wsprintfA(buf, "%d %i %u", 42, -7, 0xFFFFFFFFu)});
    check({"ff FF 0xff 00ff", wsprintfA(buf, "%x %X %#x %04x", 255, 255, 255, 255)});
    check({"-2147483648 -1 65535", wsprintfA(buf, "%ld %hd %hu", LONG(-2147483647 - 1), 0xFFFF, 0x1FFFF)});
    check({"[  ab][ab  ][abc][-0042][  -42]", wsprintfA(buf, "[%4s][%-4s][%.3s][%05d][%5d]", "ab", "ab", "abcdef", -42, -42)});
    check({"c% (null) wide", wsprintfA(buf, "%c%% %s %ls", 'c', static_cast<char*>(nullptr), u"wide")});
    check({"007 y", wsprintfA(buf, "%.3d %y", 7)});

    std::string big(2000, 'x');
    buf[1023] = buf[1024] = '#';
    EXPECT_EQ(wsprintfA(buf, "%s and more", big.c_str()), 1023);
    EXPECT_EQ(buf[1023], '\0');
    EXPECT_EQ(buf[1024], '#');
    EXPECT_EQ(wsprintfA(buf, "%2000d", 5), 1023);

    EXPECT_EQ(lstrcpynA(buf, "abcdefghij", 5), buf);
    EXPECT_STREQ(buf, "abcd");
    EXPECT_EQ(lstrlenA(buf), 4);
    EXPECT_EQ(lstrlenA(nullptr), 0);
    EXPECT_EQ(lstrcpyA(nullptr, "x"), nullptr);
    EXPECT_STREQ(lstrcatA(buf, "xy"), "abcdxy");
    struct Order { const char* a; const char* b; int cmp; int cmpi; };
    for (auto c : {Order{"abc", "ABC", -1, 0}, Order{"ABC", "abd", -1, -1}, Order{"a", "B", -1, -1},
                   Order{"b", "A", 1, 1}, Order{"ab", "abc", -1, -1}, Order{"_x", "1x", -1, -1},
                   Order{"9", "a", -1, -1}, Order{"same", "same", 0, 0}}) {
        EXPECT_EQ(lstrcmpA(c.a, c.b), c.cmp) << c.a << " " << c.b;
        EXPECT_EQ(lstrcmpiA(c.a, c.b), c.cmpi) << c.a << " " << c.b;
    }
}
