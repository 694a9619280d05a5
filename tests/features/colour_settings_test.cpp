// The colour profile list of the bundled printers, built through the stand-in of the maker's
// colour-profile library: which profiles are kept and how their texts are bounded, what happens
// without the library or with one that refuses to start or answers an absurd count, and that
// everything the driver opened is given back. The print objectives: the default tables of
// unlisted models, what applying an objective writes into the settings (only the quality-flag bits
// under the objective's mask and the colour block's defaults), the choice between applying and
// adjusting, and objectives that build nothing.
#include "colour_fixture.h"

#include "features/colour_settings.h"
#include "features/objective.h"

#include <string>
#include <vector>

namespace colourtest {
namespace {

class ColourSettingsTest : public ::testing::Test {
protected:
    explicit ColourSettingsTest(bool library = true, const char* printer = drvtest::kBundledPcl5cPrinter)
        : installed(library), fixture(kKindUserInterface, printer) {
        // Held for the test, so that what the library counts survives the driver's unloading.
        library_ = LoadLibraryA("KRX32P.DLL");
    }
    ~ColourSettingsTest() override {
        if (library_) FreeLibrary(library_);
    }
    UIDEVDATA* Ctx() { return fixture.Device(); }
    template <typename F>
    F Standin(const char* name) {
        return library_ ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(library_, name))) : nullptr;
    }
    static std::vector<std::string> Parts(const CmColorSettings& settings) {
        std::vector<std::string> parts;
        for (const auto* p = settings.Profiles(); p != settings.ProfilesEnd(); ++p)
            parts.emplace_back(CmColorSettings::FilePart(*p));
        return parts;
    }

    ColourLibraryInstalled installed;
    drvtest::FixtureDevice fixture;
    HMODULE library_ = nullptr;
};

TEST_F(ColourSettingsTest, KeepsScannerAndMonitorProfilesThatOpenAndExistWithTheirTextsBounded) {
    auto* settings = dynamic_cast<CmColorSettings*>(Ctx()->svc->GetUserData(Ctx())->GetColorSettings());
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(Parts(*settings), (std::vector<std::string>{"\\SRGBCO~1.ICM", "\\SCANNER1.ICM", "\\Wide gamut monitor.icm"}));
    ASSERT_EQ(settings->ProfileCount(), 3u);
    EXPECT_STREQ(settings->Profiles()[0].description, "sRGB colour space");
    // The scanner's description came back filling the whole buffer, with no terminator.
    EXPECT_EQ(std::string(settings->Profiles()[1].description),
              std::string("Flatbed scanner, reflective originals, calibrated at the factory for the office").substr(0, 63));

    std::vector<std::pair<uint32_t, uint32_t>> methods;
    for (const MatchingMethod* m = settings->Methods(); m != settings->MethodsEnd(); ++m)
        methods.emplace_back(CmColorSettings::MethodStringId(*m), m->value);
    EXPECT_EQ(methods, (std::vector<std::pair<uint32_t, uint32_t>>{{9777, 0}, {9772, 1}, {9773, 2}}));
    EXPECT_EQ(settings->MethodsEnd()->stringId, 0u) << "the table ends with a zero entry";

    ColorSettings again(Ctx());
    EXPECT_EQ(again.ProfileCount(), 3u);
    auto outstanding = Standin<int (*)()>("StandInKrxOutstanding");
    ASSERT_NE(outstanding, nullptr);
    EXPECT_EQ(outstanding(), 0) << "every profile closed, the enumerator disposed, the library terminated";
}

