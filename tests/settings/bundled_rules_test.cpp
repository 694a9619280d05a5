// The bundled printers' rule program: assembled from their data files it loads into the engine
// without error, and over a recording host it resolves the conflicts a user of these printers
// meets (duplex against media, booklet against duplex and n-up, stapling against the output tray
// and the paper size) and offers only what the device has.
#include "settings/rules/cnf_rule_mng.h"

#include "pie/api/api.h"

#include <drvtest/fixture_device.h>
#include <drvtest/pie_fake_host.h>
#include <gtest/gtest.h>

#include <string>

namespace {

enum : int32_t {
    kDuplex = 1,
    kMediaType,
    kCatalog,
    kPageLayout,
    kStaple,
    kDestination,
    kPageSize,
    kZfold,
    kColor,
    kPosition,
    kPunch,
    kSurface,
    kSource,
    // Choices, as the registry registers them: the setting's key, "@" and the choice's name.
    kColorChoiceColor,
    kColorChoiceAuto,
    kPositionChoiceTop,
    kPositionChoiceUpperLeft,
    kPositionChoiceUpperRight,
    kSurfaceChoice24,
    kSourceChoiceTray1,
    kSourceChoiceTray4,
};

drvtest::PieFakeItem OnOff(const char* value) {
    drvtest::PieFakeItem item;
    item.type = 1;
    item.value = item.source = item.reference = value;
    item.choices = {{"OFF", 0}, {"ON", 1}};
    return item;
}

drvtest::PieFakeItem Multi(const char* value, std::initializer_list<const char*> names) {
    drvtest::PieFakeItem item;
    item.type = 2;
    item.value = item.source = item.reference = value;
    int32_t n = 0;
    for (const char* name : names) item.choices.push_back({name, n++});
    return item;
}

// A sheet of one bundled printer reduced to its rule program and the settings the rules name.
class BundledSheet {
public:
    explicit BundledSheet(const char* printer) : fixture_(kKindDevmode, printer), rules_(fixture_.Device()) {
        rules_.LoadRules();
        rules_.BuildRules();
        EXPECT_EQ(rules_.GetLoadErrors(), nullptr);
        EXPECT_EQ(PIE_init(&engine_, nullptr, 0x402), 0);
        host.install(engine_);
        host.items[kDuplex] = OnOff("OFF");
        host.items[kMediaType] = Multi("PLANE", {"PLANE", "THICKNESS", "TRANSPARENCY", "LABELS", "ENVELOPE"});
        host.items[kCatalog] = OnOff("OFF");
        host.items[kPageLayout] = Multi("NUP_1PAGES", {"NUP_1PAGES", "NUP_2PAGES", "NUP_4PAGES"});
        host.items[kStaple] = OnOff("OFF");
        host.items[kDestination] = Multi("CASSETTE1", {"CASSETTE1", "CASSETTE3", "CASSETTE2"});
        host.items[kPageSize] = Multi("A4", {"LETTER", "A4", "A3", "A5", "TABLOID", "ENV_DL"});
        host.items[kZfold] = OnOff("OFF");
        host.items[kColor] = Multi("MONO", {"MONO", "COLOR", "AUTO"});
        host.items[kPosition] = Multi("UPPER_LEFT_S", {"UPPER_LEFT_S", "TOP_W", "UPPER_RIGHT_S", "LEFT_W"});
        host.items[kPunch] = OnOff("OFF");
        host.items[kSurface] = Multi("BIT1", {"BIT1", "BIT8", "BIT24"});
        host.items[kSource] = Multi("AUTO", {"AUTO", "CASSETTE1", "CASSETTE2", "CASSETTE3", "CASSETTE4", "MANUAL"});
        for (int32_t choice :
             {kColorChoiceColor, kColorChoiceAuto, kPositionChoiceTop, kPositionChoiceUpperLeft, kPositionChoiceUpperRight,
              kSurfaceChoice24,
              kSourceChoiceTray1, kSourceChoiceTray4})
            host.items[choice].type = 0;
        const std::pair<const char*, int32_t> keys[] = {
            {"Devmode$Duplex", kDuplex},       {"PaperSource$MediaType", kMediaType},
            {"Layout$Catalog", kCatalog},      {"Layout$PageLayout", kPageLayout},
            {"Finishing$Staple", kStaple},     {"Finishing$Destination", kDestination},
            {"Layout$PageSize", kPageSize},    {"Finishing$Zfold", kZfold},
            {"Quality$Color", kColor},         {"Finishing$Position", kPosition},
            {"Finishing$Punch", kPunch},       {"Quality$SurfaceBitsPixel", kSurface},
            {"Quality$Color@COLOR", kColorChoiceColor},
            {"Quality$Color@AUTO", kColorChoiceAuto}, {"Finishing$Position@TOP_W", kPositionChoiceTop},
            {"Finishing$Position@UPPER_LEFT_S", kPositionChoiceUpperLeft},
            {"Finishing$Position@UPPER_RIGHT_S", kPositionChoiceUpperRight},
            {"Quality$SurfaceBitsPixel@BIT24", kSurfaceChoice24},
            {"Devmode$PaperSelection", kSource},
            {"Devmode$PaperSelection@CASSETTE1", kSourceChoiceTray1},
            {"Devmode$PaperSelection@CASSETTE4", kSourceChoiceTray4},
        };
        for (auto [key, id] : keys) EXPECT_EQ(PIE_register_functor(engine_, key, id), 0) << key;
        for (const char* text : {rules_.GetInitialRules(), rules_.GetRuleText(), rules_.GetCompatibleRules()})
            if (text) {
                EXPECT_EQ(PIE_main(engine_, text), 0) << text;
            }
        EXPECT_EQ(PIE_begin_update(engine_), 0);
        for (auto [key, id] : keys) PIE_initial_conflict(engine_, id);
        EXPECT_EQ(PIE_end_update(engine_), 0);
        initialCalls = host.take();
    }
    ~BundledSheet() { PIE_term(engine_); }

