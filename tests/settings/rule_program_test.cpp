// The rule program of a sheet through `CmSvCnfRuleMng`: each kind of rule source the driver data
// can name (embedded, XML file, zlib file, data items), the faults of each (reported, the rest
// still loaded), the capability facts of a real device and the compatibility block, every text
// fed to the engine to prove it loads.
#include "settings/rules/cnf_rule_mng.h"

#include "settings/items/sv_multi.h"
#include "settings/items/sv_onoff.h"

#include "rule_device.h"

#include <drvtest/fixture_device.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ruletest::DriverFile;
using ruletest::LoadIntoEngine;
using ruletest::RuleDevice;

const std::string kXml = "<?xml version=\"1.0\"?>\n<rules>\n<size>64</size>\n<rule>\n"
                         "CommonRuleVersion(120) :- true.\nLayout$Scaling(OFF) :- Layout$Catalog(ON).\n</rule>\n</rules>\n";
const std::string kXmlRule = "\nCommonRuleVersion(120) :- true.\nLayout$Scaling(OFF) :- Layout$Catalog(ON).\n";

struct SourceCase {
    const char* name;
    std::string lines;
    std::vector<DriverFile> files;
    const char* text;  // null: no rule text
    int32_t common, pdl;
    const char* error;  // a part of the load error, or null for none
};

TEST(RuleSources, EachKindAndItsFaults) {
    const std::string zlibXml = ruletest::Deflate(kXml);
    const std::string size = "RuleFileUnpackedSize " + std::to_string(kXml.size()) + "\n";
    const std::string longName(250, 'R');
    const std::vector<SourceCase> cases = {
        {"embedded", "RuleSourceKind 0\ntext RuleText \"CommonRuleVersion(105) :- true.\\nx(ON).\"", {},
         "CommonRuleVersion(105) :- true.\nx(ON).", 105, 100, nullptr},
        {"embedded, none given", "RuleSourceKind 1", {}, nullptr, 100, 100, nullptr},
        {"unknown kind", "RuleSourceKind 7", {}, nullptr, 100, 100, nullptr},
        {"XML file", "RuleSourceKind 2\ntext RuleFileName \"RULES.XML\"", {{"RULES.XML", kXml}}, kXmlRule.c_str(),
         120, 100, nullptr},
        {"plain file where XML is due", "RuleSourceKind 2\ntext RuleFileName \"RULES.TXT\"",
         {{"RULES.TXT", "x(ON).\n"}}, nullptr, 100, 100, "has no rule element"},
        {"missing file", "RuleSourceKind 2\ntext RuleFileName \"NONE.XML\"", {}, nullptr, 100, 100, "does not open"},
        {"path too long", "RuleSourceKind 2\ntext RuleFileName \"" + longName + "\"", {}, nullptr, 100, 100,
         "is too long"},
        {"bad XML", "RuleSourceKind 2\ntext RuleFileName \"RULES.XML\"", {{"RULES.XML", "<rule>x(ON).\v</rule>"}},
         nullptr, 100, 100, "not well-formed"},
        {"zlib file", "RuleSourceKind 3\ntext RuleFileName \"RULES.Z\"\n" + size, {{"RULES.Z", zlibXml}},
         kXmlRule.c_str(), 120, 100, nullptr},
        {"zlib file, unpacked size too small",
         "RuleSourceKind 3\ntext RuleFileName \"RULES.Z\"\nRuleFileUnpackedSize 20", {{"RULES.Z", zlibXml}}, nullptr,
         100, 100, "does not inflate"},
        {"zlib file, corrupt", "RuleSourceKind 3\ntext RuleFileName \"RULES.Z\"\n" + size,
         {{"RULES.Z", zlibXml.substr(0, zlibXml.size() / 2)}}, nullptr, 100, 100, "does not inflate"},
        {"zlib kind, XML with a byte-order mark", "RuleSourceKind 3\ntext RuleFileName \"RULES.XML\"\n" + size,
         {{"RULES.XML", "\xEF\xBB\xBF<rule>y(OFF).</rule>"}}, "y(OFF).", 100, 100, nullptr},
        {"data items", "RuleSourceKind 4\nitem 2061 text \"abc\"\nitem 2063 u32 120\nitem 2064 u32 105", {}, "abc",
         120, 105, nullptr},
        {"data items, 2062 first", "RuleSourceKind 4\nitem 2061 text \"abc\"\nitem 2062 compressed text \"def\"", {},
         "def", 100, 100, nullptr},
        {"data items, short version", "RuleSourceKind 4\nitem 2061 text \"abc\"\nitem 2063 u16 120", {}, "abc", 100,
         100, "not a 4-byte number"},
    };
    for (const SourceCase& c : cases) {
        SCOPED_TRACE(c.name);
        RuleDevice device(c.lines, c.files);
        ASSERT_NE(device.Device(), nullptr);
        CmSvCnfRuleMng rules(device.Device());
        rules.LoadRules();
        if (c.text) {
            ASSERT_NE(rules.GetRuleText(), nullptr);
            EXPECT_STREQ(rules.GetRuleText(), c.text);
        } else {
            EXPECT_EQ(rules.GetRuleText(), nullptr);
        }
        EXPECT_EQ(rules.GetCommonRuleVersion(), c.common);
        EXPECT_EQ(rules.GetPdlRuleVersion(), c.pdl);
        if (c.error) {
            ASSERT_NE(rules.GetLoadErrors(), nullptr);
            EXPECT_NE(std::string(rules.GetLoadErrors()).find(c.error), std::string::npos) << rules.GetLoadErrors();
        } else {
            EXPECT_EQ(rules.GetLoadErrors(), nullptr) << rules.GetLoadErrors();
        }
        // Whatever the source gave, the sheet still gets its capability facts.
        rules.BuildRules();
        EXPECT_EQ(rules.GetInitialRules() != nullptr, c.common < 110);
    }
}