TEST_F(ColourSettingsTest, AnAbsurdCountIsNotBelievedAndARefusedStartListsNothing) {
    auto huge = Standin<void (*)(int)>("StandInKrxSetHugeCount");
    auto refuse = Standin<void (*)(int)>("StandInKrxRefuseStart");
    auto outstanding = Standin<int (*)()>("StandInKrxOutstanding");
    ASSERT_TRUE(huge && refuse && outstanding);
    huge(1);
    ColorSettings many(Ctx());
    EXPECT_EQ(many.ProfileCount(), 3u);
    huge(0);
    refuse(1);
    ColorSettings none(Ctx());
    EXPECT_EQ(none.ProfileCount(), 0u);
    EXPECT_EQ(none.MethodCount(), 3u) << "the methods do not need the library";
    refuse(0);
    EXPECT_EQ(outstanding(), 0);
}

class ColourSettingsWithoutLibrary : public ColourSettingsTest {
protected:
    ColourSettingsWithoutLibrary() : ColourSettingsTest(false) {}
};

TEST_F(ColourSettingsWithoutLibrary, ListsNoProfileButOffersTheMethods) {
    EXPECT_EQ(library_, nullptr);
    ColorSettings settings(Ctx());
    EXPECT_EQ(settings.ProfileCount(), 0u);
    EXPECT_EQ(settings.MethodCount(), 3u);
}

class MonochromeColourSettings : public ColourSettingsTest {
protected:
    MonochromeColourSettings() : ColourSettingsTest(true, drvtest::kBundledPcl5ePrinter) {}
};

TEST_F(MonochromeColourSettings, ReadsTheLibrarysSystemProfileFolder) {
    ColorSettings settings(Ctx());
    EXPECT_EQ(Parts(settings), (std::vector<std::string>{"\\SRGBCO~1.ICM", "\\SCANNER1.ICM", "\\Wide gamut monitor.icm"}));
}


// What the library answers about one profile, forged: the entry is made or refused, never read
// past the sizes given.
TEST(ColourProfileEntry, AnswersOfTheLibraryAreBoundedOrRefused) {
    uint8_t header[colourprofile::kHeaderSize] = {};
    std::memcpy(header + colourprofile::kDeviceClass, "mntr", 4);
    struct Case { const char* what; size_t headerSize; const char* kind; bool source; };
    for (auto c : {Case{"monitor", 128, "mntr", true}, Case{"scanner", 128, "scnr", true},
                   Case{"printer", 128, "prtr", false}, Case{"short header", 127, "mntr", false},
                   Case{"no header", 0, "mntr", false}}) {
        std::memcpy(header + colourprofile::kDeviceClass, c.kind, 4);
        EXPECT_EQ(colourprofile::IsSourceProfile(header, c.headerSize), c.source) << c.what;
    }
    EXPECT_FALSE(colourprofile::IsSourceProfile(nullptr, 128));

    const std::string longPart = "C:\\" + std::string(256, 'x');
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    struct Entry {
        const char* what;
        const char* description;
        size_t descriptionSize;
        const char* path;
        size_t pathSize;
        bool made;
        const char* part;
        const char* text;
    };
    for (auto c : {Entry{"plain", "sRGB", 64, "C:\\COLOR\\SRGB.ICM", 260, true, "\\SRGB.ICM", "sRGB"},
                   Entry{"no folder", "x", 64, "SRGB.ICM", 260, false, "", ""},
                   Entry{"part too long", "x", 64, longPart.c_str(), 300, false, "", ""},
                   Entry{"description unterminated", unterminated, 4, "C:\\A.ICM", 260, true, "\\A.ICM", "abcd"},
                   Entry{"path cut by its size", "x", 64, "C:\\A\\B.ICM", 4, true, "\\A", "x"},
                   Entry{"no description", nullptr, 0, "C:\\A.ICM", 260, true, "\\A.ICM", ""}}) {
        colourprofile::ProfileEntry entry{};
        std::memcpy(entry.filePart, "kept", 5);
        EXPECT_EQ(colourprofile::MakeProfileEntry(c.description, c.descriptionSize, c.path, c.pathSize, entry), c.made)
            << c.what;
        EXPECT_STREQ(entry.filePart, c.made ? c.part : "kept") << c.what;
        if (c.made) {
            EXPECT_STREQ(entry.description, c.text) << c.what;
        }
    }
}

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
