// The user-paper table on the bundled printer: round trips through the printer's driver data,
// the older layout converted, damaged values refused, and the mirror of the device mode's
// custom size.
#include "core/device/service_table.h"
#include "drvtest/fixture_device.h"
#include "drvtest/spooler.h"
#include "core/device/user_data.h"
#include "features/custom_paper.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using namespace userpaper;

class CustomPaperTest : public ::testing::Test {
protected:
    CustomPaperTest() : fixture(kKindDevmode, drvtest::kBundledPcl5ePrinter) {}
    UIDEVDATA* Ctx() { return fixture.Device(); }
    uint8_t* Dm() { return Ctx()->svc->GetDevmode(Ctx(), 3); }
    std::unique_ptr<CmCustomPaper> Paper() {
        auto paper = std::make_unique<CmCustomPaper>(Ctx(), 0);
        paper->SetDevmode(Dm());
        return paper;
    }
    void Put(const char* name, const std::vector<uint8_t>& bytes) {
        ASSERT_EQ(Ctx()->svc->SetPrinterData(Ctx(), Ctx()->svc->GetPrinterHandle(Ctx()), name, REG_BINARY,
                                             bytes.data(), static_cast<DWORD>(bytes.size())),
                  DWORD(ERROR_SUCCESS));
    }
    std::vector<uint8_t> Get(const char* name) {
        std::vector<uint8_t> bytes(2000);
        DWORD type = 0, needed = 0;
        if (Ctx()->svc->GetPrinterData(Ctx(), Ctx()->svc->GetPrinterHandle(Ctx()), name, &type, bytes.data(),
                                       static_cast<DWORD>(bytes.size()), &needed) != ERROR_SUCCESS)
            return {};
        bytes.resize(needed);
        return bytes;
    }
    void Version(uint16_t v) { Put("UserPaperVersion", {uint8_t(v), uint8_t(v >> 8)}); }
    template <class T>
    void SetOption(unsigned number, T value) {
        Ctx()->svc->SetOption(Ctx(), Dm(), number, &value, sizeof value);
    }
    template <class T>
    T Option(unsigned number) {
        T value{};
        Ctx()->svc->GetOption(Ctx(), Dm(), number, &value, sizeof value);
        return value;
    }
    static Entry Make(int16_t kind, const char* name, uint32_t lengthMm, uint32_t widthMm) {
        return Entry{"Label " + std::to_string(kind), name, kind, kUnitMm, lengthMm, widthMm,
                     ConvertLength(lengthMm, kMmToInch), ConvertLength(widthMm, kMmToInch)};
    }

    drvtest::FixtureDevice fixture;
};

TEST(UserPaperLength, ConvertsBetweenUnits) {
    struct Case { uint32_t v; int mode; uint32_t out; };
    for (auto c : {Case{21000, kMmToInch, 827}, Case{827, kInchToMm, 21006}, Case{2970, kTenthMmToInch, 1169},
                   Case{5, 3, 0}, Case{0xffffffffu, kInchToMm, uint32_t((254ull * 0xffffffffu + 5) / 10)}})
        EXPECT_EQ(ConvertLength(c.v, c.mode), c.out) << c.v << " mode " << c.mode;
}

TEST_F(CustomPaperTest, TablesRoundTripAndAreStoredBeforeTheirVersion) {
    const auto paper = Paper();
    const std::vector<Entry> two = {Make(0, "Postcard", 14800, 10000), Make(3, "Banner", 90000, 21000)};
    ASSERT_TRUE(paper->Save(two));
    EXPECT_EQ(Get("UserPaper").size(), 345u);
    EXPECT_EQ(Get("UserPaperVersion"), (std::vector<uint8_t>{2, 0}));
    EXPECT_EQ(paper->Load(), two);

    std::vector<Entry> six;
    for (int16_t k = 0; k < 6; ++k) six.push_back(Make(k, "p", 10000u + k, 20000u + k));
    ASSERT_TRUE(paper->Save(six));
    EXPECT_EQ(Get("UserPaper").size(), 805u);
    EXPECT_EQ(paper->Load(), six);

    // A failed table write reports failure and leaves the older version and its table readable.
    std::vector<uint8_t> old(570, 0);
    std::memcpy(old.data(), "Old", 3);
    Version(1);
    Put("UserPaper", old);
    drvtest::FailSpoolerCalls("SetPrinterDataA", ERROR_ACCESS_DENIED, 1);
    EXPECT_FALSE(paper->Save(two));
    drvtest::ClearSpoolerFailures();
    EXPECT_EQ(Get("UserPaperVersion"), (std::vector<uint8_t>{1, 0}));
    const auto kept = paper->Load();
    ASSERT_TRUE(kept);
    ASSERT_EQ(kept->size(), 1u);
    EXPECT_EQ(kept->front().label, "Old");
}

