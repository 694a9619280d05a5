// The application option interface as an application uses it: requests through the exported
// VomelDeviceMode on the bundled printer, by option key and by the driver's own codes, with the
// caller's device mode holding what a set changed. A set that answers "done" has changed what it
// names (the caller's device mode, or the value read back into the very word it set), or it says
// why not (2 outside the accepted values, 3 refused). The describe request (kind 11) on the
// real sheet and rules: the walk over every option key, the records' names, choices and marks, the
// reasons the bundled rules give, and the buffers too short for a record.
#include "driver_option_fixture.h"

#include "core/library/exports_devicemode.h"
#include "drvtest/fixture_device.h"
#include "drvtest/memory_refusal.h"
#include "items/pdl/sdk.h"
#include "settings/sdk/non_sv_sdk.h"
#include "settings/sdk/option_description.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kOrientationKey = 0x100000 + 1039;
constexpr DWORD kPageLayoutKey = 0x10064;

class ApplicationOptions : public DriverOptions {
protected:
    // The answer and the word of a current-value request for every item key of one word.
    std::map<DWORD, std::pair<LONG, DWORD>> Answers() {
        std::map<DWORD, std::pair<LONG, DWORD>> answers;
        for (DWORD code = 0x100000; code <= 0x101FFF; ++code) {
            DWORD size = 0;
            if (Ask(0, code, &size) != 0 || size != sizeof(DWORD)) continue;
            DWORD word = 0;
            const LONG answer = Ask(2, code, &word);
            answers[code] = {answer, word};
        }
        return answers;
    }
};

