// The colour profile list of the bundled printers, built through the stand-in of the maker's
// colour-profile library: which profiles are kept and how their texts are bounded, what happens
// without the library or with one that refuses to start or answers an absurd count, and that
// everything the driver opened is given back.
#include "colour_fixture.h"

#include "features/colour_settings.h"

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

}  // namespace
}  // namespace colourtest

namespace colourtest {
namespace {

// What the library answers about one profile, forged: the entry is made or refused, never read
// past the sizes given.
TEST(ColourProfileEntry, AnswersOfTheLibraryAreBoundedOrRefused) {
    uint8_t header[colourprofile::kHeaderSize] = {};
    std::memcpy(header + colourprofile::kDeviceClass, "mntr", 4);
    struct Case {
        const char* what;
        size_t headerSize;
        const char* kind;
        bool source;
    };
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

}  // namespace
}  // namespace colourtest
