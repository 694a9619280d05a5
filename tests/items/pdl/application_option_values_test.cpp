// The driver's own answers through the exported VomelDeviceMode: the batch query, the bits and
// levels of the private device mode, the watermark record, stored profiles over a profile store
// registered as the profiles subsystem registers its own, and the settings one item changes in
// another, which the device mode handed back holds too.
#include "driver_option_fixture.h"

#include "core/devmode/devmode_options.h"
#include "core/library/exports_devicemode.h"
#include "drvtest/fixture_device.h"
#include "items/pdl/sdk.h"
#include "settings/sdk/profile_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class ApplicationOptionValues : public DriverOptions {
protected:
    uint32_t Option(uint32_t number) {
        uint32_t value = 0;
        devmode::GetOption(devmode.data(), number, &value, sizeof value);
        return value;
    }
};

uint32_t Word(const std::vector<uint32_t>& words, size_t byte) { return words[byte / 4]; }

TEST_F(ApplicationOptionValues, BatchQueryAnswersEachCodeAndNeverAsksItself) {
    const uint32_t codes[] = {0x10000, 0x10051, 0x1004E, 0};
    std::vector<uint32_t> data(64, 0);
    data[0] = 20;  // the output right after the list's terminator
    std::memcpy(&data[1], codes, sizeof codes);

    EXPECT_EQ(Ask(0, 0x10051, data.data()), 0);
    EXPECT_EQ(Word(data, 20), 24u + 20u + 24u + 20u);  // the nested batch counts as a failed size
    EXPECT_EQ(Ask(2, 0x10051, data.data()), 0);
    // Each entry: head, value at 16, the next at 20 plus the size.
    const uint32_t expected[] = {0x10000, 0, 0, 4, 0x0002001E, 0,  // version
                                 0x10051, 2, 0, 0, 0,              // nested batch: "not supported"
                                 0x1004E, 0, 0, 4, 0x0002000A, 0,  // sub-version
                                 0,       0, 0, 0};
    for (size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(data[5 + i], expected[i]) << "word " << i;

    // Output that would overwrite the code list still being read is refused, list untouched.
    data[0] = 8;
    EXPECT_EQ(Ask(2, 0x10051, data.data()), 1);
    EXPECT_EQ(std::memcmp(&data[1], codes, sizeof codes), 0);
    // An empty list: only the closing entry.
    std::vector<uint32_t> empty(16, 0xEEEEEEEE);
    empty[0] = 8;
    empty[1] = 0;
    EXPECT_EQ(Ask(0, 0x10051, empty.data()), 0);
    EXPECT_EQ(empty[2], 20u);
    EXPECT_EQ(Ask(2, 0x10051, empty.data()), 0);
    EXPECT_EQ(empty[2], 0u);
    EXPECT_EQ(empty[5], 0u);
    EXPECT_EQ(empty[6], 0xEEEEEEEEu);
    EXPECT_EQ(Ask(3, 0x10051, empty.data()), 2);
    EXPECT_EQ(Ask(2, 0x10051, nullptr), 1);
}

TEST_F(ApplicationOptionValues, BitsAndLevelsOfTheSettingsReachTheCaller) {
    constexpr uint32_t kBit19 = 1u << 19;
    struct Case { DWORD kind, code, value; LONG answer; uint32_t option, mask, expected; };
    const Case cases[] = {
        {3, 0x10113, 1, 0, 110, kBit19, kBit19},           {3, 0x10113, 2, 2, 110, kBit19, kBit19},
        {6, 0x10113, 0, 0, 110, kBit19, 0},                {3, 0x10047, 1, 0, 100, kBit19, kBit19},
        {3, 0x10047, 0, 0, 100, kBit19, 0},                {6, 0x10047, 0, 2, 100, kBit19, 0},
        {3, 0x100C9, 3, 0, 110, 0x3Fu << 20, 1u << 22},   {3, 0x100C9, 7, 1, 110, 0x3Fu << 20, 1u << 22},
        {3, 0x100C9, 6, 0, 110, 0x3Fu << 20, 1u << 25},   {6, 0x100C9, 0, 0, 110, 0x3Fu << 20, 0},
    };
    for (const Case& c : cases) {
        DWORD value = c.value;
        EXPECT_EQ(Ask(c.kind, c.code, &value), c.answer) << std::hex << c.code << " " << c.value;
        EXPECT_EQ(Option(c.option) & c.mask, c.expected) << std::hex << c.code << " " << c.value;
    }
    DWORD level = 3;
    ASSERT_EQ(Ask(3, 0x100C9, &level), 0);
    level = 0;
    EXPECT_EQ(Ask(2, 0x100C9, &level), 0);
    EXPECT_EQ(level, 3u);

    // The settings block: kind 6 puts the defaults back over the current settings.
    EXPECT_EQ(Ask(6, 0x10001, nullptr), 0);
    EXPECT_EQ(Option(110) & (0x3Fu << 20), 0u);
    char name[64];
    std::memset(name, 'x', sizeof name);
    EXPECT_EQ(Ask(2, 0x1000D, name), 0);
    EXPECT_LT(strnlen(name, sizeof name), sizeof name);
}

TEST_F(ApplicationOptionValues, WatermarkRecordIsCheckedWholeThenWritten) {
    DWORD size = 0;
    const LONG available = Ask(0, 0x1000A, &size);
    if (available == 2) GTEST_SKIP() << "no stamp item on this printer";
    ASSERT_EQ(available, 0);
    EXPECT_EQ(size, 220u);
    std::vector<uint8_t> record(220, 0);
    auto put32 = [&](size_t at, int32_t v) { std::memcpy(&record[at], &v, 4); };
    auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&record[at], &v, 2); };
    std::strcpy(reinterpret_cast<char*>(&record[0]), "DRAFT");
    std::strcpy(reinterpret_cast<char*>(&record[64]), "Draft copy");
    std::strcpy(reinterpret_cast<char*>(&record[128]), "Arial");
    put32(192, 900);  // clamped to 500
    put32(196, 200);  // out of range: no angle bits, 159 = 0
    put32(200, 80);
    put32(204, -80);
    for (auto [at, v] : {std::pair{208, 3}, {210, 4}, {212, 1}, {214, 2}, {216, 1}})
        put16(at, static_cast<uint16_t>(v));

    // A bad colour anywhere in the record refuses it before any option is written.
    const std::vector<uint8_t> before = devmode;
    std::vector<uint8_t> bad = record;
    const uint16_t colour = 16;
    std::memcpy(&bad[210], &colour, 2);
    EXPECT_EQ(Ask(3, 0x1000A, bad.data()), 2);
    EXPECT_EQ(devmode, before);
    std::vector<uint8_t> longName = record;
    std::memset(&longName[0], 'N', 40);
    EXPECT_EQ(Ask(3, 0x1000A, longName.data()), 1);
    EXPECT_EQ(devmode, before);

    ASSERT_EQ(Ask(3, 0x1000A, record.data()), 0);
    EXPECT_EQ(Option(159) & 0xFFFF, 0u);
    EXPECT_EQ(Option(150) & 0x380, 0u);
    EXPECT_EQ(Option(158), (uint32_t{static_cast<uint16_t>(-50)} << 16) | 50u);
    EXPECT_EQ(Option(157), 0x0000FFu);
    std::vector<uint8_t> back(220, 0);
    ASSERT_EQ(Ask(2, 0x1000A, back.data()), 0);
    EXPECT_STREQ(reinterpret_cast<char*>(&back[0]), "DRAFT");
    EXPECT_STREQ(reinterpret_cast<char*>(&back[64]), "Draft copy");
    EXPECT_STREQ(reinterpret_cast<char*>(&back[128]), "Arial");
    int32_t size32 = 0;
    std::memcpy(&size32, &back[192], 4);
    EXPECT_EQ(size32, 500);
    EXPECT_EQ(std::memcmp(&back[200], "\x32\0\0\0\xCE\xFF\xFF\xFF", 8), 0);
    EXPECT_EQ(std::memcmp(&back[208], &record[208], 10), 0);

    // The two special angles.
    for (int32_t angle : {-45, 45}) {
        put32(196, angle);
        ASSERT_EQ(Ask(3, 0x1000A, record.data()), 0);
        EXPECT_EQ(static_cast<int16_t>(Option(159)), angle == -45 ? 450 : -450);
        ASSERT_EQ(Ask(2, 0x1000A, back.data()), 0);
        int32_t read = 0;
        std::memcpy(&read, &back[196], 4);
        EXPECT_EQ(read, angle);
    }
}