TEST_F(ApplicationOptions, ReadsAndSetsItemsByKeyAndTheCallerKeepsTheResult) {
    EXPECT_EQ(Get(kOrientationKey), static_cast<DWORD>(DMORIENT_PORTRAIT));
    DWORD landscape = DMORIENT_LANDSCAPE;
    EXPECT_EQ(Ask(3, kOrientationKey, &landscape), 0);
    EXPECT_EQ(Dm()->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(Get(kOrientationKey), static_cast<DWORD>(DMORIENT_LANDSCAPE));

    DWORD fourUp = 2;
    EXPECT_EQ(Ask(3, kPageLayoutKey, &fourUp), 0);
    EXPECT_EQ(Get(kPageLayoutKey), 2u);
    // Another session's device mode handed in: the items answer from it, not from the last one.
    std::vector<uint8_t> kept = devmode;
    DWORD portrait = DMORIENT_PORTRAIT;
    EXPECT_EQ(Ask(3, kOrientationKey, &portrait), 0);
    devmode = kept;
    EXPECT_EQ(Get(kOrientationKey), static_cast<DWORD>(DMORIENT_LANDSCAPE));

    // The driver's defaults written over the settings reach the items too.
    EXPECT_EQ(Ask(3, kOrientationKey, &landscape), 0);
    EXPECT_EQ(Ask(6, 0x10001, nullptr), 0);
    EXPECT_EQ(Dm()->dmOrientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(Get(kOrientationKey), static_cast<DWORD>(DMORIENT_PORTRAIT));

    // No such key, kinds the item side never answers, and the driver's "none" code.
    DWORD word = 0;
    EXPECT_EQ(Ask(2, 0x10FFFF0, &word), 2);
    for (DWORD kind : {5u, 7u, 8u}) EXPECT_EQ(Ask(kind, kOrientationKey, &word), 2) << kind;
    EXPECT_EQ(Ask(3, 0x10088, &word), 2);
    EXPECT_EQ(Ask(3, kOrientationKey, nullptr), 1);
}

// A caller that hands in two device modes by turns gets for each what a session started over it
// answers, however often it turns; and after a set the items answer from the device mode.
TEST_F(ApplicationOptions, DeviceModesHandedInByTurnsAreAnsweredAsFreshSessionsAnswerThem) {
    const std::vector<uint8_t> portrait = devmode;
    std::vector<uint8_t> landscape = devmode;
    reinterpret_cast<LPDEVMODEA>(landscape.data())->dmOrientation = DMORIENT_LANDSCAPE;
    const auto fromPortrait = Answers();
    devmode = landscape;
    const auto fromLandscape = Answers();
    ASSERT_GT(fromPortrait.size(), 50u);
    EXPECT_NE(fromPortrait, fromLandscape);
    for (int turn = 0; turn < 3; ++turn) {
        devmode = portrait;
        EXPECT_EQ(Answers(), fromPortrait) << "turn " << turn;
        devmode = landscape;
        EXPECT_EQ(Answers(), fromLandscape) << "turn " << turn;
    }
    // A set on one of them, then the other, then the first as the set left it.
    devmode = portrait;
    DWORD fourUp = 2;
    EXPECT_EQ(Ask(3, kPageLayoutKey, &fourUp), 0);
    const std::vector<uint8_t> fourUpPortrait = devmode;
    devmode = landscape;
    EXPECT_EQ(Answers(), fromLandscape);
    devmode = fourUpPortrait;
    EXPECT_EQ(Get(kPageLayoutKey), 2u);
    EXPECT_EQ(Get(kOrientationKey), static_cast<DWORD>(DMORIENT_PORTRAIT));
}

// Memory running out while the session's registry starts answers 1 and leaves no half-built
// registry behind: the next request starts one whole.
TEST_F(ApplicationOptions, MemoryRunningOutAnswersOneAndTheNextRequestStartsAgain) {
    DWORD word = 0;
    {
        drvtest::ScopedMemoryRefusal refusal(0);
        EXPECT_EQ(Ask(2, kOrientationKey, &word), 1);
    }
    EXPECT_EQ(Get(kOrientationKey), static_cast<DWORD>(DMORIENT_PORTRAIT));
}

class SetRequests : public DriverOptions {
protected:
    // Another device mode handed in and then the caller's again: the items are started anew
    // over what the caller holds, as in a fresh session.
    void RestartItems() {
        const std::vector<uint8_t> kept = devmode;
        Dm()->dmCopies = static_cast<short>(Dm()->dmCopies + 1);
        DWORD version = 0;
        Ask(2, 0x10000, &version);
        devmode = kept;
    }
};

// Codes whose "done" may leave both the device mode and the read-back as they were, and why.
const std::map<DWORD, const char*> kDoneWithoutChange = {
    // The kind of service the application asked for: it reaches the rules, is never stored, and
    // a read of it answers 2.
    {0x10011, "the application's kind of service"},
    // Margins are set in hundredths of a millimetre and kept in whole millimetres: a value below
    // the next millimetre keeps the one there is.
    {0x10073, "the gutter margin in whole millimetres"},
};

TEST_F(SetRequests, ASetThatAnswersDoneChangesWhatItNames) {
    const uint32_t values[] = {1, 2, 5, 100, 0x8000, 0x10000, 0x1000000, 0x80000000u, 0xFFFFFFFFu};
    const std::vector<uint8_t> start = devmode;
    int sets = 0;
    auto walk = [&](DWORD first, DWORD last) {
        for (DWORD code = first; code <= last; ++code) {
            DWORD size = 0;
            if (Ask(0, code, &size) != 0 || size != sizeof(uint32_t)) continue;
            if (kDoneWithoutChange.count(code)) continue;
            bool restarted = false;  // once per code: a value the items only read is lost there
            for (uint32_t value : values) {
                uint32_t word = value;
                const LONG answer = Ask(3, code, &word);
                ++sets;
                if (answer != 0) {
                    EXPECT_EQ(devmode, start) << std::hex << "0x" << code << " answered " << answer << " to 0x" << value
                                              << " and changed the device mode";
                    continue;
                }
                if (devmode != start) {
                    devmode = start;
                    continue;
                }
                // The read into the word that was set gives it back, also from items started anew
                // over the caller's device mode: the value is the current one, or the key's bits
                // of a shared word say what was set.
                if (!restarted) RestartItems();
                restarted = true;
                uint32_t back = value;
                const LONG read = Ask(2, code, &back);
                EXPECT_TRUE(read == 0 && back == value)
                    << std::hex << "0x" << code << " answered done to 0x" << value << ", left the device mode as it was"
                    << " and reads back 0x" << back << " (answer " << read << ")";
            }
        }
    };
    walk(0x10000, 0x10FFF);
    walk(0x100000, 0x101FFF);
    EXPECT_GT(sets, 1000);

    // A text the item only reads, the user's name: refused, as the words are.
    char name[257] = "someone else";
    EXPECT_EQ(Ask(3, 0x100000 + 1255, name), 3);
}

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
