// The describe request (kind 11) on the bundled printer's real sheet and rules, through the
// exported VomelDeviceMode: the walk over every option key, the records' names, choices and marks,
// the reasons the bundled rules give, and the buffers too short for a record.
#include "tests/items/pdl/driver_option_fixture.h"

#include "settings/sdk/non_sv_sdk.h"
#include "settings/sdk/option_description.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Described {
    OptionDescriptionHead head{};
    std::vector<OptionDescriptionChoice> choices;
};

class OptionDescribe : public DriverOptions {
public:
    LONG Describe(DWORD from, Described& out) {
        std::vector<uint8_t> room(64 * 1024);
        const uint32_t size = static_cast<uint32_t>(room.size());
        std::memcpy(room.data(), &size, sizeof size);
        const LONG answer = Ask(kSdkKindDescribe, from, room.data());
        if (answer != 0) return answer;
        std::memcpy(&out.head, room.data(), sizeof out.head);
        out.choices.resize(out.head.choiceCount);
        for (uint32_t i = 0; i < out.head.choiceCount; ++i)
            std::memcpy(&out.choices[i], room.data() + sizeof out.head + i * sizeof(OptionDescriptionChoice),
                        sizeof(OptionDescriptionChoice));
        return answer;
    }
    static const OptionDescriptionChoice* Choice(const Described& d, const char* name) {
        for (const OptionDescriptionChoice& c : d.choices)
            if (std::string(c.name) == name) return &c;
        return nullptr;
    }
};

TEST_F(OptionDescribe, WalksEveryItemKeyAndPassesTheDriversOwnCodes) {
    Described d;
    std::vector<uint32_t> keys;
    for (uint64_t from = 0x10000; Describe(static_cast<DWORD>(from), d) == 0; from = uint64_t{d.head.key} + 1) {
        ASSERT_GE(d.head.key, from);
        EXPECT_FALSE(NonSvSDK::Names(d.head.key)) << std::hex << d.head.key;
        EXPECT_EQ(d.head.size, sizeof d.head + d.choices.size() * sizeof(OptionDescriptionChoice));
        EXPECT_NE(d.head.name[0], 0) << std::hex << d.head.key;
        keys.push_back(d.head.key);
    }
    EXPECT_GT(keys.size(), 40u);
    // 0x10088 belongs to an item, but the driver answers it (not supported): the walk passes it.
    EXPECT_EQ(std::count(keys.begin(), keys.end(), 0x10088u), 0);
    EXPECT_EQ(Describe(0xFFFFFFFF, d), 2);
}

TEST_F(OptionDescribe, NamesTheChoicesWithTheirValuesAndMarks) {
    Described d;
    ASSERT_EQ(Describe(0x10040F, d), 0);
    EXPECT_EQ(d.head.key, 0x10040Fu);
    EXPECT_STREQ(d.head.name, "Devmode$Orientation");
    EXPECT_EQ(d.head.type, kDescribedChoice);
    EXPECT_STREQ(d.head.text, "PORTRAIT");
    ASSERT_NE(Choice(d, "LANDSCAPE"), nullptr);
    EXPECT_EQ(Choice(d, "LANDSCAPE")->value, 2);
    EXPECT_EQ(Choice(d, "PORTRAIT")->state & kChoiceCurrent, kChoiceCurrent);
    ASSERT_EQ(Set(0x10040F, 2), 0);
    ASSERT_EQ(Describe(0x10040F, d), 0);
    EXPECT_STREQ(d.head.text, "LANDSCAPE");
    EXPECT_EQ(d.head.current, 2);

    ASSERT_EQ(Describe(0x100414, d), 0);  // the copies: a number with its range
    EXPECT_EQ(d.head.type, kDescribedNumber);
    EXPECT_EQ(d.head.minimum, 1);
    EXPECT_EQ(d.head.maximum, 999);
}

TEST_F(OptionDescribe, HandsOutTheReasonsTheRulesGive) {
    Described d;
    ASSERT_EQ(Describe(0x10039, d), 0);  // Z-fold: the bundled PCL5e has no Z-fold unit
    EXPECT_EQ(d.head.state & kDescribedEnabled, 0u);
    EXPECT_STREQ(d.head.reason, "not offered by this printer: it has no Z-fold unit");
    ASSERT_EQ(Describe(0x1006A, d), 0);  // staple points of the finisher
    const OptionDescriptionChoice* top = Choice(d, "TOP_W");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->state & kChoiceEnabled, 0u);
    EXPECT_STREQ(top->reason, "not offered by this printer: it has no staple at the top");
    EXPECT_EQ(Choice(d, "UPPER_LEFT_S")->reason[0], 0);
    // A setting whose value the rules read as a constant has no reason, whatever that value is.
    ASSERT_EQ(Describe(0x1004C3, d), 0);
    EXPECT_STREQ(d.head.name, "DispMode");
    EXPECT_EQ(d.head.reason[0], 0);
}

TEST_F(OptionDescribe, ShortBuffersAreToldTheSizeAndGetNothingElse) {
    struct Case { uint32_t room; LONG answer; };
    for (Case c : {Case{0, 1}, Case{sizeof(OptionDescriptionHead) - 1, 1}, Case{sizeof(OptionDescriptionHead), 1}}) {
        std::vector<uint8_t> buffer(4096, 0xAB);
        std::memcpy(buffer.data(), &c.room, sizeof c.room);
        EXPECT_EQ(Ask(kSdkKindDescribe, 0x10040F, buffer.data()), c.answer) << c.room;
        uint32_t first = 0;
        std::memcpy(&first, buffer.data(), sizeof first);
        EXPECT_EQ(first, c.room < sizeof(OptionDescriptionHead) ? c.room : sizeof(OptionDescriptionHead) + 2 * 128) << c.room;
        for (size_t i = 4; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], 0xAB) << c.room << " wrote at " << i;
    }
    EXPECT_EQ(Ask(kSdkKindDescribe, 0x10040F, nullptr), 1);
}

}  // namespace
