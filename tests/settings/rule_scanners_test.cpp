// The scanners of rule files: the version header (with the readings rule files in the field
// rely on), the decimal reader, and the XML subset with its bad inputs, which must give no rule
// text rather than a partial or overrun one.
#include "settings/rules/rule_chars.h"
#include "settings/rules/rule_version.h"
#include "settings/rules/rule_xml.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RuleVersionScan, ReadsTheHeaderClauseOnlyAndItsDecimals) {
    struct Case {
        const char* text;
        int32_t version;
    };
    for (auto c : {
             Case{"CommonRuleVersion(120) :- true.", 120},
             Case{"CommonRuleVersion( 120 ) :- true.", 120},
             Case{"CommonRuleVersion(120).", 120},
             Case{"CommonRuleVersion(120) :- false.", 100},
             Case{"commonRuleVersion(120) :- true.", 100},
             Case{"Layout$PageSize(A4) :- x. CommonRuleVersion(115) :- true.", 115},
             Case{"# Kelvaro rules, version 2.\nCommonRuleVersion(105) :- true.", 105},
             Case{"CommonRuleVersion(120) x.", 120},  // the number read survives the bad clause
             Case{"CommonRuleVersion(1 20) :- true.", 100},
             Case{"Common RuleVersion(120) :- true.", 100},
             Case{"CommonRuleVersion(000000000000000000000000000000120) :- true.", 100},  // 33 digits
             Case{"CommonRuleVersion(99999999999) :- true.", 0},  // overflows to 0
             Case{"", 100},
         })
        EXPECT_EQ(ScanRuleVersion(c.text), c.version) << c.text;
    EXPECT_EQ(ScanRuleVersion("PDLRuleVersion(105) :- true.", true), 105);
    EXPECT_EQ(ScanRuleVersion("PDLRuleVersion(105) :- true."), 100);

    EXPECT_EQ(ParseDecimal(""), 0);
    EXPECT_EQ(ParseDecimal("12a"), -1);
    EXPECT_EQ(ParseDecimal("2147483647"), 2147483647);
    EXPECT_EQ(ParseDecimal("2147483648"), 0);
    EXPECT_EQ(ParseDecimal("99999999999x"), -1);
    EXPECT_TRUE(IsSpaceChar('\v'));
    EXPECT_FALSE(IsAsciiLetter('$'));
}

TEST(XmlRuleScan, GoodAndBadFiles) {
    struct Case {
        std::string text;
        bool hasRule;
        const char* rule;
    };
    const std::string v = "CommonRuleVersion(120) :- true.\n";
    for (const Case& c : {
             Case{"<size>3</size><!-- a comment --><?pi x?><rule>a.</rule>", true, "a."},
             Case{"\xEF\xBB\xBF<rule>a.</rule>", true, "a."},
             Case{"<rule>longer than declared.</rule><size>2</size>", true, "longer than declared."},
             Case{"<![CDATA[<rule>x.</rule>]]><rule>y.</rule>", true, "y."},
             Case{"<!DOCTYPE rules><rule lang=\"en\">z.</rule>", true, "z."},
             Case{"<rule>a.</rule><rule>b.</rule>", true, "b."},
             Case{"<rule>a.</rule><abcdefghijabcdefghijabcdefghijabcdef>", true, "a."},
             Case{"<rule>a.\v</rule>", false, ""},
             Case{"<rule>a.</rule>\x01", false, ""},
             Case{"<rule>a.</rule></rule x>", false, ""},
             Case{"<rule>a.</rule><!-- a -- b -->", false, ""},
             Case{"<rule>a.</rule><? a ? b ?>", false, ""},
             Case{"<rule>a.</rule><size>12x</size>", false, ""},
             Case{"<size>00000000000000000000000000000001</size><rule>a.</rule>", false, ""},
             Case{"<rule>a.</rule>< x", false, ""},
             Case{"no markup at all", false, ""},
             Case{"<rule>unfinished", true, "unfinished"},
             Case{"<![CDA", false, ""},
         }) {
        XmlRuleScan scan = ScanXmlRules(c.text);
        EXPECT_EQ(scan.hasRule, c.hasRule) << c.text;
        EXPECT_EQ(scan.rule, c.rule) << c.text;
    }
    XmlRuleScan versioned = ScanXmlRules("<rule>" + v + "x.</rule>");
    EXPECT_TRUE(versioned.hasVersion);
    EXPECT_EQ(versioned.version, 120);
    // Each rule element reads the header from its own start on: the last one decides.
    EXPECT_EQ(ScanXmlRules("<rule>" + v + "</rule><rule>x.</rule>").version, 100);
    EXPECT_EQ(ScanXmlRules("<rule>x.</rule><rule>" + v + "</rule>").version, 120);
    // The version survives an abort that comes after the rule element; the text does not.
    XmlRuleScan aborted = ScanXmlRules("<rule>" + v + "</rule>\v");
    EXPECT_FALSE(aborted.hasRule);
    EXPECT_EQ(aborted.version, 120);
}

}  // namespace
