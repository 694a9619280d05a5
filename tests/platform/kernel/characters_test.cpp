// Characters and code pages: stepping over double-byte characters (never past a NUL), lead
// bytes per code page, case conversion that spares trail bytes, and conversion to and from
// UTF-16 with the buffer-size rules.
#include <drvtest/kernel.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

class Characters : public ::testing::Test {
protected:
    void TearDown() override { drvtest::SetCodePage(1252); }
};

TEST_F(Characters, StepsLeadBytesAndCaseFollowTheCodePage) {
    drvtest::SetCodePage(932);
    EXPECT_EQ(GetACP(), 932u);
    const char text[] = "A\x95\x5C" "B\x82";  // A, a character with a backslash trail byte, B, a cut lead byte
    const char* p = text;
    std::string steps;
    while (*p) {
        const char* next = CharNextA(p);
        steps += std::to_string(next - p);
        p = next;
    }
    EXPECT_EQ(steps, "1211");
    EXPECT_EQ(CharNextA(p), p);
    EXPECT_EQ(CharPrevA(text, text + 4), text + 3);
    EXPECT_EQ(CharPrevA(text, text + 3), text + 1);  // from B back to the start of the pair
    EXPECT_EQ(CharPrevA(text, text), text);

    drvtest::SetCodePage(1252);
    EXPECT_EQ(CharNextA(text + 1), text + 2);  // a single-byte code page has no pairs
    EXPECT_FALSE(IsDBCSLeadByte(0x95));

    struct Case { UINT cp; BYTE b; BOOL lead; };
    for (auto c : {Case{932, 0x81, TRUE}, Case{932, 0x9F, TRUE}, Case{932, 0xA0, FALSE}, Case{932, 0xE0, TRUE},
                   Case{932, 0xFC, TRUE}, Case{932, 0xFD, FALSE}, Case{932, 0x41, FALSE}, Case{1252, 0x81, FALSE},
                   Case{936, 0xA1, TRUE}, Case{CP_ACP, 0x81, FALSE}})
        EXPECT_EQ(IsDBCSLeadByteEx(c.cp, c.b), c.lead) << c.cp << " " << int(c.b);
    SetLastError(0);
    EXPECT_FALSE(IsDBCSLeadByteEx(12345, 0x81));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    char latin[] = "abc\xE9\xFF";
    EXPECT_EQ(CharUpperA(latin), latin);
    EXPECT_STREQ(latin, "ABC\xC9\x9F");
    EXPECT_STREQ(CharLowerA(latin), "abc\xE9\xFF");
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(CharUpperA(reinterpret_cast<LPSTR>(UINT_PTR{'q'}))), UINT_PTR{'Q'});
    drvtest::SetCodePage(932);
    char dbcs[] = "a\x82\x61z";  // the trail byte 0x61 is no letter a
    CharUpperA(dbcs);
    EXPECT_STREQ(dbcs, "A\x82\x61Z");
}

TEST_F(Characters, ConversionsFollowTheSizeRules) {
    WCHAR wide[16];
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "\x80\xE9z", -1, nullptr, 0), 4);
    ASSERT_EQ(MultiByteToWideChar(1252, 0, "\x80\xE9z", -1, wide, 16), 4);
    EXPECT_EQ(std::u16string(wide), u"\u20AC\u00E9z");
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", 3, wide, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(MultiByteToWideChar(20127, MB_ERR_INVALID_CHARS, "a\xE9", 2, wide, 16), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", 0, wide, 16), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    char narrow[16];
    BOOL usedDefault = FALSE;
    EXPECT_EQ(WideCharToMultiByte(1252, 0, u"\u20AC\u4E00!", -1, narrow, 16, nullptr, &usedDefault), 4);
    EXPECT_STREQ(narrow, "\x80?!");
    EXPECT_TRUE(usedDefault);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u00E9\U0001F600", -1, nullptr, 0, nullptr, nullptr), 7);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"x", 1, narrow, 16, "?", nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    drvtest::SetCodePage(932);
    const char kana[] = "A\x82\xA0\x83\x41\xB1\x81\x40\xF0\x40";  // A, hiragana a, katakana a, half-width a, space, user area
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, kana, -1, wide, 16), 7);
    EXPECT_EQ(std::u16string(wide), u"A\u3042\u30A2\uFF71\u3000\uE000");
    ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, 16, nullptr, nullptr), 11);
    EXPECT_STREQ(narrow, kana);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, "\x82", 1, wide, 16), 0);  // a lead byte alone
}