TEST(InitialRules, TheBundledPrintersFactsLoadAndUndefinedValuesStayOneName) {
    drvtest::FixtureDevice mono;
    CmSvCnfRuleMng rules(mono.Device());
    rules.LoadRules();
    rules.BuildRules();
    ASSERT_NE(rules.GetInitialRules(), nullptr);
    // No colour-space block: none of its rows; the fold row never writes.
    EXPECT_EQ(std::string(rules.GetInitialRules()).find("$ColorSpaceSupported"), std::string::npos);
    EXPECT_EQ(std::string(rules.GetInitialRules()).find("$FN_Zfold"), std::string::npos);
    EXPECT_EQ(LoadIntoEngine({rules.GetInitialRules(), rules.GetRuleText(), rules.GetCompatibleRules()}), 0);

    drvtest::FixtureDevice colour(kKindDevmode, drvtest::kBundledPcl5cPrinter);
    CmSvCnfRuleMng colourRules(colour.Device());
    colourRules.LoadRules();
    colourRules.BuildRules();
    EXPECT_EQ(LoadIntoEngine({colourRules.GetInitialRules(), colourRules.GetRuleText()}), 0);

    RuleDevice device("RuleSourceKind 0\ntext RuleText \"CommonRuleVersion(109) :- true.\"\n"
                      "EngineType 3\nColor 0xFFFFFFFF\nDefaultResoShift -3");
    CmSvCnfRuleMng undefined(device.Device());
    undefined.LoadRules();
    EXPECT_EQ(undefined.GetCommonRuleVersion(), 109);
    undefined.BuildRules();
    ASSERT_NE(undefined.GetInitialRules(), nullptr);
    const std::string facts = undefined.GetInitialRules();
    for (const char* line : {"$EngineType(UNDEFINED3) :- true.", "$Color(UNDEFINED4294967295) :- true.",
                             "$DefaultResoShift(-3) :- true."})
        EXPECT_NE(facts.find(std::string(line) + "\n"), std::string::npos) << line;
    EXPECT_EQ(LoadIntoEngine({undefined.GetInitialRules(), undefined.GetRuleText()}), 0);
}

TEST(CompatibleRules, RecordedInOrderAndLoaded) {
    drvtest::FixtureDevice fixture;
    CmSvCnfRuleMng rules(fixture.Device());
    rules.BuildRules();
    EXPECT_EQ(rules.GetCompatibleRules(), nullptr);

    CmSvCnfRuleMng recorded(fixture.Device());
    {
        // Keys outlive the items they came from.
        CmSvOnOff scaling("Layout$Scaling", 1042, 1, 0, 0);
        recorded.AddUnsupportedItem(scaling);
        recorded.AddUnsupportedElement(scaling);  // not a multiple choice: nothing recorded
    }
    recorded.AddUnsupportedItem("Layout$Catalog");
    CmSvOptionRecord rows[2] = {};
    rows[0].name = "NUP_6PAGES";
    rows[1].name = "POSTER_4X4";
    CmSvMulti layout("Layout$PageLayout", 1038, 0, 2, rows);
    recorded.AddUnsupportedElement(layout);
    recorded.BuildRules();
    ASSERT_NE(recorded.GetCompatibleRules(), nullptr);
    EXPECT_EQ(std::string(recorded.GetCompatibleRules()),
              "#> Compatible Rule\n"
              "Layout$Scaling(_) :- { unsupported }.\n"
              "Layout$Catalog(_) :- { unsupported }.\n"
              "$$(_) :- { unsupported_element(Layout$PageLayout, [NUP_6PAGES, POSTER_4X4]) }.\n"
              "$bFolionixON(ON) :- (win9X | win2k), (not Layout$PrintDatePosition(NONE) | "
              "not Layout$PrintUserPosition(NONE) | not Layout$PrintPagePosition(NONE)).\n"
              "Layout$PrintDatePosition(NONE) :- SDK, ^DocProp$SettingForApps, DocProp$SettingForApps(DPOD).\n"
              "Layout$PrintUserPosition(NONE) :- SDK, ^DocProp$SettingForApps, DocProp$SettingForApps(DPOD).\n"
              "Layout$PrintPagePosition(NONE) :- SDK, ^DocProp$SettingForApps, DocProp$SettingForApps(DPOD).\n"
              "#< Compatible Rule\n");
    EXPECT_EQ(LoadIntoEngine({recorded.GetInitialRules(), recorded.GetCompatibleRules()}), 0);
}

}  // namespace