TEST_F(ApplicationOptionValues, ThePartnersValueReachesTheCallersDeviceMode) {
    constexpr uint32_t kUseMargin = 1u << 2, kCentreFold = 1u << 0, kAppBooklet = 1u << 19;
    ASSERT_EQ(Set(0x10057, 1), 0) << "a booklet, so that its options may be set";

    // The booklet margin turns "use a margin" on, and off again with no margin.
    ASSERT_EQ(Set(0x10089, 2500), 0);
    EXPECT_EQ(Option(133) & 0xFFFF, 250u);
    EXPECT_EQ(Option(130) & kUseMargin, kUseMargin);
    ASSERT_EQ(Set(0x10089, 99), 0);
    EXPECT_EQ(Option(130) & kUseMargin, 0u);

    // Dividing into sets carries the number of sheets per set.
    DWORD method[2] = {1, 7};
    ASSERT_EQ(Ask(3, 0x10006, method), 0);
    DWORD readBack[2] = {};
    ASSERT_EQ(Ask(2, 0x10006, readBack), 0);
    EXPECT_EQ(readBack[1], 7u);
    EXPECT_EQ(Option(131) & 0xFFFF, 7u);

    // The application's booklet request turns the centre-fold staple and the application booklet
    // together.
    for (DWORD on : {1u, 0u}) {
        ASSERT_EQ(Set(0x10031, on), 0) << on;
        EXPECT_EQ(Option(130) & kCentreFold, on ? kCentreFold : 0u) << on;
        EXPECT_EQ(Option(110) & kAppBooklet, on ? kAppBooklet : 0u) << on;
    }
}