    // The user changes a setting: the host's value, then the engine's check of it. The host's
    // calls of the check, in order.
    std::string Set(int32_t id, const char* value) {
        host.items[id].value = value;
        host.take();
        EXPECT_GE(PIE_check_conflict(engine_, id), 0);
        return host.take();
    }
    const std::string& Value(int32_t id) { return host.items[id].value; }
    const CmSvCnfRuleMng& Rules() const { return rules_; }

    drvtest::PieFakeHost host;
    std::string initialCalls;  // the host's calls while the sheet started

private:
    drvtest::FixtureDevice fixture_;
    CmSvCnfRuleMng rules_;
    PieEngine* engine_ = nullptr;
};

TEST(BundledRules, BothPrintersCarryAProgramThatLoads) {
    for (const char* printer : {drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter}) {
        SCOPED_TRACE(printer);
        BundledSheet sheet(printer);
        ASSERT_NE(sheet.Rules().GetRuleText(), nullptr);
        const std::string text = sheet.Rules().GetRuleText();
        // The model's part comes first, so that its clauses are tried before the common ones.
        const size_t common = text.find("# Conflict rules of the Kelvaro printers, common");
        ASSERT_NE(common, std::string::npos);
        EXPECT_LT(text.find("Devmode$Duplex(OFF) :- (Layout$PageSize(ENV_10)"), common);
        EXPECT_GT(text.find("Devmode$Duplex(OFF) :- $FN_Duplex(DISABLE), disable."), common);
        EXPECT_EQ(sheet.Rules().GetCommonRuleVersion(), 100);
        EXPECT_EQ(sheet.Rules().GetPdlRuleVersion(), 100);
        EXPECT_NE(sheet.Rules().GetInitialRules(), nullptr);
    }
}

TEST(BundledRules, DuplexGivesWayToMediaItCannotTurn) {
    BundledSheet sheet(drvtest::kBundledPcl5ePrinter);
    sheet.Set(kDuplex, "ON");
    const std::string calls = sheet.Set(kMediaType, "TRANSPARENCY");
    EXPECT_EQ(sheet.Value(kDuplex), "OFF");
    EXPECT_NE(calls.find("Disable 1"), std::string::npos) << calls;
    sheet.Set(kMediaType, "PLANE");
    EXPECT_NE(sheet.Set(kDuplex, "ON").find("Enable 1"), std::string::npos);
    EXPECT_EQ(sheet.Value(kDuplex), "ON");
}

TEST(BundledRules, BookletTurnsDuplexOnAndNupOff) {
    BundledSheet sheet(drvtest::kBundledPcl5ePrinter);
    sheet.Set(kPageLayout, "NUP_4PAGES");
    sheet.Set(kCatalog, "ON");
    EXPECT_EQ(sheet.Value(kDuplex), "ON");
    EXPECT_EQ(sheet.Value(kPageLayout), "NUP_1PAGES");
    // Choosing n-up again ends the booklet.
    sheet.Set(kPageLayout, "NUP_2PAGES");
    EXPECT_EQ(sheet.Value(kCatalog), "OFF");
}

TEST(BundledRules, StaplingMovesOutputToTheFinisherAndNeedsAStaplablePaper) {
    BundledSheet sheet(drvtest::kBundledPcl5ePrinter);
    sheet.Set(kStaple, "ON");
    EXPECT_EQ(sheet.Value(kDestination), "CASSETTE3");
    sheet.Set(kPageSize, "A5");
    EXPECT_EQ(sheet.Value(kStaple), "OFF");
}

TEST(BundledRules, TraysFollowThePaperTheyHold) {
    BundledSheet sheet(drvtest::kBundledPcl5ePrinter);
    sheet.Set(kSource, "CASSETTE1");
    const std::string calls = sheet.Set(kPageSize, "A3");
    EXPECT_EQ(sheet.Value(kSource), "AUTO");  // tray 1 holds no A3
    EXPECT_NE(calls.find("Disable " + std::to_string(kSourceChoiceTray1) + ";"), std::string::npos) << calls;
    EXPECT_NE(calls.find("Disable " + std::to_string(kSourceChoiceTray4) + ";"), std::string::npos) << calls;
    // Back on A4 every tray holds the paper again.
    const std::string again = sheet.Set(kPageSize, "A4");
    EXPECT_NE(again.find("Enable " + std::to_string(kSourceChoiceTray1) + ";"), std::string::npos) << again;
    EXPECT_NE(again.find("Enable " + std::to_string(kSourceChoiceTray4) + ";"), std::string::npos) << again;
    sheet.Set(kSource, "CASSETTE4");
    sheet.Set(kPageSize, "ENV_DL");
    EXPECT_EQ(sheet.Value(kSource), "MANUAL");  // envelopes from the bypass tray
}

TEST(BundledRules, OnlyWhatTheDeviceHasIsOffered) {
    // The monochrome model offers no colour, and of the staple points of its finisher the upper
    // left one but not the top one.
    BundledSheet mono(drvtest::kBundledPcl5ePrinter);
    EXPECT_EQ(mono.Value(kColor), "MONO");
    auto disabled = [](const BundledSheet& sheet, int32_t id) {
        return sheet.initialCalls.find("Disable " + std::to_string(id) + ";") != std::string::npos;
    };
    for (auto [id, off] : {std::pair{kColor, true}, {kColorChoiceColor, true}, {kColorChoiceAuto, true},
                           {kPositionChoiceTop, true}, {kPositionChoiceUpperLeft, false}, {kSurfaceChoice24, true}})
        EXPECT_EQ(disabled(mono, id), off) << id;
    // The device's lists answer the same when the rules run again after a change: the upper right
    // point is not the first of the finisher's list, and stays offered.
    const std::string calls = mono.Set(kPosition, "LEFT_W");
    EXPECT_NE(calls.find("Enable " + std::to_string(kPositionChoiceUpperRight) + ";"), std::string::npos) << calls;
    EXPECT_NE(calls.find("Disable " + std::to_string(kPositionChoiceTop) + ";"), std::string::npos) << calls;
    EXPECT_NE(mono.Set(kZfold, "ON").find("Disable 8"), std::string::npos);
    EXPECT_EQ(mono.Value(kZfold), "OFF");  // no Z-fold unit on the monochrome model

    BundledSheet colour(drvtest::kBundledPcl5cPrinter);
    for (int32_t id : {kColor, kColorChoiceColor, kColorChoiceAuto, kSurfaceChoice24})
        EXPECT_FALSE(disabled(colour, id)) << id;
    colour.Set(kPageSize, "A3");
    colour.Set(kZfold, "ON");
    EXPECT_EQ(colour.Value(kZfold), "ON");
}

}  // namespace