TEST_F(CustomPaperTest, TheOlderLayoutConvertsEntryByEntry) {
    std::vector<uint8_t> old(570, 0);
    for (size_t i = 0; i < 5; ++i) {
        uint8_t* e = old.data() + 114 * i;
        std::memcpy(e, "0123456789", 10);  // a label that fills its field
        e[9] = char('A' + i);
        std::snprintf(reinterpret_cast<char*>(e) + 10, 65, "name %zu", i);
        e[75] = uint8_t(i);
        e[77] = uint8_t(i % 2);
        for (size_t f = 0; f < 4; ++f) {
            const uint32_t v = uint32_t(1000 * (i + 1) + f);
            std::memcpy(e + 79 + 4 * f, &v, 4);
        }
    }
    Version(1);
    Put("UserPaper", old);
    const auto loaded = Paper()->Load();
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        const Entry& e = (*loaded)[i];
        EXPECT_EQ(e.label, std::string("012345678").substr(0, 9));
        EXPECT_EQ(e.name, "name " + std::to_string(i));
        EXPECT_EQ(e.kind, int16_t(i));
        EXPECT_EQ(e.unit, i % 2);
        EXPECT_EQ(e.lengthMm, 1000 * (i + 1));
        EXPECT_EQ(e.widthInch, 1000 * (i + 1) + 3);
    }
}

TEST_F(CustomPaperTest, DamagedValuesFallBackToTheDefaults) {
    struct Case { const char* fault; uint16_t version; std::vector<uint8_t> table; };
    std::vector<uint8_t> unterminated(230, 'x');
    const Case cases[] = {
        {"version 2 over version-1 bytes", 2, std::vector<uint8_t>(570, 'a')},
        {"version 1 over a short value", 1, std::vector<uint8_t>(345, 'a')},
        {"part of an entry", 2, std::vector<uint8_t>(116, 'a')},
        {"empty value", 2, {}},
        {"larger than the block", 2, std::vector<uint8_t>(920, 'a')},
    };
    for (const Case& c : cases) {
        Version(c.version);
        Put("UserPaper", c.table);
        const auto paper = Paper();
        EXPECT_FALSE(paper->Load()) << c.fault;
        ASSERT_TRUE(paper->Initialize()) << c.fault;
        EXPECT_GE(paper->GetCount(), 5u) << c.fault;
        EXPECT_EQ(paper->Entries()[0].kind, 0) << c.fault;
    }
    // Texts that fill their fields are cut inside them.
    Version(2);
    Put("UserPaper", unterminated);
    const auto loaded = Paper()->Load();
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->size(), 2u);
    EXPECT_EQ((*loaded)[0].label, std::string(29, 'x'));
    EXPECT_EQ((*loaded)[0].name, std::string(64, 'x'));
    // An unknown version is an empty table, not the defaults.
    Version(7);
    EXPECT_EQ(Paper()->Load(), std::vector<Entry>{});
}

TEST_F(CustomPaperTest, TheCustomSizeSelectsItsUserPaperOrIsMirrored) {
    SetOption<uint16_t>(111, 256);
    SetOption<uint32_t>(114, (2970u << 16) | 2100u);
    const auto paper = Paper();
    Version(2);
    ASSERT_TRUE(paper->Save({Make(0, "a", 14800, 10000), Make(2, "A4 again", 29700, 21000),
                             Make(5, "", 100, 100)}));
    ASSERT_TRUE(paper->Initialize());
    EXPECT_FALSE(paper->FindByKind(5));
    EXPECT_EQ(Option<int16_t>(129), 2);
    EXPECT_EQ(paper->GetCurrent()->kind, 2);

    SetOption<uint32_t>(114, (3000u << 16) | 2000u);
    EXPECT_TRUE(paper->SyncWithDevmode());
    const Entry* mirror = paper->FindByKind(5);
    ASSERT_TRUE(mirror);
    EXPECT_EQ(mirror->lengthMm, 30000u);
    EXPECT_EQ(mirror->widthMm, 20000u);
    EXPECT_FALSE(mirror->label.empty());
    EXPECT_EQ(Option<int16_t>(129), 5);
    ASSERT_TRUE(paper->StoreTable());
    EXPECT_EQ(Get("UserPaper").size(), 4u * 115);
}

TEST_F(CustomPaperTest, AFullTableNeverGrowsPastSixEntries) {
    SetOption<uint16_t>(111, 256);
    SetOption<uint32_t>(114, (3000u << 16) | 2000u);
    std::vector<Entry> six;
    for (int16_t k = 0; k < 6; ++k) six.push_back(Make(k == 5 ? 4 : k, "p", 10000u + k, 20000u + k));
    const auto paper = Paper();
    ASSERT_TRUE(paper->Save(six));
    ASSERT_TRUE(paper->Initialize());
    EXPECT_EQ(paper->GetCount(), 6u);
    EXPECT_FALSE(paper->AddCurrentCustomSize());
    EXPECT_FALSE(paper->FindByKind(5));
    ASSERT_TRUE(paper->StoreTable());
    EXPECT_EQ(Get("UserPaper").size(), 805u);
}

}  // namespace
