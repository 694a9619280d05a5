// The print objectives of the bundled printers: the default tables of unlisted models, what
// applying an objective writes into the settings (only the quality-flag bits under the
// objective's mask and the colour block's defaults), the choice between applying and adjusting,
// and objectives that build nothing.
#include "colour_fixture.h"

#include "features/objective.h"

#include <vector>

namespace colourtest {
namespace {

constexpr DWORD kFlags = 220, kOpt227 = 227;
constexpr uint32_t kMask = 0x2C3FDD;

std::vector<int> Values(const ObjectiveEntry* table, size_t rows) {
    std::vector<int> values;
    for (size_t i = 0; i < rows; ++i) values.push_back(table[i].value);
    return values;
}

// A model no table names takes the colour or the monochrome default table.
TEST(ObjectiveTables, UnlistedModelsTakeTheDefaultTableOfTheirColour) {
    size_t rows = 0;
    const ObjectiveEntry* colour = ObjectiveTableFor(9999, true, &rows);
    EXPECT_EQ(Values(colour, rows), (std::vector<int>{1, 2, 3, 4, 6}));
    const ObjectiveEntry* mono = ObjectiveTableFor(9999, false, &rows);
    EXPECT_EQ(Values(mono, rows), (std::vector<int>{1, 2, 3, 4, 6, 5}));
}

class ObjectiveTest : public ::testing::TestWithParam<const char*> {
protected:
    ObjectiveTest() : fixture(kKindUserInterface, GetParam()) {}
    UIDEVDATA* Ctx() { return fixture.Device(); }
    uint8_t* Settings() { return Ctx()->svc->GetUserData(Ctx())->GetSettingsSource(); }
    Objective& Objectives() { return dynamic_cast<Objective&>(*Ctx()->svc->GetUserData(Ctx())->GetObjective()); }
    bool Colour() const { return std::string(GetParam()) == drvtest::kBundledPcl5cPrinter; }

    drvtest::FixtureDevice fixture;
};

TEST_P(ObjectiveTest, ApplyingChangesOnlyTheMaskedQualityBitsAndResetsTheColourGroups) {
    for (uint32_t start : {0u, 0xFFFFFFFFu, 0xA5A5A5A5u}) {
        for (uint32_t objective = 1; objective <= 7; ++objective) {
            SetOption<uint32_t>(Ctx(), Settings(), kFlags, start);
            Block scrambled{};
            scrambled.fill(0x77);
            WriteBlock(Ctx(), Settings(), scrambled);
            ASSERT_TRUE(Objectives().Apply(objective)) << objective;
            const uint32_t after = Option<uint32_t>(Ctx(), Settings(), kFlags);
            EXPECT_EQ((after ^ start) & ~kMask, 0u) << std::hex << start << " objective " << objective;
            const Block block = ReadBlock(Ctx(), Settings());
            for (size_t g = 0; g < 3; ++g) {
                EXPECT_EQ(ProfileName(block, g), "\\SRGBCO~1.ICM") << objective;
                EXPECT_EQ(Adjustment(block, g), (std::array<int, 4>{0, 0, 0, 0})) << objective;
            }
            EXPECT_EQ(std::vector<int>(block.begin() + 98, block.begin() + 101), (std::vector<int>{1, 1, 1}));
            EXPECT_EQ(std::vector<int>(block.begin() + 102, block.begin() + 105), (std::vector<int>{5, 5, 0}));
        }
    }
}

TEST_P(ObjectiveTest, AnObjectiveOutsideOneToSevenBuildsAndAppliesNothing) {
    SetOption<uint32_t>(Ctx(), Settings(), kFlags, 0x12345678);
    const std::vector<uint8_t> before(Settings(), Settings() + Ctx()->svc->GetUserData(Ctx())->GetSettingsSourceSize());
    for (uint32_t objective : {0u, 8u, 0x7Fu, 0x100u}) {
        EXPECT_FALSE(Objectives().Apply(objective)) << objective;
        EXPECT_TRUE(std::equal(before.begin(), before.end(), Settings())) << objective;
    }
}

TEST_P(ObjectiveTest, SelectAppliesATableObjectiveAndOnlyAdjustsAnyOther) {
    SetOption<uint16_t>(Ctx(), Settings(), kOpt227, 9);
    SetOption<uint32_t>(Ctx(), Settings(), kFlags, 0x1800);
    Block marked = ReadBlock(Ctx(), Settings());
    marked[colourblock::kGroupStarts[0]] = 6;  // an adjustment the full apply would reset
    WriteBlock(Ctx(), Settings(), marked);
    const uint32_t missing = Colour() ? 2 : 1;
    EXPECT_TRUE(Objectives().Select(missing));
    EXPECT_EQ(Option<uint16_t>(Ctx(), Settings(), kOpt227), 9) << "only the quality flags were adjusted";
    EXPECT_EQ(ReadBlock(Ctx(), Settings())[colourblock::kGroupStarts[0]], 6);
    EXPECT_EQ(Option<uint32_t>(Ctx(), Settings(), kFlags) & 0x1800u, 0u);
    EXPECT_TRUE(Objectives().Select(0x80 | 3));
    EXPECT_EQ(Option<uint32_t>(Ctx(), Settings(), kFlags) & 0x1000u, 0x1000u) << "bit 0x80 ignored when adjusting";
    EXPECT_EQ(ReadBlock(Ctx(), Settings())[colourblock::kGroupStarts[0]], 6);
    EXPECT_TRUE(Objectives().Select(3));
    EXPECT_EQ(ReadBlock(Ctx(), Settings())[colourblock::kGroupStarts[0]], 0) << "a table objective is applied whole";
}

INSTANTIATE_TEST_SUITE_P(BundledPrinters, ObjectiveTest,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
}  // namespace colourtest