// A profile store as the profiles subsystem would register it, over the test's own list.
struct StoredProfile {
    std::string name;
    uint16_t type;
    std::vector<uint8_t> record;
};
std::vector<StoredProfile> g_profiles;

class TestProfiles final : public CmModule, public ProfileServices {
public:
    bool GetProfileNode(uint32_t index, CmProfileNode& node) override {
        if (index >= g_profiles.size()) return false;
        std::strncpy(node.name, g_profiles[index].name.c_str(), sizeof node.name - 1);
        node.type = g_profiles[index].type;
        const auto& record = g_profiles[index].record;
        if (record.size() > profilerecord::kDevmode) node.devmode.assign(record.begin() + profilerecord::kDevmode, record.end());
        return true;
    }
    std::vector<uint8_t> ImportProfileFile(const char*) override { return {}; }
    std::vector<ProfileListEntry> ReadProfileTable(HANDLE, uint16_t type) override {
        std::vector<ProfileListEntry> table;
        for (const StoredProfile& p : g_profiles)
            if (p.type == type) {
                ProfileListEntry entry;
                std::strncpy(entry.name, p.name.c_str(), sizeof entry.name - 1);
                entry.type = p.type;
                table.push_back(entry);
            }
        table.push_back(ProfileListEntry{});
        return table;
    }
    bool RemoveProfile(const char* name, uint16_t type) override {
        for (auto it = g_profiles.begin(); it != g_profiles.end(); ++it)
            if (it->type == type && CompareNames(it->name.c_str(), name) == 0) {
                g_profiles.erase(it);
                return true;
            }
        return false;
    }
    bool StoreProfile(const uint8_t* record, size_t size) override {
        uint16_t type = 0;
        std::memcpy(&type, record + profilerecord::kType, 2);
        g_profiles.push_back({reinterpret_cast<const char*>(record + profilerecord::kName), type,
                              std::vector<uint8_t>(record, record + size)});
        return true;
    }
};

