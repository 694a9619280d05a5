// The lexer: every token class, number suffixes, abbreviations, line counting, comments with
// double-byte text, and the errors of bad input.
#include "rule_fixture.h"

#include "drvtest/kernel.h"
#include "pie/text/abbrev.h"

#include <cstring>
#include <string>

namespace {

struct TokenCase {
    const char* text;
    const char* tokens;
};

TEST_F(RuleTest, LexerGivesEveryTokenClass) {
    for (auto c : {
             TokenCase{"a:-b.", "21:a 24 21:b 6"},
             TokenCase{"X _X _ _1", "21:X 22:_X 25 22:_1"},
             TokenCase{"$Layout$Page_Size9 ab", "21:$Layout$Page_Size9 21:ab"},
             TokenCase{", ; | ( { ) } [ ]", "7 8 13 9 9 10 10 11 12"},
             TokenCase{"! ^ !a", "21:! 21:^ 21:! 21:a"},
             TokenCase{"=\\= <= /\\ @ :- :-- `&", "21:=\\= 21:<= 21:/\\ 21:@ 24 21::-- 21:`&"},
             TokenCase{"a=-1", "21:a 21:=- 23:1"},
             TokenCase{"?- ?? ?-? -?", "21:?- 21:?? 21:?-? 21:- 21:?"},
             TokenCase{"'a b' '' 'x''y'", "21:a b 21: 21:x 21:y"},
             TokenCase{"0 007 2147483647 1.5", "23:0 23:7 23:2147483647 23:1 6 23:5"},
             TokenCase{"64MB 12KB 3KBx 12K 3Kb 4mb", "23:65536 23:12 23:3 21:x 23:12 21:K 23:3 21:Kb 23:4 21:mb"},
             TokenCase{"2097151MB", "23:2147482624"},
             TokenCase{"5_ 5a", "23:5 25 23:5 21:a"},
             TokenCase{"\t\r\n\f\x1a a", "21:a"},
             TokenCase{"# all comment", ""},
             TokenCase{"a % to the end\nb #\fc", "21:a 21:b 21:c"},
             TokenCase{"% \x82\n a", "21:a"},  // a lead byte at the end of a line keeps the break
         })
        EXPECT_EQ(tokens(c.text), c.tokens) << c.text;
}

TEST_F(RuleTest, AbbreviationsExpandToTheirNames) {
    const char* rows[][2] = {
        {"w2", "win2k"}, {"w9", "win9X"}, {"wN", "winNT"}, {"d", "disable"}, {"de", "disable_element"},
        {"h", "hide"}, {"he", "hide_element"}, {"s", "show"}, {"se", "show_element"}, {"e", "enable"},
        {"ee", "enable_element"}, {"ps", "prev_status"}, {"m", "member"}, {"me", "message"}, {"a", "action"},
        {"sr", "sreason"}, {"r", "reason"}, {"rr", "rreason"}, {"sre", "sreason_element"},
        {"re", "reason_element"}, {"rre", "rreason_element"}, {"t", "true"},
    };
    for (auto& row : rows)
        EXPECT_EQ(tokens(("?" + std::string(row[0])).c_str()), std::string("21:") + row[1]) << row[0];
    // Defined once: a second definition keeps the first expansion.
    PlAtom* name = pie_intern_string(e, "q");
    EXPECT_EQ(pl_abbrev_define(e, name, pie_intern_string(e, "quit")), 1);
    EXPECT_EQ(pl_abbrev_define(e, name, pie_intern_string(e, "other")), 0);
    EXPECT_EQ(tokens("?q"), "21:quit");
}

struct LineCase {
    const char* text;
    int line;
};

TEST_F(RuleTest, LinesCountLineFeedsAndFormFeedsOnly) {
    for (auto c : {LineCase{"a\r\nb", 2}, LineCase{"a\rb", 1}, LineCase{"a\fb\n", 3}, LineCase{"'x\ny'", 2},
                   LineCase{"#c\n#d", 2}, LineCase{"% \x82\na", 2}, LineCase{"% \xb1\n%\xb1\na", 3},
                   LineCase{"a\n\n\n", 4}}) {
        tokens(c.text);
        EXPECT_EQ(e->line, c.line) << c.text;
    }
}

TEST_F(RuleTest, DoubleByteTextOfCodePage932StaysInCommentsAndQuotes) {
    drvtest::SetCodePage(932);
    // Shift-JIS trail bytes include "\\" (0x5c), "|" (0x7c) and "'"-free ranges; inside a comment
    // they are no syntax, inside quotes they are part of the name.
    EXPECT_EQ(tokens("% \x95\x5c\x8e\xa6 \x83\x7c\nshow. # \x95\x5c"), "21:show 6");
    EXPECT_EQ(tokens("'\x95\x5c\x8e\xa6'"), "21:\x95\x5c\x8e\xa6");
    EXPECT_EQ(errorOf([&] { tokens("a \x95\x5c"); }), PL_ERR_ILLEGAL_CHARACTER);
    EXPECT_STREQ(pl_last_error(e).text, "Illegal character '0x95'.\n");
    drvtest::SetCodePage(1252);
}

TEST_F(RuleTest, EndTokenStaysOnTheTextsEnd) {
    // A comment ending in a lead byte right before the NUL must not step over it.
    const char text[] = "a % \x82";
    PlToken t;
    pl_lex_start(e, text, &t);
    EXPECT_EQ(pllex(e, &t), PLT_END);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(pllex(e, &t), PLT_END);
    EXPECT_EQ(e->text_position, text + std::strlen(text));
}

struct ErrorCase {
    std::string text;
    int code;
};

TEST_F(RuleTest, LexerRejectsBadInput) {
    const std::string n511(511, 'a');
    for (const auto& c : {
             ErrorCase{"\"", 287}, ErrorCase{"a\x0b", 287}, ErrorCase{"\x7f", 287}, ErrorCase{"\x01", 287},
             ErrorCase{"'abc", 4109}, ErrorCase{"'abc\n", 4109}, ErrorCase{"2147483648", 262},
             ErrorCase{"99999999999999999999", 262}, ErrorCase{"2097152MB", 262}, ErrorCase{"?qq", 286},
             ErrorCase{n511, 0}, ErrorCase{n511 + "a", 285}, ErrorCase{"_" + n511.substr(1), 0},
             ErrorCase{"_" + n511, 285}, ErrorCase{std::string(512, '+'), 285}, ErrorCase{"?" + n511 + "a", 285},
         })
        EXPECT_EQ(errorOf([&] { tokens(c.text.c_str()); }), c.code) << c.text.substr(0, 20);
}

TEST_F(RuleTest, LexerErrorTextsNameWhatWasWrong) {
    errorOf([&] { tokens("a.\nb \""); });
    EXPECT_STREQ(pl_last_error(e).text, "Illegal character '0x22'.\n");
    EXPECT_EQ(pl_last_error(e).line, 2);
    errorOf([&] { tokens("?qq"); });
    EXPECT_STREQ(pl_last_error(e).text, "Abbrev 'qq' not defined.\n");
    errorOf([&] { tokens("'open"); });
    EXPECT_STREQ(pl_last_error(e).text, "[pattern_length] Matching pattern not found 20.\n");
    errorOf([&] { tokens("a \xe9"); });
    EXPECT_STREQ(pl_last_error(e).text, "Illegal character '0xe9'.\n");
}

struct NameCase {
    const char* text;
    bool well_formed;
};

TEST(RuleNames, WellFormedNamesHaveLettersDollarsAndInnerUnderscores) {
    for (auto c : {NameCase{"", true}, NameCase{"abc", true}, NameCase{"Ab$c", true}, NameCase{"a_b_", true},
                   NameCase{"$", true}, NameCase{"_a", false}, NameCase{"a1", false}, NameCase{"a-b", false},
                   NameCase{"a b", false}, NameCase{"\x82\xa0", false}})
        EXPECT_EQ(pl_well_formed_name(c.text), c.well_formed) << c.text;
}

}  // namespace
