// The application option interface as an application uses it: requests through the exported
// VomelDeviceMode on the bundled printer, by option key and by the driver's own codes, with the
// caller's device mode holding what a set changed. A set that answers "done" has changed what it
// names (the caller's device mode, or the value read back into the very word it set), or it says
// why not (2 outside the accepted values, 3 refused).
#include "driver_option_fixture.h"

#include "core/library/exports_devicemode.h"
#include "drvtest/fixture_device.h"
#include "drvtest/memory_refusal.h"
#include "items/pdl/sdk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
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

}  // namespace