TEST_F(ApplicationOptionValues, ProfilesAreListedAddedAppliedAndDeleted) {
    // Without a registered store the list is empty and nothing applies.
    DWORD count = 9;
    EXPECT_EQ(Ask(1, 0x1007D, &count), 0);
    EXPECT_EQ(count, 0u);

    g_profiles.clear();
    const ModuleFactory previous = RegisterModuleFactory(kModuleProfile, [](UIDEVDATA*) -> CmModule* {
        return new TestProfiles;
    });
    DWORD size = 0;
    ASSERT_EQ(Ask(0, 0x10008, &size), 0);
    ASSERT_GT(size, 580u);
    std::vector<uint8_t> add(size, 0);
    DWORD extended = 0;
    ASSERT_EQ(Ask(0, 0x10001, &extended), 0);
    ASSERT_EQ(size, 580u + extended);
    // The caller's device mode, in the extended form the record wants.
    std::memcpy(&add[580], devmode.data(), std::min<size_t>(devmode.size(), extended));
    const auto dmSize = reinterpret_cast<DEVMODEA*>(&add[580])->dmSize;
    reinterpret_cast<DEVMODEA*>(&add[580])->dmDriverExtra = static_cast<WORD>(extended - dmSize);
    auto addNamed = [&](const std::string& name) {
        std::memset(&add[0], 0, 64);
        std::memcpy(&add[0], name.data(), std::min<size_t>(name.size(), 64));
        return Ask(8, 0x10008, add.data());
    };
    EXPECT_EQ(addNamed(std::string(31, 'a')), 0);
    EXPECT_EQ(addNamed(std::string(32, 'b')), 1);
    EXPECT_EQ(addNamed(""), 1);
    EXPECT_EQ(addNamed("dir\\name"), 1);
    EXPECT_EQ(addNamed("Office"), 0);
    EXPECT_EQ(addNamed("OFFICE"), 3);
    const uint16_t badIcon = 149;
    std::memcpy(&add[576], &badIcon, 2);
    EXPECT_EQ(addNamed("Icon"), 1);
    std::memset(&add[576], 0, 2);
    ASSERT_EQ(g_profiles.size(), 2u);
    EXPECT_EQ(g_profiles[1].record.size(), 296u + extended);

    EXPECT_EQ(Ask(1, 0x1007D, &count), 0);
    EXPECT_EQ(count, 2u);
    std::vector<char> names(64 * count, '?');
    EXPECT_EQ(Ask(4, 0x1007D, names.data()), 0);
    EXPECT_STREQ(&names[64], "Office");

    // An unknown name changes nothing; a stored one becomes the applied profile.
    const std::vector<uint8_t> before = devmode;
    char name[64] = "Nowhere";
    EXPECT_EQ(Ask(3, 0x1007D, name), 2);
    EXPECT_EQ(devmode, before);
    std::strcpy(name, "Office");
    ASSERT_EQ(Ask(3, 0x1007D, name), 0);
    char applied[64] = {};
    EXPECT_EQ(Ask(2, 0x1007D, applied), 0);
    EXPECT_STREQ(applied, "Office");
    // The applied profile is kept while the settings follow it; another one goes.
    EXPECT_EQ(Ask(8, 0x10009, name), 1);
    std::string first(31, 'a');
    EXPECT_EQ(Ask(8, 0x10009, first.data()), 0);
    EXPECT_EQ(g_profiles.size(), 1u);

    // The fiftieth user profile is the last.
    for (int i = 0; i < 49; ++i) ASSERT_EQ(addNamed("P" + std::to_string(i)), 0) << i;
    EXPECT_EQ(addNamed("One too many"), 3);
    RegisterModuleFactory(kModuleProfile, previous);
    g_profiles.clear();
}

TEST_F(ApplicationOptionValues, PosterLayoutIsRefusedOverAPosterBlockAndZeroedFirstWord) {
    const uint16_t block = 2;
    ASSERT_TRUE(devmode::SetOption(devmode.data(), 201, &block, sizeof block));
    DWORD poster = 21, layout = 99;
    EXPECT_EQ(Ask(3, 0x10064, &poster), 3);
    ASSERT_EQ(Ask(2, 0x10064, &layout), 0);
    EXPECT_EQ(layout, 0u);
    DWORD fourUp = 2;
    EXPECT_EQ(Ask(3, 0x10064, &fourUp), 0);
    EXPECT_EQ(Ask(3, 0x10064, nullptr), 1);

    DWORD word = 0xABCD;
    const LONG answer = Ask(2, 0x100DB, &word);
    EXPECT_NE(answer, 0);
    EXPECT_EQ(word, 0u);
    EXPECT_EQ(Ask(2, 0x100DB, nullptr), 1);
}

// Sizes, fixed answers and the refusals of records that do not fit, code by code.
TEST_F(ApplicationOptionValues, SizesAndAnswersOfTheDriversOwnCodes) {
    // word: the first word written, when the answer is 0.
    struct Case { DWORD kind, code; LONG answer; uint32_t word; };
    const Case cases[] = {
        {0, 0x10000, 0, 4},   {0, 0x1004E, 0, 4},   {0, 0x1000D, 0, 64}, {0, 0x10009, 0, 64},  {0, 0x1007D, 0, 64},
        {0, 0x1007C, 0, 520}, {0, 0x1002B, 0, 16},  {0, 0x1004C, 0, 8},  {0, 0x1004D, 0, 8},   {0, 0x100C9, 0, 4},
        {3, 0x10000, 2, 0},   {2, 0x1001F, 2, 0},   {2, 0x10156, 2, 0},  {2, 0x10157, 2, 0},   {6, 0x10088, 2, 0},
        {5, 0x10000, 2, 0},   {1, 0x1007D, 0, 0},   {2, 0x1010C, 0, 1},  {8, 0x1007C, 3, 0},
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> data(256, 0);
        std::strcpy(reinterpret_cast<char*>(data.data()), c.code == 0x1007C ? "C:\\profiles\\x.prf" : "");
        const LONG answer = Ask(c.kind, c.code, data.data());
        EXPECT_EQ(answer, c.answer) << std::hex << c.code << " kind " << c.kind;
        if (answer == 0 && c.kind != 8) {
            EXPECT_EQ(data[0], c.word) << std::hex << c.code << " kind " << c.kind;
        }
    }
    // A path that fills its 520 bytes without an end is refused before the profiles see it.
    std::vector<char> path(600, 'p');
    EXPECT_EQ(Ask(8, 0x1007C, path.data()), 1);
    // Without the dialog framework's dispatcher no sheet opens: the call answers, and the word at 4
    // says "not OK".
    uint32_t sheet[4] = {7, 99, 0, 0};
    EXPECT_EQ(Ask(8, 0x1002B, sheet), 0);
    EXPECT_EQ(sheet[1], 0u);
    // The device-area words come from the data file's record, or the request fails whole.
    uint32_t area[2] = {0xAAAA, 0xBBBB};
    const LONG answer = Ask(2, 0x1004C, area);
    EXPECT_TRUE(answer == 0 || (answer == 1 && area[0] == 0xAAAA && area[1] == 0xBBBB)) << answer;
}

}  // namespace
